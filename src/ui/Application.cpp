#include "ui/Application.h"

#include "platform/Exception.h"

#include <algorithm>
#include <cassert>

namespace korimba::ui {

namespace {
Application* currentApplication = nullptr;
}

Application::Application(platform::Platform platform, Backend& backend)
    : platform_(platform), backend_(backend) {
    assert(!currentApplication);
    currentApplication = this;
}

Application::~Application() {
    for (auto& clear : clearReferences_)
        clear();
    backend_.applicationEnding();
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it)
        backend_.destroyForm(**it);
    forms_.clear();
    currentApplication = nullptr;
}

bool Application::exists() {
    return currentApplication != nullptr;
}

Application& Application::current() {
    assert(currentApplication);
    return *currentApplication;
}

void Application::adopt(std::unique_ptr<Form> form) {
    Form& adopted = *form;
    forms_.push_back(std::move(form));
    // A window the system refuses is reported; the form's own creation still runs.
    dispatch([&] { backend_.createForm(adopted); });
    if (adopted.OnCreate)
        dispatch(adopted.OnCreate);
}

void Application::releaseForm(Form& form) {
    form.hide();
    backend_.releaseForm(form);
}

void Application::freeForm(Form& form) {
    const auto found = std::find_if(forms_.begin(), forms_.end(),
                                    [&](const auto& owned) { return owned.get() == &form; });
    // The main form lives as long as the application; a form freed already is gone.
    if (found == forms_.end() || found == forms_.begin())
        return;
    if (activeForm_ == &form)
        activeForm_ = nullptr;
    backend_.destroyForm(form);
    forms_.erase(found);
}

void Application::run() {
    if (Form* main = mainForm())
        backend_.run(*main);
}

void Application::terminate() {
    if (terminated_)
        return;
    terminated_ = true;
    backend_.terminate();
}

void Application::leaveIfTerminated() const {
    if (terminated_)
        throw Terminated{};
}

void Application::minimize() {
    backend_.minimizeApplication();
}

void Application::dispatch(const std::function<void()>& handler) {
    if (terminated_)
        return;
    try {
        handler();
    } catch (const Exception& error) {
        if (!terminated_)
            showError(error.message());
    } catch (const Terminated&) {
        // The program is ending; the rest of the handler is skipped.
    }
}

void Application::runUnattended(std::function<void(const std::string&)> report) {
    report_ = std::move(report);
}

Answer Application::messageBox(MessageKind kind, const std::string& text) {
    leaveIfTerminated();
    if (report_ && (kind == MessageKind::Error || kind == MessageKind::Warning)) {
        report_(text);
        if (kind == MessageKind::Error)
            exitStatus_ = 1;
        return Answer::Ok;
    }
    const Answer answer = backend_.messageBox(kind, messageTitle(kind), text);
    // A box ended by the end of the program was not answered by the user.
    leaveIfTerminated();
    return answer;
}

} // namespace korimba::ui
