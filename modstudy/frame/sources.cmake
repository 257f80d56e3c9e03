# TStudyFrame: construction, pages, navigation, timers, services (frame).
target_sources(ModStudyFrame PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ControlMakers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameAnimations.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameNavigation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FramePagesHome.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FramePagesOther.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameServices.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameTimers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StudyFrame.cpp)
