#include "platform/win32/ScreenText.h"

#include "platform/win32/Win32Platform.h"

namespace korimba::platform::win32 {

int drawText(HDC dc, const std::string& text, RECT& rect, UINT flags) {
    std::wstring wide = wideOf(text, CP_ACP);
    // The extended call is the one that knows the end ellipsis.
    if (flags & DT_END_ELLIPSIS)
        return DrawTextExW(dc, wide.data(), static_cast<int>(wide.size()), &rect, flags, nullptr);
    return DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect, flags);
}

} // namespace korimba::platform::win32
