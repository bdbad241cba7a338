#pragma once
// A small owner of a system handle, so that every way out of a function
// gives the handle back: `Release` says what "none" is and how to give one
// back. OwnedFile closes a file handle.
#include <windows.h>

#include <utility>

namespace korimba::platform::win32 {

template <class Handle, class Release> class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    ~Owned() {
        if (*this)
            Release::release(handle_);
    }
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, Release::none())) {}
    Owned& operator=(Owned&& other) noexcept {
        std::swap(handle_, other.handle_);
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Release::none(); }
    // Gives the handle back now; false when that failed (a file's last write).
    bool close() { return !*this || Release::release(std::exchange(handle_, Release::none())); }

private:
    Handle handle_ = Release::none();
};

struct FileRelease {
    static HANDLE none() { return INVALID_HANDLE_VALUE; }
    static bool release(HANDLE file) { return CloseHandle(file) != 0; }
};
using OwnedFile = Owned<HANDLE, FileRelease>;

} // namespace korimba::platform::win32
