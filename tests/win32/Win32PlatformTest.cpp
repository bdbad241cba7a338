#include "platform/win32/Win32Platform.h"

#include <gtest/gtest.h>

using namespace korimba::platform::win32;

TEST(Win32Platform, ExecutablePathNamesThisProgram) {
    Win32Process process;
    const std::string path = process.executablePath();
    EXPECT_NE(path.find("win32_tests.exe"), std::string::npos) << path;
}
