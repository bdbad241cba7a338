#include "app/RecoveryHook.h"
#include "fakes/HeadlessBackend.h"
#include "platform/win32/Win32Platform.h"
#include "settings/ProgramFiles.h"
#include "settings/WinIni.h"
#include "ui/Application.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace korimba;

namespace {

// The hook with the real profile API on win.ini, the program folder being this
// test's folder (where Cleaner.exe is built).
class RecoveryHookOnWinIni : public ::testing::Test {
protected:
    platform::win32::Win32Platform system;
    fakes::HeadlessBackend backend;
    ui::Application application{system.bundle(), backend};
    settings::WinIni winIni{system.profile};
    std::string savedRun;
    std::string savedCopy;

    void SetUp() override {
        savedRun = winIni.readString("Windows", "Run");
        savedCopy = winIni.readString("Windows", "Korimba");
    }
    void TearDown() override {
        DeleteFileA(settings::programFile("Encoding.bat").c_str());
        DeleteFileA(settings::programFile("Decoding.bat").c_str());
        winIni.writeString("Windows", "Run", savedRun);
        winIni.writeString("Windows", "Korimba", savedCopy);
    }
    void lock(const char* name, bool on) {
        if (on)
            system.files.writeFile(settings::programFile(name), "");
        else
            DeleteFileA(settings::programFile(name).c_str());
    }
    std::string run() { return winIni.readString("Windows", "Run"); }
};

} // namespace

TEST_F(RecoveryHookOnWinIni, OverlappingJobsRestoreALongUserValue) {
    const std::string hook = app::hookEntry();
    ASSERT_FALSE(hook.empty()) << "Cleaner.exe is built beside the tests";
    const std::string user = "C:\\USER.EXE " + std::string(2000, 'u');
    winIni.writeString("Windows", "Run", user);
    lock("Encoding.bat", true);
    app::registerHook();
    lock("Decoding.bat", true);
    app::registerHook();
    EXPECT_EQ(run(), user + "," + hook);
    EXPECT_EQ(winIni.readString("Windows", "Korimba"), user);
    lock("Decoding.bat", false);
    EXPECT_FALSE(app::removeHookIfIdle());
    EXPECT_EQ(run(), user + "," + hook);
    lock("Encoding.bat", false);
    EXPECT_TRUE(app::removeHookIfIdle());
    EXPECT_EQ(run(), user);
    EXPECT_EQ(winIni.readString("Windows", "Korimba"), "");
}
