target_sources(BaseMod PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Log.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Wait.cpp
)
