// Runs the real Cleaner.exe on a program folder made for each test, with the
// win.ini entries it reads and writes saved and put back around every test.
#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include "TestSupport.h"
#include "app/RecoveryHook.h"
#include "platform/WriteAccess.h"
#include "platform/win32/Win32Platform.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using namespace korimba::support;

std::optional<std::string> readWinIni(const char* section, const char* key) {
    // A default no real value has tells a missing key from an empty one.
    const char missing[] = "\x01missing";
    std::vector<char> buffer(1 << 16);
    const DWORD length = GetPrivateProfileStringA(section, key, missing, buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), "win.ini");
    const std::string value(buffer.data(), length);
    if (value == missing)
        return std::nullopt;
    return value;
}

// A null value removes the key.
void writeWinIni(const char* section, const char* key, const std::optional<std::string>& value) {
    // Wine refuses to remove a key of a section that is not there.
    if (!value && !readWinIni(section, key))
        return;
    ASSERT_TRUE(
        WritePrivateProfileStringA(section, key, value ? value->c_str() : nullptr, "win.ini"));
}

// Keeps a win.ini key as it was before the test.
class SavedWinIniKey {
public:
    SavedWinIniKey(const char* section, const char* key)
        : section_(section), key_(key), value_(readWinIni(section, key)) {}
    ~SavedWinIniKey() { writeWinIni(section_, key_, value_); }
    SavedWinIniKey(const SavedWinIniKey&) = delete;
    SavedWinIniKey& operator=(const SavedWinIniKey&) = delete;

private:
    const char* section_;
    const char* key_;
    std::optional<std::string> value_;
};

bool exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void createFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(file, "x\r\n", 3, &written, nullptr);
    CloseHandle(file);
}

// Dates a file long before this session of Windows started, as a job's lock
// file is after a restart killed the job.
void dateBeforeTheRestart(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    SYSTEMTIME longAgo = {};
    longAgo.wYear = 2001;
    longAgo.wMonth = 1;
    longAgo.wDay = 1;
    FILETIME time;
    SystemTimeToFileTime(&longAgo, &time);
    EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &time));
    CloseHandle(file);
}

DWORD runAndWait(const std::string& program) {
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        ADD_FAILURE() << "cannot start " << program;
        return ~DWORD{0};
    }
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0) << "Cleaner hangs";
    DWORD exitCode = ~DWORD{0};
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

class CleanerTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = freshTempFolder("Korimba cleaner test");
        programFolder_ = root_ + "\\Audio Coder Program\\";
        ASSERT_TRUE(CreateDirectoryA(programFolder_.c_str(), nullptr));
        // Windows starts the copy in the program folder, whose short path is the hook.
        ASSERT_TRUE(CopyFileA(besideThisProgram("Cleaner.exe").c_str(),
                              (programFolder_ + "Cleaner.exe").c_str(), FALSE));
        hook_ = shortPath(programFolder_ + "Cleaner.exe");
        ASSERT_FALSE(hook_.empty());
        ASSERT_NE(hook_, programFolder_ + "Cleaner.exe");
        writeWinIni("Korimba", "Path", programFolder_.substr(0, programFolder_.size() - 1));
    }

    void TearDown() override { removeTree(root_); }

    void create(const std::string& relative) {
        const std::string path = programFolder_ + relative;
        if (path.back() == '\\')
            ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path;
        else
            createFile(path);
    }
    void createInterrupted(const std::string& relative) {
        create(relative);
        dateBeforeTheRestart(programFolder_ + relative);
    }

    bool has(const std::string& relative) const { return exists(programFolder_ + relative); }

    DWORD runCleaner() const { return runAndWait(programFolder_ + "Cleaner.exe"); }

    SavedWinIniKey savedPath_{"Korimba", "Path"};
    SavedWinIniKey savedRun_{"Windows", "Run"};
    SavedWinIniKey savedCopy_{"Windows", "Korimba"};
    std::string root_;
    std::string programFolder_;
    std::string hook_;
};

} // namespace

