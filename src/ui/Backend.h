#pragma once
// What the control model needs from a desktop: native peers, modal loops,
// message boxes, the open-file dialog, timers, menus and focus.
#include "ui/Control.h"
#include "ui/Dialogs.h"

#include <string>

namespace korimba::ui {

class Form;
class Timer;
class PopupMenu;

class Backend {
public:
    virtual ~Backend() = default;

    // Makes the native windows of a new form and all its controls (hidden), and
    // sets each control's native member, after which changes are reported.
    virtual void createForm(Form& form) = 0;
    virtual void destroyForm(Form& form) = 0;
    // A property of a control changed in the model. For a form, Visible shows
    // (and activates) or hides it.
    virtual void propertyChanged(Control& control, Property property) = 0;
    // Runs a modal loop until the form is hidden again.
    virtual void runModal(Form& form) = 0;
    virtual void setFocus(Control& control) = 0;
    virtual void timerChanged(Timer& timer) = 0;
    virtual void popupMenu(PopupMenu& menu, int screenX, int screenY) = 0;
    virtual bool executeOpenDialog(OpenDialog& dialog) = 0;
    virtual Answer messageBox(MessageKind kind, const std::string& title,
                              const std::string& text) = 0;
    // Screen position of a control's client point (for dropping a menu under a button).
    virtual void clientToScreen(Control& control, int& x, int& y) = 0;
    virtual void minimizeApplication() = 0;
    // Runs the message loop until the main form closes.
    virtual void run(Form& mainForm) = 0;
    virtual void terminate() = 0;
    // The native handle of a form, as owner for shell calls; null headless.
    virtual void* handleOf(Form& form) = 0;
};

} // namespace korimba::ui
