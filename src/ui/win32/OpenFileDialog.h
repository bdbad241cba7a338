#pragma once
// How the model's open-file dialog settings read as the system dialog wants them.
#include <string>

namespace korimba::ui::win32 {

// "Name|pattern|Name|pattern" as NUL-separated pairs ending in a double NUL;
// empty for no filter.
std::string systemFilter(const std::string& filter);
// The default extension without a leading "*." ("*.wav" gives "wav").
std::string systemDefaultExtension(const std::string& defaultExt);
// The OFN_* flags of the model's options.
unsigned long systemOpenFlags(unsigned options);

} // namespace korimba::ui::win32
