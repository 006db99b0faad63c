#include <gtest/gtest.h>

#include <algorithm>

#include "formats/Exports.h"
#include "support/GlyphPicture.h"
#include "support/SampleFonts.h"
#include "support/TempDir.h"

namespace pixmere {
namespace {

using test::AsText;

TEST(Exports, ExactBytesOfAFontOfWidthTwelveWithItsPaddingBits) {
    // Codes 41 and 42; the last four columns of a row are padding, set on the second row of 41.
    const Font font = test::FontFromPictures(
        test::Shape(12, 2, 0x41, 2, 1, 2),
        {{"..####......", "#..........#..#."}, {"############", "............"}});
    EXPECT_EQ(saveBin(font), (std::vector<uint8_t>{12, 2, 1, 0x41, 2, 0x3C, 0x00, 0x80, 0x12, 0xFF,
                                                   0xF0, 0x00, 0x00, 0, 0, 0}));
    const std::string header =
        "// Height: 2\r\n// Width: 12\r\n// First Car: 65\r\n// Nb Car: 2\r\n// Underline: 1\r\n"
        "// Magnification: 2\r\n\r\n\r\n";
    EXPECT_EQ(AsText(saveC(font)), header +
                                       "\r\n\r\n// Car  0\r\n\r\n"
                                       "0b00111100,0b00000000,\r\n"
                                       "0b10000000,0b00010010,\r\n"
                                       "\r\n\r\n// Car  1\r\n\r\n"
                                       "0b11111111,0b11110000,\r\n"
                                       "0b00000000,0b00000000,\r\n");
    EXPECT_EQ(AsText(saveTXT(font)), header +
                                         "\r\r\n// Car  65\r\n"
                                         "  ####          \r\n"
                                         "#          #  # \r\n"
                                         "\r\r\n// Car  66\r\n"
                                         "############    \r\n"
                                         "                \r\n");
}

TEST(Exports, TwoHundredFiftySixCharactersOfTheLargestSizeWriteEveryRow) {
    const FontParams p = test::Shape(255, 255, 0, 256);
    ByteMatrix m = p.blankMatrix();
    m.at(31, 254, 255) = 0x01;  // the very last bit, a padding bit
    const Font font = MatrixToObject(p, m);
    const std::vector<uint8_t> bin = saveBin(font);
    ASSERT_EQ(bin.size(), 5u + 256 * 255 * 32 + 3);
    EXPECT_EQ(bin[4], 0);  // 256 characters count as 0
    EXPECT_EQ(bin[bin.size() - 4], 1);
    // Eight lines of parameters, then per glyph 4 (C) or 2 (text) lines and one a row.
    const std::string c = AsText(saveC(font)), txt = AsText(saveTXT(font));
    EXPECT_EQ(std::count(c.begin(), c.end(), '\n'), 8 + 256 * (4 + 255));
    EXPECT_EQ(std::count(txt.begin(), txt.end(), '\n'), 8 + 256 * (2 + 255));
    std::string blankBytes;
    for (int k = 0; k < 31; ++k) blankBytes += "0b00000000,";
    EXPECT_TRUE(c.ends_with("\n" + blankBytes + "0b00000001,\r\n"));
    EXPECT_TRUE(txt.ends_with("\n" + std::string(255, ' ') + "#\r\n"));
    EXPECT_NE(c.find("// Nb Car: 256\r\n"), std::string::npos);
    EXPECT_NE(txt.find("\r\r\n// Car  255\r\n"), std::string::npos);
}

}  // namespace
}  // namespace pixmere
