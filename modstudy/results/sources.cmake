target_sources(ModStudyCore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/StoreTables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StoreJson.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResultStore.cpp)
