target_sources(StudyHarness PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/FakeArchive.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FakeAudioEngine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FakeCallLog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FakeCustomMessage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FakeSoundEngine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FakeWav.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GradingResults.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HeldReader.cpp
)
