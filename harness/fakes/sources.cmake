target_sources(StudyHarness PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/LogCapture.cpp
)
