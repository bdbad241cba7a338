#pragma once
// The window procedures of the backend's classes, and the subclass procedure put
// on the system's controls.
#include <windows.h>

namespace korimba::ui::win32 {

struct Peer;

LRESULT CALLBACK formProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK panelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK labelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK customControlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK systemControlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The notifications and colour questions of a container's child windows; true when handled.
bool handleChildMessage(Peer& peer, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
// What forms and panels share: their children's notifications and colours, their
// painting and the placing of their children. True when the message was handled.
bool handleContainerMessage(Peer& peer, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                            LRESULT& result);

} // namespace korimba::ui::win32
