// Jobs with names beyond ASCII, jobs that cannot start, and the report at a
// job's end, on the fake platform (code page 1252 bytes in the names) and the
// headless desktop.
#include "app/MainForm.h"
#include "fakes/ProgramFixture.h"
#include "jobs/ScriptNames.h"
#include "lists/ListForm.h"
#include "settings/BufferForm.h"
#include "settings/PreferencesForm.h"

using namespace korimba;
using korimba::app::Form1;
using korimba::lists::Form6;

namespace {

const std::string kCafeWave = "D:\\Music\\Caf\xE9 \x96 Live.wav";
const std::string kCafeMp3 = "D:\\Music\\Caf\xE9 \x96 Live.mp3";

class JobReport : public fakes::ProgramFixture {
protected:
    void SetUp() override {
        auto& files = platform.files;
        files.addFile("C:\\L3ENC\\L3ENC.EXE");
        files.addFile("C:\\L3ENC\\L3DEC.EXE");
        files.addFolder("E:\\MP3");
        writeLines("Settings.ini", {"C:\\L3ENC\\L3ENC.EXE", "C:\\L3ENC\\L3DEC.EXE"});
        files.makeShortNames();
        files.addFile(kCafeWave, "RIFF");
        files.addFile("D:\\Music\\Blue.wav", "RIFF");
    }
    void encode(const std::string& input, const std::string& output) {
        startAndShow();
        Form1->Edit1.setText(input);
        Form1->Edit2.setText(output);
        Form1->ExplorerButton1.userPress();
    }
    // The script has run: the lock goes, the watcher sees it.
    void endJob(const char* lock = "Encoding.bat") {
        platform.files.deleteFile(file(lock));
        Form1->Timer1.tick();
    }
    std::string shortName(const std::string& path) const {
        return platform.files.shortPathName(path);
    }
};

} // namespace

TEST_F(JobReport, OutputBeyondAsciiIsMadeToBeNamedAndTheScriptSeesOnlyAscii) {
    platform.files.addFile(file("Message.exe"));
    encode(kCafeWave, kCafeMp3);
    ASSERT_TRUE(platform.files.exists(file("Encoding.bat")));
    EXPECT_EQ(platform.files.fileContent(kCafeMp3), "") << "the placeholder";
    const std::string script = content("Encoding.bat");
    EXPECT_TRUE(jobs::isAscii(script)) << script;
    EXPECT_EQ(shortName(kCafeWave), "D:\\Music\\CAFL~1.WAV");
    EXPECT_EQ(shortName(kCafeMp3), "D:\\Music\\CAFL~2.MP3");
    const std::string temporary = "C:\\Korimba\\Temp\\CAFL~1.WAV";
    EXPECT_EQ(script, "@Echo Off\r\n"
                      "Echo Korimba for Windows 95\r\n"
                      "Echo\"\r\n"
                      "erase C:\\Korimba\\Temp\\*.wav\r\n"
                      "C:\r\n"
                      "cd C:\\L3ENC\r\n"
                      "C:\\L3ENC\\L3ENC.EXE D:\\Music\\CAFL~1.WAV C:\\Korimba\\Temp\\CAFL~1.WAV "
                      "-br 112000   \r\n"
                      "Echo\"\r\n"
                      "Echo Converting output to Long FileName...\r\n"
                      "if not exist C:\\Korimba\\Temp\\CAFL~1.WAV del D:\\Music\\CAFL~2.MP3\r\n"
                      "if not exist C:\\Korimba\\Temp\\CAFL~1.WAV goto kept\r\n"
                      "copy /Y C:\\Korimba\\Temp\\CAFL~1.WAV D:\\Music\\CAFL~2.MP3\r\n"
                      "if not errorlevel 1 del C:\\Korimba\\Temp\\CAFL~1.WAV\r\n"
                      ":kept\r\n"
                      "start C:\\Korimba\\Message.exe E D:\\Music\\CAFL~1.WAV D:\\Music\\CAFL~2.MP3\r\n"
                      "del \"C:\\Korimba\\Encoding.bat\"\r\n");

    // The coder failed and the script ended early: the empty placeholder goes.
    // The notice the script started tells why, from the note it reads; the
    // window tells nothing.
    platform.files.addFile(temporary + ".err", "the WAV file holds no audio data\r\n");
    endJob();
    EXPECT_TRUE(backend.messages.empty());
    EXPECT_FALSE(platform.files.exists(kCafeMp3));
    EXPECT_TRUE(platform.files.exists(temporary + ".err")) << "the notice's to read";

    // Without the notice program the window tells, once, and the note goes with the telling.
    platform.files.deleteFile(file("Message.exe"));
    Form1->ExplorerButton1.userPress();
    platform.files.addFile(temporary + ".err", "the WAV file holds no audio data\r\n");
    endJob();
    EXPECT_EQ(backend.messageTexts(),
              std::vector<std::string>{kCafeWave +
                                       " could not be encoded: the WAV file holds no audio data.\n"
                                       "No file was made at " +
                                       kCafeMp3 + "."});
    EXPECT_FALSE(platform.files.exists(temporary + ".err"));
}

