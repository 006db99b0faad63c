#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/Font.h"

namespace pixmere {

// One character of a bitmap font made elsewhere: a 1-bit picture (rows of `pitch` bytes, the
// most significant bit leftmost) placed against the pen position on the baseline.
struct SourceGlyph {
    int left = 0;     // columns from the pen position to the picture's left edge
    int top = 0;      // rows from the baseline up to the picture's top edge
    int advance = 0;  // how far the pen moves on to the next character
    int width = 0;
    int rows = 0;
    int pitch = 0;
    std::vector<uint8_t> bits;

    bool ink(int x, int y) const {
        return (bits[static_cast<std::size_t>(y) * pitch + x / 8] & (0x80 >> (x % 8))) != 0;
    }
};

// Such a font with its glyphs already chosen for the codes 00..FF.
struct SourceFont {
    int ascent = 0;   // rows above the baseline
    int descent = 0;  // rows below it
    uint8_t magnification = 1;
    std::array<std::optional<SourceGlyph>, 256> codes;
};

// A font brought in from another format, how many of its characters lost pixels that fell
// outside the cell and how many it had with codes above FFh, which were left out (the user is
// told about both).
struct ImportedFont {
    ImportedFont(LoadedFont loaded, int cut = 0) : font(std::move(loaded)), charactersCut(cut) {}

    LoadedFont font;
    int charactersCut = 0;
    int charactersAboveFF = 0;
};

// The message of a font with no character from 00h to FFh.
extern const char* const kNoCharacterMessage;

// The message of a font whose cell would be 0 or more than 255 pixels in either direction.
std::string CellSizeMessage(long long width, long long height);
// Throws UserError(CellSizeMessage) unless both sizes are 1..255.
void CheckCellSize(long long width, long long height);

// What the user is told after an import that cut `count` characters (count >= 1).
std::string CutCharactersMessage(int count);
// What the user is told after an import that left out `count` characters above FFh (count >= 1).
std::string AboveFFMessage(int count);

// Builds the Pixmere font: the cell is as wide as the largest advance and ascent + descent
// high, the downstroke is the descent and the baseline lies on top of the downstroke rows;
// each picture is drawn at its offsets from the pen position at the cell's left edge on the
// baseline, and what falls outside the cell is dropped. The range runs from the lowest to the
// highest code with a glyph. Throws UserError for a font without a character (kNoCharacterMessage),
// a cell of the wrong size (CellSizeMessage), or a negative ascent or descent (bad file).
ImportedFont PlaceInCells(const SourceFont& source);

}  // namespace pixmere
