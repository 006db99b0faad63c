// Views that grow with their window, windows that open cascaded in a frame that scrolls, and
// what a new layout keeps: the character being edited.
#include <QGroupBox>
#include <QSplitter>
#include <functional>

#include "UiTestSupport.h"

namespace pixmere::test {
namespace {

QWidget* View(form1& document, const char* name) { return document.findChild<QWidget*>(name); }

TEST(Layout, TheViewsFillTheWindowAsItGrowsAndTheControlsKeepTheirSize) {
    Editor editor;
    MDIForm1& frame = *editor.frame;
    frame.resize(1400, 1000);
    form1* doc = NewFont(frame, "8", "16", "20", "FF");
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
    form1* doc = NewFont(*editor.frame, "8", "16");
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

TEST(Layout, NewWindowsOpenCascadedAndTheFrameScrollsToWindowsLargerThanIt) {
    Editor editor;
    MDIForm1& frame = *editor.frame;
    form1* first = NewFont(frame, "8", "8");
    form1* second = NewFont(frame, "8", "8");
    const QPoint step = WindowOf(frame, *second)->pos() - WindowOf(frame, *first)->pos();
    EXPECT_TRUE(step.x() > 0 && step.y() > 0) << step.x() << ", " << step.y();
    // A frame smaller than its document window scrolls to the rest of it.
    frame.resize(500, 400);
    Settle();
    EXPECT_TRUE(frame.mdiArea()->verticalScrollBar()->isVisible());
    EXPECT_TRUE(frame.mdiArea()->horizontalScrollBar()->isVisible());
}

// Add a column on the right with 43h selected: 43h stays selected, shown and edited, also
// after the font properties and the font zoom change the layout.
TEST(Layout, AChangeOfLayoutKeepsTheSelectedCharacter) {
    Editor editor;
    MDIForm1& frame = *editor.frame;
    form1* doc = NewFont(frame, "8", "8", "40", "7F");
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

TEST(Layout, TheEditWindowShowsNoScrollBarWhenTheGlyphFits) {
    Editor editor;
    for (const char* height : {"8", "13", "16", "40"}) {
        form1* doc = NewFont(*editor.frame, "8", height);
        EXPECT_FALSE(doc->findChild<QScrollBar*>("VScroll2")->isVisible()) << height;
        EXPECT_FALSE(doc->findChild<QScrollBar*>("HScroll2")->isVisible()) << height;
        EXPECT_LE(doc->zoomPic()->PictureSize().height(), doc->zoomPic()->height()) << height;
    }
    // A glyph too wide for the window gets the horizontal bar, and its rows still fit above it.
    form1* wide = NewFont(*editor.frame, "200", "4");
    EXPECT_TRUE(wide->findChild<QScrollBar*>("HScroll2")->isVisible());
    EXPECT_FALSE(wide->findChild<QScrollBar*>("VScroll2")->isVisible());
}

TEST(Layout, WithNoDocumentTheFramesModifyFontItemsAreDisabled) {
    Editor editor;
    MDIForm1& frame = *editor.frame;
    QMenu* modify = frame.FrameMenus().at(2);
    ASSERT_EQ(modify->actions().size(), 3);
    Discard(frame, *NewFont(frame, "8", "8"));  // as before any document, also after the last
    for (QAction* item : modify->actions()) {
        EXPECT_FALSE(item->isEnabled()) << VisibleText(item->text()).toStdString();
    }
}

}  // namespace
}  // namespace pixmere::test
