target_sources(BaseMod PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/AniFrameList.cpp
)
