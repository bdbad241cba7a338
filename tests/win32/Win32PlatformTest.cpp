#include "jobs/PathRules.h"
#include "platform/win32/Win32Platform.h"
#include "settings/WinIni.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <thread>

using namespace korimba;
using namespace korimba::platform::win32;

namespace {

// A fresh folder under the temp folder, removed again by the test's end.
class RealFolders : public ::testing::Test {
protected:
    Win32Platform system;
    std::string root;

    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        root =
            std::string(temp) + "korimba platform " + std::to_string(GetCurrentProcessId()) + "\\";
        ASSERT_TRUE(system.files.createFolders(root + "Some Folder\\Deeper Still"));
        ASSERT_TRUE(system.files.writeFile(root + "Some Folder\\track file.wav", "RIFF"));
    }
    void TearDown() override { support::removeTree(root); }
};

bool waitUntilGone(const std::string& path, std::chrono::seconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

} // namespace

TEST(Win32Platform, ExecutablePathNamesThisProgram) {
    Win32Process process;
    const std::string path = process.executablePath();
    EXPECT_NE(path.find("win32_tests.exe"), std::string::npos) << path;
}

TEST_F(RealFolders, ShortAndLongFormsRoundTripThroughFoldersWithBlanks) {
    const std::string longFile = root + "Some Folder\\track file.wav";
    const std::string shortFile = paths::ShortPath(system.files, longFile);
    ASSERT_FALSE(shortFile.empty());
    EXPECT_EQ(shortFile.find(' '), std::string::npos) << shortFile;
    EXPECT_EQ(paths::LongPath(system.files, shortFile), longFile);

    const std::string shortFolder = paths::ShortPath(system.files, root + "Some Folder\\");
    ASSERT_FALSE(shortFolder.empty());
    EXPECT_EQ(shortFolder.back(), '\\') << "the trailing backslash stays";
    EXPECT_EQ(paths::LongPath(system.files, shortFolder), root + "Some Folder\\");
}

TEST_F(RealFolders, MissingPathsHaveNoShortFormAndNoLongForm) {
    EXPECT_EQ(paths::ShortPath(system.files, root + "Some Folder\\absent.wav"), "");
    const std::string shortFolder = paths::ShortPath(system.files, root + "Some Folder\\");
    const std::string throughMissing = shortFolder + "Missing\\Deeper Still\\x.wav";
    EXPECT_EQ(paths::LongPath(system.files, throughMissing), throughMissing);
}

TEST_F(RealFolders, WildcardComponentTakesTheFirstMatch) {
    EXPECT_EQ(paths::LongPath(system.files, root + "Some Folder\\track*.wav"),
              root + "Some Folder\\track file.wav");
    EXPECT_EQ(paths::LongPath(system.files, root + "Some Folder\\Deeper Stil?\\"),
              root + "Some Folder\\Deeper Still\\");
}

TEST_F(RealFolders, WritableFolderIsFoundOutWithoutATrace) {
    const std::string folder = root + "Some Folder\\";
    const auto before = system.files.listFolder(folder);
    EXPECT_TRUE(system.files.canWriteFolder(folder));
    const auto after = system.files.listFolder(folder);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i)
        EXPECT_EQ(after[i].name, before[i].name);
    EXPECT_EQ(system.files.readFile(folder + "track file.wav"), "RIFF");

    EXPECT_FALSE(system.files.canWriteFolder(root + "Missing\\"));
    EXPECT_FALSE(system.files.canWriteFolder(folder + "track file.wav\\"));
}

// A rename into place keeps the file open for deletion a moment after the new
// name appears; a list job's progress file is read at once, in that moment.
TEST_F(RealFolders, FileStillOpenForDeletionByAMoveIsRead) {
    const std::string path = root + "Some Folder\\track file.wav";
    HANDLE mover = CreateFileA(path.c_str(), DELETE | SYNCHRONIZE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(mover, INVALID_HANDLE_VALUE);
    EXPECT_EQ(system.files.readFile(path), std::optional<std::string>("RIFF"));
    CloseHandle(mover);
}

TEST_F(RealFolders, FilesAreCopiedDeletedAndReadWhole) {
    const std::string from = root + "Some Folder\\track file.wav";
    const std::string to = root + "Some Folder\\copy.wav";
    EXPECT_TRUE(system.files.copyFile(from, to, true));
    EXPECT_FALSE(system.files.copyFile(from, to, true)) << "fail if exists";
    EXPECT_TRUE(system.files.copyFile(from, to, false));
    EXPECT_EQ(system.files.readFile(to), std::optional<std::string>("RIFF"));
    EXPECT_TRUE(system.files.deleteFile(to));
    EXPECT_FALSE(system.files.exists(to));
    EXPECT_FALSE(system.files.readFile(to).has_value());
}

TEST(Win32Profile, LongRunValueSurvivesARoundTripThroughWinIni) {
    Win32Profile profile;
    settings::WinIni winIni(profile);
    const std::string before = winIni.readString("KorimbaTest", "Run");
    std::string value;
    for (int i = 0; value.size() < 4000; ++i)
        value += "C:\\PROGRA~1\\TOOL" + std::to_string(i) + "\\RUNME.EXE,";
    winIni.writeString("KorimbaTest", "Run", value);
    EXPECT_EQ(winIni.readString("KorimbaTest", "Run"), value);
    winIni.writeString("KorimbaTest", "Run", "");
    EXPECT_EQ(winIni.readString("KorimbaTest", "Run"), "");
    WritePrivateProfileStringA("KorimbaTest", nullptr, nullptr, "win.ini");
    EXPECT_EQ(before, "");
}

TEST_F(RealFolders, ShellRunsABatchFileThatDeletesItself) {
    const std::string script = root + "Some Folder\\Selfdel.bat";
    ASSERT_TRUE(
        system.files.writeFile(script, "@Echo Off\r\nEcho Korimba\r\ndel \"" + script + "\"\r\n"));
    system.shell.execute(nullptr, "open", script, "", "", 0);
    EXPECT_TRUE(waitUntilGone(script, std::chrono::seconds(30)));
}
