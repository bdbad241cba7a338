#include "ui/win32/DroppedFiles.h"

namespace korimba::ui::win32 {

int NativeDrop::count() {
    if (finished_)
        return 0;
    return static_cast<int>(DragQueryFileA(drop_, 0xFFFFFFFF, nullptr, 0));
}

std::string NativeDrop::name(int index, int bufferSize) {
    if (finished_ || index < 0 || index >= count() || bufferSize <= 0)
        return {};
    std::string buffer(static_cast<std::size_t>(bufferSize), '\0');
    const UINT copied = DragQueryFileA(drop_, static_cast<UINT>(index), buffer.data(),
                                       static_cast<UINT>(bufferSize));
    buffer.resize(copied < static_cast<UINT>(bufferSize) ? copied : 0);
    return buffer;
}

void NativeDrop::finish() {
    if (finished_)
        return;
    finished_ = true;
    DragFinish(drop_);
}

} // namespace korimba::ui::win32
