#include "fakes/FakePlatform.h"

#include "jobs/PathRules.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <stdexcept>
#include <string_view>

namespace korimba::fakes {

namespace {

constexpr std::size_t kMaxShortPathLength = 259;

char foldChar(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string fold(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), foldChar);
    return text;
}

bool sameName(const std::string& a, const std::string& b) {
    return fold(a) == fold(b);
}

// "*" takes any run of characters, "?" exactly one; letters match without
// regard to case.
bool matchesWildcard(std::string_view pattern, std::string_view name) {
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t star = std::string_view::npos;
    std::size_t starMatched = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            starMatched = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || foldChar(pattern[p]) == foldChar(name[n]))) {
            ++p;
            ++n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++starMatched;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

bool matchesEntryName(const std::string& pattern, const std::string& name,
                      const std::string& shortName) {
    return matchesWildcard(pattern, name) ||
           (!shortName.empty() && matchesWildcard(pattern, shortName));
}

std::logic_error misuse(const std::string& what, const std::string& path) {
    return std::logic_error("FakeFileSystem: " + what + ": " + path);
}

} // namespace

bool shiftJisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// --- FakeFileSystem ---

struct FakeFileSystem::Entry {
    std::string name;        // as stored: "C:", "\\srv\share", "Program Files"
    Entry* parent = nullptr; // null for a drive or share
    bool folder = true;
    std::string content;
    std::string shortName;
    platform::FileTime writeTime = 0;
};

struct FakeFileSystem::Location {
    std::string root;                     // "C:" or "\\srv\share"
    std::vector<std::string> names;       // the components below the root
    std::string typedRoot;                // the root as the path spelt it, "" when it had none
    std::vector<std::string> typedPieces; // the rest of the path, split at every "\"
    std::size_t typedNames = 0;           // the non-empty typed pieces
    bool trailingBackslash = false;

    std::string key() const {
        std::string key = fold(root);
        for (const std::string& name : names) {
            key += "\\" + fold(name);
        }
        return key;
    }
};

FakeFileSystem::FakeFileSystem() : current_(std::make_unique<Location>()) {
    current_->root = "C:";
}

FakeFileSystem::~FakeFileSystem() = default;

bool FakeFileSystem::isLeadByte(char byte) const {
    return isLeadByte_ && isLeadByte_(static_cast<unsigned char>(byte));
}

std::vector<std::string> FakeFileSystem::splitAtBackslashes(const std::string& text) const {
    std::vector<std::string> pieces(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isLeadByte(text[i]) && i + 1 < text.size()) {
            pieces.back() += text.substr(i++, 2);
        } else if (text[i] == '\\') {
            pieces.emplace_back();
        } else {
            pieces.back() += text[i];
        }
    }
    return pieces;
}

std::optional<FakeFileSystem::Location> FakeFileSystem::locate(const std::string& path) const {
    if (path.empty()) {
        return std::nullopt;
    }
    Location location;
    const bool network = path.starts_with("\\\\");
    if (network) {
        const auto pieces = splitAtBackslashes(path);
        if (pieces.size() < 4 || pieces[2].empty() || pieces[3].empty()) {
            return std::nullopt;
        }
        location.typedRoot = "\\\\" + pieces[2] + "\\" + pieces[3];
    } else if (path.size() >= 2 && path[1] == ':' && !isLeadByte(path[0])) {
        location.typedRoot = path.substr(0, 2);
    }
    location.root = location.typedRoot.empty() ? current_->root : location.typedRoot;
    location.typedPieces = splitAtBackslashes(path.substr(location.typedRoot.size()));
    const auto& pieces = location.typedPieces;
    const bool fromRoot = network || (pieces.size() > 1 && pieces.front().empty());
    if (!fromRoot && sameName(location.root, current_->root)) {
        location.names = current_->names;
    }
    for (const std::string& piece : pieces) {
        if (!piece.empty()) {
            location.names.push_back(piece);
            ++location.typedNames;
        }
    }
    location.trailingBackslash = pieces.size() > 1 && pieces.back().empty();
    return location;
}

