# Cross toolchain for the 32-bit Windows programs (old 32-bit Windows).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KORIMBA_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
