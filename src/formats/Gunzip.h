#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace pixmere {

// Whether the bytes start like a gzip file.
bool IsGzip(std::span<const uint8_t> file);

// The content of a gzip file (every member, one after the other). Throws
// UserError(kBadFontFileMessage) when the file is damaged or its content is larger than
// `largest` bytes, which is found before more than that is held in memory; the reason says which.
std::vector<uint8_t> Gunzip(std::span<const uint8_t> file, uint64_t largest);

// The bytes of a file that may be gzip-compressed: the file itself, or its content inflated into
// `inflated`. Throws UserError(kBadFontFileMessage) when the file or its content is larger than
// `largest` or the compressed data is damaged.
std::span<const uint8_t> Uncompressed(std::span<const uint8_t> file, uint64_t largest,
                                      std::vector<uint8_t>& inflated);

}  // namespace pixmere
