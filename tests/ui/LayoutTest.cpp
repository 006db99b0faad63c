// The font window's layout and the largest font it shows; views that grow with their window,
// windows that open cascaded in a frame that scrolls, and what a new layout keeps: the character
// being edited.
#include <sys/resource.h>

#include <cstdio>
#include <sstream>

#include "UiTestSupport.h"
#include "edit/PointerHit.h"
#include "model/Pixels.h"

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
        // Two pixels short of a 70th cell with the 4-pixel margin: 69 a row.
        {{.W = 8, .H = 16, .M = 1, .Z = 2, .N = 256, .areaWidth = 1209},
         "cell 17x43, 69 a row in 4 rows, canvas 1192x200, viewport 1192x200"},
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
TEST(LargestFont, ShowsItsSizeOpensScrollsAndEditsAtZoomEightUnder300Megabytes) {
    Editor editor;
    form1* doc = editor.frame->Newform(OpenedFont(PatternFont(Shape(255, 255, 0, 256, 0, 5))));
    doc->SetZoomFactorText("1");
    auto* size = doc->findChild<QLabel*>("SizeKo");  // shown whole
    EXPECT_EQ(size->text(), "Font Size = 2088965 Bytes");
    EXPECT_GE(size->width(), size->fontMetrics().horizontalAdvance(size->text()));
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
    while (before & PixelMask(column)) ++column;  // a pixel that is still blank
    Click(doc->zoomPic(), PixelCentre(*doc, column, 0));
    EXPECT_EQ(firstByte(), before | PixelMask(column));
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

QWidget* View(form1& document, const char* name) { return document.findChild<QWidget*>(name); }

TEST(Layout, TheViewsFillTheWindowAsItGrowsAndTheControlsKeepTheirSize) {
    Editor editor;
    MDIForm1& frame = *editor.frame;
    frame.resize(1400, 1000);
    form1* doc = NewFont(frame, {"8", "16", "20", "FF"});
    QWidget* fontWindow = View(*doc, "FontWindow");
    QWidget* editWindow = View(*doc, "EditWindow");
    QWidget* sample = View(*doc, "SamplePreview");
    const QSize moveFrame = doc->findChild<QGroupBox*>("Frame2")->size();
    const int cellsPerRow = doc->fontLayout().cellsPerRow;
    const int fontHeight = fontWindow->height();
    EXPECT_EQ(doc->editZoom(), 15);

    WindowOf(frame, *doc)->showMaximized();
    Settle();
    EXPECT_EQ(doc->findChild<QGroupBox*>("Frame2")->size(), moveFrame);
    EXPECT_GT(doc->fontLayout().cellsPerRow, cellsPerRow);
    EXPECT_GT(fontWindow->height(), fontHeight);
    // The views reach the window's right edge, the sample text its bottom.
    const QRect inside = doc->rect();
    const auto right = [&](QWidget* view) { return view->mapTo(doc, view->rect().bottomRight()); };
    EXPECT_GT(right(fontWindow).x(), inside.right() - 20);
    EXPECT_GT(right(editWindow).x(), inside.right() - 20);
    EXPECT_GT(right(sample).x(), inside.right() - 20);
    EXPECT_GT(right(sample).y(), inside.bottom() - 20);
    // The automatic zoom fits the taller edit window; the selection stays where it was.
    EXPECT_GT(doc->editZoom(), 15);
    EXPECT_EQ(doc->document()->SelectedCars(), std::vector<int32_t>({0}));

    // The border between the views moves: the edit window takes height from the font window.
    auto* splitter = doc->findChild<QSplitter*>("ViewSplitter");
    const QList<int> sizes = splitter->sizes();
    splitter->setSizes({sizes[0] - 100, sizes[1] + 100, sizes[2]});
    Settle();
    EXPECT_EQ(editWindow->height(), sizes[1] + 100);
    EXPECT_EQ(doc->findChild<QScrollBar*>("VScroll1")->maximum(), doc->fontLayout().vScrollMax);
}

// The sample text closes when its border is dragged to the bottom and comes back, at its height,
// from Windows > "Show Sample Text"; the item follows the border. The frame's place and the
// views' shares are remembered for the next run.
TEST(Layout, TheSampleTextClosesWithItsBorderAndComesBackFromTheWindowsMenu) {
    Editor editor;
    form1* doc = NewFont(*editor.frame, {"8", "16"});
    auto* splitter = doc->findChild<QSplitter*>("ViewSplitter");
    QAction* item = doc->action("ShowSample");
    const int height = splitter->sizes()[2];
    ASSERT_TRUE(item->isChecked());
    // The border dragged down to the window's bottom edge.
    QSplitterHandle* border = splitter->handle(2);
    const QPoint grip(border->width() / 2, border->height() / 2);
    QTest::mousePress(border, Qt::LeftButton, {}, grip);
    QTest::mouseMove(border, grip + QPoint(0, height + 50));
    QTest::mouseRelease(border, Qt::LeftButton, {}, grip + QPoint(0, height + 50));
    EXPECT_EQ(splitter->sizes()[2], 0);
    EXPECT_FALSE(item->isChecked());
    item->trigger();
    EXPECT_EQ(splitter->sizes()[2], height);
    EXPECT_TRUE(item->isChecked());
    item->trigger();
    EXPECT_EQ(splitter->sizes()[2], 0);

    // The next run finds the frame where it was and the views shared as they were last.
    MDIForm1& frame = *editor.frame;
    frame.setGeometry(60, 40, 900, 640);
    const QRect where = frame.geometry();
    frame.Exit();
    Settle();
    MDIForm1 next("");
    next.show();
    EXPECT_EQ(next.geometry(), where);
    form1* again = next.Newform(OpenedFont(PatternFont(Shape(8, 16))));
    EXPECT_EQ(again->findChild<QSplitter*>("ViewSplitter")->sizes()[2], 0);
    EXPECT_FALSE(again->action("ShowSample")->isChecked());
    again->document()->setFlagModified(false);
}

// Add a column on the right with 43h selected: 43h stays selected, shown and edited, also
// after the font properties and the font zoom change the layout.
TEST(Layout, AChangeOfLayoutKeepsTheSelectedCharacter) {
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
             WhenShown<Form3>([](Form3& dialog) {
                 dialog.Magnificatio()->setEditText("3");
                 dialog.Ok()->click();
             });
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
}

// Windows open cascaded, their glyphs without a scroll bar where they fit; with no document
// the frame's Modify Font items are disabled, also after the last closes; a frame smaller than
// its document window scrolls to the rest of it.
TEST(Layout, NewWindowsOpenCascadedWithTheScrollBarsTheyNeed) {
    Editor editor;
    MDIForm1& frame = *editor.frame;
    std::vector<form1*> docs;
    for (const char* height : {"8", "13", "16", "40"}) {
        form1* doc = docs.emplace_back(NewFont(frame, {"8", height}));
        EXPECT_FALSE(doc->findChild<QScrollBar*>("VScroll2")->isVisible()) << height;
        EXPECT_FALSE(doc->findChild<QScrollBar*>("HScroll2")->isVisible()) << height;
        EXPECT_LE(doc->zoomPic()->PictureSize().height(), doc->zoomPic()->height()) << height;
    }
    const QPoint step = WindowOf(frame, *docs[1])->pos() - WindowOf(frame, *docs[0])->pos();
    EXPECT_TRUE(step.x() > 0 && step.y() > 0) << step.x() << ", " << step.y();
    // A glyph too wide for the window gets the horizontal bar, and its rows still fit above it.
    form1* wide = NewFont(frame, {"200", "4"});
    EXPECT_TRUE(wide->findChild<QScrollBar*>("HScroll2")->isVisible());
    EXPECT_FALSE(wide->findChild<QScrollBar*>("VScroll2")->isVisible());
    for (form1* doc : docs) Discard(frame, *doc);
    Discard(frame, *wide);
    QMenu* modify = frame.FrameMenus().at(2);
    ASSERT_EQ(modify->actions().size(), 3);
    for (QAction* item : modify->actions())
        EXPECT_FALSE(item->isEnabled()) << item->text().toStdString();
    NewFont(frame, {"8", "8"});
    frame.resize(500, 400);
    Settle();
    EXPECT_TRUE(frame.mdiArea()->verticalScrollBar()->isVisible());
    EXPECT_TRUE(frame.mdiArea()->horizontalScrollBar()->isVisible());
}

}  // namespace
}  // namespace pixmere::test
