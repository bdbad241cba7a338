// The process-list window: drops, the instructional text, its buttons and the
// hand-back to the main window.
#include "app/MainForm.h"
#include "fakes/ProgramFixture.h"
#include "lists/ListForm.h"

#include <ostream>

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

// The list a drop leaves, with what was shown and raised on the way, for
// comparing a drop of many files with the same files dropped one at a time.
struct DropOutcome {
    std::vector<std::string> entries;
    std::string text;
    std::vector<std::string> messages;
    // The list as it stood while each refusal was shown.
    std::vector<std::string> listAtEachBox;
    int listChanges = 0;
    bool operator==(const DropOutcome&) const = default;
};

std::ostream& operator<<(std::ostream& out, const DropOutcome& outcome) {
    return out << outcome.entries.size() << " entries, " << outcome.messages.size() << " boxes, "
               << outcome.listChanges << " changes";
}

class ListWindowDrops : public ListWindow {
protected:
    // Starts from the given list (nullptr: the instructional text), drops the
    // names at once or one by one, and says what came of it. During the first
    // refusal's box the user may type a list (typedDuringFirstBox).
    DropOutcome dropFrom(const char* start, const std::vector<std::string>& names, bool oneByOne,
                         const char* typedDuringFirstBox = nullptr) {
        if (start) {
            Form6->Memo1.setText(start);
        } else {
            Form6->Memo1.lines() = ui::TextLines(lists::instructionalText());
            Form6->Memo1.linesChanged();
        }
        backend.messages.clear();
        DropOutcome outcome;
        backend.whileMessageShown = [&](const fakes::ShownMessage&) {
            EXPECT_EQ(Form6->Memo1.text(), Form6->Memo1.lines().text()) << "text and lines agree";
            outcome.listAtEachBox.push_back(Form6->Memo1.text());
            if (typedDuringFirstBox && outcome.listAtEachBox.size() == 1)
                Form6->Memo1.setText(typedDuringFirstBox);
        };
        Form6->Memo1.OnChange = [&] { ++outcome.listChanges; };
        if (oneByOne) {
            for (const std::string& name : names)
                drop({name});
        } else {
            drop(names);
        }
        Form6->Memo1.OnChange = nullptr;
        backend.whileMessageShown = nullptr;
        outcome.entries = Form6->entries();
        outcome.text = Form6->Memo1.text();
        outcome.messages = backend.messageTexts();
        return outcome;
    }
    void expectSameAsOneByOne(const char* start, const std::vector<std::string>& names,
                              const char* typedDuringFirstBox = nullptr) {
        const DropOutcome oneByOne = dropFrom(start, names, true, typedDuringFirstBox);
        const DropOutcome atOnce = dropFrom(start, names, false, typedDuringFirstBox);
        EXPECT_EQ(atOnce, oneByOne) << "from " << (start ? start : "the instructions");
    }
};

// Both kinds in any case, the same file more than once, refused names among
// them, names at and past the drop buffer: 501 names in all.
std::vector<std::string> manyNames() {
    std::vector<std::string> names;
    for (int i = 0; i < 500; ++i) {
        const std::string number = std::to_string(i);
        switch (i % 10) {
        case 3:
            names.push_back("D:\\Music\\notes " + number + ".txt");
            break;
        case 5:
            names.push_back("D:\\Music\\again.wav");
            break;
        case 7:
            names.push_back("D:\\Music\\Track " + number + ".Mp3");
            break;
        default:
            names.push_back("D:\\Music\\Track " + number + ".WAV");
        }
    }
    names[250] = "D:\\" + std::string(253, 'x') + ".wav"; // 260 characters: too long
    names[251] = "D:\\" + std::string(247, 'y') + ".wav"; // 254 characters, taken whole
    names.push_back("D:\\folder");
    return names;
}

TEST_F(ListWindowDrops, ManyFilesAtOnceGiveTheListOfTheSameFilesDroppedOneByOne) {
    const std::vector<std::string> names = manyNames();
    expectSameAsOneByOne(nullptr, names);
    expectSameAsOneByOne("", names);
    expectSameAsOneByOne("D:\\typed.wav", names);
    expectSameAsOneByOne("D:\\typed.wav\r\n\r\n", names);
    expectSameAsOneByOne("\r\n  You can drop your files in here or type the \r\nmore", names);

    const DropOutcome outcome = dropFrom(nullptr, names, false);
    ASSERT_EQ(outcome.entries.size(), 449u);
    EXPECT_EQ(outcome.entries.front(), "D:\\Music\\Track 0.WAV");
    EXPECT_EQ(outcome.entries[225], "D:\\" + std::string(247, 'y') + ".wav");
    EXPECT_EQ(outcome.entries.back(), "D:\\Music\\Track 499.WAV");
    std::vector<std::string> refusals(52, kRefusal);
    refusals[25] = "This name is longer than Windows allows (259 characters):\n" + names[250];
    EXPECT_EQ(outcome.messages, refusals);
    EXPECT_EQ(outcome.listChanges, 1) << "the instructions are replaced once";
}

TEST_F(ListWindowDrops, EachRefusalShowsOverTheFilesTakenBeforeIt) {
    const std::vector<std::string> names = {"D:\\a.wav", "D:\\b.wav", "D:\\c.txt",
                                            "D:\\d.mp3", "D:\\e",     "D:\\f.wav"};
    const DropOutcome outcome = dropFrom(nullptr, names, false);
    EXPECT_EQ(outcome.listAtEachBox,
              (std::vector<std::string>{"D:\\a.wav\r\nD:\\b.wav\r\n",
                                        "D:\\a.wav\r\nD:\\b.wav\r\nD:\\d.mp3\r\n"}));
    EXPECT_EQ(outcome.text, "D:\\a.wav\r\nD:\\b.wav\r\nD:\\d.mp3\r\nD:\\f.wav\r\n");

    // What the user types while a box shows is what the later files follow.
    expectSameAsOneByOne(nullptr, names, "E:\\typed.mp3");
    expectSameAsOneByOne(nullptr, names, "");
    EXPECT_EQ(dropFrom(nullptr, names, false, "E:\\typed.mp3").entries,
              (std::vector<std::string>{"E:\\typed.mp3", "D:\\d.mp3", "D:\\f.wav"}));
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
