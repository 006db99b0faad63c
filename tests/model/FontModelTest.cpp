#include <gtest/gtest.h>

#include "model/Font.h"
#include "model/GlyphCanvas.h"
#include "model/Pixels.h"
#include "support/GlyphPicture.h"
#include "support/SampleFonts.h"

namespace pixmere {
namespace {

TEST(MatrixToObject, CopiesTheFlatOrderPaddingIncludedFromAMatrixAtLeastAsLarge) {
    const FontParams p = test::Shape(12, 3, 0x41, 4, 1);  // two bytes a row, four padding bits
    ByteMatrix m(3, 5, 6);
    for (std::size_t n = 0; n < m.data().size(); ++n) m.data()[n] = static_cast<uint8_t>(n * 7 + 3);
    const Font font = MatrixToObject(p, m);
    ASSERT_EQ(font.glyphs.size(), 4u);
    std::vector<uint8_t> expected;
    for (int i = 0; i < 4; ++i) {
        const CarObject& g = font.glyphs[i];
        EXPECT_EQ((std::vector<int>{g.NumCar(), g.ByteWidth(), g.bitwidth(), g.Height(), g.NbCars(),
                                    g.underline()}),
                  (std::vector<int>{i, 1, 11, 2, 3, 1}));
        // Rows j of two bytes, each row of the matrix three bytes wide.
        for (int j = 0; j < 6; ++j) expected.push_back(m.data()[(i * 5 + j / 2) * 3 + j % 2]);
    }
    EXPECT_EQ(font.glyphData(), expected);
    // The pixels of a row's last byte, for widths ending before and on a byte's end.
    EXPECT_EQ(
        (std::vector<int>{LastByteMask(1), LastByteMask(7), LastByteMask(8), LastByteMask(16)}),
        (std::vector<int>{0x80, 0xFE, 0xFF, 0xFF}));

    EXPECT_THROW(MatrixToObject(test::Shape(9, 2), ByteMatrix(1, 2, 1)), std::invalid_argument);
    EXPECT_THROW(MatrixToObject(test::Shape(8, 0), ByteMatrix(1, 1, 1)), std::invalid_argument);
    // 17 characters from F0 would end at code 100.
    EXPECT_THROW(MatrixToObject(test::Shape(8, 1, 0xF0, 17), ByteMatrix(1, 1, 17)),
                 std::invalid_argument);
}

// A small image: '#' black, '.' white, 'b' light blue, '?' never painted.
class CharCanvas : public GlyphCanvas {
public:
    CharCanvas(int width, int height) : rows(height, std::string(width, '?')) {}
    void FillBox(int x0, int y0, int x1, int y1, Rgb colour) override {
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x)
                rows.at(y).at(x) = colour == kBlack ? '#' : colour == kWhite ? '.' : 'b';
        }
    }
    void OutlinedBox(int x0, int y0, int x1, int y1, Rgb outline, Rgb interior) override {
        FillBox(x0, y0, x1, y1, outline);
        FillBox(x0 + 1, y0 + 1, x1 - 1, y1 - 1, interior);
    }
    std::vector<std::string> rows;
};

TEST(CarAff, OutlinesTheCellAndPaintsInkAtZoomAndMagnificationButNoPaddingBits) {
    CharCanvas canvas(10, 10);
    test::FontFromPictures(test::Shape(3, 2), {{"#.#####", ".#."}})
        .glyphs[0]
        .CarAff(canvas, "bleu", 1, 1, 2, 2);
    // The outline runs from (1,1) to (1 + 3*2, 1 + 2*4); ink blocks of 2 x 4 cover it.
    EXPECT_EQ(test::Joined(canvas.rows),
              test::Joined({"??????????", "?#######??", "?##bb###??", "?##bb###??", "?##bb###??",
                            "?#b##bb#??", "?#b##bb#??", "?#b##bb#??", "?#b##bb#??", "?#######??"}));
}

}  // namespace
}  // namespace pixmere
