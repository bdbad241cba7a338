// The drop-down panel headless: where it drops down, its grip space, the
// tracking loop's clicks, tearing off, snapping back and switching panels.
#include "fakes/FakePlatform.h"
#include "fakes/HeadlessBackend.h"
#include "ui/Application.h"
#include "ui/Controls.h"
#include "ui/RasterCanvas.h"
#include "widgets/ExplorerButton.h"
#include "widgets/ExplorerPopup.h"

#include <gtest/gtest.h>

using namespace korimba;
using namespace korimba::widgets;

namespace {

struct PopupForm : ui::Form {
    PopupForm() : ui::Form("PopupForm") {
        setBounds(100, 50, 400, 300);
        One.setCaption("First panel");
        Edit1.setBounds(8, 8, 140, 21);
        Check1.setBounds(8, 40, 140, 17);
        A.setExplorerPopup(&One);
        B.setExplorerPopup(&Two);
    }
    TExplorerButton A{this, "A", "&Alpha", 8, 8, 89, 25};
    TExplorerButton B{this, "B", "&Beta", 101, 8, 89, 25};
    TExplorerButton Plain{this, "Plain", "&Plain", 194, 8, 89, 25};
    TExplorerPopup One{this, "One", 8, 150, 160, 100};
    ui::Edit Edit1{&One, "Edit1"};
    ui::CheckBox Check1{&One, "Check1"};
    TExplorerPopup Two{this, "Two", 8, 150, 160, 100};
    static PopupForm* Instance;
};
PopupForm* PopupForm::Instance = nullptr;

class ExplorerPopupTest : public ::testing::Test {
protected:
    ExplorerPopupTest() {
        form.show();
        form.One.OnOpen = [this] { trace.push_back("open"); };
        form.One.OnClose = [this] { trace.push_back("close"); };
        form.One.OnUndock = [this] { trace.push_back("undock"); };
        form.Plain.OnClick = [this] { trace.push_back("plain.click"); };
    }
    // Checks queued for a tracking loop pass only if the loop ran them.
    void TearDown() override {
        EXPECT_TRUE(backend.inputs.empty()) << backend.inputs.size() << " queued inputs never ran";
    }

    // A press on the button; the panel drops down when the posted message is
    // handled, and its loop runs what was queued, then sees the end.
    void dropDown(TExplorerButton& button) {
        backend.pointTo(button, 10, 10);
        backend.leftDown();
        backend.leftUp();
        backend.processMessages();
    }
    ui::Point screenOf(ui::Control& control, int x = 0, int y = 0) {
        backend.clientToScreen(control, x, y);
        return {x, y};
    }
    // Holds the grip at (20, 5) and moves by (dx, dy) with the button down.
    void dragGrip(int dx, int dy) {
        backend.queue([this, dx, dy] {
            backend.pointTo(form.One, 20, 5);
            backend.leftDown();
            backend.pointTo(form.One, 20 + dx, 5 + dy);
        });
    }

    using Trace = std::vector<std::string>;
    Trace trace;
    fakes::FakePlatform platform;
    fakes::HeadlessBackend backend;
    ui::Application application{platform.bundle(), backend};
    PopupForm& form = application.createForm(PopupForm::Instance);
};

} // namespace

TEST_F(ExplorerPopupTest, DropsDownUnderTheButtonWithGripSpaceAndPutsItAllBack) {
    EXPECT_FALSE(form.One.visible()) << "invisible on its window until dropped down";
    ui::Form* host = nullptr;
    backend.queue([&] {
        host = form.One.hostWindow();
        ASSERT_TRUE(host);
        EXPECT_EQ(form.One.parent(), host);
        EXPECT_TRUE(form.One.visible());
        EXPECT_TRUE(form.A.panelOpen());
        EXPECT_EQ(screenOf(form.One), (ui::Point{108, 83})) << "right under the button";
        EXPECT_EQ(form.One.height(), 110);
        EXPECT_EQ(form.Edit1.top(), 18);
        EXPECT_EQ(host->clientWidth(), 160);
        EXPECT_EQ(host->clientHeight(), 110);
        EXPECT_TRUE(host->stayOnTop());
        EXPECT_EQ(host->borderStyle(), ui::BorderStyle::None);
        const ui::AccessibleDescription told = form.One.accessible();
        EXPECT_EQ(told.name, "First panel");
        EXPECT_EQ(told.parts, (std::vector<ui::AccessiblePart>{
                                  {ui::AccessibleRole::Grip, "Grip", {4, 2, 157, 9}}}));
    });
    dropDown(form.A);
    EXPECT_EQ(trace, (Trace{"open", "close"})) << "the end of the program closes it";
    EXPECT_FALSE(form.One.visible());
    EXPECT_EQ(form.One.parent(), &form);
    EXPECT_EQ(form.One.height(), 100);
    EXPECT_EQ(form.Edit1.top(), 8);
    EXPECT_FALSE(form.A.panelOpen());
    EXPECT_TRUE(form.One.accessible().parts.empty()) << "no grip while put away";
    EXPECT_EQ(backend.takeAccessibleEvents(form.One),
              (std::vector{ui::AccessibleEvent::Shown, ui::AccessibleEvent::Hidden}));
    backend.processMessages();
    EXPECT_EQ(backend.formsDestroyed["TExplorerPopupHost"], 1) << "the host is freed";
    EXPECT_EQ(application.forms().size(), 1u);
}

