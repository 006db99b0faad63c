#pragma once

#include <cstdint>
#include <span>

namespace pixmere {

// FreeType sets memory aside for what a BDF or PCF font declares while it opens the font, before
// any glyph reaches our own checks, and for some declarations far more than the file's bytes.
// These read those declarations first, so that opening a font never takes more than a small
// multiple of its size.

// The BDF glyphs, characters and properties. Throws UserError(CellSizeMessage) for a glyph
// box larger than a 255 x 255 cell's bitmap, and the bad-file refusal for bitmaps declared
// beyond the file's size, more characters than it can hold, more ENCODING lines than
// characters, more than kBdfMostProperties properties or more than 1 bit per pixel.
void CheckBdfRoom(std::span<const uint8_t> bdf);

// The PCF properties, whose names and texts FreeType copies one by one: properties pointing
// at the same long text would multiply it. Throws the bad-file refusal when the copies would
// exceed the file's size.
void CheckPcfRoom(std::span<const uint8_t> pcf);

// Real fonts have a few dozen properties; FreeType spends a few hundred bytes on each, however
// short its line.
inline constexpr uint64_t kBdfMostProperties = 1024;

}  // namespace pixmere