FakeFileSystem::Location FakeFileSystem::locateOrThrow(const std::string& path) const {
    auto location = locate(path);
    if (!location) {
        throw misuse("not a path", path);
    }
    return *location;
}

FakeFileSystem::Entry* FakeFileSystem::rootEntry(const std::string& root) const {
    for (const auto& entry : entries_) {
        if (entry->parent == nullptr && sameName(entry->name, root)) {
            return entry.get();
        }
    }
    return nullptr;
}

FakeFileSystem::Entry* FakeFileSystem::child(const Entry* parent, const std::string& name) const {
    for (const auto& entry : entries_) {
        if (entry->parent == parent &&
            (sameName(entry->name, name) ||
             (!entry->shortName.empty() && sameName(entry->shortName, name)))) {
            return entry.get();
        }
    }
    return nullptr;
}

FakeFileSystem::Chain FakeFileSystem::chain(const Location& location) const {
    Entry* entry = rootEntry(location.root);
    Chain entries;
    for (std::size_t i = 0; entry != nullptr; ++i) {
        entries.push_back(entry);
        if (i == location.names.size()) {
            return entries;
        }
        entry = entry->folder ? child(entry, location.names[i]) : nullptr;
    }
    return {};
}

FakeFileSystem::Entry* FakeFileSystem::findEntry(const std::string& path) const {
    const auto location = locate(path);
    if (!location) {
        return nullptr;
    }
    const Chain entries = chain(*location);
    if (entries.empty() || (!entries.back()->folder && location->trailingBackslash)) {
        return nullptr;
    }
    return entries.back();
}

FakeFileSystem::Entry* FakeFileSystem::findFile(const std::string& path) const {
    Entry* entry = findEntry(path);
    return entry != nullptr && !entry->folder ? entry : nullptr;
}

FakeFileSystem::Entry& FakeFileSystem::newEntry(const std::string& name, Entry* parent,
                                                bool folder) {
    entries_.push_back(std::make_unique<Entry>(Entry{name, parent, folder, {}, {}, clock_}));
    Entry& made = *entries_.back();
    const bool beyondAscii = std::any_of(
        name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) > 127; });
    if (makeShortNames_ && beyondAscii && parent != nullptr) {
        std::string stem;
        for (char c : name.substr(0, name.rfind('.')))
            if (std::isalnum(static_cast<unsigned char>(c)) && stem.size() < 4)
                stem += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        const std::size_t dot = name.rfind('.');
        made.shortName = stem + "~" + std::to_string(++shortNamesMade_) +
                         (dot == std::string::npos ? "" : paths::upperAscii(name.substr(dot)));
    }
    return made;
}

FakeFileSystem::Entry* FakeFileSystem::ensureFolders(const Location& location, std::size_t count,
                                                     bool createRoot) {
    Entry* folder = rootEntry(location.root);
    if (folder == nullptr && createRoot) {
        folder = &newEntry(location.root, nullptr, true);
    }
    for (std::size_t i = 0; i < count && folder != nullptr; ++i) {
        Entry* next = child(folder, location.names[i]);
        if (next == nullptr) {
            next = &newEntry(location.names[i], folder, true);
        }
        folder = next->folder ? next : nullptr;
    }
    return folder;
}

FakeFileSystem::Entry* FakeFileSystem::existingParent(const Location& location) const {
    if (location.names.empty()) {
        return nullptr;
    }
    Location parent = location;
    parent.names.pop_back();
    const Chain entries = chain(parent);
    return !entries.empty() && entries.back()->folder ? entries.back() : nullptr;
}

bool FakeFileSystem::isDenied(const std::vector<std::string>& denied,
                              const Location& location) const {
    const std::string key = location.key();
    return std::any_of(denied.begin(), denied.end(), [&](const std::string& deniedKey) {
        return key == deniedKey || key.starts_with(deniedKey + "\\");
    });
}

