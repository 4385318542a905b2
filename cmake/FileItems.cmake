# Tests of the file and folder items and of the deletions left for the restart, on
# real trees under Wine.
add_executable(fileitems_tests
  tests/cleanobjs/CleanFileTest.cpp
  tests/cleanobjs/CleanFolderTest.cpp
  tests/cleanobjs/RebootDeleteListTest.cpp
)
target_link_libraries(fileitems_tests PRIVATE varnex_cleanobjs varnex_message_recorder
  varnex_test_support gtest_main)
add_test(NAME fileitems_tests COMMAND fileitems_tests)
