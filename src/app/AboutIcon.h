#pragma once
#include "ui/Bitmap.h"

namespace korimba::app {

// The about box's 32 x 32, 16-colour picture: a navy note on the box's grey.
ui::Bitmap aboutIcon();

} // namespace korimba::app
