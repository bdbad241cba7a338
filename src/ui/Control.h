#pragma once
// The retained control model. Window logic reads and writes these objects only;
// a Backend turns them into native windows (ui/win32) or keeps them headless.
#include "ui/Types.h"

#include <functional>
#include <string>
#include <vector>

namespace korimba::ui {

class Form;

using Event = std::function<void()>;

// What changed on a control, so a backend can mirror it natively.
enum class Property {
    Text,
    Bounds,
    Visible,
    Enabled,
    Color,
    Font,
    Hint,
    Checked,
    Items,
    ItemIndex,
    Position,
    Picture,
    Style,
};

enum class ControlKind {
    Form,
    Panel,
    Label,
    Edit,
    Memo,
    CheckBox,
    RadioButton,
    ComboBox,
    ProgressBar,
    Image,
    Bevel,
    Shape,
    Button,
    // Draws itself and takes the pointer through virtual hooks (ui/CustomControl.h).
    Custom,
};

class Control {
public:
    // parent is null only for forms; a control is listed in its parent's children.
    Control(Control* parent, std::string name);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    virtual ControlKind kind() const = 0;

    const std::string& name() const { return name_; }
    Control* parent() const { return parent_; }
    const std::vector<Control*>& children() const { return children_; }
    Form* form();
    // Moves the control, with its children, into another parent (a window made
    // while the program runs, say); it keeps its bounds.
    void setParent(Control* parent);
    bool contains(const Control& control) const;

    const Rect& bounds() const { return bounds_; }
    void setBounds(int left, int top, int width, int height);
    int left() const { return bounds_.left; }
    int top() const { return bounds_.top; }
    int width() const { return bounds_.width; }
    int height() const { return bounds_.height; }
    void setLeft(int left);
    void setTop(int top);
    Align align() const { return align_; }
    void setAlign(Align align);

    // Caption of labels, buttons, check boxes and forms; text of edits.
    const std::string& text() const { return text_; }
    void setText(const std::string& text);
    const std::string& caption() const { return text_; }
    void setCaption(const std::string& caption) { setText(caption); }

    bool visible() const { return visible_; }
    void setVisible(bool visible);
    void show() { setVisible(true); }
    void hide() { setVisible(false); }
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    Color color() const { return color_; }
    void setColor(Color color);
    const Font& font() const { return font_; }
    void setFont(const Font& font);
    void setFontColor(Color color);
    const std::string& hint() const { return hint_; }
    void setHint(const std::string& hint);
    bool showHint() const { return showHint_; }
    void setShowHint(bool show) { showHint_ = show; }

    // Keyboard order among the parent's focusable children; lower comes first.
    int tabOrder() const { return tabOrder_; }
    void setTabOrder(int order) { tabOrder_ = order; }
    virtual bool canFocus() const { return false; }
    // Moves the keyboard focus here; OnExit of the old and OnEnter of this one follow.
    void setFocus();
    bool focused();

    Event OnEnter;
    Event OnExit;

    // The backend's native object (an HWND on Win32), null headless.
    void* native = nullptr;

protected:
    void changed(Property property);
    // Runs a handler through the application's dispatcher.
    void raise(const Event& event);
    // Hook for the text setter: edits raise OnChange, others nothing.
    virtual void textChanged() {}
    // Hook for the enabled setter, after the backend has been told.
    virtual void enabledChanged() {}
    // Keeps the text in step with a content held otherwise (a memo's lines),
    // without reporting a change.
    void storeText(std::string text) { text_ = std::move(text); }

private:
    std::string name_;
    Control* parent_;
    std::vector<Control*> children_;
    Rect bounds_;
    Align align_ = Align::None;
    std::string text_;
    bool visible_ = true;
    bool enabled_ = true;
    Color color_ = colors::BtnFace;
    Font font_;
    std::string hint_;
    bool showHint_ = false;
    int tabOrder_ = 0;
};

} // namespace korimba::ui
