# Package archive: reading password-protected 7z resource packages through
# the external 7z reader, and the one-shot package reads built on it.
find_package(ZLIB REQUIRED)
target_sources(BaseMod PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ArchiveResult.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ArchiveReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ArchiveListing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EntryStream.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PackageArchive.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PackageFiles.cpp
)
# CRC-32 checks of extracted entries.
target_link_libraries(BaseMod PRIVATE ZLIB::ZLIB)
