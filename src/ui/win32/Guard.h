#pragma once
// Window procedures call into program code only through guarded(): no C++ exception
// may unwind through the system's message dispatch.
#include "ui/Application.h"

#include <exception>

namespace korimba::ui::win32 {

// Shows an error that escaped the model's own dispatcher; never throws.
void reportEscapedError(const char* text) noexcept;

template <class Action> void guarded(Action&& action) noexcept {
    try {
        action();
    } catch (const Terminated&) {
        // The program is ending: nothing to report.
    } catch (const std::exception& error) {
        reportEscapedError(error.what());
    } catch (...) {
        reportEscapedError(nullptr);
    }
}

} // namespace korimba::ui::win32
