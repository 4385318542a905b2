# Code that needs no windows.h: compiled into the program and, natively, into the
# sanitizer-built test binary and the fuzzer.
set(PORTABLE_SOURCES
  framework/Stream.cpp
  framework/DateTime.cpp
  framework/CommandLine.cpp
  app/PlugInFormat.cpp
  app/PlugInReader.cpp
  app/TextLimits.cpp
  app/ItemDescription.cpp
)
set(PORTABLE_TEST_SOURCES
  tests/framework/StreamTest.cpp
  tests/framework/DateTimeTest.cpp
  tests/framework/CommandLineTest.cpp
  tests/app/PlugInFormatTest.cpp
  tests/app/PlugInReaderTest.cpp
  tests/app/TextLimitsTest.cpp
  tests/app/ItemDescriptionTest.cpp
)
