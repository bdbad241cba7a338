#pragma once
// The platform in memory, for headless tests: files and folders with Windows
// path semantics, win.ini sections, a log of shell calls and a settable process.
#include "platform/Platform.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace korimba::fakes {

using LeadBytePredicate = std::function<bool(unsigned char)>;

// Lead bytes of a Shift-JIS-like code page (0x81-0x9F, 0xE0-0xFC), whose
// second bytes include 0x5C, the backslash.
bool shiftJisLeadByte(unsigned char byte);

// The user the fake process runs as, who alone may change what the fake file
// system holds unless a test says otherwise.
inline constexpr const char* kFakeUserSid = "S-1-5-21-1-2-3-1001";

// Drives ("C:") and shares ("\\srv\share") hold folders and files. Names match
// without regard to ASCII case and also by their registered short names, as
// on Windows; relative names resolve against the current folder ("C:\" at
// first). Entries are kept in creation order, which is also the order in
// which findFirstName looks for a match. "." and ".." are not resolved.
class FakeFileSystem final : public platform::FileSystem {
public:
    FakeFileSystem();
    ~FakeFileSystem() override;
    FakeFileSystem(const FakeFileSystem&) = delete;
    FakeFileSystem& operator=(const FakeFileSystem&) = delete;

    // Files are written at this time unless a test sets the clock.
    static constexpr platform::FileTime kDefaultClock = 1'000'000;

    // --- set-up and inspection; misuse throws std::logic_error ---

    // Creates the folder with its missing parents, its drive or share included.
    void addFolder(const std::string& path);
    // Creates or replaces a file, with its missing parent folders.
    void addFile(const std::string& path, const std::string& content = "");
    // Gives an existing file or folder its short (8.3) name, e.g.
    // addShortName("C:\\Program Files", "PROGRA~1").
    void addShortName(const std::string& path, const std::string& shortName);
    // The content of an existing file.
    std::string fileContent(const std::string& path) const;
    // An existing folder that relative names resolve against.
    void setCurrentFolder(const std::string& path);
    // Writing, deleting, copying onto and creating folders at the path or
    // anywhere below it fails from now on, as in a read-only folder. The path
    // is compared by its long names as typed.
    void denyWrites(const std::string& path);
    // Reading the file at the path, or any file below it, fails from now on.
    void denyReads(const std::string& path);
    void setLeadBytes(LeadBytePredicate isLeadByte);
    // Every file written from now on is stamped with this time.
    void setClock(platform::FileTime now) { clock_ = now; }
    void setWriteTime(const std::string& path, platform::FileTime time);
    // From now on every new file or folder whose name has a character beyond
    // ASCII gets a short name of its own ("~1", "~2", ... after the ASCII
    // letters of its stem), as on a volume that makes 8.3 names.
    void makeShortNames(bool make = true) { makeShortNames_ = make; }
    // The security descriptor the path reports from now on; nullopt makes it
    // unreadable. Others report the user's own (kFakeUserSid) alone.
    void setSecurityDescriptor(const std::string& path, std::optional<std::string> descriptor);

    // --- platform::FileSystem ---

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
    std::vector<platform::FolderEntry> listFolder(const std::string& folder) const override;
    std::optional<platform::FileTime> lastWriteTime(const std::string& path) const override;
    std::optional<std::uint64_t> fileSize(const std::string& path) const override;
    // Writes and deletes a probe file of a new name, as the real side does.
    bool canWriteFolder(const std::string& folder) override;
    std::optional<std::string> securityDescriptor(const std::string& path) const override;

private:
    struct Entry;
    struct Location;
    using Chain = std::vector<Entry*>;

    std::optional<Location> locate(const std::string& path) const;
    Location locateOrThrow(const std::string& path) const;
    Entry* rootEntry(const std::string& root) const;
    Entry* child(const Entry* parent, const std::string& name) const;
    // The entries from the root to the located one; empty when any is missing.
    Chain chain(const Location& location) const;
    Entry* findEntry(const std::string& path) const;
    Entry* findFile(const std::string& path) const;
    Entry& newEntry(const std::string& name, Entry* parent, bool folder);
    // The folder of the first `count` names, created as needed; null when a
    // file is in the way or the root is missing and may not be created.
    Entry* ensureFolders(const Location& location, std::size_t count, bool createRoot);
    // The folder that would hold the located entry, when it exists.
    Entry* existingParent(const Location& location) const;
    bool isDenied(const std::vector<std::string>& denied, const Location& location) const;
    bool store(const Location& target, const std::string& content, bool failIfExists);
    std::vector<std::string> splitAtBackslashes(const std::string& text) const;
    bool isLeadByte(char byte) const;

    std::vector<std::unique_ptr<Entry>> entries_;
    std::unique_ptr<Location> current_;
    std::vector<std::string> writeDenied_;
    std::vector<std::string> readDenied_;
    LeadBytePredicate isLeadByte_;
    platform::FileTime clock_ = kDefaultClock;
    bool makeShortNames_ = false;
    int shortNamesMade_ = 0;
    std::map<std::string, std::optional<std::string>> descriptors_;
};

