// The real backend under Wine: a small form with one control of each kind, driven
// through the model and through native messages as the system and the user send them.
#include "lists/ListForm.h"
#include "platform/Exception.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/Win32Platform.h"
#include "ui/Application.h"
#include "ui/Controls.h"
#include "ui/Menu.h"
#include "ui/Raster.h"
#include "ui/Scale.h"
#include "ui/Timer.h"
#include "ui/win32/OpenFileDialog.h"
#include "ui/win32/Win32Backend.h"

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

using namespace korimba;
using namespace korimba::ui;

namespace {

// A .bmp file image; pixels given top row first as 0xRRGGBB.
std::string bitmapFile(int width, int height, const std::vector<std::uint32_t>& topDown) {
    Raster raster(width, height);
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column) {
            const std::uint32_t value = topDown[static_cast<std::size_t>(row * width + column)];
            raster.set(column, row,
                       ui::rgb((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF));
        }
    return encodeBitmap(raster);
}

COLORREF rgb(std::uint32_t value) {
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

struct SampleForm : Form {
    SampleForm() : Form("TSampleForm") {
        setCaption("Sample window");
        setBorderStyle(BorderStyle::Single);
        setBorderIcons(BiSystemMenu | BiMinimize);
        setPosition(FormPosition::ScreenCenter);
        setClientSize(320, 240);

        Header.setAlign(Align::Top);
        Header.setBounds(0, 0, 320, 41);
        Header.setBevelOuter(BevelOuter::None);
        Title.setCaption("Sample title");
        Title.setBounds(8, 6, 200, 28);
        Title.setFont(titleFont());
        Title.setTransparent(true);

        Side.setAlign(Align::Left);
        Side.setBounds(0, 0, 60, 10);
        Side.setBevelOuter(BevelOuter::None);
        Side.setColor(colors::White);
        Go.setCaption("&Go");
        Go.setBounds(4, 8, 52, 25);

        Fields.setAlign(Align::Client);
        Fields.setBevelOuter(BevelOuter::Lowered);
        Fields.setColor(colors::MidGrey);
        Picture.setAlign(Align::Client);
        Picture.setStretch(true);
        NameLabel.setCaption("&Name:");
        NameLabel.setBounds(16, 8, 60, 13);
        NameLabel.setTransparent(true);
        NameLabel.setFocusControl(&Name);
        Name.setBounds(16, 24, 150, 21);
        Font navy = Name.font();
        navy.color = colors::Navy;
        Name.setFont(navy);
        Other.setBounds(16, 52, 150, 21);
        List.setBounds(16, 80, 150, 60);
        List.setScrollBars(true);
        Loud.setCaption("&Loud");
        Loud.setBounds(180, 24, 70, 17);
        Loud.setColor(colors::MidGrey);
        First.setCaption("&First");
        First.setBounds(180, 48, 70, 17);
        First.setChecked(true);
        Second.setCaption("&Second");
        Second.setBounds(180, 66, 70, 17);
        Rates.setBounds(180, 90, 70, 21);
        Rates.setItems({"8000", "16000", "24000"});
        Rates.setItemIndex(1);
        Progress.setBounds(16, 150, 150, 9);
        Line.setShape(BevelShape::TopLine);
        Line.setBounds(16, 168, 200, 2);
        Ring.setBounds(200, 130, 40, 40);
        Ring.setPenColor(colors::White);

        int order = 0;
        for (Control* field :
             std::initializer_list<Control*>{&Name, &Other, &List, &Loud, &First, &Second, &Rates})
            field->setTabOrder(order++);
        Ticker.setEnabled(false);
        Ticker.setInterval(10);
    }

    Panel Header{this, "Header"};
    Label Title{&Header, "Title"};
    Panel Side{this, "Side"};
    Button Go{&Side, "Go"};
    Panel Fields{this, "Fields"};
    Image Picture{&Fields, "Picture"};
    Label NameLabel{&Fields, "NameLabel"};
    Edit Name{&Fields, "Name"};
    Edit Other{&Fields, "Other"};
    Memo List{&Fields, "List"};
    CheckBox Loud{&Fields, "Loud"};
    RadioButton First{&Fields, "First"};
    RadioButton Second{&Fields, "Second"};
    ComboBox Rates{&Fields, "Rates"};
    ProgressBar Progress{&Fields, "Progress"};
    Bevel Line{&Fields, "Line"};
    Shape Ring{&Fields, "Ring"};
    Timer Ticker{this, "Ticker"};
    PopupMenu Menu{"Menu"};
};
SampleForm* Sample = nullptr;

struct DialogForm : Form {
    DialogForm() : Form("TDialogForm") {
        setCaption("Dialog");
        setBorderStyle(BorderStyle::Dialog);
        setBorderIcons(0);
        setClientSize(200, 100);
        setBounds(40, 30, 0, 0);
        Field.setBounds(8, 8, 100, 21);
        Done.setCaption("&Done");
        Done.setBounds(110, 60, 80, 25);
        Done.OnClick = [this] { close(); };
    }
    Edit Field{this, "Field"};
    Button Done{this, "Done"};
};
DialogForm* Dialog = nullptr;

HWND hwnd(const Control& control) {
    return static_cast<HWND>(control.native);
}

std::string className(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string textOf(HWND window) {
    char text[512] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

// The window's place in its parent's client area.
RECT placeOf(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Code run by a timer inside the loops of menus, dialogs and boxes, tried every
// 30 ms until it reports done (the window it looks for may take a moment to come).
// When it never does, whatever it was waiting on is cancelled so the test fails
// instead of hanging.
std::function<bool()> pendingAction;
int triesLeft = 0;
BOOL CALLBACK cancelDialog(HWND window, LPARAM) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "#32770" && IsWindowVisible(window))
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}
void CALLBACK runPendingAction(HWND, UINT, UINT_PTR id, DWORD) {
    if (pendingAction && pendingAction())
        pendingAction = nullptr;
    else if (--triesLeft <= 0) {
        pendingAction = nullptr;
        EndMenu();
        EnumThreadWindows(GetCurrentThreadId(), cancelDialog, 0);
    }
    if (!pendingAction)
        KillTimer(nullptr, id);
}
void soon(std::function<bool()> action) {
    pendingAction = std::move(action);
    triesLeft = 100;
    SetTimer(nullptr, 0, 30, runPendingAction);
}

// The first visible message box or common dialog with this title.
HWND systemDialog(const char* title) {
    return FindWindowA("#32770", title);
}

class Win32BackendTest : public ::testing::Test {
protected:
    void TearDown() override {
        // A quit message left by a closed main form must not reach the next test.
        MSG message;
        while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }

    // Runs the message loop until the condition holds; false after the timeout.
    bool pumpUntil(const std::function<bool()>& done, int milliseconds = 3000) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                if (message.message != WM_QUIT)
                    backend.dispatchMessage(message);
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
        return true;
    }
    void pumpFor(int milliseconds) {
        pumpUntil([] { return false; }, milliseconds);
    }
    void showSample() {
        form.show();
        pumpUntil([&] { return GetForegroundWindow() == hwnd(form); }, 1000);
        pumpFor(50);
    }

    platform::win32::Win32Platform platform;
    win32::Win32Backend backend{GetModuleHandleA(nullptr)};
    Application application{platform.bundle(), backend};
    SampleForm& form = application.createForm(Sample);
};

TEST_F(Win32BackendTest, FormWindowHasItsClassCaptionBorderAndClientSize) {
    HWND window = hwnd(form);
    EXPECT_EQ(backend.handleOf(form), window);
    EXPECT_EQ(FindWindowA("TSampleForm", nullptr), window);
    EXPECT_EQ(textOf(window), "Sample window");
    const auto style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(IsWindowVisible(window));
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 240);

    // Centred at its first show, and the model knows where it went.
    showSample();
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_NEAR((outer.left + outer.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((outer.top + outer.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    EXPECT_EQ(form.left(), outer.left);
    EXPECT_EQ(form.top(), outer.top);

    // Moving it through the model moves the window.
    form.setLeft(outer.left + 10);
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.left, form.left());

    // Minimized, it keeps its place in the model for coming back.
    application.minimize();
    EXPECT_TRUE(IsIconic(window));
    EXPECT_EQ(form.left(), outer.left);
    ShowWindow(window, SW_RESTORE);

    Dialog = nullptr;
    DialogForm& dialog = application.createForm(Dialog);
    // A form made hidden before the main loop gets its windows when first shown.
    EXPECT_EQ(hwnd(dialog), nullptr);
    EXPECT_EQ(hwnd(dialog.Done), nullptr);
    dialog.show();
    ASSERT_NE(hwnd(dialog), nullptr);
    EXPECT_TRUE(IsWindowVisible(hwnd(dialog)));
    EXPECT_NE(hwnd(dialog.Done), nullptr);
    const auto dialogStyle = static_cast<DWORD>(GetWindowLongA(hwnd(dialog), GWL_STYLE));
    EXPECT_FALSE(dialogStyle & WS_SYSMENU) << "no close box without the system menu";
    EXPECT_TRUE(GetWindowLongA(hwnd(dialog), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    GetWindowRect(hwnd(dialog), &outer);
    EXPECT_EQ(outer.left, 40) << "a designed form stands where it was put";
    EXPECT_EQ(outer.top, 30);
    EXPECT_EQ(GetWindow(hwnd(dialog), GW_OWNER), window);
}

TEST_F(Win32BackendTest, ChildWindowsFollowAlignmentAndBounds) {
    RECT place = placeOf(hwnd(form.Header));
    EXPECT_EQ(place.left, 0);
    EXPECT_EQ(place.top, 0);
    EXPECT_EQ(place.right, 320);
    EXPECT_EQ(place.bottom, 41);
    place = placeOf(hwnd(form.Side));
    EXPECT_EQ(place.top, 41);
    EXPECT_EQ(place.right - place.left, 60);
    EXPECT_EQ(place.bottom, 240);
    place = placeOf(hwnd(form.Fields));
    EXPECT_EQ(place.left, 60);
    EXPECT_EQ(place.top, 41);
    EXPECT_EQ(place.right, 320);
    EXPECT_EQ(place.bottom, 240);

    place = placeOf(hwnd(form.Name));
    EXPECT_EQ(place.left, 16);
    EXPECT_EQ(place.top, 24);
    EXPECT_EQ(place.right - place.left, 150);
    EXPECT_EQ(place.bottom - place.top, 21);
    EXPECT_EQ(GetParent(hwnd(form.Name)), hwnd(form.Fields));

    EXPECT_EQ(className(hwnd(form.Fields)), "TPanel");
    EXPECT_EQ(className(hwnd(form.NameLabel)), "TLabel");
    EXPECT_EQ(textOf(hwnd(form.NameLabel)), "&Name:");
    EXPECT_EQ(textOf(hwnd(form.Loud)), "&Loud");
    EXPECT_STRCASEEQ(className(hwnd(form.Name)).c_str(), "Edit");
    EXPECT_STRCASEEQ(className(hwnd(form.Rates)).c_str(), "ComboBox");
    EXPECT_STRCASEEQ(className(hwnd(form.Progress)).c_str(), PROGRESS_CLASSA);
    const auto memoStyle = static_cast<DWORD>(GetWindowLongA(hwnd(form.List), GWL_STYLE));
    EXPECT_TRUE(memoStyle & ES_MULTILINE);
    EXPECT_TRUE(memoStyle & WS_VSCROLL);
    EXPECT_TRUE(memoStyle & WS_HSCROLL);
    EXPECT_TRUE(memoStyle & ES_AUTOHSCROLL) << "no word wrap";

    // Painted controls draw on their parent's window.
    EXPECT_EQ(form.Picture.native, form.Fields.native);
    EXPECT_EQ(form.Ring.native, form.Fields.native);

    // Initial state came across.
    EXPECT_EQ(SendMessageA(hwnd(form.First), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(hwnd(form.Rates), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(hwnd(form.Rates), CB_GETCURSEL, 0, 0), 1);
}

// A window moved to a monitor of another scale takes the place the system
// suggests and lays itself out at that scale; back at 96 dpi, as designed.
TEST_F(Win32BackendTest, ScaleChangeLaysTheWindowOutAgainAtTheNewScale) {
    HWND window = hwnd(form);
    for (const int dpi : {120, 144, 192, 96}) {
        SCOPED_TRACE(dpi);
        const Scale scale{dpi};
        // Wine keeps the frame of the system's scale: the suggestion is made for that frame.
        RECT outer, inner;
        GetWindowRect(window, &outer);
        GetClientRect(window, &inner);
        RECT suggested{30, 20, 30 + scale.device(320) + (outer.right - outer.left) - inner.right,
                       20 + scale.device(240) + (outer.bottom - outer.top) - inner.bottom};
        SendMessageA(window, platform::win32::kDpiChangedMessage, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        // The client area, an aligned panel, and controls placed in panels.
        const std::pair<HWND, Rect> places[] = {{window, {0, 0, 320, 240}},
                                                {hwnd(form.Fields), {60, 41, 260, 199}},
                                                {hwnd(form.Go), {4, 8, 52, 25}},
                                                {hwnd(form.Name), {16, 24, 150, 21}}};
        for (const auto& [shown, rect] : places) {
            RECT place;
            if (shown == window)
                GetClientRect(window, &place);
            else
                place = placeOf(shown);
            const Rect expected = scale.device(rect);
            EXPECT_EQ(
                (std::array<LONG, 4>{place.left, place.top, place.right, place.bottom}),
                (std::array<LONG, 4>{expected.left, expected.top, expected.left + expected.width,
                                     expected.top + expected.height}))
                << className(shown);
        }
        LOGFONTA font{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(hwnd(form.Name), WM_GETFONT, 0, 0)),
                   sizeof font, &font);
        EXPECT_EQ(font.lfHeight, scale.device(-11));
        // The model keeps the design: its client size; the corner where the window went.
        EXPECT_EQ((Rect{form.left(), form.top(), form.clientWidth(), form.clientHeight()}),
                  (Rect{30, 20, 320, 240}));
    }
}

TEST_F(Win32BackendTest, ModelChangesReachTheWindows) {
    form.NameLabel.setCaption("&Surname:");
    EXPECT_EQ(textOf(hwnd(form.NameLabel)), "&Surname:");
    form.Name.setEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(hwnd(form.Name)));
    form.Loud.hide();
    EXPECT_FALSE(IsWindowVisible(hwnd(form.Loud)) && IsWindowVisible(hwnd(form)));
    EXPECT_FALSE(GetWindowLongA(hwnd(form.Loud), GWL_STYLE) & WS_VISIBLE);
    form.Loud.show();
    EXPECT_TRUE(GetWindowLongA(hwnd(form.Loud), GWL_STYLE) & WS_VISIBLE);
    form.Loud.setChecked(true);
    EXPECT_EQ(SendMessageA(hwnd(form.Loud), BM_GETCHECK, 0, 0), BST_CHECKED);
    form.Second.setChecked(true);
    EXPECT_EQ(SendMessageA(hwnd(form.First), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(hwnd(form.Second), BM_GETCHECK, 0, 0), BST_CHECKED);
    form.Rates.setItemIndex(2);
    EXPECT_EQ(SendMessageA(hwnd(form.Rates), CB_GETCURSEL, 0, 0), 2);
    form.Rates.setItems({"a", "b"});
    EXPECT_EQ(SendMessageA(hwnd(form.Rates), CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(hwnd(form.Rates), CB_GETCURSEL, 0, 0), CB_ERR);
    form.Progress.setPosition(40);
    EXPECT_EQ(SendMessageA(hwnd(form.Progress), PBM_GETPOS, 0, 0), 40);
    form.List.lines() = {"first", "", "third"};
    form.List.linesChanged();
    EXPECT_EQ(textOf(hwnd(form.List)), "first\r\n\r\nthird\r\n");
    int listChanges = 0;
    form.List.OnChange = [&] { ++listChanges; };
    form.List.setText("D:\\a.wav\r\nD:\\b.wav");
    EXPECT_EQ(textOf(hwnd(form.List)), "D:\\a.wav\r\nD:\\b.wav\r\n");
    EXPECT_EQ(form.List.lines(), (TextLines{"D:\\a.wav", "D:\\b.wav"}));
    EXPECT_EQ(listChanges, 1);
    form.setCaption("Renamed");
    EXPECT_EQ(textOf(hwnd(form)), "Renamed");
    form.Name.setBounds(20, 30, 100, 21);
    const RECT place = placeOf(hwnd(form.Name));
    EXPECT_EQ(place.left, 20);
    EXPECT_EQ(place.top, 30);
    EXPECT_EQ(place.right - place.left, 100);
}

BOOL CALLBACK findTooltip(HWND window, LPARAM found) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) == TOOLTIPS_CLASSA)
        *reinterpret_cast<HWND*>(found) = window;
    return TRUE;
}

TEST_F(Win32BackendTest, ShownHintIsATipOfTheFormsTooltip) {
    form.Progress.setShowHint(true);
    form.Progress.setHint("C:\\Music\\one.wav");
    HWND tooltip = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findTooltip, reinterpret_cast<LPARAM>(&tooltip));
    ASSERT_NE(tooltip, nullptr);
    EXPECT_EQ(GetWindow(tooltip, GW_OWNER), hwnd(form));
    char text[80] = {};
    TTTOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = hwnd(form);
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd(form.Progress));
    tool.lpszText = text;
    SendMessageA(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, "C:\\Music\\one.wav");
    form.Progress.setHint("");
    EXPECT_EQ(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), 0);
}

TEST_F(Win32BackendTest, NativeEditsReachTheModelAndRaiseOnChangeOncePerChange) {
    int changes = 0;
    form.Name.OnChange = [&] { ++changes; };
    SendMessageA(hwnd(form.Name), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("C:\\a.wav"));
    EXPECT_EQ(form.Name.text(), "C:\\a.wav");
    EXPECT_EQ(changes, 1);

    form.Name.setText("C:\\b.wav");
    EXPECT_EQ(textOf(hwnd(form.Name)), "C:\\b.wav");
    EXPECT_EQ(changes, 2) << "a change from the program is not reported back again";

    // A handler that rewrites its own field does not loop.
    form.Name.OnChange = [&] {
        ++changes;
        if (form.Name.text() == "x")
            form.Name.setText("y");
    };
    SendMessageA(hwnd(form.Name), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x"));
    EXPECT_EQ(form.Name.text(), "y");
    EXPECT_EQ(textOf(hwnd(form.Name)), "y");
    EXPECT_EQ(changes, 4);

    int listChanges = 0;
    form.List.OnChange = [&] { ++listChanges; };
    // Typing (a multi-line edit reports no change for WM_SETTEXT).
    SendMessageA(hwnd(form.List), EM_SETSEL, 0, -1);
    SendMessageA(hwnd(form.List), EM_REPLACESEL, TRUE,
                 reinterpret_cast<LPARAM>("C:\\a.wav\r\n\r\n"));
    EXPECT_EQ(form.List.lines(), (TextLines{"C:\\a.wav", ""}));
    EXPECT_EQ(listChanges, 1);
    EXPECT_EQ(textOf(hwnd(form.List)), "C:\\a.wav\r\n\r\n") << "the typed text stays as typed";
}

TEST_F(Win32BackendTest, ClicksAndSelectionsReachTheModelThroughItsSetters) {
    showSample();
    std::vector<std::string> trace;
    form.Loud.OnClick = [&] { trace.push_back("Loud"); };
    form.Second.OnClick = [&] { trace.push_back("Second"); };
    form.Rates.OnChange = [&] { trace.push_back("Rates"); };
    form.Go.OnClick = [&] { trace.push_back("Go"); };

    SendMessageA(hwnd(form.Loud), BM_CLICK, 0, 0);
    EXPECT_TRUE(form.Loud.checked());
    SendMessageA(hwnd(form.Second), BM_CLICK, 0, 0);
    EXPECT_TRUE(form.Second.checked());
    EXPECT_FALSE(form.First.checked());
    EXPECT_EQ(SendMessageA(hwnd(form.First), BM_GETCHECK, 0, 0), BST_UNCHECKED);

    SendMessageA(hwnd(form.Rates), CB_SETCURSEL, 2, 0);
    SendMessageA(hwnd(form.Fields), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(hwnd(form.Rates)));
    EXPECT_EQ(form.Rates.itemIndex(), 2);

    SendMessageA(hwnd(form.Go), BM_CLICK, 0, 0);
    EXPECT_EQ(trace, (std::vector<std::string>{"Loud", "Second", "Rates", "Go"}));
}

TEST_F(Win32BackendTest, FocusMovesRaiseExitOfTheOldFieldThenEnterOfTheNew) {
    std::vector<std::string> trace;
    for (Control* field : std::initializer_list<Control*>{&form.Name, &form.Other, &form.List}) {
        field->OnEnter = [&trace, field] { trace.push_back("enter " + field->name()); };
        field->OnExit = [&trace, field] { trace.push_back("exit " + field->name()); };
    }
    showSample();
    EXPECT_EQ(form.activeControl(), &form.Name) << "the first field takes the focus";
    EXPECT_EQ(GetFocus(), hwnd(form.Name));

    SetFocus(hwnd(form.Other));
    form.List.setFocus();
    EXPECT_EQ(GetFocus(), hwnd(form.List));
    EXPECT_EQ(trace, (std::vector<std::string>{"enter Name", "exit Name", "enter Other",
                                               "exit Other", "enter List"}));

    // Tab and Shift+Tab walk the tab order; the checked radio button is the group's stop.
    trace.clear();
    PostMessageA(hwnd(form.List), WM_KEYDOWN, VK_TAB, 0);
    pumpUntil([&] { return GetFocus() != hwnd(form.List); });
    EXPECT_EQ(GetFocus(), hwnd(form.Loud));
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    pumpUntil([&] { return GetFocus() != hwnd(form.Loud); });
    EXPECT_EQ(GetFocus(), hwnd(form.First));
    EXPECT_TRUE(form.First.checked());
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    pumpUntil([&] { return GetFocus() != hwnd(form.First); });
    EXPECT_EQ(GetFocus(), hwnd(form.Rates)) << "the unchecked radio button is skipped";
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    pumpUntil([&] { return GetFocus() != hwnd(form.Rates); });
    EXPECT_EQ(GetFocus(), hwnd(form.Name)) << "Tab wraps round";
    EXPECT_EQ(form.activeControl(), &form.Name);
}

TEST_F(Win32BackendTest, FocusGivenBeforeTheFirstShowIsWhereTheFormOpens) {
    form.Other.setFocus();
    EXPECT_EQ(form.activeControl(), &form.Other);
    showSample();
    EXPECT_EQ(GetFocus(), hwnd(form.Other));
    EXPECT_EQ(form.activeControl(), &form.Other);
}

TEST_F(Win32BackendTest, AltLetterRunsTheControlWhoseCaptionMarksIt) {
    showSample();
    int pressed = 0;
    form.Go.OnClick = [&] { ++pressed; };
    form.Other.setFocus();
    PostMessageA(hwnd(form.Other), WM_SYSCHAR, 'n', 0);
    pumpUntil([&] { return GetFocus() == hwnd(form.Name); });
    EXPECT_EQ(form.activeControl(), &form.Name) << "a label's letter focuses its field";
    PostMessageA(hwnd(form.Name), WM_SYSCHAR, 'G', 0);
    pumpUntil([&] { return pressed > 0; });
    EXPECT_EQ(pressed, 1);
    PostMessageA(hwnd(form.Name), WM_SYSCHAR, 'l', 0);
    pumpUntil([&] { return form.Loud.checked(); });
    EXPECT_TRUE(form.Loud.checked());
    EXPECT_EQ(form.activeControl(), &form.Loud);
}

TEST_F(Win32BackendTest, TimerTicksThroughTheMessageLoopWhileEnabled) {
    int ticks = 0;
    form.Ticker.OnTimer = [&] { ++ticks; };
    pumpFor(60);
    EXPECT_EQ(ticks, 0);
    form.Ticker.setEnabled(true);
    EXPECT_TRUE(pumpUntil([&] { return ticks >= 3; }));
    form.Ticker.setEnabled(false);
    pumpFor(20);
    const int stopped = ticks;
    pumpFor(60);
    EXPECT_EQ(ticks, stopped);
}

TEST_F(Win32BackendTest, ChosenPopupMenuItemRunsItsHandler) {
    showSample();
    std::string chosen;
    form.Menu.add("Settings1", "&Settings").OnClick = [&] { chosen = "Settings1"; };
    form.Menu.add("N1", "-");
    MenuItem& more = form.Menu.add("More1", "&More");
    more.add("Inner1", "&Inner").OnClick = [&] { chosen = "Inner1"; };
    form.Menu.add("About1", "&About").OnClick = [&] { chosen = "About1"; };

    // Keys into the menu's own loop: down to "&More", into it, and choose "&Inner".
    soon([&] {
        for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN})
            PostMessageA(hwnd(form), WM_KEYDOWN, key, 0);
        return true;
    });
    form.Menu.popup(100, 100);
    EXPECT_EQ(chosen, "Inner1");

    chosen.clear();
    soon([&] { return PostMessageA(hwnd(form), WM_KEYDOWN, VK_ESCAPE, 0) != FALSE; });
    form.Menu.popup(100, 100);
    EXPECT_EQ(chosen, "") << "a dismissed menu runs nothing";

    // A button with a menu drops it down under itself.
    form.Go.setDropDownMenu(&form.Menu);
    RECT menuAt{};
    soon([&] {
        HWND menu = FindWindowA("#32768", nullptr);
        if (!menu || !IsWindowVisible(menu))
            return false;
        GetWindowRect(menu, &menuAt);
        PostMessageA(hwnd(form), WM_KEYDOWN, VK_UP, 0);
        PostMessageA(hwnd(form), WM_KEYDOWN, VK_RETURN, 0);
        return true;
    });
    SendMessageA(hwnd(form.Go), BM_CLICK, 0, 0);
    RECT button;
    GetWindowRect(hwnd(form.Go), &button);
    EXPECT_EQ(menuAt.left, button.left);
    EXPECT_EQ(menuAt.top, button.bottom);
    EXPECT_EQ(chosen, "About1");
}

TEST_F(Win32BackendTest, ModalFormDisablesTheOthersAndReturnsWhenClosed) {
    showSample();
    Dialog = nullptr;
    DialogForm& dialog = application.createForm(Dialog);
    int activations = 0;
    form.OnActivate = [&] { ++activations; };
    bool mainEnabledDuringModal = true;
    soon([&] {
        mainEnabledDuringModal = IsWindowEnabled(hwnd(form)) != FALSE;
        return PostMessageA(hwnd(dialog.Done), BM_CLICK, 0, 0) != FALSE;
    });
    dialog.showModal();
    EXPECT_FALSE(mainEnabledDuringModal);
    EXPECT_FALSE(dialog.visible());
    EXPECT_FALSE(IsWindowVisible(hwnd(dialog)));
    EXPECT_TRUE(IsWindowEnabled(hwnd(form)));
    EXPECT_EQ(GetActiveWindow(), hwnd(form));
    EXPECT_EQ(application.activeForm(), &form);
    EXPECT_EQ(activations, 1) << "the form under the dialog is activated again, once";
}

TEST_F(Win32BackendTest, MessageBoxesShowKindTitleAndTextAndReturnTheAnswer) {
    showSample();
    int activations = 0;
    form.OnActivate = [&] { ++activations; };
    std::string seenText;
    soon([&] {
        HWND box = systemDialog("Confirm");
        if (!box)
            return false;
        seenText = textOf(GetDlgItem(box, 0xFFFF));
        return PostMessageA(box, WM_COMMAND, IDNO, 0) != FALSE;
    });
    EXPECT_EQ(application.messageBox(MessageKind::Confirmation, "Are you sure?"), Answer::No);
    EXPECT_EQ(seenText, "Are you sure?");

    soon([&] {
        HWND box = systemDialog("Error");
        return box && PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(application.messageBox(MessageKind::Error, "Cannot open file C:\\x"), Answer::Ok);
    pumpFor(50);
    EXPECT_EQ(activations, 0) << "a message box going away does not activate the form anew";

    // A foreign exception from a handler is shown and goes no further.
    std::string shown;
    form.Go.OnClick = [] { throw std::out_of_range("bad index"); };
    soon([&] {
        HWND box = systemDialog("Error");
        if (!box)
            return false;
        shown = textOf(GetDlgItem(box, 0xFFFF));
        return PostMessageA(box, WM_COMMAND, IDOK, 0) != FALSE;
    });
    SendMessageA(hwnd(form.Go), BM_CLICK, 0, 0);
    EXPECT_EQ(shown, "bad index");
}

// A form whose class name the system refuses (longer than an atom may be).
struct RefusedForm : Form {
    RefusedForm() : Form(std::string(300, 'T')) {
        setClientSize(100, 50);
        OnCreate = [this] { created = true; };
    }
    bool created = false;
};
RefusedForm* Refused = nullptr;

TEST_F(Win32BackendTest, RefusedWindowIsReportedAndNeverWaitedFor) {
    showSample();
    std::vector<std::string> shown;
    RefusedForm& refused = application.createForm(Refused);
    EXPECT_EQ(refused.native, nullptr);
    EXPECT_TRUE(refused.created) << "the form's own creation still runs";

    // Made hidden before the main loop, its window is refused at its first
    // show, and the modal run says so again: two boxes, each answered.
    HWND answered = nullptr;
    soon([&] {
        HWND box = systemDialog("Error");
        if (!box || box == answered)
            return false;
        answered = box;
        shown.push_back(textOf(GetDlgItem(box, 0xFFFF)));
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        return shown.size() == 2;
    });
    refused.showModal();
    const std::string expected = "Cannot create window " + std::string(300, 'T');
    EXPECT_EQ(shown, (std::vector<std::string>{expected, expected}));
    EXPECT_FALSE(refused.visible());
    EXPECT_TRUE(IsWindowEnabled(hwnd(form))) << "no modal run disabled the others";
}

TEST_F(Win32BackendTest, RunShowsTheMainFormUntilItClosesAndCloseQueryMayRefuse) {
    int queries = 0;
    form.OnCloseQuery = [&](bool& canClose) { canClose = ++queries > 1; };
    bool shownAfterRefusal = false;
    soon([&] {
        if (!IsWindowVisible(hwnd(form)))
            return false;
        if (queries == 0) {
            PostMessageA(hwnd(form), WM_CLOSE, 0, 0);
            return false;
        }
        shownAfterRefusal = form.visible() && IsWindowVisible(hwnd(form));
        return PostMessageA(hwnd(form), WM_CLOSE, 0, 0) != FALSE;
    });
    application.run();
    EXPECT_TRUE(shownAfterRefusal);
    EXPECT_EQ(queries, 2);
    EXPECT_TRUE(application.terminated());
    EXPECT_FALSE(IsWindowVisible(hwnd(form)));
}

// The edit inside the filename box of the system's open dialog.
HWND fileNameEdit(HWND dialog) {
    HWND box = GetDlgItem(dialog, cmb13);
    HWND combo = box ? FindWindowExA(box, nullptr, "ComboBox", nullptr) : nullptr;
    HWND edit = FindWindowExA(combo ? combo : box, nullptr, "Edit", nullptr);
    return edit ? edit : box;
}

TEST_F(Win32BackendTest, OpenDialogTakesItsSettingsAndGivesBackTheChoice) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string stem = std::string(folder) + "korimba-open";
    std::ofstream(stem + ".ini") << "x";

    showSample();
    OpenDialog dialog(&form);
    dialog.title = "Select:";
    dialog.filter = "Settings|*.ini|Everything|*.*";
    dialog.defaultExt = "*.ini";
    dialog.options = OfHideReadOnly | OfPathMustExist | OfFileMustExist;
    dialog.filterIndex = 2;
    dialog.fileName = stem + ".ini";
    HWND owner = nullptr;
    std::string shownName;
    soon([&] {
        HWND box = systemDialog("Select:");
        if (!box || !fileNameEdit(box))
            return false;
        owner = GetWindow(box, GW_OWNER);
        shownName = textOf(fileNameEdit(box));
        return PostMessageA(box, WM_COMMAND, IDCANCEL, 0) != FALSE;
    });
    EXPECT_FALSE(dialog.execute());
    EXPECT_EQ(owner, hwnd(form));
    EXPECT_EQ(shownName, "korimba-open.ini") << "the initial name is offered";
    EXPECT_EQ(dialog.fileName, stem + ".ini") << "a cancel changes nothing";
    EXPECT_EQ(dialog.filterIndex, 2);

    soon([&] {
        HWND box = systemDialog("Select:");
        if (!box || !fileNameEdit(box))
            return false;
        SetWindowTextA(fileNameEdit(box), (stem + ".ini").c_str());
        return PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                            reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK))) != FALSE;
    });
    dialog.fileName.clear();
    dialog.filterIndex = 1;
    const bool chosen = dialog.execute();
    DeleteFileA((stem + ".ini").c_str());
    ASSERT_TRUE(chosen);
    EXPECT_STRCASEEQ(dialog.fileName.c_str(), (stem + ".ini").c_str());
    EXPECT_EQ(dialog.filterIndex, 1);
}

