#pragma once
// The rules of the text encodings the program meets, for every layer that
// cuts, counts or checks text: how many bytes a character of the ANSI code
// page takes (two for a lead byte of a double-byte code page, whose second
// byte may be 0x5C, the backslash, never to be taken for a separator; one to
// four in UTF-8, where a name is never to be cut inside a character) and what
// well-formed UTF-8 is. Which encodings are in force is the platform's
// (platform::TextEncoding).
#include "platform/Platform.h"

#include <cstddef>
#include <string_view>

namespace korimba::text {

// The length of the well-formed UTF-8 sequence that starts at `at`
// (< text.size()); 0 where none does: a stray or cut byte, an overlong form, a
// surrogate, a code point beyond U+10FFFF.
std::size_t utf8SequenceLength(std::string_view text, std::size_t at);
bool isValidUtf8(std::string_view text);

// The ANSI code page as the path rules and cuts see it. The default is a
// single-byte code page; the program passes its platform's encoding.
class CodePage {
public:
    CodePage() = default;
    explicit CodePage(const platform::TextEncoding& encoding) : encoding_(&encoding) {}
    // The length of the character that starts at `at` (< text.size()), never
    // beyond the text's end; 1 for a byte that starts no whole character.
    std::size_t characterLength(std::string_view text, std::size_t at) const;
    bool isUtf8() const { return encoding_ != nullptr && encoding_->usesUtf8(); }

private:
    const platform::TextEncoding* encoding_ = nullptr;
};

} // namespace korimba::text