bool FakeFileSystem::store(const Location& target, const std::string& content, bool failIfExists) {
    Entry* parent = existingParent(target);
    if (parent == nullptr || target.trailingBackslash || isDenied(writeDenied_, target)) {
        return false;
    }
    Entry* file = child(parent, target.names.back());
    if (file != nullptr && (file->folder || failIfExists)) {
        return false;
    }
    if (file == nullptr) {
        file = &newEntry(target.names.back(), parent, false);
    }
    file->content = content;
    file->writeTime = clock_;
    return true;
}

void FakeFileSystem::addFolder(const std::string& path) {
    const Location location = locateOrThrow(path);
    if (ensureFolders(location, location.names.size(), true) == nullptr) {
        throw misuse("a file is in the way", path);
    }
}

void FakeFileSystem::addFile(const std::string& path, const std::string& content) {
    const Location location = locateOrThrow(path);
    if (location.names.empty()) {
        throw misuse("no file name", path);
    }
    Entry* parent = ensureFolders(location, location.names.size() - 1, true);
    Entry* file = parent != nullptr ? child(parent, location.names.back()) : nullptr;
    if (parent == nullptr || (file != nullptr && file->folder)) {
        throw misuse("a file or folder is in the way", path);
    }
    if (file == nullptr) {
        file = &newEntry(location.names.back(), parent, false);
    }
    file->content = content;
    file->writeTime = clock_;
}

void FakeFileSystem::addShortName(const std::string& path, const std::string& shortName) {
    Entry* entry = findEntry(path);
    if (entry == nullptr) {
        throw misuse("no such file or folder", path);
    }
    entry->shortName = shortName;
}

std::string FakeFileSystem::fileContent(const std::string& path) const {
    const Entry* file = findFile(path);
    if (file == nullptr) {
        throw misuse("no such file", path);
    }
    return file->content;
}

void FakeFileSystem::setCurrentFolder(const std::string& path) {
    if (!isFolder(path)) {
        throw misuse("no such folder", path);
    }
    *current_ = locateOrThrow(path);
}

void FakeFileSystem::denyWrites(const std::string& path) {
    writeDenied_.push_back(locateOrThrow(path).key());
}

void FakeFileSystem::denyReads(const std::string& path) {
    readDenied_.push_back(locateOrThrow(path).key());
}

void FakeFileSystem::setLeadBytes(LeadBytePredicate isLeadByte) {
    isLeadByte_ = std::move(isLeadByte);
}

void FakeFileSystem::setWriteTime(const std::string& path, platform::FileTime time) {
    Entry* entry = findEntry(path);
    if (entry == nullptr) {
        throw misuse("no such file or folder", path);
    }
    entry->writeTime = time;
}

bool FakeFileSystem::exists(const std::string& path) const {
    return findEntry(path) != nullptr;
}

bool FakeFileSystem::isFolder(const std::string& path) const {
    const Entry* entry = findEntry(path);
    return entry != nullptr && entry->folder;
}

bool FakeFileSystem::deleteFile(const std::string& path) {
    const Entry* file = findFile(path);
    if (file == nullptr || isDenied(writeDenied_, *locate(path))) {
        return false;
    }
    std::erase_if(entries_, [file](const auto& entry) { return entry.get() == file; });
    return true;
}

bool FakeFileSystem::copyFile(const std::string& from, const std::string& to, bool failIfExists) {
    const auto content = readFile(from);
    const auto target = locate(to);
    if (!content || !target || findEntry(to) == findFile(from)) {
        return false;
    }
    return store(*target, *content, failIfExists);
}

bool FakeFileSystem::createFolders(const std::string& path) {
    if (isFolder(path)) {
        return true;
    }
    const auto location = locate(path);
    if (!location || isDenied(writeDenied_, *location)) {
        return false;
    }
    return ensureFolders(*location, location->names.size(), false) != nullptr;
}

