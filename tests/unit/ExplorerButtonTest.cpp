// The flat button's behaviour, driven headless through the pointer of the backend.
#include "fakes/FakePlatform.h"
#include "fakes/HeadlessBackend.h"
#include "platform/Exception.h"
#include "ui/Application.h"
#include "ui/Controls.h"
#include "ui/RasterCanvas.h"
#include "widgets/ExplorerButton.h"
#include "widgets/ExplorerPopup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace korimba;
using namespace korimba::widgets;
using ui::MouseButton;

namespace {

struct ButtonForm : ui::Form {
    ButtonForm() : ui::Form("ButtonForm") { setBounds(100, 50, 400, 300); }
    ui::Panel Panel1{this, "Panel1"};
    ui::Panel Panel2{this, "Panel2"};
    TExplorerButton A{&Panel1, "A", "&Alpha", 8, 8, 89, 25};
    TExplorerButton B{&Panel1, "B", "&Beta", 8, 40, 89, 25};
    TExplorerButton C{&Panel2, "C", "&Gamma", 8, 8, 89, 25};
    ui::Panel Panel3{this, "Panel3"};
    TExplorerButton Fresh{&Panel3, "Fresh"};
    ui::PopupMenu Menu{"Menu"};
    static ButtonForm* Instance;
};
ButtonForm* ButtonForm::Instance = nullptr;

class ExplorerButtonTest : public ::testing::Test {
protected:
    ExplorerButtonTest() {
        form.Panel1.setBounds(0, 0, 200, 300);
        form.Panel2.setBounds(200, 0, 200, 300);
        form.Panel3.setBounds(400, 0, 200, 300);
        form.Menu.add("Item1", "&One").OnClick = [this] { trace.push_back("item"); };
        form.show();
        for (TExplorerButton* button : {&form.A, &form.B, &form.C})
            record(*button);
    }

    void record(TExplorerButton& b) {
        const std::string name = b.name();
        b.OnClick = [this, name] { trace.push_back(name + ".click"); };
        b.OnDblClick = [this, name] { trace.push_back(name + ".dblclick"); };
        b.OnDropDownClick = [this, name] { trace.push_back(name + ".dropdown"); };
        b.OnMouseDown = [this, name](MouseButton, unsigned, int, int) {
            trace.push_back(name + ".down");
        };
        b.OnMouseUp = [this, name](MouseButton, unsigned, int, int) {
            trace.push_back(name + ".up");
        };
    }

    void clickOn(TExplorerButton& b, int x = 10, int y = 10) {
        backend.pointTo(b, x, y);
        backend.leftDown();
        backend.leftUp();
    }

    using Trace = std::vector<std::string>;
    Trace trace;
    fakes::FakePlatform platform;
    fakes::HeadlessBackend backend;
    ui::Application application{platform.bundle(), backend};
    ButtonForm& form = application.createForm(ButtonForm::Instance);
};

} // namespace

TEST_F(ExplorerButtonTest, NewButtonHasTheDocumentedDefaults) {
    TExplorerButton& fresh = form.Fresh;
    EXPECT_EQ(fresh.width(), 50);
    EXPECT_EQ(fresh.height(), 40);
    EXPECT_EQ(fresh.options(), unsigned{boPopupMark | boShowBevel | boShowDownPattern});
    EXPECT_EQ(fresh.alignment(), Alignment::taCenter);
    EXPECT_EQ(fresh.shadingType(), ShadingType::stMedium);
    EXPECT_EQ(fresh.unselectedFontColor(), ui::colors::WindowText);
    EXPECT_EQ(fresh.smallWidth(), 23);
    EXPECT_EQ(fresh.smallHeight(), 22);
    EXPECT_EQ(fresh.largeWidth(), 39);
    EXPECT_EQ(fresh.largeHeight(), 38);
    EXPECT_EQ(fresh.customWidth(), 50);
    EXPECT_EQ(fresh.customHeight(), 40);
    EXPECT_EQ(fresh.buttonSize(), ButtonSize::bsCustom);
    EXPECT_EQ(fresh.bevelStyle(), BevelStyle::bsRaised);
    EXPECT_EQ(fresh.layout(), ButtonLayout::blBitmapTop);
    EXPECT_EQ(fresh.dropDownStyle(), DropDownStyle::ddsIExplorer);
    EXPECT_EQ(fresh.groupIndex(), 0);
    EXPECT_FALSE(fresh.allowAllUp());
    EXPECT_FALSE(fresh.down());
    EXPECT_TRUE(fresh.caption().empty());
    EXPECT_EQ(fresh.explorerPopup(), nullptr);
}