TEST_F(ExplorerPopupTest, PanelWithoutGripKeepsItsHeightAndCannotBeTornOff) {
    form.One.setUndockable(false);
    backend.queue([&] { EXPECT_EQ(form.One.height(), 100); });
    dragGrip(30, 30);
    backend.queue([&] {
        EXPECT_FALSE(form.One.undocked());
        EXPECT_FALSE(form.One.gripHot());
    });
    dropDown(form.A);
    EXPECT_EQ(backend.systemMoves, 0);
    EXPECT_EQ(form.One.height(), 100);
}

TEST_F(ExplorerPopupTest, ScreenEdgesTurnItAboveTheButtonAndLeftOfTheRightEdge) {
    struct Case {
        ui::Point screen;
        ui::Point expected;
    } cases[] = {
        {{1024, 768}, {108, 83}},
        // 83 + 110 = 193: one pixel short opens above, its bottom at the button's top.
        {{1024, 192}, {108, 58 - 110}},
        {{1024, 193}, {108, 83}},
        // 108 + 160 = 268: ends at the screen's right edge.
        {{267, 768}, {267 - 160, 83}},
        // Wider than the screen: no correction at the left edge.
        {{100, 768}, {100 - 160, 83}},
    };
    for (const Case& c : cases) {
        backend.screenArea = c.screen;
        ui::Point at;
        backend.queue([&] { at = screenOf(form.One); });
        dropDown(form.A);
        EXPECT_EQ(at, c.expected) << c.screen.x << " x " << c.screen.y;
    }
}

TEST_F(ExplorerPopupTest, ClickOutsideClosesAndStillActsAndClickInsideDoesNot) {
    backend.queueClick({108 + 30, 83 + 50}); // on the dropped-down panel
    backend.queue([&] {
        EXPECT_TRUE(form.One.visible()) << "a click on the panel keeps it";
        EXPECT_EQ(trace, Trace{"open"});
    });
    backend.queueClick(screenOf(form.Plain, 10, 10));
    dropDown(form.A);
    EXPECT_EQ(trace, (Trace{"open", "close"}));
    // The closing click was not taken away: it waits for the loops outside.
    ASSERT_EQ(backend.inputs.size(), 1u);
    backend.handleMessage();
    EXPECT_EQ(trace, (Trace{"open", "close", "plain.click"}));
}

TEST_F(ExplorerPopupTest, GripTearsOffOnlyBeyondTheThreshold) {
    dragGrip(6, 8); // exactly 10
    backend.queue([&] {
        EXPECT_TRUE(form.One.gripHot());
        EXPECT_FALSE(form.One.undocked());
        backend.pointTo(form.One, 20 + 6, 5 + 9); // one pixel more
    });
    // The tracking loop ends with the tear-off: what follows is for the loops outside.
    bool runByTheLoop = false;
    backend.queue([&] { runByTheLoop = true; });
    TExplorerPopupForm* floating = nullptr;
    backend.whileSystemMove = [&](ui::Form& moved) {
        floating = form.One.floatingWindow();
        EXPECT_EQ(&moved, floating);
        EXPECT_TRUE(form.One.undocked());
        EXPECT_EQ(form.One.parent(), floating);
        EXPECT_EQ(form.One.height(), 100) << "no grip space while floating";
        EXPECT_EQ(floating->caption(), "First panel");
        EXPECT_EQ(floating->borderStyle(), ui::BorderStyle::ToolWindow);
        EXPECT_EQ(floating->borderIcons(), unsigned{ui::BiSystemMenu});
        EXPECT_TRUE(floating->stayOnTop());
        EXPECT_EQ(floating->clientWidth(), 160);
        // The pointer is at (108 + 26, 83 + 14); the window hangs from it by its middle.
        EXPECT_EQ(floating->left(), 134 - 80);
        EXPECT_EQ(floating->top(), 97 - 5);
        EXPECT_EQ(floating->dockedLeft, 108) << "the dropped-down place, for snapping back";
        EXPECT_EQ(floating->dockedTop, 83);
        EXPECT_EQ(backend.captured, nullptr);
    };
    dropDown(form.A);
    ASSERT_TRUE(floating);
    EXPECT_EQ(trace, (Trace{"open", "undock"})) << "the loop ends without closing";
    EXPECT_FALSE(runByTheLoop);
    ASSERT_EQ(backend.inputs.size(), 1u);
    backend.handleMessage();
    EXPECT_TRUE(runByTheLoop);
    EXPECT_FALSE(floating->redockable) << "only the tearing drag snaps back";
    EXPECT_EQ(form.One.floatingWindow(), floating);
    EXPECT_FALSE(form.A.panelOpen());

    // Its close box puts it away without OnClose.
    floating->close();
    EXPECT_FALSE(form.One.visible());
    EXPECT_FALSE(form.One.undocked());
    EXPECT_EQ(form.One.parent(), &form);
    EXPECT_EQ(trace, (Trace{"open", "undock"}));
    backend.processMessages();
    EXPECT_EQ(application.forms().size(), 1u) << "host and floating window freed";
}

