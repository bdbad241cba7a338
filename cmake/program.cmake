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
