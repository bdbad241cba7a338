#pragma once
// A drop of files from the shell (WM_DROPFILES) as the model reads it.
#include "ui/Form.h"

#include <windows.h>
#include <shellapi.h>

#include <cstddef>
#include <vector>

namespace korimba::ui::win32 {

// DragQueryFileA walks the block from its first name for every call (and for
// the count), which makes reading a drop of thousands of files take seconds,
// and cuts a name to its buffer's bytes, which in UTF-8 is a third of the
// characters Windows allows. The block is walked once here instead, and each
// name read whole.
class NativeDrop final : public DroppedFiles {
public:
    explicit NativeDrop(HDROP drop) : drop_(drop) {}
    // A handler that stopped half-way has not released the drop; this does.
    ~NativeDrop() override { finish(); }
    NativeDrop(const NativeDrop&) = delete;
    NativeDrop& operator=(const NativeDrop&) = delete;

    int count() override;
    std::string name(int index) override;
    void finish() override;

private:
    // Locks the block and finds where each name starts, on the first read.
    void index();

    HDROP drop_;
    bool finished_ = false;       // the handle is gone after DragFinish
    const char* block_ = nullptr; // locked while indexed
    bool wide_ = false;
    std::vector<std::size_t> starts_; // byte offsets of the names in the block
};

} // namespace korimba::ui::win32
