#pragma once
// The main window: fields, switches, the column of commands and the System menu.
#include "app/JobRunner.h"
#include "jobs/ExternalPrograms.h"
#include "settings/LastOptions.h"
#include "ui/Controls.h"
#include "ui/Dialogs.h"
#include "ui/Form.h"
#include "ui/Menu.h"
#include "ui/Timer.h"
#include "widgets/ExplorerButton.h"
#include "widgets/WindowFrame.h"

namespace korimba::jobs {
class ScriptNames;
struct SingleScript;
} // namespace korimba::jobs

namespace korimba::app {

struct SingleJobKind;
struct SingleJobFields;
struct ListJobKind;

// What a job command hands over once its script is composed.
struct JobStart {
    const jobs::JobDirection& direction;
    std::vector<std::string> script; // its lines
    std::string caption;             // of the status label while the job runs
    std::string hint;
    RunningJob job;
};

class TForm1 : public ui::Form {
public:
    TForm1();
    ~TForm1() override;

    ui::Panel Panel1{this, "Panel1"};
    ui::Label Label2{&Panel1, "Label2"};
    ui::Panel Panel2{this, "Panel2"};
    ui::Image Image1{&Panel2, "Image1"};
    widgets::TExplorerButton ExplorerButton1{&Panel2, "ExplorerButton1", "&Encode", 8, 8, 89, 25};
    widgets::TExplorerButton ExplorerButton2{&Panel2, "ExplorerButton2", "&Decode", 8, 33, 89, 25};
    widgets::TExplorerButton ExplorerButton5{&Panel2, "ExplorerButton5", "Crea&te list", 8, 65, 89,
                                             25};
    widgets::TExplorerButton ExplorerButton6{&Panel2, "ExplorerButton6", "En&code list", 8, 90, 89,
                                             25};
    widgets::TExplorerButton ExplorerButton7{&Panel2, "ExplorerButton7", "Dec&ode list", 8, 115, 89,
                                             25};
    widgets::TExplorerButton ExplorerButton8{
        &Panel2, "ExplorerButton8", "      &System  ", 8, 145, 89, 25};
    widgets::TExplorerButton ExplorerButton3{&Panel2, "ExplorerButton3", "E&xit", 8, 170, 89, 25};
    ui::Panel Panel3{this, "Panel3"};
    ui::Image Image2{&Panel3, "Image2"};
    ui::Label Label3{&Panel3, "Label3"};
    ui::Edit Edit1{&Panel3, "Edit1"};
    widgets::TExplorerButton ExplorerButton4{&Panel3, "ExplorerButton4", "...", 288, 34, 17, 17};
    ui::Label Label4{&Panel3, "Label4"};
    ui::Edit Edit2{&Panel3, "Edit2"};
    ui::Label Label5{&Panel3, "Label5"};
    ui::ComboBox ComboBox1{&Panel3, "ComboBox1"};
    ui::CheckBox CheckBox1{&Panel3, "CheckBox1"};
    ui::CheckBox CheckBox2{&Panel3, "CheckBox2"};
    ui::CheckBox CheckBox3{&Panel3, "CheckBox3"};
    ui::CheckBox CheckBox4{&Panel3, "CheckBox4"};
    ui::Label Label7{&Panel3, "Label7"};
    ui::ProgressBar ProgressBar1{&Panel3, "ProgressBar1"};
    ui::Label Label8{&Panel3, "Label8"};
    ui::ProgressBar ProgressBar2{&Panel3, "ProgressBar2"};
    ui::OpenDialog OpenDialog1{this};
    ui::Timer Timer1{this, "Timer1"};
    ui::Timer Timer2{this, "Timer2"};
    ui::PopupMenu PopupMenu1{"PopupMenu1"};

    void FormCreate();
    void FormActivate();
    void Edit1Change();
    void Edit2Enter();
    void Edit2Exit();
    void ExplorerButton4Click();
    void WMDropFiles(ui::DroppedFiles& files);
    void FormCloseQuery(bool& canClose);
    void FormClose();
    // Registers and removes the recovery hook; hookRegistered() is the hook flag.
    void AddIni();
    void RemoveIni();
    bool hookRegistered() const { return hookFlag_; }
    void ExplorerButton1Click();
    void ExplorerButton2Click();
    void ExplorerButton3Click();
    void ExplorerButton5Click();
    void ExplorerButton6Click();
    void ExplorerButton7Click();
    // The list window has closed: the main window takes its place again.
    void ListWindowClosed();
    void Timer1Timer();
    void Timer2Timer();
    void Preferences1Click();
    void FixDOSwindows1Click();
    void Killprocesses1Click();
    void Venhollowsite1Click();
    void EMailVenhollow1Click();
    void Contents1Click();
    void About1Click();

    // The command-line argument by position from 1; "" when absent.
    std::string argument(std::size_t number) const;
    bool encodeMode() const { return argument(2) == "/encode"; }

private:
    // A direction's status label and watcher.
    struct JobDisplay {
        ui::Label& label;
        ui::Timer& timer;
    };
    JobDisplay encodeDisplay() { return {Label7, Timer1}; }
    JobDisplay decodeDisplay() { return {Label8, Timer2}; }
    // Has the runner launch the job; then the label shows it, the watcher
    // starts and the recovery hook is registered. False (the refusal
    // reported) when the shell did not run it.
    bool startJob(JobStart start, const JobDisplay& display);

    void runSingleJob(const SingleJobKind& kind, const JobDisplay& display);
    std::optional<SingleJobFields> checkSingleJob(const SingleJobKind& kind);
    bool composeSingleJob(const SingleJobKind& kind, const SingleJobFields& fields,
                          jobs::ScriptNames& names, jobs::SingleScript& script, RunningJob& job);
    jobs::SwitchPlaces coderSwitches(const SingleJobKind& kind) const;
    bool checkListJob(const ListJobKind& kind);
    void runListJob(const ListJobKind& kind, const JobDisplay& display,
                    const jobs::SwitchPlaces& switches);
    void watch(const jobs::JobDirection& direction, ui::Timer& timer, ui::ProgressBar& bar,
               ui::Label& label);
    // An unattended run whose Encode was refused has nothing to wait for.
    void endRefusedEncodeRun();

    void layOutPanels();
    void layOutFields();
    void layOutProgress();
    void buildSystemMenu();
    void bindHandlers();
    void applyPackage();

    bool hookFlag_ = false;
    bool encodePressed_ = false;
    widgets::WindowFrame frame_{Panel1, Label2, Panel2, Image1, Panel3, Image2};
    settings::LastOptionControls options_{CheckBox1, CheckBox2, CheckBox3, ComboBox1, CheckBox4};
};

extern TForm1* Form1;

} // namespace korimba::app
