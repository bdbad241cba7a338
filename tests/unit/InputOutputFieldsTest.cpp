#include "app/MainForm.h"
#include "fakes/ProgramFixture.h"
#include "jobs/OutputField.h"
#include "lists/ListForm.h"
#include "settings/PreferencesForm.h"

using namespace korimba;
using namespace korimba::app;
using korimba::jobs::OutputPreferences;

TEST(OutputField, CompletionByThePreferences) {
    const OutputPreferences folderAndExtension{true, false, "", true, false};
    EXPECT_EQ(jobs::outputOnEnter("", "D:\\Music\\a.wav", folderAndExtension), "D:\\Music\\");
    EXPECT_EQ(jobs::outputOnExit("D:\\Music\\", "D:\\Music\\a.wav", folderAndExtension),
              "D:\\Music\\.mp3");
    OutputPreferences withName = folderAndExtension;
    withName.appendFileName = true;
    EXPECT_EQ(jobs::outputOnEnter("", "D:\\Music\\a.wav", withName), "D:\\Music\\a");
    EXPECT_EQ(jobs::outputOnExit("D:\\Music\\a", "D:\\Music\\a.wav", withName), "D:\\Music\\a.mp3");
    EXPECT_EQ(jobs::outputOnExit("D:\\x\\song", "D:\\x\\s.MP3", withName), "D:\\x\\song.wav");
    EXPECT_EQ(jobs::outputOnExit("D:\\x\\song.mp2", "D:\\x\\s.wav", withName), "D:\\x\\song.mp2");
    EXPECT_EQ(jobs::outputOnExit("D:\\x\\song", "D:\\x\\s.snd", withName), "D:\\x\\song");
    EXPECT_EQ(jobs::outputOnEnter("D:\\Other\\", "D:\\Music\\a.wav", withName), "D:\\Other\\a")
        << "a non-empty output is never replaced, only named";
    EXPECT_EQ(jobs::outputOnEnter("D:\\x\\b.mp3", "D:\\Music\\a.wav", withName), "D:\\x\\b.mp3");
}

TEST(OutputField, OtherFolderIsUsedAsTyped) {
    const OutputPreferences other{true, true, "C:\\My MP3s", true, true};
    EXPECT_EQ(jobs::outputOnEnter("", "D:\\Music\\a.wav", other), "C:\\My MP3s");
    EXPECT_EQ(jobs::outputOnExit("C:\\My MP3s", "D:\\Music\\a.wav", other), "C:\\My MP3s.mp3");
    const OutputPreferences nameOnly{false, false, "", false, true};
    EXPECT_EQ(jobs::outputOnEnter("", "D:\\Music\\song.wav", nameOnly), "song");
    EXPECT_EQ(jobs::outputOnEnter("E:", "D:\\Music\\song.wav", nameOnly), "E:song");
}

namespace {

class InputOutputFields : public fakes::ProgramFixture {
protected:
    void SetUp() override { startAndShow(); }
};

} // namespace

TEST_F(InputOutputFields, InputTypeDecidesTheCommands) {
    struct Case {
        const char* input;
        bool encode, decode;
    } cases[] = {{"C:\\Song.WAV", true, false}, {"C:\\a.snd", true, false},
                 {"C:\\Song.Mp3", false, true}, {"C:\\song.mp3.txt", false, false},
                 {"C:\\song", false, false},    {"", false, false}};
    for (const auto& c : cases) {
        Form1->Edit1.setText(c.input);
        EXPECT_EQ(Form1->ExplorerButton1.enabled(), c.encode) << c.input;
        EXPECT_EQ(Form1->ExplorerButton2.enabled(), c.decode) << c.input;
    }
}

