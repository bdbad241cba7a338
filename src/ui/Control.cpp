#include "ui/Control.h"

#include "ui/Application.h"
#include "ui/Form.h"

#include <algorithm>

namespace korimba::ui {

Control::Control(Control* parent, std::string name) : name_(std::move(name)), parent_(parent) {
    if (parent_) {
        parent_->children_.push_back(this);
        font_ = parent_->font_;
    }
}

Form* Control::form() {
    Control* control = this;
    while (control->parent_)
        control = control->parent_;
    return control->kind() == ControlKind::Form ? static_cast<Form*>(control) : nullptr;
}

void Control::setParent(Control* parent) {
    if (!parent || parent == parent_ || !parent_ || contains(*parent))
        return;
    // The old window must not keep a focused control it no longer holds.
    if (Form* old = form())
        old->forgetFocusWithin(*this);
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    parent_ = parent;
    parent_->children_.push_back(this);
    if (native)
        Application::current().backend().parentChanged(*this);
}

bool Control::contains(const Control& control) const {
    for (const Control* c = &control; c; c = c->parent_)
        if (c == this)
            return true;
    return false;
}

void Control::changed(Property property) {
    // A form may get its native window only when it is first shown.
    const bool firstShow = property == Property::Visible && kind() == ControlKind::Form &&
                           visible_ && Application::exists();
    if (native || firstShow)
        Application::current().backend().propertyChanged(*this, property);
}

void Control::raise(const Event& event) {
    if (event)
        Application::current().dispatch(event);
}

void Control::setBounds(int left, int top, int width, int height) {
    const Rect bounds{left, top, width, height};
    if (bounds == bounds_)
        return;
    bounds_ = bounds;
    changed(Property::Bounds);
}

void Control::setLeft(int left) {
    setBounds(left, bounds_.top, bounds_.width, bounds_.height);
}

void Control::setTop(int top) {
    setBounds(bounds_.left, top, bounds_.width, bounds_.height);
}

void Control::setAlign(Align align) {
    align_ = align;
    changed(Property::Bounds);
}

void Control::setText(const std::string& text) {
    if (text == text_)
        return;
    text_ = text;
    changed(Property::Text);
    textChanged();
}

void Control::setVisible(bool visible) {
    if (visible == visible_)
        return;
    visible_ = visible;
    changed(Property::Visible);
}

void Control::setEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    changed(Property::Enabled);
    enabledChanged();
}

void Control::setColor(Color color) {
    color_ = color;
    changed(Property::Color);
}

void Control::setFont(const Font& font) {
    font_ = font;
    changed(Property::Font);
}

void Control::setFontColor(Color color) {
    Font font = font_;
    font.color = color;
    setFont(font);
}

void Control::setHint(const std::string& hint) {
    hint_ = hint;
    changed(Property::Hint);
}

void Control::setFocus() {
    Application::current().backend().setFocus(*this);
}

bool Control::focused() {
    Form* owner = form();
    return owner && owner->activeControl() == this;
}

} // namespace korimba::ui
