#include <gtest/gtest.h>

#include <algorithm>

#include "Installed.h"
#include "formats/Gunzip.h"
#include "formats/PsfFile.h"
#include "model/UserError.h"
#include "support/GlyphPicture.h"
#include "support/Gzip.h"
#include "support/SampleFonts.h"

namespace pixmere::test {
namespace {

using Picture = std::vector<std::string>;
using Bytes = std::vector<uint8_t>;

// A console font of the machine, as installed (compressed).
Bytes Console(const std::string& name) {
    return Installed("/usr/share/consolefonts/" + name, "console-setup-linux");
}

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
    const Bytes vga = Console("Lat15-VGA8.psf.gz"),
                psf2 = Gunzip(Console("Lat15-Terminus20x10.psf.gz"), 1 << 20);
    const Font vgaFont = LoadPsf(vga).font.build();
    EXPECT_EQ(Describe(vgaFont.params), "8x8 down 1 magnif 1 codes 32-255");
    EXPECT_EQ(Joined(CodePicture(vgaFont, 0x80)),
              Joined({"..###...", ".##..#..", "####....", ".##.....", "####....", ".##..#..",
                      "..###...", "........"}));
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
    for (std::size_t n = 0; n < std::size(refusals); ++n) {
        EXPECT_TRUE(RefusedWith([&] { LoadPsf(refusals[n].first); }, refusals[n].second))
            << "refusal " << n;
    }
}

}  // namespace
}  // namespace pixmere::test