TEST(Win32OpenDialogSettings, FilterDefaultExtensionAndOptionsReadAsTheSystemWantsThem) {
    const char pairs[] = "Input\0*.wav;*.snd;*.mp3\0"; // and the literal's own NUL
    EXPECT_EQ(win32::systemFilter("Input|*.wav;*.snd;*.mp3"), std::string(pairs, sizeof pairs));
    EXPECT_EQ(win32::systemFilter(""), "");
    EXPECT_EQ(win32::systemDefaultExtension("*.wav"), "wav");
    EXPECT_EQ(win32::systemDefaultExtension("l3enc.exe;l3dec.exe"), "l3enc.exe;l3dec.exe");
    EXPECT_EQ(win32::systemOpenFlags(OfHideReadOnly | OfFileMustExist | OfNoTestFileCreate),
              static_cast<unsigned long>(OFN_EXPLORER | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST |
                                         OFN_NOTESTFILECREATE));
}

// A drop as the shell hands it over: a DROPFILES block with ANSI names.
HGLOBAL shellDrop(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names)
        list += name + '\0';
    list += '\0';
    HGLOBAL drop = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + list.size());
    auto* header = static_cast<DROPFILES*>(GlobalLock(drop));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = FALSE;
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), list.data(), list.size());
    GlobalUnlock(drop);
    return drop;
}

