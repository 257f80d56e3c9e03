# The local result store (logic); submitting a result (frame).
target_sources(ModStudyLogic PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ResultStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StoreJson.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StoreTables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Submission.cpp)
target_sources(ModStudyFrame PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/FrameScoreSubmission.cpp)
