#pragma once
// Optional background bitmaps in the program folder's Images folder, applied by
// each window once, at its creation, while the marker file is there.
#include "ui/Bitmap.h"
#include "widgets/WindowFrame.h"

#include <string>

namespace korimba::settings {

inline constexpr const char* kPackageMarker = "Images\\images.set";
inline constexpr const char* kLeftBitmap = "Images\\left.bmp";
inline constexpr const char* kRightBitmap = "Images\\right.bmp";

bool packageEnabled();
bool packageInstalled();
// Loads one of the package's bitmaps; "Cannot open file %s" or "Bitmap image is not valid".
ui::Bitmap packageBitmap(const char* relativeName);
// The left bitmap on the left picture, the right one on the fields' picture, the
// panels white with the controls that share their colour.
void applyPackage(const widgets::WindowFrame& frame);

} // namespace korimba::settings
