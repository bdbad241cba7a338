#include "app/AboutForm.h"
#include "app/MainForm.h"
#include "fakes/ProgramFixture.h"
#include "lists/ListForm.h"
#include "settings/BufferForm.h"
#include "settings/PreferencesForm.h"
#include "settings/ToolPathsForm.h"

using namespace korimba;
using namespace korimba::app;
using namespace korimba::settings;
using korimba::lists::Form6;

namespace {

using Startup = fakes::ProgramFixture;

std::vector<std::string> prefsLines() {
    return {"Normal", "Yes", "No", "No", "No", "Yes", "No", "No", "2", "D:\\Out\\", "Yes"};
}

} // namespace

TEST_F(Startup, FirstRunWithNoFilesShowsTheDefaults) {
    startAndShow();
    EXPECT_TRUE(backend.messages.empty());
    EXPECT_EQ(application->title(), "Korimba");
    EXPECT_EQ(application->mainForm(), Form1);
    EXPECT_TRUE(Form1->visible());
    EXPECT_EQ(Form1->Edit1.text(), "");
    EXPECT_EQ(Form1->Edit2.text(), "");
    EXPECT_FALSE(Form1->ExplorerButton1.enabled());
    EXPECT_FALSE(Form1->ExplorerButton2.enabled());
    EXPECT_EQ(Form1->ComboBox1.itemIndex(), 7);
    EXPECT_EQ(Form1->ComboBox1.items()[7], "112000 Bit/s");
    EXPECT_TRUE(Form1->acceptsFiles());
    EXPECT_EQ(Form1->activeControl(), nullptr);
    EXPECT_EQ(Form2->Edit1.text(), "");
    EXPECT_EQ(Form2->Edit2.text(), "");
    EXPECT_TRUE(Form7->RadioButton3.checked());
    for (auto* on : {&Form7->CheckBox2, &Form7->CheckBox3, &Form7->CheckBox4, &Form7->CheckBox6,
                     &Form7->CheckBox7})
        EXPECT_TRUE(on->checked()) << on->name();
    for (auto* off : {&Form7->CheckBox1, &Form7->CheckBox5, &Form7->CheckBox8})
        EXPECT_FALSE(off->checked()) << off->name();
    EXPECT_TRUE(Form7->RadioButton4.checked());
    EXPECT_EQ(Form7->Edit1.text(), "") << "the absent tenth line empties the folder";
    EXPECT_EQ(Form7->ExplorerButton3.caption(), "Download p&ack");
    EXPECT_EQ(platform.profile.value("win.ini", "Korimba", "Path"), "C:\\Korimba");
    EXPECT_EQ(Form3->Memo2.lines().numberedLine(1), "EncList");
    EXPECT_EQ(Form3->Memo3.lines().numberedLine(1), "DecList");
    EXPECT_TRUE(Form6->acceptsFiles());
    EXPECT_EQ(Form6->Memo1.lines().numberedLine(2),
              "  You can drop your files in here or type the ");
}

TEST_F(Startup, PreferencesAreReadLineByLineAndExactly) {
    writeLines("Prefs.ini", prefsLines());
    start();
    EXPECT_TRUE(Form7->RadioButton2.checked());
    EXPECT_FALSE(Form7->RadioButton3.checked());
    EXPECT_TRUE(Form7->CheckBox1.checked());
    EXPECT_FALSE(Form7->CheckBox2.checked());
    EXPECT_FALSE(Form7->CheckBox3.checked());
    EXPECT_FALSE(Form7->CheckBox4.checked());
    EXPECT_TRUE(Form7->CheckBox5.checked());
    EXPECT_FALSE(Form7->CheckBox6.checked());
    EXPECT_FALSE(Form7->CheckBox7.checked());
    EXPECT_TRUE(Form7->RadioButton5.checked());
    EXPECT_FALSE(Form7->RadioButton4.checked());
    EXPECT_EQ(Form7->Edit1.text(), "D:\\Out\\");
    EXPECT_TRUE(Form7->CheckBox8.checked());
}

TEST_F(Startup, LowerCaseOrUnknownWordsLeaveTheDefaults) {
    writeLines("Prefs.ini", {"normal", "yes", "no", "NO", "", "YES", "nO", "", "1", ""});
    start();
    EXPECT_TRUE(Form7->RadioButton3.checked());
    EXPECT_FALSE(Form7->CheckBox1.checked());
    EXPECT_TRUE(Form7->CheckBox2.checked());
    EXPECT_TRUE(Form7->CheckBox3.checked());
    EXPECT_FALSE(Form7->CheckBox5.checked());
    EXPECT_TRUE(Form7->CheckBox6.checked());
    EXPECT_TRUE(Form7->RadioButton4.checked());
    EXPECT_EQ(Form7->Edit1.text(), "");
    EXPECT_FALSE(Form7->CheckBox8.checked());
}

