#include "ui/win32/Guard.h"

#include "ui/Application.h"

namespace korimba::ui::win32 {

void reportEscapedError(const char* text) noexcept {
    try {
        Application::current().showError(text ? text : "Unexpected error");
    } catch (...) {
        // Nothing sensible is left to do when even the error box fails.
    }
}

} // namespace korimba::ui::win32
