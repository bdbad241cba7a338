#include "settings/WinIni.h"

#include "fakes/FakePlatform.h"
#include "platform/Exception.h"

#include <gtest/gtest.h>

using korimba::Exception;
using korimba::fakes::FakeProfile;
using korimba::settings::WinIni;

TEST(WinIni, ReadsAndWritesWinIniBySectionAndKey) {
    FakeProfile profile;
    WinIni winIni(profile);
    EXPECT_EQ(winIni.readString("Windows", "Run"), "");
    winIni.writeString("Korimba", "Path", "C:\\Korimba");
    EXPECT_EQ(profile.value("WIN.INI", "korimba", "path"), "C:\\Korimba");
    EXPECT_EQ(winIni.readString("KORIMBA", "PATH"), "C:\\Korimba");
}

TEST(WinIni, EmptyValueIsWrittenNotDeleted) {
    FakeProfile profile;
    profile.set("win.ini", "Windows", "Korimba", "C:\\old.exe");
    WinIni(profile).writeString("Windows", "Korimba", "");
    EXPECT_EQ(profile.value("win.ini", "Windows", "Korimba"), "");
}

TEST(WinIni, LongRunValueComesBackWhole) {
    FakeProfile profile;
    WinIni winIni(profile);
    std::string run;
    for (int i = 0; run.size() < 5000; ++i) {
        run += "C:\\PROGRA~1\\TOOL" + std::to_string(i) + "\\START.EXE,";
    }
    winIni.writeString("Windows", "Run", run);
    EXPECT_EQ(winIni.readString("Windows", "Run"), run);
}

TEST(WinIni, RefusedWriteRaisesUnableToWrite) {
    FakeProfile profile;
    profile.set("win.ini", "Windows", "Run", "a.exe");
    profile.failWrites();
    try {
        WinIni(profile).writeString("Windows", "Run", "a.exe,C:\\KORIMBA\\CLEANER.EXE");
        FAIL() << "no error";
    } catch (const Exception& error) {
        EXPECT_EQ(error.message(), "Unable to write to win.ini");
    }
    EXPECT_EQ(profile.value("win.ini", "Windows", "Run"), "a.exe");
}
