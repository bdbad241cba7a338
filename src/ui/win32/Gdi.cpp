#include "ui/win32/Gdi.h"

#include "platform/win32/ScreenText.h"

#include <cstring>

namespace korimba::ui::win32 {

namespace {

int systemColorIndex(Color color) {
    return static_cast<int>(static_cast<std::uint32_t>(color) & 0xFF);
}

// The family of the faces the windows name, so that the font mapper picks a
// look-alike where the face itself is missing (Wine has no "MS Serif"), and
// the face asked of Windows for it.
struct FaceFamily {
    const char* face;
    BYTE family;
    const char* shown = nullptr; // the face itself when not given
};
constexpr FaceFamily kFaceFamilies[] = {
    {"MS Sans Serif", FF_SWISS, platform::win32::kLinkedSansSerif},
    {"MS Serif", FF_ROMAN},
    {"Arial", FF_SWISS},
    {"Times New Roman", FF_ROMAN},
    {"Tahoma", FF_SWISS},
    {"Courier New", FF_MODERN},
};

const FaceFamily* familyOf(const std::string& face) {
    for (const FaceFamily& entry : kFaceFamilies)
        if (face == entry.face)
            return &entry;
    return nullptr;
}

} // namespace

COLORREF colorRef(Color color) {
    if (colors::isSystem(color))
        return GetSysColor(systemColorIndex(color));
    return static_cast<COLORREF>(color) & 0x00FFFFFF;
}

GdiObjects::~GdiObjects() {
    for (auto& entry : fonts_)
        DeleteObject(entry.second);
    for (auto& entry : brushes_)
        DeleteObject(entry.second);
}

HFONT GdiObjects::font(const Font& font) {
    const FontKey key{font.name, font.height, font.italic, font.bold};
    auto found = fonts_.find(key);
    if (found != fonts_.end())
        return found->second;
    LOGFONTA description = {};
    description.lfHeight = font.height;
    description.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    description.lfItalic = font.italic ? TRUE : FALSE;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfOutPrecision = OUT_DEFAULT_PRECIS;
    description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    description.lfQuality = DEFAULT_QUALITY;
    const FaceFamily* family = familyOf(font.name);
    description.lfPitchAndFamily =
        static_cast<BYTE>(VARIABLE_PITCH | (family ? family->family : FF_DONTCARE));
    const char* face = family && family->shown ? family->shown : font.name.c_str();
    std::strncpy(description.lfFaceName, face, LF_FACESIZE - 1);
    HFONT created = CreateFontIndirectA(&description);
    if (!created)
        created = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    else
        fonts_.emplace(key, created);
    return created;
}

HBRUSH GdiObjects::brush(Color color) {
    if (colors::isSystem(color))
        return GetSysColorBrush(systemColorIndex(color));
    auto found = brushes_.find(color);
    if (found != brushes_.end())
        return found->second;
    HBRUSH created = CreateSolidBrush(colorRef(color));
    brushes_.emplace(color, created);
    return created;
}

} // namespace korimba::ui::win32
