#pragma once

#include <cstdint>
#include <span>

#include "model/Font.h"

namespace pixmere {

// The largest text picture: 256 characters of 255 x 255 pixels with their lines, and the six
// parameter lines.
inline constexpr uint64_t kTxtLargestFile = 1024 + 256ull * (32 + 255 * (256 + 2));

// Reads a text picture as saveTXT writes it: the six parameter lines, two empty lines, then for
// each character an empty line, "// Car" and its code, and one line per row of "#" for ink and
// spaces for background, 8 per byte of the row, padding included. Lines may end in LF or CR LF
// and rows may lack their trailing spaces; empty lines may follow the last character, and the
// file ends with a line end.
// Throws UserError(kBadFontFileMessage) for anything else: a file larger than kTxtLargestFile,
// parameters that are missing or not a font the editor can hold, codes out of sequence, rows
// longer than their bytes or holding other characters, characters missing or in excess.
LoadedFont LoadTXT(std::span<const uint8_t> file);

}  // namespace pixmere
