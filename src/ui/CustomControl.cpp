#include "ui/CustomControl.h"

#include "ui/Application.h"

namespace korimba::ui {

namespace {
Backend& backend() {
    return Application::current().backend();
}
} // namespace

void CustomControl::pointerMoved(unsigned shift, int x, int y) {
    const bool inside = x >= 0 && y >= 0 && x < width() && y < height();
    if (inside && !pointerInside_) {
        pointerInside_ = true;
        backend().trackPointerLeave(*this);
        mouseEnter();
    } else if (!inside && pointerInside_) {
        pointerInside_ = false;
        mouseLeave();
    }
    mouseMove(shift, x, y);
}

void CustomControl::pointerLeft() {
    if (!pointerInside_)
        return;
    pointerInside_ = false;
    mouseLeave();
}

void CustomControl::keyboardFocusChanged(bool focused) {
    // The system tells readers of the focus itself; the state follows the repaint.
    keyboardFocus_ = focused;
    focusChanged(focused);
}

void CustomControl::nativeWindowCreated() {
    told_ = accessible();
    windowCreated();
}

void CustomControl::tellAccessibleChanges() {
    AccessibleDescription now = accessible();
    if (now.role == AccessibleRole::Client)
        return;
    if (told_ && now.name != told_->name)
        backend().accessibleEvent(*this, AccessibleEvent::NameChange);
    if (told_ && now.state != told_->state)
        backend().accessibleEvent(*this, AccessibleEvent::StateChange);
    told_ = std::move(now);
}

void CustomControl::invalidate() {
    if (!native)
        return;
    backend().invalidate(*this);
    tellAccessibleChanges();
}

void CustomControl::repaint() {
    if (!native)
        return;
    backend().repaint(*this);
    tellAccessibleChanges();
}

void CustomControl::recreateWindow() {
    if (native)
        backend().recreateWindow(*this);
}

void CustomControl::setCapture() {
    if (native)
        backend().setCapture(*this);
}

void CustomControl::releaseCapture() {
    if (native)
        backend().releaseCapture(*this);
}

bool CustomControl::hasCapture() {
    return native && backend().hasCapture(*this);
}

void CustomControl::postToSelf(unsigned message) {
    if (native)
        backend().postToSelf(*this, message);
}

void CustomControl::processMessages() {
    backend().processMessages();
}

Point CustomControl::pointerInParent() {
    Point at = backend().cursorPos();
    if (parent())
        backend().screenToClient(*parent(), at.x, at.y);
    return at;
}

bool CustomControl::pointerOver() {
    const Point at = pointerInParent();
    return at.x >= left() && at.x < left() + width() && at.y >= top() && at.y < top() + height();
}

Point CustomControl::clientToScreen(Point client) {
    backend().clientToScreen(*this, client.x, client.y);
    return client;
}

} // namespace korimba::ui
