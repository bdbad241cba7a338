// The list encode and decode commands and the list progress, on the fake
// platform and the headless desktop.
#include "app/MainForm.h"
#include "fakes/ProgramFixture.h"
#include "lists/ListForm.h"
#include "settings/BufferForm.h"
#include "settings/PreferencesForm.h"

using namespace korimba;
using korimba::app::Form1;
using korimba::lists::Form6;

namespace {

class ListJob : public fakes::ProgramFixture {
protected:
    void SetUp() override {
        auto& files = platform.files;
        files.addFile("C:\\L3ENC\\L3ENC.EXE");
        files.addFile("D:\\TOOLS\\L3DEC.EXE");
        files.addFolder("E:\\");
        for (const char* name : {"Night and day.wav", "Mr. X.wav", "Blue.wav", "One.mp3"})
            files.addFile(std::string("D:\\Music\\") + name, "audio");
        files.addShortName("D:\\Music\\Night and day.wav", "NIGHTA~1.WAV");
        files.addShortName("D:\\Music\\Mr. X.wav", "MRX~1.WAV");
        writeLines("Settings.ini", {"C:\\L3ENC\\L3ENC.EXE", "D:\\TOOLS\\L3DEC.EXE"});
        startAndShow();
    }
    // The list as typed; both list commands usable whatever its first entry.
    void makeList(const std::string& text, const std::string& output) {
        Form6->Memo1.setText(text);
        Form6->Edit1.setText(output);
        Form1->ExplorerButton6.setEnabled(true);
        Form1->ExplorerButton7.setEnabled(true);
    }
    bool exists(const std::string& relative) const { return platform.files.exists(file(relative)); }
    static constexpr const char* kListErrors =
        "There are errors in your input list, please resolve them and retry.";
};

} // namespace

TEST_F(ListJob, EncodeListWritesOneBlockPerEntryAndWatches) {
    makeList("D:\\Music\\Night and day.wav\r\nD:\\Music\\Mr. X.wav\r\n", "E:\\MP3\\");
    platform.files.addFile(file("Temp\\LE\\STALE.MP3"), "from an interrupted job");
    platform.files.addFile(file("Temp\\LE\\Sub\\old.wav"));
    settings::Form7->CheckBox4.setChecked(false);

    Form1->ExplorerButton6.userPress();

    EXPECT_TRUE(backend.messages.empty());
    EXPECT_TRUE(platform.files.isFolder("E:\\MP3"));
    EXPECT_TRUE(platform.files.isFolder(file("Temp\\LE")));
    EXPECT_TRUE(platform.files.listFolder(file("Temp\\LE\\")).empty()) << "emptied first";
    // No count and no completion program: their preferences are off.
    EXPECT_EQ(content("Encoding.bat"),
              "@Echo Off\r\n"
              "Echo Korimba for Windows 95\r\n"
              "Echo\"\r\n"
              "deltree /Y C:\\KORIMBA\\TEMP\\LE\\*.*\r\n"
              "C:\r\n"
              "cd C:\\L3ENC\r\n"
              ">\"C:\\Korimba\\EncList.tmp\" Echo 1\r\n"
              ">>\"C:\\Korimba\\EncList.tmp\" Echo 2\r\n"
              ">nul move /Y \"C:\\Korimba\\EncList.tmp\" \"C:\\Korimba\\EncList.dat\"\r\n"
              "C:\\L3ENC\\L3ENC.EXE D:\\Music\\NIGHTA~1.WAV "
              "C:\\Korimba\\Temp\\LE\\NIGHTA~1.WAV -br 112000   \r\n"
              "Echo\"\r\n"
              "Echo Converting output to Long FileName...\r\n"
              "ren \"C:\\Korimba\\Temp\\LE\\NIGHTA~1.WAV\" \"x.wav\"\r\n"
              "ren \"C:\\Korimba\\Temp\\LE\\x.wav\" \"Night and day.wav\"\r\n"
              "ren \"C:\\Korimba\\Temp\\LE\\Night and day.wav\" \"Night and day.mp3\"\r\n"
              "move C:\\Korimba\\Temp\\LE\\*.MP3 \"E:\\MP3\\\"\r\n"
              "cls\r\n"
              "Echo Korimba for Windows 95\r\n"
              "Echo\"\r\n"
              ">\"C:\\Korimba\\EncList.tmp\" Echo 2\r\n"
              ">>\"C:\\Korimba\\EncList.tmp\" Echo 2\r\n"
              ">nul move /Y \"C:\\Korimba\\EncList.tmp\" \"C:\\Korimba\\EncList.dat\"\r\n"
              "C:\\L3ENC\\L3ENC.EXE D:\\Music\\MRX~1.WAV "
              "C:\\Korimba\\Temp\\LE\\MRX~1.WAV -br 112000   \r\n"
              "Echo\"\r\n"
              "Echo Converting output to Long FileName...\r\n"
              "ren \"C:\\Korimba\\Temp\\LE\\MRX~1.WAV\" \"x.wav\"\r\n"
              "ren \"C:\\Korimba\\Temp\\LE\\x.wav\" \"Mr. X.wav\"\r\n"
              "ren \"C:\\Korimba\\Temp\\LE\\Mr. X.wav\" \"Mr. X.mp3\"\r\n"
              "move C:\\Korimba\\Temp\\LE\\*.MP3 \"E:\\MP3\\\"\r\n"
              "cls\r\n"
              "Echo Korimba for Windows 95\r\n"
              "Echo\"\r\n"
              "del \"C:\\Korimba\\Encoding.bat\"\r\n");
    ASSERT_EQ(platform.shell.executions().size(), 1u);
    EXPECT_EQ(platform.shell.executions()[0],
              (fakes::ShellExecution{Form1, "open", file("Encoding.bat"), "", "", 0}));
    EXPECT_EQ(Form1->Label7.caption(), "Encoding multiple files...");
    EXPECT_EQ(Form1->Label7.hint(), "Encoding multiple files");
    EXPECT_TRUE(Form1->Timer1.enabled());
    EXPECT_TRUE(Form1->hookRegistered());
    EXPECT_EQ(settings::generalBuffer().count(), 0u);
}

