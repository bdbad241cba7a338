#include "fakes/FakePlatform.h"

#include <gtest/gtest.h>

using namespace korimba::fakes;

// The fake stands in for Windows in every window test, so the semantics those
// tests lean on are pinned here.

TEST(FakeFileSystem, NamesMatchWithoutCaseAndByShortName) {
    FakeFileSystem files;
    files.addFile("C:\\Program Files\\Tool.exe", "x");
    files.addShortName("C:\\program files", "PROGRA~1");
    EXPECT_TRUE(files.exists("c:\\PROGRAM FILES\\tool.EXE"));
    EXPECT_TRUE(files.isFolder("C:\\PROGRA~1\\"));
    EXPECT_FALSE(files.exists("C:\\PROGRA~1\\Tool.exe\\"));
    EXPECT_EQ(files.readFile("C:\\progra~1\\tool.exe"), "x");
    EXPECT_EQ(files.shortPathName("c:\\Program Files\\tool.exe"), "c:\\PROGRA~1\\tool.exe");
}

TEST(FakeFileSystem, RelativeNamesUseTheCurrentFolder) {
    FakeFileSystem files;
    files.addFile("D:\\Music\\Song Title.wav");
    files.addShortName("D:\\Music\\Song Title.wav", "SONGTI~1.WAV");
    files.setCurrentFolder("D:\\Music");
    EXPECT_TRUE(files.exists("Song Title.wav"));
    EXPECT_TRUE(files.exists("D:Song Title.wav"));
    EXPECT_TRUE(files.exists("\\Music\\Song Title.wav"));
    EXPECT_EQ(files.shortPathName("song title.wav"), "SONGTI~1.WAV");
}

TEST(FakeFileSystem, FindFirstNameTakesTheFirstCreatedMatch) {
    FakeFileSystem files;
    files.addFile("C:\\Temp\\b2.wav");
    files.addFile("C:\\Temp\\a1.wav");
    files.addFile("C:\\Temp\\a1.mp3");
    EXPECT_EQ(files.findFirstName("C:\\Temp\\*.WAV"), "b2.wav");
    EXPECT_EQ(files.findFirstName("C:\\Temp\\a?.mp3"), "a1.mp3");
    EXPECT_EQ(files.findFirstName("C:\\Temp\\*1*"), "a1.wav");
    EXPECT_EQ(files.findFirstName("C:\\Temp\\?.wav"), std::nullopt);
    EXPECT_EQ(files.findFirstName("C:\\Nowhere\\*"), std::nullopt);
}

TEST(FakeFileSystem, WritesNeedAnExistingWritableFolder) {
    FakeFileSystem files;
    files.addFolder("C:\\Korimba");
    EXPECT_FALSE(files.writeFile("C:\\Korimba\\Temp\\a.bat", "x"));
    EXPECT_TRUE(files.createFolders("C:\\Korimba\\Temp\\LE"));
    EXPECT_TRUE(files.writeFile("C:\\Korimba\\Temp\\a.bat", "x"));
    EXPECT_FALSE(files.copyFile("C:\\Korimba\\Temp\\a.bat", "C:\\Korimba\\Temp\\a.bat", false));
    EXPECT_TRUE(files.copyFile("C:\\Korimba\\Temp\\a.bat", "C:\\Korimba\\b.bat", true));
    EXPECT_FALSE(files.copyFile("C:\\Korimba\\Temp\\a.bat", "C:\\Korimba\\b.bat", true));
    EXPECT_FALSE(files.createFolders("Q:\\New"));

    files.denyWrites("C:\\Korimba");
    EXPECT_FALSE(files.writeFile("C:\\Korimba\\b.bat", "y"));
    EXPECT_FALSE(files.deleteFile("C:\\Korimba\\Temp\\a.bat"));
    EXPECT_EQ(files.fileContent("C:\\Korimba\\b.bat"), "x");
}

TEST(FakeFileSystem, FolderIsWritableWhenAProbeCanBeMadeAndRemoved) {
    FakeFileSystem files;
    files.addFile("C:\\Korimba\\~probe.tmp", "someone's");
    EXPECT_TRUE(files.canWriteFolder("C:\\Korimba\\"));
    EXPECT_EQ(files.listFolder("C:\\Korimba\\").size(), 1u);
    EXPECT_EQ(files.fileContent("C:\\Korimba\\~probe.tmp"), "someone's");
    EXPECT_FALSE(files.canWriteFolder("C:\\Elsewhere\\"));
    EXPECT_FALSE(files.canWriteFolder("C:\\Korimba\\~probe.tmp\\"));

    files.denyWrites("C:\\Korimba");
    EXPECT_FALSE(files.canWriteFolder("C:\\Korimba\\"));
    EXPECT_TRUE(files.canWriteFolder("C:\\"));
}

TEST(FakeFileSystem, DoubleByteNamesKeepTheirSecondByte) {
    FakeFileSystem files;
    files.setLeadBytes(shiftJisLeadByte);
    files.addFile("C:\\\x83\x5C\\a.wav");
    EXPECT_TRUE(files.isFolder("C:\\\x83\x5C"));
    EXPECT_FALSE(files.exists("C:\\\x83"));
}

TEST(FakePlatform, BundlesTheFakesWithAProgramFolder) {
    FakePlatform fake;
    korimba::platform::Platform platform = fake.bundle();
    EXPECT_EQ(fake.programFolder(), "C:\\Korimba\\");
    EXPECT_TRUE(platform.files.exists(platform.process.executablePath()));

    int scriptsRun = 0;
    fake.shell.setOnExecute([&](const ShellExecution&) { ++scriptsRun; });
    platform.shell.execute(nullptr, "open", "C:\\Korimba\\Encoding.bat", "", "", 6);
    EXPECT_EQ(fake.shell.executions().back(),
              (ShellExecution{nullptr, "open", "C:\\Korimba\\Encoding.bat", "", "", 6}));
    EXPECT_EQ(scriptsRun, 1);
}
