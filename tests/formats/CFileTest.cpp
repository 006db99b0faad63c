#include <gtest/gtest.h>

#include <algorithm>

#include "formats/CFile.h"
#include "formats/Exports.h"
#include "model/UserError.h"
#include "support/SampleFonts.h"
#include "support/TempDir.h"

namespace pixmere {
namespace {

LoadedFont Parse(const std::string& text, const FontParams& entered = test::Shape(8, 1)) {
    return ParseCFile(std::vector<uint8_t>(text.begin(), text.end()), entered);
}

// The first bytes of a table of one byte per glyph.
std::vector<int> Bytes(const std::string& text, int count = 3) {
    const std::vector<uint8_t> all = Parse(text).matrix.data();
    return {all.begin(), all.begin() + count};
}

bool Refused(const std::string& text, const FontParams& entered = test::Shape(8, 1)) {
    try {
        Parse(text, entered);
        return false;
    } catch (const UserError& e) {
        return std::string(e.what()) == kBadCFileMessage && e.caption() == "Error";
    }
}

TEST(ParseCFile, ExportOfA224CharacterFontReadsBackToIdenticalGlyphs) {
    for (const int width : {1, 8, 12, 255}) {
        const Font font = test::PatternFont(test::Shape(width, 7, 0x20, 224));
        const LoadedFont loaded = ParseCFile(saveC(font), test::Shape(width, 7, 0x41, 1, 2, 3));
        EXPECT_EQ(
            (std::vector<int>{loaded.params.firstcar, loaded.params.lastcar, loaded.params.NbCar,
                              loaded.params.jambon, loaded.params.Magnification}),
            (std::vector<int>{0x20, 0xFF, 224, 2, 3}));
        EXPECT_EQ(loaded.build().glyphData(), font.glyphData()) << width;
    }
    // A font from 41h comes back from 41h through its parameter lines; without them, its
    // glyphs fill the first codes from 20h and the rest stay blank.
    const Font small = test::PatternFont(test::Shape(12, 2, 0x41, 2));
    const std::string c = test::AsText(saveC(small));
    const LoadedFont own = ParseCFile(saveC(small), test::Shape(12, 2, 0x30, 3));
    EXPECT_EQ((std::vector<int>{own.params.firstcar, own.params.lastcar, own.params.NbCar}),
              (std::vector<int>{0x41, 0x42, 2}));
    EXPECT_EQ(own.build().glyphData(), small.glyphData());
    std::vector<uint8_t> expected = small.glyphData();
    expected.resize(224 * 2 * 2, 0);
    EXPECT_EQ(Parse(c.substr(c.find("// Underline")), test::Shape(12, 2)).build().glyphData(),
              expected);
}

TEST(CFileParameters, TheExportsOwnLinesWhenCompleteValidAndTrueToTheTable) {
    const Font font = test::PatternFont(test::Shape(12, 5, 0x30, 208, 3, 4));
    const std::string c = test::AsText(saveC(font));
    const auto own = [](const std::string& text) {
        const std::optional<FontParams> p =
            CFileParameters(std::vector<uint8_t>(text.begin(), text.end()));
        if (!p) return std::string("none");
        return std::to_string(p->FormatLengthCar) + "x" + std::to_string(p->FormatHeightCar) +
               " down " + std::to_string(p->jambon) + " magnif " +
               std::to_string(p->Magnification) + " codes " + std::to_string(p->firstcar) + "-" +
               std::to_string(p->lastcar) + " count " + std::to_string(p->NbCar);
    };
    EXPECT_EQ(own(c), "12x5 down 3 magnif 4 codes 48-255 count 208");
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = c;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    // Line ends converted to LF still read.
    std::string lf = c;
    lf.erase(std::remove(lf.begin(), lf.end(), '\r'), lf.end());
    EXPECT_EQ(own(lf), own(c));
    for (const std::string& text :
         {replaced("// Height: 5\r\n", ""), replaced("// Width: 12", "// Width: twelve"),
          replaced("// Height: 5\r\n// Width: 12", "// Width: 12\r\n// Height: 5"),
          replaced("// Width: 12", "// Width: 0"), replaced("// Nb Car: 208", "// Nb Car: 209"),
          replaced("// Underline: 3", "// Underline: 6"),
          replaced("// Magnification: 4", "// Magnification: 6"), replaced("0b", "0b00000000,0b"),
          c.substr(0, c.rfind("0b")), c.substr(2)}) {
        EXPECT_EQ(own(text), "none") << text.substr(0, 120);
    }
    // The table then reads as one without lines: 20h to FFh, its size from the dialog.
    EXPECT_EQ(
        Parse(replaced("// Nb Car: 208", "// Nb Car: 200"), test::Shape(12, 5)).params.firstcar,
        0x20);
}

TEST(ParseCFile, HexadecimalLiteralsOfEitherCaseAndTheFirstMarkerFixesTheFormat) {
    // "0X" is no marker; "0x5," is 5, "0x," is 0, and a literal ended by the file keeps its
    // digits. Digits never start a marker: 0x0b is 11, 0x0x12 is 0 then nothing.
    EXPECT_EQ(Bytes("char f[] = {0x3C, 0x42,0xaB, 0XFF 0xFf,\n0x5, 0x,0x0};", 7),
              (std::vector<int>{0x3C, 0x42, 0xAB, 0xFF, 5, 0, 0}));
    EXPECT_EQ(Bytes("0x0b,0x0x12,0x3"), (std::vector<int>{11, 0, 3}));
    // Two digits at most: the rest of a longer run is skipped, not read into the value.
    EXPECT_EQ(Bytes("0x414243,0x7E 0xABC"), (std::vector<int>{0x41, 0x7E, 0xAB}));
    // Markers of the other format are skipped.
    EXPECT_EQ(Bytes("0b10000001, 0x7E, 0b00000011,"), (std::vector<int>{0x81, 0x03, 0}));
    EXPECT_EQ(Bytes("/* 0x */ 0x7E, 0b10000001, 0x01"), (std::vector<int>{0, 0x7E, 0x01}));
    // Literals after the 224th glyph are ignored.
    std::string full;
    for (int i = 0; i < 224; ++i) full += "0x01,";
    EXPECT_EQ(Parse(full + "0xFF,0x").matrix.at(0, 0, 223), 1);
}

TEST(ParseCFile, WrongTablesAndParametersAreRefused) {
    for (const char* text : {"", "{ 12, 34, 56 }", "0X12, 0B00000001", "0b00000001,0b1",
                             "0b0000002,", "0b0000001,0"}) {
        EXPECT_TRUE(Refused(text)) << text;
    }
    EXPECT_TRUE(Refused("0x01,0x02,0x03,", test::Shape(8, 2)));
    EXPECT_TRUE(Refused("0x01,0x02,0x03,", test::Shape(9, 1)));
    EXPECT_FALSE(Refused("0x01,0x02", test::Shape(8, 2, 0x20, 1, 2, 5)));
    // What the parameters dialog refuses: downstroke below the cell, zero sizes, magnification.
    for (const FontParams& p :
         {test::Shape(8, 2, 0x20, 1, 3), test::Shape(0, 2), test::Shape(8, 0),
          test::Shape(8, 2, 0x20, 1, 0, 0), test::Shape(8, 2, 0x20, 1, 0, 6)}) {
        EXPECT_TRUE(Refused("0x01,0x02", p));
    }
}

TEST(ParseCFile, ExportCutAtEveryLengthIsAcceptedOnlyBetweenGlyphs) {
    const std::vector<uint8_t> c = saveC(test::PatternFont(test::Shape(12, 3, 0x20, 4)));
    const std::string text = test::AsText(c);  // 6 literals a glyph
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
        EXPECT_NE(Refused(text.substr(0, length), test::Shape(12, 3)), expected) << length;
    }
}

}  // namespace
}  // namespace pixmere
