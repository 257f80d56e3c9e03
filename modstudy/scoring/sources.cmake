target_sources(ModStudyCore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/GradingResult.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameScoring.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScoreAnimations.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScoreDocuments.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScoreEntry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScoreRounding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScoreScales.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScoreTotals.cpp)
