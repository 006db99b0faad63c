#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "EditTestSupport.h"

namespace pixmere::test {
namespace {

TEST(FontWindowHitTest, CellsRoundingAndWhatLiesOutside) {
    const CellLayout layout{17, 43, 35};
    const auto hit = [&](double x, double y) { return HitTestFontWindow(x, y, layout, 40); };
    EXPECT_EQ(hit(2 * 17 + 1, 42).HitCar, 2);
    EXPECT_EQ(hit(16, 43).HitCar, 35);
    EXPECT_TRUE(hit(4 * 17, 50).valid);  // 39, the last character
    // Past the last character of the last row, past the last column, before 0.
    EXPECT_FALSE(hit(5 * 17, 50).valid);
    EXPECT_FALSE(hit(35 * 17, 0).valid);
    EXPECT_FALSE(hit(5, -1).valid);
    // Rounded to the nearest integer, halves to even.
    EXPECT_EQ(hit(16.5, 0).HitCar, 0);
    EXPECT_EQ(hit(16.6, 0).HitCar, 1);
    EXPECT_EQ(hit(0, 42.5).y, 42);
    EXPECT_TRUE(hit(-0.5, 0).valid);
    EXPECT_FALSE(hit(-0.51, 0).valid);
    // Nothing a window could send divides by zero or overflows.
    EXPECT_FALSE(hit(std::numeric_limits<double>::quiet_NaN(), 1e12).valid);
    EXPECT_FALSE(HitTestFontWindow(3, 3, CellLayout{}, 40).valid);
}

TEST(Selection, APressReplacesTheSelection) {
    FontDocument doc(BlankFont(8, 8, 20));
    Drag(doc, 2, {4});
    EXPECT_EQ(Selection(doc), "..###...............");
    EditResult r = doc.fontsupport_MouseDown(kLeftButton, CellX(9), CellY(9), kLayout);
    EXPECT_EQ(Selection(doc), ".........#..........");
    EXPECT_EQ(r.cells,
              (std::vector<CellRedraw>{{2, kBlanc}, {3, kBlanc}, {4, kBlanc}, {9, kBleu}}));
    // Pressing the selected character again deselects and reselects it.
    doc.fontsupport_MouseUp();
    r = doc.fontsupport_MouseDown(kRightButton, CellX(9), CellY(9), kLayout);
    EXPECT_EQ(r.cells, (std::vector<CellRedraw>{{9, kBlanc}, {9, kBleu}}));
}

TEST(Selection, DragGrowsShrinksAndCrossesTheAnchor) {
    FontDocument doc(BlankFont(8, 8, 16));
    doc.fontsupport_MouseDown(kLeftButton, CellX(5), CellY(5), kLayout);
    const auto moveTo = [&](int i) {
        return doc.FontSupport_MouseMove(kLeftButton, CellX(i), CellY(i), kLayout).cells;
    };
    using Cells = std::vector<CellRedraw>;
    EXPECT_EQ(moveTo(8), (Cells{{6, kBleu}, {7, kBleu}, {8, kBleu}}));
    EXPECT_EQ(moveTo(6), (Cells{{7, kBlanc}, {8, kBlanc}}));
    // Over the anchor to its left: 6 and 5 flip, 4 and 3 join, the anchor is set again.
    EXPECT_EQ(moveTo(3), (Cells{{3, kBleu}, {4, kBleu}, {5, kBlanc}, {6, kBlanc}, {5, kBleu}}));
    EXPECT_EQ(Selection(doc), "...###..........");
    EXPECT_EQ(doc.SelAnchor(), 5);
    EXPECT_EQ(doc.CurrentCar(), 3);
    EXPECT_EQ(moveTo(1), (Cells{{1, kBleu}, {2, kBleu}}));
    EXPECT_EQ(moveTo(4), (Cells{{1, kBlanc}, {2, kBlanc}, {3, kBlanc}}));
    EXPECT_EQ(moveTo(7), (Cells{{4, kBlanc}, {5, kBlanc}, {6, kBleu}, {7, kBleu}, {5, kBleu}}));
    EXPECT_EQ(Selection(doc), ".....###........");
    EXPECT_EQ(moveTo(5), (Cells{{6, kBlanc}, {7, kBlanc}}));
    EXPECT_TRUE(moveTo(5).empty());
    EXPECT_TRUE(doc.FontSupport_MouseMove(0, CellX(12), CellY(12), kLayout).cells.empty());
    EXPECT_EQ(Selection(doc), ".....#..........");
}

TEST(Selection, MovesOffTheCellsLeaveTheDragAsItWas) {
    FontDocument doc(BlankFont(8, 8, 12));  // cells 12..15 of the second row are empty
    doc.fontsupport_MouseDown(kLeftButton, CellX(2), CellY(2), kLayout);
    doc.FontSupport_MouseMove(kLeftButton, CellX(4), CellY(4), kLayout);
    for (auto [x, y] : {std::pair{CellX(14), CellY(14)}, {-3.0f, 5.0f}, {81.0f, 5.0f}}) {
        EXPECT_TRUE(doc.FontSupport_MouseMove(kLeftButton, x, y, kLayout).cells.empty());
    }
    EXPECT_EQ(Selection(doc), "..###.......");
    doc.FontSupport_MouseMove(kLeftButton, CellX(9), CellY(9), kLayout);
    EXPECT_EQ(Selection(doc), "..########..");
}

TEST(Selection, ReleaseShowsTheCharacterStrokesWillChange) {
    FontDocument doc(BlankFont(8, 8, 12));
    EXPECT_FALSE(doc.EditReady());
    EditResult r = Click(doc, 3);
    EXPECT_TRUE(doc.EditReady());
    EXPECT_TRUE(r.editRedraw);
    EXPECT_EQ(r.editGlyph, 3);
    // A click past the last character leaves the selection and the edit window.
    doc.fontsupport_MouseDown(kLeftButton, CellX(13), CellY(13), kLayout);
    r = doc.fontsupport_MouseUp();
    EXPECT_FALSE(r.editRedraw);
    EXPECT_EQ(Selection(doc), "...#........");
    // A drag released off the cells shows the character it ended on.
    doc.fontsupport_MouseDown(kLeftButton, CellX(5), CellY(5), kLayout);
    doc.FontSupport_MouseMove(kLeftButton, CellX(7), CellY(7), kLayout);
    doc.FontSupport_MouseMove(kLeftButton, 200, 5, kLayout);
    r = doc.fontsupport_MouseUp();
    EXPECT_TRUE(r.editRedraw);
    EXPECT_EQ(r.editGlyph, 7);
}

TEST(Selection, ReselectLastClickPicksWhatLiesUnderTheLastPressNow) {
    FontDocument doc(BlankFont(8, 8, 30));
    doc.fontsupport_MouseDown(kLeftButton, CellX(10), CellY(10), kLayout);
    doc.FontSupport_MouseMove(kLeftButton, CellX(12), CellY(12), kLayout);
    // A fresh click, ending the drag: only 12 stays selected.
    EditResult r = doc.ReselectLastClick(kLayout);
    EXPECT_EQ(Selection(doc), "............#.................");
    EXPECT_EQ(r.editGlyph, 12);
    EXPECT_FALSE(doc.DragSelect());
    // Wider cells: (45, 30) is column 2 of row 1 with 4 cells to a row.
    EXPECT_EQ(doc.ReselectLastClick(CellLayout{20, 20, 4}).editGlyph, 6);

    // A position on no character keeps the current one.
    Click(doc, 5);
    doc.fontsupport_MouseDown(kLeftButton, 75, 65, kLayout);  // cell 31: none
    doc.fontsupport_MouseUp();
    GlyphClipboard clipboard;
    doc.copy_Click(clipboard);
    ScreenModel screen(30);
    screen.colours[5] = kBleu;
    screen.Apply(doc.paste_Click(clipboard, kLayout));  // deselects, then reselects
    EXPECT_EQ(Selection(doc), ".....#........................");
    EXPECT_EQ(screen.Selected(), Selection(doc));
    screen.Apply(doc.Abottom_Click());
    r = doc.ReselectLastClick(CellLayout{10, 20, 2});
    screen.Apply(r);
    EXPECT_EQ(screen.Selected(), ".....#........................");
    EXPECT_EQ(r.editGlyph, 5);
}

TEST(Selection, SelectRangeActsAsADrag) {
    FontDocument doc(BlankFont(8, 8, 10));
    EXPECT_EQ(doc.SelectRange(7, 3).editGlyph, 3);
    EXPECT_TRUE(doc.SelectRange(2, 10).refused);
    EXPECT_EQ(Selection(doc), "...#####..");
    EXPECT_EQ(doc.SelAnchor(), 7);
}

// Random pointer sequences: the selection stays one run between the anchor and the current
// character, the cells repainted from the results show it, and once the drag ends the edit
// window shows the current character.
TEST(Selection, RandomDragsKeepTheRunAndTheScreenInStep) {
    const int n = 21;  // three rows of 8, the last one partly empty
    FontDocument doc(BlankFont(8, 8, n));
    ScreenModel screen(n);
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> x(-15.0f, 95.0f);
    std::uniform_real_distribution<float> y(-15.0f, 75.0f);
    for (int step = 0; step < 3000; ++step) {
        switch (rng() % 6) {
            case 0:
                screen.Apply(doc.fontsupport_MouseDown(kLeftButton, x(rng), y(rng), kLayout));
                break;
            case 1:
                screen.Apply(doc.fontsupport_MouseUp());
                break;
            case 2:
                screen.Apply(doc.ReselectLastClick(kLayout));
                break;
            default:
                screen.Apply(doc.FontSupport_MouseMove(kLeftButton, x(rng), y(rng), kLayout));
        }
        const std::string sel = Selection(doc);
        ASSERT_EQ(screen.Selected(), sel) << "step " << step;
        if (sel.find('#') != std::string::npos) {
            const int low = std::min(doc.SelAnchor(), doc.CurrentCar());
            const int high = std::max(doc.SelAnchor(), doc.CurrentCar());
            ASSERT_EQ(sel, std::string(low, '.') + std::string(high - low + 1, '#') +
                               std::string(n - high - 1, '.'))
                << "step " << step;
        }
        if (doc.EditReady() && !doc.DragSelect()) {
            ASSERT_EQ(screen.shown, doc.CurrentCar()) << "step " << step;
        }
    }
}

}  // namespace
}  // namespace pixmere::test