bool FakeFileSystem::removeFolder(const std::string& path) {
    const Entry* folder = findEntry(path);
    if (folder == nullptr || !folder->folder || folder->parent == nullptr ||
        isDenied(writeDenied_, *locate(path))) {
        return false;
    }
    const bool empty = std::none_of(entries_.begin(), entries_.end(),
                                    [folder](const auto& entry) { return entry->parent == folder; });
    if (!empty) {
        return false;
    }
    std::erase_if(entries_, [folder](const auto& entry) { return entry.get() == folder; });
    return true;
}

std::optional<std::string> FakeFileSystem::readFile(const std::string& path) const {
    const Entry* file = findFile(path);
    if (file == nullptr || isDenied(readDenied_, *locate(path))) {
        return std::nullopt;
    }
    return file->content;
}

bool FakeFileSystem::writeFile(const std::string& path, const std::string& content) {
    const auto target = locate(path);
    return target && store(*target, content, false);
}

std::string FakeFileSystem::shortPathName(const std::string& path) const {
    const auto location = locate(path);
    const Chain entries = location ? chain(*location) : Chain{};
    if (entries.empty() || (!entries.back()->folder && location->trailingBackslash)) {
        return {};
    }
    // The typed text with each named component replaced by its short name.
    std::string result = location->typedRoot;
    std::size_t next = entries.size() - location->typedNames;
    for (std::size_t i = 0; i < location->typedPieces.size(); ++i) {
        const std::string& piece = location->typedPieces[i];
        if (i > 0) {
            result += '\\';
        }
        if (!piece.empty()) {
            const Entry* entry = entries[next++];
            result += entry->shortName.empty() ? piece : entry->shortName;
        }
    }
    return result.size() <= kMaxShortPathLength ? result : std::string();
}

std::optional<std::string> FakeFileSystem::findFirstName(const std::string& pattern) const {
    const auto location = locate(pattern);
    if (!location || location->trailingBackslash) {
        return std::nullopt;
    }
    const Entry* parent = existingParent(*location);
    if (parent == nullptr) {
        return std::nullopt;
    }
    for (const auto& entry : entries_) {
        if (entry->parent == parent &&
            matchesEntryName(location->names.back(), entry->name, entry->shortName)) {
            return entry->name;
        }
    }
    return std::nullopt;
}

std::vector<platform::FolderEntry> FakeFileSystem::listFolder(const std::string& folder) const {
    std::vector<platform::FolderEntry> result;
    const Entry* parent = findEntry(folder);
    if (parent == nullptr || !parent->folder || isDenied(readDenied_, *locate(folder))) {
        return result;
    }
    for (const auto& entry : entries_) {
        if (entry->parent == parent) {
            result.push_back({entry->name, entry->folder});
        }
    }
    return result;
}

std::optional<platform::FileTime> FakeFileSystem::lastWriteTime(const std::string& path) const {
    const Entry* entry = findEntry(path);
    return entry != nullptr ? std::optional<platform::FileTime>(entry->writeTime) : std::nullopt;
}

std::optional<std::uint64_t> FakeFileSystem::fileSize(const std::string& path) const {
    const Entry* file = findFile(path);
    return file != nullptr ? std::optional<std::uint64_t>(file->content.size()) : std::nullopt;
}

bool FakeFileSystem::canWriteFolder(const std::string& folder) {
    if (!isFolder(folder)) {
        return false;
    }
    std::string probe = folder + "~probe.tmp";
    for (int attempt = 1; exists(probe); ++attempt) {
        probe = folder + "~probe" + std::to_string(attempt) + ".tmp";
    }
    return writeFile(probe, "") && deleteFile(probe);
}

void FakeFileSystem::setSecurityDescriptor(const std::string& path,
                                           std::optional<std::string> descriptor) {
    descriptors_[fold(path)] = std::move(descriptor);
}

std::optional<std::string> FakeFileSystem::securityDescriptor(const std::string& path) const {
    if (!exists(path))
        return std::nullopt;
    if (const auto set = descriptors_.find(fold(path)); set != descriptors_.end())
        return set->second;
    return "O:" + std::string(kFakeUserSid) + "D:P(A;;FA;;;SY)(A;;FA;;;" + kFakeUserSid + ")";
}

