# The size preview (its thread and window), the Properties and About dialogs, the
# HTML Help entry and the help file, and their tests under Wine.
add_library(varnex_preview STATIC
  preview/MyThreads.cpp
  preview/CollectInfoThread.cpp
  preview/PlugInPreviewFormUnit.cpp
)
target_link_libraries(varnex_preview PUBLIC varnex_cleanobjs varnex_framework)
target_compile_options(varnex_preview PRIVATE ${WARNINGS})

target_sources(varnex_app PRIVATE
  app/VarnexFormCommands.cpp
  app/PlugInPropsFormUnit.cpp
  app/PlugInAboutFormUnit.cpp
  app/HTMLHelp.cpp
)
target_link_libraries(varnex_app PUBLIC varnex_preview)

set_property(SOURCE res/varnex.rc APPEND PROPERTY OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/preview/PlugInPreviewForm.rc;${CMAKE_SOURCE_DIR}/preview/PlugInPreviewFormRes.h"
  "${CMAKE_SOURCE_DIR}/app/PlugInPropsForm.rc;${CMAKE_SOURCE_DIR}/app/PlugInPropsFormRes.h"
  "${CMAKE_SOURCE_DIR}/app/PlugInAboutForm.rc;${CMAKE_SOURCE_DIR}/app/PlugInAboutFormRes.h")

add_executable(preview_tests
  tests/preview/CollectInfoThreadTest.cpp
  tests/preview/PreviewFormTest.cpp
  tests/preview/PreviewLifetimeTest.cpp
  tests/app/PropertiesTest.cpp
  tests/app/AboutTest.cpp
  tests/app/HelpTest.cpp
  tests/support/TestKey.cpp
  $<TARGET_OBJECTS:varnex_resources>)
target_link_libraries(preview_tests PRIVATE varnex_app varnex_message_recorder varnex_test_support
  gtest_main)
add_test(NAME preview_tests COMMAND preview_tests)
# A stand-in help control beside the tests, which records what the program asks of it.
add_library(fake_help_control SHARED tests/app/FakeHelpControl.cpp)
set_target_properties(fake_help_control PROPERTIES
  OUTPUT_NAME FakeHelpControl
  PREFIX ""
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
target_include_directories(fake_help_control PRIVATE ${CMAKE_SOURCE_DIR})
add_dependencies(preview_tests fake_help_control)

# Zentrel.chm, compiled from help/ by chmcmd and placed beside varnex.exe. chmcmd
# writes beside its project, so it runs on a copy in the build folder.
find_program(CHMCMD chmcmd REQUIRED)
find_program(CHMLS chmls REQUIRED)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/help)
set(HELP_SOURCES help/Zentrel.hhp help/Zentrel.hhc help/varnex_main_layout.htm)
list(TRANSFORM HELP_SOURCES PREPEND "${CMAKE_SOURCE_DIR}/" OUTPUT_VARIABLE HELP_SOURCE_PATHS)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/Zentrel.chm
  COMMAND ${CMAKE_COMMAND} -E copy ${HELP_SOURCE_PATHS} ${CMAKE_BINARY_DIR}/help
  COMMAND ${CHMCMD} --no-html-scan Zentrel.hhp > chmcmd.log
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/help/Zentrel.chm ${CMAKE_BINARY_DIR}/Zentrel.chm
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/help
  DEPENDS ${HELP_SOURCE_PATHS}
  COMMENT "Compiling Zentrel.chm")
add_custom_target(help_file ALL DEPENDS ${CMAKE_BINARY_DIR}/Zentrel.chm)
add_dependencies(varnex help_file)
# The topic that Help Topic names is inside the compiled file.
add_test(NAME help_file_topic COMMAND sh -c
  "'${CHMLS}' list '${CMAKE_BINARY_DIR}/Zentrel.chm' | grep -q ' /varnex_main_layout.htm$'")

# Not a test: scripts/take-screenshots.sh runs it inside a Wine desktop.
add_executable(show_dialogs WIN32 tests/preview/ShowDialogs.cpp $<TARGET_OBJECTS:varnex_resources>)
target_link_libraries(show_dialogs PRIVATE varnex_app)
