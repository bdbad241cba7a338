#pragma once
// Byte streams the format code reads and writes, so that it runs the same on
// a Windows file and on bytes in memory.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace korimba::audio {

class InputStream {
public:
    virtual ~InputStream() = default;
    virtual std::uint64_t size() const = 0;
    virtual void seek(std::uint64_t offset) = 0;
    // Fewer bytes than asked only at the end of the stream.
    virtual std::size_t read(void* buffer, std::size_t count) = 0;
};

class OutputStream {
public:
    virtual ~OutputStream() = default;
    // Appends at the end.
    virtual void write(const void* bytes, std::size_t count) = 0;
    // Overwrites what was written before, as a header finished at the end.
    virtual void writeAt(std::uint64_t offset, const void* bytes, std::size_t count) = 0;
};

class MemoryInput final : public InputStream {
public:
    explicit MemoryInput(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
    std::uint64_t size() const override { return bytes_.size(); }
    void seek(std::uint64_t offset) override;
    std::size_t read(void* buffer, std::size_t count) override;

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

class MemoryOutput final : public OutputStream {
public:
    void write(const void* bytes, std::size_t count) override;
    void writeAt(std::uint64_t offset, const void* bytes, std::size_t count) override;
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

// Reads exactly count bytes or throws: the file ends where it should not.
void readExactly(InputStream& input, void* buffer, std::size_t count);

inline std::uint16_t littleEndian16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}
inline std::uint32_t littleEndian32(const std::uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
inline std::uint32_t bigEndian32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}
void putLittleEndian16(std::uint8_t* p, std::uint16_t value);
void putLittleEndian32(std::uint8_t* p, std::uint32_t value);

} // namespace korimba::audio
