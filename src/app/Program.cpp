#include "app/Program.h"

#include "app/AboutForm.h"
#include "app/MainForm.h"
#include "lists/ListForm.h"
#include "settings/BufferForm.h"
#include "settings/PreferencesForm.h"
#include "settings/ToolPathsForm.h"

namespace korimba::app {

void createWindows(ui::Application& application) {
    application.setTitle("Korimba");
    application.createForm(Form1);
    application.createForm(settings::Form2);
    application.createForm(settings::Form3);
    application.createForm(Form4);
    application.createForm(lists::Form6);
    application.createForm(settings::Form7);
    lists::Form6->OnHandBack = [] { Form1->ListWindowClosed(); };
}

} // namespace korimba::app