TEST_F(CleanerTest, LeftBehindJobsAreClearedAndRunRestored) {
    const std::string user = "C:\\TOOLS\\A.EXE C:\\TOOLS\\B.EXE";
    writeWinIni("Windows", "Run", user + "," + hook_);
    writeWinIni("Windows", "Korimba", user);
    for (const char* name :
         {"EncList.dat", "DecList.dat", "Settings.ini", "Temp\\", "Temp\\NIGHTA~1.WAV",
          "Temp\\thesis.doc", "Temp\\LE\\", "Temp\\LE\\BLUE.WAV", "Temp\\LE\\RED.WAV", "Temp\\LD\\",
          "Temp\\LD\\BLUE.MP3", "Temp\\Other\\", "Temp\\Other\\keep.wav"})
        create(name);
    createInterrupted("Encoding.bat");
    createInterrupted("Decoding.bat");
    // Nothing of ours makes read-only files: this one is somebody else's.
    SetFileAttributesA((programFolder_ + "Temp\\LE\\RED.WAV").c_str(), FILE_ATTRIBUTE_READONLY);

    EXPECT_EQ(runCleaner(), 0u);

    EXPECT_EQ(readWinIni("Windows", "Run"), user);
    EXPECT_EQ(readWinIni("Windows", "Korimba"), "");
    for (const char* gone : {"Encoding.bat", "Decoding.bat", "EncList.dat", "DecList.dat",
                             "Temp\\NIGHTA~1.WAV", "Temp\\LE\\BLUE.WAV", "Temp\\LD\\BLUE.MP3"})
        EXPECT_FALSE(has(gone)) << gone;
    for (const char* kept : {"Settings.ini", "Cleaner.exe", "Temp\\thesis.doc", "Temp\\LE\\RED.WAV",
                             "Temp\\LE", "Temp\\LD", "Temp\\Other\\keep.wav"})
        EXPECT_TRUE(has(kept)) << kept;

    // A second run finds nothing of ours in Run and leaves the saved key alone.
    writeWinIni("Windows", "Korimba", "untouched");
    EXPECT_EQ(runCleaner(), 0u);
    EXPECT_EQ(readWinIni("Windows", "Run"), user);
    EXPECT_EQ(readWinIni("Windows", "Korimba"), "untouched");
    EXPECT_TRUE(has("Temp\\LE\\RED.WAV"));
}

