#pragma once
// The accelerator of a caption: the character after the first single '&'.
#include <string>

namespace korimba::ui {

// Upper case; 0 when the caption has none ("&&" is a literal '&').
char acceleratorOf(const std::string& caption);

} // namespace korimba::ui
