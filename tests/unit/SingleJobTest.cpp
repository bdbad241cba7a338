// The Encode and Decode commands and their watchers, on the fake platform and
// the headless desktop.
#include "app/MainForm.h"
#include "fakes/ProgramFixture.h"
#include "jobs/PathRules.h"
#include "settings/BufferForm.h"
#include "settings/PreferencesForm.h"
#include "settings/ToolPathsForm.h"

using namespace korimba;
using namespace korimba::app;

namespace {

constexpr const char* kProgramFolder = "C:\\Program Files\\Audio Coder\\";

class SingleJob : public fakes::ProgramFixture {
protected:
    void SetUp() override {
        auto& files = platform.files;
        platform.process.setExecutablePath(std::string(kProgramFolder) + "korimba.exe");
        files.addFile(std::string(kProgramFolder) + "korimba.exe");
        files.addFile(std::string(kProgramFolder) + "Cleaner.exe");
        files.addShortName("C:\\Program Files", "PROGRA~1");
        files.addShortName("C:\\Program Files\\Audio Coder", "AUDIOC~1");
        files.addFile("C:\\L3ENC\\L3ENC.EXE");
        files.addFile("D:\\TOOLS\\L3DEC.EXE");
        files.addFile("D:\\Music\\Night and day.wav", "RIFF");
        files.addShortName("D:\\Music\\Night and day.wav", "NIGHTA~1.WAV");
        files.addFile("D:\\Music\\Night and day.mp3", "ID3");
        files.addShortName("D:\\Music\\Night and day.mp3", "NIGHTA~1.MP3");
        files.addShortName("D:\\Music", "MUSIC");
        writeLines("Settings.ini", {"C:\\L3ENC\\L3ENC.EXE", "D:\\TOOLS\\L3DEC.EXE"});
    }

    void startWith(const std::string& input, const std::string& output) {
        startAndShow();
        Form1->Edit1.setText(input);
        Form1->Edit2.setText(output);
    }
    std::string lock(const char* name) const { return file(name); }
    bool running(const char* name) const { return platform.files.exists(file(name)); }
    std::string run() const {
        return platform.profile.value("win.ini", "Windows", "Run").value_or("");
    }
    void tick(ui::Timer& timer, int times = 1) {
        for (int i = 0; i < times; ++i)
            timer.tick();
    }
};

} // namespace

TEST_F(SingleJob, EncodeWritesTheScriptLaunchesItAndWatches) {
    platform.files.addFile("D:\\Old\\x.txt");
    startWith("D:\\Music\\Night and day.wav", "D:\\New Folder\\Night and day.mp3");
    Form1->ComboBox1.setItemIndex(8);
    Form1->CheckBox1.setChecked(true);

    Form1->ExplorerButton1.userPress();

    EXPECT_TRUE(backend.messages.empty());
    EXPECT_TRUE(platform.files.isFolder("D:\\New Folder")) << "the output's folder is created";
    EXPECT_TRUE(platform.files.isFolder(file("Temp")));
    EXPECT_EQ(content("Encoding.bat"),
              "@Echo Off\r\n"
              "Echo Korimba for Windows 95\r\n"
              "Echo\"\r\n"
              "erase C:\\PROGRA~1\\AUDIOC~1\\Temp\\*.wav\r\n"
              "C:\r\n"
              "cd C:\\L3ENC\r\n"
              "C:\\L3ENC\\L3ENC.EXE D:\\MUSIC\\NIGHTA~1.WAV "
              "C:\\PROGRA~1\\AUDIOC~1\\Temp\\NIGHTA~1.WAV -br 128000 -hq  \r\n"
              "Echo\"\r\n"
              "Echo Converting output to Long FileName...\r\n"
              "if not exist \"D:\\New Folder\\Night and day.mp3\" goto move\r\n"
              "if exist C:\\PROGRA~1\\AUDIOC~1\\Temp\\NIGHTA~1.WAV del \"D:\\New Folder\\Night and "
              "day.mp3\"\r\n"
              ":move\r\n"
              "move C:\\PROGRA~1\\AUDIOC~1\\Temp\\NIGHTA~1.WAV "
              "\"D:\\New Folder\\Night and day.mp3\"\r\n"
              "start C:\\PROGRA~1\\AUDIOC~1\\Message.exe E D:\\MUSIC\\NIGHTA~1.WAV "
              "\"D:\\New Folder\\Night and day.mp3\"\r\n"
              "del \"C:\\Program Files\\Audio Coder\\Encoding.bat\"\r\n");
    ASSERT_EQ(platform.shell.executions().size(), 1u);
    EXPECT_EQ(platform.shell.executions()[0],
              (fakes::ShellExecution{Form1, "open", file("Encoding.bat"), "", "", 0}));
    EXPECT_EQ(Form1->Label7.caption(), "Encoding Night and da...");
    EXPECT_EQ(Form1->Label7.hint(),
              "Encoding Night and day.wav to D:\\New Folder\\Night and day.mp3");
    EXPECT_TRUE(Form1->Timer1.enabled());
    EXPECT_EQ(run(), "C:\\PROGRA~1\\AUDIOC~1\\Cleaner.exe");
    EXPECT_EQ(backend.minimized, 0);
    EXPECT_EQ(settings::generalBuffer().count(), 0u) << "the buffer is cleared again";
}