TEST_F(ExplorerButtonTest, ClickInsideClicksAndReleaseOutsideDoesNot) {
    clickOn(form.A);
    EXPECT_EQ(trace, (Trace{"A.down", "A.click", "A.up"}));
    EXPECT_FALSE(backend.captured) << "the release gives the capture back";

    trace.clear();
    backend.pointTo(form.A, 10, 10);
    backend.leftDown();
    EXPECT_EQ(backend.captured, &form.A);
    backend.pointAway(); // captured: the move outside counts as leaving
    EXPECT_FALSE(form.A.hot());
    backend.leftUp();
    EXPECT_EQ(trace, (Trace{"A.down", "A.up"}));

    trace.clear();
    backend.pointTo(form.A, 10, 10);
    backend.leftDown();
    backend.pointAway();
    backend.pointTo(form.A, 12, 12); // back before the release
    backend.leftUp();
    EXPECT_EQ(trace, (Trace{"A.down", "A.click", "A.up"}));
}

TEST_F(ExplorerButtonTest, EnterAndLeaveSetHotAndRaiseTheirEvents) {
    form.A.OnEnter = [this] { trace.push_back("enter"); };
    form.A.OnExit = [this] { trace.push_back("exit"); };
    backend.pointTo(form.A, 5, 5);
    EXPECT_TRUE(form.A.hot());
    EXPECT_EQ(backend.tracking, &form.A) << "the leave is tracked from the first move";
    backend.pointTo(form.B, 5, 5);
    EXPECT_FALSE(form.A.hot());
    EXPECT_TRUE(form.B.hot());
    EXPECT_EQ(trace, (Trace{"enter", "exit"}));
}

TEST_F(ExplorerButtonTest, DisabledButtonRaisesOnlyMouseDownAndResetsItsState) {
    backend.pointTo(form.A, 5, 5);
    backend.leftDown();
    EXPECT_TRUE(form.A.mainPressed());
    form.A.setEnabled(false);
    EXPECT_FALSE(form.A.mainPressed());
    EXPECT_FALSE(form.A.hot());
    backend.leftUp();
    trace.clear();
    backend.leftDown();
    backend.leftUp();
    EXPECT_EQ(trace, (Trace{"A.down"}));
}

TEST_F(ExplorerButtonTest, DoubleClickClicksOnceThenRaisesDblClickAndIgnoresItsRelease) {
    backend.pointTo(form.A, 5, 5);
    backend.leftDown();
    backend.leftUp();
    backend.leftDoubleClick();
    backend.leftUp();
    EXPECT_EQ(trace, (Trace{"A.down", "A.click", "A.up", "A.dblclick"}));
}

TEST_F(ExplorerButtonTest, GroupsKeepOneDownAmongTheSameParentOnly) {
    form.A.setDown(true);
    EXPECT_FALSE(form.A.down()) << "no group, no down";

    for (TExplorerButton* b : {&form.A, &form.B, &form.C})
        b->setGroupIndex(1);
    form.C.setDown(true); // another panel: a group of its own
    form.A.setDown(true);
    EXPECT_TRUE(form.C.down());
    clickOn(form.B);
    EXPECT_TRUE(form.B.down());
    EXPECT_FALSE(form.A.down());
    EXPECT_TRUE(form.C.down());

    trace.clear();
    clickOn(form.B); // without AllowAllUp the down one stays down, and still clicks
    EXPECT_TRUE(form.B.down());
    EXPECT_EQ(trace, (Trace{"B.down", "B.click", "B.up"}));

    form.A.setAllowAllUp(true); // spreads over the group of the same parent
    EXPECT_TRUE(form.B.allowAllUp());
    EXPECT_FALSE(form.C.allowAllUp());
    clickOn(form.B);
    EXPECT_FALSE(form.B.down());

    form.C.setGroupIndex(0);
    EXPECT_FALSE(form.C.down());
}

TEST_F(ExplorerButtonTest, ExplorerStyleMenuDropsUnderTheButtonPressedAndNeverClicks) {
    form.A.setDropDownMenu(&form.Menu);
    bool pressedWhileOpen = false;
    backend.whileMenuShown = [&] {
        trace.push_back("menu");
        pressedWhileOpen = form.A.mainPressed() && form.A.hot();
        backend.captured = &form.B; // the menu's end cancels whoever holds the capture
    };
    backend.menuChoice = "Item1";
    backend.pointTo(form.A, 10, 10);
    backend.leftDown();
    backend.pointAway();
    backend.leftUp();
    EXPECT_EQ(trace, (Trace{"A.dropdown", "menu", "item", "A.down"}));
    EXPECT_TRUE(pressedWhileOpen);
    EXPECT_FALSE(form.A.mainPressed());
    EXPECT_EQ(backend.lastPopupAt.x, 100 + 0 + 8);
    EXPECT_EQ(backend.lastPopupAt.y, 50 + 0 + 8 + 25);
    EXPECT_EQ(backend.mouseMessagesDiscarded, 1);
    EXPECT_EQ(backend.cancelModes, 1);
}

