# Helpers of the tests that are not fakes: bounded waits, mouse input, test
# packages made with the 7z program, a private sound server.
target_sources(StudyHarness PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/PackageMaker.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TestSoundServer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WaitUntil.cpp
)
