#include "edit/GlyphMoves.h"

#include <algorithm>

namespace pixmere {

void ShiftRowLeft(uint8_t* row, int bytes) {
    for (int b = 0; b < bytes; ++b) {
        const int carry = b + 1 < bytes ? row[b + 1] >> 7 : 0;
        row[b] = static_cast<uint8_t>(((row[b] << 1) | carry) & 0xFF);
    }
}

void ShiftRowRight(uint8_t* row, int bytes) {
    for (int b = bytes - 1; b >= 0; --b) {
        const int carry = b > 0 ? (row[b - 1] & 1) << 7 : 0;
        row[b] = static_cast<uint8_t>(carry | (row[b] >> 1));
    }
}

void MoveGlyph(CarObject& glyph, MoveDirection direction) {
    const int B = glyph.ByteWidth() + 1;
    const int H = glyph.Height() + 1;
    switch (direction) {
        case MoveDirection::Up:
            for (int r = 0; r + 1 < H; ++r) std::copy_n(glyph.row(r + 1), B, glyph.row(r));
            std::fill_n(glyph.row(H - 1), B, uint8_t{0});
            break;
        case MoveDirection::Down:
            for (int r = H - 1; r > 0; --r) std::copy_n(glyph.row(r - 1), B, glyph.row(r));
            std::fill_n(glyph.row(0), B, uint8_t{0});
            break;
        case MoveDirection::Leeeft:
            for (int r = 0; r < H; ++r) ShiftRowLeft(glyph.row(r), B);
            break;
        case MoveDirection::Right:
            for (int r = 0; r < H; ++r) ShiftRowRight(glyph.row(r), B);
            break;
    }
}

}  // namespace pixmere
