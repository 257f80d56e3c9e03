target_sources(ModStudyCore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Assignments.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CourseUnits.cpp)
