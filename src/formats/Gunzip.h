#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace pixmere {

// Whether the bytes start like a gzip file.
bool IsGzip(std::span<const uint8_t> file);

// The content of a gzip file (every member, one after the other). Throws
// UserError(kBadFontFileMessage) when the file is damaged or its content is larger than
// `largest` bytes, which is found before more than that is held in memory.
std::vector<uint8_t> Gunzip(std::span<const uint8_t> file, uint64_t largest);

}  // namespace pixmere
