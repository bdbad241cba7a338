#include "fakes/HeadlessBackend.h"

#include "ui/Application.h"
#include "ui/Menu.h"
#include "ui/RasterCanvas.h"

namespace korimba::fakes {

namespace {

void attach(ui::Control& control) {
    control.native = &control;
    if (control.kind() == ui::ControlKind::Custom)
        static_cast<ui::CustomControl&>(control).nativeWindowCreated();
    for (ui::Control* child : control.children())
        attach(*child);
}

ui::Point screenOrigin(ui::Control& control) {
    ui::Point at;
    for (ui::Control* c = &control; c; c = c->parent()) {
        at.x += c->left();
        at.y += c->top();
    }
    return at;
}

void findCustomAt(ui::Control& control, ui::Point screen, ui::CustomControl*& found) {
    for (ui::Control* child : control.children()) {
        if (!child->visible())
            continue;
        if (child->kind() == ui::ControlKind::Custom) {
            const ui::Point origin = screenOrigin(*child);
            if (screen.x >= origin.x && screen.y >= origin.y &&
                screen.x < origin.x + child->width() && screen.y < origin.y + child->height())
                found = static_cast<ui::CustomControl*>(child);
        }
        findCustomAt(*child, screen, found);
    }
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
    // A window's size and place messages, as the real backend's window gets them.
    if (control.kind() == ui::ControlKind::Custom && property == ui::Property::Bounds) {
        auto& custom = static_cast<ui::CustomControl&>(control);
        custom.resized();
        custom.moved();
    }
    if (control.kind() == ui::ControlKind::Form && property == ui::Property::Visible &&
        control.visible() && static_cast<ui::Form&>(control).activatesOnShow())
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

void HeadlessBackend::recreateWindow(ui::CustomControl& control) {
    ++recreated[&control];
    control.nativeWindowCreated();
}

void HeadlessBackend::releaseCapture(ui::Control& control) {
    if (captured == &control)
        captured = nullptr;
}

void HeadlessBackend::cancelCaptureMode() {
    if (!captured)
        return;
    ++cancelModes;
    captured = nullptr; // what the default handling of WM_CANCELMODE does
}

void HeadlessBackend::postToSelf(ui::CustomControl& control, unsigned message) {
    postedMessages.emplace_back(&control, message);
}

void HeadlessBackend::processMessages() {
    while (!postedMessages.empty() || !released.empty()) {
        if (freeReleased())
            continue;
        const auto [control, message] = postedMessages.front();
        postedMessages.pop_front();
        ui::Application::current().dispatch([control, message] { control->posted(message); });
    }
}

bool HeadlessBackend::freeReleased() {
    if (released.empty())
        return false;
    ui::Form* form = released.front();
    released.erase(released.begin());
    ui::Application::current().freeForm(*form);
    return true;
}

ui::PendingMessage HeadlessBackend::peekMessage() {
    if (!postedMessages.empty() || !released.empty())
        return ui::PendingMessage::Other;
    if (inputs.empty()) {
        ++quitsSeen;
        return ui::PendingMessage::Quit;
    }
    if (inputs.front().at)
        cursor = *inputs.front().at;
    return inputs.front().kind;
}

void HeadlessBackend::handleMessage() {
    if (!postedMessages.empty()) {
        const auto [control, message] = postedMessages.front();
        postedMessages.pop_front();
        ui::Application::current().dispatch([control, message] { control->posted(message); });
        return;
    }
    if (freeReleased() || inputs.empty())
        return;
    const Input input = inputs.front();
    inputs.pop_front();
    ui::Application::current().dispatch(input.action);
}

void HeadlessBackend::queueClick(ui::Point screenPoint) {
    inputs.push_back({ui::PendingMessage::LeftButtonDown,
                      [this, screenPoint] {
                          cursor = screenPoint;
                          leftDown();
                          leftUp();
                      },
                      screenPoint});
}

void HeadlessBackend::queue(std::function<void()> action) {
    inputs.push_back({ui::PendingMessage::Other, std::move(action), std::nullopt});
}

void HeadlessBackend::systemMove(ui::Form& form) {
    ++systemMoves;
    moving = &form;
    moveCancelled = false;
    if (whileSystemMove)
        whileSystemMove(form);
    moving = nullptr;
}

void HeadlessBackend::dragFormTo(ui::Form& form, int left, int top) {
    if (moving != &form || moveCancelled)
        return;
    ui::Rect proposed{left, top, form.width(), form.height()};
    ui::Application::current().dispatch([&] { form.moving(proposed); });
    form.setBounds(proposed.left, proposed.top, proposed.width, proposed.height);
}

void HeadlessBackend::cancelMode(ui::Control& control) {
    ++cancelModes;
    if (moving == &control)
        moveCancelled = true;
    if (captured == &control)
        captured = nullptr;
}

void HeadlessBackend::setApplicationActive(bool active) {
    std::vector<ui::Form*> forms;
    for (const auto& form : ui::Application::current().forms())
        forms.push_back(form.get());
    for (ui::Form* form : forms)
        ui::Application::current().dispatch([&] { form->applicationActivated(active); });
}

void HeadlessBackend::screenToClient(ui::Control& control, int& x, int& y) {
    const ui::Point origin = screenOrigin(control);
    x -= origin.x;
    y -= origin.y;
}

bool HeadlessBackend::isActive(ui::Form& form) {
    return ui::Application::current().activeForm() == &form;
}

ui::Raster HeadlessBackend::parentPixels(ui::Control& control) {
    const ui::Point origin = screenOrigin(control);
    ui::Raster pixels(control.width(), control.height());
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x)
            if (parentPicture.contains(origin.x + x, origin.y + y))
                pixels.set(x, y, parentPicture.at(origin.x + x, origin.y + y));
    return pixels;
}

ui::Rgb HeadlessBackend::systemColor(ui::Color color) {
    const auto changed = systemColors.find(color);
    return changed != systemColors.end() ? changed->second : ui::classicSystemColor(color);
}

ui::CustomControl* HeadlessBackend::customAt(ui::Point screenPoint) {
    ui::CustomControl* found = nullptr;
    for (const auto& form : ui::Application::current().forms())
        if (form->visible())
            findCustomAt(*form, screenPoint, found);
    return found;
}

void HeadlessBackend::pointTo(ui::Control& control, int x, int y) {
    cursor = screenOrigin(control);
    cursor.x += x;
    cursor.y += y;
    ui::CustomControl* under = customAt(cursor);
    if (hovered && hovered != under && hovered != captured)
        hovered->pointerLeft();
    hovered = under;
    ui::CustomControl* target = captured && captured->kind() == ui::ControlKind::Custom
                                    ? static_cast<ui::CustomControl*>(captured)
                                    : under;
    if (!target)
        return;
    const ui::Point origin = screenOrigin(*target);
    ui::Application::current().dispatch(
        [&] { target->pointerMoved(0, cursor.x - origin.x, cursor.y - origin.y); });
}

void HeadlessBackend::pointAway() {
    ui::CustomControl* was = hovered;
    cursor = {-1000, -1000};
    hovered = nullptr;
    if (captured && captured->kind() == ui::ControlKind::Custom) {
        auto* target = static_cast<ui::CustomControl*>(captured);
        const ui::Point origin = screenOrigin(*target);
        target->pointerMoved(0, cursor.x - origin.x, cursor.y - origin.y);
    } else if (was) {
        was->pointerLeft();
    }
}

void HeadlessBackend::sendPointer(ui::CustomControl* target, ui::MouseButton button, unsigned shift,
                                  bool down, bool doubleClick) {
    if (!target)
        return;
    const ui::Point origin = screenOrigin(*target);
    const int x = cursor.x - origin.x;
    const int y = cursor.y - origin.y;
    ui::Application::current().dispatch([&] {
        if (doubleClick)
            target->doubleClick(button, shift, x, y);
        else if (down)
            target->mouseDown(button, shift, x, y);
        else
            target->mouseUp(button, shift, x, y);
    });
}

namespace {
ui::CustomControl* asCustom(ui::Control* control) {
    return control && control->kind() == ui::ControlKind::Custom
               ? static_cast<ui::CustomControl*>(control)
               : nullptr;
}
} // namespace

void HeadlessBackend::leftDown(unsigned shift) {
    ui::CustomControl* target = captured ? asCustom(captured) : customAt(cursor);
    sendPointer(target, ui::MouseButton::Left, shift | ui::ssLeft, true, false);
}

void HeadlessBackend::leftUp(unsigned shift) {
    ui::CustomControl* target = captured ? asCustom(captured) : customAt(cursor);
    sendPointer(target, ui::MouseButton::Left, shift, false, false);
}

void HeadlessBackend::leftDoubleClick(unsigned shift) {
    ui::CustomControl* target = captured ? asCustom(captured) : customAt(cursor);
    sendPointer(target, ui::MouseButton::Left, shift | ui::ssLeft | ui::ssDouble, false, true);
}

void HeadlessBackend::rightUp(unsigned shift) {
    ui::CustomControl* target = captured ? asCustom(captured) : customAt(cursor);
    sendPointer(target, ui::MouseButton::Right, shift, false, false);
}

void HeadlessBackend::run(ui::Form& mainForm) {
    mainForm.show();
}

} // namespace korimba::fakes