TEST_F(Win32BackendTest, DroppedFilesReachOnDropFilesAndTheDropIsReleasedOnce) {
    std::vector<std::string> names;
    int countAfterFinish = -1;
    form.OnDropFiles = [&](DroppedFiles& files) {
        for (int i = 0; i < files.count(); ++i)
            names.push_back(files.name(i));
        files.finish();
        files.finish();
        countAfterFinish = files.count();
    };
    form.setAcceptsFiles(true);
    EXPECT_TRUE(GetWindowLongA(hwnd(form), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);

    HGLOBAL drop = shellDrop({"C:\\one.wav", "C:\\two.mp3"});
    SendMessageA(hwnd(form), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    EXPECT_EQ(names, (std::vector<std::string>{"C:\\one.wav", "C:\\two.mp3"}));
    EXPECT_EQ(countAfterFinish, 0) << "nothing is read from a released drop";

    // A handler that fails half-way leaves the release to the backend.
    form.OnDropFiles = [&](DroppedFiles&) { throw Exception("Cannot open file C:\\x"); };
    soon([&] {
        HWND box = systemDialog("Error");
        return box && PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    drop = shellDrop({"C:\\three.wav"});
    SendMessageA(hwnd(form), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    EXPECT_EQ(GlobalSize(drop), 0u);
}

// Long texts and lists compared without printing them whole on a failure.
template <class Sequence>
testing::AssertionResult sameLong(const Sequence& actual, const Sequence& expected) {
    const auto [a, e] =
        std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    if (a == actual.end() && e == expected.end())
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "sizes " << actual.size() << " and " << expected.size()
                                       << ", first difference at " << (a - actual.begin());
}

// The same with UTF-16 names, as the shell of an NT system hands them over.
HGLOBAL shellDropWide(const std::vector<std::wstring>& names) {
    std::wstring list;
    for (const std::wstring& name : names)
        list += name + L'\0';
    list += L'\0';
    const std::size_t bytes = list.size() * sizeof(wchar_t);
    HGLOBAL drop = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + bytes);
    auto* header = static_cast<DROPFILES*>(GlobalLock(drop));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), list.data(), bytes);
    GlobalUnlock(drop);
    return drop;
}

TEST_F(Win32BackendTest, DroppedNamesAreReadInAnyOrderWideOrNotAndWhole) {
    std::vector<std::string> names;
    int count = 0;
    form.OnDropFiles = [&](DroppedFiles& files) {
        count = files.count();
        names.assign(static_cast<std::size_t>(count), "");
        for (int i = count - 1; i >= 0; --i)
            names[static_cast<std::size_t>(i)] = files.name(i);
        names.push_back(files.name(count)); // past the end: nothing
        files.finish();
    };
    form.setAcceptsFiles(true);

    std::vector<std::string> many;
    for (int i = 0; i < 3000; ++i)
        many.push_back("C:\\Music\\Track " + std::to_string(i) + (i % 2 ? ".wav" : ".mp3"));
    // Whole, where DragQueryFileA would stop at its buffer: the caller judges the length.
    many[1500] = "C:\\" + std::string(300, 'x') + ".wav";
    SendMessageA(hwnd(form), WM_DROPFILES, reinterpret_cast<WPARAM>(shellDrop(many)), 0);
    ASSERT_EQ(count, 3000);
    EXPECT_EQ(names.back(), "");
    names.pop_back();
    EXPECT_TRUE(sameLong(names, many));

    const std::wstring accented = L"C:\\Gr\u00fc\u00dfe.wav";
    char ansi[64] = {};
    WideCharToMultiByte(CP_ACP, 0, accented.c_str(), -1, ansi, sizeof ansi, nullptr, nullptr);
    SendMessageA(hwnd(form), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(shellDropWide(
                     {L"C:\\one.wav", accented, L"D:\\" + std::wstring(300, L'y') + L".mp3"})),
                 0);
    ASSERT_EQ(count, 3);
    EXPECT_EQ(names, (std::vector<std::string>{"C:\\one.wav", ansi,
                                               "D:\\" + std::string(300, 'y') + ".mp3", ""}));
}

// Counts what reaches a native window by WM_SETTEXT, and the pointer's shape
// meanwhile.
class SetTextSpy {
public:
    explicit SetTextSpy(HWND window) : window_(window) {
        spy_ = this;
        original_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&procedure)));
    }
    ~SetTextSpy() {
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        spy_ = nullptr;
    }
    SetTextSpy(const SetTextSpy&) = delete;
    SetTextSpy& operator=(const SetTextSpy&) = delete;

    std::vector<std::string> texts;
    std::vector<HCURSOR> cursors;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_SETTEXT) {
            spy_->texts.emplace_back(reinterpret_cast<const char*>(lParam));
            spy_->cursors.push_back(GetCursor());
        }
        return CallWindowProcA(spy_->original_, window, message, wParam, lParam);
    }
    static inline SetTextSpy* spy_ = nullptr;
    HWND window_;
    WNDPROC original_ = nullptr;
};

