#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/Font.h"

namespace pixmere {

// Texts are UTF-8. Names stored in a library are single-byte Windows-1252 text and are decoded
// from it; control characters and bytes that code page leaves undefined become U+FFFD. The
// "°" of the item text is U+00B0, the bytes C2 B0.

// One font of a library, as its font directory describes it.
struct FonFont {
    int ordinal = 0;       // the number of its font resource
    std::string faceName;  // from the directory entry
    int pixHeight = 0;     // dfPixHeight as the directory gives it
    uint32_t size = 0;     // dfSize as the directory gives it
    uint64_t offset = 0;   // where its font resource starts in the file
    std::string itemText;  // the selection list's item: "NAME n°ORDINAL (Height: H pixels)"
    std::string title;     // the document's title label: "DESCRIPTION     NAME"
};

struct FonLibrary {
    std::string description;     // the module description of the library
    std::vector<FonFont> fonts;  // in directory order: a font's position is its index here
};

// The largest .fon library read: several fonts of the largest size the editor holds.
inline constexpr uint64_t kFonLargestFile = 16 << 20;

// Lists the fonts of a .fon library (a 16-bit "NE" executable) through its resource table: the
// font directory resource gives the list and each font is found at the offset of the font
// resource whose number is the entry's ordinal.
// Throws UserError(kBadFontFileMessage) when the file is not such a library, a structure or the
// resource of a listed font reaches past the end of the file, the directory is missing or empty, or
// a listed font has no resource or one too short for a font header.
FonLibrary ReadFontDirectory(std::span<const uint8_t> file);

// Reads one listed font (FntBegin at its offset). Throws UserError like FntBegin.
LoadedFont LoadFonFont(std::span<const uint8_t> file, const FonFont& font);
// The same by position in the directory; std::out_of_range when there is no such position.
LoadedFont LoadFonFont(std::span<const uint8_t> file, int position);

// "NAME n°ORDINAL (Height: H pixels)".
std::string FonItemText(const std::string& faceName, int ordinal, int pixHeight);

}  // namespace pixmere
