#include "ui/Menu.h"
#include "ui/win32/Peers.h"
#include "ui/win32/Win32Backend.h"

#include <vector>

namespace korimba::ui::win32 {

namespace {

// Builds the native menu; command n chooses items[n - 1].
HMENU buildMenu(const std::vector<std::unique_ptr<MenuItem>>& entries,
                std::vector<MenuItem*>& commands) {
    HMENU menu = CreatePopupMenu();
    for (const auto& entry : entries) {
        if (entry->separator()) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        } else if (!entry->items().empty()) {
            HMENU submenu = buildMenu(entry->items(), commands);
            AppendMenuA(menu, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu),
                        entry->caption().c_str());
        } else {
            commands.push_back(entry.get());
            AppendMenuA(menu, MF_STRING, commands.size(), entry->caption().c_str());
        }
    }
    return menu;
}

} // namespace

void Win32Backend::popupMenu(PopupMenu& popup, int screenX, int screenY) {
    HWND owner = ownerWindow();
    if (!owner)
        return;
    std::vector<MenuItem*> commands;
    HMENU menu = buildMenu(popup.items(), commands);
    const Point screen = screenScale().device(Point{screenX, screenY});
    const auto chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD,
                       screen.x, screen.y, 0, owner, nullptr));
    // A menu shown for a window that was not in front must see it again (KB135788).
    PostMessageA(owner, WM_NULL, 0, 0);
    DestroyMenu(menu);
    if (chosen >= 1 && chosen <= commands.size())
        commands[chosen - 1]->click();
}

} // namespace korimba::ui::win32