TEST_F(ListJob, DecodeListPassesTheSwitchesAndNeedsNoEncoder) {
    platform.files.deleteFile("C:\\L3ENC\\L3ENC.EXE");
    makeList("D:\\Music\\One.mp3", "E:\\Waves\\");
    Form1->CheckBox1.setChecked(true);
    Form6->CheckBox1.setChecked(true);
    Form1->ExplorerButton7.userPress();
    EXPECT_TRUE(backend.modalsShown.empty());
    // The encoder's drive as stored; its folder, which needs its short form, is empty.
    EXPECT_EQ(
        content("Decoding.bat"),
        "@Echo Off\r\n"
        "Echo Korimba for Windows 95\r\n"
        "Echo\"\r\n"
        "deltree /Y C:\\KORIMBA\\TEMP\\LD\\*.*\r\n"
        "C:\r\n"
        "cd \r\n"
        ">\"C:\\Korimba\\DecList.tmp\" Echo 1\r\n"
        ">>\"C:\\Korimba\\DecList.tmp\" Echo 1\r\n"
        ">nul move /Y \"C:\\Korimba\\DecList.tmp\" \"C:\\Korimba\\DecList.dat\"\r\n"
        "D:\\TOOLS\\L3DEC.EXE D:\\Music\\One.mp3 C:\\Korimba\\Temp\\LD\\One.mp3 -wav -hq  \r\n"
        "Echo\"\r\n"
        "Echo Converting output to Long FileName...\r\n"
        "if not exist \"C:\\Korimba\\Temp\\LD\\One.mp3\" goto next1\r\n"
        "ren \"C:\\Korimba\\Temp\\LD\\One.mp3\" \"x.mp3\"\r\n"
        "ren \"C:\\Korimba\\Temp\\LD\\x.mp3\" \"One.mp3\"\r\n"
        "ren \"C:\\Korimba\\Temp\\LD\\One.mp3\" \"One.wav\"\r\n"
        "move C:\\Korimba\\Temp\\LD\\*.wav \"E:\\Waves\\\"\r\n"
        "if not exist \"C:\\Korimba\\Temp\\LD\\One.wav\" del D:\\Music\\One.mp3\r\n"
        ":next1\r\n"
        "cls\r\n"
        "Echo Korimba for Windows 95\r\n"
        "Echo\"\r\n"
        "start C:\\Korimba\\Message.exe L D \"E:\\Waves\\\"\r\n"
        "del \"C:\\Korimba\\Decoding.bat\"\r\n");
    EXPECT_EQ(Form1->Label8.caption(), "Decoding multiple files...");
    EXPECT_TRUE(Form1->Timer2.enabled());
}

TEST_F(ListJob, BadEntriesAreReportedOnceAndStopEverythingButTheCoderCheck) {
    for (const char* list : {"D:\\Music\\Blue.wav\r\nD:\\Music\\One.mp3",
                             "D:\\Music\\Blue.wav\r\n\r\nD:\\Music\\Mr. X.wav",
                             "D:\\Music\\Blue.wav\r\nD:\\Music\\Gone.wav\r\nD:\\Music"}) {
        backend.messages.clear();
        makeList(list, "Music");
        Form1->ExplorerButton6.userPress();
        EXPECT_EQ(backend.messageTexts(), std::vector<std::string>{kListErrors}) << list;
    }
    EXPECT_FALSE(exists("Encoding.bat"));
    EXPECT_FALSE(exists("Temp"));
    EXPECT_TRUE(platform.shell.executions().empty());
}

