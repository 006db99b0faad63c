#include <gtest/gtest.h>

#include <set>

#include "TtfTestSupport.h"
#include "truetype/PictureArea.h"

namespace pixmere::test {
namespace {

TEST(PictureArea, UserPointsSelectTheDevicePixelHoldingThem) {
    PictureArea area(209, 209);
    area.Scale(0, 0, 80, 85);            // W·r by (H + 1)·r for a 16 x 16 cell at r = 5
    EXPECT_EQ(area.DeviceColumn(1), 2);  // 2.6125 pixels per unit
    EXPECT_EQ(area.DeviceColumn(79), 206);
    EXPECT_EQ(area.DeviceRow(84), 206);
    for (int x = -2; x < 90; ++x) EXPECT_EQ(area.ColumnOf(x), area.DeviceColumn(x)) << x;
    // Outside the area (right edge included) there is no colour, so nothing reads as black.
    area.SetBackColor(kRgbBlack);
    EXPECT_EQ(area.Point(-0.5, 10), std::nullopt);
    EXPECT_EQ(area.Point(80, 10), std::nullopt);
    EXPECT_FALSE(area.IsBlack(-1, 0) || area.IsBlack(80, 0) || area.IsBlack(0, 85));
    EXPECT_TRUE(area.IsBlack(79, 84));
    // A new size keeps the coordinate system on the whole area and erases it.
    area.Resize(800, 850);
    EXPECT_EQ(area.ColumnOf(1), 10);
    EXPECT_EQ(area.RowOf(84), 840);
    EXPECT_FLOAT_EQ(area.PixelsPerUnitY(), 10.0);
    EXPECT_EQ(area.Point(79, 84), kRgbBlack);  // the background stays
    area.FillBox(1, 1, 2, 2, kRgbRed);
    EXPECT_EQ(area.Image().pixel(10, 10), kRgbRed);
    EXPECT_EQ(area.Image().pixel(20, 20), kRgbBlack);
}

TEST(PictureArea, LaterDrawingCoversEarlierAndTheBackgroundErases) {
    PictureArea area(20, 10);
    area.SetBackColor(kRgbRed);
    area.FillBox(2, 2, 8, 6, kRgbBlack);
    area.Line(5, 0, 5, 9, kRgbGreen);  // over the box, end points included
    const auto at = [&](double x, double y) { return area.Point(x, y).value_or(0); };
    EXPECT_EQ(std::vector({at(3, 3), at(5, 3), at(5, 9), at(8, 3)}),
              std::vector({kRgbBlack, kRgbGreen, kRgbGreen, kRgbRed}));  // the box ends before x2
    area.Cls();
    EXPECT_EQ(at(3, 3), kRgbRed);
    area.FillBox(0, 0, 1, 1, kRgbBlack);
    area.SetBackColor(kRgbWhite);
    EXPECT_EQ(at(0, 0), kRgbWhite);
    area.Scale(0, 0, 100, 50);
    area.FillBox(10, 10, 10.5, 10.5, kRgbBlack);  // smaller than a pixel: still fills one
    EXPECT_EQ(std::vector({at(10, 10), at(15, 10)}), std::vector({kRgbBlack, kRgbWhite}));
}

TEST(PictureArea, TextIsExactlyBlackAndHangsFromTheTopLeftOfItsLineBox) {
    PictureArea area(209, 209);
    area.SetBackColor(kRgbRed);
    area.DrawGlyph(DejaVu().Outline("@"), 150, 10, 10);
    const QImage image = area.Image();
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
    }
    EXPECT_EQ(colours, (std::set<QRgb>{kRgbBlack, kRgbRed}));  // no antialiasing

    // A box from the baseline up to the ascent fills the line box from its top.
    GlyphOutline full;
    full.path.addRect(0, -800, 500, 800);
    full.ascent = 800;
    area.Cls();
    area.DrawGlyph(full, 20, 30, 40);  // 20-pixel em: 10 x 16 pixels
    const Extent e = BlackExtent(area, 209, 209);
    EXPECT_EQ(std::vector({e.left, e.top, e.right, e.bottom}), std::vector({30, 40, 39, 55}));
}

// Drawing is rasterised lazily and an erase refills only what was drawn: whatever the order
// of drawing, reading and erasing, the picture must be the one a fresh area shows.
TEST(PictureArea, RedrawingAfterAnEraseMatchesAFreshArea) {
    const TtfFace face = DejaVu();
    const auto drawLast = [&](PictureArea& area) {
        area.DrawGlyph(face.Outline("W"), 120, 20, -5);
        area.Line(0, 30, 80, 30, kRgbGreen);
        area.Line(40, 0, 40, 85, kRgbBlue);
    };
    PictureArea reused(209, 209), fresh(209, 209);
    reused.Scale(0, 0, 80, 85);
    reused.SetBackColor(kRgbRed);
    reused.DrawGlyph(face.Outline("M"), 200, -10, 0);
    reused.Line(0, 10, 80, 10, kRgbGreen);
    (void)reused.Point(5, 5);
    const QImage held = reused.Image();  // a caller keeping an earlier picture
    reused.Cls();
    reused.DrawGlyph(face.Outline("g"), 90, 30, 20);
    (void)reused.Point(5, 5);
    reused.SetBackColor(kRgbRed);
    drawLast(reused);

    fresh.Scale(0, 0, 80, 85);
    fresh.SetBackColor(kRgbRed);
    drawLast(fresh);
    EXPECT_TRUE(reused.Image() == fresh.Image());
    EXPECT_FALSE(held == fresh.Image());
    // A drawing added after a read joins the picture as well.
    reused.FillBox(70, 70, 75, 75, kRgbBlack);
    fresh.FillBox(70, 70, 75, 75, kRgbBlack);
    EXPECT_TRUE(reused.Image() == fresh.Image());
}

}  // namespace
}  // namespace pixmere::test
