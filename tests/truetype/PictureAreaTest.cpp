#include <gtest/gtest.h>

#include "TtfTestSupport.h"
#include "truetype/PictureArea.h"
#include "truetype/PrintedTextImage.h"

namespace pixmere::test {
namespace {

// User points select the device pixel holding them; outside the area (right edge included)
// there is no colour, so nothing reads as black. Later drawing covers earlier, a box ends before
// its far corner, a line includes both ends, and the background erases.
TEST(PictureArea, UserPointsDrawingAndErasing) {
    PictureArea area(209, 209);
    area.Scale(0, 0, 80, 85);  // W·r by (H + 1)·r for a 16 x 16 cell at r = 5
    EXPECT_EQ(std::vector({area.DeviceColumn(1), area.DeviceColumn(79), area.DeviceRow(84)}),
              std::vector({2, 206, 206}));  // 2.6125 pixels per unit
    for (int x = -2; x < 90; ++x) EXPECT_EQ(area.ColumnOf(x), area.DeviceColumn(x)) << x;
    area.SetBackColor(kRgbBlack);
    EXPECT_FALSE(area.IsBlack(-1, 0) || area.IsBlack(80, 0) || area.IsBlack(0, 85));
    EXPECT_TRUE(area.IsBlack(79, 84));
    // A new size keeps the coordinate system on the whole area and the background.
    area.Resize(800, 850);
    EXPECT_EQ(area.ColumnOf(1) + area.RowOf(84), 10 + 840);
    EXPECT_EQ(area.Point(79, 84), kRgbBlack);
    area.SetBackColor(kRgbRed);
    area.Scale(0, 0, 20, 10);
    area.FillBox(2, 2, 8, 6, kRgbBlack);
    area.Line(5, 0, 5, 9, kRgbGreen);
    area.FillBox(10, 5, 10.01, 5.01, kRgbBlue);  // smaller than a pixel: still fills one
    const auto at = [&](double x, double y) { return area.Point(x, y).value_or(0); };
    EXPECT_EQ(std::vector({at(3, 3), at(5, 3), at(5, 9), at(8, 3), at(10, 5), at(10.2, 5)}),
              std::vector({kRgbBlack, kRgbGreen, kRgbGreen, kRgbRed, kRgbBlue, kRgbRed}));
    area.SetBackColor(kRgbWhite);
    EXPECT_EQ(at(3, 3), kRgbWhite);
}

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
