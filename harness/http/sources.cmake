target_sources(StudyHarness PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/HttpRequestParser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MultipartForm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LocalHttpServer.cpp
)
