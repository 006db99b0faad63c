#include <gtest/gtest.h>

#include <algorithm>

#include "formats/CFile.h"
#include "formats/Exports.h"
#include "model/UserError.h"
#include "support/SampleFonts.h"
#include "support/TempDir.h"

namespace pixmere::test {
namespace {

LoadedFont Parse(const std::string& text, const FontParams& entered = Shape(8, 1)) {
    return ParseCFile(AsBytes(text), entered);
}

// The first bytes of a table of one byte per glyph.
std::vector<int> Bytes(const std::string& text, int count = 3) {
    const std::vector<uint8_t> all = Parse(text).matrix.data();
    return {all.begin(), all.begin() + count};
}

// What the user reads, its misspelling included.
bool Refused(const std::string& text, const FontParams& entered = Shape(8, 1)) {
    try {
        Parse(text, entered);
        return false;
    } catch (const UserError& e) {
        return std::string(e.what()) ==
                   "This file can't be openened because the font parameters are wrong or the "
                   "file is corrupted" &&
               e.caption() == "Error";
    }
}

TEST(CFileParameters, TheExportsOwnLinesWhenCompleteValidAndTrueToTheTable) {
    const std::string c = AsText(saveC(PatternFont(Shape(12, 5, 0x30, 208, 3, 4))));
    const auto own = [](const std::string& text) {
        const std::optional<FontParams> p = CFileParameters(AsBytes(text));
        return p ? Describe(*p) + " count " + std::to_string(p->NbCar) : "none";
    };
    EXPECT_EQ(own(c), "12x5 down 3 magnif 4 codes 48-255 count 208");
    // Line ends converted to LF still read.
    std::string lf = c;
    lf.erase(std::remove(lf.begin(), lf.end(), '\r'), lf.end());
    EXPECT_EQ(own(lf), own(c));
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
    EXPECT_EQ(Parse(Replaced(c, "// Nb Car: 208", "// Nb Car: 200"), Shape(12, 5)).params.firstcar,
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
}

TEST(ParseCFile, WrongTablesAndParametersAreRefused) {
    for (const char* text : {"", "{ 12, 34, 56 }", "0X12, 0B00000001", "0b00000001,0b1",
                             "0b0000002,", "0b0000001,0"}) {
        EXPECT_TRUE(Refused(text)) << text;
    }
    EXPECT_TRUE(Refused("0x01,0x02,0x03,", Shape(8, 2)));
    EXPECT_TRUE(Refused("0x01,0x02,0x03,", Shape(9, 1)));
    EXPECT_FALSE(Refused("0x01,0x02", Shape(8, 2, 0x20, 1, 2, 5)));
    // What the parameters dialog refuses: downstroke below the cell, zero sizes, magnification.
    for (const FontParams& p : {Shape(8, 2, 0x20, 1, 3), Shape(0, 2), Shape(8, 0),
                                Shape(8, 2, 0x20, 1, 0, 0), Shape(8, 2, 0x20, 1, 0, 6)}) {
        EXPECT_TRUE(Refused("0x01,0x02", p));
    }
}

}  // namespace
}  // namespace pixmere::test
