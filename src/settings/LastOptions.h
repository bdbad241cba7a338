#pragma once
// options.ini: the main window's last-used options, five lines.
#include "ui/Controls.h"
#include "ui/TextLines.h"

namespace korimba::settings {

// The main window's controls that options.ini keeps; the main window registers them.
struct LastOptionControls {
    ui::CheckBox& highQuality;
    ui::CheckBox& mono;
    ui::CheckBox& crc;
    ui::ComboBox& bitRate;
    ui::CheckBox& viewCoding;
};

extern LastOptionControls* MainWindowOptions;

// Applies the lines in order; a fourth line that is no integer throws
// "'%s' is not a valid integer value" after the first three are applied.
void applyLastOptions(const ui::TextLines& lines, LastOptionControls& controls);
// The five lines as the close of the main window stores them.
ui::TextLines lastOptionLines(const LastOptionControls& controls);

// "Yes" or "No".
const char* yesNo(bool value);
// The conversion of a line to an integer, as the settings files need it.
int toInteger(const std::string& text);

} // namespace korimba::settings
