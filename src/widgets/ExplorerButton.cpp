#include "widgets/ExplorerButton.h"

#include "ui/Accelerator.h"
#include "ui/Application.h"
#include "widgets/ExplorerPopup.h"

#include <cctype>

namespace korimba::widgets {

namespace {

ui::Backend& backend() {
    return ui::Application::current().backend();
}

} // namespace

std::string captionWithoutMarks(const std::string& caption) {
    std::string text;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i; // the mark goes; a doubled one leaves the second
        text += caption[i];
    }
    return text;
}

TExplorerButton::TExplorerButton(ui::Control* parent, std::string name)
    : ui::CustomControl(parent, std::move(name)) {
    setBounds(0, 0, custom_.x, custom_.y);
}

TExplorerButton::TExplorerButton(ui::Control* parent, std::string name, std::string caption,
                                 int left, int top, int width, int height, unsigned options)
    : ui::CustomControl(parent, std::move(name)), options_(options) {
    setCaption(caption);
    custom_ = {width, height};
    setBounds(left, top, width, height);
    setFontColor(ui::colors::Highlight);
}

TExplorerButton::Look TExplorerButton::look() const {
    if (!enabled())
        return Look::Disabled;
    if ((mainPressed_ && hot_) || (panelOpen_ && !officeStyle()) || down_)
        return Look::Pressed;
    if (hot_ || panelOpen_)
        return Look::Raised;
    return Look::Idle;
}

// ---- properties

void TExplorerButton::setAlignment(Alignment alignment) {
    alignment_ = alignment;
    repaint();
}

void TExplorerButton::setAllowAllUp(bool allow) {
    allowAllUp_ = allow;
    if (groupIndex_ != 0)
        forGroupMates([allow](TExplorerButton& mate) { mate.allowAllUp_ = allow; });
}

void TExplorerButton::setBevelStyle(BevelStyle style) {
    bevelStyle_ = style;
    repaint();
}

void TExplorerButton::setNoFocusBitmap(ui::Raster image) {
    noFocusBitmap_ = std::move(image);
    // An image of one's own replaces the computed one.
    if (!noFocusBitmap_.empty())
        mono_ = {};
    repaint();
}

void TExplorerButton::setBitmap(ui::Raster image) {
    // At run time the monochrome image is not made again: it comes stored.
    bitmap_ = std::move(image);
    repaint();
}

void TExplorerButton::setDisabledBitmap(ui::Raster image) {
    disabledBitmap_ = std::move(image);
    if (!enabled())
        repaint();
}

void TExplorerButton::setGroupIndex(int index) {
    if (index == groupIndex_)
        return;
    groupIndex_ = index;
    if (index == 0 && down_) {
        down_ = false;
        repaint();
    }
}

void TExplorerButton::setDown(bool down) {
    if (down == down_ || groupIndex_ == 0)
        return;
    down_ = down;
    repaint();
    if (down)
        releaseOthersInGroup();
}

void TExplorerButton::setDropDownMenu(ui::PopupMenu* menu) {
    dropDownMenu_ = menu;
    if (menu)
        explorerPopup_ = nullptr;
    if (has(boPopupMark))
        invalidate();
}

void TExplorerButton::setExplorerPopup(TExplorerPopup* popup) {
    if (popup == explorerPopup_)
        return;
    // The panel tells the buttons that refer to it when it goes.
    if (explorerPopup_)
        explorerPopup_->referredBy(*this, false);
    explorerPopup_ = popup;
    if (popup) {
        popup->referredBy(*this, true);
        dropDownMenu_ = nullptr;
    }
}

TExplorerButton::~TExplorerButton() {
    if (explorerPopup_)
        explorerPopup_->referredBy(*this, false);
}

void TExplorerButton::setDropDownStyle(DropDownStyle style) {
    if (style == dropDownStyle_)
        return;
    dropDownStyle_ = style;
    resetInteraction();
}

void TExplorerButton::enabledChanged() {
    resetInteraction();
}

void TExplorerButton::resetInteraction() {
    mainPressed_ = false;
    hot_ = false;
    if (groupIndex_ == 0)
        down_ = false;
    repaint();
}

