# The resources of every program in the program folder: a version block, the
# manifest and, for korimba.exe, the application icon. Each program gets its
# resource script from the one template resources/windows/program.rc.in; the
# version is the project's (CMakeLists.txt).
enable_language(RC)

set(KORIMBA_COPYRIGHT "Copyright (C) 2026 the Korimba developers")
set(resources_source ${CMAKE_SOURCE_DIR}/resources/windows)
set(resources_binary ${CMAKE_BINARY_DIR}/resources)
set(program_manifest ${resources_source}/program.manifest)

# korimba.exe's icon, drawn at build time by our generator (never committed).
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(icon_maker ${CMAKE_SOURCE_DIR}/tools/icon/make_icon.py)
set(program_icon ${resources_binary}/korimba.ico)
add_custom_command(
  OUTPUT ${program_icon}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${resources_binary}
  COMMAND ${Python3_EXECUTABLE} ${icon_maker} ${program_icon}
  DEPENDS ${icon_maker}
  COMMENT "korimba.exe's icon"
  VERBATIM)
add_custom_target(program_icon DEPENDS ${program_icon})

# korimba_resources(TARGET DESCRIPTION [COMMENTS text] [ICON file])
function(korimba_resources target description)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "COMMENTS;ICON" "")
  get_target_property(name ${target} OUTPUT_NAME)
  if(NOT name)
    set(name ${target})
  endif()
  set(KORIMBA_RC_DESCRIPTION "${description}")
  set(KORIMBA_RC_INTERNAL_NAME "${name}")
  set(KORIMBA_RC_FILE_NAME "${name}${CMAKE_EXECUTABLE_SUFFIX}")
  set(KORIMBA_RC_MANIFEST "${program_manifest}")
  set(KORIMBA_RC_COMMENTS "")
  if(arg_COMMENTS)
    set(KORIMBA_RC_COMMENTS "            VALUE \"Comments\", \"${arg_COMMENTS}\"")
  endif()
  # The first icon group is what Explorer shows; the windows load it by this name.
  set(KORIMBA_RC_ICON "")
  set(inputs ${program_manifest})
  if(arg_ICON)
    set(KORIMBA_RC_ICON "MAINICON ICON \"${arg_ICON}\"")
    list(APPEND inputs ${arg_ICON})
  endif()
  set(script ${resources_binary}/${name}.rc)
  configure_file(${resources_source}/program.rc.in ${script} @ONLY)
  target_sources(${target} PRIVATE ${script})
  # windres reports no dependencies; these are what the script pulls in.
  set_source_files_properties(${script} TARGET_DIRECTORY ${target}
                              PROPERTIES OBJECT_DEPENDS "${inputs}")
endfunction()

korimba_resources(korimba "Korimba WAV and MP3 converter" ICON ${program_icon})
add_dependencies(korimba program_icon)
korimba_resources(Message "Korimba end-of-job notice")
korimba_resources(Cleaner "Korimba clean-up after an interrupted job")
korimba_resources(l3enc "Korimba encoder, WAV to MP3" COMMENTS "contains LAME 3.100, GNU LGPL")
korimba_resources(l3dec "Korimba decoder, MP3 to WAV" COMMENTS "contains libmpg123 1.31, GNU LGPL")

# The Win32 test of the resources reads korimba.exe beside it, and its version
# calls.
add_dependencies(win32_tests korimba)
target_link_libraries(win32_tests PRIVATE version)
