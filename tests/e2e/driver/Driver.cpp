// kdriver: drives the programs under test from inside the same Wine prefix.
// It reads one command per line on stdin and answers one line on stdout,
// "OK" with an optional JSON value or "ERR" with a reason; the command list
// is in the table at the end. One driver serves a whole test run, because
// every start of a Wine process costs about half a second.
#include "Accessibility.h"
#include "DropFiles.h"
#include "Input.h"
#include "Protocol.h"
#include "WindowQuery.h"

#include <windows.h>
#include <tlhelp32.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <map>

namespace korimba::e2e {

namespace {

constexpr UINT answerTimeoutMs = 5000;
constexpr DWORD pollIntervalMs = 10;

class Args {
public:
    explicit Args(const std::vector<Token>& tokens) : tokens_(tokens) {}

    WindowPath path() { return parseWindowPath(tokens_, pos_); }
    HWND window() { return requireWindow(path()); }
    bool more() const { return pos_ < tokens_.size(); }
    std::string text() {
        if (!more())
            throw DriverError("missing argument");
        return tokens_[pos_++].text;
    }
    std::string text(const std::string& fallback) { return more() ? text() : fallback; }
    long long number() { return parseNumber(text()); }
    std::vector<std::string> rest() {
        std::vector<std::string> texts;
        while (more())
            texts.push_back(text());
        return texts;
    }
    void end() const {
        if (more())
            throw DriverError("unexpected argument: " + tokens_[pos_].text);
    }

private:
    const std::vector<Token>& tokens_;
    size_t pos_ = 1;
};

LRESULT sendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, answerTimeoutMs,
                             &result))
        throw DriverError("the window did not answer");
    return static_cast<LRESULT>(result);
}

std::string handleJson(HWND window) {
    return std::to_string(reinterpret_cast<INT_PTR>(window));
}

// The text may grow between the two messages, and a copy cut to the old length
// would be a caption the window never had: a copy that fills the buffer is
// taken again with more room.
std::string liveText(HWND window) {
    size_t room = static_cast<size_t>(sendTo(window, WM_GETTEXTLENGTH, 0, 0)) + 16;
    for (;; room *= 2) {
        std::string text(room + 1, '\0');
        const LRESULT copied =
            sendTo(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
        if (static_cast<size_t>(copied) < room) {
            text.resize(static_cast<size_t>(copied));
            return text;
        }
    }
}

std::string withoutAmpersands(const std::string& caption) {
    std::string plain;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        plain += caption[i];
    }
    return plain;
}

DWORD windowThread(HWND window) {
    return GetWindowThreadProcessId(window, nullptr);
}

GUITHREADINFO threadInfo(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(windowThread(window), &info))
        throw DriverError("no GUI thread information");
    return info;
}

// Keyboard input lands on the focused control; posted keys go there too when
// it lies inside the window named.
HWND keyTarget(HWND window) {
    const GUITHREADINFO info = threadInfo(window);
    if (info.hwndFocus && (info.hwndFocus == window || IsChild(window, info.hwndFocus)))
        return info.hwndFocus;
    return window;
}

template <typename Condition> bool pollUntil(Condition condition, long long timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (static_cast<long long>(GetTickCount() - start) >= timeoutMs)
            return false;
        Sleep(pollIntervalMs);
    }
}

// Focus changes send WM_KILLFOCUS/WM_SETFOCUS into the target; a handler there
// may open a modal box and not return for long, so SetFocus runs on a thread
// of its own and the driver does not wait for it beyond a moment.
DWORD WINAPI focusThread(void* parameter) {
    HWND window = static_cast<HWND>(parameter);
    const DWORD self = GetCurrentThreadId();
    const DWORD target = windowThread(window);
    AttachThreadInput(self, target, TRUE);
    SetFocus(window);
    AttachThreadInput(self, target, FALSE);
    return 0;
}

bool focusWindow(HWND window) {
    HANDLE thread = CreateThread(nullptr, 0, focusThread, window, 0, nullptr);
    if (!thread)
        throw DriverError("cannot start the focus thread");
    const bool returned = WaitForSingleObject(thread, 2000) == WAIT_OBJECT_0;
    CloseHandle(thread);
    return returned;
}

