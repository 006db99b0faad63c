#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "formats/CFile.h"
#include "formats/Exports.h"
#include "model/UserError.h"
#include "support/SampleFonts.h"
#include "support/TempDir.h"

namespace pixmere::test {
namespace {

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
