#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "formats/CLayout.h"
#include "model/Font.h"

namespace pixmere {

// The exact bytes of each export file. None of them changes the font.
std::vector<uint8_t> saveBin(const Font& font);  // printer download file
std::vector<uint8_t> saveTXT(const Font& font);  // text picture

// C source table. The default layout writes the historical file: the parameter lines, then per
// glyph "// Car  N" and one line of binary literals per row, without a declaration. Any other
// layout adds a "// Layout:" line after "// Magnification:" naming every choice; a declared
// array is named after `name` (the file's base name) made into a C identifier, and picture
// comments follow each data line with its pixels ("#" ink, "." background), by the row in row
// order and as the page's rows on lines of their own in page order.
std::vector<uint8_t> saveC(const Font& font, const CLayout& layout = {},
                           const std::string& name = "");

}  // namespace pixmere
