target_sources(ModStudyCore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ShelfBuild.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShelfJson.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShelfLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShelfOpen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShelfPictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShelfTabs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Recommendation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PackageRecord.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PackageStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PackageDownload.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MaterialPictures.cpp)