TEST_F(JobReport, ArrivedOutputIsNotReportedAndAnOlderOneLeftAsItWasIs) {
    writeLines("Prefs.ini",
               {"Minimized", "No", "No", "No", "No", "No", "Yes", "Yes", "1", "", "No"});
    platform.files.addFile("D:\\Music\\Blue.mp3", "older");
    encode("D:\\Music\\Blue.wav", "D:\\Music\\Blue.mp3");
    endJob();
    EXPECT_EQ(
        backend.messageTexts(),
        std::vector<std::string>{"D:\\Music\\Blue.wav could not be encoded: no reason given.\n"
                                 "The older D:\\Music\\Blue.mp3 was left as it was."});
    EXPECT_EQ(platform.files.fileContent("D:\\Music\\Blue.mp3"), "older");

    backend.messages.clear();
    Form1->ExplorerButton1.userPress();
    platform.files.setClock(fakes::FakeFileSystem::kDefaultClock + 1);
    platform.files.addFile("D:\\Music\\Blue.mp3", "newer");
    endJob();
    EXPECT_TRUE(backend.messages.empty());
}

TEST_F(JobReport, ScriptTheShellRefusesIsReportedAndLeavesNothing) {
    platform.shell.refuse();
    encode(kCafeWave, kCafeMp3);
    EXPECT_EQ(backend.messageTexts(),
              std::vector<std::string>{"The job could not be started: Windows did not run its "
                                       "script C:\\Korimba\\Encoding.bat."});
    EXPECT_FALSE(platform.files.exists(file("Encoding.bat")));
    EXPECT_FALSE(platform.files.exists(kCafeMp3)) << "the placeholder";
    EXPECT_FALSE(Form1->Timer1.enabled());
    EXPECT_FALSE(Form1->hookRegistered());
}