void TExplorerButton::setLayout(ButtonLayout layout) {
    if (layout == layout_)
        return;
    layout_ = layout;
    repaint();
}

void TExplorerButton::setOptions(unsigned options) {
    const unsigned before = options_;
    options_ = options;
    const std::string tip = captionWithoutMarks(caption());
    if ((options & boIconOnly) && hint().empty()) {
        setShowHint(true);
        setHint(tip);
    } else if (!(options & boIconOnly) && hint() == tip) {
        setShowHint(false);
        setHint("");
    }
    if ((before ^ options) & boTransparent) {
        forgetCapturedBackground();
        recreateWindow();
        if (parent() && parent()->native)
            backend().invalidate(*parent());
    } else {
        repaint();
    }
}

void TExplorerButton::setShadingType(ShadingType type) {
    if (type == shadingType_)
        return;
    shadingType_ = type;
    if (!bitmap_.empty() && noFocusBitmap_.empty()) {
        updateMonoBitmap();
        repaint();
    }
}

void TExplorerButton::setUnselectedFontColor(ui::Color color) {
    if (color == unselectedFontColor_)
        return;
    unselectedFontColor_ = color;
    repaint();
}

void TExplorerButton::setPairSide(ButtonSize owner, int& side, int value, bool width) {
    if (side == value)
        return;
    side = value;
    if (owner != buttonSize_ || updatingFromSize_)
        return;
    if (width)
        setBounds(left(), top(), value, height());
    else
        setBounds(left(), top(), this->width(), value);
}

ui::Point& TExplorerButton::sizePair(ButtonSize size) {
    switch (size) {
    case ButtonSize::bsSmall:
        return small_;
    case ButtonSize::bsLarge:
        return large_;
    default:
        return custom_;
    }
}

void TExplorerButton::setButtonSize(ButtonSize size) {
    if (size == buttonSize_)
        return;
    buttonSize_ = size;
    const ui::Point pair = sizePair(size);
    setBounds(left(), top(), pair.x, pair.y);
}

void TExplorerButton::textChanged() {
    if (has(boIconOnly)) {
        setShowHint(true);
        setHint(captionWithoutMarks(caption()));
        return;
    }
    repaint();
}

std::string TExplorerButton::storedMonoBitmap() const {
    return ui::encodeBitmap(mono_);
}

void TExplorerButton::loadStoredMonoBitmap(const std::string& data) {
    mono_ = data.empty() ? ui::Raster{} : ui::decodeBitmap(ui::Bitmap::fromFileImage(data));
}

void TExplorerButton::componentRemoved(const void* component) {
    if (component == dropDownMenu_)
        dropDownMenu_ = nullptr;
    if (component == explorerPopup_)
        explorerPopup_ = nullptr;
    if (component == popupMenu_)
        popupMenu_ = nullptr;
}

void TExplorerButton::updateMonoBitmap() {
    ui::Backend& desktop = backend();
    mono_ = monochromeOf(bitmap_, shadingType_, desktop.systemColor(ui::colors::BtnHighlight),
                         desktop.systemColor(ui::colors::BtnShadow));
}

// ---- groups

template <class Action> void TExplorerButton::forGroupMates(Action&& action) {
    if (!parent())
        return;
    for (ui::Control* sibling : parent()->children()) {
        if (sibling == this || sibling->kind() != ui::ControlKind::Custom)
            continue;
        auto* mate = dynamic_cast<TExplorerButton*>(sibling);
        if (mate && mate->groupIndex_ == groupIndex_)
            action(*mate);
    }
}

void TExplorerButton::releaseOthersInGroup() {
    forGroupMates([](TExplorerButton& mate) {
        if (mate.down_) {
            mate.down_ = false;
            mate.repaint();
        }
    });
}

// ---- pointer

void TExplorerButton::raiseMouse(const MouseEvent& event, ui::MouseButton button, unsigned shift,
                                 int x, int y) {
    if (event)
        raise([&] { event(button, shift, x, y); });
}

