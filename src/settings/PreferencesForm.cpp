#include "settings/PreferencesForm.h"

#include "settings/BufferForm.h"
#include "settings/LastOptions.h"
#include "settings/LineFile.h"
#include "settings/ProgramFiles.h"
#include "settings/ToolPaths.h"
#include "settings/ToolPathsForm.h"
#include "settings/Addresses.h"
#include "settings/VisualPackage.h"
#include "ui/Application.h"

namespace korimba::settings {

TForm7* Form7 = nullptr;

namespace {

void place(ui::Control& control, const char* caption, int left, int top, int width,
           int height = 17) {
    control.setCaption(caption);
    control.setBounds(left, top, width, height);
}

// Only the one word that moves a switch away from its default is looked at.
void checkOn(ui::CheckBox& box, const std::string& line, const char* word, bool value) {
    if (line == word)
        box.setChecked(value);
}

} // namespace

TForm7::TForm7() : ui::Form("TForm7") {
    layOut();
    OnCreate = [this] { FormCreate(); };
    ExplorerButton1.OnClick = [this] { ExplorerButton1Click(); };
    ExplorerButton2.OnClick = [this] { ExplorerButton2Click(); };
    ExplorerButton3.OnClick = [this] { ExplorerButton3Click(); };
}

void TForm7::layOut() {
    setCaption("Settings");
    setBorderStyle(ui::BorderStyle::Dialog);
    setBorderIcons(0);
    setPosition(ui::FormPosition::Designed);
    setBounds(333, 147, 0, 0);
    setClientSize(384, 300);
    Image1.setAlign(ui::Align::Client);
    Image1.setStretch(true);
    const ui::Rect circles[] = {
        {72, -16, 145, 129}, {72, 32, 145, 129}, {56, 88, 241, 209}, {-8, 192, 145, 129}};
    ui::Shape* shapes[] = {&Shape1, &Shape2, &Shape3, &Shape4};
    for (int i = 0; i < 4; ++i) {
        shapes[i]->setBounds(circles[i].left, circles[i].top, circles[i].width, circles[i].height);
        shapes[i]->setPenColor(ui::colors::White);
        shapes[i]->hide();
    }
    Bevel1.setShape(ui::BevelShape::TopLine);
    Bevel1.setBounds(8, 66, 265, 2);
    Bevel2.setShape(ui::BevelShape::TopLine);
    Bevel2.setBounds(8, 122, 265, 2);
    Bevel3.setShape(ui::BevelShape::TopLine);
    Bevel3.setBounds(8, 232, 368, 2);
    Bevel4.setShape(ui::BevelShape::LeftLine);
    Bevel4.setBounds(274, 8, 2, 220);

    Label1.place("View coding", 16, 16);
    Label2.place("Show menu after", 16, 72);
    Label3.place("Automation", 16, 128);
    place(RadioButton3, "&Minimized", 104, 17, 113);
    place(RadioButton2, "&Normal", 104, 35, 113);
    place(RadioButton1, "Ma&ximized", 104, 53, 113);
    place(CheckBox2, "&Encoding", 104, 72, 97);
    place(CheckBox3, "&Decoding", 104, 88, 97);
    place(CheckBox4, "&List process", 104, 104, 97);
    place(CheckBox8, "Outp&ut filename", 104, 128, 113);
    place(CheckBox7, "Output ex&tension ", 104, 145, 113);
    place(CheckBox6, "Output &folder", 104, 162, 113);
    Panel1.setBounds(112, 178, 161, 60);
    Panel1.setBevelOuter(ui::BevelOuter::None);
    place(RadioButton4, "Same as &input folder", 9, 1, 137);
    place(RadioButton5, "&Other:", 9, 19, 113);
    Edit1.setBounds(27, 36, 126, 21);
    Edit1.setFontColor(ui::colors::Navy);
    place(CheckBox5, "&Reload last settings at startup", 14, 240, 257);
    place(CheckBox1, "&Show number of files to progress in dos-box", 14, 257, 257);
    place(CheckBox9, "&Work on several list files at once", 14, 274, 257);

    // Form defaults.
    RadioButton3.setChecked(true);
    CheckBox2.setChecked(true);
    CheckBox3.setChecked(true);
    CheckBox4.setChecked(true);
    CheckBox6.setChecked(true);
    CheckBox7.setChecked(true);
    RadioButton4.setChecked(true);
    Edit1.setText("C:\\My MP3s\\");

    int order = 0;
    for (ui::Control* control : std::initializer_list<ui::Control*>{
             &CheckBox1, &CheckBox2, &CheckBox3, &CheckBox4, &CheckBox5, &Panel1, &CheckBox6,
             &CheckBox7, &RadioButton2, &RadioButton1, &RadioButton3, &CheckBox8, &CheckBox9,
             &ExplorerButton1, &ExplorerButton2, &ExplorerButton3})
        control->setTabOrder(order++);
    RadioButton4.setTabOrder(0);
    RadioButton5.setTabOrder(1);
    Edit1.setTabOrder(2);
}

void TForm7::FormCreate() {
    loadPreferences();
    loadLastOptions();
    applyPackage();
    setPackageCaption();
}

void TForm7::loadPreferences() {
    TextLines& buffer = generalBuffer();
    buffer.clear();
    loadLinesIfExists(system().files, programFile(kPrefsIni), buffer);
    fromLegacyLines(system().text, buffer);
    const std::string mode = buffer.numberedLine(1);
    if (mode == "Maximized")
        RadioButton1.setChecked(true);
    else if (mode == "Normal")
        RadioButton2.setChecked(true);
    else if (mode == "Minimized")
        RadioButton3.setChecked(true);
    checkOn(CheckBox1, buffer.numberedLine(2), "Yes", true);
    checkOn(CheckBox2, buffer.numberedLine(3), "No", false);
    checkOn(CheckBox3, buffer.numberedLine(4), "No", false);
    checkOn(CheckBox4, buffer.numberedLine(5), "No", false);
    checkOn(CheckBox5, buffer.numberedLine(6), "Yes", true);
    checkOn(CheckBox6, buffer.numberedLine(7), "No", false);
    checkOn(CheckBox7, buffer.numberedLine(8), "No", false);
    if (buffer.numberedLine(9) == "2")
        RadioButton5.setChecked(true);
    Edit1.setText(buffer.numberedLine(10));
    checkOn(CheckBox8, buffer.numberedLine(11), "Yes", true);
    // Older versions write eleven lines and read no more: off unless it says so.
    checkOn(CheckBox9, buffer.numberedLine(12), "Yes", true);
    buffer.clear();
}

void TForm7::loadLastOptions() {
    const std::string path = programFile(kOptionsIni);
    if (!CheckBox5.checked() || !system().files.exists(path) || !MainWindowOptions)
        return;
    TextLines& buffer = generalBuffer();
    loadLines(system().files, path, buffer);
    fromLegacyLines(system().text, buffer);
    applyLastOptions(buffer, *MainWindowOptions);
}

void TForm7::applyPackage() {
    if (!packageEnabled())
        return;
    Image1.setPicture(packageBitmap(kRightBitmap));
    Panel1.setColor(ui::colors::White);
    for (ui::Shape* shape : {&Shape1, &Shape2, &Shape3, &Shape4})
        shape->show();
    for (ui::RadioButton* radio :
         {&RadioButton1, &RadioButton2, &RadioButton3, &RadioButton5, &RadioButton4})
        radio->setColor(ui::colors::White);
    setColor(ui::colors::White);
}

void TForm7::setPackageCaption() {
    if (!packageInstalled())
        return;
    ExplorerButton3.setCaption("Enable p&ackage");
    if (packageEnabled())
        ExplorerButton3.setCaption("Disable p&ackage");
}

} // namespace korimba::settings

