# The Windows program and its tests, cross-compiled and run under Wine.
set(WARNINGS -Wall -Wextra)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)

add_library(varnex_portable STATIC ${PORTABLE_SOURCES})
target_include_directories(varnex_portable PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(varnex_portable PRIVATE ${WARNINGS})

add_executable(portable_tests_win ${PORTABLE_TEST_SOURCES})
target_link_libraries(portable_tests_win PRIVATE varnex_portable gtest_main)
add_test(NAME portable_tests_win COMMAND portable_tests_win)

include(cmake/CleanObjs.cmake)
include(cmake/Registry.cmake)

add_library(varnex_framework STATIC
  framework/SysError.cpp
  framework/FileStream.cpp
  framework/MessageBoxes.cpp
  framework/Window.cpp
  framework/Dialog.cpp
  framework/Registry.cpp
)
target_link_libraries(varnex_framework PUBLIC varnex_portable user32 gdi32 comctl32 advapi32)
target_compile_options(varnex_framework PRIVATE ${WARNINGS})
target_link_libraries(varnex_cleanobjs PUBLIC varnex_framework)

add_library(varnex_app STATIC
  app/Application.cpp
  app/MainActions.cpp
  app/PlugInFile.cpp
  app/VarnexFormUnit.cpp
)
target_link_libraries(varnex_app PUBLIC varnex_cleanobjs varnex_framework comdlg32 shell32 ole32)
target_compile_options(varnex_app PRIVATE ${WARNINGS})

# Resources are linked as objects: from a static library the linker would drop them.
add_library(varnex_resources OBJECT res/varnex.rc)
set_source_files_properties(res/varnex.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/res/varnex.manifest;${CMAKE_SOURCE_DIR}/res/resource.h")

add_executable(varnex WIN32 app/Main.cpp $<TARGET_OBJECTS:varnex_resources>)
target_link_libraries(varnex PRIVATE varnex_app)
target_compile_options(varnex PRIVATE ${WARNINGS})

include(cmake/AppTests.cmake)
include(cmake/SysFolders.cmake)
include(cmake/FileItems.cmake)
include(cmake/Preview.cmake)
include(cmake/Benchmark.cmake)