ui::AccessibleDescription TExplorerButton::accessible() const {
    ui::AccessibleDescription description;
    const bool dropsMenu = dropDownMenu_ != nullptr;
    description.role = dropsMenu ? ui::AccessibleRole::ButtonMenu : ui::AccessibleRole::PushButton;
    const std::string name = captionWithoutMarks(caption());
    const std::size_t first = name.find_first_not_of(' ');
    if (first != std::string::npos)
        description.name = name.substr(first, name.find_last_not_of(' ') + 1 - first);
    if (const char key = ui::acceleratorOf(caption()))
        description.shortcut = std::string("Alt+") + key;
    if (!enabled())
        description.state |= ui::asUnavailable;
    else if (visible())
        description.state |= ui::asFocusable;
    if (keyboardFocus())
        description.state |= ui::asFocused;
    if (mainPressed_ || arrowPressed_ || panelOpen_)
        description.state |= ui::asPressed;
    if (hot_)
        description.state |= ui::asHot;
    description.defaultAction = dropsMenu ? "Open" : "Press";
    return description;
}

void TExplorerButton::click() {
    raise(OnClick);
}

void TExplorerButton::userPress() {
    leftDown(ui::ssLeft, 0, 0);
    leftUp(0, 0, 0);
}

void TExplorerButton::mouseDown(ui::MouseButton button, unsigned shift, int x, int y) {
    if (button == ui::MouseButton::Left) {
        leftDown(shift, x, y);
        return;
    }
    raiseMouse(OnMouseDown, button, shift, x, y);
}

void TExplorerButton::leftDown(unsigned shift, int x, int y) {
    if (ui::Form* owner = form(); owner && native && !backend().isActive(*owner))
        backend().bringToFront(*owner);
    if (enabled() && visible()) {
        const bool arrowPart = officeStyle() && x >= width() - ArrowPartWidth;
        (arrowPart ? arrowPressed_ : mainPressed_) = true;
        hot_ = true;
        repaint();
        // A ddsIExplorer button drops down from anywhere, a ddsOffice one from its arrow part.
        const bool dropsDown = !officeStyle() || arrowPart;
        if (dropDownMenu_ || arrowPart || (explorerPopup_ && !officeStyle()))
            raise(OnDropDownClick);
        if (!panelOpen_ && explorerPopup_ && dropsDown)
            postToSelf(OpenPanelMessage); // after this press has been handled
        else if (!panelOpen_ && dropDownMenu_ && dropsDown)
            showMenu(*dropDownMenu_, clientToScreen({0, height()}),
                     arrowPart ? PressedPart::Arrow : PressedPart::Main);
        else
            setCapture();
    }
    raiseMouse(OnMouseDown, ui::MouseButton::Left, shift, x, y);
}

// Shows the menu and waits for it to close. Its own loop took the click that
// closed it and the pointer may be elsewhere by now: the press ends here.
void TExplorerButton::showMenu(ui::PopupMenu& menu, ui::Point screen, PressedPart released) {
    menu.popup(screen.x, screen.y);
    backend().discardMouseMessages();
    backend().cancelCaptureMode();
    if (!pointerOver())
        hot_ = false;
    if (released != PressedPart::Arrow)
        mainPressed_ = false;
    if (released != PressedPart::Main)
        arrowPressed_ = false;
    repaint();
}

void TExplorerButton::mouseUp(ui::MouseButton button, unsigned shift, int x, int y) {
    if (button == ui::MouseButton::Left) {
        leftUp(shift, x, y);
        return;
    }
    raiseMouse(OnMouseUp, button, shift, x, y);
    if (button == ui::MouseButton::Right && popupMenu_)
        showMenu(*popupMenu_, backend().cursorPos(), PressedPart::Both);
}

