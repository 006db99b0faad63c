#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/Font.h"

namespace pixmere {

// The font as a BDF 2.1 file in Unicode (ISO10646-1): every code of the font is one character
// whose encoding is what the code means in Windows-1252 (the five codes that code page leaves
// undefined keep their own value), drawn over the whole cell with the baseline on top of the
// downstroke rows. The magnification, which BDF has no field for, is the property
// PIXMERE_MAGNIFICATION. `name` (the document's name) becomes the family of the XLFD font name,
// shortened so that the name stays within what readers take; every field of that name is also
// written as its property (FOUNDRY to CHARSET_ENCODING, AVERAGE_WIDTH included, which console
// font builders need). Padding bits are not written. The font is not changed.
std::vector<uint8_t> saveBDF(const Font& font, const std::string& name);

// The family field of an XLFD name: the characters a name cannot hold ("-", "?", "*", ",",
// '"' and anything outside printable ASCII) become "_"; an empty name becomes "Pixmere".
std::string XlfdFamily(const std::string& name);

}  // namespace pixmere
