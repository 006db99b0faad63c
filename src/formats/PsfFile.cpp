#include "formats/PsfFile.h"

#include <vector>

#include "formats/ByteReader.h"
#include "formats/Gunzip.h"
#include "model/UserError.h"
#include "model/Windows1252.h"

namespace pixmere {

namespace {

[[noreturn]] void Refuse() { throw UserError(kBadFontFileMessage); }

// Where the parts of a PSF file lie.
struct PsfLayout {
    int version = 1;
    uint64_t width = 0;
    uint64_t height = 0;
    uint64_t glyphCount = 0;
    uint64_t glyphSize = 0;  // bytes per glyph
    uint64_t glyphStart = 0;
    bool hasTable = false;

    uint64_t pitch() const { return (width + 7) / 8; }
    uint64_t tableStart() const { return glyphStart + glyphCount * glyphSize; }
};

constexpr uint32_t kPsf2Magic = 0x864AB572;

PsfLayout ReadLayout(const ByteReader& in) {
    PsfLayout layout;
    if (in.has(0, 2) && in.u8(0) == 0x36 && in.u8(1) == 0x04) {
        const uint8_t mode = in.u8(2);
        if (mode > 7) Refuse();
        layout.width = 8;
        layout.height = in.u8(3);
        layout.glyphCount = (mode & 1) ? 512 : 256;
        layout.glyphSize = layout.height;
        layout.glyphStart = 4;
        layout.hasTable = (mode & 6) != 0;
    } else if (in.has(0, 4) && in.u32(0) == kPsf2Magic) {
        layout.version = 2;
        if (in.u32(4) != 0) Refuse();
        layout.glyphStart = in.u32(8);
        layout.hasTable = (in.u32(12) & 1) != 0;
        layout.glyphCount = in.u32(16);
        layout.glyphSize = in.u32(20);
        layout.height = in.u32(24);
        layout.width = in.u32(28);
        if (layout.glyphStart < 32) Refuse();
    } else {
        Refuse();
    }
    CheckCellSize(static_cast<long long>(layout.width), static_cast<long long>(layout.height));
    if (layout.glyphCount == 0 || layout.glyphSize != layout.height * layout.pitch()) Refuse();
    in.require(layout.glyphStart, layout.glyphCount * layout.glyphSize);
    return layout;
}

// One UTF-8 character of a PSF 2 table entry starting at `at`; advances `at`.
char32_t NextUtf8(const ByteReader& in, uint64_t& at) {
    const uint8_t lead = in.u8(at++);
    if (lead < 0x80) return lead;
    const int extra = lead >= 0xF0 && lead < 0xF5 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
    if (extra < 0 || lead >= 0xF5) Refuse();
    char32_t code = lead & (0x3F >> extra);
    for (int n = 0; n < extra; ++n) {
        const uint8_t next = in.u8(at++);
        if ((next & 0xC0) != 0x80) Refuse();
        code = code << 6 | (next & 0x3F);
    }
    return code;
}

// The glyph of each character the table lists, keyed by the characters the codes 00..FF mean.
// Sequences (after the separator) combine several characters into one glyph and are skipped.
std::array<int, 256> ReadTable(const ByteReader& in, const PsfLayout& layout) {
    std::array<int, 256> wanted;  // code -> glyph
    wanted.fill(-1);
    const bool two = layout.version == 2;
    const uint32_t end = two ? 0xFF : 0xFFFF;
    const uint32_t sequences = two ? 0xFE : 0xFFFE;
    uint64_t at = layout.tableStart();
    for (uint64_t glyph = 0; glyph < layout.glyphCount; ++glyph) {
        bool inSequences = false;
        for (;;) {
            const uint32_t peek = two ? in.u8(at) : in.u16(at);
            if (peek == end || peek == sequences) {
                at += two ? 1 : 2;
                if (peek == end) break;
                inSequences = true;
                continue;
            }
            char32_t character = peek;
            if (two) {
                character = NextUtf8(in, at);
            } else {
                at += 2;
            }
            const int code = inSequences ? -1 : UnicodeToWindows1252(character);
            if (code >= 0 && wanted[code] < 0) wanted[code] = static_cast<int>(glyph);
        }
    }
    return wanted;
}

SourceGlyph GlyphAt(const ByteReader& in, const PsfLayout& layout, int index, int ascent) {
    SourceGlyph glyph;
    glyph.top = ascent;
    glyph.advance = static_cast<int>(layout.width);
    glyph.width = static_cast<int>(layout.width);
    glyph.rows = static_cast<int>(layout.height);
    glyph.pitch = static_cast<int>(layout.pitch());
    const auto bits = in.span(layout.glyphStart + layout.glyphSize * index, layout.glyphSize);
    glyph.bits.assign(bits.begin(), bits.end());
    return glyph;
}

// Rows below the lowest ink of the glyph; 0 when it has none.
int RowsBelowInk(const SourceGlyph& glyph) {
    for (int y = glyph.rows - 1; y >= 0; --y) {
        for (int x = 0; x < glyph.width; ++x) {
            if (glyph.ink(x, y)) return glyph.rows - 1 - y;
        }
    }
    return 0;
}

ImportedFont ReadPsf(std::span<const uint8_t> bytes) {
    const ByteReader in(bytes);
    const PsfLayout layout = ReadLayout(in);
    std::array<int, 256> glyphOf;
    if (layout.hasTable) {
        glyphOf = ReadTable(in, layout);
    } else {
        for (int c = 0; c < 256; ++c)
            glyphOf[c] = static_cast<uint64_t>(c) < layout.glyphCount ? c : -1;
    }
    SourceFont source;
    source.descent = glyphOf['X'] < 0 ? 0 : RowsBelowInk(GlyphAt(in, layout, glyphOf['X'], 0));
    source.ascent = static_cast<int>(layout.height) - source.descent;
    for (int c = 0; c < 256; ++c) {
        if (glyphOf[c] >= 0) source.codes[c] = GlyphAt(in, layout, glyphOf[c], source.ascent);
    }
    return PlaceInCells(source);
}

}  // namespace

ImportedFont LoadPsf(std::span<const uint8_t> file) {
    std::vector<uint8_t> inflated;
    return ReadPsf(Uncompressed(file, kPsfLargestFile, inflated));
}

}  // namespace pixmere
