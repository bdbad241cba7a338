// What Cleaner.exe does at a start of Windows, on the fake platform: Windows
// started at 500, files written at the fake clock's default (later: a job of
// this session) unless a test dates them earlier (an interrupted job).
#include "app/Cleanup.h"
#include "app/RecoveryHook.h"
#include "fakes/FakePlatform.h"
#include "platform/Exception.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace korimba;

namespace {

constexpr platform::FileTime kWindowsStarted = 500;
constexpr platform::FileTime kBeforeTheRestart = 100;
constexpr const char* kHook = "C:\\Korimba\\CLEANER.EXE";
constexpr const char* kUserRun = "C:\\TOOLS\\A.EXE C:\\TOOLS\\B.EXE";

class Cleanup : public ::testing::Test {
protected:
    void SetUp() override {
        platform.process.setSystemStartTime(kWindowsStarted);
        platform.files.addFile(file("Cleaner.exe"));
        platform.files.addShortName(file("Cleaner.exe"), "CLEANER.EXE");
        setRun(std::string(kUserRun) + "," + kHook);
        platform.profile.set("win.ini", "Windows", "Korimba", kUserRun);
    }

    std::string file(const std::string& relative) const {
        return platform.programFolder() + relative;
    }
    void add(const std::vector<std::string>& relatives) {
        for (const std::string& relative : relatives)
            platform.files.addFile(file(relative));
    }
    void interrupted(const std::string& relative) {
        platform.files.addFile(file(relative));
        platform.files.setWriteTime(file(relative), kBeforeTheRestart);
    }
    void setRun(const std::string& run) { platform.profile.set("win.ini", "Windows", "Run", run); }
    std::string run() const { return *platform.profile.value("win.ini", "Windows", "Run"); }
    std::string saved() const { return *platform.profile.value("win.ini", "Windows", "Korimba"); }

    void cleanUp() {
        platform::Platform bundle = platform.bundle();
        app::cleanUpAfterRestart(bundle, platform.programFolder());
    }
    void expectPresent(const std::vector<std::string>& relatives) const {
        for (const std::string& relative : relatives)
            EXPECT_TRUE(platform.files.exists(file(relative))) << relative;
    }
    void expectGone(const std::vector<std::string>& relatives) const {
        for (const std::string& relative : relatives)
            EXPECT_FALSE(platform.files.exists(file(relative))) << relative;
    }

    fakes::FakePlatform platform;
};

// Files of the user's that look like ours: none of them is something a job made.
const std::vector<std::string> kUserFiles = {
    "Settings.ini",           "Temp\\thesis.doc",   "Temp\\song.wav.txt",  "Temp\\a.wave",
    "Temp\\Other\\x.wav",     "Temp\\Encoding.bat", "Temp\\thesis.err",    "Temp\\x.txt.err",
    "Temp\\wav.err",          "Temp\\.wav.errs",    "Temp\\x.wav.err.txt", "Temp\\x.wav.err\\a.wav",
    "Temp\\Other\\x.wav.err",
};

} // namespace

TEST_F(Cleanup, InterruptedJobsLoseTheirFilesAndRunGetsTheUserValueBack) {
    interrupted("Encoding.bat");
    interrupted("Decoding.bat");
    add({"EncList.dat", "DecList.dat", "EncList.tmp", "DecList.tmp", "Temp\\NIGHTA~1.WAV",
         "Temp\\Loud.Mp3", "Temp\\LE\\BLUE.WAV", "Temp\\LD\\BLUE.MP3", "Temp\\LD\\notes.txt"});
    add(kUserFiles);

    cleanUp();

    expectGone({"Encoding.bat", "Decoding.bat", "EncList.dat", "DecList.dat", "EncList.tmp",
                "DecList.tmp", "Temp\\NIGHTA~1.WAV", "Temp\\Loud.Mp3", "Temp\\LE\\BLUE.WAV",
                "Temp\\LD\\BLUE.MP3", "Temp\\LD\\notes.txt"});
    expectPresent(kUserFiles);
    expectPresent({"Cleaner.exe", "Temp\\LE\\", "Temp\\LD\\"});
    EXPECT_EQ(run(), kUserRun);
    EXPECT_EQ(saved(), "");
}

