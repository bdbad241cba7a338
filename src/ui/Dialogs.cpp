#include "ui/Dialogs.h"

#include "ui/Application.h"

namespace korimba::ui {

const char* messageTitle(MessageKind kind) {
    switch (kind) {
    case MessageKind::Error:
        return "Error";
    case MessageKind::Warning:
        return "Warning";
    case MessageKind::Information:
        return "Information";
    case MessageKind::Confirmation:
        return "Confirm";
    }
    return "";
}

bool OpenDialog::execute() {
    Application& application = Application::current();
    const bool chosen = application.backend().executeOpenDialog(*this);
    application.leaveIfTerminated();
    return chosen;
}

} // namespace korimba::ui