TEST_F(CleanerTest, InterruptedJobsTakeTheCodersNotesAndTheListFoldersSubfolders) {
    writeWinIni("Windows", "Run", hook_);
    for (const char* name : {"Temp\\",
                             "Temp\\NIGHTA~1.WAV.err",
                             "Temp\\VOICE.SND.err",
                             "Temp\\Loud song.Wav.ERR",
                             "Temp\\TRACK.MP3.err",
                             "Temp\\thesis.err",
                             "Temp\\x.txt.err",
                             "Temp\\song.wav.errata",
                             "Temp\\a.wave.err",
                             "Temp\\LE\\",
                             "Temp\\LE\\BLUE.WAV.err",
                             "Temp\\LE\\N1\\",
                             "Temp\\LE\\N1\\Night and day at the opera.wav",
                             "Temp\\LE\\N1\\N2\\",
                             "Temp\\LE\\N1\\N2\\A second long name.snd",
                             "Temp\\LE\\N3\\",
                             "Temp\\LE\\N4\\",
                             "Temp\\LE\\N4\\locked.wav",
                             "Temp\\LD\\",
                             "Temp\\LD\\N1\\",
                             "Temp\\LD\\N1\\Track one of many.mp3"})
        create(name);
    createInterrupted("Encoding.bat");
    createInterrupted("Decoding.bat");
    // Nothing of ours makes read-only files: this one stays, and its folder with it.
    SetFileAttributesA((programFolder_ + "Temp\\LE\\N4\\locked.wav").c_str(),
                       FILE_ATTRIBUTE_READONLY);

    EXPECT_EQ(runCleaner(), 0u);

    for (const char* gone :
         {"Temp\\NIGHTA~1.WAV.err", "Temp\\VOICE.SND.err", "Temp\\Loud song.Wav.ERR",
          "Temp\\TRACK.MP3.err", "Temp\\LE\\BLUE.WAV.err", "Temp\\LE\\N1", "Temp\\LE\\N3",
          "Temp\\LD\\N1"})
        EXPECT_FALSE(has(gone)) << gone;
    for (const char* kept :
         {"Temp\\thesis.err", "Temp\\x.txt.err", "Temp\\song.wav.errata", "Temp\\a.wave.err",
          "Temp\\LE\\N4\\locked.wav", "Temp\\LE", "Temp\\LD"})
        EXPECT_TRUE(has(kept)) << kept;
    EXPECT_TRUE(GetFileAttributesA((programFolder_ + "Temp\\LE\\N4\\locked.wav").c_str()) &
                FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(readWinIni("Windows", "Run"), "");
}

TEST_F(CleanerTest, LongRunKeepsEveryUserEntryAroundTheHook) {
    std::string early;
    for (int i = 0; i < 150; ++i) {
        if (i > 0)
            early += ',';
        early.append("C:\\APPS\\TOOL").append(std::to_string(i)).append("\\RUN.EXE");
    }
    ASSERT_GT(early.size(), 2000u);
    std::string lowerHook = hook_;
    CharLowerA(lowerHook.data());
    writeWinIni("Windows", "Run", early + "," + lowerHook + ",D:\\LATE.EXE");

    EXPECT_EQ(runCleaner(), 0u);

    EXPECT_EQ(readWinIni("Windows", "Run"), early + ",D:\\LATE.EXE");
    EXPECT_EQ(readWinIni("Windows", "Korimba"), "");
}

TEST_F(CleanerTest, NothingToDoChangesNothing) {
    const std::string run = "C:\\TOOLS\\A.EXE";
    writeWinIni("Windows", "Run", run);
    writeWinIni("Windows", "Korimba", "kept");
    for (const char* name :
         {"EncList.dat", "Temp\\", "Temp\\NIGHTA~1.WAV", "Temp\\LD\\", "Temp\\LD\\BLUE.MP3"})
        create(name);

    for (const std::optional<std::string>& path :
         {std::optional<std::string>(), std::optional<std::string>(root_ + "\\Removed Program")}) {
        writeWinIni("Korimba", "Path", path);
        EXPECT_EQ(runCleaner(), 0u);
    }

    EXPECT_EQ(readWinIni("Windows", "Run"), run);
    EXPECT_EQ(readWinIni("Windows", "Korimba"), "kept");
    for (const char* kept : {"EncList.dat", "Temp\\NIGHTA~1.WAV", "Temp\\LD\\BLUE.MP3"})
        EXPECT_TRUE(has(kept)) << kept;
}

TEST_F(CleanerTest, StartedByHandDuringAJobItLeavesThatJobAlone) {
    const std::string run = "C:\\TOOLS\\A.EXE," + hook_;
    writeWinIni("Windows", "Run", run);
    const std::vector<std::string> running = {"Encoding.bat",
                                              "EncList.dat",
                                              "Temp\\",
                                              "Temp\\NIGHTA~1.WAV",
                                              "Temp\\NIGHTA~1.WAV.err",
                                              "Temp\\VOICE.SND.err",
                                              "Temp\\LE\\",
                                              "Temp\\LE\\BLUE.WAV",
                                              "Temp\\LE\\BLUE.WAV.err",
                                              "Temp\\LE\\N1\\",
                                              "Temp\\LE\\N1\\Blue in a long name.wav"};
    for (const std::string& name : running)
        create(name);
    for (const char* name : {"Temp\\LD\\", "Temp\\LD\\OLD.MP3", "Temp\\OLD.MP3.err",
                             "Temp\\LD\\N1\\", "Temp\\LD\\N1\\Old in a long name.mp3"})
        create(name);
    createInterrupted("Decoding.bat");

    EXPECT_EQ(runCleaner(), 0u);

    for (const std::string& kept : running)
        EXPECT_TRUE(has(kept)) << kept;
    for (const char* gone :
         {"Decoding.bat", "Temp\\LD\\OLD.MP3", "Temp\\OLD.MP3.err", "Temp\\LD\\N1"})
        EXPECT_FALSE(has(gone)) << gone;
    EXPECT_EQ(readWinIni("Windows", "Run"), run) << "the running job still needs the hook";
}

TEST_F(CleanerTest, HookGoesAlsoWithoutThePathKey) {
    writeWinIni("Windows", "Run", hook_);
    writeWinIni("Korimba", "Path", std::nullopt);
    createInterrupted("Decoding.bat");

    EXPECT_EQ(runCleaner(), 0u);

    EXPECT_EQ(readWinIni("Windows", "Run"), "");
    EXPECT_FALSE(has("Decoding.bat"));
    EXPECT_FALSE(has("Temp"));
}

TEST_F(CleanerTest, FoldersNamedInWinIniAreNeverTouched) {
    // A folder like Windows' own, with another program's files in its Temp.
    const std::string windowsLike = root_ + "\\windows\\";
    ASSERT_TRUE(CreateDirectoryA(windowsLike.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((windowsLike + "Temp").c_str(), nullptr));
    const std::vector<std::string> foreign = {windowsLike + "Temp\\otherapp.tmp",
                                              windowsLike + "Temp\\SETUP.WAV",
                                              windowsLike + "Encoding.bat"};
    for (const std::string& path : foreign)
        createFile(path);
    dateBeforeTheRestart(windowsLike + "Encoding.bat");
    // Our own folder has an interrupted job to clear at the same time.
    writeWinIni("Windows", "Run", hook_);
    createInterrupted("Encoding.bat");

    const std::string programPath = programFolder_.substr(0, programFolder_.size() - 1);
    for (const std::string& path : {windowsLike.substr(0, windowsLike.size() - 1),
                                    programPath + "\\..\\windows", std::string(".")}) {
        writeWinIni("Korimba", "Path", path);
        EXPECT_EQ(runCleaner(), 0u) << path;
    }

    for (const std::string& path : foreign)
        EXPECT_TRUE(exists(path)) << path;
    EXPECT_FALSE(has("Encoding.bat"));
}

// A copy started from the root of drive C, with Path pointing at the root, at
// Windows' folder and at relative forms of them: files of the user and of other
// programs in C:\Temp and C:\windows\Temp all survive.
TEST(CleanerInTheRootOfADrive, LeavesTheUsersTempFoldersAlone) {
    SavedWinIniKey savedPath{"Korimba", "Path"};
    SavedWinIniKey savedRun{"Windows", "Run"};
    const std::string cleaner = "C:\\Cleaner.exe";
    ASSERT_TRUE(CopyFileA(besideThisProgram("Cleaner.exe").c_str(), cleaner.c_str(), FALSE));
    const bool madeTemp = CreateDirectoryA("C:\\Temp", nullptr) != 0;
    CreateDirectoryA("C:\\windows\\Temp", nullptr);
    const std::vector<std::string> users = {"C:\\Temp\\thesis.doc", "C:\\Temp\\photo.jpg",
                                            "C:\\Temp\\interview.wav",
                                            "C:\\windows\\Temp\\otherapp.tmp"};
    for (const std::string& path : users)
        createFile(path);
    writeWinIni("Windows", "Run", "C:\\TOOLS\\A.EXE");

    for (const char* path : {"C:", "C:\\windows", "C:\\Korimba\\..", "."}) {
        writeWinIni("Korimba", "Path", path);
        EXPECT_EQ(runAndWait(cleaner), 0u) << path;
        for (const std::string& user : users)
            EXPECT_TRUE(exists(user)) << user << " after Path=" << path;
    }
    EXPECT_EQ(readWinIni("Windows", "Run"), "C:\\TOOLS\\A.EXE");

    for (const std::string& path : users)
        DeleteFileA(path.c_str());
    if (madeTemp)
        RemoveDirectoryA("C:\\Temp");
    DeleteFileA(cleaner.c_str());
}

// A program folder that others may change: the hook is the user's own copy of
// Cleaner.exe, which at the next logon cleans the folder its note names. Wine
// keeps a file's security as its Unix mode, so what can be set and read back
// here is "Everyone may modify".
TEST_F(CleanerTest, AFolderOthersMayChangeGetsTheUsersCopyWhichCleansIt) {
    korimba::platform::win32::Win32Platform system;
    korimba::platform::Platform platform = system.bundle();
    const std::string user = system.process.userSid();
    const std::string folder = programFolder_.substr(0, programFolder_.size() - 1);
    const std::string everyoneModifies =
        "O:" + user + "D:(A;OICI;FA;;;SY)(A;OICI;FA;;;" + user + ")(A;OICI;0x1301bf;;;WD)";
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(
        everyoneModifies.c_str(), SDDL_REVISION_1, &descriptor, nullptr));
    EXPECT_TRUE(SetFileSecurityA(
        folder.c_str(), OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, descriptor));
    LocalFree(descriptor);
    const auto readBack = system.files.securityDescriptor(folder);
    ASSERT_TRUE(readBack);
    ASSERT_FALSE(korimba::platform::onlyUserMayChange(*readBack, user)) << *readBack;

    const std::string copyFolder = system.process.localAppDataFolder() + "Korimba\\";
    const std::string entry = korimba::app::entryToRegister(platform, programFolder_);
    EXPECT_EQ(entry, shortPath(copyFolder + "Cleaner.exe"));
    EXPECT_EQ(system.files.readFile(copyFolder + "Cleaner.exe"),
              system.files.readFile(programFolder_ + "Cleaner.exe"));
    EXPECT_EQ(system.files.readFile(copyFolder + "Cleaner.ini"), programFolder_ + "\r\n");

    // As at the next logon, with what an interrupted job left.
    writeWinIni("Windows", "Run", "C:\\TOOLS\\A.EXE," + entry);
    create("Temp\\");
    create("Temp\\NIGHTA~1.WAV");
    EXPECT_EQ(runAndWait(copyFolder + "Cleaner.exe"), 0u);
    EXPECT_EQ(readWinIni("Windows", "Run"), "C:\\TOOLS\\A.EXE");
    EXPECT_FALSE(has("Temp\\NIGHTA~1.WAV"));

    DeleteFileA((copyFolder + "Cleaner.exe").c_str());
    DeleteFileA((copyFolder + "Cleaner.ini").c_str());
    RemoveDirectoryA(copyFolder.c_str());
}
