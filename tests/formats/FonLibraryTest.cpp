#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "Installed.h"
#include "formats/FntFile.h"
#include "formats/FonLibrary.h"
#include "model/UserError.h"
#include "support/GlyphPicture.h"
#include "support/SampleFonts.h"

namespace pixmere {
namespace {

const std::string kWine = "/usr/share/wine/fonts/";

// Ink pixels of a glyph in its first `columns` columns.
long Ink(const Font& font, char code, int columns) {
    const std::string picture =
        test::Joined(test::GlyphPicture(font.glyphs.at(code - 0x20), columns));
    return std::count(picture.begin(), picture.end(), '#');
}

TEST(FonLibrary, EveryFontOfEveryInstalledLibraryLoadsWithItsInkInsideTheCell) {
    int fonts = 0;
    std::error_code missing;
    for (const auto& item : std::filesystem::directory_iterator(kWine, missing)) {
        if (item.path().extension() != ".fon") continue;
        const std::vector<uint8_t> bytes = test::ReadAll(item.path().string());
        for (const FonFont& entry : ReadFontDirectory(bytes).fonts) {
            SCOPED_TRACE(item.path().string() + " " + entry.itemText);
            ++fonts;
            const Font font = LoadFonFont(bytes, entry).build();
            const FontParams& p = font.params;
            EXPECT_EQ(p.FormatHeightCar, entry.pixHeight);
            // Space is blank; letters have ink, all of it inside the cell.
            EXPECT_EQ(Ink(font, ' ', p.NbByteMatrix() * 8), 0);
            for (const char c : std::string("AHMWgx09")) {
                EXPECT_GE(Ink(font, c, p.FormatLengthCar), 8) << c;
                EXPECT_EQ(Ink(font, c, p.FormatLengthCar), Ink(font, c, p.NbByteMatrix() * 8));
            }
        }
    }
    EXPECT_GE(fonts, 70) << "fonts-wine is not installed";
}

TEST(FonLibrary, AGlyphOfARealFontIsPinned) {
    const Font font = LoadFonFont(test::Installed(kWine + "coure.fon", "fonts-wine"), 0).build();
    EXPECT_EQ(test::GlyphPicture(font.glyphs.at('A' - 0x20), 8),
              (std::vector<std::string>{"........", "........", "...##...", "....#...", "....#...",
                                        "...#.#..", "...#.#..", "..#...#.", "..#####.", "..#...#.",
                                        ".###.###", "........", "........"}));
}

// Places in a real library: its resource table and its font directory resource, the first
// type of the table.
struct Layout {
    explicit Layout(const std::vector<uint8_t>& b)
        : ne(U16(b, 0x3C)), table(ne + U16(b, ne + 0x24)), dir(U16(b, table + 10) << 4) {}
    static std::size_t U16(const std::vector<uint8_t>& b, std::size_t at) {
        return b[at] | b[at + 1] << 8;
    }
    std::size_t ne, table, dir;
    std::size_t fontEntry(int n) const { return table + 30 + 12 * static_cast<std::size_t>(n); }
};

TEST(FonLibrary, FontsAreFoundByNumberAndDamagedLibrariesRefused) {
    const std::vector<uint8_t> good = test::Installed(kWine + "sserife.fon", "fonts-wine");
    EXPECT_EQ(ReadFontDirectory(good).description,
              "FONTRES 100,96,96 : MS Sans Serif 8,10,12 (VGA res)");
    EXPECT_THROW(LoadFonFont(good, 3), std::out_of_range);
    EXPECT_THROW(LoadFonFont(good, -1), std::out_of_range);
    // The resources numbered 80 and 81 exchanged: position 0 (number 80) now reads the font
    // stored second, which no walk from the first font would find.
    const Layout at(good);
    std::vector<uint8_t> swapped = good;
    std::swap(swapped[at.fontEntry(0) + 6], swapped[at.fontEntry(1) + 6]);
    EXPECT_EQ(LoadFonFont(swapped, 0).params.FormatHeightCar, 16);
    EXPECT_EQ(LoadFonFont(swapped, 1).params.FormatHeightCar, 13);
    const auto refused = [&](std::size_t where, uint32_t value, int size) {
        const std::vector<uint8_t> bytes = test::Patched(good, where, value, size);
        return test::RefusedWith([&] { ReadFontDirectory(bytes); });
    };
    const std::tuple<std::size_t, uint32_t, int> damages[] = {
        {0, 'Z', 1},                     // no MZ stub
        {at.ne, 'P', 1},                 // another executable
        {at.table, 64, 1},               // wild alignment
        {at.table + 2, 0x8003, 2},       // no font directory
        {at.dir, 0, 2},                  // empty directory
        {at.fontEntry(2) + 6, 0x53, 1},  // no font 82
        // Listed fonts whose resource is empty, or too short for a font header (one unit of
        // 16 bytes): a font the list would offer but no Ok could read.
        {at.fontEntry(2) + 2, 0, 2},
        {at.fontEntry(2) + 2, 1, 2}};
    for (const auto& [where, value, size] : damages)
        EXPECT_TRUE(refused(where, value, size)) << where;
    EXPECT_FALSE(refused(at.fontEntry(2) + 2, 8, 2));
    // 65,535 resources of a type, or fonts in the directory, in a 20 KB file.
    EXPECT_TRUE(refused(at.table + 4, 0xFFFF, 2));
    EXPECT_TRUE(refused(at.dir, 0xFFFF, 2));
    const std::vector<uint8_t> courier = test::Installed(kWine + "coure.fon", "fonts-wine");
    ASSERT_NO_THROW(LoadFonFont(courier, 0));
    EXPECT_EQ(test::FirstCutTaken(courier, [](const auto& cut) { LoadFonFont(cut, 0); }), -1);
}

TEST(FntBegin, RefusesDamagedResourcesAndWhatTheDocumentCannotHold) {
    // The resource of a real library's first font, as a stand-alone .fnt file.
    const std::vector<uint8_t> library = test::Installed(kWine + "coure.fon", "fonts-wine");
    const FonFont first = ReadFontDirectory(library).fonts.at(0);
    const std::vector<uint8_t> good(library.begin() + static_cast<long>(first.offset),
                                    library.begin() + static_cast<long>(first.offset + first.size));
    const auto refused = [](const std::vector<uint8_t>& bytes) {
        return test::RefusedWith([&] { FntBegin(bytes); });
    };
    const uint32_t end = static_cast<uint32_t>(good.size()), height = good[88];
    const std::tuple<std::size_t, uint32_t, int> damages[] = {
        {0, 0x0200 + 1, 2},          // version
        {66, 1, 2},                  // vector font
        {88, 0, 2},                  // height 0
        {88, 256, 2},                // height above 255
        {74, height + 1, 2},         // ascent below the cell
        {74, height + 256, 2},       // a whole byte below it
        {96, 0x1F, 1},               // last below first
        {148, 256, 2},               // width above 255
        {118, 0x41, 4},              // a colour font
        {2, end + 1, 4},             // shorter than its size field
        {150, end - height + 1, 4},  // a bitmap past the end
        {150, 0xFFFFFFF0u, 4}};      // that wraps a 32-bit sum
    for (const auto& [at, value, size] : damages) {
        EXPECT_TRUE(refused(test::Patched(good, at, value, size))) << at << " " << value;
    }
    EXPECT_FALSE(refused(test::Patched(good, 150, end - height, 4)));
    EXPECT_EQ(FntBegin(test::Patched(good, 148, 255, 2)).params.NbByteMatrix(), 32);
    std::vector<uint8_t> blank = good;
    for (std::size_t c = 0; c < 224; ++c) blank = test::Patched(blank, 148 + 6 * c, 0, 2);
    EXPECT_TRUE(refused(blank));  // every width 0

    for (std::size_t length = 0; length < good.size(); ++length) {
        EXPECT_TRUE(refused(test::Cut(good, length))) << length;
        // With its size field cut to match, the rest must still be read within bounds.
        if (length >= 6) refused(test::Patched(test::Cut(good, length), 2, uint32_t(length), 4));
    }
}

}  // namespace
}  // namespace pixmere
