# Grading results, score arithmetic and documents (logic); the frame's score
# handlers and the result views (frame).
target_sources(ModStudyLogic PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/GradingResult.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResultLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScoreDocuments.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScoreRounding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScoreScales.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScoreTotals.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WordFlow.cpp)
target_sources(ModStudyFrame PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/FrameResultViews.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameScoring.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MyLabelFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MyRectangle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StudyDisplayFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StudyWordScoreDetailsFrame.cpp)
