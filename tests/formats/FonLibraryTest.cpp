#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <stdexcept>

#include "formats/CFile.h"
#include "formats/Exports.h"
#include "formats/FonLibrary.h"
#include "formats/NativeFile.h"
#include "model/UserError.h"
#include "support/GlyphPicture.h"
#include "support/TempDir.h"

namespace pixmere {
namespace {

const std::string kWine = "/usr/share/wine/fonts/";

std::vector<std::string> Picture(const Font& font, char code) {
    return test::GlyphPicture(font.glyphs.at(static_cast<std::size_t>(code - font.params.firstcar)),
                              font.params.FormatLengthCar);
}

int Ink(const Font& font, char code, int columns) {
    const CarObject& glyph = font.glyphs.at(static_cast<std::size_t>(code - font.params.firstcar));
    int ink = 0;
    for (int y = 0; y <= glyph.Height(); ++y) {
        for (int x = 0; x < columns; ++x) ink += glyph.pixel(x, y);
    }
    return ink;
}

TEST(FonLibrary, EveryFontOfEveryInstalledLibraryLoadsAndConvertsToEachExport) {
    std::vector<std::string> paths;
    for (const auto& item : std::filesystem::directory_iterator(kWine)) {
        if (item.path().extension() == ".fon") paths.push_back(item.path().string());
    }
    ASSERT_GE(paths.size(), 40u) << "fonts-wine is not installed";
    int fonts = 0;
    std::set<int> heights;
    for (const std::string& path : paths) {
        const std::vector<uint8_t> bytes = test::ReadAll(path);
        const FonLibrary library = ReadFontDirectory(bytes);
        EXPECT_EQ(library.description.rfind("FONTRES ", 0), 0u) << path;
        for (const FonFont& entry : library.fonts) {
            SCOPED_TRACE(path + " " + entry.itemText);
            ++fonts;
            const Font font = LoadFonFont(bytes, entry).build();
            const FontParams& p = font.params;
            heights.insert(p.FormatHeightCar);
            EXPECT_EQ(p.FormatHeightCar, entry.pixHeight);
            EXPECT_EQ(p.firstcar, 0x20);
            EXPECT_EQ(p.NbCar, 224);
            EXPECT_TRUE(p.FormatLengthCar >= 8 && p.FormatLengthCar <= 20) << +p.FormatLengthCar;
            EXPECT_TRUE(p.jambon >= 2 && p.jambon <= 4) << +p.jambon;
            // Space is blank; letters have ink, all of it inside the cell.
            EXPECT_EQ(Ink(font, ' ', p.NbByteMatrix() * 8), 0);
            for (const char c : std::string("AHMWgx09")) {
                EXPECT_GE(Ink(font, c, p.FormatLengthCar), 8) << c;
                EXPECT_EQ(Ink(font, c, p.FormatLengthCar), Ink(font, c, p.NbByteMatrix() * 8));
            }
            EXPECT_EQ(saveBin(font).size(), p.glyphDataSize() + 8);
            EXPECT_EQ(test::AsText(saveTXT(font)).rfind("// Height:", 0), 0u);
            EXPECT_EQ(ParseCFile(saveC(font), p).build().glyphData(), font.glyphData());
            EXPECT_EQ(LoadNative(SaveNative(font).bytes).build().glyphData(), font.glyphData());
        }
    }
    EXPECT_GE(fonts, 70);
    EXPECT_EQ(heights, (std::set<int>{11, 13, 15, 16, 18, 20}));
}

TEST(FonLibrary, ListsItemTextsTitlesAndResourceOffsets) {
    const std::vector<uint8_t> bytes = test::ReadAll(kWine + "sserife.fon");
    const FonLibrary library = ReadFontDirectory(bytes);
    const std::string description = "FONTRES 100,96,96 : MS Sans Serif 8,10,12 (VGA res)";
    EXPECT_EQ(library.description, description);
    ASSERT_EQ(library.fonts.size(), 3u);
    const uint64_t offsets[3] = {0x2F0, 0x14E0, 0x2CD0};
    for (std::size_t n = 0; n < 3; ++n) {
        EXPECT_EQ(library.fonts[n].ordinal, 80 + int(n));
        EXPECT_EQ(library.fonts[n].offset, offsets[n]);
        EXPECT_EQ(library.fonts[n].title, description + "     MS Sans Serif");
    }
    EXPECT_EQ(library.fonts[0].itemText,
              "MS Sans Serif n\xC2\xB0"
              "80 (Height: 13 pixels)");
    EXPECT_EQ(library.fonts[2].itemText,
              "MS Sans Serif n\xC2\xB0"
              "82 (Height: 20 pixels)");
    EXPECT_EQ(library.fonts[2].size, 8798u);
    EXPECT_EQ(LoadFonFont(bytes, 2).params.FormatHeightCar, 20);
    EXPECT_THROW(LoadFonFont(bytes, 3), std::out_of_range);
    EXPECT_THROW(LoadFonFont(bytes, -1), std::out_of_range);
}

TEST(FonLibrary, GlyphsOfFixedAndProportionalFontsArePinned) {
    const Font courier = LoadFonFont(test::ReadAll(kWine + "coure.fon"), 0).build();
    EXPECT_EQ(test::Joined(Picture(courier, 'A')),
              test::Joined({"........", "........", "...##...", "....#...", "....#...", "...#.#..",
                            "...#.#..", "..#...#.", "..#####.", "..#...#.", ".###.###", "........",
                            "........"}));
    const Font sans = LoadFonFont(test::ReadAll(kWine + "sserife.fon"), 0).build();
    EXPECT_EQ(
        test::Joined(Picture(sans, 'W')),
        test::Joined({"...........", "...........", "#.........#", "#.........#", ".#...#...#.",
                      ".#...#...#.", ".#..#.#..#.", "..#.#.#.#..", "..#.#.#.#..", "...#...#...",
                      "...#...#...", "...........", "..........."}));
    // 15 columns wide for its widest glyph; M keeps its own 11 at the left.
    const Font system = LoadFonFont(test::ReadAll(kWine + "vgasys.fon"), 0).build();
    EXPECT_EQ(
        test::Joined(Picture(system, 'M')),
        test::Joined({"...............", "...............", "...............", ".##......##....",
                      ".##......##....", ".###....###....", ".###....###....", ".####..####....",
                      ".####..####....", ".##.####.##....", ".##.####.##....", ".##..##..##....",
                      ".##..##..##....", "...............", "...............", "..............."}));
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

TEST(FonLibrary, FontsAreFoundThroughTheResourceTable) {
    // The resources numbered 80 and 81 exchanged: position 0 (ordinal 80) now reads the font
    // stored second, which no walk from the first font would find.
    std::vector<uint8_t> bytes = test::ReadAll(kWine + "sserife.fon");
    const Layout at(bytes);
    std::swap(bytes[at.fontEntry(0) + 6], bytes[at.fontEntry(1) + 6]);
    EXPECT_EQ(LoadFonFont(bytes, 0).params.FormatHeightCar, 16);
    EXPECT_EQ(LoadFonFont(bytes, 1).params.FormatHeightCar, 13);
    EXPECT_EQ(LoadFonFont(bytes, 2).params.FormatHeightCar, 20);
}

TEST(FonLibrary, NamesAreDecodedFromWindows1252AndADeviceNameIsSkipped) {
    std::vector<uint8_t> bytes = test::ReadAll(kWine + "sserife.fon");
    const Layout at(bytes);
    const std::size_t names = at.U16(bytes, at.ne + 0x2C), entry = at.dir + 2;
    bytes[names + 1] = 0xE9;
    bytes[names + 2] = 0x80;
    bytes[entry + 115] = 'D';  // device "D", then the face name one byte later
    bytes[entry + 116] = 0;
    bytes[entry + 117] = 0x01;
    const FonLibrary library = ReadFontDirectory(bytes);
    EXPECT_EQ(library.description.substr(0, 10),
              "\xC3\xA9\xE2\x82\xAC"
              "NTRES");
    EXPECT_EQ(library.fonts[0].faceName, "\xEF\xBF\xBD Sans Serif");
    EXPECT_EQ(library.fonts[1].title, library.description + "     MS Sans Serif");
    const uint8_t more[] = {0x81, 0x9F, 0xA0, 0xFF, 0x7F};
    EXPECT_EQ(Windows1252ToUtf8(more), "\xEF\xBF\xBD\xC5\xB8\xC2\xA0\xC3\xBF\xEF\xBF\xBD");
}

TEST(FonLibrary, DamagedLibrariesAreRefused) {
    const std::vector<uint8_t> good = test::ReadAll(kWine + "sserife.fon");
    const Layout at(good);
    const auto refused = [&](std::size_t where, std::vector<uint8_t> patch) {
        std::vector<uint8_t> bytes = good;
        std::copy(patch.begin(), patch.end(), bytes.begin() + static_cast<long>(where));
        try {
            ReadFontDirectory(bytes);
            return false;
        } catch (const UserError& e) {
            return std::string(e.what()) == kBadFontFileMessage;
        }
    };
    EXPECT_TRUE(refused(0, {'Z'}));                       // no MZ stub
    EXPECT_TRUE(refused(0x3C, {0xF0, 0xFF}));             // NE header outside
    EXPECT_TRUE(refused(at.ne, {'P'}));                   // another executable
    EXPECT_TRUE(refused(at.ne + 0x24, {0xF0, 0xFF}));     // resource table outside
    EXPECT_TRUE(refused(at.table, {64}));                 // wild alignment
    EXPECT_TRUE(refused(at.table + 2, {0x03, 0x80}));     // no font directory
    EXPECT_TRUE(refused(at.table + 10, {0xFF, 0x7F}));    // directory outside
    EXPECT_TRUE(refused(at.dir, {0, 0}));                 // empty directory
    EXPECT_TRUE(refused(at.fontEntry(2) + 6, {0x53}));    // no font 82
    EXPECT_TRUE(refused(at.fontEntry(2), {0xF0, 0x0F}));  // font 82 outside
    EXPECT_TRUE(refused(at.fontEntry(2) + 12, {0x01}));   // table without its end
    EXPECT_TRUE(refused(at.dir + 2 + 116, std::vector<uint8_t>(400, 'x')));  // unended name
    EXPECT_FALSE(refused(at.dir + 2 + 117, {'x'}));
    EXPECT_THROW(ReadFontDirectory(std::vector<uint8_t>{}), UserError);
}

TEST(FonLibrary, RealLibraryTruncatedAtEveryLengthIsRefused) {
    const std::vector<uint8_t> bytes = test::ReadAll(kWine + "coure.fon");
    ASSERT_NO_THROW(LoadFonFont(bytes, 0));
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        EXPECT_THROW(LoadFonFont(std::span(bytes).first(length), 0), UserError) << length;
    }
}

}  // namespace
}  // namespace pixmere