TEST_F(ExplorerButtonTest, ContextMenuEndsThePressOfEitherPart) {
    form.A.setDropDownStyle(DropDownStyle::ddsOffice);
    form.A.setPopupMenu(&form.Menu);
    backend.whileMenuShown = [&] {
        trace.push_back("menu");
        backend.cursor = {-1000, -1000}; // the click that closes the menu is elsewhere
    };
    backend.pointTo(form.A, 85, 10); // the arrow part
    backend.leftDown();
    ASSERT_TRUE(form.A.arrowPressed());
    backend.rightUp();
    EXPECT_EQ(backend.lastPopupAt.x, 100 + 8 + 85) << "at the pointer";
    EXPECT_EQ(backend.lastPopupAt.y, 50 + 8 + 10);
    EXPECT_FALSE(form.A.arrowPressed());
    EXPECT_FALSE(form.A.mainPressed());
    EXPECT_FALSE(form.A.hot());
    EXPECT_EQ(backend.captured, nullptr) << "the capture holder was told to give up";
    EXPECT_EQ(backend.mouseMessagesDiscarded, 1);
    backend.leftUp(); // nothing is pressed any more
    EXPECT_EQ(trace, (Trace{"A.dropdown", "A.down", "A.up", "menu"}));
}

TEST_F(ExplorerButtonTest, OfficeStyleSplitsMainPartAndArrowPart) {
    form.A.setDropDownStyle(DropDownStyle::ddsOffice);
    form.A.setDropDownMenu(&form.Menu);
    backend.whileMenuShown = [&] { trace.push_back("menu"); };
    clickOn(form.A, 10, 10);
    EXPECT_EQ(trace, (Trace{"A.dropdown", "A.down", "A.click", "A.up"}));

    trace.clear();
    clickOn(form.A, 89 - 11, 10); // the rightmost 11 pixels
    EXPECT_EQ(trace, (Trace{"A.dropdown", "menu", "A.down"}));
    EXPECT_FALSE(form.A.arrowPressed());

    trace.clear();
    backend.pointTo(form.A, 10, 10);
    backend.leftDoubleClick();
    backend.pointTo(form.A, 85, 10);
    backend.leftDoubleClick();
    EXPECT_EQ(trace, (Trace{"A.dblclick"}));
}

TEST_F(ExplorerButtonTest, AcceleratorClicksOrDropsTheMenuAndOnlyWhenEnabledAndVisible) {
    EXPECT_TRUE(form.A.dialogChar('a'));
    EXPECT_EQ(trace, (Trace{"A.down", "A.click", "A.up"}));
    EXPECT_FALSE(form.A.hot()) << "the pointer is elsewhere";

    trace.clear();
    EXPECT_FALSE(form.A.dialogChar('B'));
    form.B.setEnabled(false);
    EXPECT_FALSE(form.B.dialogChar('B'));
    form.C.hide();
    EXPECT_FALSE(form.C.dialogChar('G'));
    EXPECT_TRUE(trace.empty());

    form.A.setDropDownMenu(&form.Menu);
    backend.menuChoice = "Item1";
    EXPECT_TRUE(form.A.dialogChar('A'));
    EXPECT_EQ(trace, (Trace{"A.dropdown", "item", "A.down"}));
    EXPECT_EQ(backend.lastPopupAt.x, 100 + 8);
    EXPECT_EQ(backend.lastPopupAt.y, 50 + 8 + 25);
}

TEST_F(ExplorerButtonTest, WindowInterfaceKeepsUserPressAndClick) {
    form.A.userPress();
    form.A.click();
    EXPECT_EQ(trace, (Trace{"A.down", "A.click", "A.up", "A.click"}));
    form.A.setEnabled(false);
    trace.clear();
    form.A.userPress();
    EXPECT_EQ(trace, (Trace{"A.down"}));
}

