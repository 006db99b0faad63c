#pragma once

#include <cstdint>
#include <span>

#include "formats/CellPlacement.h"

namespace pixmere {

// The largest BDF or PCF file read: far above the largest X11 font (a few megabytes), far below
// what would strain memory.
inline constexpr uint64_t kBdfPcfLargestFile = 64ull << 20;

// Reads an X11 bitmap font: BDF 2.1 or PCF, plain or gzip-compressed. Fonts registered as
// ISO10646 take for code c the character c means in Windows-1252; other fonts take the glyph
// encoded c. A PIXMERE_MAGNIFICATION property of 1 to 5 gives the magnification, 1 otherwise.
// See PlaceInCells for the cell. Throws UserError(kBadFontFileMessage) for a file larger than
// kBdfPcfLargestFile, a file of another kind, a damaged one or one whose glyphs are not 1 bit per
// pixel, and PlaceInCells's errors.
ImportedFont LoadBdfPcf(std::span<const uint8_t> file);

}  // namespace pixmere
