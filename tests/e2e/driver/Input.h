#pragma once
// Keyboard and mouse for the window under test, two ways: messages posted
// straight to the window (no focus or foreground needed), and system input
// through SendInput, which goes where real input would go.
#include <windows.h>

#include <string>

namespace korimba::e2e {

struct KeyStroke {
    WORD vk = 0;
    bool shift = false;
    bool control = false;
    bool alt = false;
};

// "RETURN", "TAB", "F4", "a", "7", "0x41", with optional "shift+", "ctrl+", "alt+".
KeyStroke parseKeyStroke(const std::string& text);

// WM_KEYDOWN and WM_KEYUP; the target's TranslateMessage makes the WM_CHAR.
void postKey(HWND target, WORD vk);
// WM_SYSKEYDOWN and WM_SYSKEYUP with the Alt context bit: an Alt accelerator.
void postSysKey(HWND target, WORD vk);
void postChars(HWND target, const std::string& text);
void sendKeyInput(const KeyStroke& key);

// Actions: move, down, up, click, dblclick, rclick; x and y in client pixels.
void postMouse(HWND target, const std::string& action, int x, int y);
void sendMouseInput(HWND target, const std::string& action, int x, int y);

} // namespace korimba::e2e
