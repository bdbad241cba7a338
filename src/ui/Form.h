#pragma once
#include "ui/Control.h"

#include <functional>
#include <string>
#include <vector>

namespace korimba::ui {

// A tool window has a small caption and only a close box.
enum class BorderStyle { Sizeable, Single, Dialog, None, ToolWindow };
enum BorderIcon : unsigned { BiSystemMenu = 1, BiMinimize = 2, BiMaximize = 4 };
enum class FormPosition { Designed, ScreenCenter };

// Files dropped from the shell: count, names, and the one release of the drop.
class DroppedFiles {
public:
    virtual ~DroppedFiles() = default;
    virtual int count() = 0;
    // The index-th name, whole, in the program's code page.
    virtual std::string name(int index) = 0;
    virtual void finish() = 0;
};

class Timer;

class Form : public Control {
public:
    explicit Form(std::string name);
    ~Form() override;
    ControlKind kind() const override { return ControlKind::Form; }

    int clientWidth() const { return clientWidth_; }
    int clientHeight() const { return clientHeight_; }
    void setClientSize(int width, int height);
    BorderStyle borderStyle() const { return borderStyle_; }
    // Border, icons and stay-on-top reach a window that exists already too.
    void setBorderStyle(BorderStyle style);
    unsigned borderIcons() const { return borderIcons_; }
    void setBorderIcons(unsigned icons);
    bool stayOnTop() const { return stayOnTop_; }
    void setStayOnTop(bool onTop);
    // A window that floats beside the active one shows without taking the activation.
    bool activatesOnShow() const { return activatesOnShow_; }
    void setActivatesOnShow(bool activates) { activatesOnShow_ = activates; }
    FormPosition position() const { return position_; }
    void setPosition(FormPosition position) { position_ = position; }
    bool acceptsFiles() const { return acceptsFiles_; }
    // DragAcceptFiles.
    void setAcceptsFiles(bool accept);

    // Shows modally; returns when the form has closed again.
    void showModal();
    bool modal() const { return modal_; }
    // Asks OnCloseQuery, then runs OnClose and hides; closing the main form ends the program.
    void close();

    Control* activeControl() const { return activeControl_; }
    // Called when the keyboard focus has moved to control (or away from the form
    // with nullptr): raises OnExit of the old control, then OnEnter of the new one.
    void focusMoved(Control* control);
    // The control leaves the form: if the focus was in it, the form forgets it quietly.
    void forgetFocusWithin(const Control& control);

    // The user drags the window: the proposed outer rectangle, which the form may change.
    virtual void moving(Rect& /*proposed*/) {}
    // The application as a whole became active or inactive (another program's window).
    virtual void applicationActivated(bool /*active*/) {}

    std::vector<Timer*>& timers() { return timers_; }

    // What the user (or a native window) does to the form; each runs through the dispatcher.
    void userActivate();
    void userClose() { close(); }
    void userDropFiles(DroppedFiles& files);

    Event OnCreate;
    Event OnActivate;
    std::function<void(bool& canClose)> OnCloseQuery;
    Event OnClose;
    std::function<void(DroppedFiles&)> OnDropFiles;

private:
    friend class Application;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    BorderStyle borderStyle_ = BorderStyle::Sizeable;
    unsigned borderIcons_ = BiSystemMenu | BiMinimize | BiMaximize;
    bool stayOnTop_ = false;
    bool activatesOnShow_ = true;
    FormPosition position_ = FormPosition::Designed;
    bool acceptsFiles_ = false;
    bool modal_ = false;
    Control* activeControl_ = nullptr;
    std::vector<Timer*> timers_;
};

} // namespace korimba::ui
