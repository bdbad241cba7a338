#pragma once
// Who may change a file or folder, read from its owner and access list as a
// security descriptor string ("O:owner D:flags(ace)(ace)..."), the form
// ConvertSecurityDescriptorToStringSecurityDescriptor writes.
#include <string_view>

namespace korimba::platform {

// True when nobody but the user (by SID), SYSTEM, Administrators or
// TrustedInstaller may write, delete or replace the object, or take it over
// through its owner or access list. Entries that apply only to what is made
// inside a folder (inherit-only) do not count; a deny entry counts for the
// entries after it, as the access check reads them in order. Anything not
// understood, a missing owner and a null access list all answer false.
bool onlyUserMayChange(std::string_view descriptor, std::string_view userSid);

} // namespace korimba::platform