TEST_F(ListJob, OutputFolderMustHaveAFolderPart) {
    makeList("D:\\Music\\Blue.wav", "Music");
    Form1->ExplorerButton6.userPress();
    makeList("D:\\Music\\One.mp3", "Music");
    Form1->ExplorerButton7.userPress();
    EXPECT_EQ(backend.messageTexts(),
              (std::vector<std::string>{
                  "Please enter an output folder (ie. 'C:\\Folder\\').",
                  "Please enter an output folder (ie. 'C:\\Folder\\Filename.mp3')."}));
    makeList("D:\\Music\\Blue.wav", "C:");
    Form1->ExplorerButton6.userPress();
    EXPECT_TRUE(exists("Encoding.bat")) << "a drive alone will do";
}

TEST_F(ListJob, MissingCoderOpensTheDialogEvenAfterAListError) {
    platform.files.deleteFile("C:\\L3ENC\\L3ENC.EXE");
    makeList("D:\\Music\\Gone.wav", "E:\\MP3\\");
    Form1->ExplorerButton6.userPress();
    EXPECT_EQ(backend.messageTexts(), std::vector<std::string>{kListErrors});
    EXPECT_EQ(backend.modalsShown, std::vector<std::string>{"TForm2"});
}

TEST_F(ListJob, RunningJobOfTheSameDirectionRefusesOnlyThatDirection) {
    platform.files.addFile(file("Encoding.bat"), "single encode running");
    platform.files.addFile(file("Decoding.bat"), "decode running");
    makeList("D:\\Music\\Blue.wav", "E:\\MP3\\");
    Form1->ExplorerButton6.userPress();
    makeList("D:\\Music\\One.mp3", "E:\\MP3\\");
    Form1->ExplorerButton7.userPress();
    EXPECT_EQ(backend.messageTexts(),
              (std::vector<std::string>{"An encoding process is still in progress, please try "
                                        "again when the encoding has finished.",
                                        "An decoding process is still in progress, please try "
                                        "again when the decoding has finished."}));
    EXPECT_EQ(content("Encoding.bat"), "single encode running");

    platform.files.deleteFile(file("Decoding.bat"));
    Form1->ExplorerButton7.userPress();
    EXPECT_TRUE(exists("Decoding.bat")) << "an encode does not block a decode";
}

TEST_F(ListJob, ProgressFileBecomesTheCaptionAndGoes) {
    makeList("D:\\Music\\Blue.wav", "E:\\MP3\\");
    Form1->ExplorerButton6.userPress();
    auto tickWith = [&](const char* content) {
        platform.files.addFile(file("EncList.dat"), content);
        Form1->Timer1.tick();
        EXPECT_FALSE(exists("EncList.dat"));
        return Form1->Label7.caption();
    };
    EXPECT_EQ(tickWith("4\r\n12\r\n"), "Encoding file 4 of 12...");

    // Caught between the script's two writes (a script that writes in place):
    // the caption stays, and so does the file until it is whole.
    for (const char* half : {"5\r\n", "12\r\n", ""}) {
        platform.files.addFile(file("EncList.dat"), half);
        Form1->Timer1.tick();
        EXPECT_EQ(Form1->Label7.caption(), "Encoding file 4 of 12...") << half;
        EXPECT_TRUE(exists("EncList.dat")) << half;
    }
    EXPECT_EQ(tickWith("5\r\n12\r\n"), "Encoding file 5 of 12...");
    // Entries coded at once start in any order: the caption never goes back.
    EXPECT_EQ(tickWith("3\r\n12\r\n"), "Encoding file 5 of 12...");

    // No file: nothing changes.
    Form1->Timer1.tick();
    EXPECT_EQ(Form1->Label7.caption(), "Encoding file 5 of 12...");

    // Not readable yet: the buffer's last content, and the deletion still tried.
    tickWith("5\r\n12\r\n");
    platform.files.addFile(file("EncList.dat"), "6\r\n12\r\n");
    platform.files.denyReads(file("EncList.dat"));
    Form1->Timer1.tick();
    EXPECT_EQ(Form1->Label7.caption(), "Encoding file 5 of 12...");
    EXPECT_TRUE(backend.messages.empty());
    EXPECT_EQ(Form1->Label8.caption(), "Decoding in progress...") << "the other direction";
}

