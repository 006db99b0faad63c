// The font window's layout, and the largest font it shows.
#include <sys/resource.h>

#include <cstdio>

#include "UiTestSupport.h"
#include "edit/PointerHit.h"

namespace pixmere::test {
namespace {

FontLayout Layout(int W, int H, int M, int Z, int N) {
    return ComputeFontLayout({.W = W, .H = H, .M = M, .Z = Z, .N = N});
}

// Every character's cell lies inside the canvas and a press on it finds it, with the hit test
// the pointer handlers use; the scroll bars reach the far edges of the canvas.
void ExpectEveryCellReachable(const FontLayout& L) {
    const CellLayout cells{L.cellWidth, L.cellHeight, L.cellsPerRow};
    for (int i = 0; i < L.N; ++i) {
        ASSERT_LE(L.CellLeft(i) + L.cellWidth, L.canvasWidth) << "cell " << i;
        ASSERT_LE(L.CellTop(i) + L.cellHeight, L.canvasHeight) << "cell " << i;
        const FontWindowHit hit = HitTestFontWindow(L.CellLeft(i) + L.cellWidth / 2.0,
                                                    L.CellTop(i) + L.cellHeight / 2.0, cells, L.N);
        ASSERT_TRUE(hit.valid && hit.HitCar == i) << "cell " << i;
    }
    EXPECT_EQ(L.viewportWidth + (L.hScrollVisible ? L.hScrollMax : 0), L.canvasWidth);
    EXPECT_EQ(L.viewportHeight + (L.vScrollVisible ? L.vScrollMax : 0), L.canvasHeight);
}

TEST(FontLayout, StandardFontsAndTheCellsARectangleMeets) {
    const FontLayout L = Layout(8, 16, 1, 2, 256);
    EXPECT_EQ(L.cellWidth, 17);
    EXPECT_EQ(L.cellHeight, 43);
    EXPECT_EQ(L.cellsPerRow, 35);
    EXPECT_EQ(L.viewportWidth, 600);
    EXPECT_EQ(L.viewportHeight, 200);
    EXPECT_EQ(L.canvasHeight, 348);
    EXPECT_FALSE(L.wide);
    EXPECT_FALSE(L.hScrollVisible);
    EXPECT_EQ(L.vScrollMax, 148);
    ExpectEveryCellReachable(L);
    // A wider window takes more cells to a row; the scroll bar's place stays reserved.
    FontLayoutInput wider{.W = 8, .H = 16, .M = 1, .Z = 2, .N = 256, .areaWidth = 1217};
    EXPECT_EQ(ComputeFontLayout(wider).cellsPerRow, 70);
    EXPECT_FALSE(ComputeFontLayout(wider).vScrollVisible);
    // A multiple of a row keeps an empty last row; a small canvas fills the viewport.
    EXPECT_EQ(Layout(8, 16, 1, 2, 245).canvasHeight, 8 * 43 + 4);
    const FontLayout few = Layout(8, 8, 1, 1, 10);
    EXPECT_EQ(few.canvasHeight, few.viewportHeight);
    EXPECT_FALSE(few.vScrollVisible);

    EXPECT_EQ(L.CellsIn(0, 0, 17, 43), std::vector<int>({0}));
    EXPECT_EQ(L.CellsIn(16, 42, 18, 44), std::vector<int>({0, 1, 35, 36}));
    // The last row holds 256 - 7 * 35 = 11 cells; the empty places are no cells.
    EXPECT_EQ(L.CellsIn(0, 7 * 43, 599, 8 * 43).size(), 11u);
}

TEST(FontLayout, TallAndWideCellsSpreadIntoRowsThatStayReachable) {
    const FontLayout tall = Layout(8, 200, 5, 8, 27);
    EXPECT_EQ(tall.cellWidth, 65);
    EXPECT_EQ(tall.cellHeight, 8011);
    EXPECT_TRUE(tall.wide);
    EXPECT_TRUE(tall.hScrollVisible);
    EXPECT_EQ(tall.cellsPerRow, 14);  // two rows of at most 16383 pixels
    EXPECT_EQ(tall.rowsUsed, 2);
    EXPECT_LE(tall.canvasHeight - 4, kCanvasLimit);
    ExpectEveryCellReachable(tall);

    const FontLayout largest = Layout(255, 255, 5, 8, 256);
    EXPECT_EQ(largest.cellWidth, 2041);
    EXPECT_EQ(largest.cellHeight, 10211);
    EXPECT_TRUE(largest.wide);
    EXPECT_EQ(largest.rowsUsed, 1);
    EXPECT_EQ(largest.viewportWidth, 600);  // a cell wider than the nominal canvas
    EXPECT_GT(largest.hScrollMax, 32767);   // beyond a 16-bit scroll bar, still covered
    EXPECT_EQ(largest.CellsIn(3000, 0, 3600, 200), std::vector<int>({1}));
    ExpectEveryCellReachable(largest);

    const FontLayout wider = Layout(80, 8, 1, 8, 20);
    EXPECT_EQ(wider.cellsPerRow, 1);
    EXPECT_EQ(wider.viewportWidth, 600);
    EXPECT_TRUE(wider.hScrollVisible);
    ExpectEveryCellReachable(wider);
}

// 256 glyphs of 255 x 255 at magnification 5, ink all over so that no cell paints cheaply.
TEST(LargestFont, OpensScrollsAndEditsAtZoomEightUnder300Megabytes) {
    Editor editor;
    form1* doc = editor.frame->Newform();
    doc->SetFont(PatternFont(Shape(255, 255, 0, 256, 0, 5)), false);
    doc->SetZoomFactorText("8");
    ASSERT_TRUE(doc->fontLayout().wide);

    // Scroll the whole canvas, cell by cell, painting what comes into view.
    auto* horizontal = doc->findChild<QScrollBar*>("HScroll1");
    ASSERT_TRUE(horizontal->isVisible());
    EXPECT_EQ(horizontal->maximum(), doc->fontLayout().hScrollMax);
    int painted = 0;
    for (int value = 0; value <= horizontal->maximum(); value += doc->fontLayout().cellWidth) {
        horizontal->setValue(value);
        doc->fontSupport()->grab();
        painted += doc->fontSupport()->lastPaintedCells();
    }
    EXPECT_GE(painted, 256);

    // Pick the last character and draw in it with the magnifier on, then undo.
    horizontal->setValue(horizontal->maximum());
    Click(doc->fontSupport(), CellCentre(*doc, 255));
    EXPECT_EQ(doc->document()->CurrentCar(), 255);
    doc->findChild<QCheckBox*>("EnabMagnif")->setChecked(true);
    const auto firstByte = [&] { return doc->document()->font().glyphs[255].carbitmap(0, 0); };
    const int before = firstByte();
    int column = 0;
    while (before & (0x80 >> column)) ++column;  // a pixel that is still blank
    Click(doc->zoomPic(), PixelCentre(*doc, column, 0));
    EXPECT_EQ(firstByte(), before | (0x80 >> column));
    doc->zoomPic()->grab();
    doc->undo_Click();
    EXPECT_EQ(firstByte(), before);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory: %ld KB\n", usage.ru_maxrss);
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory makes the figure meaningless";
#else
    EXPECT_LT(usage.ru_maxrss, 300L * 1024);
#endif
}

}  // namespace
}  // namespace pixmere::test
