#include "app/MainForm.h"

#include "app/AboutForm.h"
#include "jobs/PathRules.h"
#include "settings/PreferencesForm.h"
#include "settings/ProgramFiles.h"
#include "settings/JobSettings.h"
#include "settings/VisualPackage.h"
#include "settings/WinIni.h"
#include "ui/Application.h"

namespace korimba::app {

using settings::codePage;
using settings::system;

TForm1* Form1 = nullptr;

TForm1::TForm1() : ui::Form("TForm1") {
    setCaption("Korimba for Windows 95");
    setBorderStyle(ui::BorderStyle::Single);
    setBorderIcons(ui::BiSystemMenu | ui::BiMinimize);
    setPosition(ui::FormPosition::ScreenCenter);
    setClientSize(426, 273);
    layOutPanels();
    layOutFields();
    layOutProgress();
    buildSystemMenu();
    bindHandlers();
    settings::MainWindowOptions = &options_;
}

TForm1::~TForm1() {
    if (settings::MainWindowOptions == &options_)
        settings::MainWindowOptions = nullptr;
}

void TForm1::layOutPanels() {
    widgets::layOutFrame(frame_, "Korimba for Windows 95");
    ExplorerButton1.setEnabled(false);
    ExplorerButton2.setEnabled(false);
    ExplorerButton6.setEnabled(false);
    ExplorerButton7.setEnabled(false);
    ExplorerButton8.setDropDownMenu(&PopupMenu1);
}

void TForm1::layOutFields() {
    Label3.place("&Input:", 16, 16, &Edit1);
    Edit1.setBounds(16, 32, 265, 21);
    Label4.place("&Output:", 16, 64, &Edit2);
    Edit2.setBounds(16, 80, 289, 21);
    Label5.place("&Bitrate:", 16, 112, &ComboBox1);
    ComboBox1.setBounds(16, 128, 137, 21);
    ComboBox1.setItems({"8000 Bit/s", "16000 Bit/s", "24000 Bit/s", "32000 Bit/s", "56000 Bit/s",
                        "64000 Bit/s", "96000 Bit/s", "112000 Bit/s", "128000 Bit/s",
                        "256000 Bit/s"});
    ComboBox1.setItemIndex(7);
    for (ui::Control* field : std::initializer_list<ui::Control*>{&Edit1, &Edit2, &ComboBox1})
        field->setFontColor(ui::colors::Navy);
    CheckBox1.setCaption("High q&uality");
    CheckBox1.setBounds(176, 128, 81, 17);
    CheckBox2.setCaption("Make &mono");
    CheckBox2.setBounds(176, 152, 81, 17);
    CheckBox3.setCaption("Check ISO/MPEG c&rc");
    CheckBox3.setBounds(176, 176, 129, 17);
    CheckBox3.setChecked(true);
    CheckBox4.setCaption("&View coding");
    CheckBox4.setBounds(176, 200, 81, 17);
    int order = 0;
    for (ui::Control* control : std::initializer_list<ui::Control*>{
             &Edit1, &Edit2, &ComboBox1, &CheckBox1, &CheckBox2, &CheckBox3, &CheckBox4}) {
        control->setTabOrder(order++);
        if (control->kind() == ui::ControlKind::CheckBox)
            control->setColor(ui::colors::MidGrey);
    }
    Panel2.setTabOrder(1); // the commands after the fields

    OpenDialog1.title = "Select an input file";
    OpenDialog1.filter = "Input|*.wav;*.snd;*.mp3";
    OpenDialog1.defaultExt = "*.wav";
    OpenDialog1.options = ui::OfHideReadOnly | ui::OfPathMustExist | ui::OfFileMustExist;
}

void TForm1::layOutProgress() {
    Label7.setCaption("Encoding in progress...");
    Label7.setBounds(16, 160, 137, 13);
    Label8.setCaption("Decoding in progress...");
    Label8.setBounds(16, 192, 137, 13);
    // Over the grey panel, or a package's picture, like the field labels.
    Label7.setTransparent(true);
    Label8.setTransparent(true);
    ProgressBar1.setBounds(16, 176, 137, 9);
    ProgressBar2.setBounds(16, 208, 137, 9);
    for (ui::Control* control :
         std::initializer_list<ui::Control*>{&Label7, &Label8, &ProgressBar1, &ProgressBar2}) {
        control->setShowHint(true);
        control->hide();
    }
    for (ui::Timer* timer : {&Timer1, &Timer2}) {
        timer->setInterval(10);
        timer->setEnabled(false);
    }
}

void TForm1::buildSystemMenu() {
    PopupMenu1.add("Preferences1", "Korimba &Settings ").OnClick = [this] { Preferences1Click(); };
    ui::MenuItem& fixations = PopupMenu1.add("Cleanup1", "&Fixations");
    fixations.add("FixDOSwindows1", "&Fix processes").OnClick = [this] { FixDOSwindows1Click(); };
    fixations.add("Killprocesses1", "&Kill processes").OnClick = [this] { Killprocesses1Click(); };
    PopupMenu1.add("N3", "-");
    PopupMenu1.add("Venhollowsite1", "&Venhollow site").OnClick = [this] { Venhollowsite1Click(); };
    PopupMenu1.add("EMailVenhollow1", "&E-Mail Venhollow").OnClick = [this] {
        EMailVenhollow1Click();
    };
    PopupMenu1.add("N1", "-");
    PopupMenu1.add("Contents1", "&Help on Korimba").OnClick = [this] { Contents1Click(); };
    PopupMenu1.add("About1", "&About").OnClick = [this] { About1Click(); };
}

void TForm1::bindHandlers() {
    OnCreate = [this] { FormCreate(); };
    OnActivate = [this] { FormActivate(); };
    OnCloseQuery = [this](bool& canClose) { FormCloseQuery(canClose); };
    OnClose = [this] { FormClose(); };
    OnDropFiles = [this](ui::DroppedFiles& files) { WMDropFiles(files); };
    Edit1.OnChange = [this] { Edit1Change(); };
    Edit2.OnEnter = [this] { Edit2Enter(); };
    Edit2.OnExit = [this] { Edit2Exit(); };
    ExplorerButton4.OnClick = [this] { ExplorerButton4Click(); };
    ExplorerButton1.OnClick = [this] { ExplorerButton1Click(); };
    ExplorerButton2.OnClick = [this] { ExplorerButton2Click(); };
    ExplorerButton3.OnClick = [this] { ExplorerButton3Click(); };
    ExplorerButton5.OnClick = [this] { ExplorerButton5Click(); };
    ExplorerButton6.OnClick = [this] { ExplorerButton6Click(); };
    ExplorerButton7.OnClick = [this] { ExplorerButton7Click(); };
    Timer1.OnTimer = [this] { Timer1Timer(); };
    Timer2.OnTimer = [this] { Timer2Timer(); };
}

std::string TForm1::argument(std::size_t number) const {
    const auto arguments = system().process.arguments();
    return number >= 1 && number <= arguments.size() ? arguments[number - 1] : std::string();
}

void TForm1::FormCreate() {
    const std::string folder = settings::programFolder();
    settings::WinIni(system().profile)
        .writeString("Korimba", "Path", folder.substr(0, folder.size() - 1));
    ComboBox1.setItemIndex(7);
    setAcceptsFiles(true);
    ExplorerButton1.setEnabled(false);
    ExplorerButton2.setEnabled(false);
    if (!argument(1).empty())
        Edit1.setText(paths::LongPath(system().files, argument(1), codePage()));
    applyPackage();
    if (encodeMode()) {
        Edit2.setText(paths::nameWithoutLastFour(Edit1.text()) + ".mp3");
        // A script waits for this run: no box may wait for a person.
        ui::Application::current().runUnattended(
            [](const std::string& text) { system().process.writeStandardError(text + "\r\n"); });
    }
    const std::string notice = settings::programFile(settings::kNoticeFile);
    if (system().files.exists(notice))
        system().shell.execute(ui::Application::current().backend().handleOf(*this), "open", notice,
                               "", "", platform::SwShow);
}

void TForm1::applyPackage() {
    if (!settings::packageEnabled())
        return;
    settings::applyPackage(frame_);
}

void TForm1::FormActivate() {
    if (!Edit1.text().empty())
        Edit2.setFocus();
    auto& files = system().files;
    if (files.exists(settings::programFile(jobs::kEncoding.lockFile)))
        Timer1.setEnabled(true);
    if (files.exists(settings::programFile(jobs::kDecoding.lockFile)))
        Timer2.setEnabled(true);
    if (encodeMode()) {
        ExplorerButton5.setEnabled(false);
        ExplorerButton6.setEnabled(false);
        // Pressed at the first activation only: the press may show the
        // tool-paths dialog, whose closing activates this window again, and a
        // later press could only be refused by the running job. A refused press
        // ends the run, since nothing will end it otherwise.
        if (!encodePressed_) {
            encodePressed_ = true;
            ExplorerButton1.click();
            if (!jobRunner().started(jobs::kEncoding))
                endRefusedEncodeRun();
        }
        ExplorerButton1.setEnabled(false);
    }
}

void TForm1::endRefusedEncodeRun() {
    ui::Application& application = ui::Application::current();
    // Every refusal shows its message, which an unattended run has written to
    // standard error with status 1, but the missing encoder's: the tool-paths
    // dialog was its word.
    if (application.exitStatus() == 0) {
        system().process.writeStandardError("The encoding was not started: there is no encoder "
                                            "at \"" +
                                            settings::encoderPath() + "\".\r\n");
        application.setExitStatus(1);
    }
    close();
}

void TForm1::ExplorerButton3Click() {
    close();
}

void TForm1::Preferences1Click() {
    settings::Form7->showModal();
}

void TForm1::About1Click() {
    Form4->showModal();
}

} // namespace korimba::app