// --- FakeProfile ---

namespace {

std::string profileKey(const std::string& file, const std::string& section,
                       const std::string& key) {
    return fold(file) + '\n' + fold(section) + '\n' + fold(key);
}

} // namespace

std::string FakeProfile::read(const std::string& file, const std::string& section,
                              const std::string& key, const std::string& fallback) const {
    return value(file, section, key).value_or(fallback);
}

bool FakeProfile::write(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value) {
    if (failWrites_) {
        return false;
    }
    set(file, section, key, value);
    ++writeCount_;
    return true;
}

void FakeProfile::set(const std::string& file, const std::string& section, const std::string& key,
                      const std::string& value) {
    values_[profileKey(file, section, key)] = value;
}

std::optional<std::string> FakeProfile::value(const std::string& file, const std::string& section,
                                              const std::string& key) const {
    const auto found = values_.find(profileKey(file, section, key));
    return found == values_.end() ? std::nullopt : std::optional<std::string>(found->second);
}

// --- FakeShell ---

std::ostream& operator<<(std::ostream& out, const ShellExecution& execution) {
    return out << "execute(" << execution.verb << ", \"" << execution.file << "\", \""
               << execution.parameters << "\", \"" << execution.directory << "\", "
               << execution.showCommand << ")";
}

bool FakeShell::execute(platform::WindowHandle owner, const std::string& verb,
                        const std::string& file, const std::string& parameters,
                        const std::string& directory, int showCommand) {
    const ShellExecution execution{owner, verb, file, parameters, directory, showCommand};
    executions_.push_back(execution);
    if (refuses_) {
        return false;
    }
    if (onExecute_) {
        onExecute_(execution);
    }
    return true;
}

// --- FakeTextEncoding ---

std::optional<std::string> FakeTextEncoding::oemForm(const std::string& text,
                                                     std::string& missing) const {
    static const std::map<unsigned char, unsigned char> oem = {
        {0xE9, 0x82}, {0xFC, 0x81}, {0xDC, 0x9A}, {0xEF, 0x8B}, {0xF6, 0x94},
        {0xE4, 0x84}, {0xC9, 0x90}, {0xE8, 0x8A}, {0xE0, 0x85}, {0xE7, 0x87}};
    std::string result;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            result += c;
        } else if (const auto found = oem.find(byte); found != oem.end()) {
            result += static_cast<char>(found->second);
        } else {
            missing = std::string(1, c);
            return std::nullopt;
        }
    }
    return result;
}

std::string FakeTextEncoding::fromLegacyAnsi(const std::string& text) const {
    if (!utf8_)
        return text;
    static const std::map<unsigned char, char32_t> beyondLatin1 = {
        {0x80, U'\u20AC'}, {0x91, U'\u2018'}, {0x92, U'\u2019'}, {0x93, U'\u201C'},
        {0x94, U'\u201D'}, {0x96, U'\u2013'}, {0x97, U'\u2014'}, {0x89, U'\u2030'}};
    std::string result;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        char32_t code = byte;
        if (const auto found = beyondLatin1.find(byte); found != beyondLatin1.end())
            code = found->second;
        if (code < 0x80) {
            result += c;
        } else if (code < 0x800) {
            result += static_cast<char>(0xC0 | (code >> 6));
            result += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            result += static_cast<char>(0xE0 | (code >> 12));
            result += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            result += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return result;
}

void FakeShell::exitWindows(unsigned flags, unsigned reserved) {
    exitCalls_.push_back({flags, reserved});
}

// --- FakePlatform ---

FakePlatform::FakePlatform() {
    files.addFile(process.executablePath(), "MZ");
}

std::string FakePlatform::programFolder() const {
    const std::string executable = process.executablePath();
    return executable.substr(0, executable.rfind('\\') + 1);
}

void FakePlatform::setLeadBytes(const LeadBytePredicate& isLeadByte) {
    files.setLeadBytes(isLeadByte);
    text.setLeadBytes(isLeadByte);
}

} // namespace korimba::fakes