void bringToFront(HWND window) {
    HWND root = GetAncestor(window, GA_ROOT);
    SetForegroundWindow(root);
    if (!pollUntil([root] { return GetForegroundWindow() == root; }, 2000))
        throw DriverError("the window did not come to the foreground");
    if (window != root)
        focusWindow(window);
}

// Processes started or asked about, kept open so their exit codes stay readable.
std::map<DWORD, HANDLE>& knownProcesses() {
    static std::map<DWORD, HANDLE> processes;
    return processes;
}

HANDLE processHandle(DWORD pid) {
    auto found = knownProcesses().find(pid);
    if (found != knownProcesses().end())
        return found->second;
    HANDLE process =
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, pid);
    if (!process)
        throw DriverError("no such process");
    knownProcesses()[pid] = process;
    return process;
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

const char* const missingProfileValue = "\x7f missing \x7f";

using Command = std::function<std::string(Args&)>;

std::string listWindows(Args& args) {
    const std::optional<DWORD> pid =
        args.more() ? std::optional<DWORD>(static_cast<DWORD>(args.number())) : std::nullopt;
    args.end();
    std::vector<std::string> items;
    for (HWND window : topLevelWindows()) {
        if (!pid || *pid == windowProcess(window))
            items.push_back(describeWindow(window));
    }
    return jsonArray(items);
}

std::string listChildren(Args& args) {
    HWND parent = args.window();
    args.end();
    std::vector<std::string> items;
    for (HWND window : descendantWindows(parent))
        items.push_back(describeWindow(window));
    return jsonArray(items);
}

std::string waitForWindow(Args& args) {
    const WindowPath path = args.path();
    const long long timeoutMs = args.number();
    args.end();
    HWND found = nullptr;
    if (!pollUntil([&] { return (found = findWindow(path)) != nullptr; }, timeoutMs))
        throw DriverError("timeout");
    return handleJson(found);
}

// A handle counts as gone once it is destroyed or hidden, as a user sees it.
std::string waitUntilGone(Args& args) {
    const WindowPath path = args.path();
    const long long timeoutMs = args.number();
    args.end();
    auto gone = [&] {
        HWND window = findWindow(path);
        return !window || (path.levels.empty() && !IsWindowVisible(window));
    };
    if (!pollUntil(gone, timeoutMs))
        throw DriverError("timeout");
    return "";
}

std::string messageBox(Args& args) {
    HWND box = args.window();
    args.end();
    std::vector<std::string> texts;
    std::vector<std::string> buttons;
    for (HWND child : descendantWindows(box)) {
        const std::string kind = windowClass(child);
        const std::string caption = windowCaption(child);
        if (kind == "Button")
            buttons.push_back(jsonText(caption));
        else if (kind == "Static" && !caption.empty() &&
                 (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
            texts.push_back(caption);
    }
    std::string text;
    for (const std::string& line : texts)
        text += (text.empty() ? "" : "\n") + line;
    return JsonObject()
        .number("hwnd", reinterpret_cast<INT_PTR>(box))
        .text("caption", windowCaption(box))
        .text("text", text)
        .raw("buttons", jsonArray(buttons))
        .str();
}

// Answers a dialog as its button would: WM_COMMAND with the button's id.
std::string answerBox(Args& args) {
    HWND box = args.window();
    const std::string wanted = withoutAmpersands(args.text());
    args.end();
    for (HWND child : descendantWindows(box)) {
        if (windowClass(child) == "Button" && withoutAmpersands(windowCaption(child)) == wanted) {
            PostMessageA(GetParent(child), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), BN_CLICKED),
                         reinterpret_cast<LPARAM>(child));
            return "";
        }
    }
    throw DriverError("no button " + wanted);
}

// Wine hands CB_GETLBTEXT from another process back in UTF-16 even to the
// ANSI call, so the item is read wide and converted here.
std::string comboItem(HWND combo, LRESULT index) {
    const LRESULT length = sendTo(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0)
        return "";
    std::wstring item(static_cast<size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                             reinterpret_cast<LPARAM>(item.data()), SMTO_ABORTIFHUNG,
                             answerTimeoutMs, &copied))
        throw DriverError("the window did not answer");
    item.resize(static_cast<LRESULT>(copied) > 0 ? static_cast<size_t>(copied) : 0);
    std::string ansi(item.size() * 2, '\0');
    ansi.resize(static_cast<size_t>(
        WideCharToMultiByte(CP_ACP, 0, item.data(), static_cast<int>(item.size()), ansi.data(),
                            static_cast<int>(ansi.size()), nullptr, nullptr)));
    return ansi;
}

