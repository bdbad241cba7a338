#include "fakes/ProgramFixture.h"
#include "settings/ToolPaths.h"
#include "settings/ToolPathsForm.h"

using namespace korimba;
using namespace korimba::settings;

namespace {

class ToolPathsDialog : public fakes::ProgramFixture {
protected:
    void SetUp() override {
        platform.files.addFile("C:\\L3\\l3enc.exe");
        platform.files.addFile("C:\\L3\\l3dec.exe");
        start();
    }
    // Shows the dialog modally and lets the user act in it.
    void showWith(std::function<void()> user) {
        backend.onModal["TForm2"] = [user](ui::Form&) { user(); };
        Form2->showModal();
    }
};

} // namespace

TEST_F(ToolPathsDialog, TypingTheEncoderFillsTheDecoderOnceTheFolderIsTyped) {
    const std::string typed = "C:\\L3\\l3enc.exe";
    for (std::size_t length = 1; length <= typed.size(); ++length) {
        Form2->Edit1.setText(typed.substr(0, length));
        if (length < 6) {
            EXPECT_EQ(Form2->Edit2.text(), "") << length;
        }
    }
    EXPECT_EQ(Form2->Edit2.text(), "C:\\L3\\l3dec.exe");
    Form2->Edit1.setText("C:\\Other\\l3enc.exe");
    EXPECT_EQ(Form2->Edit2.text(), "C:\\L3\\l3dec.exe") << "a filled field is never overwritten";
}

TEST_F(ToolPathsDialog, DecoderFillsTheEncoderAndBareNamesLookInTheCurrentFolder) {
    Form2->Edit2.setText("C:\\L3\\l3dec.exe");
    EXPECT_EQ(Form2->Edit1.text(), "C:\\L3\\l3enc.exe");
    Form2->Edit1.setText("");
    Form2->Edit2.setText("");
    platform.files.setCurrentFolder("C:\\L3");
    Form2->Edit2.setText("l3dec.exe");
    EXPECT_EQ(Form2->Edit1.text(), "l3enc.exe");
}

TEST_F(ToolPathsDialog, SaveStoresBothLinesAndClosesOnlyWhenBothToolsExist) {
    bool stillOpen = false;
    showWith([&] {
        Form2->Edit1.setText("C:\\L3\\l3enc.exe");
        Form2->Edit2.setText("C:\\Nowhere\\l3dec.exe");
        Form2->ExplorerButton1.userPress();
        stillOpen = Form2->visible();
        Form2->ExplorerButton3.userPress();
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_FALSE(Form2->visible());
    EXPECT_TRUE(backend.messages.empty());
    EXPECT_EQ(content("Settings.ini"), "C:\\L3\\l3enc.exe\r\nC:\\Nowhere\\l3dec.exe\r\n");

    showWith([&] {
        Form2->Edit2.setText("C:\\L3\\l3dec.exe");
        Form2->ExplorerButton1.userPress();
        stillOpen = Form2->visible();
    });
    EXPECT_FALSE(stillOpen);
    EXPECT_EQ(content("Settings.ini"), "C:\\L3\\l3enc.exe\r\nC:\\L3\\l3dec.exe\r\n");
}

TEST_F(ToolPathsDialog, SettingsThatCannotBeCreatedAreReportedAndTheDialogStays) {
    platform.files.denyWrites(folder());
    bool stillOpen = false;
    showWith([&] {
        Form2->Edit1.setText("C:\\L3\\l3enc.exe");
        Form2->ExplorerButton1.userPress();
        stillOpen = Form2->visible();
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(backend.messageTexts(),
              std::vector<std::string>{"Cannot create file C:\\Korimba\\Settings.ini"});
}

TEST_F(ToolPathsDialog, BrowseUsesItsFilterAndACancelKeepsTheFieldAndFocusesIt) {
    std::vector<int> filterIndexes;
    std::vector<std::string> startFolders;
    backend.onOpenDialog = [&](ui::OpenDialog& dialog) {
        filterIndexes.push_back(dialog.filterIndex);
        startFolders.push_back(dialog.initialDir);
        EXPECT_EQ(dialog.title, "Select:");
        if (dialog.filterIndex == 2)
            return false;
        dialog.fileName = "C:\\L3\\l3enc.exe";
        return true;
    };
    Form2->Edit2.setText("D:\\typed");
    Form2->ExplorerButton4.userPress();
    Form2->ExplorerButton5.userPress();
    EXPECT_EQ(filterIndexes, (std::vector<int>{1, 2}));
    // An empty field starts where Korimba's own coders are; a typed one where it names.
    EXPECT_EQ(startFolders, (std::vector<std::string>{"C:\\Korimba\\", ""}));
    EXPECT_EQ(Form2->Edit1.text(), "C:\\L3\\l3enc.exe");
    EXPECT_EQ(Form2->Edit2.text(), "D:\\typed");
    EXPECT_EQ(Form2->activeControl(), &Form2->Edit2);
}

TEST_F(ToolPathsDialog, WithoutSettingsTheCodersBesideTheProgramAreTakenAndNothingIsWritten) {
    const auto fields = [] {
        reloadToolPaths();
        return Form2->Edit1.text() + "|" + Form2->Edit2.text();
    };
    EXPECT_EQ(fields(), "|") << "none beside the program";
    platform.files.addFile(file("l3enc.exe"));
    platform.files.addFile(file("l3dec.exe"));
    EXPECT_EQ(fields(), "C:\\Korimba\\l3enc.exe|C:\\Korimba\\l3dec.exe");
    EXPECT_FALSE(platform.files.exists(file("Settings.ini")));
    writeLines("Settings.ini", {"C:\\L3\\l3enc.exe", ""});
    EXPECT_EQ(fields(), "C:\\L3\\l3enc.exe|") << "the user's settings as they are";
}

TEST_F(ToolPathsDialog, DownloadAsksFirst) {
    backend.answers = {ui::Answer::No, ui::Answer::Yes};
    Form2->ExplorerButton2.userPress();
    EXPECT_TRUE(platform.shell.executions().empty());
    Form2->ExplorerButton2.userPress();
    EXPECT_EQ(backend.messageTexts()[0],
              "Do you wish to download the encoding and decoding package from the Internet?");
    ASSERT_EQ(platform.shell.executions().size(), 1u);
    const auto& open = platform.shell.executions()[0];
    EXPECT_EQ(open.verb, "open");
    EXPECT_TRUE(open.file.ends_with("/l3pack.exe"));
    EXPECT_EQ(open.showCommand, 5);
}
