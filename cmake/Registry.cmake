# Kelvra.dll, which the registry item imports at load time, and the registry tests.
# Every binary lands at the top of the build folder, so the DLL sits beside varnex.exe
# and every test executable that links the registry item, as a load-time import needs.
add_library(kelvra SHARED kelvra/Kelvra.cpp kelvra/Kelvra.def)
set_target_properties(kelvra PROPERTIES
  OUTPUT_NAME Kelvra
  PREFIX ""
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
target_include_directories(kelvra PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_definitions(kelvra PRIVATE KELVRA_BUILDING_DLL)
target_compile_options(kelvra PRIVATE ${WARNINGS})
target_link_libraries(varnex_cleanobjs PUBLIC kelvra)

add_executable(registry_tests
  tests/framework/RegistryTest.cpp
  tests/cleanobjs/CleanRegistryTest.cpp
  tests/kelvra/KelvraTest.cpp
  tests/support/TestKey.cpp
  tests/support/PeImage.cpp
)
target_link_libraries(registry_tests PRIVATE
  varnex_cleanobjs varnex_message_recorder varnex_test_support gtest_main)
# The import table test reads the built varnex.exe beside it.
add_dependencies(registry_tests varnex)
add_test(NAME registry_tests COMMAND registry_tests)
