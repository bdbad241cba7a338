#include "Files.h"

#include "../AudioError.h"
#include "jobs/CoderNote.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace korimba::audio::win32 {

namespace {

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/:");
    if (slash == std::string::npos)
        return ".";
    // "C:" and "C:\" are folders as they stand; "C:\A\B" has the folder "C:\A".
    return path[slash] == ':' || slash == 0 || (slash == 2 && path[1] == ':')
               ? path.substr(0, slash + 1)
               : path.substr(0, slash);
}

std::string openFailure(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        return "the file does not exist";
    case ERROR_ACCESS_DENIED:
        return "the file cannot be read (access denied)";
    case ERROR_SHARING_VIOLATION:
        return "the file is in use by another program";
    default:
        return "the file cannot be opened: " + systemMessage(error);
    }
}

std::string writeFailure(DWORD error) {
    if (error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL)
        return "the disk is full";
    return "the output cannot be written: " + systemMessage(error);
}

} // namespace

std::string systemMessage(DWORD error) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message =
        length > 0 && text ? std::string(text, length) : "system error " + std::to_string(error);
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == ' ' || message.back() == '.'))
        message.pop_back();
    return message;
}

FileInput::FileInput(const std::string& path)
    : file_(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr)) {
    if (file_ == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            throw AudioError("this is a folder, not a file");
        throw AudioError(openFailure(error));
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file_, &size)) {
        CloseHandle(file_);
        throw AudioError("the file's size cannot be read");
    }
    size_ = static_cast<std::uint64_t>(size.QuadPart);
}

FileInput::~FileInput() {
    CloseHandle(file_);
}

std::size_t FileInput::readFile(std::uint64_t offset, void* buffer, std::size_t count) {
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(file_, to, nullptr, FILE_BEGIN))
        throw AudioError("the file cannot be read: " + systemMessage(GetLastError()));
    auto* bytes = static_cast<char*>(buffer);
    std::size_t total = 0;
    while (total < count) {
        DWORD got = 0;
        if (!ReadFile(file_, bytes + total, static_cast<DWORD>(count - total), &got, nullptr))
            throw AudioError("the file cannot be read: " + systemMessage(GetLastError()));
        if (got == 0)
            break;
        total += got;
    }
    return total;
}

std::size_t FileInput::read(void* buffer, std::size_t count) {
    const std::size_t bufferSize = 256 * 1024;
    auto* out = static_cast<char*>(buffer);
    std::size_t total = 0;
    while (total < count) {
        if (position_ >= bufferStart_ && position_ < bufferStart_ + bufferFill_) {
            const std::size_t at = static_cast<std::size_t>(position_ - bufferStart_);
            const std::size_t n = std::min(count - total, bufferFill_ - at);
            std::memcpy(out + total, buffer_.data() + at, n);
            total += n;
            position_ += n;
        } else if (count - total >= bufferSize) {
            const std::size_t n = readFile(position_, out + total, count - total);
            total += n;
            position_ += n;
            break;
        } else {
            buffer_.resize(bufferSize);
            bufferStart_ = position_;
            bufferFill_ = readFile(position_, buffer_.data(), bufferSize);
            if (bufferFill_ == 0)
                break;
        }
    }
    return total;
}

OutputFile::OutputFile(const std::string& path) : path_(path), file_(INVALID_HANDLE_VALUE) {
    const std::string folder = folderOf(path);
    char temporary[MAX_PATH + 1] = {};
    // Same folder, so the final rename stays on one volume.
    if (GetTempFileNameA(folder.c_str(), "l3_", 0, temporary) == 0) {
        const DWORD error = GetLastError();
        if (error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL)
            throw OutputError(writeFailure(error));
        throw OutputError("the output cannot be created in " + folder + ": " +
                          systemMessage(error));
    }
    temporary_ = temporary;
    file_ = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                        nullptr);
    if (file_ == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        DeleteFileA(temporary);
        throw OutputError("the output cannot be created: " + systemMessage(error));
    }
}

OutputFile::~OutputFile() {
    if (file_ != INVALID_HANDLE_VALUE) {
        CloseHandle(file_);
        DeleteFileA(temporary_.c_str());
    }
}

void OutputFile::writeHere(const void* bytes, std::size_t count) {
    const auto* p = static_cast<const char*>(bytes);
    while (count > 0) {
        DWORD written = 0;
        if (!WriteFile(file_, p, static_cast<DWORD>(count), &written, nullptr))
            throw OutputError(writeFailure(GetLastError()));
        if (written == 0)
            throw OutputError(writeFailure(ERROR_DISK_FULL));
        p += written;
        count -= written;
    }
}

void OutputFile::write(const void* bytes, std::size_t count) {
    writeHere(bytes, count);
}

void OutputFile::writeAt(std::uint64_t offset, const void* bytes, std::size_t count) {
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(offset);
    LARGE_INTEGER end;
    LARGE_INTEGER zero = {};
    if (!SetFilePointerEx(file_, zero, &end, FILE_CURRENT) ||
        !SetFilePointerEx(file_, to, nullptr, FILE_BEGIN))
        throw OutputError(writeFailure(GetLastError()));
    writeHere(bytes, count);
    if (!SetFilePointerEx(file_, end, nullptr, FILE_BEGIN))
        throw OutputError(writeFailure(GetLastError()));
}

void OutputFile::commit() {
    // Closing can still fail, on a full network disk say.
    const bool closed = CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
    if (!closed) {
        const DWORD error = GetLastError();
        DeleteFileA(temporary_.c_str());
        throw OutputError(writeFailure(error));
    }
    if (!MoveFileExA(temporary_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        const DWORD error = GetLastError();
        DeleteFileA(temporary_.c_str());
        throw OutputError("the output cannot be written under its name: " + systemMessage(error));
    }
}

bool isSameFile(const FileInput& input, const std::string& output) {
    HANDLE other =
        CreateFileA(output.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (other == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION a;
    BY_HANDLE_FILE_INFORMATION b;
    const bool same = GetFileInformationByHandle(input.handle(), &a) &&
                      GetFileInformationByHandle(other, &b) &&
                      a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
                      a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
    CloseHandle(other);
    return same;
}

void removeOutput(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return;
    DeleteFileA(path.c_str());
}

void writeNote(const std::string& output, const std::string& text, const std::string& input) {
    const std::string path = notes::path(output);
    const std::string content = notes::content(text, input);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    const bool whole =
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
        written == content.size();
    // An empty or broken note would say less than none.
    if (!CloseHandle(file) || !whole)
        DeleteFileA(path.c_str());
}

void removeNote(const std::string& output) {
    DeleteFileA(notes::path(output).c_str());
}

} // namespace korimba::audio::win32
