#pragma once
// Native to model: what child windows report to their parent, and focus arriving.
// Each change goes through the model's setter so that its events fire; a report
// that matches the model already changes nothing, so nothing echoes back.
#include "ui/Control.h"
#include "ui/win32/Gdi.h"

#include <windows.h>

namespace korimba::ui::win32 {

// WM_COMMAND from a child: EN_CHANGE, BN_CLICKED, CBN_SELCHANGE.
void childCommand(Control& child, HWND window, UINT code);
// The keyboard focus arrived in a control's window.
void focusArrived(Control& control);
// WM_CTLCOLOR*: the child's font colour on its own background.
LRESULT childColors(GdiObjects& gdi, const Control& child, HDC dc);

} // namespace korimba::ui::win32
