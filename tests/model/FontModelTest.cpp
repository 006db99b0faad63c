#include <gtest/gtest.h>

#include "model/Font.h"
#include "support/GlyphPicture.h"

namespace pixmere {
namespace {

TEST(BytesPerRow, SmallestByteCountHoldingTheWidth) {
    EXPECT_EQ(BytesPerRow(1), 1);
    EXPECT_EQ(BytesPerRow(8), 1);
    EXPECT_EQ(BytesPerRow(9), 2);
    EXPECT_EQ(BytesPerRow(16), 2);
    EXPECT_EQ(BytesPerRow(17), 3);
    EXPECT_EQ(BytesPerRow(255), 32);
}

TEST(CarObject, SettingGeometryReallocatesAndClearsEvenWhenUnchanged) {
    CarObject glyph;
    glyph.setByteWidth(1);
    glyph.setHeight(2);
    EXPECT_EQ(glyph.bytes().size(), 2u * 3u);
    glyph.setCarbitmap(1, 2, 0xAB);
    EXPECT_EQ(glyph.carbitmap(1, 2), 0xAB);
    glyph.setHeight(2);
    EXPECT_EQ(glyph.carbitmap(1, 2), 0);
    glyph.setCarbitmap(0, 0, 0xFF);
    glyph.setByteWidth(1);
    EXPECT_EQ(glyph.carbitmap(0, 0), 0);
}

TEST(CarObject, PixelsFollowThePackingMostSignificantBitFirst) {
    CarObject glyph;
    glyph.setByteWidth(1);
    glyph.setHeight(0);
    glyph.setPixel(0, 0, true);
    glyph.setPixel(9, 0, true);
    EXPECT_EQ(glyph.carbitmap(0, 0), 0x80);
    EXPECT_EQ(glyph.carbitmap(1, 0), 0x40);
    glyph.setPixel(0, 0, false);
    EXPECT_EQ(glyph.carbitmap(0, 0), 0);
    EXPECT_TRUE(glyph.pixel(9, 0));
}

TEST(MatrixToObject, CopiesTheFlatOrderIntoEveryGlyphIncludingPadding) {
    FontParams p;
    p.FormatLengthCar = 12;  // two bytes a row, four padding bits
    p.FormatHeightCar = 3;
    p.NbCar = 4;
    p.firstcar = 0x41;
    p.jambon = 1;
    ByteMatrix m = p.blankMatrix();
    for (std::size_t n = 0; n < m.data().size(); ++n) m.data()[n] = static_cast<uint8_t>(n * 7 + 3);
    const Font font = MatrixToObject(p, m);
    ASSERT_EQ(font.glyphs.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        const CarObject& g = font.glyphs[i];
        EXPECT_EQ(g.NumCar(), i);
        EXPECT_EQ(g.ByteWidth(), 1);
        EXPECT_EQ(g.bitwidth(), 11);
        EXPECT_EQ(g.Height(), 2);
        EXPECT_EQ(g.NbCars(), 3);
        EXPECT_EQ(g.underline(), 1);
        EXPECT_EQ(g.CarColor(), 0);
        for (int j = 0; j < 3; ++j) {
            for (int k = 0; k < 2; ++k) {
                EXPECT_EQ(g.carbitmap(k, j), m.data()[(i * 3 + j) * 2 + k]) << i << "," << j << "," << k;
            }
        }
    }
    EXPECT_EQ(font.glyphData(), m.data());
}

TEST(MatrixToObject, ReadsOnlyTheFontsRangesOfALargerMatrix) {
    FontParams p;
    p.FormatLengthCar = 8;
    p.FormatHeightCar = 2;
    p.NbCar = 2;
    ByteMatrix m(3, 4, 5);
    m.at(0, 1, 1) = 0x5A;
    m.at(2, 3, 4) = 0xFF;
    const Font font = MatrixToObject(p, m);
    EXPECT_EQ(font.glyphs[1].carbitmap(0, 1), 0x5A);
    EXPECT_EQ(font.glyphData().size(), 4u);
}

TEST(MatrixToObject, RefusesInvalidParametersAndShortMatrices) {
    FontParams p;
    p.FormatLengthCar = 9;
    p.FormatHeightCar = 2;
    p.NbCar = 1;
    EXPECT_THROW(MatrixToObject(p, ByteMatrix(1, 2, 1)), std::invalid_argument);
    p.FormatHeightCar = 0;
    EXPECT_THROW(MatrixToObject(p, ByteMatrix(2, 2, 1)), std::invalid_argument);
    p.FormatHeightCar = 1;
    p.firstcar = 0xF0;
    p.NbCar = 17;  // would end at code 100h
    EXPECT_THROW(MatrixToObject(p, ByteMatrix(2, 1, 17)), std::invalid_argument);
}

TEST(FontParams, LargestFontSizes) {
    FontParams p;
    p.FormatLengthCar = 255;
    p.FormatHeightCar = 255;
    p.firstcar = 0;
    p.NbCar = 256;
    EXPECT_TRUE(p.valid());
    EXPECT_EQ(p.NbByteMatrix(), 32);
    EXPECT_EQ(p.glyphDataSize(), 2088960u);
    EXPECT_EQ(PrinterBytes(p), 2088965u);
}

TEST(GlyphPictureHelper, RoundTripsThroughAFont) {
    FontParams p;
    p.FormatLengthCar = 10;
    p.FormatHeightCar = 2;
    const Font font = test::FontFromPictures(p, {{"#........#", ".########."}});
    EXPECT_EQ(font.glyphs[0].carbitmap(0, 0), 0x80);
    EXPECT_EQ(font.glyphs[0].carbitmap(1, 0), 0x40);
    EXPECT_EQ(test::Joined(test::GlyphPicture(font.glyphs[0], 10)),
              test::Joined({"#........#", ".########."}));
}

}  // namespace
}  // namespace pixmere
