#include <gtest/gtest.h>

#include "support/GlyphPicture.h"
#include "support/SampleFonts.h"
#include "truetype/PrintedTextImage.h"

namespace pixmere::test {
namespace {

// After a stroke on "A", repainting only the cells that show it gives the picture of the
// changed font; a view of part of the text paints that part at its own origin.
TEST(PrintedTextImage, RepaintingTheCellsOfAChangedGlyphGivesTheWholePicture) {
    Font font = FontFromPictures(Shape(5, 3, 0x41, 2, 1, 2),
                                 {{"#...#", ".#.#.", "..#.."}, {"#####", "#...#", "#####"}});
    const PrintedText text(font.params, U"ABA\nB?A");
    const int zoom = 2;
    QImage image = PrintedTextImage(font, text, zoom);
    ASSERT_EQ(image.size(), QSize(15 * zoom, 12 * zoom));
    font.glyphs[0].setPixel(2, 0, true);
    for (const std::size_t cell : text.CellsShowing(0)) {
        PaintPrintedText(image, font, text, zoom, text.CellRect(cell));
    }
    const QImage whole = PrintedTextImage(font, text, zoom);
    EXPECT_EQ(image, whole);
    EXPECT_EQ(image.pixel(2 * zoom, 0), kInkRgb);
    EXPECT_EQ(image.pixel(5 * zoom, 6 * zoom), kMissingRgb);

    QImage view(7, 9, QImage::Format_RGB32);
    view.fill(Qt::red);
    PaintPrintedText(view, font, text, zoom, {0, 0, text.width(), text.height()}, QPoint(6, 4));
    EXPECT_EQ(view, whole.copy(6 * zoom, 4 * zoom, 7, 9));
    EXPECT_FALSE(PrintedTextFits(PrintedText(font.params, std::u32string(6554, U'A')), 1));
    EXPECT_TRUE(PrintedTextImage(font, PrintedText(font.params, U"\n"), 1).isNull());
}

}  // namespace
}  // namespace pixmere::test
