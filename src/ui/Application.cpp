#include "ui/Application.h"

#include "platform/Exception.h"

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
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it)
        backend_.destroyForm(**it);
    forms_.clear();
    currentApplication = nullptr;
}

Application& Application::current() {
    assert(currentApplication);
    return *currentApplication;
}

void Application::adopt(std::unique_ptr<Form> form) {
    Form& adopted = *form;
    forms_.push_back(std::move(form));
    backend_.createForm(adopted);
    if (adopted.OnCreate)
        dispatch(adopted.OnCreate);
}

void Application::run() {
    if (Form* main = mainForm())
        backend_.run(*main);
}

void Application::terminate() {
    terminated_ = true;
    backend_.terminate();
}

void Application::minimize() {
    backend_.minimizeApplication();
}

void Application::dispatch(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const Exception& error) {
        showError(error.message());
    }
}

Answer Application::messageBox(MessageKind kind, const std::string& text) {
    return backend_.messageBox(kind, messageTitle(kind), text);
}

} // namespace korimba::ui
