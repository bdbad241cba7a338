#include "Input.h"

#include "WindowQuery.h"

#include <cctype>
#include <vector>

namespace korimba::e2e {

namespace {

struct NamedKey {
    const char* name;
    WORD vk;
};

constexpr NamedKey namedKeys[] = {
    {"RETURN", VK_RETURN}, {"ENTER", VK_RETURN}, {"TAB", VK_TAB},     {"ESCAPE", VK_ESCAPE},
    {"ESC", VK_ESCAPE},    {"SPACE", VK_SPACE},  {"BACK", VK_BACK},   {"DELETE", VK_DELETE},
    {"HOME", VK_HOME},     {"END", VK_END},      {"LEFT", VK_LEFT},   {"RIGHT", VK_RIGHT},
    {"UP", VK_UP},         {"DOWN", VK_DOWN},    {"PRIOR", VK_PRIOR}, {"NEXT", VK_NEXT},
    {"INSERT", VK_INSERT}, {"MENU", VK_MENU},    {"SHIFT", VK_SHIFT}, {"CONTROL", VK_CONTROL},
};

std::string upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

WORD parseVirtualKey(const std::string& name) {
    const std::string key = upper(name);
    for (const NamedKey& named : namedKeys) {
        if (key == named.name)
            return named.vk;
    }
    if (key.size() >= 2 && key[0] == 'F' && std::isdigit(static_cast<unsigned char>(key[1]))) {
        const long long number = parseNumber(key.substr(1));
        if (number >= 1 && number <= 24)
            return static_cast<WORD>(VK_F1 + number - 1);
    }
    if (key.size() == 1 && std::isalnum(static_cast<unsigned char>(key[0])))
        return static_cast<WORD>(key[0]);
    if (key.rfind("0X", 0) == 0)
        return static_cast<WORD>(parseNumber(name));
    throw DriverError("unknown key: " + name);
}

LPARAM keyData(WORD vk, bool alt, bool release) {
    LPARAM data = 1 | static_cast<LPARAM>(MapVirtualKeyA(vk, 0) & 0xff) << 16;
    if (alt)
        data |= 1L << 29;
    if (release)
        data |= (1L << 30) | (1UL << 31);
    return data;
}

INPUT keyInput(WORD vk, bool release) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
    input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
    return input;
}

INPUT buttonInput(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

void sendInputs(std::vector<INPUT> inputs) {
    if (SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) != inputs.size())
        throw DriverError("SendInput failed");
}

} // namespace

KeyStroke parseKeyStroke(const std::string& text) {
    KeyStroke stroke;
    std::string rest = text;
    for (size_t plus; (plus = rest.find('+')) != std::string::npos && plus + 1 < rest.size();) {
        const std::string modifier = upper(rest.substr(0, plus));
        if (modifier == "SHIFT")
            stroke.shift = true;
        else if (modifier == "CTRL")
            stroke.control = true;
        else if (modifier == "ALT")
            stroke.alt = true;
        else
            throw DriverError("unknown modifier: " + modifier);
        rest = rest.substr(plus + 1);
    }
    stroke.vk = parseVirtualKey(rest);
    return stroke;
}

void postKey(HWND target, WORD vk) {
    PostMessageA(target, WM_KEYDOWN, vk, keyData(vk, false, false));
    PostMessageA(target, WM_KEYUP, vk, keyData(vk, false, true));
}

void postSysKey(HWND target, WORD vk) {
    PostMessageA(target, WM_SYSKEYDOWN, vk, keyData(vk, true, false));
    PostMessageA(target, WM_SYSKEYUP, vk, keyData(vk, true, true));
}

void postChars(HWND target, const std::string& text) {
    for (const char c : text)
        PostMessageA(target, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void sendKeyInput(const KeyStroke& key) {
    std::vector<WORD> modifiers;
    if (key.control)
        modifiers.push_back(VK_CONTROL);
    if (key.shift)
        modifiers.push_back(VK_SHIFT);
    if (key.alt)
        modifiers.push_back(VK_MENU);
    std::vector<INPUT> inputs;
    for (WORD vk : modifiers)
        inputs.push_back(keyInput(vk, false));
    inputs.push_back(keyInput(key.vk, false));
    inputs.push_back(keyInput(key.vk, true));
    for (auto vk = modifiers.rbegin(); vk != modifiers.rend(); ++vk)
        inputs.push_back(keyInput(*vk, true));
    sendInputs(inputs);
}

void postMouse(HWND target, const std::string& action, int x, int y) {
    const LPARAM at = MAKELPARAM(x, y);
    if (action == "move") {
        PostMessageA(target, WM_MOUSEMOVE, 0, at);
    } else if (action == "down") {
        PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
    } else if (action == "up") {
        PostMessageA(target, WM_LBUTTONUP, 0, at);
    } else if (action == "click") {
        PostMessageA(target, WM_MOUSEMOVE, 0, at);
        PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(target, WM_LBUTTONUP, 0, at);
    } else if (action == "dblclick") {
        PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(target, WM_LBUTTONUP, 0, at);
        PostMessageA(target, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        PostMessageA(target, WM_LBUTTONUP, 0, at);
    } else if (action == "rclick") {
        PostMessageA(target, WM_RBUTTONDOWN, MK_RBUTTON, at);
        PostMessageA(target, WM_RBUTTONUP, 0, at);
    } else {
        throw DriverError("unknown mouse action: " + action);
    }
}

void sendMouseInput(HWND target, const std::string& action, int x, int y) {
    POINT at{x, y};
    ClientToScreen(target, &at);
    if (!SetCursorPos(at.x, at.y))
        throw DriverError("SetCursorPos failed");
    const INPUT leftDown = buttonInput(MOUSEEVENTF_LEFTDOWN);
    const INPUT leftUp = buttonInput(MOUSEEVENTF_LEFTUP);
    if (action == "move")
        return;
    if (action == "down")
        sendInputs({leftDown});
    else if (action == "up")
        sendInputs({leftUp});
    else if (action == "click")
        sendInputs({leftDown, leftUp});
    else if (action == "dblclick")
        sendInputs({leftDown, leftUp, leftDown, leftUp});
    else if (action == "rclick")
        sendInputs({buttonInput(MOUSEEVENTF_RIGHTDOWN), buttonInput(MOUSEEVENTF_RIGHTUP)});
    else
        throw DriverError("unknown mouse action: " + action);
}

} // namespace korimba::e2e
