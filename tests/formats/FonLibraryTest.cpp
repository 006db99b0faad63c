#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "FontBuilders.h"
#include "formats/CFile.h"
#include "formats/Exports.h"
#include "formats/FntFile.h"
#include "formats/FonLibrary.h"
#include "formats/NativeFile.h"
#include "model/UserError.h"
#include "support/GlyphPicture.h"
#include "support/TempDir.h"

namespace pixmere {
namespace {

using test::FonSpec;
using test::FonSpecFont;
using test::GlyphPicture;
using test::Joined;

void ExpectRefused(const std::vector<uint8_t>& bytes) {
    try {
        ReadFontDirectory(bytes);
        ADD_FAILURE() << "a damaged library was accepted";
    } catch (const UserError& e) {
        EXPECT_STREQ(e.what(), kBadFontFileMessage);
    }
}

const CarObject& Glyph(const Font& font, char code) {
    return font.glyphs.at(
        static_cast<std::size_t>(static_cast<uint8_t>(code) - font.params.firstcar));
}

std::vector<std::string> Picture(const Font& font, char code) {
    return GlyphPicture(Glyph(font, code), font.params.FormatLengthCar);
}

int Ink(const CarObject& glyph, int width) {
    int ink = 0;
    for (int y = 0; y <= glyph.Height(); ++y) {
        for (int x = 0; x < width; ++x) ink += glyph.pixel(x, y);
    }
    return ink;
}

Font LoadReal(const std::string& library, int position) {
    return LoadFonFont(test::ReadAll(test::WineFont(library)), position).build();
}

TEST(FonLibrary, EveryFontOfEveryInstalledLibraryLoadsAndConvertsToEachExport) {
    const std::vector<std::string> libraries = test::WineLibraries();
    ASSERT_GE(libraries.size(), 40u) << "fonts-wine is not installed";
    int fonts = 0;
    std::set<int> heights, widths;
    for (const std::string& path : libraries) {
        SCOPED_TRACE(path);
        const std::vector<uint8_t> bytes = test::ReadAll(path);
        const FonLibrary library = ReadFontDirectory(bytes);
        ASSERT_FALSE(library.fonts.empty());
        EXPECT_EQ(library.description.rfind("FONTRES ", 0), 0u) << library.description;
        for (const FonFont& entry : library.fonts) {
            SCOPED_TRACE(entry.itemText);
            ++fonts;
            const Font font = LoadFonFont(bytes, entry).build();
            const FontParams& p = font.params;
            EXPECT_EQ(p.FormatHeightCar, entry.pixHeight);
            EXPECT_EQ(p.firstcar, 0x20);
            EXPECT_EQ(p.NbCar, 224);
            EXPECT_GE(p.FormatLengthCar, 8);
            EXPECT_LE(p.FormatLengthCar, 20);
            EXPECT_GE(p.jambon, 2);
            EXPECT_LE(p.jambon, 4);
            heights.insert(p.FormatHeightCar);
            widths.insert(p.FormatLengthCar);
            // Space is blank; letters have ink, and none reaches past the widest glyph.
            EXPECT_EQ(Ink(Glyph(font, ' '), p.NbByteMatrix() * 8), 0);
            for (const char c : std::string("AHMWgx09")) {
                EXPECT_GE(Ink(Glyph(font, c), p.FormatLengthCar), 8) << c;
                EXPECT_EQ(Ink(Glyph(font, c), p.NbByteMatrix() * 8),
                          Ink(Glyph(font, c), p.FormatLengthCar))
                    << c;
            }

            const std::vector<uint8_t> bin = saveBin(font);
            EXPECT_EQ(bin.size(), p.glyphDataSize() + 8);
            const std::vector<uint8_t> txt = saveTXT(font);
            EXPECT_EQ(test::AsText(txt).rfind("// Height: " + std::to_string(p.FormatHeightCar), 0),
                      0u);
            // 224 characters from 20h: the C table reads back to the same glyphs.
            const LoadedFont c = ParseCFile(saveC(font), p);
            EXPECT_EQ(c.build().glyphData(), font.glyphData());
            EXPECT_EQ(LoadNative(SaveNative(font).bytes).build().glyphData(), font.glyphData());
        }
    }
    EXPECT_GE(fonts, 70);
    EXPECT_EQ(heights, (std::set<int>{11, 13, 15, 16, 18, 20}));
    EXPECT_GE(widths.size(), 5u);
}

TEST(FonLibrary, ListsItemTextsTitlesAndResourceOffsets) {
    const FonLibrary library = ReadFontDirectory(test::ReadAll(test::WineFont("sserife.fon")));
    const std::string description = "FONTRES 100,96,96 : MS Sans Serif 8,10,12 (VGA res)";
    EXPECT_EQ(library.description, description);
    ASSERT_EQ(library.fonts.size(), 3u);
    const int heights[3] = {13, 16, 20};
    const uint64_t offsets[3] = {0x2F0, 0x14E0, 0x2CD0};
    const uint32_t sizes[3] = {4586, 6126, 8798};
    for (int n = 0; n < 3; ++n) {
        const FonFont& font = library.fonts[static_cast<std::size_t>(n)];
        EXPECT_EQ(font.ordinal, 80 + n);
        EXPECT_EQ(font.faceName, "MS Sans Serif");
        EXPECT_EQ(font.pixHeight, heights[n]);
        EXPECT_EQ(font.offset, offsets[n]);
        EXPECT_EQ(font.size, sizes[n]);
        EXPECT_EQ(font.title, description + "     MS Sans Serif");
    }
    // The degree sign is UTF-8.
    EXPECT_EQ(library.fonts[0].itemText,
              "MS Sans Serif n\xC2\xB0"
              "80 (Height: 13 pixels)");
    EXPECT_EQ(library.fonts[2].itemText,
              "MS Sans Serif n\xC2\xB0"
              "82 (Height: 20 pixels)");
    EXPECT_EQ(FonItemText("Courier", 3, 13),
              "Courier n\xC2\xB0"
              "3 (Height: 13 pixels)");

    EXPECT_EQ(LoadFonFont(test::ReadAll(test::WineFont("sserife.fon")), 2).params.FormatHeightCar,
              20);
    EXPECT_THROW(LoadFonFont(test::ReadAll(test::WineFont("sserife.fon")), 3), std::out_of_range);
    EXPECT_THROW(LoadFonFont(test::ReadAll(test::WineFont("sserife.fon")), -1), std::out_of_range);
}

TEST(FonLibrary, FixedPitchGlyphsArePinned) {
    const Font courier = LoadReal("coure.fon", 0);
    ASSERT_EQ(courier.params.FormatLengthCar, 8);
    EXPECT_EQ(
        Joined(Picture(courier, 'A')),
        Joined({"........", "........", "...##...", "....#...", "....#...", "...#.#..", "...#.#..",
                "..#...#.", "..#####.", "..#...#.", ".###.###", "........", "........"}));
    const Font fixedsys = LoadReal("vgafix.fon", 0);
    ASSERT_EQ(fixedsys.params.FormatLengthCar, 8);
    EXPECT_EQ(fixedsys.params.jambon, 3);
    EXPECT_EQ(Joined(Picture(fixedsys, 'g')),
              Joined({"........", "........", "........", "........", "........", "..#####.",
                      ".##..##.", ".##..##.", ".##..##.", ".##..##.", ".##..##.", "..#####.",
                      ".....##.", ".##..##.", "..####.."}));
}

TEST(FonLibrary, ProportionalGlyphsAreLeftAlignedInTheWidestCell) {
    const Font sans = LoadReal("sserife.fon", 0);
    ASSERT_EQ(sans.params.FormatLengthCar, 11);
    EXPECT_EQ(Joined(Picture(sans, 'W')),
              Joined({"...........", "...........", "#.........#", "#.........#", ".#...#...#.",
                      ".#...#...#.", ".#..#.#..#.", "..#.#.#.#..", "..#.#.#.#..", "...#...#...",
                      "...#...#...", "...........", "..........."}));
    EXPECT_EQ(Joined(Picture(sans, 'i')),
              Joined({"...........", "...........", ".#.........", "...........", "...........",
                      ".#.........", ".#.........", ".#.........", ".#.........", ".#.........",
                      ".#.........", "...........", "..........."}));
    const Font system = LoadReal("vgasys.fon", 0);
    ASSERT_EQ(system.params.FormatLengthCar, 15);
    EXPECT_EQ(Joined(Picture(system, 'M')),
              Joined({"...............", "...............", "...............", ".##......##....",
                      ".##......##....", ".###....###....", ".###....###....", ".####..####....",
                      ".####..####....", ".##.####.##....", ".##.####.##....", ".##..##..##....",
                      ".##..##..##....", "...............", "...............", "..............."}));
}

// Two small fonts told apart by their glyphs: a bar and a dot.
std::vector<uint8_t> SmallFnt(int height, const std::string& row) {
    test::FntSpec spec;
    spec.version = 0x0300;
    spec.height = height;
    spec.ascent = height - 1;
    spec.first = 0x41;
    spec.widths = {static_cast<int>(row.size())};
    spec.glyphs = {std::vector<std::string>(static_cast<std::size_t>(height), row)};
    return test::BuildFnt(spec);
}

FonSpec TwoFontLibrary() {
    FonSpec spec;
    spec.description = "Test library";
    spec.fonts = {{5, SmallFnt(3, "###"), "Bar", ""}, {9, SmallFnt(2, ".#."), "Dot", ""}};
    return spec;
}

TEST(FonLibrary, FontsAreFoundByTheirResourcesWhereverTheyAreStored) {
    // Stored last first and without padding: a walk over the bytes from the first font would
    // read the wrong one.
    FonSpec spec = TwoFontLibrary();
    spec.storeReversed = true;
    spec.alignShift = 0;
    const std::vector<uint8_t> bytes = test::BuildFon(spec);
    const FonLibrary library = ReadFontDirectory(bytes);
    ASSERT_EQ(library.fonts.size(), 2u);
    EXPECT_EQ(library.fonts[0].itemText,
              "Bar n\xC2\xB0"
              "5 (Height: 3 pixels)");
    EXPECT_EQ(library.fonts[1].itemText,
              "Dot n\xC2\xB0"
              "9 (Height: 2 pixels)");
    EXPECT_EQ(library.fonts[1].title, "Test library     Dot");
    EXPECT_GT(library.fonts[0].offset, library.fonts[1].offset);
    const Font bar = LoadFonFont(bytes, 0).build();
    const Font dot = LoadFonFont(bytes, 1).build();
    EXPECT_EQ(Joined(GlyphPicture(bar.glyphs[0], 3)), Joined({"###", "###", "###"}));
    EXPECT_EQ(Joined(GlyphPicture(dot.glyphs[0], 3)), Joined({".#.", ".#."}));

    // Padding and a larger alignment change nothing.
    spec.storeReversed = false;
    spec.alignShift = 6;
    spec.padding = 3;
    const std::vector<uint8_t> padded = test::BuildFon(spec);
    EXPECT_EQ(LoadFonFont(padded, 1).build().glyphData(), dot.glyphData());
}

TEST(FonLibrary, NamesAreDecodedFromWindows1252AndADeviceNameIsSkipped) {
    FonSpec spec = TwoFontLibrary();
    spec.description = "Caf\xE9 \x80";
    spec.fonts[0].face = "Na\xEFve\x01";
    spec.fonts[0].device = "DISPLAY";
    const FonLibrary library = ReadFontDirectory(test::BuildFon(spec));
    EXPECT_EQ(library.description, "Caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(library.fonts[0].faceName, "Na\xC3\xAFve\xEF\xBF\xBD");
    EXPECT_EQ(library.fonts[1].faceName, "Dot");
    EXPECT_EQ(library.fonts[1].title, "Caf\xC3\xA9 \xE2\x82\xAC     Dot");

    const uint8_t undefined[] = {0x81, 0x8D, 0x9F, 0xA0, 0xFF, 0x7F};
    EXPECT_EQ(Windows1252ToUtf8(undefined),
              "\xEF\xBF\xBD\xEF\xBF\xBD\xC5\xB8\xC2\xA0\xC3\xBF\xEF\xBF\xBD");
}

void Put16(std::vector<uint8_t>& bytes, std::size_t at, int value) {
    bytes[at] = static_cast<uint8_t>(value);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

TEST(FonLibrary, DamagedLibrariesAreRefused) {
    const std::vector<uint8_t> good = test::BuildFon(TwoFontLibrary());
    ASSERT_NO_THROW(ReadFontDirectory(good));
    const int ne = test::kBuiltNeHeader;
    const int table = test::kBuiltResourceTable;
    const auto damaged = [&](auto change) {
        std::vector<uint8_t> bytes = good;
        change(bytes);
        return bytes;
    };
    ExpectRefused({});
    ExpectRefused(damaged([](auto& b) { b[0] = 'X'; }));              // no MZ stub
    ExpectRefused(damaged([](auto& b) { Put16(b, 0x3C, 0xFFF0); }));  // NE header outside
    ExpectRefused(damaged([&](auto& b) { b[ne + 1] = 'X'; }));        // a PE or other executable
    ExpectRefused(damaged([&](auto& b) { Put16(b, ne + 0x24, 0xFFF0); }));   // table outside
    ExpectRefused(damaged([&](auto& b) { Put16(b, table, 40); }));           // wild alignment
    ExpectRefused(damaged([&](auto& b) { Put16(b, table + 2, 0x8003); }));   // no font directory
    ExpectRefused(damaged([&](auto& b) { Put16(b, table + 10, 0x7FFF); }));  // directory outside
    ExpectRefused(damaged([&](auto& b) { Put16(b, table + 30 + 6, 0x8006); }));  // no font 5
    ExpectRefused(damaged([&](auto& b) { Put16(b, table + 30, 0xFFF); }));       // font 5 outside
    ExpectRefused(damaged([&](auto& b) { Put16(b, table + 2, 0); }));  // no resource at all
    // The table's end marker missing: the type records run off the end of the file.
    std::vector<uint8_t> endless(good.begin(), good.begin() + table + 30 + 12 * 2);
    ExpectRefused(endless);

    const uint64_t dir = static_cast<uint64_t>(good[table + 10] | good[table + 11] << 8) << 4;
    ExpectRefused(damaged([&](auto& b) { Put16(b, dir, 0); }));  // empty directory
    // A face name without its zero byte inside the directory resource.
    const uint64_t dirLength = static_cast<uint64_t>(good[table + 12] | good[table + 13] << 8) << 4;
    ExpectRefused(damaged([&](auto& b) {
        for (uint64_t n = dir + 2 + 115; n < dir + dirLength; ++n) b[n] = 'x';
    }));

    // A listed font whose resource is not a raster font: the font's own message on loading.
    std::vector<uint8_t> vector = good;
    const FonLibrary library = ReadFontDirectory(vector);
    vector[library.fonts[1].offset + 66] = 1;
    EXPECT_NO_THROW(LoadFonFont(vector, 0));
    EXPECT_THROW(LoadFonFont(vector, 1), UserError);
}

TEST(FonLibrary, RealLibraryTruncatedAtEveryLengthIsRefused) {
    const std::vector<uint8_t> bytes = test::ReadAll(test::WineFont("coure.fon"));
    ASSERT_NO_THROW(LoadFonFont(bytes, 0));
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<long>(length));
        EXPECT_THROW(LoadFonFont(cut, 0), UserError) << "length " << length;
    }
}

}  // namespace
}  // namespace pixmere
