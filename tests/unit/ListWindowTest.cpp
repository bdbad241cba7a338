// The process-list window: drops, the instructional text, its buttons and the
// hand-back to the main window.
#include "app/MainForm.h"
#include "fakes/ProgramFixture.h"
#include "lists/ListForm.h"

using namespace korimba;
using korimba::app::Form1;
using korimba::lists::Form6;

namespace {

class ListWindow : public fakes::ProgramFixture {
protected:
    void SetUp() override {
        startAndShow();
        Form1->ExplorerButton5.userPress();
    }
    void drop(std::vector<std::string> names) {
        fakes::FakeDrop files(std::move(names));
        Form6->userDropFiles(files);
        EXPECT_EQ(files.finished, 1) << "released once";
    }
    void closeList() { Form6->ExplorerButton3.userPress(); }
    static constexpr const char* kRefusal = "You may only drop Wave (*.wav) or MP3 (*.mp3) files.";
};

} // namespace

TEST_F(ListWindow, DropsReplaceTheInstructionsThenAppendAndRefuseFileByFile) {
    EXPECT_TRUE(Form6->showsInstructionalText());
    drop({"D:\\a.wav", "D:\\b.WAV", "D:\\c.wav"});
    EXPECT_EQ(Form6->entries(), (std::vector<std::string>{"D:\\a.wav", "D:\\b.WAV", "D:\\c.wav"}));

    Form6->Memo1.setText("");
    drop({"D:\\notes.txt", "D:\\d.mp3", "D:\\folder"});
    EXPECT_EQ(Form6->entries(), std::vector<std::string>{"D:\\d.mp3"});
    EXPECT_EQ(backend.messageTexts(), (std::vector<std::string>{kRefusal, kRefusal}));
}

TEST_F(ListWindow, EnteringTheListClearsOnlyTheInstructions) {
    Form6->Memo1.setFocus();
    EXPECT_EQ(Form6->entries().size(), 0u);
    Form6->Edit1.setFocus();
    Form6->Memo1.setText("D:\\a.wav");
    Form6->Memo1.setFocus();
    EXPECT_EQ(Form6->entries(), std::vector<std::string>{"D:\\a.wav"});
}

TEST_F(ListWindow, RemoveAllAsksAndKeepsTheOtherFields) {
    drop({"D:\\a.wav", "D:\\b.wav"});
    Form6->Edit1.setText("E:\\Out\\");
    Form6->CheckBox1.setChecked(true);
    backend.answers = {ui::Answer::No, ui::Answer::Yes};
    Form6->ExplorerButton2.userPress();
    EXPECT_EQ(Form6->entries().size(), 2u);
    Form6->ExplorerButton2.userPress();
    EXPECT_EQ(Form6->entries().size(), 0u);
    EXPECT_FALSE(Form6->showsInstructionalText());
    EXPECT_EQ(Form6->Edit1.text(), "E:\\Out\\");
    EXPECT_TRUE(Form6->CheckBox1.checked());
    EXPECT_EQ(backend.messages.back().text,
              "Are you sure you want to remove all entries from the list?");

    closeList();
    EXPECT_FALSE(Form1->ExplorerButton6.enabled());
    EXPECT_FALSE(Form1->ExplorerButton7.enabled());
    EXPECT_EQ(backend.messages.size(), 2u) << "an empty list closes without a warning";
}

TEST_F(ListWindow, OpenExplorerAsksTheShell) {
    Form6->ExplorerButton1.userPress();
    ASSERT_EQ(platform.shell.executions().size(), 1u);
    EXPECT_EQ(platform.shell.executions()[0],
              (fakes::ShellExecution{Form6, "open", "explorer.exe", "", "", 5}));
}

TEST_F(ListWindow, OutputFolderGetsItsBackslashUnlessEmptyOrADrive) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Music", "C:\\Music\\"}, {"C:", "C:"}, {"", ""}, {"E:\\MP3\\", "E:\\MP3\\"}};
    for (const auto& [typed, left] : cases) {
        Form6->Edit1.setFocus();
        Form6->Edit1.setText(typed);
        Form6->Memo1.setFocus();
        EXPECT_EQ(Form6->Edit1.text(), left);
    }
}

TEST_F(ListWindow, ClosingHandsBackAndTheFirstEntryChoosesTheListCommand) {
    drop({"D:\\a.wav", "D:\\b.mp3"});
    Form6->setBounds(150, 90, Form6->width(), Form6->height());
    Form6->Edit1.setText("E:\\Out");
    closeList();
    EXPECT_EQ(Form6->Edit1.text(), "E:\\Out\\");
    EXPECT_FALSE(Form6->visible());
    EXPECT_TRUE(Form1->visible());
    EXPECT_EQ(Form1->left(), 150);
    EXPECT_EQ(Form1->top(), 90);
    EXPECT_EQ(Form1->ExplorerButton5.caption(), "Edi&t list");
    EXPECT_TRUE(Form1->ExplorerButton6.enabled());
    EXPECT_FALSE(Form1->ExplorerButton7.enabled());

    Form1->ExplorerButton5.userPress();
    Form6->Memo1.setText("D:\\b.MP3\r\nD:\\a.wav\r\n");
    closeList();
    EXPECT_FALSE(Form1->ExplorerButton6.enabled());
    EXPECT_TRUE(Form1->ExplorerButton7.enabled());
    EXPECT_TRUE(backend.messages.empty()) << "one final line break is no blank entry";
}

TEST_F(ListWindow, BlankLastEntryIsWarnedAboutAndTheWindowStillCloses) {
    Form6->Memo1.setText("D:\\a.wav\r\n\r\n");
    closeList();
    ASSERT_EQ(backend.messages.size(), 1u);
    EXPECT_EQ(backend.messages[0].kind, ui::MessageKind::Warning);
    EXPECT_EQ(backend.messages[0].text,
              "You must remove the last line, it's blank (press backspace in the file list).");
    EXPECT_FALSE(Form6->visible());
    EXPECT_TRUE(Form1->ExplorerButton6.enabled());
}

TEST_F(ListWindow, InstructionalTextEnablesNeitherCommand) {
    closeList();
    EXPECT_FALSE(Form1->ExplorerButton6.enabled());
    EXPECT_FALSE(Form1->ExplorerButton7.enabled());
    EXPECT_EQ(Form1->ExplorerButton5.caption(), "Edi&t list");
}
