# Shared state types of the module (logic).
target_sources(ModStudyLogic PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/PendingWork.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StudyTypes.cpp)
