#include "text/CodePage.h"

namespace korimba::text {

std::size_t utf8SequenceLength(std::string_view text, std::size_t at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    const std::size_t length = byte < 0x80                   ? 1
                               : byte >= 0xC2 && byte <= 0xDF ? 2
                               : byte >= 0xE0 && byte <= 0xEF ? 3
                               : byte >= 0xF0 && byte <= 0xF4 ? 4
                                                              : 0;
    if (length == 0 || at + length > text.size())
        return 0;
    for (std::size_t i = at + 1; i < at + length; ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            return 0;
    // Overlong forms, surrogates and code points beyond U+10FFFF.
    const auto second = static_cast<unsigned char>(length > 1 ? text[at + 1] : 0);
    if ((byte == 0xE0 && second < 0xA0) || (byte == 0xED && second >= 0xA0) ||
        (byte == 0xF0 && second < 0x90) || (byte == 0xF4 && second >= 0x90))
        return 0;
    return length;
}

std::size_t CodePage::characterLength(std::string_view text, std::size_t at) const {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x80 || encoding_ == nullptr)
        return 1;
    if (!encoding_->usesUtf8())
        return encoding_->isLeadByte(byte) && at + 1 < text.size() ? 2 : 1;
    const std::size_t length = utf8SequenceLength(text, at);
    return length > 0 ? length : 1;
}

bool isValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8SequenceLength(text, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

} // namespace korimba::text
