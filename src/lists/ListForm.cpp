#include "lists/ListForm.h"

#include "settings/VisualPackage.h"

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

    Panel1.setAlign(ui::Align::Top);
    Panel1.setBounds(0, 0, 426, 41);
    Panel1.setBevelOuter(ui::BevelOuter::None);
    Label2.setCaption("Korimba Process List");
    Label2.setBounds(8, 6, 260, 28);
    Label2.setFont(ui::titleFont());
    Label2.setTransparent(true);

    Panel2.setAlign(ui::Align::Left);
    Panel2.setBounds(0, 41, 105, 232);
    Panel2.setBevelOuter(ui::BevelOuter::None);
    Image1.setAlign(ui::Align::Client);
    Image1.setStretch(true);

    Panel3.setAlign(ui::Align::Client);
    Panel3.setBevelOuter(ui::BevelOuter::Lowered);
    Panel3.setColor(ui::colors::MidGrey);
    Image2.setAlign(ui::Align::Client);
    Image2.setStretch(true);
    Label1.setCaption("&Files dominated for process:");
    Label1.setBounds(16, 8, 150, 13);
    Label1.setTransparent(true);
    Label1.setFocusControl(&Memo1);
    Memo1.setBounds(16, 24, 289, 137);
    Memo1.setScrollBars(true);
    for (const auto& line : instructionalText())
        Memo1.lines().add(line);
    Label3.setCaption("&Output directory:");
    Label3.setBounds(16, 168, 100, 13);
    Label3.setTransparent(true);
    Label3.setFocusControl(&Edit1);
    Edit1.setBounds(16, 184, 289, 21);
    CheckBox1.setCaption("&Delete all after convert");
    CheckBox1.setBounds(176, 208, 129, 17);
    CheckBox1.setColor(ui::colors::MidGrey);
    for (ui::Control* field : std::initializer_list<ui::Control*>{&Memo1, &Edit1}) {
        ui::Font font = field->font();
        font.color = ui::colors::Navy;
        field->setFont(font);
    }
    Edit1.setTabOrder(0);
    Memo1.setTabOrder(1);
    CheckBox1.setTabOrder(2);
    OnCreate = [this] { FormCreate(); };
}

void TForm6::FormCreate() {
    setAcceptsFiles(true);
    if (!settings::packageEnabled())
        return;
    Image1.setPicture(settings::packageBitmap(settings::kLeftBitmap));
    Image2.setPicture(settings::packageBitmap(settings::kRightBitmap));
    for (ui::Panel* panel : {&Panel1, &Panel2, &Panel3})
        panel->setColor(ui::colors::White);
}

} // namespace korimba::lists
