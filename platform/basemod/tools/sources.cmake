target_sources(BaseMod PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Log.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Wait.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextTools.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Phonetic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LocalPath.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileTools.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Mp3Encoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Commonconst.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClassRegistry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WaveFile.cpp
)