// win.ini and friends: values by file, section and key, all without regard to
// case. Reads return values whole, however long.
class FakeProfile final : public platform::Profile {
public:
    std::string read(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& fallback) const override;
    bool write(const std::string& file, const std::string& section, const std::string& key,
               const std::string& value) override;

    // Set-up that is never refused.
    void set(const std::string& file, const std::string& section, const std::string& key,
             const std::string& value);
    std::optional<std::string> value(const std::string& file, const std::string& section,
                                     const std::string& key) const;
    // Every write is refused from now on (or accepted again).
    void failWrites(bool fail = true) { failWrites_ = fail; }
    int writeCount() const { return writeCount_; }

private:
    std::map<std::string, std::string> values_;
    bool failWrites_ = false;
    int writeCount_ = 0;
};

struct ShellExecution {
    platform::WindowHandle owner = nullptr;
    std::string verb;
    std::string file;
    std::string parameters;
    std::string directory;
    int showCommand = 0;
    bool operator==(const ShellExecution&) const = default;
};
std::ostream& operator<<(std::ostream& out, const ShellExecution& execution);

struct ExitWindowsCall {
    unsigned flags = 0;
    unsigned reserved = 0;
    bool operator==(const ExitWindowsCall&) const = default;
};

class FakeShell final : public platform::Shell {
public:
    bool execute(platform::WindowHandle owner, const std::string& verb, const std::string& file,
                 const std::string& parameters, const std::string& directory,
                 int showCommand) override;
    // Every execute from now on is logged and refused (or started again).
    void refuse(bool refuse = true) { refuses_ = refuse; }
    void exitWindows(unsigned flags, unsigned reserved) override;

    const std::vector<ShellExecution>& executions() const { return executions_; }
    const std::vector<ExitWindowsCall>& exitCalls() const { return exitCalls_; }
    // Runs after each logged execute, e.g. to play a script that deletes itself.
    void setOnExecute(std::function<void(const ShellExecution&)> onExecute) {
        onExecute_ = std::move(onExecute);
    }

private:
    std::vector<ShellExecution> executions_;
    std::vector<ExitWindowsCall> exitCalls_;
    std::function<void(const ShellExecution&)> onExecute_;
    bool refuses_ = false;
};

class FakeProcess final : public platform::Process {
public:
    static constexpr const char* kDefaultExecutable = "C:\\Korimba\\korimba.exe";

    std::string executablePath() const override { return executablePath_; }
    std::vector<std::string> arguments() const override { return arguments_; }
    platform::FileTime systemStartTime() const override { return systemStartTime_; }
    unsigned processorCount() const override { return processors_; }
    void setProcessorCount(unsigned count) { processors_ = count; }
    void writeStandardError(const std::string& text) override { standardError_ += text; }
    const std::string& standardError() const { return standardError_; }
    std::string userSid() const override { return kFakeUserSid; }
    static constexpr const char* kLocalAppData = "C:\\Users\\user\\AppData\\Local\\";
    std::string localAppDataFolder() const override { return kLocalAppData; }

    void setExecutablePath(std::string path) { executablePath_ = std::move(path); }
    void setArguments(std::vector<std::string> arguments) { arguments_ = std::move(arguments); }
    // Windows started before the files of the default clock were written.
    void setSystemStartTime(platform::FileTime time) { systemStartTime_ = time; }

private:
    std::string executablePath_ = kDefaultExecutable;
    platform::FileTime systemStartTime_ = 0;
    unsigned processors_ = 1;
    std::vector<std::string> arguments_;
    std::string standardError_;
};

// Code page 1252 by default, 850 for the console; a double-byte or UTF-8
// ANSI code page when set.
class FakeTextEncoding final : public platform::TextEncoding {
public:
    bool isLeadByte(unsigned char byte) const override { return isLeadByte_ && isLeadByte_(byte); }
    bool usesUtf8() const override { return utf8_; }
    // With UTF-8: code page 1252 (its letters, the euro, the dashes and curly
    // quotes) in UTF-8; otherwise the text as it is.
    std::string fromLegacyAnsi(const std::string& text) const override;
    // Code page 1252 to 850 for the letters the tests use; the dash, curly
    // quotes, euro and per-mille signs have no OEM form, as there.
    std::optional<std::string> oemForm(const std::string& text,
                                       std::string& missing) const override;

    void setLeadBytes(LeadBytePredicate isLeadByte) { isLeadByte_ = std::move(isLeadByte); }
    void setUtf8(bool utf8) { utf8_ = utf8; }

private:
    bool utf8_ = false;
    LeadBytePredicate isLeadByte_;
};

// The five fakes together. The program folder C:\Korimba\ exists with
// korimba.exe in it; the current folder stays C:\.
class FakePlatform {
public:
    FakePlatform();
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    FakeFileSystem files;
    FakeProfile profile;
    FakeShell shell;
    FakeProcess process;
    FakeTextEncoding text;

    platform::Platform bundle() { return platform::Platform{files, profile, shell, process, text}; }
    // The executable's folder with its trailing backslash.
    std::string programFolder() const;
    // One double-byte code page for the file system and the text alike.
    void setLeadBytes(const LeadBytePredicate& isLeadByte);
};

} // namespace korimba::fakes
