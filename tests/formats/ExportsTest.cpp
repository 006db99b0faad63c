// The exports' exact bytes and their reading back; the native file; the C layouts and GFX fonts
// for firmware.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <regex>

#include "Installed.h"
#include "formats/BdfExport.h"
#include "formats/BdfPcfFile.h"
#include "formats/BinFile.h"
#include "formats/CFile.h"
#include "formats/Exports.h"
#include "formats/GfxFont.h"
#include "formats/NativeFile.h"
#include "formats/PsfFile.h"
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
    const std::string relaxed = std::regex_replace(AsText(txt), std::regex("[ \r]*\n"), "\n");
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
    // height 0, codes past FF, magnification 0 and 6, a downstroke below the cell; and the largest
    // font there is, whose glyphs need far more.
    using Header = std::array<uint8_t, 6>;
    for (const Header& header :
         {Header{0, 4, 0, 0x20, 0, 1}, Header{4, 0, 0, 0x20, 0, 1}, Header{4, 4, 0, 0xF0, 0x20, 1},
          Header{4, 4, 0, 0x20, 0, 0}, Header{4, 4, 0, 0x20, 0, 6}, Header{4, 4, 5, 0x20, 0, 1},
          Header{255, 255, 0, 0, 255, 1}}) {
        EXPECT_TRUE(
            RefusedWith([&] { LoadNative(RawNativeFile(header, std::vector<uint8_t>(4096))); }));
    }
}

// The C layouts and GFX fonts for firmware: their exact text, what is refused, and the system C
// compiler building every declared layout.

// Lines written with LF, as the exports write them: CR LF.
std::string Crlf(const std::string& text) {
    return std::regex_replace(text, std::regex("\n"), "\r\n");
}

// Codes 7E to 80, 10 x 3, downstroke 1, magnification 2: two bytes a row, a padding bit set in
// the last row of 7E, and 80 blank.
const Font kGlyphs =
    FontFromPictures(Shape(10, 3, 0x7E, 3, 1, 2), {{"##......#.", ".#.......#", "....#.......#"},
                                                   {"..........", "...##.....", "....#....."},
                                                   {"", "", ""}});

const std::string kHead =
    "// Height: 3\n// Width: 10\n// First Car: 126\n// Nb Car: 3\n// Underline: 1\n"
    "// Magnification: 2\n";

// Per glyph: the two empty lines, the comment and one empty line, then `rows`.
std::string Glyphs(const std::array<std::string, 3>& rows) {
    const char* comments[] = {"// 7Eh '~'", "// 7Fh", "// 80h"};
    std::string text;
    for (int i = 0; i < 3; ++i) text += "\n\n" + std::string(comments[i]) + "\n\n" + rows[i];
    return text;
}

const std::string kProgmem =
    "#include <stdint.h>\n#ifdef __AVR__\n#include <avr/pgmspace.h>\n#endif\n"
    "#ifndef PROGMEM\n#define PROGMEM\n#endif\n\nconst uint8_t glyphs[] PROGMEM = {\n";

const std::string kGfx =
    kHead +
    "// An Adafruit GFX font. The printer's magnification (2) has no field here:\n"
    "// setTextSize(1, 2) stretches the rows as the printer does.\n\n"
    "const uint8_t glyphsBitmaps[] PROGMEM = {\n  0xC0, 0x90, 0x10, 0x80, 0xD0,\n};\n\n"
    "const GFXglyph glyphsGlyphs[] PROGMEM = {\n"
    "  {     0,  10,   3,  10,    0,   -1 },  // 0x7E '~'\n"
    "  {     4,   2,   2,  10,    3,    0 },  // 0x7F\n"
    "  {     5,   0,   0,  10,    0,    0 },  // 0x80\n};\n\n"
    "const GFXfont glyphs PROGMEM = {\n  (uint8_t  *)glyphsBitmaps,\n  (GFXglyph *)glyphsGlyphs,\n"
    "  0x7E, 0x80, 3 };\n\n// Approx. 33 bytes\n";