TEST_F(Startup, LastOptionsAreAppliedOnlyWhenReloadIsOn) {
    writeLines("options.ini", {"Yes", "Yes", "No", "3", "Yes"});
    start();
    EXPECT_FALSE(Form1->CheckBox1.checked());
    EXPECT_EQ(Form1->ComboBox1.itemIndex(), 7);

    application.reset();
    writeLines("Prefs.ini", prefsLines());
    start();
    EXPECT_TRUE(Form1->CheckBox1.checked());
    EXPECT_TRUE(Form1->CheckBox2.checked());
    EXPECT_FALSE(Form1->CheckBox3.checked());
    EXPECT_EQ(Form1->ComboBox1.itemIndex(), 3);
    EXPECT_TRUE(Form1->CheckBox4.checked());
}

TEST_F(Startup, BitRateBeyondTheListLeavesNoSelection) {
    writeLines("Prefs.ini", prefsLines());
    writeLines("options.ini", {"No", "No", "Yes", "12", "No"});
    start();
    EXPECT_EQ(Form1->ComboBox1.itemIndex(), -1);
    EXPECT_TRUE(Form1->CheckBox3.checked());
}

TEST_F(Startup, BadBitRateLineIsReportedAndSkipsTheRestOfThatCreation) {
    writeLines("Prefs.ini", prefsLines());
    writeLines("options.ini", {"Yes", "No", "No", "fast", "Yes"});
    platform.files.addFile(file("Images\\right.bmp"), fakes::tinyBitmap());
    platform.files.addFile(file("Images\\left.bmp"), fakes::tinyBitmap());
    platform.files.addFile(file("Images\\images.set"));
    start();
    ASSERT_EQ(backend.messageTexts(),
              std::vector<std::string>{"'fast' is not a valid integer value"});
    EXPECT_EQ(backend.messages[0].title, "Error");
    EXPECT_TRUE(Form1->CheckBox1.checked());
    EXPECT_FALSE(Form1->CheckBox3.checked());
    EXPECT_FALSE(Form1->CheckBox4.checked()) << "line 5 comes after the failure";
    EXPECT_TRUE(Form7->Image1.picture().empty()) << "nor is the package applied";
    EXPECT_EQ(Form7->ExplorerButton3.caption(), "Download p&ack");
    EXPECT_FALSE(Form1->Image1.picture().empty());
}

TEST_F(Startup, ToolPathsKeepTheirLinesEvenWithAnEmptyFirstLine) {
    platform.files.addFile("C:\\Tools\\l3enc.exe");
    platform.files.addFile("C:\\Tools\\l3dec.exe");
    writeLines("Settings.ini", {"", "C:\\Tools\\l3dec.exe"});
    start();
    EXPECT_EQ(Form2->Edit2.text(), "C:\\Tools\\l3dec.exe");
    EXPECT_EQ(Form2->Edit1.text(), "C:\\Tools\\l3enc.exe") << "completed from the decoder";

    application.reset();
    writeLines("Settings.ini", {"C:\\Tools\\l3enc.exe", "D:\\Other\\l3dec.exe"});
    start();
    EXPECT_EQ(Form2->Edit1.text(), "C:\\Tools\\l3enc.exe");
    EXPECT_EQ(Form2->Edit2.text(), "D:\\Other\\l3dec.exe") << "line 2 is assigned last";
}

TEST_F(Startup, FirstArgumentBecomesTheLongInputAndEnablesItsCommand) {
    platform.files.addFile("C:\\Some Folder\\track.wav");
    platform.files.addShortName("C:\\Some Folder", "SOMEFO~1");
    setArguments({"C:\\SOMEFO~1\\track.wav"});
    startAndShow();
    EXPECT_EQ(Form1->Edit1.text(), "C:\\Some Folder\\track.wav");
    EXPECT_TRUE(Form1->ExplorerButton1.enabled());
    EXPECT_FALSE(Form1->ExplorerButton2.enabled());
    EXPECT_EQ(Form1->activeControl(), &Form1->Edit2) << "activation moves to the output";
    EXPECT_EQ(Form1->Edit2.text(), "C:\\Some Folder\\") << "which completes it";
}

TEST_F(Startup, MissingInputIsStillTakenAndMp3EnablesDecode) {
    setArguments({"D:\\gone\\Song.Mp3"});
    start();
    EXPECT_EQ(Form1->Edit1.text(), "D:\\gone\\Song.Mp3");
    EXPECT_FALSE(Form1->ExplorerButton1.enabled());
    EXPECT_TRUE(Form1->ExplorerButton2.enabled());
}

TEST_F(Startup, EncodeArgumentNamesTheOutputAndPressesEncodeAtActivation) {
    setArguments({"C:\\a\\song.aiff", "/encode"});
    startAndShow();
    EXPECT_EQ(Form1->Edit2.text(), "C:\\a\\song..mp3");
    EXPECT_FALSE(Form1->ExplorerButton5.enabled());
    EXPECT_FALSE(Form1->ExplorerButton6.enabled());
    EXPECT_FALSE(Form1->ExplorerButton1.enabled());

    application.reset();
    setArguments({"C:\\a\\song.wav", "/ENCODE"});
    startAndShow();
    EXPECT_EQ(Form1->Edit2.text(), "C:\\a\\") << "only the usual completion";
    EXPECT_TRUE(Form1->ExplorerButton5.enabled());
    EXPECT_TRUE(Form1->ExplorerButton1.enabled());
}