TEST_F(ExplorerPopupTest, GripTakenAgainQuicklyIsHeldAsByAFirstPress) {
    // A release short of the threshold and a second press soon after on the
    // same spot come as a double click; the grip is held all the same.
    backend.queue([&] {
        backend.pointTo(form.One, 20, 5);
        backend.leftDown();
        backend.pointTo(form.One, 30, 5);
        backend.leftUp();
        EXPECT_FALSE(backend.captured);
        backend.pointTo(form.One, 20, 5);
        backend.leftDoubleClick();
        EXPECT_TRUE(form.One.gripHot());
        EXPECT_EQ(backend.captured, &form.One);
        backend.pointTo(form.One, 31, 5);
    });
    TExplorerPopupForm* floating = nullptr;
    backend.whileSystemMove = [&](ui::Form& moved) {
        floating = &static_cast<TExplorerPopupForm&>(moved);
    };
    dropDown(form.A);
    ASSERT_TRUE(floating) << "not torn off by the second grip";
    EXPECT_EQ(trace, (Trace{"open", "undock"}));
    floating->close();
    backend.processMessages();
    EXPECT_EQ(application.forms().size(), 1u);
}

TEST_F(ExplorerPopupTest, SnapsBackOnlyAfterGoingAwayAndComingNearDuringTheDrag) {
    struct Case {
        std::vector<ui::Point> drags; // relative to the docked place
        bool snaps;
    } cases[] = {
        {{{30, 30}, {0, 0}}, false},                               // never more than 40 away
        {{{0, 41}, {49, 9}}, true},                                // away, then just inside
        {{{41, 0}, {-49, -9}}, true}, {{{0, 41}, {50, 0}}, false}, // 50 horizontally is not near
        {{{0, 41}, {0, 10}}, false},                               // nor 10 vertically
        {{{0, 40}, {0, 0}}, false},                                // 40 is not away
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.drags.back().x << "," << c.drags.back().y);
        trace.clear();
        dragGrip(30, 0);
        backend.whileSystemMove = [&](ui::Form& moved) {
            auto& floating = static_cast<TExplorerPopupForm&>(moved);
            for (const ui::Point& d : c.drags)
                backend.dragFormTo(moved, floating.dockedLeft + d.x, floating.dockedTop + d.y);
        };
        // Snapped back, the panel's tracking loop goes on and runs this; left
        // floating, the loop has ended at the tear-off.
        bool ranDocked = false;
        ui::Point at;
        backend.queue([&] {
            ranDocked = form.One.visible() && !form.One.undocked() && form.One.hostWindow();
            at = screenOf(form.One);
        });
        dropDown(form.A);
        if (c.snaps) {
            EXPECT_TRUE(backend.inputs.empty());
            EXPECT_TRUE(ranDocked);
            EXPECT_EQ(at, (ui::Point{108, 83})) << "back in its dropped-down place";
            EXPECT_EQ(trace, (Trace{"open", "undock", "close"}));
            EXPECT_EQ(form.One.height(), 100);
        } else {
            EXPECT_EQ(backend.inputs.size(), 1u);
            EXPECT_TRUE(form.One.undocked());
            EXPECT_EQ(trace, (Trace{"open", "undock"}));
            backend.inputs.clear();
            ASSERT_TRUE(form.One.floatingWindow());
            form.One.floatingWindow()->close();
        }
        backend.processMessages();
        EXPECT_EQ(application.forms().size(), 1u);
    }
}

