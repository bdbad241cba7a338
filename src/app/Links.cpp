// The help and the maker's links, from the System menu and the about box. The
// addresses are kept in settings/Addresses.h.
#include "app/AboutForm.h"
#include "app/MainForm.h"

#include "settings/Addresses.h"
#include "settings/ProgramFiles.h"
#include "ui/Application.h"

namespace korimba::app {

namespace {

void open(ui::Form& owner, const std::string& target, int showCommand) {
    settings::system().shell.execute(ui::Application::current().backend().handleOf(owner), "open",
                                     target, "", "", showCommand);
}

std::string mailTo() {
    return std::string("mailto:") + settings::kSupportMail;
}

} // namespace

void TForm1::Contents1Click() {
    open(*this, settings::programFile("help\\index.htm"), platform::SwShowMaximized);
}

void TForm1::Venhollowsite1Click() {
    open(*this, settings::kHomePage, platform::SwShowMaximized);
}

void TForm1::EMailVenhollow1Click() {
    open(*this, mailTo(), platform::SwShow);
}

void TForm4::ExplorerButton3Click() {
    open(*this, settings::kHomePage, platform::SwShow);
}

void TForm4::ExplorerButton1Click() {
    open(*this, mailTo(), platform::SwShow);
}

} // namespace korimba::app
