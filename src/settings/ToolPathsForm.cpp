#include "settings/ToolPathsForm.h"

#include "jobs/PathRules.h"
#include "settings/Addresses.h"
#include "settings/ProgramFiles.h"
#include "settings/ToolPaths.h"
#include "settings/VisualPackage.h"
#include "ui/Application.h"

namespace korimba::settings {

TForm2* Form2 = nullptr;

namespace {

// When the other field is empty and its tool stands in this field's folder, fill it in.
void completeOtherTool(const ui::Edit& changed, ui::Edit& other, const char* otherTool) {
    if (!other.text().empty())
        return;
    const std::string candidate = paths::folderPart(changed.text(), codePage()) + otherTool;
    if (namesAFile(candidate))
        other.setText(candidate);
}

} // namespace

TForm2::TForm2() : ui::Form("TForm2") {
    setCaption("Settings");
    setBorderStyle(ui::BorderStyle::Single);
    setBorderIcons(0);
    setPosition(ui::FormPosition::ScreenCenter);
    setClientSize(314, 137);
    Image1.setAlign(ui::Align::Client);
    Image1.setStretch(true);
    Label1.place("Path to your &encoder:", 8, 8, &Edit1);
    Edit1.setBounds(8, 24, 273, 21);
    Label2.place("Path to your &decoder:", 8, 56, &Edit2);
    Edit2.setBounds(8, 72, 273, 21);
    for (ui::Edit* field : {&Edit1, &Edit2})
        field->setFontColor(ui::colors::Navy);
    // Each browse button follows its field; the commands come last.
    int order = 0;
    for (ui::Control* control : std::initializer_list<ui::Control*>{
             &Edit1, &ExplorerButton4, &Edit2, &ExplorerButton5, &ExplorerButton2,
             &ExplorerButton3, &ExplorerButton1})
        control->setTabOrder(order++);

    OpenDialog1.title = "Select:";
    OpenDialog1.filter =
        "Layer 3 Encoders - l3enc.exe|l3enc.exe|Layer 3 Decoders - l3dec.exe|l3dec.exe";
    OpenDialog1.defaultExt = "l3enc.exe;l3dec.exe";
    OpenDialog1.options =
        ui::OfHideReadOnly | ui::OfPathMustExist | ui::OfFileMustExist | ui::OfNoTestFileCreate;

    OnCreate = [this] { FormCreate(); };
    Edit1.OnChange = [this] { Edit1Change(); };
    Edit2.OnChange = [this] { Edit2Change(); };
    ExplorerButton1.OnClick = [this] { ExplorerButton1Click(); };
    ExplorerButton2.OnClick = [this] { ExplorerButton2Click(); };
    ExplorerButton3.OnClick = [this] { ExplorerButton3Click(); };
    ExplorerButton4.OnClick = [this] { ExplorerButton4Click(); };
    ExplorerButton5.OnClick = [this] { ExplorerButton5Click(); };
}

void TForm2::FormCreate() {
    if (!packageEnabled())
        return;
    Image1.setPicture(packageBitmap(kLeftBitmap));
    setColor(ui::colors::White);
}

void TForm2::Edit1Change() {
    completeOtherTool(Edit1, Edit2, kDecoderName);
}

void TForm2::Edit2Change() {
    completeOtherTool(Edit2, Edit1, kEncoderName);
}

void TForm2::ExplorerButton1Click() {
    saveToolPaths();
    if (namesAFile(Edit1.text()) && namesAFile(Edit2.text()))
        close();
}

void TForm2::ExplorerButton2Click() {
    const auto answer = ui::Application::current().messageBox(
        ui::MessageKind::Confirmation,
        "Do you wish to download the encoding and decoding package from the Internet?");
    if (answer != ui::Answer::Yes)
        return;
    system().shell.execute(ui::Application::current().backend().handleOf(*this), "open",
                           kToolPackageAddress, "", "", platform::SwShow);
}

void TForm2::ExplorerButton3Click() {
    close();
}

void TForm2::ExplorerButton4Click() {
    browse(Edit1, 1);
}

void TForm2::ExplorerButton5Click() {
    browse(Edit2, 2);
}

void TForm2::browse(ui::Edit& field, int filterIndex) {
    OpenDialog1.filterIndex = filterIndex;
    OpenDialog1.fileName = field.text();
    // Nothing chosen yet: where Korimba's own coders are.
    OpenDialog1.initialDir = field.text().empty() ? programFolder() : std::string();
    OpenDialog1.execute();
    field.setText(OpenDialog1.fileName);
    field.setFocus();
}

} // namespace korimba::settings