// The Layout line, the literals (the padding bit kept in row order, left out in page order),
// the declaration and the picture comments in either order (CompiledExports decodes every
// combination); then the GFX font, whose xAdvance the ink choice changes to the rightmost ink
// column + 2.
TEST(FirmwareExports, EachLayoutWritesItsBytes) {
    const std::pair<CLayout, std::string> cases[] = {
        {CLayout{CNumbers::Hexadecimal, COrder::Rows, CBits::MsbFirst, CDeclaration::Progmem,
                 CComments::Picture},
         "// Layout: hexadecimal, row order, MSB first, PROGMEM array, picture comments\n\n\n" +
             kProgmem +
             Glyphs({"0xC0,0x80, // ##......#.\n0x40,0x40, // .#.......#\n"
                     "0x08,0x08, // ....#.....\n",
                     "0x00,0x00, // ..........\n0x18,0x00, // ...##.....\n"
                     "0x08,0x00, // ....#.....\n",
                     "0x00,0x00, // ..........\n0x00,0x00, // ..........\n"
                     "0x00,0x00, // ..........\n"}) +
             "};\n"},
        {CLayout{CNumbers::Hexadecimal, COrder::Pages, CBits::MsbFirst, CDeclaration::None,
                 CComments::Picture},
         "// Layout: hexadecimal, page order, MSB first, no declaration, picture comments\n\n\n" +
             Glyphs({"0x80,0xC0,0x00,0x00,0x20,0x00,0x00,0x00,0x80,0x40,\n"
                     "// ##......#.\n// .#.......#\n// ....#.....\n",
                     "0x00,0x00,0x00,0x40,0x60,0x00,0x00,0x00,0x00,0x00,\n"
                     "// ..........\n// ...##.....\n// ....#.....\n",
                     "0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00,\n"
                     "// ..........\n// ..........\n// ..........\n"})},
    };
    for (const auto& [layout, rest] : cases) {
        EXPECT_EQ(AsText(saveC(kGlyphs, layout, "glyphs")), Crlf(kHead + rest)) << rest;
    }
    EXPECT_EQ(AsText(saveGFX(kGlyphs, "glyphs")), Crlf(kGfx));
    std::string ink = Replaced(kGfx, "10,    0,   -1", "11,    0,   -1");
    ink = Replaced(ink, "10,    3,    0", " 6,    3,    0");
    EXPECT_EQ(AsText(saveGFX(kGlyphs, "glyphs", GfxAdvance::Ink)), Crlf(ink));
}

// What the C import makes of tables with a Layout line: comments, declarations and includes
// are no data, whatever digits they hold; a wrong word, a literal not of the layout's kind, and
// braces that do not pair are a damaged file, and so is a table cut before its closing brace.
TEST(FirmwareExports, DeclaredTablesSkipTheirTextAndRefuseDamage) {
    const std::string c =
        AsText(saveC(kGlyphs,
                     CLayout{CNumbers::Hexadecimal, COrder::Pages, CBits::LsbFirst,
                             CDeclaration::Progmem, CComments::Picture},
                     "font0x12"));
    const auto read = [](const std::string& text) {
        return ParseCFile(AsBytes(text), kGlyphs.params).build().glyphData();
    };
    for (const std::string& same :
         {Replaced(c, "// 7Fh", "// 7Fh 0x12 0b00000001 /* 0x34"),
          Replaced(c, "#ifdef", "/* 0x12, 0x34, */\r\n#if 0x12\r\n#endif\r\n#ifdef"),
          Replaced(c, "LSB first, PROGMEM array", "PROGMEM ARRAY, lsb first")}) {
        EXPECT_EQ(read(same), read(c)) << same;
    }
    for (const std::string& damaged :
         {Replaced(c, "PROGMEM array", "PROGMEM arrays"), Replaced(c, "0x01,", "0x1,"),
          Replaced(c, "0x01,", "0b00000001,"), Replaced(c, "0x01,", "1,"),
          Replaced(c, "= {", "= {{"), Replaced(c, "// 80h", "/* 80h"),
          c.substr(0, c.rfind("};"))}) {
        EXPECT_TRUE(RefusedWith([&] { read(damaged); }, kBadCFileMessage)) << damaged;
    }
}

