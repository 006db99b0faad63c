#include <gtest/gtest.h>

#include <algorithm>

#include "formats/PsfFile.h"
#include "model/UserError.h"
#include "support/GlyphPicture.h"
#include "support/Gzip.h"
#include "support/SampleFonts.h"

namespace pixmere {
namespace {

using Picture = std::vector<std::string>;
using Bytes = std::vector<uint8_t>;

void Append32(Bytes& out, uint32_t value) {
    for (int n = 0; n < 4; ++n) out.push_back(static_cast<uint8_t>(value >> 8 * n));
}

// A version 2 font of the given pictures; `table` holds each glyph's Unicode entry (UTF-8, 0xFE
// before sequences), without its 0xFF end; no table when empty.
Bytes Psf2(int width, int height, const std::vector<Picture>& glyphs,
           const std::vector<std::string>& table = {}) {
    const int pitch = (width + 7) / 8;
    Bytes out;
    for (const uint32_t v :
         {0x864AB572u, 0u, 32u, table.empty() ? 0u : 1u, static_cast<uint32_t>(glyphs.size()),
          static_cast<uint32_t>(pitch * height), static_cast<uint32_t>(height),
          static_cast<uint32_t>(width)}) {
        Append32(out, v);
    }
    for (const Picture& glyph : glyphs) {
        const Bytes bits = test::PictureBytes(glyph, pitch);
        out.insert(out.end(), bits.begin(), bits.end());
    }
    for (const std::string& entry : table) {
        out.insert(out.end(), entry.begin(), entry.end());
        out.push_back(0xFF);
    }
    return out;
}

// A version 1 font of 256 glyphs 8 pixels wide: the pictures at their positions, the others
// blank; with a table, each glyph's 16-bit entry (0xFFFE before sequences), without its end.
Bytes Psf1(int height, const std::vector<std::pair<int, Picture>>& glyphs,
           const std::vector<std::pair<int, std::vector<uint16_t>>>& table = {}) {
    Bytes out = {0x36, 0x04, static_cast<uint8_t>(table.empty() ? 0 : 2),
                 static_cast<uint8_t>(height)};
    out.resize(4 + 256 * static_cast<std::size_t>(height));
    for (const auto& [index, picture] : glyphs) {
        const Bytes bits = test::PictureBytes(picture, 1);
        std::copy(bits.begin(), bits.end(), out.begin() + 4 + index * height);
    }
    if (table.empty()) return out;
    for (int index = 0; index < 256; ++index) {
        for (const auto& [at, entry] : table) {
            if (at != index) continue;
            for (const uint16_t v : entry) out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)});
        }
        out.insert(out.end(), {0xFF, 0xFF});
    }
    return out;
}

// Nine wide: the last column lies in a second byte.
const Picture kX = {"#.......#", ".#.....#.", ".........", "........."};
const Picture kE = {"...##....", ".######..", ".#.......", ".######.."};
const Picture kQuote = {".........", "....#....", "...#.....", "#########"};

// X (2 rows below its ink), é, a glyph listing only a sequence, a low quote also listed as A,
// and a second A that comes too late (41 is A).
const Bytes kSmall2 = Psf2(9, 4, {kX, kE, kQuote, kQuote, kX},
                           {"X", "\xC3\xA9", "\xFE\x41\xCC\x81", "\xE2\x80\x9A\x41", "A"});

using test::CodePicture;
using test::Describe;

TEST(PsfImport, Version2WithAUnicodeTableTakesWhatEachCodeMeansInWindows1252) {
    const ImportedFont imported = LoadPsf(test::Gzip(kSmall2));
    const Font font = imported.font.build();
    EXPECT_EQ(Describe(font.params), "9x4 down 2 magnif 1 codes 65-233");
    EXPECT_EQ(imported.charactersCut, 0);
    EXPECT_EQ(CodePicture(font, 'X'), kX);
    EXPECT_EQ(CodePicture(font, 0xE9), kE);
    // A takes the first glyph listing it; 82h is U+201A.
    EXPECT_EQ(CodePicture(font, 'A'), kQuote);
    EXPECT_EQ(CodePicture(font, 0x82), kQuote);
    EXPECT_EQ(test::BlankGlyphs(font), 169 - 4);
}

