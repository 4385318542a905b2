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
  $<TARGET_OBJECTS:varnex_resources>)
target_link_libraries(preview_tests PRIVATE varnex_app varnex_message_recorder varnex_test_support
  gtest_main)
add_test(NAME preview_tests COMMAND preview_tests)
