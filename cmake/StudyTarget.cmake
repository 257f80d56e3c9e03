# Common settings for every target of the project.
function(study_target_settings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Woverloaded-virtual
    -Wno-missing-field-initializers)
  if(STUDY_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# Precompiled headers. Each source reads the Qt headers it uses (100 000 to
# 200 000 lines once preprocessed) and many read nlohmann/json: parsing them
# was most of the compile time. The headers below are parsed once per library
# and once for all the test code together (study_test_code). Sources still
# include what they use; the list only makes that cheap.
set(STUDY_PCH_CORE
  <algorithm> <functional> <memory> <optional> <string> <vector>
  <QByteArray> <QDir> <QFile> <QFileInfo> <QList> <QObject> <QPointer> <QString> <QStringList> <QTimer>
  <nlohmann/json.hpp>)
set(STUDY_PCH_WIDGETS <QImage> <QMouseEvent> <QPainter> <QWidget>)
set(STUDY_PCH_TESTS <QCoreApplication> <QElapsedTimer> <QTemporaryDir> <gtest/gtest.h>)

# study_precompile(<target> [WIDGETS])
# Gives a library its precompiled headers: the core list, and the widget
# headers for libraries that draw.
function(study_precompile target)
  cmake_parse_arguments(ARG "WIDGETS" "" "" ${ARGN})
  set(headers ${STUDY_PCH_CORE})
  if(ARG_WIDGETS)
    list(APPEND headers ${STUDY_PCH_WIDGETS})
  endif()
  target_precompile_headers(${target} PRIVATE ${headers})
endfunction()

# study_test_code(<target>)
# Settings of test code (the harness and the test programs): compiled without
# optimisation, which halves its compile time (the code under test keeps the
# preset's optimisation), and sharing one precompiled header, the harness
# main's, which every test program links.
function(study_test_code target)
  target_compile_options(${target} PRIVATE -O0)
  if(target STREQUAL "StudyHarnessMain")
    target_precompile_headers(${target} PRIVATE ${STUDY_PCH_CORE} ${STUDY_PCH_WIDGETS} ${STUDY_PCH_TESTS})
  else()
    target_precompile_headers(${target} REUSE_FROM StudyHarnessMain)
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
  study_test_code(${name})
  set(properties ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  if(ARG_LOCK)
    list(APPEND properties RESOURCE_LOCK ${ARG_LOCK})
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ${properties}
    DISCOVERY_TIMEOUT 60)
endfunction()
