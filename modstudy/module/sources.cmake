# TStudyMod, the module's entry object behind IBaseMod (frame).
target_sources(ModStudyFrame PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/StudyMod.cpp)