namespace korimba::settings {

void TForm7::ExplorerButton1Click() {
    // There is no other way out of the dialog, so it closes even when Prefs.ini
    // cannot be written; the failure is reported.
    ui::Application::current().dispatch([this] { savePreferences(); });
    close();
}

void TForm7::savePreferences() {
    TextLines& buffer = generalBuffer();
    buffer.clear();
    buffer.add(RadioButton1.checked() ? "Maximized"
                                      : (RadioButton2.checked() ? "Normal" : "Minimized"));
    for (const ui::CheckBox* box :
         {&CheckBox1, &CheckBox2, &CheckBox3, &CheckBox4, &CheckBox5, &CheckBox6, &CheckBox7})
        buffer.add(yesNo(box->checked()));
    buffer.add(RadioButton4.checked() ? "1" : "2");
    buffer.add(Edit1.text());
    buffer.add(yesNo(CheckBox8.checked()));
    buffer.add(yesNo(CheckBox9.checked()));
    saveLines(ui::Application::current().platform().files, programFile(kPrefsIni), buffer);
    buffer.clear();
}

void TForm7::ExplorerButton2Click() {
    reloadToolPaths();
    Form2->showModal();
}

// The button's caption, fixed at start-up, decides what it does.
void TForm7::ExplorerButton3Click() {
    ui::Application& application = ui::Application::current();
    const std::string caption = ExplorerButton3.caption();
    const char* question =
        caption == "Download p&ack"
            ? "This will take you to the Venhollow site where you can download visual packages. "
              "Continue?"
        : caption == "Enable p&ackage"
            ? "This will enable the current installed package, and restart Korimba. Continue?"
            : "This will disable the current installed package, and restart Korimba. Continue?";
    if (application.messageBox(ui::MessageKind::Confirmation, question) != ui::Answer::Yes)
        return;
    platform::FileSystem& files = system().files;
    if (caption == "Download p&ack") {
        system().shell.execute(application.backend().handleOf(*this), "open", kVisualPackagePage,
                               "", "", platform::SwShow);
        return;
    }
    if (caption == "Enable p&ackage")
        files.writeFile(programFile(kPackageMarker), "");
    else
        files.deleteFile(programFile(kPackageMarker));
    restart();
}

// Every window applies the package once, at its creation: a new instance takes
// over with the first argument of this one, and this one ends at once, without
// the main window's close steps. The argument goes as the parameters, quoted:
// written after the program's path in the file name, the shell would look for a
// file of that whole name and nothing would start.
void TForm7::restart() {
    ExplorerButton1Click();
    ui::Application& application = ui::Application::current();
    const std::vector<std::string> arguments = system().process.arguments();
    const std::string first = arguments.empty() ? std::string() : arguments.front();
    system().shell.execute(application.backend().handleOf(*this), "open",
                           system().process.executablePath(),
                           first.empty() ? "" : "\"" + first + "\"", "", platform::SwShow);
    application.terminate();
}

} // namespace korimba::settings