TEST(PsfImport, Version1WithoutATableTakesGlyphCAndWithOneItsCharacters) {
    const Picture x = {"#.#.....", ".#......", "#.#.....", "........"};
    const Picture a = {".#......", "#.#.....", "###.....", "#.#....."};
    const Font plain = LoadPsf(Psf1(4, {{'X', x}, {0x82, a}})).font.build();
    EXPECT_EQ(Describe(plain.params), "8x4 down 1 magnif 1 codes 0-255");
    EXPECT_EQ(CodePicture(plain, 0x82), a);
    // With a table: A and Greek Alpha share glyph 7, glyph 9 is the euro sign (80h), and the
    // X of glyph 'X' is only part of a sequence, so the font has no X and no downstroke.
    const Font table =
        LoadPsf(Psf1(4, {{'X', x}, {7, a}, {9, x}},
                     {{7, {0x41, 0x391}}, {9, {0x20AC}}, {'X', {0xFFFE, 0x58, 0x301}}}))
            .font.build();
    EXPECT_EQ(Describe(table.params), "8x4 down 0 magnif 1 codes 65-128");
    EXPECT_EQ(CodePicture(table, 'A'), a);
    EXPECT_EQ(CodePicture(table, 0x80), x);
    EXPECT_EQ(test::BlankGlyphs(table), 62);
}

TEST(PsfImport, TruncatedDamagedAndOversizedFilesAreRefused) {
    const Bytes small1 = Psf1(2, {{'A', {"#", "#"}}}, {{'A', {0x41}}});
    for (const Bytes& full : {kSmall2, test::Gzip(kSmall2), small1, test::Gzip(small1)}) {
        EXPECT_EQ(test::FirstCutTaken(full, LoadPsf), -1) << full.size();
    }
    // Larger than a console font can be, whether as it stands or once inflated.
    Bytes large = Psf1(16, {});
    large.resize(kPsfLargestFile + 1);
    using test::Patched;
    const std::string bad = "This file contains errors or can not be opened.",
                      cell = " pixels; a font is 1 to 255 pixels wide and high.";
    const std::pair<Bytes, std::string> refusals[] = {
        {Patched(kSmall2, 0, 0x874AB572, 4), bad},       // magic
        {Patched(kSmall2, 4, 1), bad},                   // version
        {Patched(kSmall2, 8, 31), bad},                  // header size
        {Patched(kSmall2, 16, 0), bad},                  // no glyph
        {Patched(kSmall2, 20, 13), bad},                 // glyph size against rows
        {Patched(kSmall2, 32 + 5 * 8, 0x28C3, 2), bad},  // bad UTF-8
        {Patched(small1, 2, 8), bad},                    // unknown mode
        {Patched(kSmall2, 28, 0), "This font needs a cell of 0 x 4" + cell},
        {Patched(kSmall2, 28, 0x100, 2), "This font needs a cell of 256 x 4" + cell},
        {Patched(kSmall2, 24, 0x80000000, 4), "This font needs a cell of 9 x 2147483648" + cell},
        {Patched(small1, 3, 0), "This font needs a cell of 8 x 0" + cell},
        {large, bad},
        {test::Gzip(large), bad},
        {Bytes(kPsfLargestFile + 1, 0x1F), bad}};
    for (std::size_t n = 0; n < std::size(refusals); ++n) {
        EXPECT_TRUE(test::RefusedWith([&] { LoadPsf(refusals[n].first); }, refusals[n].second))
            << "refusal " << n;
    }
}

}  // namespace
}  // namespace pixmere
