#pragma once
// The drop-down panel of a flat button: a container of controls, invisible on
// its designed parent until a button drops it down in a borderless stay-on-top
// window. A click outside closes it; its grip bar tears it off into a small
// tool window, which snaps back while the same drag brings it home again.
#include "ui/CustomControl.h"
#include "ui/Form.h"

#include <vector>

namespace korimba::widgets {

class TExplorerButton;

// The tool window of a torn-off panel.
class TExplorerPopupForm : public ui::Form {
public:
    TExplorerPopupForm();

    // Screen place of the window that held the panel while it was dropped down.
    int dockedLeft = 0;
    int dockedTop = 0;
    bool movedAway = false;
    bool redockRequested = false;
    bool redockable = true;
    bool hideInactive = true;

    void moving(ui::Rect& proposed) override;
    void applicationActivated(bool active) override;

    // How far the window must first go, and how near it must come back, to snap in.
    static constexpr int AwayDistance = 40;
    static constexpr int NearVertically = 10;
    static constexpr int NearHorizontally = 50;

private:
    bool hiddenInactive_ = false;
};

class TExplorerPopup : public ui::CustomControl {
public:
    // Room for the grip bar at the top while dropped down.
    static constexpr int GripSpace = 10;

    TExplorerPopup(ui::Control* parent, std::string name, int left, int top, int width, int height);
    // The buttons that refer to the panel lose the reference when it goes.
    ~TExplorerPopup() override;
    void referredBy(TExplorerButton& button, bool refers);
    const std::vector<TExplorerButton*>& referrers() const { return referrers_; }

    bool undockable() const { return undockable_; }
    void setUndockable(bool undockable);
    int undockThreshold() const { return undockThreshold_; }
    void setUndockThreshold(int pixels) { undockThreshold_ = pixels; }
    bool undocked() const { return undocked_; }
    bool hideInactive() const { return hideInactive_; }
    void setHideInactive(bool hide) { hideInactive_ = hide; }
    bool redockable() const { return redockable_; }
    void setRedockable(bool redockable) { redockable_ = redockable; }

    // Drops the panel down under the button and runs its tracking loop; returns
    // when the panel has been closed or torn off.
    void dropDown(TExplorerButton& button);
    // Puts the panel away (a click outside, the end of the program, another button).
    void close();
    // The panel whose tracking loop runs now, if any: a button the pointer
    // enters meanwhile closes it. There is one at most, as the loop ends when
    // anything but the panel is clicked.
    static TExplorerPopup* droppedDown();
    // The button that dropped the panel down, while droppedDown() is this panel.
    TExplorerButton* opener() const { return opener_; }

    bool gripHeld() const { return gripHeld_; }
    bool gripHot() const { return gripHot_; }
    // The borderless window of a dropped-down panel, the tool window of a torn-off one.
    ui::Form* hostWindow() const { return host_; }
    TExplorerPopupForm* floatingWindow() const { return floating_; }
    // The grip zone, in client coordinates: where a drag tears the panel off,
    // and what readers are told is the grip.
    ui::Box gripZone() const;
    bool inGripZone(int x, int y) const;

    ui::Event OnClose;
    ui::Event OnOpen;
    ui::Event OnUndock;

    void paint(ui::Canvas& canvas) override;
    void mouseDown(ui::MouseButton button, unsigned shift, int x, int y) override;
    void mouseUp(ui::MouseButton button, unsigned shift, int x, int y) override;
    void doubleClick(ui::MouseButton button, unsigned shift, int x, int y) override;
    void mouseMove(unsigned shift, int x, int y) override;
    // A pane named by its caption; while dropped down with its grip, the grip
    // is a part of its own.
    ui::AccessibleDescription accessible() const override;

private:
    void setDroppedDown(TExplorerButton* opener);
    void setGripSpace(bool added);
    bool pointerOnPanel();
    void openHost(int left, int top);
    void closeHost();
    void putBack();
    void tearOff();
    void snapBack(TExplorerPopupForm& floating);
    void floatingClosed(TExplorerPopupForm& floating);
    bool beyondThreshold(int x, int y) const;

    bool undockable_ = true;
    int undockThreshold_ = 10;
    bool undocked_ = false;
    bool hideInactive_ = true;
    bool redockable_ = true;

    bool gripHeld_ = false;
    ui::Point gripPoint_;
    bool gripHot_ = false;
    bool ended_ = false;
    // Remembered apart from Undockable, so that a change while dropped down
    // cannot leave the panel taller or shorter for good.
    bool gripSpaceAdded_ = false;
    ui::Control* savedParent_ = nullptr;
    ui::Form* host_ = nullptr;
    TExplorerPopupForm* floating_ = nullptr;
    TExplorerButton* opener_ = nullptr;
    std::vector<TExplorerButton*> referrers_;
};

} // namespace korimba::widgets
