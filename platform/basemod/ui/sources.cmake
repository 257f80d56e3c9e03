target_sources(BaseMod PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/AniFrameList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TBookIconFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TPngAni.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UIPicture.cpp
)
