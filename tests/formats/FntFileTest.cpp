#include <gtest/gtest.h>

#include "FontBuilders.h"
#include "formats/FntFile.h"
#include "formats/FonLibrary.h"
#include "model/UserError.h"
#include "support/GlyphPicture.h"
#include "support/TempDir.h"

namespace pixmere {
namespace {

using test::FntSpec;
using test::GlyphPicture;
using test::Joined;

void Put16(std::vector<uint8_t>& bytes, std::size_t at, int value) {
    bytes[at] = static_cast<uint8_t>(value);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

void Put32(std::vector<uint8_t>& bytes, std::size_t at, uint32_t value) {
    Put16(bytes, at, static_cast<int>(value & 0xFFFF));
    Put16(bytes, at + 2, static_cast<int>(value >> 16));
}

uint32_t Get16(const std::vector<uint8_t>& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8;
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

// The version 2.0 font of the usual example: 20..7E, height 13, ascent 10, widths 3 to 9.
FntSpec Version2Example() {
    FntSpec spec;
    spec.version = 0x0200;
    spec.first = 0x20;
    spec.height = 13;
    spec.ascent = 10;
    for (int c = 0; c < 95; ++c) {
        spec.widths.push_back(3 + c % 7);
        spec.glyphs.push_back(std::vector<std::string>(13, std::string(spec.widths.back(), '#')));
    }
    return spec;
}

TEST(FntBegin, Version2ParametersComeFromTheHeaderAndTheWidestGlyph) {
    const Font font = FntBegin(test::BuildFnt(Version2Example())).build();
    const FontParams& p = font.params;
    EXPECT_EQ(p.NbCar, 95);
    EXPECT_EQ(p.firstcar, 0x20);
    EXPECT_EQ(p.lastCode(), 0x7E);
    EXPECT_EQ(p.FormatLengthCar, 9);
    EXPECT_EQ(p.NbByteMatrix(), 2);
    EXPECT_EQ(p.FormatHeightCar, 13);
    EXPECT_EQ(p.jambon, 3);
    EXPECT_EQ(p.Magnification, 1);
    // Glyph 2 has width 5: left-aligned, its second byte column blank on every row.
    const CarObject& five = font.glyphs[2];
    for (int y = 0; y < 13; ++y) {
        EXPECT_EQ(five.carbitmap(0, y), 0xF8) << "row " << y;
        EXPECT_EQ(five.carbitmap(1, y), 0) << "row " << y;
    }
    // Glyph 6 has width 9: its ninth column is the top bit of the second byte.
    EXPECT_EQ(font.glyphs[6].carbitmap(0, 0), 0xFF);
    EXPECT_EQ(font.glyphs[6].carbitmap(1, 0), 0x80);
}

TEST(FntBegin, WideGlyphIsReadFromConsecutiveStrips) {
    FntSpec spec;
    spec.height = 3;
    spec.ascent = 3;
    spec.widths = {16, 0};
    std::vector<uint8_t> bytes = test::BuildFnt(spec);
    // Strip s, row r lies at bitmap + s * height + r.
    const std::size_t bitmap = Get16(bytes, 118 + 2);
    const uint8_t strips[6] = {0x81, 0x42, 0x24, 0x18, 0x0F, 0xF0};
    std::copy(strips, strips + 6, bytes.begin() + static_cast<long>(bitmap));
    const LoadedFont loaded = FntBegin(bytes);
    ASSERT_EQ(loaded.params.FormatLengthCar, 16);
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(loaded.matrix.at(0, r, 0), strips[r]);
        EXPECT_EQ(loaded.matrix.at(1, r, 0), strips[3 + r]);
    }
    // A width of 0 is an empty slot: its offset is not followed and the glyph stays blank.
    for (int r = 0; r < 3; ++r) EXPECT_EQ(loaded.matrix.at(0, r, 1), 0);
}

TEST(FntBegin, EmptySlotsWithWildOffsetsStayBlank) {
    FntSpec spec;
    spec.height = 2;
    spec.ascent = 1;
    spec.widths = {0, 3};
    spec.glyphs = {{}, {"#.#", ".#."}};
    std::vector<uint8_t> bytes = test::BuildFnt(spec);
    Put16(bytes, 118 + 2, 0xFFFF);
    const Font font = FntBegin(bytes).build();
    EXPECT_EQ(Joined(GlyphPicture(font.glyphs[0], 3)), Joined({"...", "..."}));
    EXPECT_EQ(Joined(GlyphPicture(font.glyphs[1], 3)), Joined({"#.#", ".#."}));
}

TEST(FntBegin, Version3TableHasSixByteEntriesWithThirtyTwoBitOffsets) {
    // 52 glyphs of width 255 and height 40 put the last glyph's bitmap above 64 kilobytes, so
    // only a 32-bit offset finds it; its low 16 bits point into blank bitmaps.
    FntSpec spec;
    spec.version = 0x0300;
    spec.height = 40;
    spec.ascent = 30;
    spec.first = 0x20;
    spec.widths.assign(52, 255);
    spec.glyphs.assign(52, {});
    spec.widths.push_back(5);
    std::vector<std::string> x(40, ".....");
    x[0] = "#...#";
    x[1] = ".#.#.";
    x[2] = "..#..";
    x[39] = "#####";
    spec.glyphs.push_back(x);
    const std::vector<uint8_t> bytes = test::BuildFnt(spec);
    ASSERT_GT(bytes.size(), 0x10000u);
    const Font font = FntBegin(bytes).build();
    EXPECT_EQ(font.params.NbCar, 53);
    EXPECT_EQ(font.params.FormatLengthCar, 255);
    EXPECT_EQ(font.params.jambon, 10);
    EXPECT_EQ(Joined(GlyphPicture(font.glyphs[52], 5)), Joined(x));
}

TEST(FntBegin, ReadsAtAGivenOffsetWithOffsetsRelativeToTheResource) {
    FntSpec spec = Version2Example();
    const std::vector<uint8_t> alone = test::BuildFnt(spec);
    std::vector<uint8_t> embedded = alone;
    embedded.insert(embedded.begin(), 37, 0x5A);
    embedded.insert(embedded.end(), 11, 0xA5);
    EXPECT_EQ(FntBegin(embedded, 37).build().glyphData(), FntBegin(alone).build().glyphData());
    ExpectRefused(embedded, 0);
    ExpectRefused(embedded, embedded.size());
    ExpectRefused(embedded, uint64_t{1} << 40);
}

TEST(FntBegin, RefusesWhatTheDocumentCannotHold) {
    FntSpec base;
    base.height = 4;
    base.ascent = 3;
    base.widths = {2, 3};
    const auto with = [&](auto change) {
        FntSpec spec = base;
        change(spec);
        return test::BuildFnt(spec);
    };
    ExpectRefused(with([](FntSpec& s) { s.version = 0x0100; }));
    ExpectRefused(with([](FntSpec& s) { s.version = 0x0301; }));
    ExpectRefused(with([](FntSpec& s) { s.type = 1; }));  // vector font
    ExpectRefused(with([](FntSpec& s) {
        s.height = 0;
        s.ascent = 0;
    }));
    ExpectRefused(with([](FntSpec& s) {
        s.height = 256;
        s.ascent = 200;
    }));
    ExpectRefused(with([](FntSpec& s) { s.widths[1] = 256; }));
    ExpectRefused(with([](FntSpec& s) { s.ascent = 5; }));
    ExpectRefused(with([](FntSpec& s) { s.widths = {0, 0, 0}; }));
    ExpectRefused(with([](FntSpec& s) {
        s.version = 0x0300;
        s.flags = 0x41;  // 256-colour font
    }));
    std::vector<uint8_t> reversed = test::BuildFnt(base);
    reversed[95] = 0x50;
    reversed[96] = 0x4F;
    ExpectRefused(reversed);

    // The limits themselves are accepted.
    const LoadedFont edge = FntBegin(with([](FntSpec& s) {
        s.height = 255;
        s.ascent = 255;
        s.widths = {255, 0};
    }));
    EXPECT_EQ(edge.params.FormatHeightCar, 255);
    EXPECT_EQ(edge.params.FormatLengthCar, 255);
    EXPECT_EQ(edge.params.jambon, 0);
    EXPECT_EQ(edge.params.NbByteMatrix(), 32);
}

TEST(FntBegin, RefusesTablesAndBitmapsPastTheEndOfTheFile) {
    FntSpec spec;
    spec.height = 4;
    spec.ascent = 3;
    spec.widths = {8, 16};
    const std::vector<uint8_t> good = test::BuildFnt(spec);
    ASSERT_NO_THROW(FntBegin(good));

    // A size field larger than the file: cut off.
    std::vector<uint8_t> longer = good;
    Put32(longer, 2, static_cast<uint32_t>(good.size() + 1));
    ExpectRefused(longer);

    // With a size field that does not tell, the table and the bitmaps are still checked.
    std::vector<uint8_t> tableCut(good.begin(), good.begin() + 118 + 4 + 2);
    Put32(tableCut, 2, 0);
    ExpectRefused(tableCut);
    std::vector<uint8_t> bitmapOut = good;
    Put32(bitmapOut, 2, 0);
    // The 16-wide glyph needs two strips of 4 rows: 8 bytes.
    Put16(bitmapOut, 118 + 4 + 2, static_cast<int>(good.size() - 7));
    ExpectRefused(bitmapOut);
    Put16(bitmapOut, 118 + 4 + 2, static_cast<int>(good.size() - 8));
    EXPECT_NO_THROW(FntBegin(bitmapOut));

    std::vector<uint8_t> v3 = test::BuildFnt([&] {
        FntSpec s = spec;
        s.version = 0x0300;
        return s;
    }());
    Put32(v3, 2, 0);
    Put32(v3, 148 + 6 + 2, 0xFFFFFFF0u);  // would wrap a 32-bit sum
    ExpectRefused(v3);
}

TEST(FntBegin, EmptyAndTinyFilesAreRefused) {
    ExpectRefused({});
    ExpectRefused({0x00});
    ExpectRefused({0x00, 0x02});
    ExpectRefused({0x00, 0x03, 0x10, 0x00, 0x00, 0x00});
}

// A font resource of a real library, cut out as a stand-alone .fnt file.
std::vector<uint8_t> RealFnt(const std::string& library, int position) {
    const std::vector<uint8_t> bytes = test::ReadAll(test::WineFont(library));
    const FonFont font = ReadFontDirectory(bytes).fonts.at(static_cast<std::size_t>(position));
    const std::size_t start = font.offset;
    const std::size_t size = bytes[start + 2] | bytes[start + 3] << 8 | bytes[start + 4] << 16;
    return {bytes.begin() + static_cast<long>(start),
            bytes.begin() + static_cast<long>(start + size)};
}

TEST(FntBegin, RealResourceCutOutOfALibraryReadsAsInTheLibrary) {
    const std::vector<uint8_t> fnt = RealFnt("sserife.fon", 1);
    ASSERT_EQ(Get16(fnt, 0), 0x0300u);
    const Font alone = FntBegin(fnt).build();
    const Font inLibrary = LoadFonFont(test::ReadAll(test::WineFont("sserife.fon")), 1).build();
    EXPECT_EQ(alone.params.FormatHeightCar, 16);
    EXPECT_EQ(alone.params.FormatLengthCar, 14);
    EXPECT_EQ(alone.params.jambon, 3);
    EXPECT_EQ(alone.glyphData(), inLibrary.glyphData());
}

TEST(FntBegin, RealFileTruncatedAtEveryLengthIsRefused) {
    const std::vector<uint8_t> fnt = RealFnt("coure.fon", 0);
    ASSERT_NO_THROW(FntBegin(fnt));
    for (std::size_t length = 0; length < fnt.size(); ++length) {
        const std::vector<uint8_t> cut(fnt.begin(), fnt.begin() + static_cast<long>(length));
        EXPECT_THROW(FntBegin(cut), UserError) << "length " << length;
    }
}

}  // namespace
}  // namespace pixmere
