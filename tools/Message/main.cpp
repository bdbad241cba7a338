// Message.exe: started by a job script when the job has ended, it tells which
// job finished and what it produced, or why it produced nothing (from the
// coders' notes), and offers to open the output folder.
#include <windows.h>
#include <shellapi.h>

#include "MessageText.h"
#include "platform/CommandLine.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/ScreenText.h"
#include "platform/win32/Win32Platform.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

const char windowClass[] = "KorimbaMessage";
const char caption[] = "Korimba";
const int openFolderId = 100;
const int margin = 12;
const int buttonWidth = 88;
const int buttonHeight = 23;
const int buttonGap = 8;
const int designDpi = 96;

std::optional<std::string> longName(const std::string& path) {
    const std::wstring wide = korimba::platform::win32::wideOf(path, CP_ACP);
    // No such file exists; and Wine's GetLongPathNameW overruns on such a name.
    if (wide.size() > korimba::paths::kMaxPathCharacters)
        return std::nullopt;
    std::vector<wchar_t> buffer(MAX_PATH);
    while (true) {
        const DWORD length =
            GetLongPathNameW(wide.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return std::nullopt;
        if (length < buffer.size())
            return korimba::platform::win32::ansiOf(std::wstring(buffer.data(), length));
        buffer.resize(length);
    }
}

// A note is one line; more than this is not read, whatever lies there.
std::optional<std::string> fileBeginning(const std::string& path) {
    // Shared every way: a coder of another job may be writing or removing it.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::string content(4096, '\0');
    DWORD got = 0;
    const bool read =
        ReadFile(file, content.data(), static_cast<DWORD>(content.size()), &got, nullptr) != 0;
    CloseHandle(file);
    if (!read)
        return std::nullopt;
    content.resize(got);
    return content;
}

std::vector<korimba::platform::FolderEntry> entriesIn(const std::string& folder) {
    return korimba::platform::win32::Win32FileSystem().listFolder(folder);
}

// The scripts quote a folder that ends in a backslash ("E:\MP3\"); the C
// runtime would read that backslash as an escape, so the raw line is split.
std::vector<std::string> arguments() {
    std::vector<std::string> all = korimba::platform::splitCommandLine(GetCommandLineA());
    if (!all.empty())
        all.erase(all.begin());
    return all;
}

struct Window {
    HWND frame = nullptr;
    HFONT font = nullptr;
    int dpi = designDpi;
    korimba::message::Notice notice;

    // A designed length at the window's scale.
    int scaled(int length) const { return MulDiv(length, dpi, designDpi); }
};

// The 8-point face of the program's windows, at the window's scale.
HFONT makeFont(const Window& window) {
    return CreateFontA(window.scaled(-11), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, korimba::platform::win32::kLinkedSansSerif);
}

SIZE measureText(HFONT font, const std::string& text, int maxWidth) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    RECT bounds = {0, 0, maxWidth, 0};
    const UINT flags = DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS;
    korimba::platform::win32::drawText(dc, text, bounds, flags);
    if (bounds.right > maxWidth) {
        // A path too long for the screen wraps anywhere, as the label does.
        bounds = {0, 0, maxWidth, 0};
        korimba::platform::win32::drawText(dc, text, bounds, flags | DT_WORDBREAK | DT_EDITCONTROL);
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return {bounds.right, bounds.bottom};
}

HWND addChild(HWND parent, const char* kind, const char* text, DWORD style, int id, RECT place,
              HFONT font) {
    HWND child = CreateWindowExA(0, kind, text, WS_CHILD | WS_VISIBLE | style, place.left,
                                 place.top, place.right - place.left, place.bottom - place.top,
                                 parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleA(nullptr), nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

// The part of the screen that windows may cover (the task bar left out).
RECT workArea() {
    RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

// The text, the buttons and the frame around them at the window's scale; the
// window centred on the work area, or with its corner where it is asked to be.
void layOut(Window& window, const POINT* corner = nullptr) {
    const RECT screen = workArea();
    const int margin = window.scaled(::margin);
    const int buttonWidth = window.scaled(::buttonWidth);
    const int buttonHeight = window.scaled(::buttonHeight);
    const int buttonGap = window.scaled(::buttonGap);
    const int maxTextWidth =
        std::max<int>(window.scaled(240), screen.right - screen.left - window.scaled(120));
    // Room for the caption, the frame and the buttons: the OK button must stay on the screen.
    const int maxTextHeight =
        std::max<int>(window.scaled(40), screen.bottom - screen.top - window.scaled(120));
    SIZE text = measureText(window.font, window.notice.text, maxTextWidth);
    text.cy = std::min<LONG>(text.cy, maxTextHeight);
    const int clientWidth = std::max<int>(text.cx, 2 * buttonWidth + buttonGap) + 2 * margin;
    const int buttonTop = margin + text.cy + margin;
    const int clientHeight = buttonTop + buttonHeight + margin;

    addChild(window.frame, "STATIC", window.notice.text.c_str(),
             SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, -1,
             {margin, margin, margin + text.cx, margin + text.cy}, window.font);
    const int okLeft = clientWidth - margin - buttonWidth;
    const int openLeft = okLeft - buttonGap - buttonWidth;
    HWND open = addChild(
        window.frame, "BUTTON", "&Open folder", BS_PUSHBUTTON | WS_TABSTOP, openFolderId,
        {openLeft, buttonTop, openLeft + buttonWidth, buttonTop + buttonHeight}, window.font);
    EnableWindow(open, !window.notice.folder.empty());
    HWND ok =
        addChild(window.frame, "BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK,
                 {okLeft, buttonTop, okLeft + buttonWidth, buttonTop + buttonHeight}, window.font);
    SetFocus(ok);

    const RECT frame = korimba::platform::win32::outerRect(
        {0, 0, clientWidth, clientHeight},
        static_cast<DWORD>(GetWindowLongA(window.frame, GWL_STYLE)),
        static_cast<DWORD>(GetWindowLongA(window.frame, GWL_EXSTYLE)), window.dpi);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int left =
        corner ? corner->x : std::max<int>(screen.left, (screen.left + screen.right - width) / 2);
    const int top =
        corner ? corner->y : std::max<int>(screen.top, (screen.top + screen.bottom - height) / 2);
    SetWindowPos(window.frame, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CALLBACK destroyChild(HWND child, LPARAM) {
    DestroyWindow(child);
    return TRUE;
}

// Moved to a monitor of another scale: everything made again at the new one,
// with the corner where the system suggests.
void rescale(Window& window, int dpi, const RECT& suggested) {
    window.dpi = dpi;
    EnumChildWindows(window.frame, destroyChild, 0);
    DeleteObject(window.font);
    window.font = makeFont(window);
    const POINT corner{suggested.left, suggested.top};
    layOut(window, &corner);
}

LRESULT CALLBACK windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* window = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (message) {
    case WM_NCCREATE: {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        break;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == openFolderId && window && !window->notice.folder.empty()) {
            ShellExecuteA(hwnd, "open", window->notice.folder.c_str(), nullptr, nullptr,
                          SW_SHOWNORMAL);
            return 0;
        }
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            DestroyWindow(hwnd);
            return 0;
        }
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case korimba::platform::win32::kDpiChangedMessage:
        if (window)
            rescale(*window, LOWORD(wParam), *reinterpret_cast<RECT*>(lParam));
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool registerWindowClass(HINSTANCE instance) {
    WNDCLASSA type = {};
    type.lpfnWndProc = windowProcedure;
    type.hInstance = instance;
    type.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszClassName = windowClass;
    return RegisterClassA(&type) != 0;
}

int runMessageLoop(HWND frame) {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // Tab, Enter and Escape as in a dialog box.
        if (IsDialogMessageA(frame, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    Window window;
    const korimba::platform::win32::Win32Process process;
    const korimba::platform::win32::Win32TextEncoding encoding;
    const korimba::text::CodePage codePage(encoding);
    const korimba::message::Disk disk{
        longName, fileBeginning, entriesIn,
        korimba::paths::folderPart(process.executablePath(), codePage)};
    window.notice = korimba::message::composeNotice(arguments(), disk, codePage);
    if (!registerWindowClass(instance))
        return 1;
    window.frame = CreateWindowExA(WS_EX_DLGMODALFRAME, windowClass, caption,
                                   WS_POPUP | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT,
                                   0, 0, nullptr, nullptr, instance, &window);
    if (!window.frame)
        return 1;
    window.dpi = korimba::platform::win32::windowDpi(window.frame);
    window.font = makeFont(window);
    layOut(window);
    // Shown normally whatever the script's own window mode: it is the job's end notice.
    ShowWindow(window.frame, SW_SHOWNORMAL);
    SetForegroundWindow(window.frame);
    // Told now, and by nobody else: a later notice must not tell them again.
    for (const std::string& note : window.notice.notes)
        DeleteFileA(note.c_str());
    const int result = runMessageLoop(window.frame);
    DeleteObject(window.font);
    return result;
}
