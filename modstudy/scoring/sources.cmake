# Grading results, score arithmetic and documents (logic); the frame's score
# handlers and animations (frame).
target_sources(ModStudyLogic PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/GradingResult.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScoreDocuments.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScoreRounding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScoreScales.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScoreTotals.cpp)
target_sources(ModStudyFrame PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/FrameScoring.cpp)
