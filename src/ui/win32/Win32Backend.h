#pragma once
// The real desktop behind the control model: a native window for every form and
// windowed control, painting for the windowless ones, message loops, the system's
// dialogs and menus. The model stays the truth; native changes are reported back
// through the model's setters so that its events fire.
#include "ui/Backend.h"
#include "ui/win32/Gdi.h"

#include <windows.h>

#include <vector>

namespace korimba::ui {
class Application;
}

namespace korimba::ui::win32 {

struct ModalRun;

class Win32Backend final : public ui::Backend {
public:
    explicit Win32Backend(HINSTANCE instance);
    ~Win32Backend() override;
    Win32Backend(const Win32Backend&) = delete;
    Win32Backend& operator=(const Win32Backend&) = delete;

    void createForm(Form& form) override;
    void destroyForm(Form& form) override;
    void releaseForm(Form& form) override;
    void applicationEnding() override { closing_ = true; }
    void parentChanged(Control& control) override;
    void propertyChanged(Control& control, Property property) override;
    void runModal(Form& form) override;
    void setFocus(Control& control) override;
    void timerChanged(Timer& timer) override;
    void popupMenu(PopupMenu& menu, int screenX, int screenY) override;
    bool executeOpenDialog(OpenDialog& dialog) override;
    Answer messageBox(MessageKind kind, const std::string& title, const std::string& text) override;
    void clientToScreen(Control& control, int& x, int& y) override;
    void minimizeApplication() override;
    void run(Form& mainForm) override;
    void terminate() override;
    void* handleOf(Form& form) override;

    void invalidate(Control& control) override;
    void repaint(Control& control) override;
    void recreateWindow(CustomControl& control) override;
    void setCapture(Control& control) override;
    void releaseCapture(Control& control) override;
    bool hasCapture(Control& control) override;
    void cancelCaptureMode() override;
    void trackPointerLeave(CustomControl& control) override;
    void postToSelf(CustomControl& control, unsigned message) override;
    void processMessages() override;
    PendingMessage peekMessage() override;
    void handleMessage() override;
    void systemMove(Form& form) override;
    void cancelMode(Control& control) override;
    Point screenSize() override;
    void discardMouseMessages() override;
    Point cursorPos() override;
    void screenToClient(Control& control, int& x, int& y) override;
    bool isActive(Form& form) override;
    void bringToFront(Form& form) override;
    Raster parentPixels(Control& control) override;
    Rgb systemColor(Color color) override;
    bool endEllipsisAvailable() override;
    void accessibleEvent(Control& control, AccessibleEvent event) override;

    // One message of any loop: the forms' own keys (Tab, Alt+letter) first, then
    // the usual translation and dispatch. Loops outside the backend (tests) use it too.
    void dispatchMessage(MSG& message);

    HINSTANCE instance() const { return instance_; }
    GdiObjects& gdi() { return gdi_; }
    // True once the application has begun to take its forms down: the windows
    // then stop reporting to the model.
    bool closing() const { return closing_; }

private:
    // The native windows of a form, made now: the main form's and a visible
    // one's at once, a hidden one's when it is first shown.
    void makeWindows(Form& form);
    void makeDeferredWindows(Form& form);
    void showForm(Form& form);
    void hideForm(Form& form);
    void formBoundsChanged(Form& form);
    void formStyleChanged(Form& form);
    void releaseModalRuns(Form& form);
    // The window that owns message boxes, menus and the open-file dialog now.
    HWND ownerWindow(Form* preferred = nullptr) const;

    HINSTANCE instance_;
    GdiObjects gdi_;
    std::vector<ModalRun*> modalRuns_;
    // Forms created hidden before the main loop whose windows wait for their
    // first show: most of the dialogs are never opened in a run, and each
    // window costs the start. Forms made while the program runs (drop-down
    // panels) get theirs at once.
    std::vector<Form*> deferred_;
    bool running_ = false;
    // The window in the system's move loop (systemMove), if any.
    HWND movingWindow_ = nullptr;
    bool closing_ = false;
};

} // namespace korimba::ui::win32
