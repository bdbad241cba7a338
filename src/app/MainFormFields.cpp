// The main window's input and output fields: typing, browsing, dropping, and
// the completion of the output by the preferences.
#include "app/MainForm.h"

#include "jobs/OutputField.h"
#include "lists/ListForm.h"
#include "settings/PreferencesForm.h"
#include "settings/ProgramFiles.h"
#include "ui/Application.h"

namespace korimba::app {

using settings::codePage;
using settings::system;

namespace {

jobs::OutputPreferences outputPreferences() {
    const settings::TForm7& preferences = *settings::Form7;
    return {preferences.CheckBox6.checked(), preferences.RadioButton5.checked(),
            preferences.Edit1.text(), preferences.CheckBox7.checked(),
            preferences.CheckBox8.checked()};
}

} // namespace

void TForm1::Edit1Change() {
    ExplorerButton1.setEnabled(paths::isEncodableInput(Edit1.text(), codePage()));
    ExplorerButton2.setEnabled(paths::isDecodableInput(Edit1.text(), codePage()));
}

void TForm1::Edit2Enter() {
    Edit2.setText(jobs::outputOnEnter(Edit2.text(), Edit1.text(), outputPreferences(), codePage()));
}

void TForm1::Edit2Exit() {
    Edit2.setText(jobs::outputOnExit(Edit2.text(), Edit1.text(), outputPreferences(), codePage()));
}

void TForm1::ExplorerButton4Click() {
    OpenDialog1.fileName = Edit1.text();
    OpenDialog1.execute();
    Edit1.setText(OpenDialog1.fileName);
    Edit2.setFocus();
}

// The list window takes the main window's place.
void TForm1::ExplorerButton5Click() {
    lists::Form6->setLeft(left());
    lists::Form6->setTop(top());
    lists::Form6->show();
    hide();
}

void TForm1::ListWindowClosed() {
    ExplorerButton5.setCaption("Edi&t list");
    ExplorerButton6.setEnabled(false);
    ExplorerButton7.setEnabled(false);
    const std::string type =
        paths::upperAscii(paths::extension(lists::Form6->Memo1.lines().line(0), codePage()));
    if (type == ".WAV")
        ExplorerButton6.setEnabled(true);
    else if (type == ".MP3")
        ExplorerButton7.setEnabled(true);
    setLeft(lists::Form6->left());
    setTop(lists::Form6->top());
    show();
}

void TForm1::WMDropFiles(ui::DroppedFiles& files) {
    if (files.count() != 1) {
        // The list window reads the names and releases the drop.
        ExplorerButton5Click();
        lists::Form6->userDropFiles(files);
        return;
    }
    const std::string name = files.name(0);
    const std::string refusal = paths::dropRefusal(name, codePage());
    if (refusal.empty())
        Edit1.setText(name);
    else
        ui::Application::current().showError(refusal);
    files.finish();
}

} // namespace korimba::app
