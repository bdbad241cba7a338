#pragma once
// Colours, fonts and brushes of the model as GDI objects, made once and kept.
#include "platform/win32/Owned.h"
#include "ui/Types.h"

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

namespace korimba::ui::win32 {

// A model colour as GDI takes it; system colours are looked up now.
COLORREF colorRef(Color color);

class GdiObjects {
public:
    GdiObjects() = default;
    ~GdiObjects();
    GdiObjects(const GdiObjects&) = delete;
    GdiObjects& operator=(const GdiObjects&) = delete;

    HFONT font(const Font& font);
    // A solid brush; the system's own brush for a system colour.
    HBRUSH brush(Color color);

private:
    using FontKey = std::tuple<std::string, int, bool, bool>;
    std::map<FontKey, HFONT> fonts_;
    std::map<Color, HBRUSH> brushes_;
};

// Selects a GDI object into a device context for one scope.
// Owns a GDI object (a pen, a brush, a bitmap): deleted when it goes.
struct GdiRelease {
    static HGDIOBJ none() { return nullptr; }
    static bool release(HGDIOBJ object) { return DeleteObject(object) != 0; }
};
template <class Object> class OwnedGdi : public platform::win32::Owned<HGDIOBJ, GdiRelease> {
public:
    using Owned::Owned;
    Object get() const { return static_cast<Object>(Owned::get()); }
};

// A memory device context like `like`, with a bitmap selected into it until it goes.
class MemoryDc {
public:
    MemoryDc(HDC like, HBITMAP bitmap)
        : dc_(CreateCompatibleDC(like)), previous_(SelectObject(dc_, bitmap)) {}
    ~MemoryDc() {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A bitmap of ours in a memory device context of its own; both go with it.
class BitmapDc {
public:
    BitmapDc(HDC like, HBITMAP bitmap) : bitmap_(bitmap), dc_(like, bitmap) {}
    HDC get() const { return dc_.get(); }

private:
    OwnedGdi<HBITMAP> bitmap_; // the DC lets go of it first
    MemoryDc dc_;
};

// The screen's device context, for measuring text, until it goes.
class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() { ReleaseDC(nullptr, dc_); }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(dc_, previous_); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

} // namespace korimba::ui::win32