std::string wholeTextOf(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

TEST_F(Win32BackendTest, MemoWindowTakesItsLinesOnceAndShowsTheWaitCursorForALongText) {
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
    SetCursor(arrow);
    SetTextSpy spy(hwnd(form.List));
    form.List.lines() = {"C:\\a.wav"};
    form.List.linesChanged();
    std::string expected = "C:\\a.wav\r\n";
    for (int i = 0; i < 5000; ++i) {
        const std::string name = "C:\\Music\\Album\\Track " + std::to_string(i) + ".wav";
        form.List.lines().add(name);
        expected += name + "\r\n";
    }
    form.List.linesChanged();
    form.List.linesChanged();
    ASSERT_EQ(spy.texts.size(), 2u) << "once per change, none for the same lines";
    EXPECT_EQ(spy.texts[0], "C:\\a.wav\r\n");
    EXPECT_TRUE(sameLong(spy.texts[1], expected));
    EXPECT_EQ(spy.cursors, (std::vector<HCURSOR>{arrow, wait}));
    EXPECT_EQ(GetCursor(), arrow) << "the pointer is given back";
    EXPECT_TRUE(sameLong(wholeTextOf(hwnd(form.List)), expected));
}

TEST_F(Win32BackendTest, ListWindowTakesADropOfThousandsInOneTextAndShowsItBeforeARefusal) {
    lists::TForm6& list = application.createForm(lists::Form6);
    list.show(); // its windows are made when it first shows
    pumpFor(50);
    SetTextSpy spy(hwnd(list.Memo1));
    std::vector<std::string> names;
    std::string before;
    std::string expected;
    for (int i = 0; i < 3000; ++i) {
        names.push_back("C:\\Music\\Track " + std::to_string(i) + ".wav");
        expected += names.back() + "\r\n";
        if (i == 1999)
            before = expected;
    }
    names.insert(names.begin() + 2000, "C:\\Music\\notes.txt");
    std::string shownWithTheBox;
    soon([&] {
        HWND box = systemDialog("Error");
        if (!box)
            return false;
        shownWithTheBox = wholeTextOf(hwnd(list.Memo1));
        return PostMessageA(box, WM_COMMAND, IDOK, 0) != FALSE;
    });
    SendMessageA(hwnd(list), WM_DROPFILES, reinterpret_cast<WPARAM>(shellDrop(names)), 0);
    EXPECT_TRUE(sameLong(shownWithTheBox, before));
    EXPECT_TRUE(sameLong(wholeTextOf(hwnd(list.Memo1)), expected));
    // The first file replaces the instructions, the others follow in one text.
    ASSERT_EQ(spy.texts.size(), 3u);
    EXPECT_EQ(spy.texts[0], names[0] + "\r\n");
    EXPECT_TRUE(sameLong(spy.texts[1], before));
    EXPECT_TRUE(sameLong(spy.texts[2], expected));
}

class Win32BackendPainting : public Win32BackendTest {
protected:
    // The panel's client area as painted, read back pixel by pixel.
    struct Capture {
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = nullptr;
        ~Capture() {
            DeleteDC(dc);
            DeleteObject(bitmap);
        }
    };
    void paint(HWND window, Capture& capture) {
        RECT client;
        GetClientRect(window, &client);
        HDC screen = GetDC(nullptr);
        capture.bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
        ReleaseDC(nullptr, screen);
        SelectObject(capture.dc, capture.bitmap);
        SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(capture.dc), PRF_CLIENT);
    }
};

