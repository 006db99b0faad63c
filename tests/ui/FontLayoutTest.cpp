#include <gtest/gtest.h>

#include "edit/PointerHit.h"
#include "ui/AppState.h"
#include "ui/EditZoom.h"
#include "ui/FontLayout.h"
#include "ui/Form5.h"

namespace pixmere {
namespace {

FontLayout Layout(int W, int H, int M, int Z, int N) {
    FontLayoutInput in;
    in.W = W;
    in.H = H;
    in.M = M;
    in.Z = Z;
    in.N = N;
    return ComputeFontLayout(in);
}

// Every character's cell lies inside the canvas and a press on it finds it, with the hit test
// the pointer handlers use.
void ExpectEveryCellReachable(const FontLayout& L) {
    const CellLayout cells{L.cellWidth, L.cellHeight, L.cellsPerRow};
    for (int i = 0; i < L.N; ++i) {
        ASSERT_LE(L.CellLeft(i) + L.cellWidth, L.canvasWidth) << "cell " << i;
        ASSERT_LE(L.CellTop(i) + L.cellHeight, L.canvasHeight) << "cell " << i;
        const FontWindowHit hit = HitTestFontWindow(L.CellLeft(i) + L.cellWidth / 2.0,
                                                    L.CellTop(i) + L.cellHeight / 2.0, cells, L.N);
        ASSERT_TRUE(hit.valid) << "cell " << i;
        ASSERT_EQ(hit.HitCar, i);
    }
    // The scroll bars reach the far edges of the canvas.
    EXPECT_EQ(L.viewportWidth + (L.hScrollVisible ? L.hScrollMax : 0), L.canvasWidth);
    EXPECT_EQ(L.viewportHeight + (L.vScrollVisible ? L.vScrollMax : 0), L.canvasHeight);
}

TEST(FontLayout, StandardFontAtZoomTwo) {
    const FontLayout L = Layout(8, 16, 1, 2, 256);
    EXPECT_EQ(L.cellWidth, 17);
    EXPECT_EQ(L.cellHeight, 43);
    EXPECT_EQ(L.cellsPerRow, 35);
    EXPECT_EQ(L.viewportWidth, 599);
    EXPECT_EQ(L.viewportHeight, 200);
    EXPECT_EQ(L.canvasHeight, 348);
    EXPECT_FALSE(L.wide);
    EXPECT_FALSE(L.hScrollVisible);
    EXPECT_TRUE(L.vScrollVisible);
    EXPECT_EQ(L.vScrollMax, 148);
    // Centred right of the "Move characters" frame: (784 - 17 - 599 - 137) / 2 + 137.
    EXPECT_EQ(L.viewportLeft, 152);
    EXPECT_EQ(L.vScrollLeft, 152 + 599 + 1);
    EXPECT_EQ(PrinterMemory(1, 256, 16), 4101);
    ExpectEveryCellReachable(L);
}

TEST(FontLayout, MultipleOfCellsPerRowKeepsAnEmptyLastRowAndSmallCanvasFillsViewport) {
    const FontLayout full = Layout(8, 16, 1, 2, 245);  // 7 rows of 35
    EXPECT_EQ(full.canvasHeight, 8 * 43 + 4);
    const FontLayout few = Layout(8, 8, 1, 1, 10);
    EXPECT_EQ(few.canvasHeight, few.viewportHeight);
    EXPECT_FALSE(few.vScrollVisible);
}

TEST(FontLayout, TallFontSwitchesToTheWideLayout) {
    const FontLayout L = Layout(8, 200, 5, 8, 27);
    EXPECT_EQ(L.cellWidth, 65);
    EXPECT_EQ(L.cellHeight, 8011);
    EXPECT_TRUE(L.wide);
    EXPECT_TRUE(L.hScrollVisible);
    EXPECT_EQ(L.cellsPerRow, 14);  // two rows of at most 16383 pixels
    EXPECT_EQ(L.rowsUsed, 2);
    EXPECT_LE(L.canvasHeight - 4, kCanvasLimit);
    ExpectEveryCellReachable(L);
}

TEST(FontLayout, LargestFontSpreadsIntoOneRowAndStaysReachable) {
    const FontLayout L = Layout(255, 255, 5, 8, 256);
    EXPECT_EQ(L.cellWidth, 2041);
    EXPECT_EQ(L.cellHeight, 10211);
    EXPECT_TRUE(L.wide);
    EXPECT_EQ(L.rowsUsed, 1);
    EXPECT_EQ(L.viewportWidth, 600);  // a cell wider than the nominal canvas
    EXPECT_GT(L.hScrollMax, 32767);   // beyond a 16-bit scroll bar, still covered
    ExpectEveryCellReachable(L);
}

TEST(FontLayout, CellWiderThanTheCanvasGetsARowOfItsOwn) {
    const FontLayout L = Layout(80, 8, 1, 8, 20);
    EXPECT_EQ(L.cellsPerRow, 1);
    EXPECT_EQ(L.viewportWidth, 600);
    EXPECT_TRUE(L.hScrollVisible);
    ExpectEveryCellReachable(L);
}

TEST(FontLayout, CellsInViewAreOnlyThoseMeetingTheRectangle) {
    const FontLayout L = Layout(8, 16, 1, 2, 256);
    EXPECT_EQ(L.CellsIn(0, 0, 17, 43), std::vector<int>({0}));
    EXPECT_EQ(L.CellsIn(16, 42, 18, 44), std::vector<int>({0, 1, 35, 36}));
    // The last row holds 256 - 7 * 35 = 11 cells; the empty places are no cells.
    EXPECT_EQ(L.CellsIn(0, 7 * 43, 599, 8 * 43).size(), 11u);
    const FontLayout big = Layout(255, 255, 5, 8, 256);
    EXPECT_EQ(big.CellsIn(3000, 0, 3600, 200), std::vector<int>({1}));
}

TEST(EditZoom, FitsTheViewportAndHalvesBackToTheFittedZoom) {
    EXPECT_EQ(AutoFitZoom(250, 16, 1), 15);
    EXPECT_EQ(AutoFitZoom(250, 200, 1), 3);
    EXPECT_EQ(AutoFitZoom(250, 16, 3), 5);
    // Fitted 6: in to 12, 24, 48, 96, where zooming in stops.
    int zoom = 6;
    std::vector<int> seen;
    while (CanZoomIn(zoom)) seen.push_back(zoom = ZoomInValue(zoom));
    EXPECT_EQ(seen, std::vector<int>({12, 24, 48, 96}));
    seen.clear();
    do {
        seen.push_back(zoom = ZoomOutValue(zoom));
    } while (CanZoomOut(zoom, 6));
    EXPECT_EQ(seen, std::vector<int>({48, 24, 12, 6}));
    EXPECT_EQ(ZoomOutValue(3), 2);
    EXPECT_EQ(ZoomOutValue(5), 2);
    EXPECT_EQ(ZoomOutValue(7), 4);
}

TEST(CheckOS, NamesWindowsVersionsAndNothingElse) {
    using F = PlatformFamily;
    EXPECT_EQ(Form5::OsName({F::Windows9x, 4, 0, 950}), "Windows 95");
    EXPECT_EQ(Form5::OsName({F::Windows9x, 4, 0, 1111}), "Windows 95 OSR2");
    EXPECT_EQ(Form5::OsName({F::Windows9x, 4, 10, 1998}), "Windows 98");
    EXPECT_EQ(Form5::OsName({F::Windows9x, 4, 10, 2222}), "Windows 98 SE");
    EXPECT_EQ(Form5::OsName({F::Windows9x, 4, 90, 3000}), "Windows ME");
    EXPECT_EQ(Form5::OsName({F::WindowsNT, 4, 0, 1381}), "Windows NT 4.0");
    EXPECT_EQ(Form5::OsName({F::WindowsNT, 5, 1, 2600}), "Windows XP Profesionnel");
    EXPECT_EQ(Form5::OsName({F::WindowsNT, 5, 2, 3790}), "");
    EXPECT_EQ(Form5::OsName({F::WindowsNT, 10, 0, 19045}), "");
    EXPECT_EQ(Form5::OsName({F::Other, 4, 10, 1998}), "");
    EXPECT_EQ(DocMaxFor("Windows 98"), 3);
    EXPECT_EQ(DocMaxFor("Windows 98 SE"), 3);
    EXPECT_EQ(DocMaxFor("Windows ME"), 20);
    EXPECT_EQ(DocMaxFor(""), 20);
}

}  // namespace
}  // namespace pixmere
