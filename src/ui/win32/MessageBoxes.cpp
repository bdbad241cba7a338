#include "ui/win32/Win32Backend.h"

namespace korimba::ui::win32 {

namespace {

UINT messageBoxStyle(MessageKind kind) {
    switch (kind) {
    case MessageKind::Error:
        return MB_OK | MB_ICONERROR;
    case MessageKind::Warning:
        return MB_OK | MB_ICONWARNING;
    case MessageKind::Information:
        return MB_OK | MB_ICONINFORMATION;
    case MessageKind::Confirmation:
        return MB_YESNO | MB_ICONQUESTION;
    }
    return MB_OK;
}

} // namespace

Answer Win32Backend::messageBox(MessageKind kind, const std::string& title,
                                const std::string& text) {
    HWND owner = ownerWindow();
    // Without an owner the box still has to hold off the application's windows.
    const UINT style = messageBoxStyle(kind) | (owner ? 0 : MB_TASKMODAL);
    switch (MessageBoxA(owner, text.c_str(), title.c_str(), style)) {
    case IDYES:
        return Answer::Yes;
    case IDNO:
        return Answer::No;
    default:
        return Answer::Ok;
    }
}

} // namespace korimba::ui::win32
