// The application's message loop, modal loops, and the handling every message gets.
#include "platform/Exception.h"
#include "ui/Application.h"
#include "ui/win32/Peers.h"
#include "ui/win32/Keyboard.h"
#include "ui/win32/ModalRun.h"
#include "ui/win32/Win32Backend.h"

#include <algorithm>

namespace korimba::ui::win32 {

void Win32Backend::dispatchMessage(MSG& message) {
    if (handleNavigationKey(*this, message))
        return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

void Win32Backend::run(Form& mainForm) {
    Application& application = Application::current();
    // Its creation failed and was reported: a loop without a window would never end.
    if (!windowOf(mainForm))
        return;
    running_ = true;
    mainForm.show();
    // Ends on the quit message of terminate(), or as soon as the nested loop that
    // saw the end (and may have swallowed the quit message) has returned.
    MSG message;
    while (!application.terminated() && GetMessageA(&message, nullptr, 0, 0) > 0)
        dispatchMessage(message);
}

PendingMessage Win32Backend::peekMessage() {
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE))
        return PendingMessage::None;
    switch (message.message) {
    case WM_QUIT:
        return PendingMessage::Quit;
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
        return PendingMessage::LeftButtonDown;
    default:
        return PendingMessage::Other;
    }
}

void Win32Backend::handleMessage() {
    MSG message;
    // With nothing there it only waits: the caller looks at what came before it is handled.
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        WaitMessage();
        return;
    }
    if (message.message == WM_QUIT) {
        // For the loops outside, which must end as well.
        PostQuitMessage(static_cast<int>(message.wParam));
        return;
    }
    dispatchMessage(message);
}

void Win32Backend::runModal(Form& form) {
    Application& application = Application::current();
    makeDeferredWindows(form);
    // Nothing could close a form without a window: say so instead of waiting forever.
    if (!windowOf(form)) {
        application.showError(windowCreateError(form.name()).message());
        return;
    }
    ModalRun run(form);
    modalRuns_.push_back(&run);
    MSG message;
    while (form.visible() && !application.terminated()) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            // The outer loop must end as well.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got < 0)
            break;
        dispatchMessage(message);
    }
    modalRuns_.erase(std::remove(modalRuns_.begin(), modalRuns_.end(), &run), modalRuns_.end());
}

} // namespace korimba::ui::win32
