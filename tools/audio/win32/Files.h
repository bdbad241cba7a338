#pragma once
// Windows files behind the format code's streams, with the coders' rule for
// their output: it appears under its name only when it is complete.
#include <windows.h>

#include "../Streams.h"

#include <string>
#include <vector>

namespace korimba::audio::win32 {

// The system's text for an error code, without the trailing line break.
std::string systemMessage(DWORD error);

class FileInput final : public InputStream {
public:
    // Throws AudioError when the file cannot be opened for reading.
    explicit FileInput(const std::string& path);
    ~FileInput() override;
    FileInput(const FileInput&) = delete;
    FileInput& operator=(const FileInput&) = delete;

    std::uint64_t size() const override { return size_; }
    void seek(std::uint64_t offset) override { position_ = offset; }
    std::size_t read(void* buffer, std::size_t count) override;
    std::uint64_t position() const { return position_; }
    HANDLE handle() const { return file_; }

private:
    std::size_t readFile(std::uint64_t offset, void* buffer, std::size_t count);
    HANDLE file_;
    std::uint64_t size_ = 0;
    std::uint64_t position_ = 0;
    // Decoders read a few hundred bytes at a time; every system call counts under Wine.
    std::vector<char> buffer_;
    std::uint64_t bufferStart_ = 0;
    std::size_t bufferFill_ = 0;
};

// Writes to a temporary file in the output's folder and renames it to the
// output's name by commit(). Destroyed without commit, it leaves nothing.
class OutputFile final : public OutputStream {
public:
    explicit OutputFile(const std::string& path);
    ~OutputFile() override;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void write(const void* bytes, std::size_t count) override;
    void writeAt(std::uint64_t offset, const void* bytes, std::size_t count) override;
    void commit();

private:
    void writeHere(const void* bytes, std::size_t count);
    std::string path_;
    std::string temporary_;
    HANDLE file_;
};

// Whether the output names the same file as the open input (short and long
// names, other spellings); false when it does not exist.
bool isSameFile(const FileInput& input, const std::string& output);

// Deletes what a failed run might otherwise leave for the script to move on.
void removeOutput(const std::string& path);

// The note beside the output (see jobs/CoderNote.h): written whole or not at all, and
// neither of them is ever a reason to fail, as a note in a read-only folder.
void writeNote(const std::string& output, const std::string& text, const std::string& input);
void removeNote(const std::string& output);

} // namespace korimba::audio::win32
