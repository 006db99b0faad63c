#include "formats/CellPlacement.h"

#include <algorithm>

#include "model/UserError.h"

namespace pixmere {

const char* const kNoCharacterMessage = "This font has no character with a code from 00h to FFh.";

std::string CellSizeMessage(long long width, long long height) {
    return "This font needs a cell of " + std::to_string(width) + " x " + std::to_string(height) +
           " pixels; a font is 1 to 255 pixels wide and high.";
}

void CheckCellSize(long long width, long long height) {
    if (width < 1 || width > 255 || height < 1 || height > 255) {
        throw UserError(CellSizeMessage(width, height));
    }
}

std::string CutCharactersMessage(int count) {
    return std::to_string(count) + (count == 1 ? " character" : " characters") +
           " lost the pixels that fell outside the cell.";
}

std::string AboveFFMessage(int count) {
    return std::to_string(count) + (count == 1 ? " character" : " characters") +
           " with a code above FFh " + (count == 1 ? "was" : "were") + " left out.";
}

namespace {

// Draws one glyph into character i of the matrix; whether some ink fell outside the cell.
bool Place(const SourceGlyph& glyph, int baseline, const FontParams& p, ByteMatrix& matrix, int i) {
    bool cut = false;
    for (int y = 0; y < glyph.rows; ++y) {
        const int row = baseline - glyph.top + y;
        for (int x = 0; x < glyph.width; ++x) {
            if (!glyph.ink(x, y)) continue;
            const int column = glyph.left + x;
            if (row < 0 || row >= p.FormatHeightCar || column < 0 || column >= p.FormatLengthCar) {
                cut = true;
                continue;
            }
            matrix.at(column / 8, row, i) |= static_cast<uint8_t>(0x80 >> (column % 8));
        }
    }
    return cut;
}

}  // namespace

ImportedFont PlaceInCells(const SourceFont& source) {
    int first = -1, last = -1;
    long long widest = 0;
    for (int c = 0; c < 256; ++c) {
        if (!source.codes[c]) continue;
        if (first < 0) first = c;
        last = c;
        widest = std::max<long long>(widest, source.codes[c]->advance);
    }
    if (first < 0) throw UserError(kNoCharacterMessage);
    if (source.ascent < 0 || source.descent < 0) throw UserError(kBadFontFileMessage);
    CheckCellSize(widest, static_cast<long long>(source.ascent) + source.descent);

    LoadedFont loaded;
    FontParams& p = loaded.params;
    p.FormatLengthCar = static_cast<uint8_t>(widest);
    p.FormatHeightCar = static_cast<uint8_t>(source.ascent + source.descent);
    p.jambon = static_cast<uint8_t>(source.descent);
    p.Magnification = source.magnification;
    p.firstcar = static_cast<uint8_t>(first);
    p.NbCar = last - first + 1;
    p.lastcar = static_cast<uint8_t>(last);
    loaded.matrix = p.blankMatrix();
    int cut = 0;
    for (int c = first; c <= last; ++c) {
        if (source.codes[c] &&
            Place(*source.codes[c], source.ascent, p, loaded.matrix, c - first)) {
            ++cut;
        }
    }
    return {std::move(loaded), cut};
}

}  // namespace pixmere