std::string comboState(Args& args) {
    HWND combo = args.window();
    args.end();
    const LRESULT index = sendTo(combo, CB_GETCURSEL, 0, 0);
    const LRESULT count = sendTo(combo, CB_GETCOUNT, 0, 0);
    std::vector<std::string> items;
    std::string selected;
    for (LRESULT i = 0; i < count; ++i) {
        const std::string item = comboItem(combo, i);
        if (i == index)
            selected = item;
        items.push_back(jsonText(item));
    }
    return JsonObject()
        .number("index", index)
        .text("text", selected)
        .number("count", count)
        .raw("items", jsonArray(items))
        .str();
}

// Selects as the user would: the change notification follows, posted so that
// a handler opening a box cannot hold the driver.
std::string selectItem(Args& args) {
    HWND combo = args.window();
    const long long index = args.number();
    args.end();
    if (sendTo(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0) != index)
        throw DriverError("no such item");
    PostMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    return "";
}

std::string focusedWindow(Args& args) {
    HWND window = args.window();
    args.end();
    const GUITHREADINFO info = threadInfo(window);
    JsonObject json;
    json.number("focus", reinterpret_cast<INT_PTR>(info.hwndFocus))
        .number("active", reinterpret_cast<INT_PTR>(info.hwndActive))
        .number("capture", reinterpret_cast<INT_PTR>(info.hwndCapture))
        .number("foreground", reinterpret_cast<INT_PTR>(GetForegroundWindow()));
    if (info.hwndFocus) {
        json.text("class", windowClass(info.hwndFocus))
            .number("id", GetDlgCtrlID(info.hwndFocus))
            .number("focusRoot", reinterpret_cast<INT_PTR>(GetAncestor(info.hwndFocus, GA_ROOT)));
    }
    return json.str();
}

std::string windowRects(Args& args) {
    HWND window = args.window();
    args.end();
    RECT outer{};
    GetWindowRect(window, &outer);
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return JsonObject().raw("window", rectJson(outer)).raw("client", rectJson(client)).str();
}

// The extent of the window's text as one line with its accelerator mark, in
// the windows' 8-point face at a height in pixels: what a button or a check box
// shows. (A font of another process cannot be selected here.)
std::string textExtent(Args& args) {
    HWND window = args.window();
    const auto height = static_cast<int>(args.number());
    args.end();
    const std::string text = windowCaption(window);
    HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             VARIABLE_PITCH | FF_SWISS, "Microsoft Sans Serif");
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    RECT extent{0, 0, 0, 0};
    DrawTextA(dc, text.c_str(), -1, &extent, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    return JsonObject().number("width", extent.right).number("height", extent.bottom).str();
}

std::string dropOnWindow(Args& args) {
    HWND window = args.window();
    const std::vector<std::string> files = args.rest();
    if (files.empty())
        throw DriverError("no files to drop");
    dropFiles(window, files, POINT{10, 10});
    return "";
}

std::string startProcess(Args& args) {
    const std::string program = args.text();
    const std::string arguments = args.text("");
    std::string folder = args.text(folderOf(program));
    args.end();
    std::string commandLine = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    // A console program gets a console of its own, as when the shell starts it;
    // in the driver's console it would write into the answers.
    auto create = [&] {
        return CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                              CREATE_NEW_CONSOLE, nullptr,
                              folder.empty() ? nullptr : folder.c_str(), &startup, &started);
    };
    bool created = create();
    // Wine's own start of a process (its loader) fails now and then on a busy
    // machine with an internal error, before any code of the program runs: once more.
    if (!created && GetLastError() == ERROR_INTERNAL_ERROR) {
        std::fprintf(stderr, "kdriver: starting %s failed inside Wine; trying once more\n",
                     program.c_str());
        Sleep(500);
        created = create();
    }
    if (!created)
        throw DriverError("CreateProcess failed with error " + std::to_string(GetLastError()));
    CloseHandle(started.hThread);
    knownProcesses()[started.dwProcessId] = started.hProcess;
    return std::to_string(started.dwProcessId);
}

