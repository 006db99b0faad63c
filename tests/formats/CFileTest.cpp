#include <gtest/gtest.h>

#include "formats/CFile.h"
#include "formats/Exports.h"
#include "model/UserError.h"
#include "support/GlyphPicture.h"
#include "support/TempDir.h"

namespace pixmere {
namespace {

FontParams Entered(int width, int height, int jambon = 0, int magnification = 1) {
    FontParams p;
    p.FormatLengthCar = static_cast<uint8_t>(width);
    p.FormatHeightCar = static_cast<uint8_t>(height);
    p.jambon = static_cast<uint8_t>(jambon);
    p.Magnification = static_cast<uint8_t>(magnification);
    return p;
}

LoadedFont Parse(const std::string& text, const FontParams& entered) {
    return ParseCFile(std::vector<uint8_t>(text.begin(), text.end()), entered);
}

// The first byte of the first glyphs: what a table of one byte per glyph fills.
std::vector<int> Bytes(const std::string& text, int count = 3) {
    const LoadedFont loaded = Parse(text, Entered(8, 1));
    std::vector<int> bytes;
    for (int i = 0; i < count; ++i) bytes.push_back(loaded.matrix.at(0, 0, i));
    return bytes;
}

bool Refused(const std::string& text, const FontParams& entered = Entered(8, 1)) {
    try {
        Parse(text, entered);
        return false;
    } catch (const UserError& e) {
        return std::string(e.what()) == kBadCFileMessage && e.caption() == "Error";
    }
}

Font PatternFont(int width, int height, int first, int count) {
    FontParams p = Entered(width, height, height / 3, 3);
    p.firstcar = static_cast<uint8_t>(first);
    p.NbCar = count;
    ByteMatrix m = p.blankMatrix();
    for (std::size_t n = 0; n < m.data().size(); ++n) m.data()[n] = uint8_t(n * 97 + n / 256);
    return MatrixToObject(p, m);
}

TEST(ParseCFile, ExportOfA224CharacterFontReadsBackToIdenticalGlyphs) {
    for (const int width : {1, 8, 12, 255}) {
        const Font font = PatternFont(width, 7, 0x20, 224);
        const LoadedFont loaded = ParseCFile(saveC(font), Entered(width, 7, 2, 3));
        EXPECT_EQ(loaded.params.firstcar, 0x20);
        EXPECT_EQ(loaded.params.lastcar, 0xFF);
        EXPECT_EQ(loaded.params.NbCar, 224);
        EXPECT_EQ(loaded.params.jambon, 2);
        EXPECT_EQ(loaded.params.Magnification, 3);
        EXPECT_EQ(loaded.build().glyphData(), font.glyphData()) << width;
    }
    // A smaller font starting elsewhere reads back from 20h, the rest blank.
    const Font small = PatternFont(12, 2, 0x41, 2);
    const Font back = ParseCFile(saveC(small), Entered(12, 2)).build();
    std::vector<uint8_t> expected = small.glyphData();
    expected.resize(224 * 2 * 2, 0);
    EXPECT_EQ(back.glyphData(), expected);
}

TEST(ParseCFile, HexadecimalLiteralsOfEitherCaseFillBytesRowsThenGlyphs) {
    // "0X" is no marker; "0x5," is 5, "0x," is 0, and a literal ended by the file keeps its
    // digits. Digits never start a marker: 0x0b is 11, 0x0x12 is 0 then nothing.
    EXPECT_EQ(Bytes("char f[] = {0x3C, 0x42,0xaB, 0XFF 0xFf,\n0x5, 0x,0x0};", 7),
              (std::vector<int>{0x3C, 0x42, 0xAB, 0xFF, 5, 0, 0}));
    EXPECT_EQ(Bytes("0x1,0x7"), (std::vector<int>{1, 7, 0}));
    EXPECT_EQ(Bytes("0x1,0x"), (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(Bytes("0x0b,0x0x12,0x3"), (std::vector<int>{11, 0, 3}));
    const Font font =
        Parse("0x80,0x40, 0x01,0x80, /* next */ 0xFF,0xC0, 0,0 0x00,0x00", Entered(10, 2)).build();
    EXPECT_EQ(test::Joined(test::GlyphPicture(font.glyphs[0], 10)),
              test::Joined({"#........#", ".......##."}));
    EXPECT_EQ(test::Joined(test::GlyphPicture(font.glyphs[1], 10)),
              test::Joined({"##########", ".........."}));
}

TEST(ParseCFile, FirstMarkerFixesTheFormat) {
    EXPECT_EQ(Bytes("0b10000001, 0x7E, 0b00000011,"), (std::vector<int>{0x81, 0x03, 0}));
    EXPECT_EQ(Bytes("/* 0x */ 0x7E, 0b10000001, 0x01"), (std::vector<int>{0, 0x7E, 0x01}));
    EXPECT_TRUE(Refused(""));
    EXPECT_TRUE(Refused("{ 12, 34, 56 }"));
    EXPECT_TRUE(Refused("0X12, 0B00000001"));
}

TEST(ParseCFile, BadBinaryLiteralsFail) {
    EXPECT_EQ(Bytes("0b11111111"), (std::vector<int>{0xFF, 0, 0}));
    EXPECT_TRUE(Refused("0b0000000"));  // cut by the end of the file
    EXPECT_TRUE(Refused("0b00000001,0b1"));
    EXPECT_TRUE(Refused("0b0000002,"));   // not a binary digit
    EXPECT_TRUE(Refused("0b0000001,0"));  // a comma taken as a digit
}

TEST(ParseCFile, TablesMustEndOnAGlyph) {
    EXPECT_TRUE(Refused("0x01,0x02,0x03,", Entered(8, 2)));
    EXPECT_TRUE(Refused("0x01,0x02,0x03,", Entered(9, 1)));
    // Another width: accepted only when the count happens to end on a glyph, out of order.
    const Font eight = PatternFont(8, 3, 0x20, 5);  // 15 literals
    const std::vector<uint8_t> c = saveC(eight);
    EXPECT_THROW(ParseCFile(c, Entered(9, 3)), UserError);
    EXPECT_EQ(ParseCFile(c, Entered(8, 5)).matrix.at(0, 3, 0), eight.glyphs[1].carbitmap(0, 0));
    // Literals after the 224th glyph are ignored.
    std::string full;
    for (int i = 0; i < 224; ++i) full += "0x01,";
    EXPECT_EQ(Parse(full + "0xFF,0xFF,0x", Entered(8, 1)).matrix.at(0, 0, 223), 1);
}

TEST(ParseCFile, ExportCutAtEveryLengthIsAcceptedOnlyBetweenGlyphs) {
    const std::vector<uint8_t> c = saveC(PatternFont(12, 3, 0x20, 4));  // 6 literals a glyph
    const std::string text = test::AsText(c);
    std::vector<std::size_t> markers;
    for (std::size_t m = text.find("0b"); m != std::string::npos; m = text.find("0b", m + 1)) {
        markers.push_back(m);
    }
    ASSERT_EQ(markers.size(), 24u);
    for (std::size_t length = 0; length <= c.size(); ++length) {
        std::size_t whole = 0;
        bool partial = false;
        for (const std::size_t m : markers) {
            whole += m + 10 <= length;
            partial = partial || (m + 2 <= length && length < m + 10);
        }
        const bool expected = !partial && whole > 0 && whole % 6 == 0;
        EXPECT_NE(Refused(text.substr(0, length), Entered(12, 3)), expected) << length;
    }
}

TEST(ParseCFile, ParametersTheDialogRefusesFail) {
    EXPECT_FALSE(Refused("0x01,0x02", Entered(8, 2, 2, 5)));
    EXPECT_TRUE(Refused("0x01,0x02", Entered(8, 2, 3, 1)));  // downstroke below the cell
    EXPECT_TRUE(Refused("0x01,0x02", Entered(0, 2)));
    EXPECT_TRUE(Refused("0x01,0x02", Entered(8, 0)));
    EXPECT_TRUE(Refused("0x01,0x02", Entered(8, 2, 0, 0)));
    EXPECT_TRUE(Refused("0x01,0x02", Entered(8, 2, 0, 6)));
}

}  // namespace
}  // namespace pixmere
