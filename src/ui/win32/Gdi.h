#pragma once
// Colours, fonts and brushes of the model as GDI objects, made once and kept.
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
