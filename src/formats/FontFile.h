#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "formats/CLayout.h"
#include "model/Font.h"

namespace pixmere {

// The file types a font is saved as, numbered as the Save As dialog lists them.
enum class FontFileType : uint8_t { Native = 1, Bin = 2, C = 3, Txt = 4, Bdf = 5, Gfx = 6 };

struct FontFileBytes {
    std::vector<uint8_t> bytes;
    bool droppedBelow20 = false;  // a native file left out the codes below 20h
};

// The bytes of the font in a file type; a native file gets a fresh key. A BDF file takes the
// family of its font name from `documentName` (the file's name without its folder and
// extension, say), a declared C array and the GFX arrays their names. `layout` is the C file's
// layout and the GFX font's advance; the defaults write the historical C file.
// Throws UserError when a native file would hold no character or the font does not fit the
// GFX format.
FontFileBytes FontFileContent(const Font& font, FontFileType type,
                              const std::string& documentName = "", const CLayout& layout = {});

}  // namespace pixmere
