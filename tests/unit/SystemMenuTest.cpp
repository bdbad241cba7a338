// The System menu's maintenance commands and links, the about box's links and
// the visual package button, on the fake platform and the headless desktop.
#include "app/AboutForm.h"
#include "app/MainForm.h"
#include "fakes/ProgramFixture.h"
#include "settings/PreferencesForm.h"

using namespace korimba;
using korimba::app::Form1;
using korimba::app::Form4;
using korimba::settings::Form7;

namespace {

class SystemMenu : public fakes::ProgramFixture {
protected:
    void choose(const std::string& item) {
        backend.menuChoice = item;
        Form1->ExplorerButton8.userPress();
    }
    std::vector<std::string> shown() const { return backend.messageTexts(); }
    const std::vector<fakes::ShellExecution>& executions() const {
        return platform.shell.executions();
    }
    static constexpr const char* kFixQuestion =
        "This will fix the encoding and decoding Dos-windows, when they freeze on the background. "
        "You do not have to restart Windows. Do you want to continue?";
    static constexpr const char* kKillQuestion =
        "This will kill all encoding and decoding processes. You will have to restart Windows "
        "now to do this. Do you want to continue?";
};

} // namespace

TEST_F(SystemMenu, FixProcessesPutsTheStoredCopiesBackOnlyAfterYes) {
    writeLines("encoding.dat", {"stored encoding"});
    writeLines("decoding.dat", {"stored decoding"});
    writeLines("encoding.pif", {"damaged"});
    startAndShow();

    backend.answers = {ui::Answer::No};
    choose("FixDOSwindows1");
    EXPECT_EQ(content("encoding.pif"), "damaged\r\n");
    EXPECT_FALSE(platform.files.exists(file("decoding.pif")));

    choose("FixDOSwindows1");
    EXPECT_EQ(content("encoding.pif"), "stored encoding\r\n");
    EXPECT_EQ(content("decoding.pif"), "stored decoding\r\n");
    EXPECT_EQ(shown(), (std::vector<std::string>{kFixQuestion, kFixQuestion,
                                                 "The Dos-windows have been fixed."}));
    EXPECT_EQ(backend.messages.back().kind, ui::MessageKind::Information);
}

TEST_F(SystemMenu, FixProcessesWithoutAStoredCopyKeepsThatWindowsSettingsAndSaysSo) {
    writeLines("encoding.pif", {"settings of its own"});
    writeLines("decoding.dat", {"stored decoding"});
    startAndShow();
    choose("FixDOSwindows1");
    EXPECT_EQ(content("encoding.pif"), "settings of its own\r\n");
    EXPECT_EQ(content("decoding.pif"), "stored decoding\r\n");
    EXPECT_EQ(shown().back(), "The encoding Dos-window could not be fixed: "
                              "C:\\Korimba\\encoding.dat is missing.\n"
                              "The decoding Dos-window has been fixed.");
    EXPECT_EQ(backend.messages.back().kind, ui::MessageKind::Error);
}

TEST_F(SystemMenu, KillProcessesEndsWindowsWithoutTheCloseSteps) {
    writeLines("message.txt", {"notice"});
    startAndShow();
    backend.answers = {ui::Answer::No};
    choose("Killprocesses1");
    EXPECT_TRUE(platform.shell.exitCalls().empty());

    choose("Killprocesses1");
    EXPECT_EQ(platform.shell.exitCalls(), (std::vector<fakes::ExitWindowsCall>{{4, 0}, {2, 0}}));
    ASSERT_EQ(backend.messages.size(), 3u);
    EXPECT_EQ(backend.messages[2].kind, ui::MessageKind::Warning);
    EXPECT_EQ(backend.messages[2].text,
              "Save any unsaved work and close all applications. Click OK to continue.");
    EXPECT_FALSE(platform.files.exists(file("options.ini")));
    EXPECT_TRUE(platform.files.exists(file("message.txt")));
    EXPECT_EQ(platform.profile.value("win.ini", "Windows", "Run"), std::nullopt)
        << "no job registered the hook: none is registered now";
}

TEST_F(SystemMenu, KillProcessesDuringAJobKeepsTheHookOnceAndTheUsersRun) {
    platform.files.addFile(file("Cleaner.exe"));
    platform.profile.set("win.ini", "Windows", "Run", "C:\\TOOLS\\A.EXE");
    startAndShow();
    platform.files.addFile(file("Encoding.bat"));
    Form1->AddIni();
    const std::optional<std::string> registered("C:\\TOOLS\\A.EXE,C:\\Korimba\\Cleaner.exe");
    choose("Killprocesses1");
    EXPECT_EQ(platform.profile.value("win.ini", "Windows", "Run"), registered) << "not twice";

    // Taken out of Run by hand meanwhile: it goes back, for the clean-up after the restart.
    platform.profile.set("win.ini", "Windows", "Run", "C:\\TOOLS\\A.EXE");
    choose("Killprocesses1");
    EXPECT_EQ(platform.profile.value("win.ini", "Windows", "Run"), registered);
    EXPECT_TRUE(platform.files.exists(file("Encoding.bat")));
    EXPECT_EQ(platform.shell.exitCalls().size(), 4u);
}

