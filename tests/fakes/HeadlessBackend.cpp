#include "fakes/HeadlessBackend.h"

#include "ui/Application.h"
#include "ui/Menu.h"

namespace korimba::fakes {

namespace {

void attach(ui::Control& control) {
    control.native = &control;
    for (ui::Control* child : control.children())
        attach(*child);
}

// Chooses the named item anywhere in a menu tree; true when found.
bool choose(const std::vector<std::unique_ptr<ui::MenuItem>>& items, const std::string& name) {
    for (const auto& item : items) {
        if (item->name() == name) {
            item->click();
            return true;
        }
        if (choose(item->items(), name))
            return true;
    }
    return false;
}

} // namespace

void HeadlessBackend::createForm(ui::Form& form) {
    attach(form);
}

void HeadlessBackend::propertyChanged(ui::Control& control, ui::Property property) {
    if (control.kind() == ui::ControlKind::Form && property == ui::Property::Visible &&
        control.visible())
        static_cast<ui::Form&>(control).userActivate();
}

void HeadlessBackend::runModal(ui::Form& form) {
    modalsShown.push_back(form.name());
    auto handler = onModal.find(form.name());
    if (handler != onModal.end() && handler->second)
        handler->second(form);
    // A dialog the test left open is taken as closed by the user.
    if (form.visible())
        form.hide();
}

void HeadlessBackend::setFocus(ui::Control& control) {
    if (ui::Form* form = control.form())
        form->focusMoved(&control);
}

void HeadlessBackend::popupMenu(ui::PopupMenu& menu, int screenX, int screenY) {
    menusShown.push_back(menu.name());
    lastPopupAt = {screenX, screenY};
    if (whileMenuShown)
        whileMenuShown();
    const std::string item = menuChoice;
    menuChoice.clear();
    if (!item.empty())
        choose(menu.items(), item);
}

bool HeadlessBackend::executeOpenDialog(ui::OpenDialog& dialog) {
    return onOpenDialog ? onOpenDialog(dialog) : false;
}

ui::Answer HeadlessBackend::messageBox(ui::MessageKind kind, const std::string& title,
                                       const std::string& text) {
    messages.push_back({kind, title, text});
    if (whileMessageShown)
        whileMessageShown(messages.back());
    if (kind != ui::MessageKind::Confirmation)
        return ui::Answer::Ok;
    if (answers.empty())
        return ui::Answer::Yes;
    const ui::Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::vector<std::string> HeadlessBackend::messageTexts() const {
    std::vector<std::string> texts;
    for (const auto& message : messages)
        texts.push_back(message.text);
    return texts;
}

void HeadlessBackend::clientToScreen(ui::Control& control, int& x, int& y) {
    for (ui::Control* c = &control; c; c = c->parent()) {
        x += c->left();
        y += c->top();
    }
}

void HeadlessBackend::run(ui::Form& mainForm) {
    mainForm.show();
}

std::string FakeDrop::name(int index, int bufferSize) {
    const std::string& full = names_.at(static_cast<std::size_t>(index));
    const auto room = static_cast<std::size_t>(bufferSize > 0 ? bufferSize - 1 : 0);
    return full.substr(0, room);
}

} // namespace korimba::fakes