TEST_F(JobReport, NameWithoutShortFormOrOemFormIsRefusedBeforeAnythingIsWritten) {
    platform.files.makeShortNames(false);
    platform.files.addFile("D:\\Plain\\a \x96 b.wav", "RIFF");
    encode("D:\\Plain\\a \x96 b.wav", "D:\\Plain\\a.mp3");
    EXPECT_EQ(backend.messageTexts(),
              std::vector<std::string>{jobs::unnameableMessage("D:\\Plain\\a \x96 b.wav", "\x96")});
    EXPECT_FALSE(platform.files.exists(file("Encoding.bat")));
    EXPECT_TRUE(platform.shell.executions().empty());

    // Every character has an OEM form: the job goes ahead with it.
    backend.messages.clear();
    platform.files.addFile("D:\\Plain\\Caf\xE9.wav", "RIFF");
    Form1->Edit1.setText("D:\\Plain\\Caf\xE9.wav");
    Form1->Edit2.setText("D:\\Plain\\Caf\xE9.mp3");
    Form1->ExplorerButton1.userPress();
    EXPECT_TRUE(backend.messages.empty());
    EXPECT_EQ(
        content("Encoding.bat"),
        "@Echo Off\r\n"
        "Echo Korimba for Windows 95\r\n"
        "Echo\"\r\n"
        "erase C:\\Korimba\\Temp\\*.wav\r\n"
        "C:\r\n"
        "cd C:\\L3ENC\r\n"
        "C:\\L3ENC\\L3ENC.EXE D:\\Plain\\Caf\x82.wav C:\\Korimba\\Temp\\Caf\x82.wav "
        "-br 112000   \r\n"
        "Echo\"\r\n"
        "Echo Converting output to Long FileName...\r\n"
        "if not exist \"D:\\Plain\\Caf\x82.mp3\" goto move\r\n"
        "if exist C:\\Korimba\\Temp\\Caf\x82.wav del \"D:\\Plain\\Caf\x82.mp3\"\r\n"
        ":move\r\n"
        "move C:\\Korimba\\Temp\\Caf\x82.wav \"D:\\Plain\\Caf\x82.mp3\"\r\n"
        "start C:\\Korimba\\Message.exe E D:\\Plain\\Caf\x82.wav \"D:\\Plain\\Caf\x82.mp3\"\r\n"
        "del \"C:\\Korimba\\Encoding.bat\"\r\n");
    EXPECT_FALSE(platform.files.exists("D:\\Plain\\Caf\xE9.mp3")) << "no placeholder";
}

TEST_F(JobReport, ListJobStagesNamesBeyondAsciiAndReportsItsFailures) {
    startAndShow();
    platform.files.addFolder(file("Temp\\LE\\N7"));
    platform.files.addFile(file("Temp\\LE\\old.WAV.err"), "stale\r\n");
    Form6->Memo1.setText(kCafeWave + "\r\nD:\\Music\\Blue.wav\r\n");
    Form6->Edit1.setText("E:\\MP3\\");
    Form1->ExplorerButton6.setEnabled(true);
    settings::Form7->CheckBox4.setChecked(false); // the window tells, not the notice
    Form1->ExplorerButton6.userPress();
    ASSERT_TRUE(platform.files.exists(file("Encoding.bat")));
    EXPECT_FALSE(platform.files.exists(file("Temp\\LE\\N7"))) << "an earlier job's staging";
    EXPECT_FALSE(platform.files.exists(file("Temp\\LE\\old.WAV.err")));
    const std::string staged = file("Temp\\LE\\N1\\Caf\xE9 \x96 Live.mp3");
    EXPECT_EQ(platform.files.fileContent(staged), "");
    const std::string script = content("Encoding.bat");
    EXPECT_TRUE(jobs::isAscii(script)) << script;
    const std::string entry = "\r\n"
                              "Echo\"\r\n"
                              "Echo Converting output to Long FileName...\r\n";
    auto progressAt = [](const std::string& entryNumber) {
        return ">\"C:\\Korimba\\EncList.tmp\" Echo " + entryNumber + "\r\n" +
               ">>\"C:\\Korimba\\EncList.tmp\" Echo 2\r\n" +
               ">nul move /Y \"C:\\Korimba\\EncList.tmp\" \"C:\\Korimba\\EncList.dat\"\r\n";
    };
    const std::string banner = "Echo Korimba for Windows 95\r\n"
                               "Echo\"\r\n";
    EXPECT_EQ(
        script,
        "@Echo Off\r\n" + banner +
            "deltree /Y C:\\KORIMBA\\TEMP\\LE\\*.*\r\n"
            "C:\r\n"
            "cd C:\\L3ENC\r\n" +
            progressAt("1") +
            "C:\\L3ENC\\L3ENC.EXE D:\\Music\\CAFL~1.WAV C:\\Korimba\\Temp\\LE\\CAFL~1.WAV "
            "-br 112000   " +
            entry +
            "if not exist C:\\Korimba\\Temp\\LE\\CAFL~1.WAV goto next1\r\n"
            "copy /Y C:\\Korimba\\Temp\\LE\\CAFL~1.WAV C:\\Korimba\\Temp\\LE\\N1\\CAFL~2.MP3\r\n"
            "if errorlevel 1 goto next1\r\n"
            "del C:\\Korimba\\Temp\\LE\\CAFL~1.WAV\r\n"
            "move C:\\Korimba\\Temp\\LE\\N1\\*.MP3 \"E:\\MP3\\\"\r\n"
            ":next1\r\n"
            "cls\r\n" +
            banner + progressAt("2") +
            "C:\\L3ENC\\L3ENC.EXE D:\\Music\\Blue.wav C:\\Korimba\\Temp\\LE\\Blue.wav "
            "-br 112000   " +
            entry +
            "ren \"C:\\Korimba\\Temp\\LE\\Blue.wav\" \"x.wav\"\r\n"
            "ren \"C:\\Korimba\\Temp\\LE\\x.wav\" \"Blue.wav\"\r\n"
            "ren \"C:\\Korimba\\Temp\\LE\\Blue.wav\" \"Blue.mp3\"\r\n"
            "move C:\\Korimba\\Temp\\LE\\*.MP3 \"E:\\MP3\\\"\r\n"
            "cls\r\n" +
            banner + "del \"C:\\Korimba\\Encoding.bat\"\r\n");

    platform.files.addFile("E:\\MP3\\Blue.mp3", "mp3");
    const std::string note = file("Temp\\LE\\" + shortName(kCafeWave).substr(9) + ".err");
    platform.files.addFile(note, "the file is not a WAV or SND file\r\n");
    endJob();
    EXPECT_EQ(backend.messageTexts(),
              std::vector<std::string>{"1 of 2 files could not be encoded:\n" + kCafeWave +
                                       ": the file is not a WAV or SND file"});
    EXPECT_FALSE(platform.files.exists(note)) << "told";
    EXPECT_FALSE(platform.files.exists(file("Temp\\LE\\N1"))) << "the staging folder goes";
    EXPECT_TRUE(platform.files.isFolder(file("Temp\\LE")));
}

