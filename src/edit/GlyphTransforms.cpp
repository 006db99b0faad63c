#include "edit/GlyphTransforms.h"

#include <algorithm>
#include <array>
#include <vector>

namespace pixmere {

namespace {

// A row of the widest glyph: 255 pixels in 32 bytes.
using RowBits = std::array<uint8_t, 32>;

// The bits of byte b that lie inside a row W pixels wide.
uint8_t CellMask(int b, int W) {
    const int inside = std::clamp(W - 8 * b, 0, 8);
    return static_cast<uint8_t>(0xFF00 >> inside);
}

RowBits CellBits(const uint8_t* row, int B, int W) {
    RowBits bits{};
    for (int b = 0; b < B; ++b) bits[b] = row[b] & CellMask(b, W);
    return bits;
}

// Writes the pixels inside the width, keeping the padding bits of the row.
void PutCellBits(uint8_t* row, const RowBits& bits, int B, int W) {
    for (int b = 0; b < B; ++b) {
        const uint8_t mask = CellMask(b, W);
        row[b] = static_cast<uint8_t>((row[b] & ~mask) | (bits[b] & mask));
    }
}

// Pixel x of the result is pixel x - n of `in` (n > 0 moves right, n < 0 left); pixels moved in
// from beyond either end are background.
RowBits Shifted(const RowBits& in, int B, int n) {
    RowBits out{};
    const auto byte = [&](int b) { return b >= 0 && b < B ? in[b] : uint8_t{0}; };
    for (int b = 0; b < B; ++b) {
        const int source = 8 * b - n;  // the pixel that lands on the first of byte b
        const int sb = source >= 0 ? source / 8 : -((7 - source) / 8);
        const int offset = source - 8 * sb;
        out[b] = offset == 0
                     ? byte(sb)
                     : static_cast<uint8_t>(byte(sb) << offset | byte(sb + 1) >> (8 - offset));
    }
    return out;
}

uint8_t Reversed(uint8_t v) {
    v = static_cast<uint8_t>((v & 0xF0) >> 4 | (v & 0x0F) << 4);
    v = static_cast<uint8_t>((v & 0xCC) >> 2 | (v & 0x33) << 2);
    return static_cast<uint8_t>((v & 0xAA) >> 1 | (v & 0x55) << 1);
}

RowBits Mirrored(const RowBits& in, int B, int W) {
    // Reversing all 8B bits puts pixel x at 8B - 1 - x; the padding then lies on the left.
    RowBits reversed{};
    for (int b = 0; b < B; ++b) reversed[b] = Reversed(in[B - 1 - b]);
    return Shifted(reversed, B, W - 8 * B);
}

}  // namespace

int ItalicShift(int y, int H, int jambon, int slant) {
    const int firstDownstroke = H - jambon;
    if (y < firstDownstroke) return (firstDownstroke - 1 - y) / slant;
    const int d = y - firstDownstroke + 1;
    return -((d + slant - 1) / slant);
}

void TransformGlyph(CarObject& glyph, GlyphTransform transform, int jambon, int slant) {
    const int B = glyph.ByteWidth() + 1;
    const int W = glyph.bitwidth() + 1;
    const int H = glyph.Height() + 1;
    const bool upsideDown =
        transform == GlyphTransform::FlipVertical || transform == GlyphTransform::Rotate180;
    // Turning upside down reads each row from its mirror row: from a copy.
    const std::vector<uint8_t> before = upsideDown ? glyph.bytes() : std::vector<uint8_t>{};
    for (int y = 0; y < H; ++y) {
        const uint8_t* source =
            upsideDown ? before.data() + static_cast<std::size_t>(H - 1 - y) * B : glyph.row(y);
        RowBits bits = CellBits(source, B, W);
        switch (transform) {
            case GlyphTransform::FlipHorizontal:
            case GlyphTransform::Rotate180:
                bits = Mirrored(bits, B, W);
                break;
            case GlyphTransform::FlipVertical:
                break;
            case GlyphTransform::Invert:
                for (int b = 0; b < B; ++b) bits[b] = static_cast<uint8_t>(~bits[b]);
                break;
            case GlyphTransform::Bold: {
                const RowBits right = Shifted(bits, B, 1);
                for (int b = 0; b < B; ++b) bits[b] |= right[b];
                break;
            }
            case GlyphTransform::Italic:
                bits = Shifted(bits, B, ItalicShift(y, H, jambon, slant));
                break;
        }
        PutCellBits(glyph.row(y), bits, B, W);
    }
}

}  // namespace pixmere
