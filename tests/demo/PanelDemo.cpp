// A window with two flat buttons, each dropping down a panel of its own: what
// the Wine tests drive, and what a reader runs to see the drop-down panel.
#include "platform/win32/Win32Platform.h"
#include "ui/Application.h"
#include "ui/Controls.h"
#include "ui/win32/Win32Backend.h"
#include "widgets/ExplorerButton.h"
#include "widgets/ExplorerPopup.h"

#include <windows.h>

namespace {

using namespace korimba;

// A panel of about 160 x 100 with an edit and a check box.
struct DemoPanel {
    DemoPanel(ui::Form& form, const std::string& name, const std::string& caption)
        : panel(&form, name, 8, 150, 160, 100), edit(&panel, name + "Edit"),
          check(&panel, name + "Check") {
        panel.setCaption(caption);
        edit.setBounds(8, 12, 144, 21);
        check.setCaption("&Remember");
        check.setBounds(8, 44, 144, 17);
    }
    widgets::TExplorerPopup panel;
    ui::Edit edit;
    ui::CheckBox check;
};

class TPanelDemo : public ui::Form {
public:
    TPanelDemo()
        : ui::Form("TPanelDemo"),
          ButtonOne(this, "ButtonOne", "Panel &one", 8, 8, 89, 25, widgets::kDialogButtonOptions),
          ButtonTwo(this, "ButtonTwo", "Panel &two", 101, 8, 89, 25, widgets::kDialogButtonOptions),
          Outside(this, "Outside"), One(*this, "PanelOne", "First panel"),
          Two(*this, "PanelTwo", "Second panel") {
        setCaption("Drop-down panels");
        setBorderStyle(ui::BorderStyle::Single);
        setBorderIcons(ui::BiSystemMenu | ui::BiMinimize);
        setClientSize(400, 260);
        setBounds(40, 40, 0, 0);
        // Something outside the panels to click: the click that closes a panel
        // must still reach it.
        Outside.setCaption("&Outside");
        Outside.setBounds(240, 60, 120, 17);
        ButtonOne.setExplorerPopup(&One.panel);
        ButtonTwo.setExplorerPopup(&Two.panel);
    }

    widgets::TExplorerButton ButtonOne;
    widgets::TExplorerButton ButtonTwo;
    ui::CheckBox Outside;
    DemoPanel One;
    DemoPanel Two;
};

TPanelDemo* PanelDemo = nullptr;

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    korimba::platform::win32::Win32Platform system;
    korimba::ui::win32::Win32Backend backend(instance);
    korimba::ui::Application application(system.bundle(), backend);
    application.setTitle("Drop-down panels");
    application.createForm(PanelDemo);
    application.run();
    return 0;
}