std::string waitForExit(Args& args) {
    HANDLE process = processHandle(static_cast<DWORD>(args.number()));
    const long long timeoutMs = args.number();
    args.end();
    if (WaitForSingleObject(process, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0)
        throw DriverError("timeout");
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    return std::to_string(code);
}

std::string killProcess(Args& args) {
    const DWORD pid = static_cast<DWORD>(args.number());
    args.end();
    HANDLE process = processHandle(pid);
    if (WaitForSingleObject(process, 0) != WAIT_OBJECT_0) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, answerTimeoutMs);
    }
    CloseHandle(process);
    knownProcesses().erase(pid);
    return "";
}

std::string listProcesses(Args& args) {
    args.end();
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        throw DriverError("no process snapshot");
    std::vector<std::string> items;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
        items.push_back(JsonObject()
                            .number("pid", entry.th32ProcessID)
                            .number("parent", entry.th32ParentProcessID)
                            .text("exe", entry.szExeFile)
                            .str());
    }
    CloseHandle(snapshot);
    return jsonArray(items);
}

// "W action x y", handed to one way of delivering the mouse.
template <class Deliver> std::string mouseCommand(Args& args, Deliver deliver) {
    HWND window = args.window();
    const std::string action = args.text();
    const int x = static_cast<int>(args.number());
    const int y = static_cast<int>(args.number());
    args.end();
    deliver(window, action, x, y);
    return std::string();
}

std::string readProfile(Args& args) {
    const std::string file = args.text();
    const std::string section = args.text();
    const std::string key = args.text();
    args.end();
    std::string value(32768, '\0');
    value.resize(GetPrivateProfileStringA(section.c_str(), key.c_str(), missingProfileValue,
                                          value.data(), static_cast<DWORD>(value.size()),
                                          file.c_str()));
    return value == missingProfileValue ? "null" : jsonText(value);
}

// A system colour (GetSysColor's index) as [r, g, b], as the programs draw it now.
std::string systemColor(Args& args) {
    const int index = static_cast<int>(args.number());
    args.end();
    const COLORREF color = GetSysColor(index);
    char json[32];
    std::snprintf(json, sizeof json, "[%u, %u, %u]", GetRValue(color), GetGValue(color),
                  GetBValue(color));
    return json;
}

// The driver's ANSI and OEM code pages. Wine takes them from the Unix locale,
// which every process the driver starts inherits.
std::string codePages(Args& args) {
    args.end();
    // The locale's, not this process's (UTF-8 by its manifest).
    auto localePage = [](LCTYPE type) {
        char number[8] = {};
        GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, type, number, sizeof number);
        return std::atoll(number);
    };
    return JsonObject()
        .number("ansi", localePage(LOCALE_IDEFAULTANSICODEPAGE))
        .number("oem", localePage(LOCALE_IDEFAULTCODEPAGE))
        .str();
}

// The 8.3 form of an existing path, as the program's scripts name files; null when none.
std::string shortPath(Args& args) {
    const std::string path = args.text();
    args.end();
    char buffer[MAX_PATH] = {};
    const DWORD length = GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return "null";
    return jsonText(std::string(buffer, length));
}

std::string writeProfile(Args& args, bool remove) {
    const std::string file = args.text();
    const std::string section = args.text();
    const std::string key = args.text();
    const std::string value = remove ? std::string() : args.text();
    args.end();
    if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), remove ? nullptr : value.c_str(),
                                    file.c_str()))
        throw DriverError("profile write failed");
    return "";
}

// A command that takes one window and nothing else.
Command onWindow(std::string (*command)(HWND)) {
    return [command](Args& args) {
        HWND window = args.window();
        args.end();
        return command(window);
    };
}