TEST_F(SingleJob, DecodeRunsTheDecoderAndMakesNoOutputFolder) {
    startWith("D:\\Music\\Night and day.mp3", "E:\\Out\\Night and day.wav");
    settings::Form7->CheckBox3.setChecked(false);
    settings::Form7->RadioButton1.setChecked(true);
    Form1->CheckBox4.setChecked(true);

    // The decode makes no folder; one that is not there refuses the job at once.
    Form1->ExplorerButton2.userPress();
    EXPECT_EQ(backend.messageTexts(),
              std::vector<std::string>{"Cannot create file E:\\Out\\Night and day.wav"});
    EXPECT_FALSE(platform.files.exists("E:\\Out"));
    EXPECT_FALSE(platform.files.exists(file("Decoding.bat")));
    EXPECT_TRUE(platform.shell.executions().empty());

    backend.messages.clear();
    platform.files.addFolder("E:\\Out");
    Form1->ExplorerButton2.userPress();
    EXPECT_TRUE(backend.messages.empty());
    // No completion program: its preference is off.
    EXPECT_EQ(content("Decoding.bat"),
              "@Echo Off\r\n"
              "Echo Korimba for Windows 95\r\n"
              "Echo\"\r\n"
              "erase C:\\PROGRA~1\\AUDIOC~1\\Temp\\*.mp3\r\n"
              "C:\r\n"
              "cd C:\\L3ENC\r\n"
              "D:\\TOOLS\\L3DEC.EXE D:\\MUSIC\\NIGHTA~1.MP3 "
              "C:\\PROGRA~1\\AUDIOC~1\\Temp\\NIGHTA~1.MP3 -wav   \r\n"
              "Echo\"\r\n"
              "Echo Converting output to Long FileName...\r\n"
              "if not exist \"E:\\Out\\Night and day.wav\" goto move\r\n"
              "if exist C:\\PROGRA~1\\AUDIOC~1\\Temp\\NIGHTA~1.MP3 del "
              "\"E:\\Out\\Night and day.wav\"\r\n"
              ":move\r\n"
              "move C:\\PROGRA~1\\AUDIOC~1\\Temp\\NIGHTA~1.MP3 \"E:\\Out\\Night and day.wav\"\r\n"
              "del \"C:\\Program Files\\Audio Coder\\Decoding.bat\"\r\n");
    ASSERT_EQ(platform.shell.executions().size(), 1u);
    EXPECT_EQ(platform.shell.executions()[0].file, file("Decoding.bat"));
    EXPECT_EQ(platform.shell.executions()[0].showCommand, 3) << "maximized and shown";
    EXPECT_EQ(Form1->Label8.caption(), "Decoding Night and da...");
    EXPECT_TRUE(Form1->Timer2.enabled());
    EXPECT_FALSE(Form1->Timer1.enabled());
}

TEST_F(SingleJob, EveryFailingCheckIsShownAndNothingIsWrittenOrLaunched) {
    platform.files.addFile(file("Encoding.bat"), "running");
    startWith("song.wav", "song.mp3");

    Form1->ExplorerButton1.userPress();

    EXPECT_EQ(backend.messageTexts(),
              (std::vector<std::string>{
                  "An encoding process is still in progress, please try again when the encoding "
                  "has finished.",
                  "You cannot only enter an output file. Please enter a full path (ie. "
                  "'C:\\Folder\\Filename.mp3').",
                  "You cannot only enter an input file. Please enter a full path (ie. "
                  "'C:\\Folder\\Filename.wav')."}));
    EXPECT_EQ(content("Encoding.bat"), "running");
    EXPECT_TRUE(platform.shell.executions().empty());
    EXPECT_FALSE(platform.files.exists(file("Temp")));
    EXPECT_EQ(Form1->Label7.caption(), "Encoding in progress...");
    EXPECT_EQ(run(), "");
}

