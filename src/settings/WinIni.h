#pragma once
// The program's entries in win.ini, read and written by section and key.
#include "platform/Platform.h"

#include <string>

namespace korimba::settings {

class WinIni {
public:
    static constexpr const char* kFileName = "win.ini";

    explicit WinIni(platform::Profile& profile) : profile_(profile) {}

    // The value, "" when absent. Returned whole whatever its length: the Run
    // line saved before the recovery hook must come back intact.
    std::string readString(const std::string& section, const std::string& key) const;
    // Writes the value, an empty one as "" (the key stays); a refused write
    // throws "Unable to write to win.ini".
    void writeString(const std::string& section, const std::string& key, const std::string& value);

private:
    platform::Profile& profile_;
};

} // namespace korimba::settings
