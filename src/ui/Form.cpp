#include "ui/Form.h"

#include "ui/Application.h"

namespace korimba::ui {

Form::Form(std::string name) : Control(nullptr, std::move(name)) {
    setVisible(false);
}

Form::~Form() = default;

void Form::setClientSize(int width, int height) {
    clientWidth_ = width;
    clientHeight_ = height;
    changed(Property::Bounds);
}

void Form::setBorderStyle(BorderStyle style) {
    borderStyle_ = style;
    changed(Property::Style);
}

void Form::setBorderIcons(unsigned icons) {
    borderIcons_ = icons;
    changed(Property::Style);
}

void Form::setStayOnTop(bool onTop) {
    stayOnTop_ = onTop;
    changed(Property::Style);
}

void Form::setAcceptsFiles(bool accept) {
    acceptsFiles_ = accept;
    changed(Property::Style);
}

void Form::showModal() {
    Application& application = Application::current();
    Form* previous = application.activeForm();
    modal_ = true;
    show();
    application.backend().runModal(*this);
    modal_ = false;
    hide();
    application.leaveIfTerminated();
    // The native side may already have handed activation back while hiding.
    if (previous && previous != this && previous->visible() && application.activeForm() != previous)
        previous->userActivate();
}

void Form::close() {
    // A close that comes after the end (a second WM_CLOSE) has nothing left to do.
    if (Application::current().terminated())
        return;
    bool canClose = true;
    if (OnCloseQuery)
        Application::current().dispatch([&] { OnCloseQuery(canClose); });
    if (!canClose)
        return;
    raise(OnClose);
    hide();
    Application& application = Application::current();
    if (application.mainForm() == this)
        application.terminate();
}

void Form::focusMoved(Control* control) {
    if (control == activeControl_)
        return;
    Control* previous = activeControl_;
    activeControl_ = control;
    if (previous)
        raise(previous->OnExit);
    if (control && activeControl_ == control)
        raise(control->OnEnter);
}

void Form::forgetFocusWithin(const Control& control) {
    if (activeControl_ && control.contains(*activeControl_))
        activeControl_ = nullptr;
}

void Form::userActivate() {
    Application::current().setActiveForm(this);
    raise(OnActivate);
}

void Form::userDropFiles(DroppedFiles& files) {
    if (OnDropFiles)
        Application::current().dispatch([&] { OnDropFiles(files); });
    else
        files.finish();
}

} // namespace korimba::ui
