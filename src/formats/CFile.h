#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "model/Font.h"

namespace pixmere {

// The message of a C table that does not fit the entered parameters.
extern const char* const kBadCFileMessage;

// The parameters a C table states in the "// Height:", "// Width:", "// First Car:",
// "// Nb Car:", "// Underline:" and "// Magnification:" lines the C export starts it with, when
// all six are there in that order, make a font the editor can hold and match the number of
// literals in the table; nullopt otherwise. The parameters dialog opens filled with them.
std::optional<FontParams> CFileParameters(std::span<const uint8_t> file);

// The largest C table read: the C export of the largest font (256 characters of 255 x 255
// pixels) is about 23 MB; comments and blanks of another writer may add some.
inline constexpr uint64_t kCLargestFile = 64 << 20;

// Reads a C source font table for the parameters entered in the font parameters dialog:
// FormatHeightCar, FormatLengthCar, jambon and Magnification are taken from `entered`. The
// range is the table's own when CFileParameters finds one, 20..FF hexadecimal (224 characters)
// otherwise; `entered`'s range is never used.
//
// Only literals are read. The first "0b" or "0x" marker of the file fixes its format: binary
// literals are "0b" and eight digits "0" or "1"; hexadecimal ones are "0x" and up to two
// hexadecimal digits of either case (none gives 0). Markers of the other format are skipped.
// The literals fill the glyphs byte by byte, row by row, character by character; literals past
// the last glyph are ignored and glyphs without literals stay blank.
//
// Throws UserError(kBadCFileMessage) when the file holds no marker, its literals do not end
// exactly at the end of a glyph, a binary literal has a digit other than "0" or "1" or is cut
// off by the end of the file, or the entered parameters are not ones the dialog accepts.
LoadedFont ParseCFile(std::span<const uint8_t> file, const FontParams& entered);

}  // namespace pixmere