// The converter's header read into a cell, the glyph above FFh and the one that does not fit
// left out; damaged, it is refused, and so is every cut before its last semicolon.
TEST(GfxFont, ReadsTheConvertersHeaderAndRefusesDamageAndFontsBeyondTheFormat) {
    const std::string& h = kConverterGfxHeader;
    const ImportedFont imported = LoadGfx(AsBytes(h));
    const Font font = imported.font.build();
    EXPECT_EQ(Describe(font.params), "6x7 down 2 magnif 1 codes 253-255");
    EXPECT_EQ(imported.charactersCut + 10 * imported.charactersAboveFF, 11);
    using Picture = std::vector<std::string>;
    EXPECT_EQ(CodePicture(font, 0xFD),
              (Picture{"###...", "#.#...", "##....", "#.#...", "###...", "......", "......"}));
    EXPECT_EQ(CodePicture(font, 0xFE),
              (Picture{"......", "......", "......", "......", "#.....", "......", "#....."}));
    EXPECT_EQ(BlankGlyphs(font), 1);
    EXPECT_EQ(AboveFFMessage(3), "3 characters with a code above FFh were left out.");
    const auto load = [](const std::vector<uint8_t>& file) { LoadGfx(file); };
    EXPECT_EQ(FirstCutTaken(AsBytes(h), load), static_cast<long>(h.rfind(';') + 1));
    for (const std::string& damaged :
         {Replaced(h, "0xFD, 0x100", "0xFD, 0x101"),  // a glyph missing
          Replaced(h, "0x100, 12", "0xFC, 12"),       // last before first
          Replaced(h, "(uint8_t  *)TinyBitmaps", "(uint8_t  *)SmallBitmaps"),
          Replaced(h, "{     3,   1,   1,", "{     4,   1,   1,"),  // pixels past the bitmaps
          Replaced(h, "4,    0,   -4", "256,    0,   -4"), Replaced(h, "0xF7,", "0xF7, 0x1FF,"),
          Replaced(h, "0xF7,", "0xFG,"),
          Replaced(h, "PROGMEM = {\n  0xF7", "PROGMEM = {\n  0xF7 /* 0xF7"),
          Replaced(h, "const GFXfont Tiny", "const GFXfont Tiny[]"),
          Replaced(h, "const GFXfont Tiny", "const uint8_t More[] = { 1 };\nconst GFXfont Tiny"),
          std::string(kGfxLargestFile + 1, ' ')}) {
        EXPECT_TRUE(RefusedWith([&] { load(AsBytes(damaged)); })) << damaged;
    }
    EXPECT_TRUE(RefusedWith([&] { load(AsBytes(Replaced(h, "0xFD, 0x100", "0x100, 0x103"))); },
                            "This font has no character with a code from 00h to FFh."));
    // Fonts the format cannot hold are refused saying why.
    const Font wide = FontFromPictures(Shape(200, 1), {{std::string(150, '.') + "#"}});
    std::vector<std::string> tall(200, "");
    tall[0] = "#";
    // 17 glyphs of 255 x 128 pixels of ink: 4,080 bytes each, the offsets within bounds.
    ByteMatrix full = Shape(255, 128, 0x20, 17).blankMatrix();
    std::fill(full.data().begin(), full.data().end(), 0xFF);
    const std::pair<Font, std::string> cases[] = {
        {wide, "the xOffset of character 0x20 would be 150; GFX offsets are -128 to 127."},
        {FontFromPictures(Shape(1, 200), {tall}),
         "the yOffset of character 0x20 would be -199; GFX offsets are -128 to 127."},
        {MatrixToObject(Shape(255, 128, 0x20, 17), full),
         "its bitmaps would take more than 65,535 bytes, the most a GFX font addresses."}};
    for (const auto& [font, why] : cases) {
        EXPECT_TRUE(RefusedWith([&] { saveGFX(font, "f"); },
                                "This font can not be saved as a GFX font: " + why));
    }
}

// The declared C layouts and the GFX font as firmware sees them: compiled by the system C
// compiler with a small decoder that prints every glyph, which must be the font's. The GFX
// decoder draws from the cursor as the library does, which pins the yOffset convention.
// Prints each table (data, size, page order, LSB first) glyph by glyph, a row of "#" and "." a
// line, and an empty line after each table. W, H and COUNT come from -D.
const char* const kTableDecoder = R"(#include <stdio.h>
#include "tables.h"
int main(void) {
    for (size_t t = 0; t < sizeof tables / sizeof tables[0]; ++t) {
        const int pages = tables[t].pages, lsb = tables[t].lsb;
        const size_t glyph = pages ? (H + 7) / 8 * W : H * ((W + 7) / 8);
        if (tables[t].size != COUNT * glyph) return 1;
        for (int i = 0; i < COUNT; ++i) {
            const uint8_t* g = tables[t].data + i * glyph;
            for (int y = 0; y < H; ++y) {
                for (int x = 0; x < W; ++x) {
                    const int b = pages ? g[y / 8 * W + x] : g[y * ((W + 7) / 8) + x / 8];
                    const int bit = pages ? y % 8 : x % 8;
                    putchar(((b >> (lsb ? bit : 7 - bit)) & 1) ? '#' : '.');
                }
                putchar('\n');
            }
        }
        putchar('\n');
    }
    return 0;
}
)";

