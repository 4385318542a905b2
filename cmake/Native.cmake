# Native build: the portable code under AddressSanitizer and UndefinedBehaviorSanitizer,
# and a libFuzzer target over the plug-in reader.
set(SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

add_library(varnex_portable STATIC ${PORTABLE_SOURCES})
target_include_directories(varnex_portable PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(varnex_portable PUBLIC ${SANITIZE} -Wall -Wextra)
target_link_options(varnex_portable PUBLIC ${SANITIZE})

target_compile_options(gtest PRIVATE ${SANITIZE})
target_compile_options(gtest_main PRIVATE ${SANITIZE})

add_executable(portable_tests ${PORTABLE_TEST_SOURCES})
target_link_libraries(portable_tests PRIVATE varnex_portable gtest_main)
add_test(NAME portable_tests COMMAND portable_tests)

# The fuzzer needs libFuzzer, which only clang provides. It compiles the portable
# sources itself, so that the reader carries the coverage instrumentation that guides
# libFuzzer. It is placed at the top of the build folder, where scripts/test.sh looks.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  set(FUZZ_FLAGS -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_executable(plugin_reader_fuzzer tests/fuzz/PlugInReaderFuzzer.cpp ${PORTABLE_SOURCES})
  target_include_directories(plugin_reader_fuzzer PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(plugin_reader_fuzzer PRIVATE ${FUZZ_FLAGS})
  target_link_options(plugin_reader_fuzzer PRIVATE ${FUZZ_FLAGS})
  set_target_properties(plugin_reader_fuzzer PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
endif()
