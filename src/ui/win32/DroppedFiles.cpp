#include "ui/win32/DroppedFiles.h"

#include "platform/win32/SystemLibrary.h"
#include "platform/win32/Win32Platform.h"

#include <cstring>
#include <cwchar>

namespace korimba::ui::win32 {

namespace {

// The shell's DROPFILES (shlobj.h), without the OLE headers.
struct DropHeader {
    DWORD pFiles;
    POINT pt;
    BOOL fNC;
    BOOL fWide;
};

} // namespace

void NativeDrop::index() {
    if (block_ || finished_)
        return;
    block_ = static_cast<const char*>(GlobalLock(drop_));
    if (!block_)
        return;
    DropHeader header;
    std::memcpy(&header, block_, sizeof header);
    wide_ = header.fWide != FALSE;
    // The names follow each other, each ended by a null; an empty one ends the list.
    std::size_t at = header.pFiles;
    if (wide_) {
        for (const wchar_t* name = reinterpret_cast<const wchar_t*>(block_ + at); *name;) {
            starts_.push_back(at);
            const std::size_t length = std::wcslen(name) + 1;
            at += length * sizeof(wchar_t);
            name += length;
        }
    } else {
        for (const char* name = block_ + at; *name;) {
            starts_.push_back(at);
            const std::size_t length = std::strlen(name) + 1;
            at += length;
            name += length;
        }
    }
}

int NativeDrop::count() {
    index();
    return finished_ ? 0 : static_cast<int>(starts_.size());
}

std::string NativeDrop::name(int index) {
    if (index < 0 || index >= count())
        return {};
    const char* start = block_ + starts_[static_cast<std::size_t>(index)];
    return wide_ ? platform::win32::ansiOf(reinterpret_cast<const wchar_t*>(start))
                 : std::string(start);
}

void NativeDrop::finish() {
    if (finished_)
        return;
    finished_ = true;
    if (block_)
        GlobalUnlock(drop_);
    block_ = nullptr;
    starts_.clear();
    static const auto dragFinish =
        platform::win32::systemFunction<decltype(DragFinish)>("shell32.dll", "DragFinish");
    if (dragFinish)
        dragFinish(drop_);
    else
        GlobalFree(drop_); // what it does with the block
}

} // namespace korimba::ui::win32
