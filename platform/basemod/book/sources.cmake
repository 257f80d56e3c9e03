# Book model: units, lessons, parts and sentences decoded from a package.
target_sources(BaseMod PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/PackBook.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BookDecoder.cpp
)
