# Units, lessons and assignments of the open book.
target_sources(ModStudyLogic PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/AssignQueries.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AssignWalkPlan.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UnitPaging.cpp)
target_sources(ModStudyFrame PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/FrameAssignments.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameAssignWalk.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameCourseUnits.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameLessonPanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameModeMenu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameUnitProgress.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LessonDisplayFrame.cpp)
