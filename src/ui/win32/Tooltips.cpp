#include "ui/win32/Tooltips.h"

#include "ui/Form.h"
#include "ui/win32/Peers.h"

#include <commctrl.h>

namespace korimba::ui::win32 {

namespace {

TTTOOLINFOA toolFor(HWND form, HWND control) {
    TTTOOLINFOA tool = {};
    // The older size, which every version of the common controls accepts.
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = form;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    return tool;
}

HWND tooltipOf(HWND form, FormState& state) {
    if (!state.tooltip)
        state.tooltip =
            CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                            WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr, nullptr, nullptr);
    return state.tooltip;
}

} // namespace

void updateHint(Control& control) {
    HWND window = windowOf(control);
    Form* form = control.form();
    FormState* state = form ? formStateOf(*form) : nullptr;
    if (!window || !state)
        return;
    const bool wanted = control.showHint() && !control.hint().empty();
    if (!wanted && !state->tooltip)
        return;
    HWND tooltip = tooltipOf(windowOf(*form), *state);
    TTTOOLINFOA tool = toolFor(windowOf(*form), window);
    const bool present =
        SendMessageA(tooltip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
    tool = toolFor(windowOf(*form), window);
    std::string text = control.hint();
    tool.lpszText = text.data();
    if (!wanted) {
        if (present)
            SendMessageA(tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    } else if (present) {
        SendMessageA(tooltip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    } else {
        SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

} // namespace korimba::ui::win32
