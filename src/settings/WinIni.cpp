#include "settings/WinIni.h"

#include "platform/Exception.h"

namespace korimba::settings {

std::string WinIni::readString(const std::string& section, const std::string& key) const {
    return profile_.read(kFileName, section, key, "");
}

void WinIni::writeString(const std::string& section, const std::string& key,
                         const std::string& value) {
    if (!profile_.write(kFileName, section, key, value)) {
        throw profileWriteError(kFileName);
    }
}

} // namespace korimba::settings
