target_sources(ModStudyCore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ShelfBuild.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PackageRecord.cpp)