TEST_F(Cleanup, InterruptedEncodeTakesItsNotesAndStagingSubfoldersOnly) {
    setRun(kUserRun); // the lock file alone tells: the decode direction stays as it is
    interrupted("Encoding.bat");
    add({"Temp\\NIGHTA~1.WAV.err", "Temp\\VOICE.SND.ERR", "Temp\\Loud.Wav.Err",
         "Temp\\LE\\BLUE.WAV.err", "Temp\\LE\\N1\\Night and day.wav",
         "Temp\\LE\\N1\\N2\\A long name.snd", "Temp\\LE\\N3\\", "Temp\\TRACK.MP3.err",
         "Temp\\LD\\N1\\Track one.mp3", "Temp\\LD\\TRACK.MP3.err"});
    // What workers coding entries at once leave: the worker script, a marker,
    // claims taken and not, and an entry's folder with its half-made result.
    add({"Temp\\LE\\WORKER.BAT", "Temp\\LE\\DONE2", "Temp\\LE\\C1.2", "Temp\\LE\\C2",
         "Temp\\LE\\E1\\BLUE.WAV", "Temp\\LE\\E1\\BLUE.WAV.err", "Temp\\LE\\E2\\"});
    add(kUserFiles);

    cleanUp();

    expectGone({"Encoding.bat", "Temp\\NIGHTA~1.WAV.err", "Temp\\VOICE.SND.ERR",
                "Temp\\Loud.Wav.Err", "Temp\\LE\\BLUE.WAV.err", "Temp\\LE\\N1\\",
                "Temp\\LE\\N3\\", "Temp\\LE\\WORKER.BAT", "Temp\\LE\\DONE2",
                "Temp\\LE\\C1.2", "Temp\\LE\\C2", "Temp\\LE\\E1\\", "Temp\\LE\\E2\\"});
    expectPresent({"Temp\\LE\\", "Temp\\TRACK.MP3.err", "Temp\\LD\\N1\\Track one.mp3",
                   "Temp\\LD\\TRACK.MP3.err"});
    expectPresent(kUserFiles);
}

TEST_F(Cleanup, InterruptedDecodeTakesItsNotesAndStagingSubfoldersOnly) {
    setRun(kUserRun);
    interrupted("Decoding.bat");
    add({"Temp\\TRACK.MP3.err", "Temp\\old.mp3.ERR", "Temp\\LD\\N1\\Track one.mp3",
         "Temp\\LD\\N2\\", "Temp\\NIGHTA~1.WAV.err", "Temp\\VOICE.SND.err",
         "Temp\\LE\\N1\\Night and day.wav"});
    add(kUserFiles);

    cleanUp();

    expectGone({"Temp\\TRACK.MP3.err", "Temp\\old.mp3.ERR", "Temp\\LD\\N1\\", "Temp\\LD\\N2\\"});
    expectPresent({"Temp\\LD\\", "Temp\\NIGHTA~1.WAV.err", "Temp\\VOICE.SND.err",
                   "Temp\\LE\\N1\\Night and day.wav"});
    expectPresent(kUserFiles);
}

TEST_F(Cleanup, AStagingSubfolderKeepsAFileThatCannotBeDeleted) {
    interrupted("Encoding.bat");
    add({"Temp\\LE\\N1\\locked.wav", "Temp\\LE\\N1\\free.wav", "Temp\\LE\\N1\\N2\\x.wav",
         "Temp\\LE\\N3\\y.wav"});
    platform.files.denyWrites(file("Temp\\LE\\N1\\locked.wav"));

    cleanUp();

    expectPresent({"Temp\\LE\\N1\\locked.wav"});
    expectGone({"Temp\\LE\\N1\\free.wav", "Temp\\LE\\N1\\N2\\", "Temp\\LE\\N3\\", "Encoding.bat"});
}

TEST_F(Cleanup, WithoutAHookOrAnInterruptedJobNothingChanges) {
    setRun(kUserRun);
    add({"Temp\\NIGHTA~1.WAV", "Temp\\LD\\BLUE.MP3", "EncList.dat"});
    add(kUserFiles);
    const int writesBefore = platform.profile.writeCount();

    cleanUp();

    expectPresent({"Temp\\NIGHTA~1.WAV", "Temp\\LD\\BLUE.MP3", "EncList.dat"});
    expectPresent(kUserFiles);
    EXPECT_EQ(platform.profile.writeCount(), writesBefore);
    EXPECT_EQ(saved(), kUserRun);
}