TEST_F(SingleJob, NamesLongerThanWindowsAllowsEndTheCommandByName) {
    const std::string input = "D:\\" + std::string(256, 'i') + ".wav";
    const std::string output = "D:\\" + std::string(256, 'o') + ".mp3";
    startWith(input, output);
    Form1->ExplorerButton1.userPress();
    EXPECT_EQ(backend.messageTexts(), (std::vector<std::string>{paths::tooLongMessage(input),
                                                                paths::tooLongMessage(output)}));
    EXPECT_TRUE(platform.shell.executions().empty());
}

TEST_F(SingleJob, OutputWithoutANameEndsTheCommandAtOnce) {
    startWith("D:\\Music\\Night and day.mp3", "D:\\Music\\");
    settings::Form7->CheckBox7.setChecked(false);
    settings::Form7->CheckBox8.setChecked(false);
    Form1->ExplorerButton2.userPress();
    EXPECT_EQ(
        backend.messageTexts(),
        std::vector<std::string>{"Please enter an output file (ie. 'C:\\Folder\\Filename.wav')."});

    // With the extension preference on, the folder becomes "\.wav": check 2.
    settings::Form7->CheckBox7.setChecked(true);
    backend.messages.clear();
    Form1->ExplorerButton2.userPress();
    EXPECT_EQ(Form1->Edit2.text(), "D:\\Music\\.wav");
    EXPECT_EQ(
        backend.messageTexts(),
        std::vector<std::string>{"Please enter an output file (ie. 'C:\\Folder\\Filename.wav')."});
    EXPECT_FALSE(running("Decoding.bat"));
}

TEST_F(SingleJob, MissingCoderOpensTheToolPathsDialogAndGoesOnOnlyWithOne) {
    platform.files.deleteFile("C:\\L3ENC\\L3ENC.EXE");
    startWith("D:\\Music\\Night and day.wav", "D:\\Music\\Out.mp3");
    Form1->ExplorerButton1.userPress();
    EXPECT_EQ(backend.modalsShown, std::vector<std::string>{"TForm2"});
    EXPECT_TRUE(backend.messages.empty()) << "refused without a message";
    EXPECT_FALSE(running("Encoding.bat"));

    platform.files.addFile("C:\\Coders\\L3ENC.EXE");
    backend.onModal["TForm2"] = [](ui::Form& dialog) {
        settings::Form2->Edit1.setText("C:\\Coders\\L3ENC.EXE");
        dialog.hide();
    };
    Form1->ExplorerButton1.userPress();
    ASSERT_TRUE(running("Encoding.bat"));
    ui::TextLines lines;
    lines.setText(content("Encoding.bat"));
    EXPECT_EQ(lines.line(4), "C:");
    EXPECT_EQ(lines.line(5), "cd C:\\Coders");
    EXPECT_EQ(lines.line(6), "C:\\Coders\\L3ENC.EXE D:\\MUSIC\\NIGHTA~1.WAV "
                        "C:\\PROGRA~1\\AUDIOC~1\\Temp\\NIGHTA~1.WAV -br 112000   ");
}

TEST_F(SingleJob, OldTemporaryOutputOfTheSameNameIsDeletedBeforeAnEncode) {
    platform.files.addFile(file("Temp\\NIGHTA~1.WAV"), "old");
    platform.files.addFile(file("Temp\\OTHER.WAV"), "other");
    startWith("D:\\Music\\Night and day.wav", "D:\\Music\\Out.mp3");
    Form1->ExplorerButton1.userPress();
    EXPECT_FALSE(platform.files.exists(file("Temp\\NIGHTA~1.WAV")));
    EXPECT_TRUE(platform.files.exists(file("Temp\\OTHER.WAV")))
        << "the script's own erase does that";
}

