#include "app/MainForm.h"
#include "fakes/ProgramFixture.h"

using namespace korimba;
using namespace korimba::app;

namespace {

class Shutdown : public fakes::ProgramFixture {
protected:
    void SetUp() override {
        platform.files.addFile(file("Cleaner.exe"));
        platform.files.addShortName(file("Cleaner.exe"), "CLEANER.EXE");
        startAndShow();
    }
    std::string run() const { return *platform.profile.value("win.ini", "Windows", "Run"); }
    std::optional<std::string> saved() const {
        return platform.profile.value("win.ini", "Windows", "Korimba");
    }
    void setRun(const std::string& value) {
        platform.profile.set("win.ini", "Windows", "Run", value);
    }
    void lock(const char* name) { platform.files.addFile(file(name)); }
    void unlock(const char* name) { platform.files.deleteFile(file(name)); }
    static constexpr const char* kHook = "C:\\Korimba\\CLEANER.EXE";
};

} // namespace

TEST_F(Shutdown, CloseStoresFiveOptionLinesAndDeletesTheNotice) {
    platform.files.addFile(file("message.txt"));
    Form1->ComboBox1.setItemIndex(-1);
    Form1->CheckBox4.setChecked(true);
    Form1->ExplorerButton3.userPress();
    EXPECT_EQ(content("options.ini"), "No\r\nNo\r\nYes\r\n-1\r\nYes\r\n");
    EXPECT_FALSE(platform.files.exists(file("message.txt")));
    EXPECT_TRUE(application->terminated());
}

TEST_F(Shutdown, OptionsThatCannotBeWrittenAreReportedAndTheWindowStillCloses) {
    platform.files.denyWrites(folder());
    Form1->userClose();
    EXPECT_EQ(backend.messageTexts(),
              std::vector<std::string>{"Cannot create file C:\\Korimba\\options.ini"});
    EXPECT_TRUE(application->terminated());
}

TEST_F(Shutdown, HookTurnsAnEmptyRunIntoTheEntryAndBackWithAnEmptySavedKey) {
    setRun("");
    lock("Encoding.bat");
    Form1->AddIni();
    EXPECT_EQ(run(), kHook);
    EXPECT_TRUE(Form1->hookRegistered());
    unlock("Encoding.bat");
    Form1->RemoveIni();
    EXPECT_EQ(run(), "");
    EXPECT_EQ(saved(), std::optional<std::string>(""));
    EXPECT_FALSE(Form1->hookRegistered());
}

TEST_F(Shutdown, HookGoesAfterTheUsersProgramsWithoutAddingBlanks) {
    setRun("C:\\A.EXE C:\\B.EXE");
    lock("Decoding.bat");
    Form1->AddIni();
    EXPECT_EQ(run(), std::string("C:\\A.EXE C:\\B.EXE,") + kHook);
    EXPECT_EQ(saved(), std::optional<std::string>("C:\\A.EXE C:\\B.EXE"));
}

TEST_F(Shutdown, OverlappingJobsKeepTheUsersRunWhicheverEndsFirst) {
    for (const char* first : {"Encoding.bat", "Decoding.bat"}) {
        const char* second = std::string(first) == "Encoding.bat" ? "Decoding.bat" : "Encoding.bat";
        setRun("user.exe");
        lock("Encoding.bat");
        Form1->AddIni();
        lock("Decoding.bat");
        Form1->AddIni();
        Form1->AddIni(); // Kill processes registers again while the jobs run
        EXPECT_EQ(run(), std::string("user.exe,") + kHook);
        unlock(first);
        Form1->RemoveIni();
        EXPECT_EQ(run(), std::string("user.exe,") + kHook) << "the other job still runs";
        EXPECT_TRUE(Form1->hookRegistered());
        unlock(second);
        Form1->RemoveIni();
        EXPECT_EQ(run(), "user.exe") << first;
        EXPECT_FALSE(Form1->hookRegistered());
    }
}