TEST_F(Startup, NoticeFileIsOpenedThroughTheShell) {
    platform.files.addFile(file("message.txt"), "hello");
    start();
    ASSERT_EQ(platform.shell.executions().size(), 1u);
    const auto& open = platform.shell.executions()[0];
    EXPECT_EQ(open.verb, "open");
    EXPECT_EQ(open.file, "C:\\Korimba\\message.txt");
    EXPECT_EQ(open.parameters, "");
    EXPECT_EQ(open.showCommand, 5);
}

TEST_F(Startup, LockFilesLeftByAnEarlierRunAreWatchedAgainAtActivation) {
    platform.files.addFile(file("Decoding.bat"));
    startAndShow();
    EXPECT_FALSE(Form1->Timer1.enabled());
    EXPECT_TRUE(Form1->Timer2.enabled());
    EXPECT_EQ(Form1->Timer2.interval(), 10);
}

TEST_F(Startup, PackageWithOnlyTheLeftBitmapReportsEachMissingRightOneAndGoesOn) {
    platform.files.addFile(file("Images\\left.bmp"), fakes::tinyBitmap());
    platform.files.addFile(file("Images\\images.set"));
    start();
    const std::string missing = "Cannot open file C:\\Korimba\\Images\\right.bmp";
    EXPECT_EQ(backend.messageTexts(), (std::vector<std::string>{missing, missing, missing}));
    EXPECT_FALSE(Form2->Image1.picture().empty());
    EXPECT_EQ(Form2->color(), ui::colors::White);
    EXPECT_FALSE(Form4->Image2.picture().empty());
    EXPECT_EQ(Form1->Panel1.color(), ui::colors::BtnFace) << "no package: the usual face";
    EXPECT_EQ(Form7->ExplorerButton3.caption(), "Download p&ack");
    EXPECT_EQ(application->forms().size(), 6u);
}

TEST_F(Startup, EnabledPackageWhitensTheWindowsAndNamesTheToggle) {
    platform.files.addFile(file("Images\\left.bmp"), fakes::tinyBitmap());
    platform.files.addFile(file("IMAGES\\Right.BMP"), fakes::tinyBitmap());
    platform.files.addFile(file("Images\\images.set"));
    start();
    EXPECT_TRUE(backend.messages.empty());
    EXPECT_EQ(Form1->Panel3.color(), ui::colors::White);
    EXPECT_EQ(Form1->CheckBox4.color(), ui::colors::White) << "no grey patch on the picture";
    EXPECT_EQ(Form1->Edit1.color(), ui::colors::Window) << "fields keep their own colour";
    EXPECT_EQ(Form6->Panel2.color(), ui::colors::White);
    EXPECT_EQ(Form6->CheckBox1.color(), ui::colors::White);
    EXPECT_TRUE(Form7->Shape1.visible());
    EXPECT_EQ(Form7->RadioButton4.color(), ui::colors::White);
    EXPECT_EQ(Form7->ExplorerButton3.caption(), "Disable p&ackage");
}

TEST_F(Startup, InvalidBitmapIsReported) {
    platform.files.addFile(file("Images\\left.bmp"), "not a bitmap");
    platform.files.addFile(file("Images\\right.bmp"), fakes::tinyBitmap());
    start();
    EXPECT_TRUE(backend.messages.empty()) << "without the marker nothing is loaded";
    EXPECT_EQ(Form7->ExplorerButton3.caption(), "Enable p&ackage");
    application.reset();
    platform.files.addFile(file("Images\\images.set"));
    start();
    EXPECT_EQ(backend.messageTexts().front(), "Bitmap image is not valid");
}

TEST_F(Startup, RefusedWinIniWriteIsReportedAndStartupGoesOn) {
    platform.profile.failWrites();
    setArguments({"C:\\x.wav"});
    start();
    EXPECT_EQ(backend.messageTexts(), std::vector<std::string>{"Unable to write to win.ini"});
    EXPECT_EQ(Form1->Edit1.text(), "") << "the rest of the main window's creation is skipped";
    EXPECT_NE(Form7, nullptr);
}

TEST_F(Startup, SystemMenuHoldsEveryItemAndOpensThePreferences) {
    startAndShow();
    std::vector<std::string> captions;
    for (const auto& item : Form1->PopupMenu1.items())
        captions.push_back(item->caption());
    EXPECT_EQ(captions,
              (std::vector<std::string>{"Korimba &Settings ", "&Fixations", "-", "&Venhollow site",
                                        "&E-Mail Venhollow", "-", "&Help on Korimba", "&About"}));
    EXPECT_EQ(Form1->PopupMenu1.items()[1]->items().size(), 2u);
    backend.menuChoice = "Preferences1";
    Form1->ExplorerButton8.userPress();
    EXPECT_EQ(backend.modalsShown, std::vector<std::string>{"TForm7"});
    EXPECT_EQ(backend.menusShown, std::vector<std::string>{"PopupMenu1"});
}
