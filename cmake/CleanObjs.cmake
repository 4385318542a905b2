# The clean items and their tests (Windows build).
add_library(varnex_cleanobjs STATIC
  cleanobjs/CleanObjs.cpp
  cleanobjs/CleanRegistry.cpp
  cleanobjs/CleanFile.cpp
  cleanobjs/CleanFolder.cpp
  cleanobjs/FileDeletion.cpp
  cleanobjs/FileInfo.cpp
  cleanobjs/FileSearch.cpp
  cleanobjs/RebootDeleteList.cpp
)
target_link_libraries(varnex_cleanobjs PUBLIC varnex_portable user32)
target_compile_options(varnex_cleanobjs PRIVATE ${WARNINGS})

# The receiving window that records what items send, shared by the item tests.
add_library(varnex_message_recorder STATIC tests/support/MessageRecorder.cpp)
target_link_libraries(varnex_message_recorder PUBLIC varnex_cleanobjs)

add_executable(cleanobjs_tests
  tests/cleanobjs/CleanObjsTest.cpp
  tests/cleanobjs/ItemRecordsTest.cpp
)
target_link_libraries(cleanobjs_tests PRIVATE varnex_cleanobjs varnex_message_recorder gtest_main)
add_test(NAME cleanobjs_tests COMMAND cleanobjs_tests)