TEST_F(Shutdown, LaterRunRemovesTheHookAndKeepsWhatTheUserAddedMeanwhile) {
    setRun("user.exe");
    lock("Encoding.bat");
    Form1->AddIni();
    Form1->userClose();
    setRun(run() + ",added.exe");
    application.reset();
    startAndShow();
    EXPECT_TRUE(Form1->Timer1.enabled());
    EXPECT_FALSE(Form1->hookRegistered());
    unlock("Encoding.bat");
    Form1->RemoveIni();
    EXPECT_EQ(run(), "user.exe,added.exe");
}

TEST_F(Shutdown, LongRunValueIsKeptWhole) {
    const std::string longRun(5000, 'x');
    setRun(longRun);
    lock("Encoding.bat");
    Form1->AddIni();
    unlock("Encoding.bat");
    Form1->RemoveIni();
    EXPECT_EQ(run(), longRun);
}

TEST_F(Shutdown, RefusedWriteLeavesTheFlagAndIsReportedByTheCaller) {
    setRun("user.exe");
    platform.profile.failWrites();
    lock("Encoding.bat");
    application->dispatch([] { Form1->AddIni(); });
    EXPECT_EQ(backend.messageTexts(), std::vector<std::string>{"Unable to write to win.ini"});
    EXPECT_FALSE(Form1->hookRegistered());
    EXPECT_EQ(run(), "user.exe");
}

TEST_F(Shutdown, MissingCleanerRegistersNothing) {
    platform.files.deleteFile(file("Cleaner.exe"));
    setRun("user.exe");
    lock("Encoding.bat");
    Form1->AddIni();
    EXPECT_EQ(run(), "user.exe");
    unlock("Encoding.bat");
    Form1->RemoveIni();
    EXPECT_EQ(run(), "user.exe");
}

TEST_F(Shutdown, HookNamesOnlyACleanerThatNobodyElseMayReplace) {
    const std::string user = fakes::kFakeUserSid;
    const std::string onlyUser = "O:" + user + "D:(A;;FA;;;" + user + ")";
    const std::string othersModify =
        "O:" + user + "D:AI(A;ID;0x1301bf;;;AU)(A;ID;FA;;;" + user + ")";
    const std::string copyFolder = std::string(fakes::FakeProcess::kLocalAppData) + "Korimba";
    const std::string copy = copyFolder + "\\Cleaner.exe";
    struct Case {
        const char* what;
        std::string programFolder, cleaner, userFolder;
        std::string hook; // "" registers nothing
    } cases[] = {
        {"the user's own folder", onlyUser, onlyUser, onlyUser, kHook},
        {"a folder made under C:\\", othersModify, onlyUser, onlyUser, copy},
        {"Cleaner.exe that others may change", onlyUser, othersModify, onlyUser, copy},
        {"a folder whose security cannot be read", "", onlyUser, onlyUser, copy},
        {"a copy that others could change too", othersModify, onlyUser, othersModify, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto descriptor = [](const std::string& text) {
            return text.empty() ? std::nullopt : std::optional<std::string>(text);
        };
        platform.files.addFile(file("Cleaner.exe"), "the cleaner's bytes");
        platform.files.addFolder(copyFolder);
        platform.files.setSecurityDescriptor("C:\\Korimba", descriptor(c.programFolder));
        platform.files.setSecurityDescriptor(file("Cleaner.exe"), descriptor(c.cleaner));
        platform.files.setSecurityDescriptor(copyFolder, descriptor(c.userFolder));
        setRun("user.exe");
        lock("Encoding.bat");
        Form1->AddIni();
        EXPECT_EQ(run(), c.hook.empty() ? "user.exe" : "user.exe," + c.hook);
        if (c.hook == copy) {
            EXPECT_EQ(platform.files.fileContent(copy), "the cleaner's bytes");
            EXPECT_EQ(platform.files.fileContent(copyFolder + "\\Cleaner.ini"),
                      "C:\\Korimba\\\r\n");
        }
        unlock("Encoding.bat");
        Form1->RemoveIni();
        EXPECT_EQ(run(), "user.exe");
        platform.files.deleteFile(copy);
        platform.files.deleteFile(copyFolder + "\\Cleaner.ini");
    }
}