TEST_F(ExplorerPopupTest, FloatingWindowHidesWithTheApplicationAndItsButtonDocksItAgain) {
    dragGrip(30, 0);
    dropDown(form.A);
    TExplorerPopupForm* floating = form.One.floatingWindow();
    ASSERT_TRUE(floating);
    backend.setApplicationActive(false);
    EXPECT_FALSE(floating->visible());
    backend.setApplicationActive(true);
    EXPECT_TRUE(floating->visible());

    floating->hideInactive = false;
    backend.setApplicationActive(false);
    EXPECT_TRUE(floating->visible());

    trace.clear();
    ui::Point at;
    backend.queue([&] {
        EXPECT_FALSE(form.One.undocked());
        at = screenOf(form.One);
    });
    dropDown(form.A);
    EXPECT_EQ(at, (ui::Point{108, 83}));
    EXPECT_EQ(trace, (Trace{"open", "close"}));
    EXPECT_EQ(form.One.floatingWindow(), nullptr);
}

TEST_F(ExplorerPopupTest, PointerEnteringAnotherPanelButtonSwitchesPanels) {
    bool twoOpened = false;
    backend.queue([&] { backend.pointTo(form.B, 10, 10); });
    // Panel one's loop has ended; panel two's runs this.
    backend.queue([&] {
        twoOpened = form.Two.visible() && form.B.panelOpen();
        EXPECT_FALSE(form.One.visible());
        EXPECT_FALSE(form.A.panelOpen());
    });
    dropDown(form.A);
    EXPECT_EQ(trace, (Trace{"open", "close"}));
    EXPECT_TRUE(twoOpened) << "the second button's panel followed the pointer";

    // A plain button on the way closes the panel and opens nothing.
    trace.clear();
    const int quits = backend.quitsSeen;
    backend.queue([&] { backend.pointTo(form.Plain, 10, 10); });
    dropDown(form.A);
    EXPECT_EQ(trace, (Trace{"open", "close"}));
    EXPECT_EQ(backend.quitsSeen, quits) << "closed by the pointer, not by the program's end";
    EXPECT_TRUE(backend.postedMessages.empty());
}

TEST_F(ExplorerPopupTest, PaintsARaisedFrameAndTheGripInTheCaptionColours) {
    const ui::Rgb own = ui::rgb(10, 130, 70); // the panel's colour, unlike any of the frame's
    form.One.setColor(static_cast<ui::Color>(own));
    ui::RasterCanvas idle(160, 110);
    backend.queue([&] {
        form.One.paint(idle);
        backend.pointTo(form.One, 20, 5);
    });
    ui::RasterCanvas hot(160, 110);
    backend.queue([&] { form.One.paint(hot); });
    dropDown(form.A);
    // The classic scheme: captions navy when active, grey when not.
    const ui::Rgb face = ui::rgb(192, 192, 192);
    const ui::Rgb light = ui::rgb(255, 255, 255);
    const ui::Rgb shadow = ui::rgb(128, 128, 128);
    const ui::Rgb inactiveCaption = ui::rgb(128, 128, 128);
    const ui::Rgb activeCaption = ui::rgb(0, 0, 128);
    const ui::Raster& p = idle.pixels();
    EXPECT_EQ(p.at(20, 5), inactiveCaption);
    EXPECT_EQ(hot.pixels().at(20, 5), activeCaption);
    EXPECT_EQ(p.at(4, 2), inactiveCaption);
    EXPECT_EQ(p.at(156, 9), inactiveCaption);
    EXPECT_EQ(p.at(3, 5), face) << "the bar starts at 4";
    EXPECT_EQ(p.at(157, 5), face) << "the bar ends before width - 3";
    EXPECT_EQ(p.at(20, 10), face) << "the bar ends before 10";
    EXPECT_EQ(p.at(50, 50), face);
    EXPECT_EQ(p.at(1, 50), light);
    EXPECT_EQ(p.at(50, 1), light);
    EXPECT_EQ(p.at(158, 50), shadow);
    EXPECT_EQ(p.at(50, 108), shadow);
    EXPECT_EQ(p.at(159, 50), ui::rgb(0, 0, 0));
    EXPECT_EQ(p.at(50, 109), ui::rgb(0, 0, 0));
    EXPECT_EQ(p.at(0, 50), own) << "the outer left column keeps the panel's colour";
    EXPECT_EQ(p.at(50, 0), own) << "and so does the top row";
}
