# The program folder, program/ at the top of the cross build tree: what a user
# copies to Windows as it is.
get_property(coders_dir GLOBAL PROPERTY korimba_coders_dir)
set(program_dir ${CMAKE_BINARY_DIR}/program)
set(program_files
  $<TARGET_FILE:korimba>
  $<TARGET_FILE:Message>
  $<TARGET_FILE:Cleaner>
  $<TARGET_FILE:l3enc>
  $<TARGET_FILE:l3dec>
  ${coders_dir}/licences/LAME-COPYING.txt
  ${coders_dir}/licences/mpg123-COPYING.txt
)
add_custom_target(program_folder ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${program_dir}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${program_files} ${program_dir}
  DEPENDS korimba Message Cleaner l3enc l3dec
  COMMENT "Assembling the program folder"
  VERBATIM)

# What the System menu's items need beside the programs: the stored settings of
# the jobs' DOS windows (and their working copies), the help pages, and a sample
# visual package. The files are made by our generators, never committed as bytes.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
file(GLOB help_pages CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/help/*)
set(pif_maker ${CMAKE_SOURCE_DIR}/tools/pif/make_pif.py)
set(package_maker ${CMAKE_SOURCE_DIR}/tools/samples/make_package.py)
set(program_extras
  ${program_dir}/encoding.dat ${program_dir}/decoding.dat
  ${program_dir}/encoding.pif ${program_dir}/decoding.pif
  ${program_dir}/samples/Images/left.bmp ${program_dir}/samples/Images/right.bmp)
add_custom_command(
  OUTPUT ${program_extras}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${program_dir}/samples
  COMMAND ${Python3_EXECUTABLE} ${pif_maker} ${program_dir}/encoding.dat "Korimba encoding" ENCODING.BAT
  COMMAND ${Python3_EXECUTABLE} ${pif_maker} ${program_dir}/decoding.dat "Korimba decoding" DECODING.BAT
  COMMAND ${CMAKE_COMMAND} -E copy ${program_dir}/encoding.dat ${program_dir}/encoding.pif
  COMMAND ${CMAKE_COMMAND} -E copy ${program_dir}/decoding.dat ${program_dir}/decoding.pif
  COMMAND ${Python3_EXECUTABLE} ${package_maker} ${program_dir}/samples
  DEPENDS ${pif_maker} ${package_maker}
  COMMENT "Program information files and the sample package"
  VERBATIM)
add_custom_target(program_extras ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${program_dir}/help
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${help_pages} ${program_dir}/help
  DEPENDS ${program_extras} ${help_pages}
  COMMENT "Help pages"
  VERBATIM)

# The zip of the program folder, korimba-<version>-<x64|x86>.zip in the build
# tree, with one top folder "Korimba". It takes only the files the build puts
# into the program folder: whatever a run of the program left there (its
# settings, job files, a Wine prefix) stays out.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(zip_arch x64)
else()
  set(zip_arch x86)
endif()
set(program_zip ${CMAKE_BINARY_DIR}/korimba-${PROJECT_VERSION}-${zip_arch}.zip)
set(zip_stage ${CMAKE_BINARY_DIR}/zip-stage)
# The folder's files by their paths below it, from the lists above.
set(program_contents)
foreach(file IN LISTS program_files)
  if(file MATCHES "^\\$<TARGET_FILE:(.+)>$")
    list(APPEND program_contents $<TARGET_FILE_NAME:${CMAKE_MATCH_1}>)
  else()
    get_filename_component(name ${file} NAME)
    list(APPEND program_contents ${name})
  endif()
endforeach()
foreach(extra IN LISTS program_extras)
  file(RELATIVE_PATH name ${program_dir} ${extra})
  list(APPEND program_contents ${name})
endforeach()
foreach(page IN LISTS help_pages)
  get_filename_component(name ${page} NAME)
  list(APPEND program_contents help/${name})
endforeach()
set(stage_commands)
foreach(file IN LISTS program_contents)
  list(APPEND stage_commands
    COMMAND ${CMAKE_COMMAND} -E copy ${program_dir}/${file} ${zip_stage}/Korimba/${file})
endforeach()
add_custom_command(
  OUTPUT ${program_zip}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${zip_stage}
  ${stage_commands}
  COMMAND ${CMAKE_COMMAND} -E chdir ${zip_stage}
          ${CMAKE_COMMAND} -E tar cf ${program_zip} --format=zip Korimba
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${zip_stage}
  DEPENDS program_folder program_extras ${program_files} ${program_extras} ${help_pages}
  COMMENT "Zipping the program folder"
  VERBATIM)
add_custom_target(program_zip ALL DEPENDS ${program_zip})

# The setup program beside the zip, korimba-<version>-<x64|x86>-setup.exe, made
# by makensis (Debian's nsis) from resources/setup/korimba.nsi. It installs
# the same files as the zip holds; the list below tells the uninstaller
# exactly which files and folders are the setup's.
find_program(KORIMBA_MAKENSIS makensis REQUIRED)
set(program_setup ${CMAKE_BINARY_DIR}/korimba-${PROJECT_VERSION}-${zip_arch}-setup.exe)
set(setup_script ${CMAKE_SOURCE_DIR}/resources/setup/korimba.nsi)
set(setup_files ${CMAKE_BINARY_DIR}/setup/files.nsh)
set(install_lines "!macro KorimbaInstallFiles\n")
set(uninstall_lines "!macro KorimbaUninstallFiles\n")
set(setup_folders)
foreach(file IN LISTS program_contents)
  string(REPLACE "/" "\\" windows_name "${file}")
  get_filename_component(folder "${file}" DIRECTORY)
  if(folder)
    string(REPLACE "/" "\\" windows_folder "\\${folder}")
    # Each folder and its parents, deepest first when removed.
    while(folder)
      list(APPEND setup_folders ${folder})
      get_filename_component(folder "${folder}" DIRECTORY)
    endwhile()
  else()
    set(windows_folder "")
  endif()
  string(APPEND install_lines
    "  SetOutPath \"$INSTDIR${windows_folder}\"\n  File \"${program_dir}/${file}\"\n")
  string(APPEND uninstall_lines "  Delete \"$INSTDIR\\${windows_name}\"\n")
endforeach()
list(REMOVE_DUPLICATES setup_folders)
list(SORT setup_folders)
list(REVERSE setup_folders)
foreach(folder IN LISTS setup_folders)
  string(REPLACE "/" "\\" windows_folder "${folder}")
  string(APPEND uninstall_lines "  RMDir \"$INSTDIR\\${windows_folder}\"\n")
endforeach()
file(GENERATE OUTPUT ${setup_files}
     CONTENT "${install_lines}!macroend\n${uninstall_lines}!macroend\n")
add_custom_command(
  OUTPUT ${program_setup}
  COMMAND ${KORIMBA_MAKENSIS} -V2 -NOCD
          -DVERSION=${PROJECT_VERSION} -DVERSION4=${PROJECT_VERSION}.0 -DARCH=${zip_arch}
          -DFILES=${setup_files} -DICON=${program_icon} "-DCOPYRIGHT=${KORIMBA_COPYRIGHT}"
          -DOUTFILE=${program_setup} ${setup_script}
  DEPENDS program_folder program_extras program_icon ${setup_script} ${setup_files}
          ${program_files} ${program_extras} ${help_pages}
  COMMENT "The setup program"
  VERBATIM)
add_custom_target(program_setup ALL DEPENDS ${program_setup})
