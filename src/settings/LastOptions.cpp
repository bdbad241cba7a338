#include "settings/LastOptions.h"

#include "platform/Exception.h"

#include <cctype>
#include <climits>

namespace korimba::settings {

LastOptionControls* MainWindowOptions = nullptr;

const char* yesNo(bool value) {
    return value ? "Yes" : "No";
}

int toInteger(const std::string& text) {
    // Decimal with an optional sign, or "$" hexadecimal, surrounding blanks allowed.
    std::size_t at = 0;
    while (at < text.size() && text[at] == ' ')
        ++at;
    std::size_t end = text.size();
    while (end > at && text[end - 1] == ' ')
        --end;
    bool negative = false;
    if (at < end && (text[at] == '-' || text[at] == '+'))
        negative = text[at++] == '-';
    int base = 10;
    if (at < end && text[at] == '$') {
        base = 16;
        ++at;
    }
    if (at >= end)
        throw invalidIntegerError(text);
    long long value = 0;
    for (; at < end; ++at) {
        const auto c = static_cast<unsigned char>(text[at]);
        int digit = std::isdigit(c) ? c - '0' : -1;
        if (base == 16 && std::isxdigit(c) && !std::isdigit(c))
            digit = std::tolower(c) - 'a' + 10;
        if (digit < 0 || digit >= base)
            throw invalidIntegerError(text);
        value = value * base + digit;
        if (value > static_cast<long long>(INT_MAX) + 1)
            throw invalidIntegerError(text);
    }
    value = negative ? -value : value;
    if (value > INT_MAX)
        throw invalidIntegerError(text);
    return static_cast<int>(value);
}

void applyLastOptions(const ui::TextLines& lines, LastOptionControls& controls) {
    if (lines.numberedLine(1) == "Yes")
        controls.highQuality.setChecked(true);
    if (lines.numberedLine(2) == "Yes")
        controls.mono.setChecked(true);
    if (lines.numberedLine(3) == "No")
        controls.crc.setChecked(false);
    controls.bitRate.setItemIndex(toInteger(lines.numberedLine(4)));
    if (lines.numberedLine(5) == "Yes")
        controls.viewCoding.setChecked(true);
}

ui::TextLines lastOptionLines(const LastOptionControls& controls) {
    return {yesNo(controls.highQuality.checked()), yesNo(controls.mono.checked()),
            yesNo(controls.crc.checked()), std::to_string(controls.bitRate.itemIndex()),
            yesNo(controls.viewCoding.checked())};
}

} // namespace korimba::settings
