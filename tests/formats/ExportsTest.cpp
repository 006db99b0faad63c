#include <gtest/gtest.h>

#include "formats/Bin2Char.h"
#include "formats/Exports.h"
#include "support/GlyphPicture.h"
#include "support/TempDir.h"

namespace pixmere {
namespace {

using test::AsText;

FontParams Params(int width, int height, int first, int jambon = 0, int magnification = 1) {
    FontParams p;
    p.FormatLengthCar = static_cast<uint8_t>(width);
    p.FormatHeightCar = static_cast<uint8_t>(height);
    p.firstcar = static_cast<uint8_t>(first);
    p.jambon = static_cast<uint8_t>(jambon);
    p.Magnification = static_cast<uint8_t>(magnification);
    return p;
}

TEST(Bin2Char, PictureAndBinaryOfEveryNibble) {
    EXPECT_EQ(Bin2Char::ByteToPicture(0x00), "        ");
    EXPECT_EQ(Bin2Char::ByteToPicture(0xA5), "# #  # #");
    EXPECT_EQ(Bin2Char::ByteToPicture(0xFF), "########");
    EXPECT_EQ(Bin2Char::ByteToBinary(0x3C), "00111100");
    EXPECT_EQ(Bin2Char::ByteToBinary(0x80), "10000000");
    for (int b = 0; b < 256; ++b) {
        const std::string pic = Bin2Char::ByteToPicture(static_cast<uint8_t>(b));
        const std::string bin = Bin2Char::ByteToBinary(static_cast<uint8_t>(b));
        ASSERT_EQ(pic.size(), 8u);
        for (int x = 0; x < 8; ++x) {
            const bool ink = (b & (0x80 >> x)) != 0;
            EXPECT_EQ(pic[x], ink ? '#' : ' ');
            EXPECT_EQ(bin[x], ink ? '1' : '0');
        }
    }
}

TEST(SaveBin, SmallestFontIsNineBytes) {
    const Font font = test::FontFromPictures(Params(1, 1, 0x41, 0), {{"#"}});
    EXPECT_EQ(saveBin(font), (std::vector<uint8_t>{1, 1, 0, 0x41, 1, 0x80, 0, 0, 0}));
}

TEST(SaveBin, HeaderGlyphOrderAndTrailer) {
    FontParams p = Params(12, 2, 0x30, 1);
    const Font font = test::FontFromPictures(p, {{"#...........", "...........#"},
                                                 {"############", "............"}});
    EXPECT_EQ(saveBin(font), (std::vector<uint8_t>{12, 2, 1, 0x30, 2, 0x80, 0x00, 0x00, 0x10, 0xFF,
                                                   0xF0, 0x00, 0x00, 0, 0, 0}));
}

TEST(SaveBin, TwoHundredFiftySixCharactersWriteCountZero) {
    FontParams p = Params(8, 1, 0);
    p.NbCar = 256;
    ByteMatrix m = p.blankMatrix();
    for (int i = 0; i < 256; ++i) m.at(0, 0, i) = static_cast<uint8_t>(i);
    const std::vector<uint8_t> bin = saveBin(MatrixToObject(p, m));
    ASSERT_EQ(bin.size(), 256u + 8u);
    EXPECT_EQ(bin[4], 0);
    EXPECT_EQ(bin[5 + 200], 200);
}

TEST(SaveBin, PaddingBitsAreWrittenAsStored) {
    FontParams p = Params(3, 1, 0x20);
    ByteMatrix m = p.blankMatrix();
    m.at(0, 0, 0) = 0xFF;  // five padding bits set
    EXPECT_EQ(saveBin(MatrixToObject(p, m))[5], 0xFF);
}

TEST(SaveC, ExactTextOfATwoGlyphFontOfWidthTwelve) {
    const Font font = test::FontFromPictures(Params(12, 2, 0x41, 1, 2),
                                             {{"..####......", "#..........#"},
                                              {"............", "............"}});
    const std::string expected =
        "// Height: 2\r\n"
        "// Width: 12\r\n"
        "// First Car: 65\r\n"
        "// Nb Car: 2\r\n"
        "// Underline: 1\r\n"
        "// Magnification: 2\r\n"
        "\r\n\r\n"
        "\r\n\r\n// Car  0\r\n\r\n"
        "0b00111100,0b00000000,\r\n"
        "0b10000000,0b00010000,\r\n"
        "\r\n\r\n// Car  1\r\n\r\n"
        "0b00000000,0b00000000,\r\n"
        "0b00000000,0b00000000,\r\n";
    EXPECT_EQ(AsText(saveC(font)), expected);
}

TEST(SaveTXT, ExactTextLabelsByCodeAndKeepsTrailingSpaces) {
    const Font font = test::FontFromPictures(Params(12, 2, 0x41, 1, 2),
                                             {{"..####......", "#..........#"},
                                              {"............", "............"}});
    const std::string expected =
        "// Height: 2\r\n"
        "// Width: 12\r\n"
        "// First Car: 65\r\n"
        "// Nb Car: 2\r\n"
        "// Underline: 1\r\n"
        "// Magnification: 2\r\n"
        "\r\n\r\n"
        "\r\r\n// Car  65\r\n"
        "  ####          \r\n"
        "#          #    \r\n"
        "\r\r\n// Car  66\r\n"
        "                \r\n"
        "                \r\n";
    EXPECT_EQ(AsText(saveTXT(font)), expected);
}

TEST(Exports, LargestFontHasEveryRowOfEveryGlyph) {
    FontParams p = Params(255, 255, 0);
    p.NbCar = 256;
    const Font font = MatrixToObject(p, p.blankMatrix());
    EXPECT_EQ(saveBin(font).size(), 2088960u + 8u);
    const std::string c = AsText(saveC(font));
    const std::string txt = AsText(saveTXT(font));
    std::string emptyCRow;
    for (int k = 0; k < 32; ++k) emptyCRow += "0b00000000,";
    std::size_t cRows = 0, txtRows = 0;
    for (std::size_t pos = 0; (pos = c.find(emptyCRow + "\r\n", pos)) != std::string::npos; ++pos) ++cRows;
    const std::string emptyTxtRow = "\n" + std::string(256, ' ') + "\r\n";
    for (std::size_t pos = 0; (pos = txt.find(emptyTxtRow, pos)) != std::string::npos; ++pos) ++txtRows;
    EXPECT_EQ(cRows, 256u * 255u);
    EXPECT_EQ(txtRows, 256u * 255u);
    EXPECT_NE(c.find("// Car  255\r\n"), std::string::npos);
    EXPECT_NE(txt.find("// Car  255\r\n"), std::string::npos);
}

}  // namespace
}  // namespace pixmere