TEST_F(SystemMenu, HelpAndLinksOpenThroughTheShellWithTheirShowCommands) {
    startAndShow();
    choose("Contents1");
    choose("Venhollowsite1");
    choose("EMailVenhollow1");
    Form4->ExplorerButton3.userPress();
    Form4->ExplorerButton1.userPress();
    const std::vector<fakes::ShellExecution> expected = {
        {Form1, "open", "C:\\Korimba\\help\\index.htm", "", "", 3},
        {Form1, "open", "http://www.korimba.example/", "", "", 3},
        {Form1, "open", "mailto:support@korimba.example", "", "", 5},
        {Form4, "open", "http://www.korimba.example/", "", "", 5},
        {Form4, "open", "mailto:support@korimba.example", "", "", 5},
    };
    EXPECT_EQ(executions(), expected);
}

TEST_F(SystemMenu, AboutBoxShowsTheSameEachTime) {
    startAndShow();
    choose("About1");
    const std::string credits = Form4->Label2.caption();
    Form4->ExplorerButton2.userPress();
    choose("About1");
    EXPECT_EQ(Form4->Label2.caption(), credits);
    EXPECT_EQ(backend.modalsShown, (std::vector<std::string>{"TForm4", "TForm4"}));
}

TEST_F(SystemMenu, PackageButtonDownloadsWhenNoPackageIsInstalled) {
    startAndShow();
    EXPECT_EQ(Form7->ExplorerButton3.caption(), "Download p&ack");
    backend.answers = {ui::Answer::No, ui::Answer::Yes};
    Form7->ExplorerButton3.userPress();
    EXPECT_TRUE(executions().empty());
    Form7->ExplorerButton3.userPress();
    EXPECT_EQ(executions(),
              (std::vector<fakes::ShellExecution>{
                  {Form7, "open", "http://www.korimba.example/packages/", "", "", 5}}));
    EXPECT_EQ(shown().back(), "This will take you to the Venhollow site where you can download "
                              "visual packages. Continue?");
    EXPECT_FALSE(application->terminated());
}

TEST_F(SystemMenu, EnablingAndDisablingRestartWithTheFirstArgumentOnly) {
    platform.files.addFile(file("Images\\left.bmp"), fakes::tinyBitmap());
    platform.files.addFile(file("Images\\right.bmp"), fakes::tinyBitmap());
    writeLines("message.txt", {"notice"});
    setArguments({"D:\\My Music\\a.wav", "/encode"});
    platform.files.addFile("D:\\My Music\\a.wav");
    // The unattended run's encode starts and keeps running, so the run waits.
    platform.files.addFile("C:\\L3ENC\\L3ENC.EXE");
    writeLines("Settings.ini", {"C:\\L3ENC\\L3ENC.EXE"});
    startAndShow();
    EXPECT_EQ(Form7->ExplorerButton3.caption(), "Enable p&ackage");

    Form7->ExplorerButton3.userPress();
    EXPECT_TRUE(platform.files.exists(file("Images\\images.set")));
    EXPECT_EQ(content("Images\\images.set"), "");
    EXPECT_EQ(shown().back(),
              "This will enable the current installed package, and restart Korimba. Continue?");
    ASSERT_FALSE(executions().empty());
    EXPECT_EQ(executions().back(), (fakes::ShellExecution{Form7, "open", "C:\\Korimba\\korimba.exe",
                                                          "\"D:\\My Music\\a.wav\"", "", 5}));
    EXPECT_TRUE(application->terminated());
    EXPECT_TRUE(platform.files.exists(file("Prefs.ini"))) << "the dialog's Close ran";
    EXPECT_FALSE(platform.files.exists(file("options.ini"))) << "no close steps";
    EXPECT_TRUE(platform.files.exists(file("message.txt")));

    // The new instance offers to disable it; that takes the marker away again.
    application.reset();
    platform.files.deleteFile(file("Encoding.bat"));
    setArguments({});
    startAndShow();
    EXPECT_EQ(Form7->ExplorerButton3.caption(), "Disable p&ackage");
    EXPECT_EQ(Form1->Panel1.color(), ui::colors::White);
    Form7->ExplorerButton3.userPress();
    EXPECT_FALSE(platform.files.exists(file("Images\\images.set")));
    EXPECT_TRUE(platform.files.exists(file("Images\\right.bmp")));
    EXPECT_EQ(executions().back().parameters, "") << "no argument to pass on";
    EXPECT_TRUE(application->terminated());
}
