#pragma once
// Where the children of a container go. Pure arithmetic on the model, shared by
// the placing of child windows and the painting of windowless controls.
#include "ui/Control.h"
#include "ui/Scale.h"

#include <vector>

namespace korimba::ui::win32 {

// The part of a container's client area that aligned children share: all of it,
// less a panel's bevel.
Rect alignmentArea(const Control& container, int clientWidth, int clientHeight);

// One rectangle per child, in children() order. Visible aligned children share out
// the area as the classic layout does: the top ones first (in child order), then the
// left ones, then a client one takes what is left. Other children keep their bounds.
std::vector<Rect> arrangeChildren(const Control& container, const Rect& area);

// The same in a client area of the screen at a scale: laid out as designed in
// the area the client is at 96 dpi, then each rectangle scaled by its edges.
std::vector<Rect> shownPlaces(const Control& container, int clientWidth, int clientHeight,
                              const Scale& scale);

} // namespace korimba::ui::win32