TEST_F(Cleanup, AJobStartedSinceWindowsStartedIsLeftRunningWithItsHook) {
    const std::vector<std::string> running = {"Encoding.bat",           "EncList.dat",
                                              "Temp\\NIGHTA~1.WAV",     "Temp\\NIGHTA~1.WAV.err",
                                              "Temp\\VOICE.SND.err",    "Temp\\LE\\BLUE.WAV",
                                              "Temp\\LE\\BLUE.WAV.err", "Temp\\LE\\N1\\Blue.wav"};
    add(running);
    interrupted("Decoding.bat");
    add({"Temp\\LD\\BLUE.MP3", "Temp\\OLD.MP3", "Temp\\OLD.MP3.err", "Temp\\LD\\N1\\Old.mp3"});

    cleanUp();

    expectPresent(running);
    expectGone({"Decoding.bat", "Temp\\LD\\BLUE.MP3", "Temp\\OLD.MP3", "Temp\\OLD.MP3.err",
                "Temp\\LD\\N1\\"});
    EXPECT_EQ(run(), std::string(kUserRun) + "," + kHook) << "the running job still needs it";
    EXPECT_EQ(saved(), kUserRun);

    // A running job and no hook (the user removed it): still nothing of that job goes.
    setRun(kUserRun);
    cleanUp();
    expectPresent(running);
}

TEST_F(Cleanup, HookWithoutLockFilesIsTakenOutAndLeftoversGo) {
    add({"Temp\\NIGHTA~1.WAV", "Temp\\LD\\BLUE.MP3"});
    setRun(std::string("c:\\korimba\\cleaner.exe,") + kUserRun);

    cleanUp();

    expectGone({"Temp\\NIGHTA~1.WAV", "Temp\\LD\\BLUE.MP3"});
    EXPECT_EQ(run(), kUserRun);
}

TEST_F(Cleanup, InterruptedLockWithoutTheHookIsClearedAndRunLeftAlone) {
    setRun(kUserRun);
    interrupted("Encoding.bat");
    add({"Temp\\NIGHTA~1.WAV", "Temp\\LD\\BLUE.MP3"});
    const int writesBefore = platform.profile.writeCount();

    cleanUp();

    expectGone({"Encoding.bat", "Temp\\NIGHTA~1.WAV"});
    expectPresent({"Temp\\LD\\BLUE.MP3"});
    EXPECT_EQ(platform.profile.writeCount(), writesBefore);
}

TEST_F(Cleanup, AnotherCopysHookIsNotOurs) {
    setRun(std::string(kUserRun) + ",D:\\OTHER\\CLEANER.EXE");
    add({"Temp\\NIGHTA~1.WAV"});

    cleanUp();

    expectPresent({"Temp\\NIGHTA~1.WAV"});
    EXPECT_EQ(run(), std::string(kUserRun) + ",D:\\OTHER\\CLEANER.EXE");
}

TEST_F(Cleanup, FolderTooDeepForAShortPathHasNoHookToFind) {
    // The same 259-character limit as the program's: no hook was ever registered.
    const std::string deep = "C:\\" + std::string(250, 'd') + "\\";
    platform.files.addFile(deep + "Cleaner.exe");
    setRun(deep + "Cleaner.exe");
    platform.files.addFile(deep + "Temp\\X.WAV");

    platform::Platform bundle = platform.bundle();
    app::cleanUpAfterRestart(bundle, deep);

    EXPECT_TRUE(platform.files.exists(deep + "Temp\\X.WAV"));
    EXPECT_EQ(run(), deep + "Cleaner.exe");
}

TEST_F(Cleanup, RefusedWinIniWriteIsRaisedAfterTheFilesAreCleared) {
    interrupted("Encoding.bat");
    platform.profile.failWrites();

    EXPECT_THROW(cleanUp(), Exception);

    expectGone({"Encoding.bat"});
    EXPECT_EQ(run(), std::string(kUserRun) + "," + kHook);
}

// The copy's cleaning itself runs for real in the Win32 tests.
TEST_F(Cleanup, TheUsersCopyCleansTheFolderItsNoteNames) {
    const std::string copyFolder = std::string(fakes::FakeProcess::kLocalAppData) + "Korimba\\";
    const std::string programFolder = platform.programFolder();
    platform.files.addFile(copyFolder + "Cleaner.ini", programFolder + "\r\n");
    platform::Platform bundle = platform.bundle();
    EXPECT_EQ(app::cleanerTarget(bundle), programFolder) << "the folder's own";
    platform.process.setExecutablePath(copyFolder + "Cleaner.exe");
    EXPECT_EQ(app::cleanerTarget(bundle), programFolder) << "the copy, by its note";
    platform.files.addFile(copyFolder + "Cleaner.ini", "");
    EXPECT_EQ(app::cleanerTarget(bundle), "") << "a note that names no folder";
}
