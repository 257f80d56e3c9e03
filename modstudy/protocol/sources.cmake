target_sources(ModStudyCore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ApiCodes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Envelope.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Requests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RequestWait.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameDispatch.cpp)
