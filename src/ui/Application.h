#pragma once
// The application object: title, platform, backend, the forms in creation order,
// and the one dispatcher through which every handler and window creation runs.
#include "platform/Platform.h"
#include "ui/Backend.h"
#include "ui/Dialogs.h"
#include "ui/Form.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace korimba::ui {

// Thrown when a nested loop (a modal form, a message box, the open-file dialog,
// a popup menu) comes back because the application ended meanwhile, as when
// Windows closes the main window during a dialog: the handler that opened the
// loop must not go on. The dispatcher ends the handler quietly.
struct Terminated {};

class Application {
public:
    Application(platform::Platform platform, Backend& backend);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The application being run; there is exactly one at a time.
    static Application& current();
    // False before an application is made (a form built on its own, in a test).
    static bool exists();

    const std::string& title() const { return title_; }
    void setTitle(const std::string& title) { title_ = title; }
    platform::Platform& platform() { return platform_; }
    Backend& backend() { return backend_; }

    // Creates a form, sets its global reference, makes its native windows and
    // runs its OnCreate through the dispatcher. The first form is the main form.
    template <class F> F& createForm(F*& globalReference) {
        auto form = std::make_unique<F>();
        F& created = *form;
        globalReference = &created;
        clearReferences_.push_back([&globalReference] { globalReference = nullptr; });
        adopt(std::move(form));
        return created;
    }
    // A form made while the program runs (a drop-down's window), freed by
    // releaseForm; it has no global reference.
    template <class F, class... Args> F& makeForm(Args&&... args) {
        auto form = std::make_unique<F>(std::forward<Args>(args)...);
        F& created = *form;
        adopt(std::move(form));
        return created;
    }
    // Hides the form now and frees it once the message being handled is done.
    void releaseForm(Form& form);
    // Frees a form at once; the backend calls it for a released form.
    void freeForm(Form& form);
    Form* mainForm() const { return forms_.empty() ? nullptr : forms_.front().get(); }
    const std::vector<std::unique_ptr<Form>>& forms() const { return forms_; }

    // Runs the message loop with the main form shown; returns when it has closed.
    void run();
    // Ends the program: every nested loop ends, and from now on no handler runs.
    void terminate();
    bool terminated() const { return terminated_; }
    // Throws Terminated once the application has ended; called after a nested loop.
    void leaveIfTerminated() const;
    void minimize();

    // Runs a handler; an Exception shows its text in an error box and ends the
    // handler. After the end of the application it runs nothing.
    void dispatch(const std::function<void()>& handler);
    Answer messageBox(MessageKind kind, const std::string& text);
    // From now on no error or warning box waits for a person: the text goes to
    // `report`, and an error makes the exit status 1. For runs that a script
    // started and waits for.
    void runUnattended(std::function<void(const std::string&)> report);
    bool unattended() const { return static_cast<bool>(report_); }
    // What the process returns when the loop has ended: 0 unless something failed.
    int exitStatus() const { return exitStatus_; }
    void setExitStatus(int status) { exitStatus_ = status; }
    void showError(const std::string& text) { messageBox(MessageKind::Error, text); }

    // The form that last became active (headless bookkeeping and modal hand-back).
    Form* activeForm() const { return activeForm_; }
    void setActiveForm(Form* form) { activeForm_ = form; }

private:
    void adopt(std::unique_ptr<Form> form);

    platform::Platform platform_;
    Backend& backend_;
    std::string title_;
    std::vector<std::unique_ptr<Form>> forms_;
    std::vector<std::function<void()>> clearReferences_;
    Form* activeForm_ = nullptr;
    bool terminated_ = false;
    std::function<void(const std::string&)> report_;
    int exitStatus_ = 0;
};

} // namespace korimba::ui