TEST_F(ExplorerButtonTest, ButtonSizeChoosesAPairAndResizingFollowsTheChosenPair) {
    TExplorerButton& fresh = form.Fresh;
    fresh.setButtonSize(ButtonSize::bsSmall);
    EXPECT_EQ(fresh.width(), 23);
    EXPECT_EQ(fresh.height(), 22);
    fresh.setBounds(fresh.left(), fresh.top(), 30, 28);
    EXPECT_EQ(fresh.smallWidth(), 30);
    EXPECT_EQ(fresh.smallHeight(), 28);
    EXPECT_EQ(fresh.customWidth(), 50);
    fresh.setLargeWidth(60); // not the current pair: no resize
    EXPECT_EQ(fresh.width(), 30);
    fresh.setSmallHeight(20);
    EXPECT_EQ(fresh.height(), 20);
}

// A form of its own for panels that go away while the buttons stay.
struct PanelForm : ui::Form {
    PanelForm() : ui::Form("PanelForm") {}
    TExplorerPopup Panel{this, "Panel", 0, 0, 160, 100};
};

TEST_F(ExplorerButtonTest, DropDownMenuAndPanelExcludeEachOther) {
    PanelForm panels;
    TExplorerPopup* panel = &panels.Panel;
    form.A.setExplorerPopup(panel);
    form.A.setDropDownMenu(&form.Menu);
    EXPECT_EQ(form.A.explorerPopup(), nullptr);
    form.A.setExplorerPopup(panel);
    EXPECT_EQ(form.A.dropDownMenu(), nullptr);
    form.A.componentRemoved(panel);
    EXPECT_EQ(form.A.explorerPopup(), nullptr);
}

TEST_F(ExplorerButtonTest, PanelGoingAwayClearsTheReferencesToIt) {
    auto panels = std::make_unique<PanelForm>();
    form.A.setExplorerPopup(&panels->Panel);
    form.B.setExplorerPopup(&panels->Panel);
    form.B.setExplorerPopup(nullptr);
    form.C.setExplorerPopup(&panels->Panel);
    form.C.setDropDownMenu(&form.Menu); // no longer refers to the panel
    panels.reset();
    EXPECT_EQ(form.A.explorerPopup(), nullptr) << "a press would otherwise reach a freed panel";
    EXPECT_EQ(form.C.dropDownMenu(), &form.Menu);

    // A button that goes first is forgotten, so the panel's end touches nothing freed.
    PanelForm second;
    {
        TExplorerButton passing{&second, "Passing"};
        passing.setExplorerPopup(&second.Panel);
        EXPECT_EQ(second.Panel.referrers(), std::vector<TExplorerButton*>{&passing});
    }
    EXPECT_TRUE(second.Panel.referrers().empty());
}

TEST_F(ExplorerButtonTest, CaptionBecomesTheTooltipWithoutItsMarks) {
    EXPECT_EQ(captionWithoutMarks("Save && &Quit"), "Save & Quit");
    EXPECT_EQ(captionWithoutMarks("&Close"), "Close");
    EXPECT_EQ(captionWithoutMarks("Tom&"), "Tom&");

    form.A.setOptions(form.A.options() | boIconOnly);
    EXPECT_EQ(form.A.hint(), "Alpha");
    EXPECT_TRUE(form.A.showHint());
    form.A.setCaption("&Omega");
    EXPECT_EQ(form.A.hint(), "Omega");
    form.A.setOptions(form.A.options() & ~unsigned{boIconOnly});
    EXPECT_EQ(form.A.hint(), "");
    EXPECT_FALSE(form.A.showHint());

    form.B.setHint("own hint");
    form.B.setOptions(form.B.options() | boIconOnly);
    form.B.setOptions(form.B.options() & ~unsigned{boIconOnly});
    EXPECT_EQ(form.B.hint(), "own hint") << "a hint of one's own stays";
}

TEST_F(ExplorerButtonTest, TransparencyToggleAndMovesAfterPaintingRecreateTheWindow) {
    ui::RasterCanvas window(89, 25);
    form.A.paint(window);
    EXPECT_TRUE(form.A.backgroundCaptured());
    form.A.setBounds(10, 8, 89, 25);
    EXPECT_FALSE(form.A.backgroundCaptured());
    EXPECT_EQ(backend.recreated[&form.A], 1);
    form.A.setOptions(form.A.options() & ~unsigned{boTransparent});
    EXPECT_EQ(backend.recreated[&form.A], 2);
    EXPECT_FALSE(form.A.transparentWindow());
}

