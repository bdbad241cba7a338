#pragma once
#include "platform/Platform.h"

namespace korimba::platform::win32 {

// Text of a code page (CP_ACP for the process's own) in UTF-16.
std::wstring wideOf(const std::string& text, unsigned codePage);
// UTF-16 text in the program's ANSI code page. The ...A functions of Wine give
// nothing at all where the converted name outgrows their byte buffer.
std::string ansiOf(const std::wstring& wide);

class Win32FileSystem final : public FileSystem {
public:
    bool exists(const std::string& path) const override;
    bool isFolder(const std::string& path) const override;
    bool deleteFile(const std::string& path) override;
    bool copyFile(const std::string& from, const std::string& to, bool failIfExists) override;
    bool createFolders(const std::string& path) override;
    bool removeFolder(const std::string& path) override;
    std::optional<std::string> readFile(const std::string& path) const override;
    bool writeFile(const std::string& path, const std::string& content) override;
    std::string shortPathName(const std::string& path) const override;
    std::optional<std::string> findFirstName(const std::string& pattern) const override;
    std::vector<FolderEntry> listFolder(const std::string& folder) const override;
    std::optional<FileTime> lastWriteTime(const std::string& path) const override;
    std::optional<std::uint64_t> fileSize(const std::string& path) const override;
    bool canWriteFolder(const std::string& folder) override;
    std::optional<std::string> securityDescriptor(const std::string& path) const override;
};

class Win32Profile final : public Profile {
public:
    std::string read(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& fallback) const override;
    bool write(const std::string& file, const std::string& section, const std::string& key,
               const std::string& value) override;
};

class Win32Shell final : public Shell {
public:
    bool execute(WindowHandle owner, const std::string& verb, const std::string& file,
                 const std::string& parameters, const std::string& directory,
                 int showCommand) override;
    void exitWindows(unsigned flags, unsigned reserved) override;
};

class Win32Process final : public Process {
public:
    std::string executablePath() const override;
    std::vector<std::string> arguments() const override;
    FileTime systemStartTime() const override;
    unsigned processorCount() const override;
    void writeStandardError(const std::string& text) override;
    std::string userSid() const override;
    std::string localAppDataFolder() const override;
};

class Win32TextEncoding final : public TextEncoding {
public:
    bool isLeadByte(unsigned char byte) const override;
    bool usesUtf8() const override;
    std::string fromLegacyAnsi(const std::string& text) const override;
    std::optional<std::string> oemForm(const std::string& text,
                                       std::string& missing) const override;
};

// The real platform, one instance per program.
class Win32Platform {
public:
    Win32FileSystem files;
    Win32Profile profile;
    Win32Shell shell;
    Win32Process process;
    Win32TextEncoding text;
    Platform bundle() { return Platform{files, profile, shell, process, text}; }
};

} // namespace korimba::platform::win32
