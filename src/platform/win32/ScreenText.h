#pragma once
// Text of the program's code page on the screen. GDI reads ANSI text in the
// system's code page, not in the one the program's manifest gives it, so a
// name beyond that code page would come out as other characters: text goes to
// GDI in UTF-16, converted here.
#include <windows.h>

#include <string>

namespace korimba::platform::win32 {

// The TrueType face of the same design as the 8-point "MS Sans Serif", which
// Windows links to fonts of other scripts; a bitmap face takes no glyphs from
// others, so a Japanese name would show as boxes.
inline constexpr const char* kLinkedSansSerif = "Microsoft Sans Serif";

// DrawText (DrawTextEx where the flags ask for an end ellipsis).
int drawText(HDC dc, const std::string& text, RECT& rect, UINT flags);

} // namespace korimba::platform::win32
