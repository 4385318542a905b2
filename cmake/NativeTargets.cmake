# The native targets, made once every folder has registered its portable code: the
# library, the sanitizer-built test program, and libFuzzer targets over the plug-in
# reader and over the import of INI rules.
get_property(portable_sources GLOBAL PROPERTY PORTABLE_SOURCES)
get_property(portable_tests GLOBAL PROPERTY PORTABLE_TESTS)

add_library(portable STATIC ${portable_sources})
target_include_directories(portable PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(portable PUBLIC ${SANITIZE} -Wall -Wextra)
target_link_options(portable PUBLIC ${SANITIZE})

target_include_directories(portable SYSTEM PRIVATE ${HEADER_LIBRARIES})

# The command-line companion's dump, build and lint, for authors' machines and CI.
add_executable(ppj ${CMAKE_SOURCE_DIR}/ppj/Main.cpp)
target_include_directories(ppj SYSTEM PRIVATE ${HEADER_LIBRARIES})
target_include_directories(ppj PRIVATE ${GENERATED_INCLUDE_DIR})
target_link_libraries(ppj PRIVATE portable)
# build/native/ppj is the folder's build directory; the program goes to bin/.
set_target_properties(ppj PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
add_test(NAME ppj_commands COMMAND bash ${CMAKE_SOURCE_DIR}/tests/ppj/ReadmeCommands.sh
         $<TARGET_FILE:ppj> ${CMAKE_SOURCE_DIR}/samples/sample.ppj ${PROJECT_VERSION})

add_executable(portable_tests ${portable_tests})
target_link_libraries(portable_tests PRIVATE portable gtest_main)
add_test(NAME portable_tests COMMAND portable_tests)

# The fuzzer needs libFuzzer, which only clang provides. It compiles the portable
# sources itself, so that the reader carries the coverage instrumentation that guides
# libFuzzer. It is placed at the top of the build folder, where scripts/test.sh looks.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  set(fuzz_flags -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  # Optimised, as fuzzers are, so that the JSON round trip on every input does not
  # take most of the run.
  set(fuzz_optimisation -O1)
  add_executable(plugin_reader_fuzzer ${CMAKE_SOURCE_DIR}/tests/fuzz/PlugInReaderFuzzer.cpp
                 ${portable_sources})
  target_include_directories(plugin_reader_fuzzer PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(plugin_reader_fuzzer PRIVATE ${fuzz_flags} ${fuzz_optimisation}
    -fsanitize-coverage-ignorelist=${CMAKE_SOURCE_DIR}/tests/fuzz/CoverageIgnoreList.txt)
  target_link_options(plugin_reader_fuzzer PRIVATE ${fuzz_flags})
  set_target_properties(plugin_reader_fuzzer PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

  # The import of winapp2.ini's rules, from INI text.
  add_executable(ini_import_fuzzer ${CMAKE_SOURCE_DIR}/tests/fuzz/IniImportFuzzer.cpp ${portable_sources})
  target_include_directories(ini_import_fuzzer PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(ini_import_fuzzer PRIVATE ${fuzz_flags} ${fuzz_optimisation}
    -fsanitize-coverage-ignorelist=${CMAKE_SOURCE_DIR}/tests/fuzz/CoverageIgnoreList.txt)
  target_link_options(ini_import_fuzzer PRIVATE ${fuzz_flags})
  set_target_properties(ini_import_fuzzer PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
endif()
