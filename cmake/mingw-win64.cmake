# Cross toolchain for the 64-bit Windows programs (the primary build).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KORIMBA_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
