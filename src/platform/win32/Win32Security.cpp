// The platform's answers about who may change a file, and about the user the
// program runs as: what the recovery hook needs before it names a program to
// run at the user's next logon. Their libraries are looked up when a job
// registers the hook, not loaded at every start.
#include "platform/win32/Owned.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/Win32Platform.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>
#include <shlobj.h>

#include <vector>

namespace korimba::platform::win32 {

namespace {

struct LocalRelease {
    static HLOCAL none() { return nullptr; }
    static bool release(HLOCAL memory) { return LocalFree(memory) == nullptr; }
};
using OwnedLocal = Owned<HLOCAL, LocalRelease>;

struct HandleRelease {
    static HANDLE none() { return nullptr; }
    static bool release(HANDLE handle) { return CloseHandle(handle) != 0; }
};
using OwnedHandle = Owned<HANDLE, HandleRelease>;

} // namespace

std::optional<std::string> Win32FileSystem::securityDescriptor(const std::string& path) const {
    constexpr SECURITY_INFORMATION wanted = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    // Wide, as every name of the program's: in UTF-8 a long name outgrows the ANSI call's buffer.
    const auto getSecurity =
        systemFunction<decltype(GetNamedSecurityInfoW)>("advapi32.dll", "GetNamedSecurityInfoW");
    const auto toText =
        systemFunction<decltype(ConvertSecurityDescriptorToStringSecurityDescriptorA)>(
            "advapi32.dll", "ConvertSecurityDescriptorToStringSecurityDescriptorA");
    if (!getSecurity || !toText)
        return std::nullopt;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (getSecurity(wideOf(path, CP_ACP).c_str(), SE_FILE_OBJECT, wanted, nullptr, nullptr, nullptr,
                    nullptr, &descriptor) != ERROR_SUCCESS)
        return std::nullopt;
    const OwnedLocal ownedDescriptor(descriptor);
    LPSTR text = nullptr;
    if (!toText(descriptor, SDDL_REVISION_1, wanted, &text, nullptr))
        return std::nullopt;
    const OwnedLocal ownedText(text);
    return std::string(text);
}

std::string Win32Process::userSid() const {
    const auto openToken =
        systemFunction<decltype(OpenProcessToken)>("advapi32.dll", "OpenProcessToken");
    const auto tokenInformation =
        systemFunction<decltype(GetTokenInformation)>("advapi32.dll", "GetTokenInformation");
    const auto toText =
        systemFunction<decltype(ConvertSidToStringSidA)>("advapi32.dll", "ConvertSidToStringSidA");
    HANDLE token = nullptr;
    if (!openToken || !tokenInformation || !toText ||
        !openToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return {};
    const OwnedHandle ownedToken(token);
    DWORD size = 0;
    tokenInformation(token, TokenUser, nullptr, 0, &size);
    if (size == 0)
        return {};
    std::vector<BYTE> buffer(size);
    if (!tokenInformation(token, TokenUser, buffer.data(), size, &size))
        return {};
    LPSTR text = nullptr;
    if (!toText(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text))
        return {};
    const OwnedLocal ownedText(text);
    return text;
}

std::string Win32Process::localAppDataFolder() const {
    // Wide, as every name of the program's: in UTF-8 a MAX_PATH buffer of bytes may not hold it.
    const auto folderPath =
        systemFunction<decltype(SHGetFolderPathW)>("shell32.dll", "SHGetFolderPathW");
    wchar_t path[MAX_PATH];
    if (!folderPath ||
        folderPath(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK)
        return {};
    std::string folder = ansiOf(path);
    if (folder.empty())
        return {};
    return folder.back() == '\\' ? folder : folder + "\\";
}

} // namespace korimba::platform::win32
