# The Windows program and its tests, cross-compiled and run under Wine.
set(WARNINGS -Wall -Wextra)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
# Every binary lands at the top of the build folder, so that Kelvra.dll sits beside
# varnex.exe and beside every test executable that imports it at load time.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
