#include "fakes/ProgramFixture.h"
#include "settings/PreferencesForm.h"
#include "settings/ToolPathsForm.h"

using namespace korimba;
using namespace korimba::settings;

namespace {

class PreferencesDialog : public fakes::ProgramFixture {
protected:
    void SetUp() override { start(); }
    void showWith(std::function<void()> user) {
        backend.onModal["TForm7"] = [user](ui::Form&) { user(); };
        Form7->showModal();
    }
};

} // namespace

TEST_F(PreferencesDialog, CloseStoresTheTwelveLinesOfTheDefaults) {
    bool closed = false;
    showWith([&] {
        Form7->ExplorerButton1.userPress();
        closed = !Form7->visible();
    });
    EXPECT_TRUE(closed);
    EXPECT_EQ(content("Prefs.ini"),
              "Minimized\r\nNo\r\nYes\r\nYes\r\nYes\r\nNo\r\nYes\r\nYes\r\n1\r\n\r\nNo\r\nNo\r\n");
    const std::string first = content("Prefs.ini");
    showWith([&] { Form7->ExplorerButton1.userPress(); });
    EXPECT_EQ(content("Prefs.ini"), first) << "closing again without a change rewrites the same";
}

TEST_F(PreferencesDialog, ChangedPreferencesSurviveARestart) {
    showWith([&] {
        Form7->RadioButton1.setChecked(true);
        Form7->CheckBox1.setChecked(true);
        Form7->CheckBox5.setChecked(true);
        Form7->RadioButton5.setChecked(true);
        Form7->Edit1.setText("");
        Form7->CheckBox8.setChecked(true);
        Form7->CheckBox9.setChecked(true);
        Form7->ExplorerButton1.userPress();
    });
    EXPECT_EQ(content("Prefs.ini"),
              "Maximized\r\nYes\r\nYes\r\nYes\r\nYes\r\nYes\r\nYes\r\nYes\r\n2\r\n\r\nYes\r\nYes\r\n");
    application.reset();
    start();
    EXPECT_TRUE(Form7->RadioButton1.checked());
    EXPECT_TRUE(Form7->RadioButton5.checked());
    EXPECT_EQ(Form7->Edit1.text(), "");
    EXPECT_TRUE(Form7->CheckBox8.checked());
    EXPECT_TRUE(Form7->CheckBox9.checked());
    EXPECT_TRUE(Form7->CheckBox5.checked());
    // Eleven lines, as older versions write: the twelfth is off.
    writeLines("Prefs.ini", {"Normal", "No", "No", "No", "No", "No", "No", "No", "1", "", "No"});
    application.reset();
    start();
    EXPECT_FALSE(Form7->CheckBox9.checked());
}

TEST_F(PreferencesDialog, ReadOnlyFolderIsReportedAndTheDialogStillCloses) {
    platform.files.denyWrites(folder());
    bool closed = false;
    showWith([&] {
        Form7->ExplorerButton1.userPress();
        closed = !Form7->visible();
    });
    EXPECT_TRUE(closed);
    EXPECT_EQ(backend.messageTexts(),
              std::vector<std::string>{"Cannot create file C:\\Korimba\\Prefs.ini"});
}

TEST_F(PreferencesDialog, PathSettingsReplacesUnsavedEditsWithTheStoredPaths) {
    writeLines("Settings.ini", {"C:\\A\\l3enc.exe", "C:\\B\\l3dec.exe"});
    Form2->Edit1.setText("typed but never saved");
    std::string seen;
    backend.onModal["TForm2"] = [&](ui::Form& dialog) {
        seen = Form2->Edit1.text() + "|" + Form2->Edit2.text();
        dialog.close();
    };
    showWith([&] {
        Form7->ExplorerButton2.userPress();
        Form7->ExplorerButton1.userPress();
    });
    EXPECT_EQ(seen, "C:\\A\\l3enc.exe|C:\\B\\l3dec.exe");
    EXPECT_EQ(backend.modalsShown, (std::vector<std::string>{"TForm7", "TForm2"}));
}
