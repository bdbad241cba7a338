#pragma once
// Names written into a job script are read by the command interpreter, for
// which "%" and, outside double quotes, "^ & | < >" are its own: a name such
// as "100% R&B.wav" would otherwise delete or run something else. Escaping
// makes the interpreter read the name back exactly; names without those
// characters come out unchanged. The second byte of a double-byte character is
// never escaped: the interpreter reads the character whole.
#include "jobs/PathRules.h"

#include <string>

namespace korimba::jobs {

// For a name standing outside double quotes.
std::string escapeUnquoted(const std::string& path, const text::CodePage& codePage = {});
// For a name standing inside double quotes: only "%" is doubled.
std::string escapeQuoted(const std::string& path, const text::CodePage& codePage = {});
// A double quote, the name escaped for inside quotes, and a double quote.
std::string quotedPath(const std::string& path, const text::CodePage& codePage = {});

} // namespace korimba::jobs
