#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "formats/CLayout.h"
#include "formats/CellPlacement.h"
#include "model/Font.h"

namespace pixmere {

// Adafruit GFX fonts: a C header of three arrays, NAMEBitmaps (the glyphs' pixels), NAMEGlyphs
// ({bitmapOffset, width, height, xAdvance, xOffset, yOffset} per code) and the GFXfont record
// NAME {bitmaps, glyphs, first, last, yAdvance}. The library draws a glyph's pixels from the
// cursor moved by xOffset and yOffset, the cursor row being the last row above the baseline
// (the letters' bottom row), as the library's own font converter writes them.

// The largest header read: far above the largest a 16-bit bitmap offset allows, comments and
// all.
inline constexpr uint64_t kGfxLargestFile = 16ull << 20;

// The header of a font, its arrays named after `name` (the file's base name) made into a C
// identifier. Each glyph keeps the bounding box of its ink, packed row after row, most
// significant bit first, without padding between rows and starting on a byte; an empty glyph
// is 0 x 0. xAdvance is the cell width, or with GfxAdvance::Ink the rightmost ink column + 2
// (at most 255; the cell width for an empty glyph); xOffset the first ink column; yOffset the
// first ink row's distance from the cursor row; yAdvance the cell height. The file starts with
// the C export's parameter lines, so that it reads back into the same cell, and a comment that
// names the library call standing in for the magnification, which has no field. Lines end in
// CR LF.
// Throws UserError with the reason when the font does not fit the format: an offset outside
// -128..127, or more than 65,535 bytes of bitmaps.
std::vector<uint8_t> saveGFX(const Font& font, const std::string& name,
                             GfxAdvance advance = GfxAdvance::Cell);

// Reads a GFX header as the library's font converter writes it: the three declarations with
// hexadecimal (or decimal) numbers, "const", "static" and "PROGMEM" anywhere before "=", the
// record's casts optional; comments and preprocessor lines are skipped. The cell is as wide as
// the largest xAdvance (at least the widest ink reach) and as high as the highest reach above
// the baseline plus the deepest below it, which is the downstroke; the codes are first..last
// within 00..FF, those above left out and counted. When the file starts with the parameter lines
// saveGFX writes and they agree with its arrays, they give the cell, downstroke and
// magnification instead; otherwise the magnification is 1.
// Throws UserError(kBadFontFileMessage) for a file larger than kGfxLargestFile or anything but
// such a header, and PlaceInCells's errors.
ImportedFont LoadGfx(std::span<const uint8_t> file);

}  // namespace pixmere
