#include <gtest/gtest.h>

#include "formats/FntFile.h"
#include "formats/FonLibrary.h"
#include "model/UserError.h"
#include "support/GlyphPicture.h"
#include "support/TempDir.h"

namespace pixmere {
namespace {

void Put(std::vector<uint8_t>& bytes, std::size_t at, uint32_t value, int size) {
    if (bytes.size() < at + size) bytes.resize(at + size);
    for (int n = 0; n < size; ++n) bytes[at + n] = static_cast<uint8_t>(value >> 8 * n);
}

// A font resource of the given version: one glyph per picture ('#' ink), each as wide as its
// widest row (or as `widths` says), stored in vertical strips after the character table.
std::vector<uint8_t> BuildFnt(int version, int height, int ascent,
                              const std::vector<std::vector<std::string>>& glyphs,
                              std::vector<int> widths = {}) {
    const bool v3 = version == 0x0300;
    const std::size_t table = v3 ? 148 : 118, entry = v3 ? 6 : 4;
    std::vector<uint8_t> out(table + entry * (glyphs.size() + 1));
    Put(out, 0, version, 2);
    Put(out, 74, ascent, 2);
    Put(out, 88, height, 2);
    Put(out, 95, 0x41, 1);
    Put(out, 96, 0x41 + static_cast<uint32_t>(glyphs.size()) - 1, 1);
    if (v3) Put(out, 118, 0x12, 4);
    for (std::size_t c = 0; c < glyphs.size(); ++c) {
        if (widths.size() <= c) widths.push_back(glyphs[c].empty() ? 0 : int(glyphs[c][0].size()));
        Put(out, table + entry * c, widths[c], 2);
        Put(out, table + entry * c + 2, static_cast<uint32_t>(out.size()), v3 ? 4 : 2);
        // Rows missing from a picture are blank.
        const std::vector<uint8_t> rows = test::PictureBytes(glyphs[c], 32);
        for (int s = 0; s < (widths[c] + 7) / 8; ++s) {
            for (int r = 0; r < height; ++r)
                out.push_back(r * 32u < rows.size() ? rows[r * 32 + s] : 0);
        }
    }
    Put(out, 2, static_cast<uint32_t>(out.size()), 4);
    return out;
}

void ExpectRefused(const std::vector<uint8_t>& bytes, uint64_t offset = 0) {
    try {
        FntBegin(bytes, offset);
        ADD_FAILURE() << "a damaged font was accepted";
    } catch (const UserError& e) {
        EXPECT_STREQ(e.what(), kBadFontFileMessage);
        EXPECT_EQ(e.caption(), "Error");
    }
}

TEST(FntBegin, Version2FontTakesTheWidestGlyphAndLeftAlignsTheOthers) {
    // 20..7E, height 13, ascent 10, widths 3 to 9.
    std::vector<std::vector<std::string>> glyphs;
    for (int c = 0; c < 95; ++c)
        glyphs.push_back(std::vector<std::string>(13, std::string(3 + c % 7, '#')));
    std::vector<uint8_t> bytes = BuildFnt(0x0200, 13, 10, glyphs);
    Put(bytes, 95, 0x20, 1);
    Put(bytes, 96, 0x7E, 1);
    const Font font = FntBegin(bytes).build();
    EXPECT_EQ(font.params.NbCar, 95);
    EXPECT_EQ(font.params.firstcar, 0x20);
    EXPECT_EQ(font.params.FormatLengthCar, 9);
    EXPECT_EQ(font.params.NbByteMatrix(), 2);
    EXPECT_EQ(font.params.jambon, 3);
    EXPECT_EQ(font.params.Magnification, 1);
    for (int y = 0; y < 13; ++y) {
        EXPECT_EQ(font.glyphs[2].carbitmap(0, y), 0xF8);  // width 5
        EXPECT_EQ(font.glyphs[2].carbitmap(1, y), 0);
        EXPECT_EQ(font.glyphs[6].carbitmap(1, y), 0x80);  // width 9
    }
}

TEST(FntBegin, StripsBecomeByteColumnsAndEmptySlotsStayBlank) {
    std::vector<uint8_t> bytes = BuildFnt(0x0200, 3, 3, {{"", "", ""}, {}}, {16, 0});
    const uint8_t strips[6] = {0x81, 0x42, 0x24, 0x18, 0x0F, 0xF0};
    std::copy(strips, strips + 6, bytes.begin() + (bytes[120] | bytes[121] << 8));
    Put(bytes, 124, 0xFFFF, 2);  // an empty slot's offset is never followed
    const LoadedFont loaded = FntBegin(bytes);
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(loaded.matrix.at(0, r, 0), strips[r]);
        EXPECT_EQ(loaded.matrix.at(1, r, 0), strips[3 + r]);
        EXPECT_EQ(loaded.matrix.at(0, r, 1) | loaded.matrix.at(1, r, 1), 0);
    }
}

TEST(FntBegin, Version3TableHasSixByteEntriesWithThirtyTwoBitOffsets) {
    // 52 blank glyphs 255 wide and 40 high put the last bitmap above 64 kilobytes; the low 16
    // bits of its offset point into blank bitmaps.
    std::vector<std::vector<std::string>> glyphs(52, std::vector<std::string>(40));
    std::vector<int> widths(52, 255);
    std::vector<std::string> x(40, ".....");
    x[0] = "#...#";
    x[1] = ".#.#.";
    x[39] = "#####";
    glyphs.push_back(x);
    const std::vector<uint8_t> bytes = BuildFnt(0x0300, 40, 30, glyphs, widths);
    ASSERT_GT(bytes.size(), 0x10000u);
    const Font font = FntBegin(bytes).build();
    EXPECT_EQ(font.params.FormatLengthCar, 255);
    EXPECT_EQ(font.params.jambon, 10);
    EXPECT_EQ(test::Joined(test::GlyphPicture(font.glyphs[52], 5)), test::Joined(x));
}

TEST(FntBegin, ReadsAtAnOffsetAndRefusesWhatTheDocumentCannotHold) {
    const std::vector<uint8_t> good = BuildFnt(0x0300, 4, 3, {{"#", "#", "#", "#"}, {"##"}});
    std::vector<uint8_t> embedded = good;
    embedded.insert(embedded.begin(), 37, 0x5A);
    EXPECT_EQ(FntBegin(embedded, 37).build().glyphData(), FntBegin(good).build().glyphData());
    ExpectRefused(embedded, 0);
    ExpectRefused(embedded, uint64_t{1} << 40);

    const auto with = [&](std::size_t at, uint32_t value, int size) {
        std::vector<uint8_t> bytes = good;
        Put(bytes, at, value, size);
        return bytes;
    };
    ExpectRefused(with(0, 0x0100, 2));             // version
    ExpectRefused(with(66, 1, 2));                 // vector font
    ExpectRefused(with(88, 0, 2));                 // height 0
    ExpectRefused(with(88, 256, 2));               // height above 255
    ExpectRefused(with(74, 5, 2));                 // ascent below the cell
    ExpectRefused(with(96, 0x40, 1));              // last below first
    ExpectRefused(with(148, 256, 2));              // width above 255
    ExpectRefused(with(118, 0x41, 4));             // 256-colour font
    ExpectRefused(with(2, good.size() + 1, 4));    // cut off: shorter than its size field
    ExpectRefused(with(150, good.size() - 3, 4));  // a bitmap past the end (4 rows)
    ExpectRefused(with(150, 0xFFFFFFF0u, 4));      // that wraps a 32-bit sum
    EXPECT_NO_THROW(FntBegin(with(150, good.size() - 4, 4)));
    ExpectRefused(BuildFnt(0x0200, 255, 0, {{}, {}}, {0, 0}));  // every width 0
    EXPECT_EQ(FntBegin(BuildFnt(0x0200, 255, 255, {{"#"}}, {255})).params.NbByteMatrix(), 32);
}

// A font resource of a real library, cut out as a stand-alone .fnt file.
std::vector<uint8_t> RealFnt(const std::string& library, int position) {
    const std::vector<uint8_t> bytes = test::ReadAll("/usr/share/wine/fonts/" + library);
    const FonFont font = ReadFontDirectory(bytes).fonts.at(static_cast<std::size_t>(position));
    const auto start = bytes.begin() + static_cast<long>(font.offset);
    return {start, start + font.size};
}

TEST(FntBegin, RealResourceReadsAsInItsLibraryAndEveryTruncationIsRefused) {
    const std::vector<uint8_t> sans = RealFnt("sserife.fon", 1);
    const Font alone = FntBegin(sans).build();
    EXPECT_EQ(alone.params.FormatLengthCar, 14);
    EXPECT_EQ(
        alone.glyphData(),
        LoadFonFont(test::ReadAll("/usr/share/wine/fonts/sserife.fon"), 1).build().glyphData());

    const std::vector<uint8_t> courier = RealFnt("coure.fon", 0);
    for (std::size_t length = 0; length < courier.size(); ++length) {
        EXPECT_THROW(FntBegin(std::span(courier).first(length)), UserError) << length;
    }
}

}  // namespace
}  // namespace pixmere
