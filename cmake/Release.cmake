# The folder a Windows user copies, build/release/, and its zip, build/varnex-VERSION.zip,
# both beside the Windows build folder. The folder is made anew each time, so that
# nothing left from an earlier release goes into the zip. The zip holds the files
# themselves: Windows' "Extract All" puts them into a folder named after the zip.
get_filename_component(release_parent ${CMAKE_BINARY_DIR} DIRECTORY)
set(release_dir ${release_parent}/release)
set(release_zip ${release_parent}/varnex-${PROJECT_VERSION}.zip)

# CRLF, so that every Notepad shows the text in lines.
set(release_readme ${CMAKE_BINARY_DIR}/ReadMe.txt)
configure_file(${CMAKE_SOURCE_DIR}/res/ReadMe.txt.in ${release_readme} @ONLY NEWLINE_STYLE WIN32)

set(release_sources $<TARGET_FILE:varnex> $<TARGET_FILE:ppj> $<TARGET_FILE:kelvra>
  ${CMAKE_BINARY_DIR}/Zentrel.chm ${CMAKE_SOURCE_DIR}/samples/sample.ppj ${release_readme})
set(release_names varnex.exe ppj.exe Kelvra.dll Zentrel.chm sample.ppj ReadMe.txt)
set(release_files ${release_names})
list(TRANSFORM release_files PREPEND ${release_dir}/)

add_custom_command(
  OUTPUT ${release_zip}
  BYPRODUCTS ${release_files}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${release_dir} ${release_zip}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${release_dir}
  COMMAND ${CMAKE_COMMAND} -E copy ${release_sources} ${release_dir}
  COMMAND ${CMAKE_COMMAND} -E chdir ${release_dir}
          ${CMAKE_COMMAND} -E tar cf ${release_zip} --format=zip -- ${release_names}
  DEPENDS ${release_sources} help_file
  COMMENT "Making ${release_dir} and varnex-${PROJECT_VERSION}.zip"
  VERBATIM)
add_custom_target(release DEPENDS ${release_zip})