TEST_F(SingleJob, LaunchFollowsWindowModeAndViewCoding) {
    struct Case {
        ui::RadioButton settings::TForm7::*mode;
        bool view;
        int show;
    };
    const Case cases[] = {
        {&settings::TForm7::RadioButton3, true, 6},  {&settings::TForm7::RadioButton2, true, 5},
        {&settings::TForm7::RadioButton1, true, 3},  {&settings::TForm7::RadioButton3, false, 0},
        {&settings::TForm7::RadioButton2, false, 0}, {&settings::TForm7::RadioButton1, false, 0},
    };
    startWith("D:\\Music\\Night and day.wav", "D:\\Music\\Out.mp3");
    for (const Case& each : cases) {
        (settings::Form7->*each.mode).setChecked(true);
        Form1->CheckBox4.setChecked(each.view);
        platform.files.deleteFile(file("Encoding.bat"));
        Form1->ExplorerButton1.userPress();
        EXPECT_EQ(platform.shell.executions().back().showCommand, each.show);
    }
    EXPECT_EQ(platform.shell.executions().size(), 6u);
}

TEST_F(SingleJob, CaptionCutsTheNameAfterTwelveCharacters) {
    for (const char* name : {"abcdefgh.wav", "song.wav", "abcdefghi.wav"})
        platform.files.addFile(std::string("D:\\Music\\") + name);
    startAndShow();
    const std::pair<const char*, const char*> cases[] = {
        {"D:\\Music\\abcdefgh.wav", "Encoding abcdefgh.wav..."},
        {"D:\\Music\\song.wav", "Encoding song.wav"},
        {"D:\\Music\\abcdefghi.wav", "Encoding abcdefghi.wa..."},
    };
    for (const auto& [input, caption] : cases) {
        platform.files.deleteFile(file("Encoding.bat"));
        Form1->Edit1.setText(input);
        Form1->Edit2.setText("D:\\Music\\Out.mp3");
        Form1->ExplorerButton1.userPress();
        EXPECT_EQ(Form1->Label7.caption(), caption);
    }
}

// With UTF-8 as the code page a character is a code point, of one to four bytes.
TEST_F(SingleJob, CaptionCountsCharactersOfAnyScript) {
    platform.text.setUtf8(true);
    const std::pair<std::string, std::string> cases[] = {
        {"\u65E5\u672C\u8A9E\u306E\u6B4C \u2013 \u30E9\u30A4\u30D6.wav",
         "Encoding \u65E5\u672C\u8A9E\u306E\u6B4C \u2013 \u30E9\u30A4\u30D6...."},
        {"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC.wav",
         "Encoding \u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC.wav..."},
        {"\U0001F3B5 Song.wav", "Encoding \U0001F3B5 Song.wav"},
    };
    platform.files.makeShortNames(); // the scripts name these files by them
    for (const auto& [name, caption] : cases)
        platform.files.addFile("D:\\Music\\" + name);
    startAndShow();
    for (const auto& [name, caption] : cases) {
        platform.files.deleteFile(file("Encoding.bat"));
        Form1->Edit1.setText("D:\\Music\\" + name);
        Form1->Edit2.setText("D:\\Music\\Out.mp3");
        Form1->ExplorerButton1.userPress();
        EXPECT_EQ(Form1->Label7.caption(), caption);
    }
}

TEST_F(SingleJob, WatcherCyclesTheBarAndEndsOnTheFirstTickWithoutTheLock) {
    startWith("D:\\Music\\Night and day.wav", "D:\\Music\\Out.mp3");
    Form1->ExplorerButton1.userPress();
    std::vector<int> positions;
    for (int i = 0; i < 11; ++i) {
        tick(Form1->Timer1);
        positions.push_back(Form1->ProgressBar1.position());
    }
    EXPECT_EQ(positions, (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 0, 10}));
    EXPECT_TRUE(Form1->Label7.visible());
    EXPECT_TRUE(Form1->ProgressBar1.visible());

    platform.files.deleteFile(file("Encoding.bat"));
    tick(Form1->Timer1);
    EXPECT_FALSE(Form1->Timer1.enabled());
    EXPECT_FALSE(Form1->Label7.visible());
    EXPECT_FALSE(Form1->ProgressBar1.visible());
    EXPECT_EQ(Form1->ProgressBar1.position(), 0);
    EXPECT_EQ(run(), "") << "the hook is removed";
    EXPECT_FALSE(application->terminated());
}

