target_sources(ModStudyCore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ScoreAnimations.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScoreEntry.cpp)
