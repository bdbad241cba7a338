# Portable sources: no <windows.h>, compiled in both trees.
set(KORIMBA_CORE_SOURCES
  src/app/AboutForm.cpp
  src/app/AboutIcon.cpp
  src/app/Cleanup.cpp
  src/app/MainForm.cpp
  src/app/JobLaunch.cpp
  src/app/JobRunner.cpp
  src/app/Links.cpp
  src/app/ListJobs.cpp
  src/app/Maintenance.cpp
  src/app/MainFormFields.cpp
  src/app/Program.cpp
  src/app/RecoveryHook.cpp
  src/app/Shutdown.cpp
  src/app/SingleJobs.cpp
  src/app/Watchers.cpp
  src/app/RunHook.cpp
  src/lists/ListForm.cpp
  src/lists/ListProgress.cpp
  src/lists/ListScript.cpp
  src/settings/BufferForm.cpp
  src/settings/JobSettings.cpp
  src/settings/LastOptions.cpp
  src/settings/PreferencesForm.cpp
  src/settings/ProgramFiles.cpp
  src/settings/ToolPaths.cpp
  src/settings/ToolPathsForm.cpp
  src/settings/VisualPackage.cpp
  src/ui/TextLines.cpp
  src/widgets/ExplorerButton.cpp
  src/widgets/ExplorerButtonPaint.cpp
  src/widgets/ExplorerPopup.cpp
  src/widgets/WindowFrame.cpp
  src/platform/CommandLine.cpp
  src/platform/WriteAccess.cpp
  src/platform/Exception.cpp
  src/ui/Accelerator.cpp
  src/ui/Application.cpp
  src/ui/Bitmap.cpp
  src/ui/CustomControl.cpp
  src/ui/Raster.cpp
  src/ui/RasterCanvas.cpp
  src/ui/ScaledCanvas.cpp
  src/ui/Control.cpp
  src/ui/Controls.cpp
  src/ui/Dialogs.cpp
  src/ui/Form.cpp
  src/ui/Menu.cpp
  src/ui/Timer.cpp
  src/jobs/ExternalPrograms.cpp
  src/jobs/JobCommand.cpp
  src/jobs/JobOutcome.cpp
  src/jobs/JobScript.cpp
  src/jobs/ScriptNames.cpp
  src/jobs/JobWatcher.cpp
  src/jobs/ScriptEscape.cpp
  src/jobs/OutputField.cpp
  src/jobs/PathRules.cpp
  src/text/CodePage.cpp
  src/settings/LineFile.cpp
  src/settings/WinIni.cpp
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
