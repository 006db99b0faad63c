#include "edit/FontGeometry.h"

#include <algorithm>
#include <vector>

#include "edit/GlyphMoves.h"
#include "model/Pixels.h"

namespace pixmere {

namespace {

// Fills one new, blank row (newB bytes) from the old one (oldB bytes, free to change) for the
// column commands.
void FillColumns(GeometryCommand command, uint8_t* old, int oldB, int oldW, uint8_t* row,
                 int newB) {
    switch (command) {
        case GeometryCommand::Aleft:
            // The new byte, if any, takes the last bit.
            std::copy(old, old + oldB, row);
            ShiftRowRight(row, newB);
            break;
        case GeometryCommand::Aright:
            std::copy(old, old + oldB, row);
            break;
        case GeometryCommand::Rleft:
            // Shifted at the old size, so a dropped byte still hands its first bit on.
            ShiftRowLeft(old, oldB);
            std::copy(old, old + newB, row);
            break;
        case GeometryCommand::Rright: {
            std::copy(old, old + newB, row);
            if (newB == oldB) {
                // Clear the removed column; a dropped byte held nothing else of the glyph.
                ClearPixelAt(row, oldW - 1);
            }
            break;
        }
        default:
            break;
    }
}

}  // namespace

bool GeometryAllowed(const FontParams& params, GeometryCommand command) {
    switch (command) {
        case GeometryCommand::Atop:
        case GeometryCommand::Abottom:
            return params.FormatHeightCar < 255;
        case GeometryCommand::Aleft:
        case GeometryCommand::Aright:
            return params.FormatLengthCar < 255;
        case GeometryCommand::Rtop:
        case GeometryCommand::Rbottom:
            return params.FormatHeightCar > 1;
        case GeometryCommand::Rleft:
        case GeometryCommand::Rright:
            return params.FormatLengthCar > 1;
    }
    return false;
}

bool ChangeGeometry(Font& font, GeometryCommand command) {
    FontParams& p = font.params;
    if (!GeometryAllowed(p, command)) return false;
    const int oldW = p.FormatLengthCar;
    const int oldH = p.FormatHeightCar;
    const int oldB = p.NbByteMatrix();
    switch (command) {
        case GeometryCommand::Atop:
        case GeometryCommand::Abottom:
            ++p.FormatHeightCar;
            break;
        case GeometryCommand::Rtop:
        case GeometryCommand::Rbottom:
            --p.FormatHeightCar;
            // A downstroke as high as the font shrinks with it: no font has more rows below its
            // baseline than it has rows, or its file would not load.
            p.jambon = std::min(p.jambon, p.FormatHeightCar);
            break;
        case GeometryCommand::Aleft:
        case GeometryCommand::Aright:
            ++p.FormatLengthCar;
            break;
        case GeometryCommand::Rleft:
        case GeometryCommand::Rright:
            --p.FormatLengthCar;
            break;
    }
    const int newW = p.FormatLengthCar;
    const int newH = p.FormatHeightCar;
    const int newB = p.NbByteMatrix();

    std::vector<uint8_t> old;
    for (CarObject& glyph : font.glyphs) {
        old = glyph.bytes();
        // Setting the bounds clears the glyph at its new size.
        glyph.setByteWidth(static_cast<uint8_t>(newB - 1));
        glyph.setBitwidth(static_cast<uint8_t>(newW - 1));
        glyph.setHeight(static_cast<uint8_t>(newH - 1));
        const auto oldRow = [&](int r) { return old.data() + static_cast<std::size_t>(r) * oldB; };
        switch (command) {
            case GeometryCommand::Atop:
                for (int r = 0; r < oldH; ++r) std::copy_n(oldRow(r), oldB, glyph.row(r + 1));
                break;
            case GeometryCommand::Abottom:
            case GeometryCommand::Rbottom:
                for (int r = 0; r < std::min(oldH, newH); ++r) {
                    std::copy_n(oldRow(r), oldB, glyph.row(r));
                }
                break;
            case GeometryCommand::Rtop:
                for (int r = 1; r < oldH; ++r) std::copy_n(oldRow(r), oldB, glyph.row(r - 1));
                break;
            default:
                for (int r = 0; r < newH; ++r) {
                    FillColumns(command, oldRow(r), oldB, oldW, glyph.row(r), newB);
                }
                break;
        }
    }
    return true;
}

}  // namespace pixmere
