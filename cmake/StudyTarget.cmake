# Common settings for every target of the project.
function(study_target_settings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Woverloaded-virtual
    -Wno-missing-field-initializers)
  if(STUDY_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# study_shared_library(<name> EXPORT_BASE <BASE> SOURCES ...)
# Builds a shared library with hidden visibility and a generated export header
# <name_lower>_export.h that defines <BASE>_EXPORT.
function(study_shared_library name)
  cmake_parse_arguments(ARG "" "EXPORT_BASE" "SOURCES" ${ARGN})
  add_library(${name} SHARED ${ARG_SOURCES})
  string(TOLOWER ${name} lower)
  generate_export_header(${name}
    BASE_NAME ${ARG_EXPORT_BASE}
    EXPORT_FILE_NAME ${CMAKE_CURRENT_BINARY_DIR}/export/${lower}_export.h)
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_BINARY_DIR}/export)
  study_target_settings(${name})
endfunction()

# study_add_test(<name> SOURCES ... LIBS ... [LOCK <resource>])
# One gtest executable, linked to the harness main (QApplication on the
# offscreen platform), with every test case registered in ctest. Test cases
# of executables naming the same LOCK never run at the same time (they share
# files, such as the working folder next to the host executable).
function(study_add_test name)
  cmake_parse_arguments(ARG "" "LOCK" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE StudyHarnessMain ${ARG_LIBS} GTest::gtest GTest::gmock)
  study_target_settings(${name})
  set(properties ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  if(ARG_LOCK)
    list(APPEND properties RESOURCE_LOCK ${ARG_LOCK})
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ${properties}
    DISCOVERY_TIMEOUT 60)
endfunction()