TEST_F(Win32BackendPainting, PanelShowsItsColourBevelAndStretchedPicture) {
    Capture plain;
    paint(hwnd(form.Fields), plain);
    EXPECT_EQ(GetPixel(plain.dc, 100, 5), rgb(0xBCBCBC));
    EXPECT_EQ(GetPixel(plain.dc, 0, 50), GetSysColor(COLOR_BTNSHADOW)) << "lowered bevel";
    EXPECT_EQ(GetPixel(plain.dc, 259, 50), GetSysColor(COLOR_BTNHIGHLIGHT));

    // Four quadrants of colour stretched over the inside of the bevel (258 x 197).
    form.Picture.setPicture(
        Bitmap::fromFileImage(bitmapFile(2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF})));
    Capture pictured;
    paint(hwnd(form.Fields), pictured);
    EXPECT_EQ(GetPixel(pictured.dc, 20, 170), rgb(0x0000FF));
    EXPECT_EQ(GetPixel(pictured.dc, 240, 170), rgb(0xFFFFFF));
    EXPECT_EQ(GetPixel(pictured.dc, 240, 5), rgb(0x00FF00));
    EXPECT_EQ(GetPixel(pictured.dc, 0, 50), GetSysColor(COLOR_BTNSHADOW));

    // The transparent label shows the picture around its letters.
    Capture label;
    paint(hwnd(form.NameLabel), label);
    EXPECT_EQ(GetPixel(label.dc, 58, 11), rgb(0xFF0000));
}

