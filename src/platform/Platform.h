#pragma once
// Everything the program asks of the operating system, as interfaces with a
// real Win32 side (platform/win32) and an in-memory fake side (tests/fakes).
// Strings are ANSI code page bytes, as the "A" functions take them.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korimba::platform {

// Opaque native window handle (HWND on Win32); null for "no owner".
using WindowHandle = void*;

// A moment as the file system stamps files: 100 ns units since 1601 (FILETIME, UTC).
using FileTime = std::uint64_t;

struct FolderEntry {
    std::string name;
    bool folder = false;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // True for an existing file or folder.
    virtual bool exists(const std::string& path) const = 0;
    virtual bool isFolder(const std::string& path) const = 0;
    // Deletes a file; false when it did not exist or could not be deleted.
    virtual bool deleteFile(const std::string& path) = 0;
    // CopyFileA semantics.
    virtual bool copyFile(const std::string& from, const std::string& to, bool failIfExists) = 0;
    // Creates a folder and every missing parent; true when it exists afterwards.
    virtual bool createFolders(const std::string& path) = 0;
    // Removes an empty folder; false when it is not there, not empty or refused.
    virtual bool removeFolder(const std::string& path) = 0;
    // Whole-file access; nullopt / false when the file cannot be opened or created.
    virtual std::optional<std::string> readFile(const std::string& path) const = 0;
    virtual bool writeFile(const std::string& path, const std::string& content) = 0;

    // GetShortPathNameA as called with a 260-character buffer announced as 259:
    // the short form, or "" on failure or when it would not fit.
    virtual std::string shortPathName(const std::string& path) const = 0;
    // FindFirstFileA with every attribute accepted: the name (no folder) of the
    // first entry matching the pattern, wildcards allowed; nullopt when none.
    virtual std::optional<std::string> findFirstName(const std::string& pattern) const = 0;
    // The files and folders in a folder (given with its final "\") by their long
    // names, "." and ".." left out; empty when the folder cannot be read.
    virtual std::vector<FolderEntry> listFolder(const std::string& folder) const = 0;
    // When the file was last written; nullopt when it does not exist.
    virtual std::optional<FileTime> lastWriteTime(const std::string& path) const = 0;
    // The file's length in bytes; nullopt when it does not exist.
    virtual std::optional<std::uint64_t> fileSize(const std::string& path) const = 0;
    // Whether files can be created in the folder (given with its final "\") and
    // deleted again, found out by doing so with a probe file of a new name.
    // Attributes and access lists do not tell: a read-only share or mount, a
    // write-protected medium or a folder without file virtualization refuses
    // writes whatever they say.
    virtual bool canWriteFolder(const std::string& folder) = 0;
    // The owner and access list of a file or folder as a security descriptor
    // string ("O:...D:..."); nullopt when they cannot be read, as on a file
    // system that keeps none.
    virtual std::optional<std::string> securityDescriptor(const std::string& path) const = 0;
};

// The profile API on an initialisation file (here always "win.ini").
class Profile {
public:
    virtual ~Profile() = default;
    // GetPrivateProfileStringA with a buffer grown until the value fits.
    virtual std::string read(const std::string& file, const std::string& section,
                             const std::string& key, const std::string& fallback) const = 0;
    // WritePrivateProfileStringA of a value (never a deletion); false when refused.
    virtual bool write(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& value) = 0;
};

class Shell {
public:
    virtual ~Shell() = default;
    // ShellExecuteA; false when the shell refused (a result of 32 or less).
    // Only the job commands look: a script that never started must not be
    // watched for ever.
    virtual bool execute(WindowHandle owner, const std::string& verb, const std::string& file,
                         const std::string& parameters, const std::string& directory,
                         int showCommand) = 0;
    // ExitWindowsEx(flags, reserved); the result is never examined.
    virtual void exitWindows(unsigned flags, unsigned reserved) = 0;
};

class Process {
public:
    virtual ~Process() = default;
    // Full path of the running executable (GetModuleFileNameA).
    virtual std::string executablePath() const = 0;
    // The command-line arguments after the program name, split by splitArguments.
    virtual std::vector<std::string> arguments() const = 0;
    // When Windows last started: no process of an earlier session runs any more.
    virtual FileTime systemStartTime() const = 0;
    // How many processors this process may run on (its affinity), at least 1.
    virtual unsigned processorCount() const = 0;
    // Writes to the standard error handle the process was started with, when
    // it has one: where a script that runs the program unattended reads why.
    virtual void writeStandardError(const std::string& text) = 0;
    // The security identifier of the user the process runs as ("S-1-5-..."),
    // "" when it cannot be read.
    virtual std::string userSid() const = 0;
    // The user's own local application data folder with its final "\", ""
    // when there is none.
    virtual std::string localAppDataFolder() const = 0;
};

// The code pages the text of this process is in: the ANSI one the "A"
// functions take, the console's (OEM) one the command interpreter reads
// scripts in, and the legacy one older versions wrote settings in.
class TextEncoding {
public:
    virtual ~TextEncoding() = default;
    // IsDBCSLeadByte for the ANSI code page.
    virtual bool isLeadByte(unsigned char byte) const = 0;
    // Whether the ANSI code page is UTF-8 (from Windows 10 1903 on, by the
    // program's manifest): every "A" function takes and gives UTF-8 then.
    virtual bool usesUtf8() const = 0;
    // Text written by an older version in the system's legacy ANSI code page,
    // in the ANSI code page of this process; unchanged when they are the same.
    virtual std::string fromLegacyAnsi(const std::string& text) const = 0;
    // The text in the console (OEM) code page, when every character has a form
    // there; otherwise nullopt, with the first character that has none (in the
    // ANSI code page) in `missing`. Never a replacement character: "?" is a
    // wildcard to the command interpreter.
    virtual std::optional<std::string> oemForm(const std::string& text,
                                               std::string& missing) const = 0;
};

// The whole platform as one bundle, handed to the windows and jobs.
struct Platform {
    FileSystem& files;
    Profile& profile;
    Shell& shell;
    Process& process;
    TextEncoding& text;
};

// Show commands used by the program.
enum ShowCommand : int {
    SwHide = 0,
    SwShowMaximized = 3,
    SwShow = 5,
    SwMinimize = 6,
};

} // namespace korimba::platform