TEST_F(InputOutputFields, EnteringAndLeavingTheOutputCompletesIt) {
    Form1->Edit1.setText("D:\\Music\\a.wav");
    Form1->Edit2.setFocus();
    EXPECT_EQ(Form1->Edit2.text(), "D:\\Music\\");
    Form1->Edit1.setFocus();
    EXPECT_EQ(Form1->Edit2.text(), "D:\\Music\\.mp3");
    settings::Form7->CheckBox8.setChecked(true);
    Form1->Edit2.setText("");
    Form1->Edit2.setFocus();
    Form1->ComboBox1.setFocus();
    EXPECT_EQ(Form1->Edit2.text(), "D:\\Music\\a.mp3") << "a preference counts at once";
}

TEST_F(InputOutputFields, BrowseCancelKeepsTheInputAndMovesToTheOutput) {
    Form1->Edit1.setText("D:\\Music\\a.wav");
    std::string initial;
    backend.onOpenDialog = [&](ui::OpenDialog& dialog) {
        initial = dialog.fileName;
        EXPECT_EQ(dialog.title, "Select an input file");
        EXPECT_EQ(dialog.filter, "Input|*.wav;*.snd;*.mp3");
        return false;
    };
    Form1->ExplorerButton4.userPress();
    EXPECT_EQ(initial, "D:\\Music\\a.wav");
    EXPECT_EQ(Form1->Edit1.text(), "D:\\Music\\a.wav");
    EXPECT_EQ(Form1->activeControl(), &Form1->Edit2);
    EXPECT_EQ(Form1->Edit2.text(), "D:\\Music\\");
}

TEST_F(InputOutputFields, OneDroppedFileOfTheRightTypeBecomesTheInput) {
    fakes::FakeDrop wave({"D:\\Music\\Night.WAV"});
    Form1->userDropFiles(wave);
    EXPECT_EQ(Form1->Edit1.text(), "D:\\Music\\Night.WAV");
    EXPECT_TRUE(Form1->ExplorerButton1.enabled());
    EXPECT_EQ(wave.finished, 1);

    const std::string longName = "D:\\" + std::string(300, 'n') + ".mp3";
    for (const std::string& refused : {longName, std::string("D:\\Music\\a.snd"),
                                       std::string("D:\\Music")}) {
        fakes::FakeDrop drop({refused});
        Form1->userDropFiles(drop);
        EXPECT_EQ(drop.finished, 1);
    }
    const std::string wrongType = "You may only drop Wave (*.wav) or MP3 (*.mp3) files.";
    EXPECT_EQ(backend.messageTexts(),
              (std::vector<std::string>{
                  "This name is longer than Windows allows (259 characters):\n" + longName,
                  wrongType, wrongType}));
    EXPECT_EQ(backend.messages[0].title, "Error");
    EXPECT_EQ(Form1->Edit1.text(), "D:\\Music\\Night.WAV");
}

TEST_F(InputOutputFields, SeveralDroppedFilesGoToTheListWindowAtTheMainWindowsPlace) {
    Form1->setBounds(120, 80, Form1->width(), Form1->height());
    fakes::FakeDrop two({"D:\\a.wav", "D:\\b.wav"});
    Form1->userDropFiles(two);
    EXPECT_TRUE(lists::Form6->visible());
    EXPECT_FALSE(Form1->visible());
    EXPECT_EQ(lists::Form6->left(), 120);
    EXPECT_EQ(lists::Form6->top(), 80);
    EXPECT_EQ(two.finished, 1) << "released once, by the list window";

    // Closing the list window gives the main window back where the list was.
    lists::Form6->setBounds(200, 150, lists::Form6->width(), lists::Form6->height());
    lists::Form6->ExplorerButton3.userPress();
    EXPECT_FALSE(lists::Form6->visible());
    EXPECT_TRUE(Form1->visible());
    EXPECT_EQ(Form1->left(), 200);
    EXPECT_EQ(Form1->top(), 150);
    EXPECT_FALSE(application->terminated());

    // "Crea&te list" opens it again in the same way.
    Form1->ExplorerButton5.userPress();
    EXPECT_TRUE(lists::Form6->visible());
    EXPECT_FALSE(Form1->visible());
    EXPECT_EQ(lists::Form6->left(), 200);
}