const std::map<std::string, Command>& commands() {
    static const std::map<std::string, Command> table = {
        {"ping",
         [](Args& a) {
             a.end();
             return std::string("\"pong\"");
         }},
        {"windows", listWindows},
        {"children", listChildren},
        {"find",
         [](Args& a) {
             HWND w = a.window();
             a.end();
             return handleJson(w);
         }},
        {"info",
         [](Args& a) {
             HWND w = a.window();
             a.end();
             return describeWindow(w);
         }},
        {"wait", waitForWindow},
        {"gone", waitUntilGone},
        {"text",
         [](Args& a) {
             HWND w = a.window();
             a.end();
             return jsonText(liveText(w));
         }},
        {"settext",
         [](Args& a) {
             HWND w = a.window();
             const std::string text = a.text();
             a.end();
             sendTo(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
             return std::string();
         }},
        {"check",
         [](Args& a) {
             HWND w = a.window();
             a.end();
             return std::to_string(sendTo(w, BM_GETCHECK, 0, 0));
         }},
        {"click",
         [](Args& a) {
             HWND w = a.window();
             a.end();
             PostMessageA(w, BM_CLICK, 0, 0);
             return std::string();
         }},
        {"command",
         [](Args& a) {
             HWND w = a.window();
             const WORD code = static_cast<WORD>(a.more() ? a.number() : BN_CLICKED);
             a.end();
             PostMessageA(GetParent(w), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(w), code),
                          reinterpret_cast<LPARAM>(w));
             return std::string();
         }},
        {"mouse", [](Args& a) { return mouseCommand(a, postMouse); }},
        {"input-mouse", [](Args& a) { return mouseCommand(a, sendMouseInput); }},
        {"key",
         [](Args& a) {
             HWND w = a.window();
             const KeyStroke key = parseKeyStroke(a.text());
             a.end();
             postKey(keyTarget(w), key.vk);
             return std::string();
         }},
        {"syskey",
         [](Args& a) {
             HWND w = a.window();
             const KeyStroke key = parseKeyStroke(a.text());
             a.end();
             postSysKey(keyTarget(w), key.vk);
             return std::string();
         }},
        {"chars",
         [](Args& a) {
             HWND w = a.window();
             const std::string text = a.text();
             a.end();
             postChars(keyTarget(w), text);
             return std::string();
         }},
        {"input-key",
         [](Args& a) {
             HWND w = a.window();
             const KeyStroke key = parseKeyStroke(a.text());
             a.end();
             bringToFront(w);
             sendKeyInput(key);
             return std::string();
         }},
        {"focus",
         [](Args& a) {
             HWND w = a.window();
             a.end();
             return std::string(focusWindow(w) ? "true" : "false");
         }},
        {"focused", focusedWindow},
        {"foreground",
         [](Args& a) {
             HWND w = a.window();
             a.end();
             bringToFront(w);
             return std::string();
         }},
        {"msgbox", messageBox},
        {"accessible", onWindow(describeAccessible)},
        {"accdo", onWindow(doDefaultAction)},
        {"listen",
         [](Args& a) {
             const auto process = static_cast<DWORD>(a.number());
             a.end();
             listenTo(process);
             return std::string();
         }},
        {"heard",
         [](Args& a) {
             a.end();
             return heardEvents();
         }},
        {"answer", answerBox},
        {"combo", comboState},
        {"select", selectItem},
        {"rect", windowRects},
        {"textsize", textExtent},
        {"close",
         [](Args& a) {
             HWND w = a.window();
             a.end();
             PostMessageA(w, WM_CLOSE, 0, 0);
             return std::string();
         }},
        {"drop", dropOnWindow},
        {"start", startProcess},
        {"exitcode", waitForExit},
        {"kill", killProcess},
        {"processes", listProcesses},
        {"getprofile", readProfile},
        {"shortpath", shortPath},
        {"syscolor", systemColor},
        {"codepages", codePages},
        {"setprofile", [](Args& a) { return writeProfile(a, false); }},
        {"delprofile", [](Args& a) { return writeProfile(a, true); }},
    };
    return table;
}

std::string oneLine(std::string text) {
    for (char& c : text) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return text;
}

void answer(const std::string& line) {
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace

} // namespace korimba::e2e

int main() {
    using namespace korimba::e2e;
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    std::string line;
    while (std::getline(std::cin, line)) {
        const std::vector<Token> tokens = tokenize(line);
        if (tokens.empty())
            continue;
        if (tokens.front().text == "quit") {
            answer("OK");
            break;
        }
        try {
            const auto command = commands().find(tokens.front().text);
            if (command == commands().end())
                throw DriverError("unknown command " + tokens.front().text);
            Args args(tokens);
            const std::string result = command->second(args);
            answer(result.empty() ? "OK" : "OK " + result);
        } catch (const std::exception& error) {
            answer("ERR " + oneLine(error.what()));
        }
    }
    return 0;
}