TEST_F(SingleJob, EncodeAndDecodeRunSideBySideAndEndApart) {
    startWith("D:\\Music\\Night and day.wav", "D:\\Music\\Out.mp3");
    Form1->ExplorerButton1.userPress();
    Form1->Edit1.setText("D:\\Music\\Night and day.mp3");
    Form1->Edit2.setText("D:\\Music\\Out.wav");
    Form1->ExplorerButton2.userPress();
    ASSERT_TRUE(running("Encoding.bat") && running("Decoding.bat"));
    tick(Form1->Timer1, 3);
    tick(Form1->Timer2, 3);

    platform.files.deleteFile(file("Decoding.bat"));
    tick(Form1->Timer1);
    tick(Form1->Timer2);
    EXPECT_FALSE(Form1->ProgressBar2.visible());
    EXPECT_TRUE(Form1->ProgressBar1.visible());
    EXPECT_EQ(Form1->ProgressBar1.position(), 40);
    EXPECT_EQ(run(), "C:\\PROGRA~1\\AUDIOC~1\\Cleaner.exe") << "the encode job still needs it";

    platform.files.deleteFile(file("Encoding.bat"));
    tick(Form1->Timer1);
    EXPECT_EQ(run(), "");
}

TEST_F(SingleJob, UnattendedEncodeStartsAtActivationAndEndsTheProgramWithTheJob) {
    setArguments({"D:\\MUSIC\\NIGHTA~1.WAV", "/encode"});
    startAndShow();
    EXPECT_EQ(Form1->Edit1.text(), "D:\\Music\\Night and day.wav");
    EXPECT_TRUE(running("Encoding.bat"));
    EXPECT_NE(content("Encoding.bat").find("\"D:\\Music\\Night and day.mp3\""), std::string::npos);
    EXPECT_EQ(backend.minimized, 1);
    EXPECT_FALSE(Form1->ExplorerButton1.enabled());

    // Activated again while the job runs: no second press, so no refusal.
    Form1->userActivate();
    EXPECT_TRUE(backend.messageTexts().empty());
    EXPECT_EQ(platform.shell.executions().size(), 1u);

    // A decode ending meanwhile does not end the program; the encode's end does.
    Form1->Timer2.setEnabled(true);
    tick(Form1->Timer2);
    EXPECT_FALSE(application->terminated());
    platform.files.deleteFile(file("Encoding.bat"));
    tick(Form1->Timer1);
    EXPECT_TRUE(application->terminated());
    EXPECT_EQ(content("options.ini"), "No\r\nNo\r\nYes\r\n7\r\nNo\r\n") << "the ordinary close";
    EXPECT_EQ(application->exitStatus(), 1) << "the coder made nothing";
}

TEST_F(SingleJob, SecondArgumentInAnotherCaseIsNoUnattendedRun) {
    setArguments({"D:\\Music\\Night and day.wav", "/ENCODE"});
    startAndShow();
    EXPECT_FALSE(running("Encoding.bat"));
    EXPECT_EQ(backend.minimized, 0);
}

TEST_F(SingleJob, UnattendedEncodeWithoutAnEncoderAsksOncePerActivation) {
    platform.files.deleteFile("C:\\L3ENC\\L3ENC.EXE");
    setArguments({"D:\\Music\\Night and day.wav", "/encode"});
    startAndShow();
    EXPECT_EQ(backend.modalsShown, std::vector<std::string>{"TForm2"})
        << "the dialog's closing activates the window without pressing again";
    EXPECT_FALSE(running("Encoding.bat"));
    EXPECT_TRUE(application->terminated()) << "nothing is left to wait for";
    EXPECT_EQ(application->exitStatus(), 1);
    EXPECT_EQ(platform.process.standardError(),
              "The encoding was not started: there is no encoder at "
              "\"C:\\L3ENC\\L3ENC.EXE\".\r\n");
}

TEST_F(SingleJob, MissingInputIsRefusedBeforeTheScriptCouldDeleteAnOlderOutput) {
    platform.files.addFile("D:\\Music\\Out.mp3", "older result");
    startWith("D:\\Music\\Gone.wav", "D:\\Music\\Out.mp3");
    Form1->ExplorerButton1.userPress();
    EXPECT_EQ(backend.messageTexts(),
              std::vector<std::string>{"Cannot open file D:\\Music\\Gone.wav"});
    EXPECT_FALSE(running("Encoding.bat"));
    EXPECT_TRUE(platform.shell.executions().empty());
    EXPECT_EQ(platform.files.fileContent("D:\\Music\\Out.mp3"), "older result");
}
