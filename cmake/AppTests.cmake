# Tests of the program's windows, driven under Wine with real messages.
add_library(varnex_test_support STATIC tests/support/ScriptedUser.cpp tests/support/TempFolder.cpp)
target_link_libraries(varnex_test_support PUBLIC varnex_framework gtest)

add_executable(mainwindow_tests
  tests/app/MainWindowTest.cpp
  tests/app/PlugInFileTest.cpp
  tests/app/ProgramTest.cpp
  $<TARGET_OBJECTS:varnex_resources>)
target_link_libraries(mainwindow_tests PRIVATE varnex_app varnex_test_support gtest_main)
add_dependencies(mainwindow_tests varnex)
add_test(NAME mainwindow_tests COMMAND mainwindow_tests)
# The sample plug-in, as a path the test can open under Wine (drive Z: is the root).
string(REPLACE "/" "\\\\" SAMPLE_WINDOWS_PATH "Z:${CMAKE_SOURCE_DIR}/samples/sample.ppj")
target_compile_definitions(mainwindow_tests PRIVATE VARNEX_SAMPLE="${SAMPLE_WINDOWS_PATH}")
