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
    EXPECT_EQ(AboveFFMessage(1), "1 character with a code above FFh was left out.");
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
