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

// The panel dropped down now, and the button it was dropped from. Module-wide,
// since moving onto another button closes the panel of the first.
TExplorerPopup* openPanel = nullptr;
TExplorerButton* openPanelOpener = nullptr;

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
    if ((mainPressed_ && hot_) || (panelOpen_ && dropDownStyle_ == DropDownStyle::ddsIExplorer) ||
        down_)
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
    if (options_ & boPopupMark)
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

void TExplorerButton::setButtonSize(ButtonSize size) {
    if (size == buttonSize_)
        return;
    buttonSize_ = size;
    const ui::Point pair =
        size == ButtonSize::bsSmall ? small_ : (size == ButtonSize::bsLarge ? large_ : custom_);
    setBounds(left(), top(), pair.x, pair.y);
}

void TExplorerButton::textChanged() {
    if (options_ & boIconOnly) {
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
        const bool arrowPart =
            dropDownStyle_ == DropDownStyle::ddsOffice && x >= width() - ArrowPartWidth;
        (arrowPart ? arrowPressed_ : mainPressed_) = true;
        hot_ = true;
        repaint();
        const bool explorer = dropDownStyle_ == DropDownStyle::ddsIExplorer;
        if (dropDownMenu_ || arrowPart || (explorerPopup_ && explorer))
            raise(OnDropDownClick);
        if (!panelOpen_ && explorerPopup_ && (explorer || arrowPart))
            postToSelf(OpenPanelMessage);
        else if (!panelOpen_ && dropDownMenu_ && (explorer || arrowPart))
            showDropDownMenu();
        else
            setCapture();
    }
    raiseMouse(OnMouseDown, ui::MouseButton::Left, shift, x, y);
}

void TExplorerButton::showDropDownMenu() {
    const ui::Point at = clientToScreen({0, height()});
    dropDownMenu_->popup(at.x, at.y);
    afterMenu();
}

// The menu's own loop took the click that closed it; the pointer may be elsewhere.
void TExplorerButton::afterMenu() {
    backend().discardMouseMessages();
    backend().cancelCaptureMode();
    if (!pointerOver())
        hot_ = false;
    if (dropDownStyle_ == DropDownStyle::ddsOffice)
        arrowPressed_ = false;
    else
        mainPressed_ = false;
    repaint();
}

void TExplorerButton::mouseUp(ui::MouseButton button, unsigned shift, int x, int y) {
    if (button == ui::MouseButton::Left) {
        leftUp(shift, x, y);
        return;
    }
    raiseMouse(OnMouseUp, button, shift, x, y);
    if (button != ui::MouseButton::Right)
        return;
    if (!popupMenu_)
        return;
    const ui::Point at = backend().cursorPos();
    popupMenu_->popup(at.x, at.y);
    backend().discardMouseMessages();
    backend().cancelCaptureMode();
    if (!pointerOver())
        hot_ = false;
    mainPressed_ = false;
    arrowPressed_ = false;
    repaint();
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
        const bool office = dropDownStyle_ == DropDownStyle::ddsOffice;
        if ((office && !arrowPressed_) || (!office && !dropDownMenu_ && !explorerPopup_))
            click();
    }
    arrowPressed_ = false;
    raiseMouse(OnMouseUp, ui::MouseButton::Left, shift, x, y);
}

void TExplorerButton::doubleClick(ui::MouseButton button, unsigned, int x, int) {
    if (button != ui::MouseButton::Left)
        return;
    const bool office = dropDownStyle_ == DropDownStyle::ddsOffice;
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
    // Along a row of buttons with panels, the panel follows the pointer without a click.
    if (openPanel && openPanelOpener != this && parent() != openPanel) {
        TExplorerButton* opener = openPanelOpener;
        TExplorerPopup* panel = openPanel;
        opener->panelOpen_ = false;
        panel->close();
        opener->repaint();
        openPanel = nullptr;
        openPanelOpener = nullptr;
        if (explorerPopup_)
            postToSelf(OpenPanelMessage);
    }
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
    openPanel = panel;
    openPanelOpener = this;
    repaint();
    panel->dropDown(*this);
    // Another button may have closed it and opened its own meanwhile.
    if (openPanel == panel) {
        openPanel = nullptr;
        openPanelOpener = nullptr;
    }
    panelOpen_ = false;
    repaint();
}

bool TExplorerButton::dialogChar(char key) {
    const char mark = ui::acceleratorOf(caption());
    if (mark == 0 || std::toupper(static_cast<unsigned char>(key)) != mark || !enabled() ||
        !visible())
        return false;
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
    return true;
}

// ---- size, place and colours

void TExplorerButton::forgetCapturedBackground() {
    backgroundCaptured_ = false;
}

void TExplorerButton::resized() {
    if ((options_ & boTransparent) && paintedSinceCreation_) {
        forgetCapturedBackground();
        recreateWindow();
    }
    updatingFromSize_ = true;
    switch (buttonSize_) {
    case ButtonSize::bsCustom:
        custom_ = {width(), height()};
        break;
    case ButtonSize::bsSmall:
        small_ = {width(), height()};
        break;
    case ButtonSize::bsLarge:
        large_ = {width(), height()};
        break;
    }
    updatingFromSize_ = false;
}

void TExplorerButton::moved() {
    if ((options_ & boTransparent) && paintedSinceCreation_) {
        forgetCapturedBackground();
        recreateWindow();
    }
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
