#include "widgets/ExplorerPopup.h"

#include "ui/Application.h"
#include "widgets/ExplorerButton.h"

#include <cstdlib>

namespace korimba::widgets {

namespace {

ui::Application& application() {
    return ui::Application::current();
}

ui::Backend& backend() {
    return application().backend();
}

// The panel whose tracking loop runs now.
TExplorerPopup* dropped = nullptr;

// The borderless window a panel drops down in; it never takes the activation
// from the window of the button.
class PopupHost : public ui::Form {
public:
    explicit PopupHost(const ui::Font& font) : ui::Form("TExplorerPopupHost") {
        setBorderStyle(ui::BorderStyle::None);
        setBorderIcons(0);
        setStayOnTop(true);
        setActivatesOnShow(false);
        setFont(font);
    }
};

} // namespace

// ---- the floating window

TExplorerPopupForm::TExplorerPopupForm() : ui::Form("TExplorerPopupForm") {
    setActivatesOnShow(false);
}

void TExplorerPopupForm::moving(ui::Rect& proposed) {
    if (!redockable)
        return;
    const int dx = std::abs(proposed.left - dockedLeft);
    const int dy = std::abs(proposed.top - dockedTop);
    if (!movedAway && (dy > AwayDistance || dx > AwayDistance))
        movedAway = true;
    if (movedAway && dy < NearVertically && dx < NearHorizontally) {
        redockRequested = true;
        backend().cancelMode(*this);
    }
}

void TExplorerPopupForm::applicationActivated(bool active) {
    if (!hideInactive)
        return;
    if (!active && visible()) {
        hiddenInactive_ = true;
        hide();
    } else if (active && hiddenInactive_) {
        // Only what the deactivation hid comes back, not a window on its way out.
        hiddenInactive_ = false;
        show();
    }
}

// ---- the panel

TExplorerPopup::TExplorerPopup(ui::Control* parent, std::string name, int left, int top, int width,
                               int height)
    : ui::CustomControl(parent, std::move(name)) {
    setBounds(left, top, width, height);
    // Laid out on its window like any panel, but never shown there.
    setVisible(false);
}

TExplorerPopup::~TExplorerPopup() {
    setDroppedDown(nullptr);
    for (TExplorerButton* button : referrers_)
        button->componentRemoved(this);
}

TExplorerPopup* TExplorerPopup::droppedDown() {
    return dropped;
}

// Null: no longer dropped down (closed, torn off or its loop ended).
void TExplorerPopup::setDroppedDown(TExplorerButton* opener) {
    opener_ = opener;
    if (opener)
        dropped = this;
    else if (dropped == this)
        dropped = nullptr;
}

void TExplorerPopup::referredBy(TExplorerButton& button, bool refers) {
    std::erase(referrers_, &button);
    if (refers)
        referrers_.push_back(&button);
}

void TExplorerPopup::setUndockable(bool undockable) {
    if (undockable == undockable_)
        return;
    undockable_ = undockable;
    repaint();
}

ui::Box TExplorerPopup::gripZone() const {
    return {4, 2, width() - 3, 9};
}

bool TExplorerPopup::inGripZone(int x, int y) const {
    const ui::Box zone = gripZone();
    return x >= zone.left && x < zone.right && y >= zone.top && y < zone.bottom;
}

ui::AccessibleDescription TExplorerPopup::accessible() const {
    ui::AccessibleDescription description;
    description.role = ui::AccessibleRole::Pane;
    description.name = captionWithoutMarks(caption());
    if (gripSpaceAdded_) {
        description.description = "Drag the grip to tear the panel off";
        description.parts.push_back({ui::AccessibleRole::Grip, "Grip", gripZone()});
    }
    return description;
}

void TExplorerPopup::setGripSpace(bool added) {
    if (added == gripSpaceAdded_)
        return;
    gripSpaceAdded_ = added;
    const int shift = added ? GripSpace : -GripSpace;
    setBounds(left(), top(), width(), height() + shift);
    for (ui::Control* child : children())
        child->setTop(child->top() + shift);
}

bool TExplorerPopup::pointerOnPanel() {
    const ui::Point at = backend().cursorPos();
    const ui::Point origin = clientToScreen({0, 0});
    return at.x >= origin.x && at.x < origin.x + width() && at.y >= origin.y &&
           at.y < origin.y + height();
}

void TExplorerPopup::openHost(int left, int top) {
    host_ = &application().makeForm<PopupHost>(font());
    setParent(host_);
    host_->setClientSize(width(), height());
    host_->setBounds(left, top, width(), height());
    setBounds(0, 0, width(), height());
}

void TExplorerPopup::closeHost() {
    if (!host_)
        return;
    ui::Form* host = host_;
    host_ = nullptr;
    putBack();
    application().releaseForm(*host);
}

void TExplorerPopup::putBack() {
    if (savedParent_)
        setParent(savedParent_);
}

void TExplorerPopup::dropDown(TExplorerButton& button) {
    ended_ = false;
    if (visible()) {
        if (!undocked_)
            return;
        if (floating_)
            floating_->close();
    }
    setDroppedDown(&button);
    raise(OnOpen);
    if (undockable_)
        setGripSpace(true);
    savedParent_ = parent();

    ui::Point at{0, 0};
    backend().clientToScreen(button, at.x, at.y);
    at.y += button.height();
    const ui::Point screen = backend().screenSize();
    if (screen.y < at.y + height())
        at.y = at.y - button.height() - height();
    if (screen.x < at.x + width())
        at.x = screen.x - width();
    openHost(at.x, at.y);
    host_->show();
    host_->setClientSize(width(), height());
    setVisible(true);
    backend().accessibleEvent(*this, ui::AccessibleEvent::Shown);
    undocked_ = false;
    gripHot_ = false;

    // The click that ends the tracking stays in the queue: it still reaches what was clicked.
    while (!ended_ && !undocked_) {
        switch (backend().peekMessage()) {
        case ui::PendingMessage::Quit:
            ended_ = true;
            if (!undocked_)
                close();
            break;
        case ui::PendingMessage::LeftButtonDown:
            if (!pointerOnPanel()) {
                ended_ = true;
                if (!undocked_)
                    close();
            }
            break;
        default:
            break;
        }
        backend().handleMessage();
    }
    setDroppedDown(nullptr);
}

void TExplorerPopup::close() {
    if (!visible())
        return;
    if (undocked_) {
        if (floating_)
            floating_->close();
    } else {
        backend().accessibleEvent(*this, ui::AccessibleEvent::Hidden);
        setVisible(false);
        closeHost();
        gripHeld_ = false;
        ended_ = true;
        setGripSpace(false);
        setDroppedDown(nullptr);
    }
    raise(OnClose);
}

// ---- grip and tearing off

void TExplorerPopup::mouseDown(ui::MouseButton button, unsigned, int x, int y) {
    if (button != ui::MouseButton::Left || !inGripZone(x, y))
        return;
    gripHeld_ = true;
    gripPoint_ = {x, y};
    setCapture();
}

// A second press soon after a release on the grip (a drag that stopped short,
// taken up again) arrives as a double click; it holds the grip like any press.
void TExplorerPopup::doubleClick(ui::MouseButton button, unsigned shift, int x, int y) {
    mouseDown(button, shift, x, y);
}

void TExplorerPopup::mouseUp(ui::MouseButton button, unsigned, int, int) {
    if (button != ui::MouseButton::Left)
        return;
    gripHeld_ = false;
    releaseCapture();
}

bool TExplorerPopup::beyondThreshold(int x, int y) const {
    const long long dx = x - gripPoint_.x;
    const long long dy = y - gripPoint_.y;
    const long long threshold = undockThreshold_;
    return threshold < 0 || dx * dx + dy * dy > threshold * threshold;
}

void TExplorerPopup::mouseMove(unsigned, int x, int y) {
    if (!undockable_ || undocked_)
        return;
    const bool hot = gripHeld_ || inGripZone(x, y);
    if (hot != gripHot_) {
        gripHot_ = hot;
        repaint();
    }
    if (gripHeld_ && beyondThreshold(x, y))
        tearOff();
}

void TExplorerPopup::tearOff() {
    gripHeld_ = false;
    raise(OnUndock);
    setVisible(false);
    releaseCapture();

    auto& floating = application().makeForm<TExplorerPopupForm>();
    floating_ = &floating;
    floating.OnClose = [this, &floating] { floatingClosed(floating); };
    const ui::Point pointer = backend().cursorPos();
    floating.setBounds(pointer.x - width() / 2, pointer.y - 5, floating.width(), floating.height());
    floating.dockedLeft = host_ ? host_->left() : 0;
    floating.dockedTop = host_ ? host_->top() : 0;
    floating.movedAway = false;
    floating.redockRequested = false;
    floating.redockable = redockable_;
    floating.hideInactive = hideInactive_;
    closeHost();
    setGripSpace(false);

    floating.setCaption(caption());
    floating.setBorderIcons(ui::BiSystemMenu);
    floating.setStayOnTop(true);
    floating.setFont(font());
    setParent(&floating);
    floating.setClientSize(width(), floating.clientHeight());
    floating.setBorderStyle(ui::BorderStyle::ToolWindow);
    floating.setClientSize(width(), height());
    setBounds(0, 0, width(), height());
    setVisible(true);
    floating.show();
    floating.setClientSize(width(), height());
    undocked_ = true;

    // The user goes on dragging the window with the button still down.
    backend().systemMove(floating);
    // The window may have been closed meanwhile; then it is on its way out.
    if (floating_ != &floating)
        return;
    if (floating.redockRequested)
        snapBack(floating);
    else
        floating.redockable = false; // only the drag that tore it off brings it home
}

void TExplorerPopup::snapBack(TExplorerPopupForm& floating) {
    undocked_ = false;
    setVisible(false);
    if (undockable_)
        setGripSpace(true);
    openHost(floating.dockedLeft, floating.dockedTop);
    host_->show();
    host_->setClientSize(width(), height());
    floating_ = nullptr;
    application().releaseForm(floating);
    setVisible(true);
    undocked_ = false;
    gripHot_ = false;
    host_->show();
}

void TExplorerPopup::floatingClosed(TExplorerPopupForm& floating) {
    if (floating_ != &floating)
        return;
    floating_ = nullptr;
    setVisible(false);
    putBack();
    undocked_ = false;
    gripHeld_ = false;
    application().releaseForm(floating);
}

// ---- painting

void TExplorerPopup::paint(ui::Canvas& canvas) {
    const int w = width();
    const int h = height();
    canvas.fill({0, 0, w, h}, color());
    if (undocked_) {
        // The tool window draws the frame.
        canvas.fill({2, 2, w - 2, h - 2}, ui::colors::BtnFace);
        return;
    }
    canvas.fill({1, 1, w - 1, h - 1}, ui::colors::BtnFace);
    canvas.line(1, 1, w - 1, 1, ui::colors::BtnShadow);
    canvas.line(1, h - 2, w - 1, h - 2, ui::colors::BtnShadow);
    canvas.line(1, 1, 1, h - 1, ui::colors::BtnShadow);
    canvas.line(w - 2, 1, w - 2, h - 1, ui::colors::BtnShadow);
    canvas.line(1, h - 2, 1, 1, ui::colors::BtnHighlight);
    canvas.line(1, 1, w - 2, 1, ui::colors::BtnHighlight);
    canvas.line(w - 1, 0, w - 1, h - 1, ui::colors::Black);
    canvas.line(w - 1, h - 1, 0, h - 1, ui::colors::Black);
    if (undockable_)
        canvas.fill({4, 2, w - 3, 10},
                    gripHot_ ? ui::colors::ActiveCaption : ui::colors::InactiveCaption);
}

} // namespace korimba::widgets
