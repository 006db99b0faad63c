// The font window's layout, and the largest font it shows.
#include <sys/resource.h>

#include <cstdio>
#include <sstream>

#include "UiTestSupport.h"
#include "edit/PointerHit.h"

namespace pixmere::test {
namespace {

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

// The layout as "cell WxH, C a row in R rows, canvas WxH, viewport WxH" with "wide" and the
// scroll bars shown.
std::string Described(const FontLayout& L) {
    std::ostringstream out;
    out << "cell " << L.cellWidth << "x" << L.cellHeight << ", " << L.cellsPerRow << " a row in "
        << L.rowsUsed << " rows, canvas " << L.canvasWidth << "x" << L.canvasHeight << ", viewport "
        << L.viewportWidth << "x" << L.viewportHeight << (L.wide ? " wide" : "")
        << (L.hScrollVisible ? " hscroll" : "") << (L.vScrollVisible ? " vscroll" : "");
    return out.str();
}

TEST(FontLayout, CellsRowsAndScrollBarsAndEveryCellReachable) {
    const struct {
        FontLayoutInput in;
        const char* layout;
    } layouts[] = {
        {{.W = 8, .H = 16, .M = 1, .Z = 2, .N = 256},
         "cell 17x43, 35 a row in 8 rows, canvas 600x348, viewport 600x200 vscroll"},
        // A wider window takes more cells to a row; the scroll bar's place stays reserved.
        {{.W = 8, .H = 16, .M = 1, .Z = 2, .N = 256, .areaWidth = 1217},
         "cell 17x43, 70 a row in 4 rows, canvas 1200x200, viewport 1200x200"},
        // A multiple of a row keeps an empty last row; a small canvas fills the viewport.
        {{.W = 8, .H = 16, .M = 1, .Z = 2, .N = 245},
         "cell 17x43, 35 a row in 7 rows, canvas 600x348, viewport 600x200 vscroll"},
        {{.W = 8, .H = 8, .M = 1, .Z = 1, .N = 10},
         "cell 9x19, 66 a row in 1 rows, canvas 600x200, viewport 600x200"},
        // Tall cells spread into rows of at most 16383 pixels; a cell wider than the nominal
        // canvas, beyond a 16-bit scroll bar, is still covered.
        {{.W = 8, .H = 200, .M = 5, .Z = 8, .N = 27},
         "cell 65x8011, 14 a row in 2 rows, canvas 914x16026, viewport 600x183 wide hscroll "
         "vscroll"},
        {{.W = 255, .H = 255, .M = 5, .Z = 8, .N = 256},
         "cell 2041x10211, 257 a row in 1 rows, canvas 524541x10215, viewport 600x183 wide hscroll "
         "vscroll"},
        {{.W = 80, .H = 8, .M = 1, .Z = 8, .N = 20},
         "cell 641x75, 1 a row in 20 rows, canvas 645x1579, viewport 600x183 hscroll vscroll"},
    };
    for (const auto& [in, layout] : layouts) {
        const FontLayout L = ComputeFontLayout(in);
        EXPECT_EQ(Described(L), layout);
        EXPECT_LE(L.canvasHeight - 4, kCanvasLimit) << layout;
        ExpectEveryCellReachable(L);
    }
}

TEST(FontLayout, TheCellsARectangleMeets) {
    const FontLayout L = ComputeFontLayout({.W = 8, .H = 16, .M = 1, .Z = 2, .N = 256});
    EXPECT_EQ(L.CellsIn(0, 0, 17, 43), std::vector<int>({0}));
    EXPECT_EQ(L.CellsIn(16, 42, 18, 44), std::vector<int>({0, 1, 35, 36}));
    // The last row holds 256 - 7 * 35 = 11 cells; the empty places are no cells.
    EXPECT_EQ(L.CellsIn(0, 7 * 43, 599, 8 * 43).size(), 11u);
    const FontLayout largest = ComputeFontLayout({.W = 255, .H = 255, .M = 5, .Z = 8, .N = 256});
    EXPECT_EQ(largest.CellsIn(3000, 0, 3600, 200), std::vector<int>({1}));
}

// 256 glyphs of 255 x 255 at magnification 5, ink all over so that no cell paints cheaply.
TEST(LargestFont, OpensScrollsAndEditsAtZoomEightUnder300Megabytes) {
    Editor editor;
    form1* doc = editor.frame->Newform(OpenedFont(PatternFont(Shape(255, 255, 0, 256, 0, 5))));
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
