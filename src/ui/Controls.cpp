#include "ui/Controls.h"

#include "ui/Application.h"
#include "ui/Menu.h"

namespace korimba::ui {

void Panel::setBevelOuter(BevelOuter bevel) {
    bevelOuter_ = bevel;
    changed(Property::Style);
}

Label::Label(Control* parent, std::string name) : Control(parent, std::move(name)) {
    setColor(parent ? parent->color() : colors::BtnFace);
}

void Label::place(const std::string& caption, int left, int top, Control* focus) {
    setCaption(caption);
    setBounds(left, top, 0, 0);
    setTransparent(true);
    setFocusControl(focus);
}

void Label::setTransparent(bool transparent) {
    transparent_ = transparent;
    changed(Property::Style);
}

Edit::Edit(Control* parent, std::string name) : Control(parent, std::move(name)) {
    setColor(colors::Window);
}

void Edit::textChanged() {
    raise(OnChange);
}

Memo::Memo(Control* parent, std::string name) : Control(parent, std::move(name)) {
    setColor(colors::Window);
}

void Memo::linesChanged() {
    storeText(lines_.text());
    changed(Property::Items);
}

// Set by the program: the lines follow and the change is reported, as a typed one is.
void Memo::textChanged() {
    lines_.setText(text());
    storeText(lines_.text());
    changed(Property::Items);
    raise(OnChange);
}

CheckBox::CheckBox(Control* parent, std::string name) : Control(parent, std::move(name)) {}

void CheckBox::setChecked(bool checked) {
    if (checked == checked_)
        return;
    checked_ = checked;
    changed(Property::Checked);
    raise(OnClick);
}

RadioButton::RadioButton(Control* parent, std::string name) : Control(parent, std::move(name)) {}

void RadioButton::setCheckedAlone(bool checked) {
    checked_ = checked;
    changed(Property::Checked);
}

void RadioButton::setChecked(bool checked) {
    if (checked == checked_)
        return;
    setCheckedAlone(checked);
    if (checked && parent()) {
        for (Control* sibling : parent()->children())
            if (sibling != this && sibling->kind() == ControlKind::RadioButton)
                static_cast<RadioButton*>(sibling)->setCheckedAlone(false);
    }
    if (checked)
        raise(OnClick);
}

ComboBox::ComboBox(Control* parent, std::string name) : Control(parent, std::move(name)) {
    setColor(colors::Window);
}

void ComboBox::setItems(std::vector<std::string> items) {
    items_ = std::move(items);
    itemIndex_ = -1;
    changed(Property::Items);
}

void ComboBox::setItemIndex(int index) {
    itemIndex_ = index >= 0 && index < static_cast<int>(items_.size()) ? index : -1;
    changed(Property::ItemIndex);
}

void ProgressBar::setPosition(int position) {
    position_ = position < min_ ? min_ : (position > max_ ? max_ : position);
    changed(Property::Position);
}

void Image::setPicture(Bitmap picture) {
    picture_ = std::move(picture);
    changed(Property::Picture);
}

void Bevel::setShape(BevelShape shape) {
    shape_ = shape;
    changed(Property::Style);
}

void Shape::setPenColor(Color color) {
    penColor_ = color;
    changed(Property::Style);
}

Button::Button(Control* parent, std::string name) : Control(parent, std::move(name)) {}

void Button::click() {
    raise(OnClick);
}

void Button::userPress() {
    if (!enabled())
        return;
    if (!dropDownMenu_) {
        click();
        return;
    }
    int x = 0;
    int y = height();
    Application::current().backend().clientToScreen(*this, x, y);
    dropDownMenu_->popup(x, y);
}

} // namespace korimba::ui
