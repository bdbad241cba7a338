#pragma once
// A drop of files from the shell (WM_DROPFILES) as the model reads it.
#include "ui/Form.h"

#include <windows.h>
#include <shellapi.h>

namespace korimba::ui::win32 {

class NativeDrop final : public DroppedFiles {
public:
    explicit NativeDrop(HDROP drop) : drop_(drop) {}
    // A handler that stopped half-way has not released the drop; this does.
    ~NativeDrop() override { finish(); }
    NativeDrop(const NativeDrop&) = delete;
    NativeDrop& operator=(const NativeDrop&) = delete;

    int count() override;
    std::string name(int index, int bufferSize) override;
    void finish() override;

private:
    HDROP drop_;
    bool finished_ = false; // the handle is gone after DragFinish
};

} // namespace korimba::ui::win32
