# Message codes, the envelope, request builders and the request wait (logic);
# the frame's incoming dispatcher (frame).
target_sources(ModStudyLogic PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ApiCodes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Envelope.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Requests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RequestWait.cpp)
target_sources(ModStudyFrame PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/FrameDispatch.cpp)