// Draws each glyph into its cell as the library's drawChar does: from the cursor on the last
// row above the downstroke (CURSOR), moved by the offsets, bits read most significant first and
// running on across rows. Prints per glyph xAdvance and the cell.
const char* const kGfxDecoder = R"(#include <stdio.h>
#include <stdint.h>
#include <string.h>
#define PROGMEM
typedef struct { uint16_t bitmapOffset; uint8_t width, height, xAdvance; int8_t xOffset, yOffset; } GFXglyph;
typedef struct { uint8_t* bitmap; GFXglyph* glyph; uint16_t first, last; uint8_t yAdvance; } GFXfont;
#include "gfx.h"
int main(void) {
    for (int c = gfx.first; c <= gfx.last; ++c) {
        const GFXglyph* g = &gfx.glyph[c - gfx.first];
        const uint8_t* bitmap = gfx.bitmap + g->bitmapOffset;
        char cell[H][W + 1];
        memset(cell, '.', sizeof cell);
        for (int y = 0; y < H; ++y) cell[y][W] = 0;
        uint8_t bits = 0, bit = 0;
        for (int yy = 0; yy < g->height; ++yy) {
            for (int xx = 0; xx < g->width; ++xx) {
                if (!(bit++ & 7)) bits = *bitmap++;
                const int x = g->xOffset + xx, y = CURSOR + g->yOffset + yy;
                if (x < 0 || x >= W || y < 0 || y >= H) return 1;
                if (bits & 0x80) cell[y][x] = '#';
                bits <<= 1;
            }
        }
        printf("%d\n", g->xAdvance);
        for (int y = 0; y < H; ++y) puts(cell[y]);
    }
    return 0;
}
)";

// Compiles `decoder` in `dir` with `flags` and gives what it printed.
std::string Decoded(const TempDir& dir, const char* decoder, const std::string& flags) {
    WriteAll(dir.file("decoder.c"), AsBytes(decoder));
    const int status = std::system(("cd '" + dir.path().string() + "' && cc " + flags +
                                    " decoder.c -o decoder > out.txt 2>&1 && ./decoder > out.txt")
                                       .c_str());
    const std::string out = AsText(ReadAll(dir.file("out.txt")));
    EXPECT_EQ(status, 0) << out.substr(0, 2000);
    return out;
}