TEST_F(ExplorerButtonTest, StoredMonochromeImageReadsBackAsItWasWritten) {
    EXPECT_EQ(form.A.storedMonoBitmap(), "") << "no image, no bytes";
    const ui::Rgb highlight = ui::rgb(250, 250, 240);
    const ui::Rgb shadow = ui::rgb(100, 100, 110);
    backend.systemColors[ui::colors::BtnHighlight] = highlight;
    backend.systemColors[ui::colors::BtnShadow] = shadow;
    ui::Raster glyph(3, 2, ui::rgb(255, 0, 255));
    glyph.set(1, 0, ui::rgb(250, 250, 250)); // sums of 750,
    glyph.set(0, 1, ui::rgb(100, 100, 100)); // 300,
    glyph.set(2, 1, ui::rgb(80, 80, 90));    // 250 (stMedium would make it the highlight)
    glyph.set(1, 1, ui::rgb(10, 20, 30));    // and 60
    form.A.setBitmap(glyph);
    form.A.setShadingType(ShadingType::stDark); // makes the image again
    const std::string stored = form.A.storedMonoBitmap();
    ASSERT_FALSE(stored.empty());
    EXPECT_EQ(stored.substr(0, 2), "BM");
    ui::Raster mono(3, 2, ui::rgb(255, 0, 255)); // the corner's colour stays
    mono.set(1, 0, ui::rgb(255, 255, 255));
    mono.set(0, 1, highlight);
    mono.set(2, 1, shadow);
    mono.set(1, 1, ui::rgb(0, 0, 0));
    EXPECT_EQ(form.A.monoBitmap(), mono);
    form.B.loadStoredMonoBitmap(stored);
    EXPECT_EQ(form.B.monoBitmap(), mono);
    EXPECT_TRUE(form.B.bitmap().empty()) << "loading does not make a glyph";
    EXPECT_THROW(form.B.loadStoredMonoBitmap("not a bitmap"), Exception);

    form.A.setNoFocusBitmap(glyph);
    EXPECT_TRUE(form.A.monoBitmap().empty()) << "an own idle image replaces the computed one";
}

TEST(ExplorerButtonAccessible, TellsItsNameShortcutRoleStateAndAction) {
    using korimba::widgets::TExplorerButton;
    struct Case {
        const char* caption;
        const char* name;
        const char* shortcut;
    };
    for (const Case& told : {Case{"      &System  ", "System", "Alt+S"},
                             Case{"Crea&te list", "Create list", "Alt+T"},
                             Case{"R&&B", "R&B", ""}, Case{"...", "...", ""}}) {
        TExplorerButton button(nullptr, "B", told.caption, 0, 0, 89, 25);
        const ui::AccessibleDescription described = button.accessible();
        EXPECT_EQ(described.name + "|" + described.shortcut,
                  std::string(told.name) + "|" + told.shortcut);
        EXPECT_EQ(described.role, ui::AccessibleRole::PushButton);
        EXPECT_EQ(described.defaultAction, "Press");
        EXPECT_EQ(described.state, unsigned(ui::asFocusable));
    }
    TExplorerButton system(nullptr, "B", "&System", 0, 0, 89, 25);
    ui::PopupMenu menu{"PopupMenu1"};
    system.setDropDownMenu(&menu);
    system.setEnabled(false);
    const ui::AccessibleDescription described = system.accessible();
    EXPECT_EQ(described.role, ui::AccessibleRole::ButtonMenu);
    EXPECT_EQ(described.defaultAction, "Open");
    EXPECT_EQ(described.state, unsigned(ui::asUnavailable));
}

// A reader hears of each change of state or name once.
TEST_F(ExplorerButtonTest, TellsScreenReadersWhatChanged) {
    using Event = ui::AccessibleEvent;
    TExplorerButton& a = form.A;
    const auto heard = [&] { return backend.takeAccessibleEvents(a); };
    clickOn(a);
    EXPECT_EQ(heard(), (std::vector{Event::StateChange, Event::StateChange, Event::StateChange}))
        << "hot, pressed, released";
    a.setEnabled(false);
    a.setEnabled(true);
    EXPECT_EQ(heard(), (std::vector{Event::StateChange, Event::StateChange}));
    a.setCaption("&Other");
    EXPECT_EQ(heard(), std::vector{Event::NameChange});
    a.keyboardFocusChanged(true);
    EXPECT_EQ(heard(), std::vector{Event::StateChange});
    EXPECT_TRUE(a.accessible().state & ui::asFocused);
    trace.clear();
    a.keyboardPress();
    EXPECT_EQ(std::count(trace.begin(), trace.end(), "A.click"), 1) << "Space and Enter press it";
}
