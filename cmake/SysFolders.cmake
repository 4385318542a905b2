# The system folders on Win32: the platform sources of the table and the System
# Folders dialog (the table's rules and macros are portable sources), their tests
# under Wine, and the program that shows the dialog for its screenshot.
add_library(varnex_sysfolders STATIC
  sysfolders/Win32SysFolderSource.cpp
  sysfolders/FolderViewFormUnit.cpp
)
target_link_libraries(varnex_sysfolders PUBLIC varnex_framework shell32 ole32 user32 comctl32)
target_compile_options(varnex_sysfolders PRIVATE ${WARNINGS})
target_link_libraries(varnex_app PUBLIC varnex_sysfolders)

add_executable(sysfolders_tests
  tests/sysfolders/Win32SysFolderSourceTest.cpp
  tests/sysfolders/FolderViewFormTest.cpp
  $<TARGET_OBJECTS:varnex_resources>)
target_link_libraries(sysfolders_tests PRIVATE varnex_app varnex_test_support gtest_main)
add_test(NAME sysfolders_tests COMMAND sysfolders_tests)

# Not a test: scripts/take-screenshots.sh runs it inside a Wine desktop.
add_executable(show_system_folders WIN32
  tests/sysfolders/ShowSystemFolders.cpp
  $<TARGET_OBJECTS:varnex_resources>)
target_link_libraries(show_system_folders PRIVATE varnex_sysfolders)
