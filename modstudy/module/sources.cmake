target_sources(ModStudyCore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ModuleInfo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StudyMod.cpp)
