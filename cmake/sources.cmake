# Portable sources: no <windows.h>, compiled in both trees.
set(KORIMBA_CORE_SOURCES
  src/platform/CommandLine.cpp
  src/platform/Exception.cpp
)

add_library(korimba_core STATIC ${KORIMBA_CORE_SOURCES})
target_include_directories(korimba_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(korimba_core PRIVATE ${KORIMBA_WARNINGS})

# GoogleTest from Debian's source package, so the cross tree can build it too.
set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
function(korimba_add_gtest)
  if(NOT TARGET gtest)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
    add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  endif()
endfunction()
