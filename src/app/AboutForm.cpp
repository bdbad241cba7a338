#include "app/AboutForm.h"

#include "app/AboutIcon.h"

#include "settings/Addresses.h"
#include "settings/VisualPackage.h"

namespace korimba::app {

TForm4* Form4 = nullptr;

TForm4::TForm4() : ui::Form("TForm4") {
    setCaption("About Korimba for Windows 95");
    setBorderStyle(ui::BorderStyle::Dialog);
    setBorderIcons(0);
    setPosition(ui::FormPosition::ScreenCenter);
    setClientSize(466, 238);
    setColor(ui::colors::MidGrey);
    Image2.setAlign(ui::Align::Client);
    Image2.setStretch(true);
    Image1.setBounds(8, 8, 33, 33);
    Image1.setTransparent(true);
    Image1.setPicture(aboutIcon());
    Label1.setCaption("Korimba for Windows 95 ");
    Label1.setBounds(48, 10, 310, 30);
    Label1.setFont(ui::titleFont());
    Label1.setTransparent(true);
    Label6.place("Version: 2.1.5", 56, 40);
    Bevel1.setShape(ui::BevelShape::TopLine);
    Bevel1.setBounds(0, 88, 466, 2);
    Bevel2.setShape(ui::BevelShape::TopLine);
    Bevel2.setBounds(0, 128, 466, 2);
    Bevel3.setShape(ui::BevelShape::LeftLine);
    Bevel3.setBounds(17, 0, 2, 238);
    Bevel4.setShape(ui::BevelShape::LeftLine);
    Bevel4.setBounds(449, 0, 2, 238);
    Label2.place("Coding by LAME 3.100 and libmpg123 1.31, free software under the GNU LGPL.", 28,
                 140);
    Label3.place(std::string("Questions: ") + settings::kSupportMail +
                     ". Korimba comes without any warranty;\nkeep copies of what you convert.",
                 28, 164);
    ExplorerButton2.OnClick = [this] { close(); };
    ExplorerButton3.OnClick = [this] { ExplorerButton3Click(); };
    ExplorerButton1.OnClick = [this] { ExplorerButton1Click(); };
    OnCreate = [this] { FormCreate(); };
}

void TForm4::FormCreate() {
    if (!settings::packageEnabled())
        return;
    Image2.setPicture(settings::packageBitmap(settings::kLeftBitmap));
    setColor(ui::colors::White);
}

} // namespace korimba::app
