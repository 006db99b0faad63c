#include "formats/FntFile.h"

#include <algorithm>
#include <vector>

#include "formats/ByteReader.h"
#include "model/UserError.h"

namespace pixmere {

namespace {

// Header fields, from the start of the resource.
constexpr uint64_t kVersion = 0;
constexpr uint64_t kSize = 2;
constexpr uint64_t kType = 66;
constexpr uint64_t kAscent = 74;
constexpr uint64_t kPixHeight = 88;
constexpr uint64_t kFirstChar = 95;
constexpr uint64_t kLastChar = 96;
constexpr uint64_t kFlags3 = kFntHeaderSize;  // version 3.0 only

// Version 2.0 has 4-byte character entries (16-bit width, 16-bit offset) at 118; version 3.0
// has 6-byte entries (16-bit width, 32-bit offset) at 148. Reading a 3.0 font with the 2.0
// table gives garbage.
struct CharTable {
    uint64_t start;
    uint64_t entrySize;
};

// Colour fonts of version 3.0 store several bits per pixel: not a monochrome bitmap.
constexpr uint32_t kColourFlags = 0x20 | 0x40 | 0x80;

[[noreturn]] void Refuse() { throw UserError(kBadFontFileMessage); }

}  // namespace

LoadedFont FntBegin(std::span<const uint8_t> file, uint64_t offset) {
    const ByteReader in(file);
    const auto field = [offset](uint64_t at) { return offset + at; };

    const uint16_t version = in.u16(field(kVersion));
    if (version != 0x0200 && version != 0x0300) Refuse();
    // A resource shorter than its own size field says has been cut off.
    in.require(offset, in.u32(field(kSize)));
    if (in.u16(field(kType)) != 0) Refuse();
    const CharTable table = version == 0x0300 ? CharTable{148, 6} : CharTable{118, 4};
    if (version == 0x0300 && (in.u32(field(kFlags3)) & kColourFlags) != 0) Refuse();

    const uint16_t ascent = in.u16(field(kAscent));
    const uint16_t pixHeight = in.u16(field(kPixHeight));
    const uint8_t firstChar = in.u8(field(kFirstChar));
    const uint8_t lastChar = in.u8(field(kLastChar));
    if (pixHeight == 0 || pixHeight > 255 || ascent > pixHeight || lastChar < firstChar) Refuse();
    const int count = lastChar - firstChar + 1;

    std::vector<uint16_t> widths(static_cast<std::size_t>(count));
    std::vector<uint32_t> bitmaps(static_cast<std::size_t>(count));
    for (int c = 0; c < count; ++c) {
        const uint64_t entry = field(table.start + table.entrySize * static_cast<uint64_t>(c));
        widths[c] = in.u16(entry);
        bitmaps[c] = table.entrySize == 6 ? in.u32(entry + 2) : in.u16(entry + 2);
    }
    const uint16_t widest = *std::max_element(widths.begin(), widths.end());
    if (widest == 0 || widest > 255) Refuse();

    LoadedFont loaded;
    FontParams& p = loaded.params;
    p.FormatHeightCar = static_cast<uint8_t>(pixHeight);
    p.FormatLengthCar = static_cast<uint8_t>(widest);
    p.jambon = static_cast<uint8_t>(pixHeight - ascent);
    p.firstcar = firstChar;
    p.NbCar = count;
    p.lastcar = lastChar;
    if (!p.valid()) Refuse();
    loaded.matrix = p.blankMatrix();

    // Glyphs are stored as vertical strips of 8 columns, each strip pixHeight bytes from the
    // top; the bit order is the matrix's, so bytes move unchanged from strips to rows.
    for (int c = 0; c < count; ++c) {
        if (widths[c] == 0) continue;
        const int strips = (widths[c] - 1) / 8 + 1;
        const std::span<const uint8_t> bits =
            in.span(field(bitmaps[c]), static_cast<uint64_t>(strips) * pixHeight);
        for (int s = 0; s < strips; ++s) {
            for (int r = 0; r < pixHeight; ++r) {
                loaded.matrix.at(s, r, c) = bits[static_cast<std::size_t>(s) * pixHeight + r];
            }
        }
    }
    return loaded;
}

}  // namespace pixmere
