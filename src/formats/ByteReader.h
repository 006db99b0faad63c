#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "model/UserError.h"

namespace pixmere {

// Little-endian reads from a file held in memory. Every read is checked against the end of the
// file: reaching past it means the file is damaged, which the user hears as the bad-file
// message. Positions are 64-bit so that offset arithmetic on 32-bit fields cannot wrap.
class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    uint64_t size() const { return bytes_.size(); }
    // Whether count bytes from at lie inside the file.
    bool has(uint64_t at, uint64_t count) const {
        return at <= bytes_.size() && count <= bytes_.size() - at;
    }
    void require(uint64_t at, uint64_t count) const {
        if (!has(at, count)) throw UserError(kBadFontFileMessage);
    }

    uint8_t u8(uint64_t at) const {
        require(at, 1);
        return bytes_[static_cast<std::size_t>(at)];
    }
    uint16_t u16(uint64_t at) const {
        require(at, 2);
        const std::size_t n = static_cast<std::size_t>(at);
        return static_cast<uint16_t>(bytes_[n] | bytes_[n + 1] << 8);
    }
    uint32_t u32(uint64_t at) const {
        require(at, 4);
        return static_cast<uint32_t>(u16(at)) | static_cast<uint32_t>(u16(at + 2)) << 16;
    }
    // The same, most significant byte first, which some formats choose per table.
    uint32_t u32be(uint64_t at) const {
        require(at, 4);
        const std::size_t n = static_cast<std::size_t>(at);
        return static_cast<uint32_t>(bytes_[n]) << 24 | static_cast<uint32_t>(bytes_[n + 1]) << 16 |
               static_cast<uint32_t>(bytes_[n + 2]) << 8 | bytes_[n + 3];
    }
    std::span<const uint8_t> span(uint64_t at, uint64_t count) const {
        require(at, count);
        return bytes_.subspan(static_cast<std::size_t>(at), static_cast<std::size_t>(count));
    }

private:
    std::span<const uint8_t> bytes_;
};

}  // namespace pixmere
