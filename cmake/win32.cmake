# Cross tree, one per architecture (64-bit first, 32-bit too): the Windows
# programs and the tests that need real Win32.
# The Wine prefix of this tree's tests is of the tree's own architecture.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(KORIMBA_WINEARCH win64)
else()
  set(KORIMBA_WINEARCH win32)
endif()
add_compile_definitions(NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0501)

# The real platform alone, for the sibling programs that have no windows of ours.
add_library(korimba_platform STATIC src/platform/win32/Win32Platform.cpp
  src/platform/win32/Win32Security.cpp
  src/platform/win32/SystemLibrary.cpp src/platform/win32/ScreenText.cpp
  src/platform/win32/Dpi.cpp)
target_link_libraries(korimba_platform PUBLIC korimba_core user32 kernel32)
target_compile_options(korimba_platform PRIVATE ${KORIMBA_WARNINGS})

set(KORIMBA_WIN32_SOURCES
  src/ui/win32/ButtonWindows.cpp
  src/ui/win32/ControlWindows.cpp
  src/ui/win32/Accessible.cpp
  src/ui/win32/CustomControlWindow.cpp
  src/ui/win32/CustomServices.cpp
  src/ui/win32/DibImage.cpp
  src/ui/win32/DroppedFiles.cpp
  src/ui/win32/EditWindows.cpp
  src/ui/win32/FormBounds.cpp
  src/ui/win32/FormDisplay.cpp
  src/ui/win32/FormWindow.cpp
  src/ui/win32/Gdi.cpp
  src/ui/win32/GdiCanvas.cpp
  src/ui/win32/Guard.cpp
  src/ui/win32/Keyboard.cpp
  src/ui/win32/Layout.cpp
  src/ui/win32/ListWindows.cpp
  src/ui/win32/MessageBoxes.cpp
  src/ui/win32/MessageLoops.cpp
  src/ui/win32/ModalRun.cpp
  src/ui/win32/NativeWindows.cpp
  src/ui/win32/Notifications.cpp
  src/ui/win32/OpenFileDialog.cpp
  src/ui/win32/Painting.cpp
  src/ui/win32/Peers.cpp
  src/ui/win32/PopupMenus.cpp
  src/ui/win32/Properties.cpp
  src/ui/win32/Tooltips.cpp
  src/ui/win32/Win32Backend.cpp
  src/ui/win32/WindowKinds.cpp
)
add_library(korimba_win32 STATIC ${KORIMBA_WIN32_SOURCES})
target_link_libraries(korimba_win32 PUBLIC korimba_platform korimba_core user32 gdi32 comctl32 kernel32)
target_compile_options(korimba_win32 PRIVATE ${KORIMBA_WARNINGS})

add_executable(korimba WIN32 src/app/main.cpp)
target_link_libraries(korimba PRIVATE korimba_win32)
target_compile_options(korimba PRIVATE ${KORIMBA_WARNINGS})

# Tests under Wine: the emulator script keeps one prefix inside the build tree.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh)
korimba_add_gtest()
file(GLOB KORIMBA_WIN32_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/*.cpp)
add_executable(win32_tests ${KORIMBA_WIN32_TEST_SOURCES} ${CMAKE_SOURCE_DIR}/tests/fakes/HeadlessBackend.cpp)
target_include_directories(win32_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(win32_tests PRIVATE korimba_win32 shell32 comdlg32 gtest gtest_main)
target_compile_options(win32_tests PRIVATE ${KORIMBA_WARNINGS})
add_test(NAME win32_tests COMMAND win32_tests)
set_tests_properties(win32_tests PROPERTIES
  ENVIRONMENT "KORIMBA_BUILD_DIR=${CMAKE_BINARY_DIR};KORIMBA_WINEARCH=${KORIMBA_WINEARCH}"
  TIMEOUT 300 RESOURCE_LOCK wineprefix)
# The baseline of the start-up benchmark (scripts/bench.sh), beside korimba.exe.
add_executable(barewindow WIN32 bench/BareWindow.cpp)
target_link_libraries(barewindow PRIVATE user32 kernel32)
target_compile_options(barewindow PRIVATE ${KORIMBA_WARNINGS})
# What the display's scale costs the painting of a flat button (scripts/bench.sh).
add_executable(scale_paint_bench bench/ScalePaintBench.cpp)
target_link_libraries(scale_paint_bench PRIVATE korimba_win32)
target_compile_options(scale_paint_bench PRIVATE ${KORIMBA_WARNINGS})

# The drop-down panels' demonstration, which the end-to-end tests drive; beside
# korimba.exe like the harness's own programs, never in the program folder.
add_executable(paneldemo WIN32 tests/demo/PanelDemo.cpp)
target_link_libraries(paneldemo PRIVATE korimba_win32)
target_compile_options(paneldemo PRIVATE ${KORIMBA_WARNINGS})
set_target_properties(paneldemo PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

add_subdirectory(tools)
add_subdirectory(tests/e2e)
# The resources first: the setup program takes korimba.exe's icon and the copyright.
include(cmake/resources.cmake)
include(cmake/program.cmake)
