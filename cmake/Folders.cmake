# How a folder of the program and its tests declare themselves.
#
# register_portable_sources(FILE...) and register_portable_tests(FILE...) register code
# free of windows.h, given relative to the calling folder. The native build compiles
# all of it into one library, one sanitizer-built test program and the fuzzer
# (cmake/NativeTargets.cmake); the Windows build compiles it into each folder's own
# library and test program.

function(register_portable_sources)
  list(TRANSFORM ARGN PREPEND "${CMAKE_CURRENT_SOURCE_DIR}/")
  set_property(GLOBAL APPEND PROPERTY PORTABLE_SOURCES ${ARGN})
endfunction()

function(register_portable_tests)
  list(TRANSFORM ARGN PREPEND "${CMAKE_CURRENT_SOURCE_DIR}/")
  set_property(GLOBAL APPEND PROPERTY PORTABLE_TESTS ${ARGN})
endfunction()

# A folder's library in the Windows build: its portable sources and its own.
function(folder_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${WARNINGS})
endfunction()

# A folder's Windows tests: one executable and one CTest entry, both named after the
# folder (framework_tests, ...), run under Wine by the cross-compiling emulator.
function(folder_tests folder)
  set(name ${folder}_tests)
  add_executable(${name} ${ARGN})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE gtest_main)
  add_test(NAME ${name} COMMAND ${name})
endfunction()
