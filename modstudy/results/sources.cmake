# The local result store (logic).
target_sources(ModStudyLogic PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ResultStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StoreJson.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StoreTables.cpp)