// Hexadecimal tables compile as standard C without a warning, binary ones as GNU C; each
// order, bit order and declaration, with either comment, gives the font's glyphs, and so does
// the GFX font drawn from its cursor. 10 x 20: two bytes a row, the last page half full.
TEST(CompiledExports, EveryDeclaredLayoutAndTheGfxFontDecodeToTheFont) {
    if (std::system("cc --version > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "cc is missing: is build-essential installed?";
    }
    const Font font = LoadPsf(Installed("/usr/share/consolefonts/Lat15-Terminus20x10.psf.gz",
                                        "console-setup-linux"))
                          .font.build();
    const FontParams& p = font.params;
    std::string pictures;
    for (const CarObject& glyph : font.glyphs)
        pictures += Joined(GlyphPicture(glyph, 10)).substr(1);
    const std::string cell = " -DW=10 -DH=20 -DCOUNT=" + std::to_string(p.NbCar);
    const std::string strict = "-std=c11 -pedantic-errors -Wall -Werror";
    TempDir dir;
    for (const CNumbers numbers : {CNumbers::Hexadecimal, CNumbers::Binary}) {
        std::string tables, list, expected;
        for (int n = 0; n < 8; ++n) {
            const CLayout layout{numbers, static_cast<COrder>(n % 2), static_cast<CBits>(n / 2 % 2),
                                 n < 4 ? CDeclaration::Const : CDeclaration::Progmem,
                                 static_cast<CComments>(n % 3 == 0)};
            const std::string name = "t" + std::to_string(n);
            WriteAll(dir.file(name + ".c"), saveC(font, layout, name));
            tables += "#include \"" + name + ".c\"\n";
            list += "{" + name + ", sizeof " + name + ", " + std::to_string(n % 2) + ", " +
                    std::to_string(n / 2 % 2) + "},";
            expected += pictures + "\n";
        }
        WriteAll(dir.file("tables.h"),
                 AsBytes(tables +
                         "static const struct { const uint8_t* data; size_t size; "
                         "int pages, lsb; } tables[] = {" +
                         list + "};\n"));
        SCOPED_TRACE(numbers == CNumbers::Hexadecimal ? "hexadecimal" : "binary");
        // A full diff of texts this long takes minutes.
        EXPECT_TRUE(
            Decoded(dir, kTableDecoder,
                    (numbers == CNumbers::Hexadecimal ? strict : "-std=gnu11 -Wall -Werror") +
                        cell) == expected);
    }
    WriteAll(dir.file("gfx.h"), saveGFX(font, "gfx"));
    std::string expected;
    for (const CarObject& glyph : font.glyphs) expected += "10" + Joined(GlyphPicture(glyph, 10));
    EXPECT_TRUE(Decoded(dir, kGfxDecoder,
                        strict + cell + " -DCURSOR=" +
                            std::to_string(p.FormatHeightCar - p.jambon - 1)) == expected);
}

// The first three bytes read from a table in hexadecimal, or the refusal the user reads, its
// misspelling included.
std::string Read(const std::string& text, const FontParams& entered = Shape(8, 1)) {
    try {
        const std::vector<uint8_t> all = ParseCFile(AsBytes(text), entered).matrix.data();
        char bytes[16];
        std::snprintf(bytes, sizeof bytes, "%02X %02X %02X", all.at(0), all.at(1), all.at(2));
        return bytes;
    } catch (const UserError& e) {
        return e.caption() + ": " + e.what();
    }
}

TEST(CFileImport, ParameterLinesLiteralsAndRefusals) {
    const std::string c = AsText(saveC(PatternFont(Shape(12, 5, 0x30, 208, 3, 4))));
    const auto own = [](const std::string& text) {
        const std::optional<FontParams> p = CFileParameters(AsBytes(text));
        return p ? Describe(*p) + " count " + std::to_string(p->NbCar) : "none";
    };
    EXPECT_EQ(own(c), "12x5 down 3 magnif 4 codes 48-255 count 208");
    // Line ends converted to LF still read.
    EXPECT_EQ(own(std::regex_replace(c, std::regex("\r"), "")), own(c));
    const std::pair<const char*, const char*> changes[] = {
        {"// Height: 5\r\n", ""},
        {"// Width: 12", "// Width: twelve"},
        {"// Height: 5\r\n// Width: 12", "// Width: 12\r\n// Height: 5"},
        {"// Width: 12", "// Width: 0"},
        {"// Nb Car: 208", "// Nb Car: 209"},
        {"// Underline: 3", "// Underline: 6"},
        {"// Magnification: 4", "// Magnification: 6"},
        {"0b", "0b00000000,0b"}};
    for (const auto& [from, to] : changes) EXPECT_EQ(own(Replaced(c, from, to)), "none") << to;
    EXPECT_EQ(own(c.substr(0, c.rfind("0b"))), "none");
    EXPECT_EQ(own(c.substr(2)), "none");
    // The table then reads as one without lines: 20h to FFh, its size from the dialog.
    EXPECT_EQ(ParseCFile(AsBytes(Replaced(c, "// Nb Car: 208", "// Nb Car: 200")), Shape(12, 5))
                  .params.firstcar,
              0x20);
    // Literals of either case, the first marker fixing the format; wrong tables and what the
    // parameters dialog refuses (downstroke below the cell, zero sizes, magnification) refused.
    const std::string refused =
        "Error: This file can't be openened because the font parameters are wrong or the file is "
        "corrupted";
    const std::pair<std::string, std::string> texts[] = {
        // "0X" is no marker; "0x," is 0; digits never start a marker: 0x0b is 11, 0x0x12 is 0.
        {"char f[] = {0x3C, 0XFF 0xaB,\n0xFf};", "3C AB FF"},
        {"0x5, 0x,0x0b", "05 00 0B"},
        {"0x0x12,0x3", "00 03 00"},
        // Two digits at most: the rest of a longer run is skipped.
        {"0x414243,0x7E 0xABC", "41 7E AB"},
        // Markers of the other format are skipped.
        {"0b10000001, 0x7E, 0b00000011,", "81 03 00"},
        {"/* 0x */ 0x7E, 0b10000001, 0x01", "00 7E 01"},
        {"", refused},
        {"{ 12, 34, 56 }", refused},
        {"0X12, 0B00000001", refused},
        {"0b00000001,0b1", refused},
        {"0b0000002,", refused},
        {"0b0000001,0", refused}};
    for (const auto& [text, read] : texts) EXPECT_EQ(Read(text), read) << text;
    EXPECT_EQ(Read("0x01,0x02", Shape(8, 2, 0x20, 1, 2, 5)), "01 02 00");
    for (const FontParams& p :
         {Shape(8, 2), Shape(9, 1), Shape(8, 2, 0x20, 1, 3), Shape(0, 2), Shape(8, 0),
          Shape(8, 2, 0x20, 1, 0, 0), Shape(8, 2, 0x20, 1, 0, 6)}) {
        EXPECT_EQ(Read("0x01,0x02,0x03,", p), refused) << Describe(p);
    }
}

}  // namespace
}  // namespace pixmere::test
