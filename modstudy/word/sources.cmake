# The word study's views: the word card, the phoneme chip and the word strip
# (frame).
target_sources(ModStudyFrame PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/StudyWordFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WordPhonemeFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WordTable.cpp)
