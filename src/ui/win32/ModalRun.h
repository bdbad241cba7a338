#pragma once
// One modal form running: the top-level windows it disabled, to enable again
// before it hides so that activation can go back to them.
#include "ui/Form.h"

#include <windows.h>

#include <vector>

namespace korimba::ui::win32 {

struct ModalRun {
    // Disables the thread's other visible, enabled top-level windows.
    explicit ModalRun(Form& form);
    ~ModalRun() { release(); }
    ModalRun(const ModalRun&) = delete;
    ModalRun& operator=(const ModalRun&) = delete;

    // Enables them again; only the first call does anything.
    void release();

    Form& form;
    std::vector<HWND> disabled;
};

} // namespace korimba::ui::win32
