#include <gtest/gtest.h>

#include "formats/BdfExport.h"
#include "formats/BdfPcfFile.h"
#include "formats/BinFile.h"
#include "formats/CFile.h"
#include "formats/Exports.h"
#include "formats/GfxFont.h"
#include "formats/NativeFile.h"
#include "formats/TxtFile.h"
#include "model/UserError.h"
#include "support/GlyphPicture.h"
#include "support/RawNativeFile.h"
#include "support/SampleFonts.h"
#include "support/TempDir.h"

namespace pixmere::test {
namespace {

using Bytes = std::vector<uint8_t>;

// Codes 41 and 42, 12 x 2, downstroke 1, magnification 2; the last four columns of a row are
// padding, set on the second row of 41.
const Font kSmall = FontFromPictures(Shape(12, 2, 0x41, 2, 1, 2),
                                     {{"..####......", "#..........#..#."}, {"############", ""}});

TEST(Exports, ExactBytesOfAFontOfWidthTwelveWithItsPaddingBits) {
    EXPECT_EQ(saveBin(kSmall),
              (Bytes{12, 2, 1, 0x41, 2, 0x3C, 0x00, 0x80, 0x12, 0xFF, 0xF0, 0x00, 0x00, 0, 0, 0}));
    const std::string header =
        "// Height: 2\r\n// Width: 12\r\n// First Car: 65\r\n// Nb Car: 2\r\n// Underline: 1\r\n"
        "// Magnification: 2\r\n\r\n\r\n";
    EXPECT_EQ(AsText(saveC(kSmall)), header +
                                         "\r\n\r\n// Car  0\r\n\r\n"
                                         "0b00111100,0b00000000,\r\n"
                                         "0b10000000,0b00010010,\r\n"
                                         "\r\n\r\n// Car  1\r\n\r\n"
                                         "0b11111111,0b11110000,\r\n"
                                         "0b00000000,0b00000000,\r\n");
    EXPECT_EQ(AsText(saveTXT(kSmall)), header +
                                           "\r\r\n// Car  65\r\n"
                                           "  ####          \r\n"
                                           "#          #  # \r\n"
                                           "\r\r\n// Car  66\r\n"
                                           "############    \r\n"
                                           "                \r\n");
}

// Each format and each layout of the C export read back gives the font it came from, through
// the native file first: the parameters, the last code, which loaders set, and the pixels, or
// every byte where the format keeps the padding bits.
TEST(ReadBack, EveryFormatAndLayoutGivesBackTheSameFont) {
    for (const FontParams& p : {Shape(8, 11, 0x20, 224, 3, 4), Shape(12, 11, 0x20, 224, 3, 4),
                                Shape(12, 11, 0x30, 208, 3, 4), Shape(1, 1, 0x41, 2),
                                Shape(8, 16, 0x7E, 3, 16, 1), Shape(255, 3, 0xFF, 1, 2, 5)}) {
        SCOPED_TRACE(Describe(p));
        const Font font = PatternFont(p);
        const auto same = [&](const Font& back, bool padding) {
            EXPECT_EQ(Describe(back.params) + " last " + std::to_string(back.params.lastcar),
                      Describe(p) + " last " + std::to_string(p.lastCode()));
            EXPECT_TRUE(!padding || back.glyphData() == font.glyphData());
            for (std::size_t i = 0; i < font.glyphs.size(); ++i) {
                ASSERT_EQ(GlyphPicture(back.glyphs.at(i), p.FormatLengthCar),
                          GlyphPicture(font.glyphs[i], p.FormatLengthCar));
            }
        };
        const Font opened = LoadNative(SaveNative(font).bytes).build();
        same(opened, true);
        same(LoadBin(saveBin(opened), p.Magnification).build(), true);
        same(LoadTXT(saveTXT(opened)).build(), true);
        same(LoadBdfPcf(saveBDF(opened, "round")).font.build(), false);
        for (int n = 0; n < 48; ++n) {
            const CLayout layout{static_cast<CNumbers>(n % 2), static_cast<COrder>(n / 2 % 2),
                                 static_cast<CBits>(n / 4 % 2),
                                 static_cast<CDeclaration>(n / 8 % 3),
                                 static_cast<CComments>(n / 24)};
            SCOPED_TRACE(LayoutWords(layout));
            const Bytes c = saveC(opened, layout, "round");
            same(ParseCFile(c, *CFileParameters(c)).build(), layout.order == COrder::Rows);
        }
        for (const GfxAdvance advance : {GfxAdvance::Cell, GfxAdvance::Ink}) {
            const ImportedFont back = LoadGfx(saveGFX(font, "round", advance));
            EXPECT_EQ(back.charactersCut + back.charactersAboveFF, 0);
            same(back.font.build(), false);
        }
    }
}

// A download file is given the magnification and counts all codes as zero; a text picture reads
// with LF line ends, rows without their trailing spaces and empty lines at the end. Every cut,
// any other length, and text out of step with its header are refused.
TEST(BinAndTxtFiles, RelaxedReadsAndRefusals) {
    const Bytes bin = saveBin(kSmall), txt = saveTXT(kSmall);
    EXPECT_EQ(LoadBin(bin).params.Magnification, 1);
    const Font all = PatternFont(Shape(3, 2, 0x00, 256));
    EXPECT_EQ(LoadBin(saveBin(all)).build().glyphData(), all.glyphData());
    std::string relaxed;
    for (const char c : AsText(txt)) {
        if (c == '\r') continue;
        while (c == '\n' && !relaxed.empty() && relaxed.back() == ' ') relaxed.pop_back();
        relaxed += c;
    }
    EXPECT_EQ(LoadTXT(AsBytes(relaxed + "\n\n")).build().glyphData(), kSmall.glyphData());
    EXPECT_EQ(FirstCutTaken(bin, [](const Bytes& file) { LoadBin(file); }), -1);
    EXPECT_EQ(FirstCutTaken(txt, LoadTXT), -1);
    Bytes longer = bin;
    longer.push_back(0);
    for (const Bytes& file : {longer, Patched(bin, bin.size() - 1, 1), Patched(bin, 0, 0),
                              Patched(bin, 1, 0), Patched(bin, 2, 3), Patched(bin, 3, 0xFF),
                              Patched(bin, 4, 0), Bytes(kBinLargestFile + 1, 0)}) {
        EXPECT_TRUE(RefusedWith([&] { LoadBin(file); }));
    }
    const auto replaced = [&](const std::string& from, const std::string& to) {
        return AsBytes(Replaced(AsText(txt), from, to));
    };
    for (const Bytes& file :
         {replaced("// Car  66", "// Car  67"), replaced("  ####   ", "  #O##   "),
          replaced("############    ", "############    #"),
          replaced("// Nb Car: 2", "// Nb Car: 1"), replaced("// Nb Car: 2", "// Nb Car: 3"),
          replaced("\r\n\r\n\r\r\n", "\r\n\r\r\n"), replaced("// Height: 2", "// Height: 0"),
          AsBytes(AsText(txt) + "x\r\n"), saveC(kSmall), Bytes(kTxtLargestFile + 1, ' ')}) {
        EXPECT_TRUE(RefusedWith([&] { LoadTXT(file); }));
    }
}

const Scrambler::Key& kKey = kTestKey;

// Every file ever stored depends on the table and the key mixing: both are pinned here.
TEST(Scrambler, PinnedTableAndFileBytes) {
    EXPECT_EQ(
        Scrambler::CryptTable(),
        (std::array<uint8_t, 30>{0x5A, 0xC3, 0x17, 0x8E, 0x39, 0xF2, 0x64, 0xAB, 0x0D, 0x71,
                                 0xD6, 0x2F, 0x98, 0x43, 0xBC, 0x05, 0xE7, 0x6A, 0x31, 0x9D,
                                 0x52, 0xC8, 0x1B, 0x86, 0xF4, 0x3E, 0xA9, 0x60, 0xD1, 0x27}));
    // Width 9, height 2, codes 41 and 42, downstroke 1, magnification 3; padding bits set.
    const Font font =
        FontFromPictures(Shape(9, 2, 0x41, 2, 1, 3), {{"#", "........#.#"}, {"#########", ""}});
    const NativeSave saved = SaveNative(font, kKey);
    EXPECT_FALSE(saved.droppedBelow20);
    EXPECT_EQ(saved.bytes,
              (std::vector<uint8_t>{0x84, 0x97, 0xB0, 0x30, 0x49, 0xF6, 0x28, 0x39, 0x4A,
                                    0x5B, 0x6C, 0x7D, 0x8E, 0x9F, 0xB0, 0xC1, 0xD2, 0xE3,
                                    0xF4, 0x93, 0x58, 0xF1, 0x73, 0x2B, 0x5F, 0x7B, 0xBC}));
}

// Characters below 20h are left out of the file, and with nothing left the save is refused.
// Damaged files are refused without reading past the end.
TEST(NativeFile, CharactersBelow20LeftOutAndDamagedFilesRefused) {
    const Font font = PatternFont(Shape(8, 2, 0x1A, 10));
    const NativeSave saved = SaveNative(font, kKey);
    EXPECT_TRUE(saved.droppedBelow20);
    EXPECT_EQ(saved.bytes.size(), 19u + 4 * 2);
    const Font back = LoadNative(saved.bytes).build();
    EXPECT_EQ(Describe(back.params), "8x2 down 0 magnif 1 codes 32-35");
    const std::vector<uint8_t> data = font.glyphData();  // the 6 characters below 20 left out
    EXPECT_EQ(back.glyphData(), std::vector(data.begin() + 6 * 2, data.end()));
    // With nothing left to store the save is refused.
    EXPECT_THROW(SaveNative(PatternFont(Shape(8, 2, 0x00, 0x20)), kKey), UserError);
    EXPECT_NO_THROW(SaveNative(PatternFont(Shape(8, 2, 0x00, 0x21)), kKey));
    const std::vector<uint8_t> good = SaveNative(PatternFont(Shape(10, 4, 0x20, 5)), kKey).bytes;
    EXPECT_EQ(FirstCutTaken(good, LoadNative), -1);
    // Headers of fonts the editor cannot hold, followed by plenty of glyph data: width 0,
    // height 0, codes past FF, magnification 0 and 6, a downstroke below the cell.
    using Header = std::array<uint8_t, 6>;
    for (const Header& header :
         {Header{0, 4, 0, 0x20, 0, 1}, Header{4, 0, 0, 0x20, 0, 1}, Header{4, 4, 0, 0xF0, 0x20, 1},
          Header{4, 4, 0, 0x20, 0, 0}, Header{4, 4, 0, 0x20, 0, 6}, Header{4, 4, 5, 0x20, 0, 1}}) {
        EXPECT_TRUE(
            RefusedWith([&] { LoadNative(RawNativeFile(header, std::vector<uint8_t>(4096))); }));
    }
    // The largest font there is, announced by a 40-byte file.
    EXPECT_TRUE(RefusedWith([] {
        LoadNative(RawNativeFile({255, 255, 0, 0, 255, 1}, std::vector<uint8_t>(21)));
    }));
}

}  // namespace
}  // namespace pixmere::test
