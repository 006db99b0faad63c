// The C layouts and GFX fonts for firmware: their exact text, their reading back, and what is
// refused. The historical C file is pinned in ExportsTest, and every layout read back there.
#include <gtest/gtest.h>

#include <algorithm>

#include "formats/CFile.h"
#include "formats/Exports.h"
#include "formats/GfxFont.h"
#include "model/UserError.h"
#include "support/GlyphPicture.h"
#include "support/SampleFonts.h"
#include "support/TempDir.h"

namespace pixmere::test {
namespace {

// Lines written with LF, as the exports write them: CR LF.
std::string Crlf(const std::string& text) {
    std::string out;
    for (const char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
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
// are no data, whatever digits they hold; a wrong word, a literal not of the layout's kind or
// cut short, and braces that do not pair are a damaged file.
TEST(FirmwareExports, DeclaredTablesSkipTheirTextAndRefuseDamage) {
    const CLayout layout = CLayout{CNumbers::Hexadecimal, COrder::Pages, CBits::LsbFirst,
                                   CDeclaration::Progmem, CComments::Picture};
    const std::string c = AsText(saveC(kGlyphs, layout, "font0x12"));
    const auto read = [](const std::string& text) {
        return ParseCFile(AsBytes(text), kGlyphs.params).build();
    };
    const std::vector<uint8_t> pixels = read(c).glyphData();
    for (const std::string& same :
         {Replaced(c, "// 7Fh", "// 7Fh 0x12 0b00000001 /* 0x34"),
          Replaced(c, "#ifdef", "/* 0x12, 0x34, */\r\n#if 0x12\r\n#endif\r\n#ifdef"),
          Replaced(c, "\r\n", "\n"),
          Replaced(c, "LSB first, PROGMEM array", "PROGMEM ARRAY, lsb first")}) {
        EXPECT_EQ(read(same).glyphData(), pixels) << same;
    }
    for (const std::string& damaged :
         {Replaced(c, "PROGMEM array", "PROGMEM arrays"),
          Replaced(c, "PROGMEM array", "const array, PROGMEM array"), Replaced(c, "0x01,", "0x1,"),
          Replaced(c, "0x01,", "0x001,"), Replaced(c, "0x01,", "0b00000001,"),
          Replaced(c, "0x01,", "1,"), Replaced(c, "= {", "= {{"),
          Replaced(c, "// 80h", "/* 80h")}) {
        EXPECT_TRUE(RefusedWith([&] { read(damaged); }, kBadCFileMessage)) << damaged;
    }
    // Cut anywhere before its closing brace, a declared table is refused.
    EXPECT_EQ(
        FirstCutTaken(
            AsBytes(c), [](const std::vector<uint8_t>& cut) { ParseCFile(cut, kGlyphs.params); },
            kBadCFileMessage),
        static_cast<long>(c.rfind("};") + 1));
}

TEST(GfxFont, ReadsTheConvertersHeaderIntoACell) {
    const ImportedFont imported = LoadGfx(AsBytes(kConverterGfxHeader));
    const Font font = imported.font.build();
    EXPECT_EQ(Describe(font.params), "6x7 down 2 magnif 1 codes 253-255");
    EXPECT_EQ(imported.charactersCut, 1);
    EXPECT_EQ(imported.charactersAboveFF, 1);
    EXPECT_EQ(CodePicture(font, 0xFD),
              (std::vector<std::string>{"###...", "#.#...", "##....", "#.#...", "###...", "......",
                                        "......"}));
    EXPECT_EQ(CodePicture(font, 0xFE),
              (std::vector<std::string>{"......", "......", "......", "......", "#.....", "......",
                                        "#....."}));
    EXPECT_EQ(BlankGlyphs(font), 1);
    EXPECT_EQ(AboveFFMessage(1), "1 character with a code above FFh was left out.");
    EXPECT_EQ(AboveFFMessage(3), "3 characters with a code above FFh were left out.");
}

TEST(GfxFont, DamagedHeadersAreRefusedCutAtEveryLength) {
    const auto load = [](const std::vector<uint8_t>& file) { LoadGfx(file); };
    EXPECT_EQ(FirstCutTaken(AsBytes(kConverterGfxHeader), load),
              static_cast<long>(kConverterGfxHeader.rfind(';') + 1));
    for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
             {"0xFD, 0x100", "0xFD, 0x101"},  // a glyph missing
             {"0x100, 12", "0xFC, 12"},       // last before first
             {"(uint8_t  *)TinyBitmaps", "(uint8_t  *)SmallBitmaps"},
             {"{     3,   1,   1,", "{     4,   1,   1,"},  // pixels past the bitmaps
             {"4,    0,   -4", "256,    0,   -4"},
             {"0xF7,", "0xF7, 0x1FF,"},
             {"0xF7,", "0xFG,"},
             {"PROGMEM = {\n  0xF7", "PROGMEM = {\n  0xF7 /* 0xF7"},
             {"const GFXfont Tiny", "const GFXfont Tiny[]"},
             {"const GFXfont Tiny", "const uint8_t More[] = { 1 };\nconst GFXfont Tiny"}}) {
        EXPECT_TRUE(RefusedWith([&] { LoadGfx(AsBytes(Replaced(kConverterGfxHeader, from, to))); }))
            << to;
    }
    EXPECT_TRUE(RefusedWith([] { LoadGfx(std::vector<uint8_t>(kGfxLargestFile + 1, ' ')); }));
    EXPECT_TRUE(RefusedWith(
        [] { LoadGfx(AsBytes(Replaced(kConverterGfxHeader, "0xFD, 0x100", "0x100, 0x103"))); },
        kNoCharacterMessage));
}

// Fonts the format cannot hold are refused saying why.
TEST(GfxFont, FontsBeyondTheFormatAreRefused) {
    const Font wide = FontFromPictures(Shape(200, 1), {{std::string(150, '.') + "#"}});
    std::vector<std::string> tall(200, "");
    tall[0] = "#";
    const Font high = FontFromPictures(Shape(1, 200), {tall});
    // 17 glyphs of 255 x 128 pixels of ink: 4,080 bytes each, the offsets within bounds.
    ByteMatrix full = Shape(255, 128, 0x20, 17).blankMatrix();
    std::fill(full.data().begin(), full.data().end(), 0xFF);
    const std::pair<Font, std::string> cases[] = {
        {wide, "the xOffset of character 0x20 would be 150; GFX offsets are -128 to 127."},
        {high, "the yOffset of character 0x20 would be -199; GFX offsets are -128 to 127."},
        {MatrixToObject(Shape(255, 128, 0x20, 17), full),
         "its bitmaps would take more than 65,535 bytes, the most a GFX font addresses."}};
    for (const auto& [font, why] : cases) {
        EXPECT_TRUE(RefusedWith([&] { saveGFX(font, "f"); },
                                "This font can not be saved as a GFX font: " + why));
    }
}

}  // namespace
}  // namespace pixmere::test
