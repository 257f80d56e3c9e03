target_sources(ModStudyCore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Assignments.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AssignQueries.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AssignWalk.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AssignWalkPlan.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CourseUnits.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LessonDisplayFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LessonPanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ModeMenu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UnitPaging.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UnitProgress.cpp)
