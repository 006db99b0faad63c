#include <gtest/gtest.h>

#include <QPainterPath>
#include <set>

#include "TtfTestSupport.h"
#include "truetype/PictureArea.h"

namespace pixmere {
namespace {

GlyphOutline Box(double left, double top, double width, double height) {
    GlyphOutline g;
    g.path.addRect(left, top, width, height);
    g.ascent = 0;
    return g;
}

TEST(PictureArea, UserPointsSelectTheDevicePixelHoldingThem) {
    PictureArea area(209, 209);
    area.Scale(0, 0, 80, 85);  // W·r by (H + 1)·r for a 16 x 16 cell at r = 5
    EXPECT_EQ(area.DeviceColumn(0), 0);
    EXPECT_EQ(area.DeviceColumn(1), 2);  // 2.6125 pixels per unit
    EXPECT_EQ(area.DeviceColumn(79), 206);
    EXPECT_EQ(area.DeviceColumn(80), -1);  // the right edge is outside
    EXPECT_EQ(area.DeviceRow(84), 206);
    EXPECT_EQ(area.DeviceColumn(-0.5), -1);
    for (int x = 0; x < 90; ++x) EXPECT_EQ(area.ColumnOf(x), area.DeviceColumn(x)) << x;

    area.SetBackColor(kRgbBlack);
    EXPECT_EQ(area.Point(10, 10), std::optional<QRgb>(kRgbBlack));
    // Outside the area there is no colour, so nothing there reads as black.
    EXPECT_EQ(area.Point(-1, 10), std::nullopt);
    EXPECT_EQ(area.Point(10, 85), std::nullopt);
    EXPECT_FALSE(area.IsBlack(-1, 0));
    EXPECT_FALSE(area.IsBlack(80, 0));
    EXPECT_TRUE(area.IsBlack(79, 84));
}

TEST(PictureArea, BackgroundErasesAndLaterDrawingCoversEarlier) {
    PictureArea area(20, 10);
    area.SetBackColor(kRgbRed);
    area.FillBox(2, 2, 8, 6, kRgbBlack);
    area.Line(5, 0, 5, 9, kRgbGreen);  // over the box
    EXPECT_EQ(area.Point(3, 3), std::optional<QRgb>(kRgbBlack));
    EXPECT_EQ(area.Point(5, 3), std::optional<QRgb>(kRgbGreen));
    EXPECT_EQ(area.Point(5, 9), std::optional<QRgb>(kRgbGreen));  // end points included
    EXPECT_EQ(area.Point(8, 3), std::optional<QRgb>(kRgbRed));    // the box ends before x2
    area.Line(0, 8, 19, 8, kRgbBlue);
    EXPECT_EQ(area.Point(0, 8), std::optional<QRgb>(kRgbBlue));
    EXPECT_EQ(area.Point(19, 8), std::optional<QRgb>(kRgbBlue));

    area.Cls();
    EXPECT_EQ(area.Point(3, 3), std::optional<QRgb>(kRgbRed));
    area.FillBox(0, 0, 1, 1, kRgbBlack);
    area.SetBackColor(kRgbWhite);
    EXPECT_EQ(area.Point(0, 0), std::optional<QRgb>(kRgbWhite));
    // A box smaller than a pixel still fills one.
    area.Scale(0, 0, 100, 50);
    area.FillBox(10, 10, 10.5, 10.5, kRgbBlack);
    EXPECT_EQ(area.Point(10, 10), std::optional<QRgb>(kRgbBlack));
    EXPECT_EQ(area.Point(15, 10), std::optional<QRgb>(kRgbWhite));
}

TEST(PictureArea, TextIsFilledExactlyBlackWithoutAntialiasing) {
    const TtfFace face = test::DejaVu();
    PictureArea area(209, 209);
    area.SetBackColor(kRgbRed);
    area.DrawGlyph(face.Outline("@"), 150, 10, 10);
    const QImage image = area.Image();
    std::set<QRgb> colours;
    int black = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            colours.insert(image.pixel(x, y));
            black += image.pixel(x, y) == kRgbBlack;
        }
    }
    EXPECT_EQ(colours, (std::set<QRgb>{kRgbBlack, kRgbRed}));
    EXPECT_GT(black, 2000);
}

TEST(PictureArea, TextHangsFromTheTopLeftOfItsLineBox) {
    PictureArea area(100, 100);
    area.SetBackColor(kRgbWhite);
    // A box from the baseline up to the ascent: it fills the line box from its top.
    GlyphOutline full = Box(0, -800, 500, 800);
    full.ascent = 800;
    area.DrawGlyph(full, 20, 30, 40);  // 20-pixel em: 10 x 16 pixels
    const test::Extent e = test::BlackExtent(area, 100, 100);
    EXPECT_EQ(e.left, 30);
    EXPECT_EQ(e.top, 40);
    EXPECT_EQ(e.right, 39);
    EXPECT_EQ(e.bottom, 55);
}

TEST(PictureArea, RedrawingAfterAnEraseMatchesAFreshArea) {
    // Erasing refills only what was drawn; whatever order of drawing, reading and erasing,
    // the picture must be the one a fresh area shows for the last drawing.
    const TtfFace face = test::DejaVu();
    const auto drawLast = [&](PictureArea& area) {
        area.DrawGlyph(face.Outline("W"), 120, 20, -5);
        area.Line(0, 30, 80, 30, kRgbGreen);
        area.Line(40, 0, 40, 85, kRgbBlue);
    };
    PictureArea reused(209, 209);
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

    PictureArea fresh(209, 209);
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

TEST(PictureArea, BlackSpansHoldEveryBlackPoint) {
    const TtfFace face = test::DejaVu();
    PictureArea area(209, 209);
    area.Scale(0, 0, 160, 170);
    area.SetBackColor(kRgbWhite);
    EXPECT_TRUE(area.BlackColumns().IsEmpty());
    area.DrawGlyph(face.Outline("j"), 100, 60, 20);
    area.Line(0, 100, 159, 100, kRgbGreen);
    const PictureArea::Span xs = area.BlackColumns();
    const PictureArea::Span ys = area.BlackRows();
    ASSERT_FALSE(xs.IsEmpty());
    const test::Extent e = test::BlackExtent(area, 160, 170);
    EXPECT_LE(xs.lo, e.left);
    EXPECT_GE(xs.hi, e.right);
    EXPECT_LE(ys.lo, e.top);
    EXPECT_GE(ys.hi, e.bottom);
    // Close around the ink: within the two pixels of slack the spans allow.
    EXPECT_GE(xs.lo, e.left - 2);
    EXPECT_LE(ys.hi, e.bottom + 2);
}

}  // namespace
}  // namespace pixmere
