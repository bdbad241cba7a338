#include "lists/ListForm.h"

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
    OnCreate = [this] { FormCreate(); };
    OnCloseQuery = [this](bool& canClose) { FormCloseQuery(canClose); };
    ExplorerButton3.OnClick = [this] { ExplorerButton3Click(); };
}

void TForm6::ExplorerButton3Click() {
    close();
}

void TForm6::FormCreate() {
    setAcceptsFiles(true);
    if (settings::packageEnabled())
        settings::applyPackage(frame_);
}

// The list window stands in for the main window: closing it, which is never
// refused, brings the main window back where the list window was.
void TForm6::FormCloseQuery(bool& canClose) {
    canClose = true;
    ui::Form& main = *ui::Application::current().mainForm();
    main.setLeft(left());
    main.setTop(top());
    main.show();
}

} // namespace korimba::lists
