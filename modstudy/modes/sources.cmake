# The lesson study modes: their rules (logic); the mode views and the frame's
# switching, start timers and mode actions (frame).
target_sources(ModStudyLogic PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/PassageText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SentenceScore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StartTimerRule.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StudyModeRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WaveMerge.cpp)
target_sources(ModStudyFrame PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/FrameModeContent.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameModeSwitch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameModesPending.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FramePassageReading.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FramePassageRecordings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FramePassageRepeat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FramePassageSteps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameSentencePractice.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameStartTimers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ModeBarFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StudyPartFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StudyPlayFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StudyRepeatFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StudySentenceFrame.cpp)
