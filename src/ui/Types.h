#pragma once
// Plain value types of the control model.
#include <cstdint>
#include <string>

namespace korimba::ui {

// A colour as the windows define it: 0x00BBGGRR, or a system colour with the
// high bit set (0x80000000 + COLOR_* index).
using Color = std::int32_t;

namespace colors {
inline constexpr Color Black = 0x000000;
inline constexpr Color Navy = 0x800000;
inline constexpr Color White = 0xFFFFFF;
inline constexpr Color MidGrey = 12369084; // 0xBCBCBC, the field panels
inline constexpr Color ActiveCaption = static_cast<Color>(0x80000002);
inline constexpr Color InactiveCaption = static_cast<Color>(0x80000003);
inline constexpr Color BtnFace = static_cast<Color>(0x8000000F);
inline constexpr Color Window = static_cast<Color>(0x80000005);
inline constexpr Color WindowText = static_cast<Color>(0x80000008);
inline constexpr Color Highlight = static_cast<Color>(0x8000000D);
inline constexpr Color BtnShadow = static_cast<Color>(0x80000010);
inline constexpr Color BtnHighlight = static_cast<Color>(0x80000014);
inline constexpr bool isSystem(Color color) {
    return color < 0;
}
} // namespace colors

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Font {
    std::string name = "MS Sans Serif";
    int height = -11;
    bool italic = false;
    bool bold = false;
    Color color = colors::WindowText;
    bool operator==(const Font&) const = default;
};

// The title font of the windows: "MS Serif", 24 pixels, italic, navy.
inline Font titleFont() {
    return Font{"MS Serif", -24, true, false, colors::Navy};
}

enum class Align { None, Top, Left, Client };
enum class BevelOuter { None, Lowered, Raised };

} // namespace korimba::ui
