# Course shelves and the package store.
target_sources(ModStudyLogic PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/PackageStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShelfJson.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShelfLayout.cpp)
target_sources(ModStudyFrame PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/FrameMaterialPictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FramePackageDownload.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FramePackageRecord.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameRecommendation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameShelfBuild.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameShelfOpen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameShelfPictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameShelfTabs.cpp)
