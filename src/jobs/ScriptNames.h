#pragma once
// Names as the command interpreter reads them. It reads a job script in the
// console's (OEM) code page, not the ANSI one the program works in: "Café"
// written in code page 1252 runs as "CafΘ" in 437. So a name beyond ASCII
// reaches it by its short (8.3) form, which is ASCII; where a volume makes no
// short names, in its OEM form when every character has one; otherwise the
// job is refused. Never a replacement "?", which is a wildcard to it.
//
// A file that the script is to write under a name beyond ASCII is made empty
// before it runs, so that it has a short name to be written into by (a rename
// onto a short name could make that short name the file's long name). The
// naming keeps what it made: a job that does not start discards it, and the
// job's end removes what was never written into (JobOutcome).
#include "jobs/JobScript.h"
#include "jobs/PathRules.h"
#include "platform/Platform.h"

#include <string>
#include <string_view>
#include <vector>

namespace korimba::jobs {

bool isAscii(std::string_view text);

class ScriptNames {
public:
    ScriptNames(platform::FileSystem& files, const platform::TextEncoding& encoding,
                const text::CodePage& codePage)
        : files_(files), encoding_(encoding), codePage_(codePage) {}

    // A path as the interpreter must read it: itself when ASCII; else the short
    // form of it (or, when it does not exist yet, of its folder, with its name);
    // else its OEM form. "" when it has none; refusal() then says why.
    std::string path(const std::string& path);
    // A name without a folder, for a command that gives a file its name: itself
    // when ASCII, else its OEM form; `whole` is the path named in a refusal.
    std::string name(const std::string& name, const std::string& whole);
    // The message for the first path that could not be named; "" when none.
    const std::string& refusal() const { return refusal_; }

    // How a single-file script names its output O: by O's short form when O
    // is beyond ASCII (an empty placeholder made for it when O is not there
    // yet, to be written into), else as it is or by its OEM form.
    void nameOutput(const std::string& output, SingleScript& script);
    // An empty file made at `path`, to be written into by its short name: that
    // name when it is ASCII; else "", and nothing of it stays.
    std::string madeToBeNamed(const std::string& path);
    // A folder made with its missing parents, for files made to be named.
    void makeFolder(const std::string& folder);
    // Removes every file and folder this naming made: the job does not start.
    void discard();

private:
    std::string shortAscii(const std::string& path) const;
    std::string oem(const std::string& text, const std::string& whole);

    platform::FileSystem& files_;
    const platform::TextEncoding& encoding_;
    text::CodePage codePage_;
    std::string refusal_;
    std::vector<std::string> madeFiles_;
    std::vector<std::string> madeFolders_;
};

// The message that refuses a job because of a name.
std::string unnameableMessage(const std::string& path, const std::string& character);

} // namespace korimba::jobs
