#pragma once
// Names as the command interpreter reads them. It reads a job script in the
// console's (OEM) code page, not the ANSI one the program works in: "Café"
// written in code page 1252 runs as "CafΘ" in 437. So a name beyond ASCII
// reaches it by its short (8.3) form, which is ASCII; where a volume makes no
// short names, in its OEM form when every character has one; otherwise the
// job is refused. Never a replacement "?", which is a wildcard to it.
#include "jobs/PathRules.h"
#include "platform/Platform.h"

#include <string>
#include <string_view>

namespace korimba::jobs {

bool isAscii(std::string_view text);

class ScriptNames {
public:
    ScriptNames(const platform::FileSystem& files, const platform::Process& process,
                const paths::CodePage& codePage)
        : files_(files), process_(process), codePage_(codePage) {}

    // A path as the interpreter must read it: itself when ASCII; else the short
    // form of it (or, when it does not exist yet, of its folder, with its name);
    // else its OEM form. "" when it has none; refusal() then says why.
    std::string path(const std::string& path);
    // A name without a folder, for a command that gives a file its name: itself
    // when ASCII, else its OEM form; `whole` is the path named in a refusal.
    std::string name(const std::string& name, const std::string& whole);
    // The message for the first path that could not be named; "" when none.
    const std::string& refusal() const { return refusal_; }

private:
    std::string shortAscii(const std::string& path) const;
    std::string oem(const std::string& text, const std::string& whole);

    const platform::FileSystem& files_;
    const platform::Process& process_;
    paths::CodePage codePage_;
    std::string refusal_;
};

// The message that refuses a job because of a name.
std::string unnameableMessage(const std::string& path, const std::string& character);

} // namespace korimba::jobs
