#include "Streams.h"

#include "AudioError.h"

#include <algorithm>
#include <cstring>

namespace korimba::audio {

void MemoryInput::seek(std::uint64_t offset) {
    position_ = static_cast<std::size_t>(std::min<std::uint64_t>(offset, bytes_.size()));
}

std::size_t MemoryInput::read(void* buffer, std::size_t count) {
    const std::size_t n = std::min(count, bytes_.size() - position_);
    if (n > 0)
        std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += n;
    return n;
}

void MemoryOutput::write(const void* bytes, std::size_t count) {
    const auto* p = static_cast<const std::uint8_t*>(bytes);
    bytes_.insert(bytes_.end(), p, p + count);
}

void MemoryOutput::writeAt(std::uint64_t offset, const void* bytes, std::size_t count) {
    if (offset + count > bytes_.size())
        bytes_.resize(static_cast<std::size_t>(offset + count));
    std::memcpy(bytes_.data() + offset, bytes, count);
}

void readExactly(InputStream& input, void* buffer, std::size_t count) {
    if (input.read(buffer, count) != count)
        throw AudioError("the file is truncated");
}

void putLittleEndian16(std::uint8_t* p, std::uint16_t value) {
    p[0] = static_cast<std::uint8_t>(value);
    p[1] = static_cast<std::uint8_t>(value >> 8);
}

void putLittleEndian32(std::uint8_t* p, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

} // namespace korimba::audio
