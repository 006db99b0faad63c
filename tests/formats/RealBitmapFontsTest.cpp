// Bitmap fonts of the machine: the X11 misc and console fonts swept, and the console (PSF) and
// Windows library (FON) readers on real fonts and damaged ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "Installed.h"
#include "formats/BdfPcfFile.h"
#include "formats/FntFile.h"
#include "formats/FonLibrary.h"
#include "formats/Gunzip.h"
#include "formats/PsfFile.h"
#include "model/UserError.h"
#include "support/GlyphPicture.h"
#include "support/Gzip.h"
#include "support/SampleFonts.h"
#include "support/TempDir.h"

namespace pixmere::test {
namespace {

// Every X11 misc and console font of the machine imports or is refused with a message; anything
// else (another exception, a crash under the sanitizers) fails. Most are Latin, Cyrillic or
// Greek fonts that have the codes 00-FF: over 600 PCF fonts that xfonts-base and
// xfonts-terminus install import, and over 400 console fonts of console-setup-linux.
TEST(RealBitmapFonts, EveryX11MiscAndConsoleFontImportsOrIsRefusedWithAMessage) {
    const struct {
        const char* folder;
        const char* ending;
        ImportedFont (*load)(std::span<const uint8_t>);
        int least;
        const char* packages;
    } sweeps[] = {{"/usr/share/fonts/X11/misc", ".pcf.gz", LoadBdfPcf, 600,
                   "xfonts-base and xfonts-terminus"},
                  {"/usr/share/consolefonts", ".psf.gz", LoadPsf, 400, "console-setup-linux"}};
    for (const auto& sweep : sweeps) {
        int imported = 0, refused = 0;
        std::error_code missing;
        for (const auto& item : std::filesystem::directory_iterator(sweep.folder, missing)) {
            const std::string path = item.path().string();
            if (!path.ends_with(sweep.ending)) continue;
            try {
                EXPECT_TRUE(sweep.load(ReadAll(path)).font.build().params.valid()) << path;
                ++imported;
            } catch (const UserError& e) {
                EXPECT_NE(std::string(e.what()), "") << path;
                ++refused;
            }
        }
        EXPECT_GE(imported, sweep.least) << refused << " refused in " << sweep.folder << "; are "
                                         << sweep.packages << " installed?";
    }
}

using Picture = std::vector<std::string>;
using Bytes = std::vector<uint8_t>;

// A version 1 font without a table, 8 x 4, of one glyph at 82h.
const Bytes kPlain1 = [] {
    Bytes out = {0x36, 0x04, 0, 4};
    out.resize(4 + 256 * 4);
    const Bytes a = PictureBytes({".#", "#.#", "###", "#.#"}, 1);
    std::copy(a.begin(), a.end(), out.begin() + 4 + 0x82 * 4);
    return out;
}();

// Without a table glyph C is code C. With one, as the real fonts of both versions have, each
// code takes what it means in Windows-1252: 80h is the euro sign.
TEST(PsfImport, EachCodeTakesGlyphCOrWhatItMeansInWindows1252AndDamageIsRefused) {
    const Font plain = LoadPsf(kPlain1).font.build();
    EXPECT_EQ(Describe(plain.params), "8x4 down 0 magnif 1 codes 0-255");
    EXPECT_EQ(CodePicture(plain, 0x82), (Picture{".#......", "#.#.....", "###.....", "#.#....."}));
    const std::string console = "/usr/share/consolefonts/Lat15-";
    const Bytes vga = Installed(console + "VGA8.psf.gz", "console-setup-linux"),
                psf2 = Gunzip(Installed(console + "Terminus20x10.psf.gz", "console-setup-linux"),
                              1 << 20);
    EXPECT_EQ(Describe(LoadPsf(vga).font.build().params), "8x8 down 1 magnif 1 codes 32-255");
    const Font terminus = LoadPsf(psf2).font.build();
    EXPECT_EQ(Describe(terminus.params), "10x20 down 4 magnif 1 codes 32-255");
    EXPECT_EQ(Joined(CodePicture(terminus, 0x80)),
              Joined({"..........", "..........", "..........", "..........", "...####...",
                      "..#....#..", ".#......#.", ".#........", "######....", ".#........",
                      ".#........", "######....", ".#........", ".#......#.", "..#....#..",
                      "...####...", "..........", "..........", "..........", ".........."}));
    // Every cut, and damaged files or too large ones, are refused.
    for (const Bytes& full : {psf2, kPlain1, vga}) {
        EXPECT_EQ(FirstCutTaken(full, LoadPsf), -1) << full.size();
    }
    // Larger than a console font can be, whether as it stands or once inflated.
    Bytes large = kPlain1;
    large.resize(kPsfLargestFile + 1);
    const std::string bad = "This file contains errors or can not be opened.",
                      cell = " pixels; a font is 1 to 255 pixels wide and high.";
    const std::pair<Bytes, std::string> refusals[] = {
        {Patched(psf2, 0, 0x874AB572, 4), bad},          // magic
        {Patched(psf2, 4, 1), bad},                      // version
        {Patched(psf2, 8, 31), bad},                     // header size
        {Patched(psf2, 16, 0, 4), bad},                  // no glyph
        {Patched(psf2, 20, 13), bad},                    // glyph size against rows
        {Patched(psf2, 32 + 256 * 40, 0x28C3, 2), bad},  // bad UTF-8
        {Patched(kPlain1, 2, 8), bad},                   // unknown mode
        {Patched(psf2, 28, 0), "This font needs a cell of 0 x 20" + cell},
        {Patched(psf2, 28, 0x100, 2), "This font needs a cell of 256 x 20" + cell},
        {Patched(psf2, 24, 0x80000000, 4), "This font needs a cell of 10 x 2147483648" + cell},
        {Patched(kPlain1, 3, 0), "This font needs a cell of 8 x 0" + cell},
        {large, bad},
        {Gzip(large), bad}};
    for (const auto& [file, message] : refusals)
        EXPECT_TRUE(RefusedWith([&] { LoadPsf(file); }, message)) << file.size();
}

const std::string kWine = "/usr/share/wine/fonts/";

// Ink pixels of a glyph in its first `columns` columns.
long Ink(const Font& font, char code, int columns) {
    const std::string picture = Joined(GlyphPicture(font.glyphs.at(code - 0x20), columns));
    return std::count(picture.begin(), picture.end(), '#');
}

TEST(FonLibrary, EveryFontOfEveryInstalledLibraryLoadsWithItsInkInsideTheCell) {
    int fonts = 0;
    std::error_code missing;
    for (const auto& item : std::filesystem::directory_iterator(kWine, missing)) {
        if (item.path().extension() != ".fon") continue;
        const std::vector<uint8_t> bytes = ReadAll(item.path().string());
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

TEST(FonLibrary, FontsAreFoundByNumberAndDamagedLibrariesAndResourcesRefused) {
    const std::vector<uint8_t> good = Installed(kWine + "sserife.fon", "fonts-wine");
    EXPECT_EQ(ReadFontDirectory(good).description,
              "FONTRES 100,96,96 : MS Sans Serif 8,10,12 (VGA res)");
    // Places in the library: its resource table, its font directory resource and font entries.
    const auto u16 = [&](std::size_t at) { return std::size_t{good[at]} | good[at + 1] << 8; };
    const std::size_t ne = u16(0x3C), table = ne + u16(ne + 0x24), dir = u16(table + 10) << 4;
    const auto font = [&](std::size_t n) { return table + 30 + 12 * n; };
    // The resources numbered 80 and 81 exchanged: position 0 (number 80) now reads the font
    // stored second, which no walk from the first font would find.
    std::vector<uint8_t> swapped = good;
    std::swap(swapped[font(0) + 6], swapped[font(1) + 6]);
    EXPECT_EQ(LoadFonFont(swapped, 0).params.FormatHeightCar, 16);
    EXPECT_EQ(LoadFonFont(swapped, 1).params.FormatHeightCar, 13);
    const auto refused = [&](std::size_t where, uint32_t value, int size) {
        const std::vector<uint8_t> bytes = Patched(good, where, value, size);
        return RefusedWith([&] { ReadFontDirectory(bytes); });
    };
    const std::tuple<std::size_t, uint32_t, int> damages[] = {
        {0, 'Z', 1},             // no MZ stub
        {ne, 'P', 1},            // another executable
        {table, 64, 1},          // wild alignment
        {table + 2, 0x8003, 2},  // no font directory
        {dir, 0, 2},             // empty directory
        {font(2) + 6, 0x53, 1},  // no font 82
        // Listed fonts whose resource is empty, or too short for a font header (one unit of
        // 16 bytes): a font the list would offer but no Ok could read.
        {font(2) + 2, 0, 2},
        {font(2) + 2, 1, 2}};
    for (const auto& [where, value, size] : damages)
        EXPECT_TRUE(refused(where, value, size)) << where;
    EXPECT_FALSE(refused(font(2) + 2, 8, 2));
    // 65,535 resources of a type, or fonts in the directory, in a 20 KB file.
    EXPECT_TRUE(refused(table + 4, 0xFFFF, 2));
    EXPECT_TRUE(refused(dir, 0xFFFF, 2));
    // A real library's first font, its A pinned, and the library fntRefused cut anywhere; its
    // resource, as a stand-alone .fnt file, fntRefused damaged or holding what the document cannot.
    const std::vector<uint8_t> library = Installed(kWine + "coure.fon", "fonts-wine");
    EXPECT_EQ(GlyphPicture(LoadFonFont(library, 0).build().glyphs.at('A' - 0x20), 8),
              (std::vector<std::string>{"........", "........", "...##...", "....#...", "....#...",
                                        "...#.#..", "...#.#..", "..#...#.", "..#####.", "..#...#.",
                                        ".###.###", "........", "........"}));
    EXPECT_EQ(FirstCutTaken(library, [](const auto& cut) { LoadFonFont(cut, 0); }), -1);
    const FonFont first = ReadFontDirectory(library).fonts.at(0);
    const std::vector<uint8_t> fnt(library.begin() + static_cast<long>(first.offset),
                                   library.begin() + static_cast<long>(first.offset + first.size));
    const auto fntRefused = [](const std::vector<uint8_t>& bytes) {
        return RefusedWith([&] { FntBegin(bytes); });
    };
    const uint32_t end = static_cast<uint32_t>(fnt.size()), height = fnt[88];
    const std::tuple<std::size_t, uint32_t, int> fntDamages[] = {
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
    for (const auto& [at, value, size] : fntDamages) {
        EXPECT_TRUE(fntRefused(Patched(fnt, at, value, size))) << at << " " << value;
    }
    EXPECT_FALSE(fntRefused(Patched(fnt, 150, end - height, 4)));
    EXPECT_EQ(FntBegin(Patched(fnt, 148, 255, 2)).params.NbByteMatrix(), 32);
    std::vector<uint8_t> blank = fnt;
    for (std::size_t c = 0; c < 224; ++c) blank = Patched(blank, 148 + 6 * c, 0, 2);
    EXPECT_TRUE(fntRefused(blank));  // every width 0
    EXPECT_EQ(FirstCutTaken(fnt, [](const auto& cut) { FntBegin(cut); }), -1);
}

}  // namespace
}  // namespace pixmere::test
