# The score history (frame).
target_sources(ModStudyFrame PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/FrameHistory.cpp)
