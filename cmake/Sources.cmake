# Code that needs no windows.h: compiled into the program and, natively, into the
# sanitizer-built test binary and the fuzzer.
set(PORTABLE_SOURCES
  framework/Stream.cpp
)
set(PORTABLE_TEST_SOURCES
  tests/framework/StreamTest.cpp
)