// The script's progress lines run against the file system, with a watcher tick
// before and after each of them: wherever the ticks fall, the label shows the
// start caption and then every entry's whole caption, in order, and nothing else.
TEST_F(ListJob, WatcherTicksBetweenTheScriptsProgressLinesShowOnlyWholeCaptions) {
    for (const bool encode : {true, false}) {
        const std::string list = encode ? "EncList" : "DecList";
        if (encode)
            makeList("D:\\Music\\Night and day.wav\r\nD:\\Music\\Mr. X.wav\r\n"
                     "D:\\Music\\Blue.wav\r\n",
                     "E:\\MP3\\");
        else
            makeList("D:\\Music\\One.mp3\r\nD:\\Music\\One.mp3\r\nD:\\Music\\One.mp3\r\n",
                     "E:\\Waves\\");
        (encode ? Form1->ExplorerButton6 : Form1->ExplorerButton7).userPress();
        ui::Timer& timer = encode ? Form1->Timer1 : Form1->Timer2;
        const ui::Label& label = encode ? Form1->Label7 : Form1->Label8;
        const std::string verb = encode ? "Encoding" : "Decoding";
        std::vector<std::string> seen{label.caption()};
        auto tick = [&] {
            timer.tick();
            if (label.caption() != seen.back())
                seen.push_back(label.caption());
        };
        auto pathIn = [](const std::string& line, std::size_t from) {
            const std::size_t open = line.find('"', from);
            return line.substr(open + 1, line.find('"', open + 1) - open - 1);
        };
        const std::string script = content(encode ? "Encoding.bat" : "Decoding.bat");
        std::size_t progressLines = 0;
        for (std::size_t at = 0, end; (end = script.find("\r\n", at)) != std::string::npos;
             at = end + 2) {
            const std::string line = script.substr(at, end - at);
            if (line.find(list) == std::string::npos)
                continue;
            ++progressLines;
            tick();
            const std::size_t echo = line.find("\" Echo ");
            const std::string move = ">nul move /Y \"";
            if (line.rfind(move, 0) == 0) {
                const std::size_t split = line.find("\" \"");
                const std::string from = line.substr(move.size(), split - move.size());
                const std::string to = pathIn(line, split + 2);
                ASSERT_TRUE(platform.files.exists(from)) << line;
                const std::string text = *platform.files.readFile(from);
                platform.files.deleteFile(to);
                platform.files.deleteFile(from);
                platform.files.addFile(to, text);
            } else if (line.rfind(">>\"", 0) == 0 && echo != std::string::npos) {
                const std::string path = pathIn(line, 0);
                const std::string text = platform.files.readFile(path).value_or("");
                platform.files.addFile(path, text + line.substr(echo + 7) + "\r\n");
            } else if (line.rfind(">\"", 0) == 0 && echo != std::string::npos) {
                platform.files.addFile(pathIn(line, 0), line.substr(echo + 7) + "\r\n");
            } else {
                FAIL() << "not a progress line: " << line;
            }
            tick();
        }
        EXPECT_EQ(progressLines, 9u);
        platform.files.deleteFile(file(encode ? "Encoding.bat" : "Decoding.bat"));
        tick();
        EXPECT_FALSE(timer.enabled());
        EXPECT_EQ(seen,
                  (std::vector<std::string>{verb + " multiple files...", verb + " file 1 of 3...",
                                            verb + " file 2 of 3...", verb + " file 3 of 3..."}));
        EXPECT_FALSE(exists(list + ".dat"));
        EXPECT_FALSE(exists(list + ".tmp"));
    }
}

TEST_F(ListJob, ProgressFileThatCannotBeDeletedIsReadAgain) {
    Form1->Timer2.setEnabled(true);
    platform.files.addFile(file("Decoding.bat"));
    platform.files.addFile(file("DecList.dat"), "1\r\n3\r\n");
    platform.files.denyWrites(file("DecList.dat"));
    Form1->Timer2.tick();
    Form1->Timer2.tick();
    EXPECT_EQ(Form1->Label8.caption(), "Decoding file 1 of 3...");
    EXPECT_TRUE(exists("DecList.dat"));
    EXPECT_TRUE(Form1->Timer2.enabled());
    EXPECT_EQ(Form1->Label7.caption(), "Encoding in progress...");
}

TEST_F(ListJob, LeftoverProgressFileIsPickedUpOnTheEndingTick) {
    platform.files.addFile(file("EncList.dat"), "2\r\n9\r\n");
    Form1->Timer1.setEnabled(true);
    Form1->Timer1.tick();
    EXPECT_FALSE(Form1->Timer1.enabled()) << "no lock file: the job has ended";
    EXPECT_FALSE(exists("EncList.dat"));
    EXPECT_EQ(Form1->Label7.caption(), "Encoding file 2 of 9...");
}
