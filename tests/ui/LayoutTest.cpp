// The font window's layout and the largest font it shows; what the next run remembers, windows
// that open cascaded in a frame that scrolls, and what a new layout keeps: the character being
// edited.
#include <sys/resource.h>

#include <sstream>

#include "UiTestSupport.h"
#include "model/Pixels.h"

namespace pixmere::test {
namespace {

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

TEST(FontLayout, CellsRowsAndScrollBars) {
    const struct {
        FontLayoutInput in;
        const char* layout;
    } layouts[] = {
        {{.W = 8, .H = 16, .M = 1, .Z = 2, .N = 256},
         "cell 17x43, 35 a row in 8 rows, canvas 600x348, viewport 600x200 vscroll"},
        // A wider window takes more cells to a row; the scroll bar's place stays reserved.
        {{.W = 8, .H = 16, .M = 1, .Z = 2, .N = 256, .areaWidth = 1217},
         "cell 17x43, 70 a row in 4 rows, canvas 1200x200, viewport 1200x200"},
        // Two pixels short of a 70th cell with the 4-pixel margin: 69 a row.
        {{.W = 8, .H = 16, .M = 1, .Z = 2, .N = 256, .areaWidth = 1209},
         "cell 17x43, 69 a row in 4 rows, canvas 1192x200, viewport 1192x200"},
        // Tall cells spread into rows of at most 16383 pixels; a cell wider than the nominal
        // canvas, beyond a 16-bit scroll bar, is still covered.
        {{.W = 8, .H = 200, .M = 5, .Z = 8, .N = 27},
         "cell 65x8011, 14 a row in 2 rows, canvas 914x16026, viewport 600x183 wide hscroll "
         "vscroll"},
        {{.W = 255, .H = 255, .M = 5, .Z = 8, .N = 256},
         "cell 2041x10211, 257 a row in 1 rows, canvas 524541x10215, viewport 600x183 wide hscroll "
         "vscroll"},
    };
    for (const auto& [in, layout] : layouts) {
        const FontLayout L = ComputeFontLayout(in);
        EXPECT_EQ(Described(L), layout);
        EXPECT_LE(L.canvasHeight - 4, kCanvasLimit) << layout;
    }
}

// The frame's place and the views' shares are remembered for the next run.
TEST(Layout, TheLargestFontEditsUnder300MegabytesAndTheFramesPlaceIsRemembered) {
    Editor editor;
    MDIForm1& frame = *editor.frame;
    // The largest font: 256 glyphs of 255 x 255 at magnification 5, ink all over so that no
    // cell paints cheaply, shows its size, opens and edits at zoom 8 under 300 megabytes.
    form1* big = frame.Newform(OpenedFont(PatternFont(Shape(255, 255, 0, 256, 0, 5))));
    big->SetZoomFactorText("1");
    EXPECT_EQ(big->findChild<QLabel*>("SizeKo")->text(), "Font Size = 2088965 Bytes");
    big->SetZoomFactorText("8");
    ASSERT_TRUE(big->fontLayout().wide);

    // Pick the last character and draw in it with the magnifier on.
    auto* horizontal = big->findChild<QScrollBar*>("HScroll1");
    horizontal->setValue(horizontal->maximum());
    Click(big->fontSupport(), CellCentre(*big, 255));
    big->findChild<QCheckBox*>("EnabMagnif")->setChecked(true);
    const int before = big->document()->font().glyphs[255].carbitmap(0, 0);
    int column = 0;
    while (before & PixelMask(column)) ++column;  // a pixel that is still blank
    Click(big->zoomPic(), PixelCentre(*big, column, 0));
    EXPECT_EQ(big->document()->font().glyphs[255].carbitmap(0, 0), before | PixelMask(column));
    big->zoomPic()->grab();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
#if !defined(__SANITIZE_ADDRESS__)  // its shadow memory makes the figure meaningless
    EXPECT_LT(usage.ru_maxrss, 300L * 1024);
#endif
    Discard(frame, *big);
    form1* doc = NewFont(frame, {"8", "16"});
    auto* splitter = doc->findChild<QSplitter*>("ViewSplitter");
    const QList<int> sizes = splitter->sizes();
    splitter->setSizes({sizes[0] - 50, sizes[1] + 50, sizes[2]});
    doc->action("ShowSample")->trigger();  // the sample text closed
    const QList<int> shares = splitter->sizes();
    EXPECT_EQ(shares[2], 0);
    // The next run finds the frame where it was and the views shared as they were last.
    frame.setGeometry(60, 40, 900, 640);
    const QRect where = frame.geometry();
    frame.Exit();
    Settle();
    MDIForm1 next("");
    next.show();
    EXPECT_EQ(next.geometry(), where);
    form1* again = next.Newform(OpenedFont(PatternFont(Shape(8, 16))));
    EXPECT_EQ(again->findChild<QSplitter*>("ViewSplitter")->sizes(), shares);
    again->document()->setFlagModified(false);
}

// Add a column on the right with 43h selected: 43h stays selected, shown and edited, also
// after the font properties and the font zoom change the layout. Windows open cascaded, and
// Cascade lines them up again; a frame smaller than its document window scrolls to the rest.
TEST(Layout, AChangeOfLayoutKeepsTheSelectedCharacterAndWindowsOpenCascaded) {
    Editor editor;
    MDIForm1& frame = *editor.frame;
    form1* doc = NewFont(frame, {"8", "8", "40", "7F"});
    Click(doc->fontSupport(), CellCentre(*doc, 3));
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"a column", [&] { doc->action("Aright")->trigger(); }},
        {"a row less", [&] { doc->action("Rtop")->trigger(); }},
        {"a zoom", [&] { doc->SetZoomFactorText("8"); }},
        {"the font properties",
         [&] {
             WillFillPropertyDialog({"", "", "", "", "3"});
             doc->action("fontparam")->trigger();
         }},
        // Undo replays the last click: it finds 43h in the new layout.
        {"an undo", [&] { doc->undo_Click(); }},
    };
    int column = 8;  // from the column added, leftwards: each stroke on a pixel still blank
    for (const auto& [change, act] : changes) {
        act();
        EXPECT_EQ(doc->document()->SelectedCars(), std::vector<int32_t>({3})) << change;
        EXPECT_EQ(doc->zoomPic()->shownGlyph(), 3) << change;
        Click(doc->zoomPic(), PixelCentre(*doc, column, 0));
        EXPECT_EQ(GlyphPicture(FontOf(*doc).glyphs[3], 9)[0][column--], '#') << change;
    }
    form1* second = NewFont(frame, {"8", "8"});
    const QPoint step = WindowOf(*second)->pos() - WindowOf(*doc)->pos();
    EXPECT_TRUE(step.x() > 0 && step.y() > 0) << step.x() << ", " << step.y();
    WindowOf(*doc)->move(200, 100);
    second->action("Cascade")->trigger();
    const QPoint cascaded = WindowOf(*second)->pos() - WindowOf(*doc)->pos();
    EXPECT_TRUE(cascaded.x() > 0 && cascaded.y() > 0) << cascaded.x() << ", " << cascaded.y();
    frame.resize(500, 400);
    Settle();
    EXPECT_TRUE(frame.mdiArea()->verticalScrollBar()->isVisible());
    EXPECT_TRUE(frame.mdiArea()->horizontalScrollBar()->isVisible());
}

}  // namespace
}  // namespace pixmere::test
