#pragma once

#include <cstdint>
#include <span>

#include "formats/CellPlacement.h"

namespace pixmere {

// The largest PSF file read, compressed or not: console fonts take tens of kilobytes; this
// holds 512 glyphs of the largest cell with room to spare.
inline constexpr uint64_t kPsfLargestFile = 16ull << 20;

// Reads a Linux console font, PSF version 1 or 2, plain or gzip-compressed. With a Unicode
// table, code c takes the glyph of the character c means in Windows-1252; without one, glyph c.
// The glyphs fill their cells from the top-left corner; the downstroke is the number of rows
// below the lowest ink of the "X" (0 without one). Throws UserError(kBadFontFileMessage) for a
// file (or content) larger than kPsfLargestFile, a file of another kind or a damaged one, and
// UserError(CellSizeMessage) for cells of 0 or more than 255 pixels.
ImportedFont LoadPsf(std::span<const uint8_t> file);

}  // namespace pixmere