void TExplorerButton::leftUp(unsigned shift, int x, int y) {
    if (!enabled() || !visible() || (!mainPressed_ && !arrowPressed_))
        return;
    if (mainPressed_ && hot_ && groupIndex_ != 0) {
        if (down_) {
            if (allowAllUp_)
                down_ = false;
        } else {
            releaseOthersInGroup();
            down_ = true;
        }
    }
    mainPressed_ = false;
    if (hasCapture())
        releaseCapture();
    if (hot_) {
        if (!pointerOver())
            hot_ = false;
        invalidate();
        // A ddsIExplorer button with a drop-down never clicks.
        const bool office = officeStyle();
        if ((office && !arrowPressed_) || (!office && !dropDownMenu_ && !explorerPopup_))
            click();
    }
    arrowPressed_ = false;
    raiseMouse(OnMouseUp, ui::MouseButton::Left, shift, x, y);
}

void TExplorerButton::doubleClick(ui::MouseButton button, unsigned, int x, int) {
    if (button != ui::MouseButton::Left)
        return;
    const bool office = officeStyle();
    if ((office && x < width() - ArrowPartWidth) || (!office && !explorerPopup_))
        raise(OnDblClick);
}

void TExplorerButton::mouseMove(unsigned shift, int x, int y) {
    if (OnMouseMove)
        raise([&] { OnMouseMove(ui::MouseButton::Left, shift, x, y); });
}

void TExplorerButton::mouseEnter() {
    hot_ = true;
    if (!down_ && enabled())
        repaint();
    raise(OnEnter);
    followPointerWithPanel();
}

// Along a row of buttons with panels, the panel follows the pointer without a
// click: entering another button closes the panel dropped down from the first
// (unless the button lies on that panel) and drops down its own.
void TExplorerButton::followPointerWithPanel() {
    TExplorerPopup* panel = TExplorerPopup::droppedDown();
    if (!panel || panel->opener() == this || parent() == panel)
        return;
    TExplorerButton* opener = panel->opener();
    opener->panelOpen_ = false;
    panel->close();
    opener->repaint();
    if (explorerPopup_)
        postToSelf(OpenPanelMessage);
}

void TExplorerButton::mouseLeave() {
    hot_ = false;
    if (!down_ && enabled())
        repaint();
    raise(OnExit);
}

void TExplorerButton::posted(unsigned message) {
    if (message != OpenPanelMessage || !explorerPopup_)
        return;
    TExplorerPopup* panel = explorerPopup_;
    panelOpen_ = true;
    repaint();
    panel->dropDown(*this);
    panelOpen_ = false;
    repaint();
}

bool TExplorerButton::dialogChar(char key) {
    const char mark = ui::acceleratorOf(caption());
    if (mark == 0 || std::toupper(static_cast<unsigned char>(key)) != mark || !enabled() ||
        !visible())
        return false;
    pressFromKeyboard();
    return true;
}

void TExplorerButton::focusChanged(bool) {
    repaint();
}

void TExplorerButton::keyboardPress() {
    if (enabled() && visible())
        pressFromKeyboard();
}

void TExplorerButton::pressFromKeyboard() {
    hot_ = true;
    mainPressed_ = false;
    repaint();
    processMessages();
    leftDown(0, 0, 0);
    processMessages();
    leftUp(0, 0, 0);
    processMessages();
    if (!pointerOver()) {
        hot_ = false;
        repaint();
    }
}

// ---- size, place and colours

void TExplorerButton::forgetCapturedBackground() {
    backgroundCaptured_ = false;
}

// A transparent button that has shown its background takes it again from
// under its new place, through a new window.
void TExplorerButton::windowPlaceChanged() {
    if (has(boTransparent) && paintedSinceCreation_) {
        forgetCapturedBackground();
        recreateWindow();
    }
}

void TExplorerButton::resized() {
    windowPlaceChanged();
    updatingFromSize_ = true;
    sizePair(buttonSize_) = {width(), height()};
    updatingFromSize_ = false;
}

void TExplorerButton::moved() {
    windowPlaceChanged();
}

void TExplorerButton::sizeWiggle() {
    wiggling_ = true;
    setBounds(left(), top(), width() + 1, height());
    processMessages();
    setBounds(left(), top(), width() - 1, height());
    wiggling_ = false;
}

void TExplorerButton::systemColorsChanged() {
    if (noFocusBitmap_.empty())
        updateMonoBitmap();
    sizeWiggle();
}

} // namespace korimba::widgets
