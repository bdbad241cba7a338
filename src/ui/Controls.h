#pragma once
// The standard controls of the model.
#include "ui/Bitmap.h"
#include "ui/Control.h"
#include "ui/TextLines.h"

namespace korimba::ui {

class Panel : public Control {
public:
    using Control::Control;
    ControlKind kind() const override { return ControlKind::Panel; }
    BevelOuter bevelOuter() const { return bevelOuter_; }
    void setBevelOuter(BevelOuter bevel);

private:
    BevelOuter bevelOuter_ = BevelOuter::Raised;
};

class Label : public Control {
public:
    Label(Control* parent, std::string name);
    ControlKind kind() const override { return ControlKind::Label; }
    bool transparent() const { return transparent_; }
    void setTransparent(bool transparent);
    // The control that the caption's accelerator focuses.
    Control* focusControl() const { return focusControl_; }
    void setFocusControl(Control* control) { focusControl_ = control; }
    // A transparent caption at a point, sized to its text, whose accelerator
    // focuses the given control (if any).
    void place(const std::string& caption, int left, int top, Control* focus = nullptr);

private:
    bool transparent_ = false;
    Control* focusControl_ = nullptr;
};

class Edit : public Control {
public:
    Edit(Control* parent, std::string name);
    ControlKind kind() const override { return ControlKind::Edit; }
    bool canFocus() const override { return true; }
    Event OnChange;

protected:
    void textChanged() override;
};

// Multi-line edit; its lines are the text, one line per line (no word wrap).
// text() is the lines' saved form, and setting it replaces the lines.
class Memo : public Control {
public:
    Memo(Control* parent, std::string name);
    ControlKind kind() const override { return ControlKind::Memo; }
    bool canFocus() const override { return true; }
    TextLines& lines() { return lines_; }
    const TextLines& lines() const { return lines_; }
    // Call after changing lines() so that the text and a native peer follow.
    void linesChanged();
    bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool wrap) { wordWrap_ = wrap; }
    bool scrollBars() const { return scrollBars_; }
    void setScrollBars(bool both) { scrollBars_ = both; }
    Event OnChange;

protected:
    void textChanged() override;

private:
    TextLines lines_;
    bool wordWrap_ = false;
    bool scrollBars_ = false;
};

class CheckBox : public Control {
public:
    CheckBox(Control* parent, std::string name);
    ControlKind kind() const override { return ControlKind::CheckBox; }
    bool canFocus() const override { return true; }
    bool checked() const { return checked_; }
    // A change raises OnClick, as a click by the user would.
    void setChecked(bool checked);
    Event OnClick;

private:
    bool checked_ = false;
};

// Radio buttons are exclusive among the radio buttons of the same parent.
class RadioButton : public Control {
public:
    RadioButton(Control* parent, std::string name);
    ControlKind kind() const override { return ControlKind::RadioButton; }
    bool canFocus() const override { return true; }
    bool checked() const { return checked_; }
    void setChecked(bool checked);
    Event OnClick;

private:
    void setCheckedAlone(bool checked);
    bool checked_ = false;
};

// A drop-down list.
class ComboBox : public Control {
public:
    ComboBox(Control* parent, std::string name);
    ControlKind kind() const override { return ControlKind::ComboBox; }
    bool canFocus() const override { return true; }
    const std::vector<std::string>& items() const { return items_; }
    void setItems(std::vector<std::string> items);
    int itemIndex() const { return itemIndex_; }
    // An index outside the items leaves no selection (-1).
    void setItemIndex(int index);
    Event OnChange;

private:
    std::vector<std::string> items_;
    int itemIndex_ = -1;
};

class ProgressBar : public Control {
public:
    using Control::Control;
    ControlKind kind() const override { return ControlKind::ProgressBar; }
    int min() const { return min_; }
    int max() const { return max_; }
    int position() const { return position_; }
    void setPosition(int position);

private:
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
};

// A picture stretched over its bounds.
class Image : public Control {
public:
    using Control::Control;
    ControlKind kind() const override { return ControlKind::Image; }
    const Bitmap& picture() const { return picture_; }
    void setPicture(Bitmap picture);
    bool stretch() const { return stretch_; }
    void setStretch(bool stretch) { stretch_ = stretch; }
    bool transparent() const { return transparent_; }
    void setTransparent(bool transparent) { transparent_ = transparent; }

private:
    Bitmap picture_;
    bool stretch_ = false;
    bool transparent_ = false;
};

enum class BevelShape { TopLine, LeftLine, Box };

class Bevel : public Control {
public:
    using Control::Control;
    ControlKind kind() const override { return ControlKind::Bevel; }
    BevelShape shape() const { return shape_; }
    void setShape(BevelShape shape);

private:
    BevelShape shape_ = BevelShape::Box;
};

// An outline circle (the preferences' decoration).
class Shape : public Control {
public:
    using Control::Control;
    ControlKind kind() const override { return ControlKind::Shape; }
    Color penColor() const { return penColor_; }
    void setPenColor(Color color);

private:
    Color penColor_ = colors::Black;
};

// The command button of every window; '&' in the caption marks the accelerator.
class PopupMenu;
class Button : public Control {
public:
    Button(Control* parent, std::string name);
    ControlKind kind() const override { return ControlKind::Button; }
    PopupMenu* dropDownMenu() const { return dropDownMenu_; }
    void setDropDownMenu(PopupMenu* menu) { dropDownMenu_ = menu; }
    // Raises OnClick, as a click does (also when called by the program).
    void click();
    // What a press by the user does: drops the menu down under the button, or clicks.
    virtual void userPress();
    Event OnClick;

private:
    PopupMenu* dropDownMenu_ = nullptr;
};

} // namespace korimba::ui
