# The Windows programs, cross-built with MinGW-w64 beside the Linux ones and
# run under Wine by the Linux test run: the core's unit tests, the one-shot
# program's six files and the tool's output against the Linux programs', and
# the window and the box on a virtual display. Where MinGW-w64, GoogleTest's
# sources or Wine are missing (scripts/setup.sh installs them), one test says
# so: a skip on a developer's machine, a failure in CI.
option(SCENARIO_WINDOWS_TESTS "Cross-build the Windows programs and test them under Wine" ON)
if(NOT SCENARIO_WINDOWS_TESTS)
  return()
endif()

set(checks ${CMAKE_CURRENT_SOURCE_DIR}/tests/windows)
find_program(SCENARIO_MINGW_CXX x86_64-w64-mingw32-g++-posix)
find_program(SCENARIO_WINE NAMES wine64 wine PATHS /usr/lib/wine)
find_path(SCENARIO_GTEST_SOURCE googletest/src/gtest-all.cc PATHS /usr/src/googletest
  NO_DEFAULT_PATH)
set(missing "")
if(NOT SCENARIO_MINGW_CXX)
  list(APPEND missing "MinGW-w64 (g++-mingw-w64-x86-64-posix)")
endif()
if(NOT SCENARIO_GTEST_SOURCE)
  list(APPEND missing "GoogleTest's sources (googletest)")
endif()
if(NOT SCENARIO_WINE)
  list(APPEND missing "Wine (wine64)")
endif()
if(missing)
  list(JOIN missing ", " missing)
  message(STATUS "Windows tests will be skipped: ${missing} not found")
  add_test(NAME windows
    COMMAND bash ${checks}/missing.sh "${missing} not found; run scripts/setup.sh and reconfigure")
  set_tests_properties(windows PROPERTIES SKIP_RETURN_CODE 77)
  return()
endif()

include(ExternalProject)
set(windows_build ${CMAKE_BINARY_DIR}/windows)
ExternalProject_Add(windows_programs
  SOURCE_DIR ${CMAKE_CURRENT_SOURCE_DIR}
  BINARY_DIR ${windows_build}
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_CURRENT_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake
    -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
    -DBUILD_TESTING=ON
    -DSCENARIO_GTEST_SOURCE=${SCENARIO_GTEST_SOURCE}
  # The sources are this project's own: build again whenever the tree is.
  BUILD_ALWAYS ON
  INSTALL_COMMAND "")
add_dependencies(scenario_tests windows_programs)

set(wine_env "WINE=${SCENARIO_WINE}" "WINEPREFIX=${CMAKE_BINARY_DIR}/wine")
add_test(NAME windows_wine_prefix COMMAND bash ${checks}/prefix.sh)
add_test(NAME windows_unit_tests
  COMMAND bash ${checks}/run.sh ${windows_build}/scenario_tests.exe --gtest_brief=1)
add_test(NAME windows_program
  COMMAND bash ${checks}/program_check.sh ${windows_build}/scenario_build.exe
    $<TARGET_FILE:scenario_build>)
add_test(NAME windows_tool
  COMMAND bash ${checks}/tool_check.sh ${windows_build}/scenario.exe $<TARGET_FILE:scenario>)
add_test(NAME windows_window
  COMMAND bash ${checks}/window_check.sh ${windows_build}/desktop_probe.exe
    ${CMAKE_BINARY_DIR}/windows_screenshots)
add_test(NAME windows_package
  COMMAND bash ${checks}/package_check.sh ${windows_build} $<TARGET_FILE:scenario_build>)
set(checks_on_wine
  windows_unit_tests windows_program windows_tool windows_window windows_package)
set_tests_properties(windows_wine_prefix ${checks_on_wine} PROPERTIES
  ENVIRONMENT "${wine_env}" SKIP_RETURN_CODE 77 RESOURCE_LOCK wine TIMEOUT 300)
set_tests_properties(windows_wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix)
set_tests_properties(${checks_on_wine} PROPERTIES FIXTURES_REQUIRED wine_prefix)
