target_sources(ModStudyCore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/FrameWidgets.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PendingWork.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StudyFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StudyFramePagesHome.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StudyFramePagesOther.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StudyFrameNavigation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StudyFrameTimers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StudyFrameServices.cpp)
