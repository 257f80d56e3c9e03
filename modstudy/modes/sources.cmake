# The study modes (frame).
target_sources(ModStudyFrame PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/FrameModes.cpp)