TEST_F(JobReport, UnattendedRunEndsWithTheJobsStatusAndNoBox) {
    for (const bool arrives : {false, true}) {
        application.reset();
        backend.messages.clear();
        setArguments({"D:\\Music\\Blue.wav", "/encode"});
        startAndShow();
        ASSERT_TRUE(platform.files.exists(file("Encoding.bat")));
        EXPECT_EQ(content("Encoding.bat").find("Message.exe"), std::string::npos)
            << "no notice window for a run that nobody watches";
        if (arrives)
            platform.files.addFile("D:\\Music\\Blue.mp3", "mp3");
        endJob();
        EXPECT_TRUE(application->terminated());
        EXPECT_TRUE(backend.messages.empty());
        EXPECT_EQ(application->exitStatus(), arrives ? 0 : 1);
    }
    EXPECT_EQ(platform.process.standardError(),
              "D:\\Music\\Blue.wav could not be encoded: no reason given.\n"
              "No file was made at D:\\Music\\Blue.mp3.\r\n")
        << "the failed run's report, once";
}

TEST_F(JobReport, OutputFolderThatCannotBeWrittenRefusesTheJob) {
    platform.files.addFile("D:\\Locked\\Blue.mp3", "older");
    platform.files.denyWrites("D:\\Locked");
    encode("D:\\Music\\Blue.wav", "D:\\Locked\\Blue.mp3");
    EXPECT_EQ(backend.messageTexts(),
              std::vector<std::string>{"Cannot create file D:\\Locked\\Blue.mp3"});
    EXPECT_FALSE(platform.files.exists(file("Encoding.bat")));

    backend.messages.clear();
    Form6->Memo1.setText("D:\\Music\\Blue.wav\r\n");
    Form6->Edit1.setText("D:\\Locked\\");
    Form1->ExplorerButton6.setEnabled(true);
    Form1->ExplorerButton6.userPress();
    EXPECT_EQ(backend.messageTexts(),
              std::vector<std::string>{"Cannot write to the output folder D:\\Locked\\"});
    EXPECT_FALSE(platform.files.exists(file("Encoding.bat")));
    EXPECT_TRUE(platform.shell.executions().empty());
    EXPECT_EQ(platform.files.fileContent("D:\\Locked\\Blue.mp3"), "older");
}
