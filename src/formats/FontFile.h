#pragma once

#include <cstdint>
#include <vector>

#include "model/Font.h"

namespace pixmere {

// The four file types a font is saved as, numbered as the Save As dialog lists them.
enum class FontFileType : uint8_t { Native = 1, Bin = 2, C = 3, Txt = 4 };

struct FontFileBytes {
    std::vector<uint8_t> bytes;
    bool droppedBelow20 = false;  // a native file left out the codes below 20h
};

// The bytes of the font in a file type; a native file gets a fresh key.
// Throws UserError when a native file would hold no character.
FontFileBytes FontFileContent(const Font& font, FontFileType type);

}  // namespace pixmere
