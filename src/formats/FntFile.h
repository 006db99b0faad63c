#pragma once

#include <cstdint>
#include <span>

#include "model/Font.h"

namespace pixmere {

// Reads the Windows raster font resource (versions 0200 and 0300 hexadecimal) that starts at
// byte `offset` of `file`: 0 for a stand-alone .fnt file, a font's resource offset inside a .fon
// library. Proportional glyphs are left-aligned in cells as wide as the widest glyph.
//
// Throws UserError(kBadFontFileMessage) for another version, a vector font, a font the document
// cannot hold (height 0 or above 255, a width above 255, every width 0, ascent above the
// height, last character below the first) and for a resource that reaches past the end of the
// file (its size field, character table or any glyph bitmap).
// The smallest resource that can hold a font: the version 2.0 header, up to its character table.
inline constexpr uint64_t kFntHeaderSize = 118;

// The largest .fnt file read: the glyph data of the largest font the editor holds (2 MB) twice
// over leaves room for any header, table, names and padding a real font has.
inline constexpr uint64_t kFntLargestFile = 4 << 20;

LoadedFont FntBegin(std::span<const uint8_t> file, uint64_t offset = 0);

}  // namespace pixmere
