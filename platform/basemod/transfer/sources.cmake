target_sources(BaseMod PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/TransferReport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TransferJob.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HttpTransfer.cpp
)
