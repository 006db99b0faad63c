#include <gtest/gtest.h>

#include "formats/CFile.h"
#include "formats/Exports.h"
#include "model/UserError.h"
#include "support/GlyphPicture.h"
#include "support/TempDir.h"

namespace pixmere {
namespace {

using test::GlyphPicture;
using test::Joined;

FontParams Entered(int width, int height, int jambon = 0, int magnification = 1) {
    FontParams p;
    p.FormatLengthCar = static_cast<uint8_t>(width);
    p.FormatHeightCar = static_cast<uint8_t>(height);
    p.jambon = static_cast<uint8_t>(jambon);
    p.Magnification = static_cast<uint8_t>(magnification);
    return p;
}

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

LoadedFont Parse(const std::string& text, const FontParams& entered) {
    return ParseCFile(Bytes(text), entered);
}

void ExpectRefused(const std::string& text, const FontParams& entered) {
    try {
        Parse(text, entered);
        ADD_FAILURE() << "accepted: " << text.substr(0, 60);
    } catch (const UserError& e) {
        EXPECT_STREQ(e.what(), kBadCFileMessage);
        EXPECT_EQ(e.caption(), "Error");
    }
}

// The first byte of each glyph, the bytes a hexadecimal table of one byte per glyph fills.
std::vector<int> FirstBytes(const LoadedFont& loaded, int count) {
    std::vector<int> bytes;
    for (int i = 0; i < count; ++i) bytes.push_back(loaded.matrix.at(0, 0, i));
    return bytes;
}

Font PatternFont(int width, int height, int first, int count, int jambon, int magnification) {
    FontParams p = Entered(width, height, jambon, magnification);
    p.firstcar = static_cast<uint8_t>(first);
    p.NbCar = count;
    ByteMatrix m = p.blankMatrix();
    for (std::size_t n = 0; n < m.data().size(); ++n) {
        m.data()[n] = static_cast<uint8_t>(n * 97 + (n >> 8) * 13 + 1);
    }
    return MatrixToObject(p, m);
}

TEST(ParseCFile, ExportOfA224CharacterFontReadsBackToIdenticalGlyphs) {
    for (const int width : {1, 8, 12, 17, 255}) {
        SCOPED_TRACE(width);
        const Font font = PatternFont(width, 7, 0x20, 224, 2, 3);
        const LoadedFont loaded = ParseCFile(saveC(font), Entered(width, 7, 2, 3));
        const FontParams& p = loaded.params;
        EXPECT_EQ(p.firstcar, 0x20);
        EXPECT_EQ(p.lastcar, 0xFF);
        EXPECT_EQ(p.NbCar, 224);
        EXPECT_EQ(p.FormatLengthCar, width);
        EXPECT_EQ(p.FormatHeightCar, 7);
        EXPECT_EQ(p.jambon, 2);
        EXPECT_EQ(p.Magnification, 3);
        EXPECT_EQ(loaded.build().glyphData(), font.glyphData());
    }
}

TEST(ParseCFile, SmallerFontReadsBackFromTwentyWithTheRestBlank) {
    const Font font = test::FontFromPictures(
        [] {
            FontParams p = Entered(5, 2);
            p.firstcar = 0x41;
            return p;
        }(),
        {{"#...#", ".#.#."}, {"#####", "....."}});
    const Font loaded = ParseCFile(saveC(font), Entered(5, 2)).build();
    ASSERT_EQ(loaded.params.NbCar, 224);
    EXPECT_EQ(Joined(GlyphPicture(loaded.glyphs[0], 5)), Joined({"#...#", ".#.#."}));
    EXPECT_EQ(Joined(GlyphPicture(loaded.glyphs[1], 5)), Joined({"#####", "....."}));
    for (std::size_t i = 2; i < 224; ++i) {
        for (uint8_t b : loaded.glyphs[i].bytes()) ASSERT_EQ(b, 0) << "glyph " << i;
    }
}

TEST(ParseCFile, SameFileWithAnotherWidthFailsUnlessItEndsOnAGlyph) {
    const Font font = PatternFont(8, 3, 0x20, 5, 0, 1);  // 15 literals
    const std::vector<uint8_t> c = saveC(font);
    EXPECT_THROW(ParseCFile(c, Entered(9, 3)), UserError);  // 6 per glyph: 15 is not a multiple
    // 5 per glyph: the total ends on a glyph, so the file is accepted in the wrong order.
    const LoadedFont shuffled = ParseCFile(c, Entered(8, 5));
    EXPECT_EQ(shuffled.matrix.at(0, 3, 0), font.glyphs[1].carbitmap(0, 0));
}

TEST(ParseCFile, HexadecimalLiteralsOfEitherCase) {
    const LoadedFont loaded =
        Parse("const unsigned char font[] = {0x3C, 0x42, 0x3c,0xaB, 0XFF 0xFf,\n0x5, 0x,0x0};",
              Entered(8, 1));
    // "0X" is not a marker; "0x5," is 5 and "0x," is 0.
    EXPECT_EQ(FirstBytes(loaded, 9), (std::vector<int>{0x3C, 0x42, 0x3C, 0xAB, 0xFF, 5, 0, 0, 0}));
    EXPECT_EQ(loaded.params.NbByteMatrix(), 1);
    // A literal ended by the end of the file keeps the digits it has.
    EXPECT_EQ(FirstBytes(Parse("0x1,0x7", Entered(8, 1)), 3), (std::vector<int>{1, 7, 0}));
    EXPECT_EQ(FirstBytes(Parse("0x1,0x", Entered(8, 1)), 3), (std::vector<int>{1, 0, 0}));
    // Digits are never a marker themselves: 0x0b is one literal, 11.
    EXPECT_EQ(FirstBytes(Parse("0x0b,0x10", Entered(8, 1)), 3), (std::vector<int>{11, 16, 0}));
}

TEST(ParseCFile, TwoByteRowsFillByteColumnsFirst) {
    const Font font =
        Parse("0x80,0x40, 0x01,0x80, /* next */ 0xFF,0xC0, 0x00,0x00", Entered(10, 2)).build();
    EXPECT_EQ(Joined(GlyphPicture(font.glyphs[0], 10)), Joined({"#........#", ".......##."}));
    EXPECT_EQ(Joined(GlyphPicture(font.glyphs[1], 10)), Joined({"##########", ".........."}));
}

TEST(ParseCFile, FirstMarkerFixesTheFormat) {
    // Binary first: the hexadecimal literals are skipped.
    const LoadedFont binary = Parse("0b10000001, 0x7E, 0b00000011,", Entered(8, 1));
    EXPECT_EQ(FirstBytes(binary, 3), (std::vector<int>{0x81, 0x03, 0}));
    // Hexadecimal first: "0b" outside a literal is skipped as well.
    const LoadedFont hex = Parse("/* 0x */ 0x7E, 0b10000001, 0x01", Entered(8, 1));
    EXPECT_EQ(FirstBytes(hex, 3), (std::vector<int>{0, 0x7E, 0x01}));
    // A file with no marker, or only upper-case ones, fails.
    ExpectRefused("", Entered(8, 1));
    ExpectRefused("{ 12, 34, 56 }", Entered(8, 1));
    ExpectRefused("0X12, 0B00000001", Entered(8, 1));
}

TEST(ParseCFile, TablesCutMidGlyphFail) {
    ExpectRefused("0x01,0x02,0x03,", Entered(8, 2));
    ExpectRefused("0x01,0x02,0x03,", Entered(9, 1));
    ExpectRefused("0b00000001,0b00000010,0b00000011,", Entered(16, 1));
    EXPECT_NO_THROW(Parse("0x01,0x02,0x03,0x04", Entered(8, 2)));

    // A real export cut at every length: accepted exactly when the cut keeps only whole
    // literals, and a whole number of glyphs (6 literals each) of them.
    const std::vector<uint8_t> c = saveC(PatternFont(12, 3, 0x20, 4, 0, 1));
    const std::string text = test::AsText(c);
    std::vector<std::size_t> markers;
    for (std::size_t m = text.find("0b"); m != std::string::npos; m = text.find("0b", m + 1)) {
        markers.push_back(m);
    }
    ASSERT_EQ(markers.size(), 24u);
    int accepted = 0;
    for (std::size_t length = 0; length <= c.size(); ++length) {
        std::size_t whole = 0;
        bool partial = false;
        for (const std::size_t m : markers) {
            whole += m + 10 <= length;
            partial = partial || (m + 2 <= length && length < m + 10);
        }
        const bool expected = !partial && whole > 0 && whole % 6 == 0;
        bool ok = true;
        try {
            ParseCFile(std::span(c).first(length), Entered(12, 3));
        } catch (const UserError& e) {
            EXPECT_STREQ(e.what(), kBadCFileMessage);
            ok = false;
        }
        EXPECT_EQ(ok, expected) << "length " << length;
        accepted += ok;
    }
    EXPECT_GT(accepted, 0);
}

TEST(ParseCFile, BadBinaryDigitsAndLiteralsCutByTheEndFail) {
    ExpectRefused("0b0000000", Entered(8, 1));
    ExpectRefused("0b00000001,0b1", Entered(8, 1));
    ExpectRefused("0b0000002,", Entered(8, 1));
    ExpectRefused("0b0000001,0", Entered(8, 1));  // a comma taken as a digit
    ExpectRefused("0b 00000001", Entered(8, 1));
    EXPECT_EQ(FirstBytes(Parse("0b11111111", Entered(8, 1)), 1), (std::vector<int>{0xFF}));
}

TEST(ParseCFile, LiteralsBeyondTheLastGlyphAreIgnored) {
    std::string text;
    for (int i = 0; i < 224 + 3; ++i) text += "0x" + std::string(i < 224 ? "01" : "FF") + ",";
    text += "0x";  // an odd literal after the end changes nothing either
    const LoadedFont loaded = Parse(text, Entered(8, 1));
    for (int i = 0; i < 224; ++i) ASSERT_EQ(loaded.matrix.at(0, 0, i), 1) << i;
}

TEST(ParseCFile, ParametersTheDialogRefusesFail) {
    const std::string table = "0x01,0x02";
    EXPECT_NO_THROW(Parse(table, Entered(8, 2, 2, 5)));
    ExpectRefused(table, Entered(8, 2, 3, 1));  // downstroke below the cell
    ExpectRefused(table, Entered(0, 2));
    ExpectRefused(table, Entered(8, 0));
    ExpectRefused(table, Entered(8, 2, 0, 0));
    ExpectRefused(table, Entered(8, 2, 0, 6));
}

}  // namespace
}  // namespace pixmere
