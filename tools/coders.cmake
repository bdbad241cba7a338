# l3enc.exe and l3dec.exe: LAME and libmpg123, cross-built from Debian's
# source packages by scripts/coders.sh into a cache outside the checkout,
# behind the portable format code of audio/.

execute_process(COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/coders.sh ${KORIMBA_WINEARCH}
                OUTPUT_VARIABLE coders_dir OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE coders_result)
if(NOT coders_result EQUAL 0 OR NOT EXISTS "${coders_dir}/lib/libmp3lame.a")
  message(FATAL_ERROR "scripts/coders.sh ${KORIMBA_WINEARCH} could not provide LAME and libmpg123")
endif()
# The program folder takes the licence texts from here.
set_property(GLOBAL PROPERTY korimba_coders_dir "${coders_dir}")

add_library(korimba_lame STATIC IMPORTED)
set_target_properties(korimba_lame PROPERTIES
  IMPORTED_LOCATION ${coders_dir}/lib/libmp3lame.a
  INTERFACE_INCLUDE_DIRECTORIES ${coders_dir}/include)
add_library(korimba_mpg123 STATIC IMPORTED)
set_target_properties(korimba_mpg123 PROPERTIES
  IMPORTED_LOCATION ${coders_dir}/lib/libmpg123.a
  INTERFACE_INCLUDE_DIRECTORIES ${coders_dir}/include)

add_library(korimba_audio STATIC
  audio/Arguments.cpp
  audio/InputFormat.cpp
  audio/MpegFrames.cpp
  audio/Pcm16.cpp
  audio/Samples.cpp
  audio/SndFile.cpp
  audio/Streams.cpp
  audio/WavFile.cpp
)
# The coders' note is read by the program too: its format is in src/jobs.
target_include_directories(korimba_audio PUBLIC ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/src)
target_compile_options(korimba_audio PRIVATE ${KORIMBA_WARNINGS})

add_library(korimba_audio_win32 STATIC audio/win32/CoderRun.cpp audio/win32/Console.cpp
            audio/win32/Files.cpp)
target_link_libraries(korimba_audio_win32 PUBLIC korimba_audio kernel32)
target_compile_options(korimba_audio_win32 PRIVATE ${KORIMBA_WARNINGS})

add_executable(l3enc l3enc/main.cpp)
target_link_libraries(l3enc PRIVATE korimba_audio_win32 korimba_lame)
# Not shlwapi.dll, which would bring the window libraries into a console
# program: l3dec/PathFunctions.cpp has the three functions libmpg123 imports.
add_executable(l3dec l3dec/main.cpp l3dec/PathFunctions.cpp)
target_link_libraries(l3dec PRIVATE korimba_audio_win32 korimba_mpg123)

foreach(coder l3enc l3dec)
  target_compile_options(${coder} PRIVATE ${KORIMBA_WARNINGS})
  # Beside korimba.exe and the test programs, where they are looked for.
  set_target_properties(${coder} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
endforeach()

if(TARGET win32_tests)
  add_dependencies(win32_tests l3enc l3dec)
  # The tests read the coders' results with the same format code.
  target_link_libraries(win32_tests PRIVATE korimba_audio)
endif()
