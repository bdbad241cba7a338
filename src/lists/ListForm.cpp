#include "lists/ListForm.h"

#include "settings/ProgramFiles.h"
#include "settings/VisualPackage.h"
#include "ui/Application.h"

namespace korimba::lists {

TForm6* Form6 = nullptr;

const std::vector<std::string>& instructionalText() {
    static const std::vector<std::string> text = {
        "",
        "  You can drop your files in here or type the ",
        "  filenames in on your own.",
        "",
        "  WARNING",
        "  Only use one type of file, Wav or MP3, and",
        "  leave no lines blank.",
    };
    return text;
}

TForm6::TForm6() : ui::Form("TForm6") {
    setCaption("Korimba for Windows 95");
    setBorderStyle(ui::BorderStyle::Single);
    setBorderIcons(ui::BiSystemMenu);
    setClientSize(426, 273);

    widgets::layOutFrame(frame_, "Korimba Process List");
    Label1.place("&Files dominated for process:", 16, 8, &Memo1);
    Memo1.setBounds(16, 24, 289, 137);
    Memo1.setScrollBars(true);
    for (const auto& line : instructionalText())
        Memo1.lines().add(line);
    Memo1.linesChanged();
    Label3.place("&Output directory:", 16, 168, &Edit1);
    Edit1.setBounds(16, 184, 289, 21);
    CheckBox1.setCaption("&Delete all after convert");
    CheckBox1.setBounds(176, 208, 129, 17);
    CheckBox1.setColor(ui::colors::MidGrey);
    for (ui::Control* field : std::initializer_list<ui::Control*>{&Memo1, &Edit1})
        field->setFontColor(ui::colors::Navy);
    Edit1.setTabOrder(0);
    Memo1.setTabOrder(1);
    CheckBox1.setTabOrder(2);
    Panel2.setTabOrder(1); // the commands after the fields
    OnCreate = [this] { FormCreate(); };
    OnDropFiles = [this](ui::DroppedFiles& files) { WMDropFiles(files); };
    Memo1.OnEnter = [this] { Memo1Enter(); };
    Edit1.OnExit = [this] { Edit1Exit(); };
    ExplorerButton1.OnClick = [this] { ExplorerButton1Click(); };
    ExplorerButton2.OnClick = [this] { ExplorerButton2Click(); };
    ExplorerButton3.OnClick = [this] { ExplorerButton3Click(); };
    OnCloseQuery = [this](bool& canClose) { FormCloseQuery(canClose); };
}

std::string completedOutputFolder(const std::string& folder, const text::CodePage& codePage) {
    if (folder.empty() || paths::fileNamePart(folder, codePage).empty())
        return folder;
    return folder + "\\";
}

bool TForm6::showsInstructionalText() const {
    return Memo1.lines().line(1) == instructionalText()[1];
}

void TForm6::FormCreate() {
    setAcceptsFiles(true);
    if (settings::packageEnabled())
        settings::applyPackage(frame_);
}

// Each file is judged on its own: a refused one gets its message and the
// others are still taken. The first accepted file replaces the instructional
// text (or an empty list); the ones after it are appended.
//
// The appended names go into the list's lines at once, but the list's text and
// its window follow only before a message box and at the end: doing that per
// file re-sent the whole list every time, which made a drop of a thousand
// files take a minute.
void TForm6::WMDropFiles(ui::DroppedFiles& files) {
    const text::CodePage codePage = settings::codePage();
    struct Shown {
        ui::Memo& memo;
        bool behind = false;
        void update() {
            if (behind)
                memo.linesChanged();
            behind = false;
        }
        // When something on the way threw, the lines added so far are shown
        // all the same; a second failure here must not end the program.
        ~Shown() {
            try {
                update();
            } catch (...) {
            }
        }
    } shown{Memo1};
    const int count = files.count();
    for (int i = 0; i < count; ++i) {
        const std::string name = files.name(i);
        const std::string refusal = paths::dropRefusal(name, codePage);
        if (!refusal.empty()) {
            shown.update();
            ui::Application::current().showError(refusal);
            continue;
        }
        if (showsInstructionalText() || Memo1.lines().count() == 0) {
            shown.update();
            Memo1.setText(name);
        } else {
            Memo1.lines().add(name);
            shown.behind = true;
        }
    }
    shown.update();
    files.finish();
}

void TForm6::Memo1Enter() {
    if (showsInstructionalText())
        Memo1.setText("");
}

void TForm6::Edit1Exit() {
    Edit1.setText(completedOutputFolder(Edit1.text(), settings::codePage()));
}

void TForm6::ExplorerButton1Click() {
    ui::Application& application = ui::Application::current();
    settings::system().shell.execute(application.backend().handleOf(*this), "open", "explorer.exe",
                                     "", "", platform::SwShow);
}

void TForm6::ExplorerButton2Click() {
    if (ui::Application::current().messageBox(
            ui::MessageKind::Confirmation,
            "Are you sure you want to remove all entries from the list?") == ui::Answer::Yes)
        Memo1.setText("");
}

void TForm6::ExplorerButton3Click() {
    close();
}

// The list window stands in for the main window: closing it, which is never
// refused, hands the place back (the main window decides which list command
// the list's first entry asks for).
void TForm6::FormCloseQuery(bool& canClose) {
    canClose = true;
    Edit1Exit();
    const auto& lines = entries();
    if (!lines.empty() && lines.back().empty())
        ui::Application::current().messageBox(
            ui::MessageKind::Warning,
            "You must remove the last line, it's blank (press backspace in the file list).");
    if (OnHandBack)
        OnHandBack();
}

} // namespace korimba::lists
