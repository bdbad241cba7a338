#include "WindowQuery.h"

#include <cstdlib>

namespace korimba::e2e {

namespace {

BOOL CALLBACK collectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

bool parseFlag(const std::string& text) {
    if (text == "1" || text == "true")
        return true;
    if (text == "0" || text == "false")
        return false;
    throw DriverError("not a flag: " + text);
}

WindowCriteria parseCriterion(WindowCriteria criteria, const std::string& token) {
    const size_t equals = token.find('=');
    if (equals == std::string::npos || equals == 0)
        throw DriverError("expected key=value in window path: " + token);
    const std::string key = token.substr(0, equals);
    const std::string value = token.substr(equals + 1);
    if (key == "hwnd")
        criteria.hwnd = reinterpret_cast<HWND>(static_cast<INT_PTR>(parseNumber(value)));
    else if (key == "pid")
        criteria.pid = static_cast<DWORD>(parseNumber(value));
    else if (key == "class")
        criteria.className = value;
    else if (key == "caption")
        criteria.caption = value;
    else if (key == "caption~")
        criteria.captionContains = value;
    else if (key == "id")
        criteria.id = static_cast<int>(parseNumber(value));
    else if (key == "index")
        criteria.index = static_cast<int>(parseNumber(value));
    else if (key == "visible")
        criteria.visible = parseFlag(value);
    else if (key == "enabled")
        criteria.enabled = parseFlag(value);
    else
        throw DriverError("unknown window key: " + key);
    return criteria;
}

HWND nthMatch(const std::vector<HWND>& candidates, const WindowCriteria& criteria) {
    int seen = 0;
    for (HWND window : candidates) {
        if (criteria.matches(window) && seen++ == criteria.index)
            return window;
    }
    return nullptr;
}

} // namespace

bool WindowCriteria::matches(HWND window) const {
    if (hwnd && *hwnd != window)
        return false;
    if (pid && *pid != windowProcess(window))
        return false;
    if (className && *className != windowClass(window))
        return false;
    if (caption || captionContains) {
        const std::string text = windowCaption(window);
        if (caption && *caption != text)
            return false;
        if (captionContains && text.find(*captionContains) == std::string::npos)
            return false;
    }
    if (id && *id != GetDlgCtrlID(window))
        return false;
    if (visible && *visible != (IsWindowVisible(window) != FALSE))
        return false;
    if (enabled && *enabled != (IsWindowEnabled(window) != FALSE))
        return false;
    return true;
}

long long parseNumber(const std::string& text) {
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 0);
    if (text.empty() || *end != '\0')
        throw DriverError("not a number: " + text);
    return value;
}

WindowPath parseWindowPath(const std::vector<Token>& tokens, size_t& pos) {
    if (pos >= tokens.size())
        throw DriverError("missing window argument");
    WindowPath path;
    if (!(tokens[pos].bare && tokens[pos].text == "[")) {
        path.handle = reinterpret_cast<HWND>(static_cast<INT_PTR>(parseNumber(tokens[pos++].text)));
        return path;
    }
    ++pos;
    WindowCriteria level;
    for (;; ++pos) {
        if (pos >= tokens.size())
            throw DriverError("window path without closing ]");
        const Token& token = tokens[pos];
        if (token.bare && (token.text == ">" || token.text == "]")) {
            path.levels.push_back(level);
            level = WindowCriteria{};
            if (token.text == "]")
                break;
        } else {
            level = parseCriterion(level, token.text);
        }
    }
    ++pos;
    return path;
}

HWND findWindow(const WindowPath& path) {
    if (path.levels.empty())
        return IsWindow(path.handle) ? path.handle : nullptr;
    HWND found = nthMatch(topLevelWindows(), path.levels.front());
    for (size_t i = 1; found && i < path.levels.size(); ++i)
        found = nthMatch(descendantWindows(found), path.levels[i]);
    return found;
}

HWND requireWindow(const WindowPath& path) {
    HWND window = findWindow(path);
    if (!window)
        throw DriverError("no such window");
    return window;
}

std::vector<HWND> topLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<HWND> descendantWindows(HWND parent) {
    std::vector<HWND> windows;
    EnumChildWindows(parent, collectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::string windowClass(HWND window) {
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string windowCaption(HWND window) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(
        static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

DWORD windowProcess(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

std::string rectJson(const RECT& rect) {
    return jsonArray({std::to_string(rect.left), std::to_string(rect.top),
                      std::to_string(rect.right), std::to_string(rect.bottom)});
}

std::string describeWindow(HWND window) {
    DWORD pid = 0;
    const DWORD tid = GetWindowThreadProcessId(window, &pid);
    RECT rect{};
    GetWindowRect(window, &rect);
    JsonObject json;
    json.number("hwnd", reinterpret_cast<INT_PTR>(window))
        .number("pid", pid)
        .number("tid", tid)
        .text("class", windowClass(window))
        .text("caption", windowCaption(window))
        .flag("visible", IsWindowVisible(window))
        .flag("enabled", IsWindowEnabled(window))
        .raw("rect", rectJson(rect));
    if (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) {
        json.number("id", GetDlgCtrlID(window))
            .number("parent", reinterpret_cast<INT_PTR>(GetParent(window)))
            .number("root", reinterpret_cast<INT_PTR>(GetAncestor(window, GA_ROOT)));
    } else {
        // Wine keeps the X11 window of a top-level window as a property; xdotool needs it.
        json.number("owner", reinterpret_cast<INT_PTR>(GetWindow(window, GW_OWNER)))
            .number("xwindow",
                    reinterpret_cast<INT_PTR>(GetPropA(window, "__wine_x11_whole_window")));
    }
    return json.str();
}

} // namespace korimba::e2e
