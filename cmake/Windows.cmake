# The Windows program and its tests, cross-compiled and run under Wine.
set(WARNINGS -Wall -Wextra)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)

add_library(varnex_portable STATIC ${PORTABLE_SOURCES})
target_include_directories(varnex_portable PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(varnex_portable PRIVATE ${WARNINGS})

add_executable(portable_tests_win ${PORTABLE_TEST_SOURCES})
target_link_libraries(portable_tests_win PRIVATE varnex_portable gtest_main)
add_test(NAME portable_tests_win COMMAND portable_tests_win)
