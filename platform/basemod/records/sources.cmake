target_sources(BaseMod PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/RecordFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TeduPartScore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TeduAssignDetail.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TeduLastAssignMent.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TeduUserOwnFreeGoods.cpp
)
