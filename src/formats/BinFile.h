#pragma once

#include <cstdint>
#include <span>

#include "model/Font.h"

namespace pixmere {

// The largest download file: 256 characters of 255 x 255 pixels, the header and the trailer.
inline constexpr uint64_t kBinLargestFile = 5 + 256ull * 255 * 32 + 3;

// Reads a printer download file as saveBin writes it: width, height, downstroke, first code
// and the number of characters modulo 256 (0 for 256), the glyph data and three zero bytes.
// The file stores no magnification: the font takes `magnification` (1..5).
// Throws UserError(kBadFontFileMessage) when the length is not exactly what the header announces,
// the trailer is not three zeros, or the header is not a font the editor can hold.
LoadedFont LoadBin(std::span<const uint8_t> file, uint8_t magnification = 1);

}  // namespace pixmere