TEST_F(Win32BackendPainting, TruncatedPictureIsNotDrawn) {
    std::string file = bitmapFile(2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF});
    file.resize(file.size() - 4); // the top row is cut short
    form.Picture.setPicture(Bitmap::fromFileImage(file));
    Capture capture;
    paint(hwnd(form.Fields), capture);
    EXPECT_EQ(GetPixel(capture.dc, 20, 170), rgb(0xBCBCBC));
}

// The same picture through the real paint path: shown on the screen, under the
// window's own painting and the children's clipping, not printed into memory.
TEST_F(Win32BackendPainting, ShownPanelHasItsPictureAndBevel) {
    form.Picture.setPicture(
        Bitmap::fromFileImage(bitmapFile(2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF})));
    showSample();
    RedrawWindow(hwnd(form), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    pumpFor(100);
    HDC dc = GetDC(hwnd(form.Fields));
    EXPECT_EQ(GetPixel(dc, 20, 170), rgb(0x0000FF));
    EXPECT_EQ(GetPixel(dc, 240, 170), rgb(0xFFFFFF));
    EXPECT_EQ(GetPixel(dc, 240, 5), rgb(0x00FF00));
    EXPECT_EQ(GetPixel(dc, 0, 50), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(GetPixel(dc, 259, 50), GetSysColor(COLOR_BTNHIGHLIGHT));
    ReleaseDC(hwnd(form.Fields), dc);
}

} // namespace
