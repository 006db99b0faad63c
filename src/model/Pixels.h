#pragma once

#include <cstdint>

namespace pixmere {

// How every glyph row is packed: eight pixels to a byte, pixel x in byte x / 8, the leftmost
// pixel in the most significant bit. Bits past the width are padding.
constexpr uint8_t PixelMask(int x) { return static_cast<uint8_t>(0x80 >> (x % 8)); }
constexpr bool PixelAt(const uint8_t* row, int x) { return (row[x / 8] & PixelMask(x)) != 0; }
constexpr void SetPixelAt(uint8_t* row, int x) { row[x / 8] |= PixelMask(x); }
constexpr void ClearPixelAt(uint8_t* row, int x) {
    row[x / 8] &= static_cast<uint8_t>(~PixelMask(x));
}
// The bits of a row's last byte that hold pixels, the padding's cleared.
constexpr uint8_t LastByteMask(int width) {
    return static_cast<uint8_t>(0xFF << ((8 - width % 8) % 8));
}

}  // namespace pixmere
