#include <gtest/gtest.h>

#include <random>

#include "EditTestSupport.h"

namespace pixmere::test {
namespace {

TEST(FontWindowHitTest, CellsRowsAndWhatLiesOutside) {
    const CellLayout layout{17, 43, 35};
    const auto hit = [&](double x, double y) { return HitTestFontWindow(x, y, layout, 40); };
    EXPECT_EQ(hit(0, 0).HitCar, 0);
    EXPECT_EQ(hit(2 * 17 + 1, 42).HitCar, 2);
    EXPECT_EQ(hit(16, 43).HitCar, 35);
    EXPECT_TRUE(hit(4 * 17, 50).valid);  // character 39, the last
    // Beyond the last character in the last row, past the last column, left of or above 0.
    EXPECT_FALSE(hit(5 * 17, 50).valid);
    EXPECT_EQ(hit(5 * 17, 50).HitCar, 40);
    EXPECT_FALSE(hit(35 * 17, 0).valid);
    EXPECT_FALSE(hit(-1, 5).valid);
    EXPECT_FALSE(hit(5, -1).valid);
    EXPECT_FALSE(hit(0, 3 * 43).valid);
    // Positions are rounded to the nearest integer, halves to even.
    EXPECT_EQ(hit(16.5, 0).HitCar, 0);
    EXPECT_EQ(hit(16.6, 0).HitCar, 1);
    EXPECT_EQ(hit(17.5, 0).x, 18);
    EXPECT_EQ(hit(0, 42.5).y, 42);
    EXPECT_TRUE(hit(-0.5, 0).valid);
    EXPECT_FALSE(hit(-0.51, 0).valid);
    // Nothing a window could send crashes the hit test.
    EXPECT_FALSE(hit(std::numeric_limits<double>::quiet_NaN(), 0).valid);
    EXPECT_FALSE(hit(1e12, 1e12).valid);
    EXPECT_FALSE(HitTestFontWindow(3, 3, CellLayout{}, 40).valid);
}

TEST(Selection, PressSelectsOneCharacterAndReplacesThePreviousSelection) {
    FontDocument doc(BlankFont(8, 8, 20));
    EXPECT_EQ(Selection(doc), "....................");
    Drag(doc, 2, {4});
    EXPECT_EQ(Selection(doc), "..###...............");
    const EditResult r = doc.fontsupport_MouseDown(kLeftButton, CellX(9), CellY(9), kLayout);
    EXPECT_EQ(Selection(doc), ".........#..........");
    EXPECT_EQ(r.cells,
              (std::vector<CellRedraw>{{2, kBlanc}, {3, kBlanc}, {4, kBlanc}, {9, kBleu}}));
    EXPECT_EQ(doc.SelAnchor(), 9);
    EXPECT_EQ(doc.CurrentCar(), 9);
    EXPECT_TRUE(doc.DragSelect());

    // Pressing the selected character again deselects and reselects it.
    doc.fontsupport_MouseUp();
    const EditResult again = doc.fontsupport_MouseDown(kRightButton, CellX(9), CellY(9), kLayout);
    EXPECT_EQ(again.cells, (std::vector<CellRedraw>{{9, kBlanc}, {9, kBleu}}));
    EXPECT_EQ(Selection(doc), ".........#..........");
}

TEST(Selection, DragGrowsShrinksAndCrossesTheAnchor) {
    FontDocument doc(BlankFont(8, 8, 16));
    doc.fontsupport_MouseDown(kLeftButton, CellX(5), CellY(5), kLayout);
    const auto moveTo = [&](int i) {
        return doc.FontSupport_MouseMove(kLeftButton, CellX(i), CellY(i), kLayout);
    };
    EXPECT_EQ(moveTo(8).cells, (std::vector<CellRedraw>{{6, kBleu}, {7, kBleu}, {8, kBleu}}));
    EXPECT_EQ(Selection(doc), ".....####.......");
    EXPECT_EQ(moveTo(6).cells, (std::vector<CellRedraw>{{7, kBlanc}, {8, kBlanc}}));
    EXPECT_EQ(Selection(doc), ".....##.........");
    // Over the anchor to its left: 6 and 5 flip, 4 and 3 join, the anchor is set again.
    EXPECT_EQ(moveTo(3).cells, (std::vector<CellRedraw>{
                                   {3, kBleu}, {4, kBleu}, {5, kBlanc}, {6, kBlanc}, {5, kBleu}}));
    EXPECT_EQ(Selection(doc), "...###..........");
    EXPECT_EQ(doc.SelAnchor(), 5);
    EXPECT_EQ(doc.CurrentCar(), 3);
    // Left of the anchor: grow, shrink, then cross back to the right.
    EXPECT_EQ(moveTo(1).cells, (std::vector<CellRedraw>{{1, kBleu}, {2, kBleu}}));
    EXPECT_EQ(moveTo(4).cells, (std::vector<CellRedraw>{{1, kBlanc}, {2, kBlanc}, {3, kBlanc}}));
    EXPECT_EQ(Selection(doc), "....##..........");
    EXPECT_EQ(moveTo(7).cells, (std::vector<CellRedraw>{
                                   {4, kBlanc}, {5, kBlanc}, {6, kBleu}, {7, kBleu}, {5, kBleu}}));
    EXPECT_EQ(Selection(doc), ".....###........");
    // Back onto the anchor leaves it alone selected; a move on the same cell redraws nothing.
    EXPECT_EQ(moveTo(5).cells, (std::vector<CellRedraw>{{6, kBlanc}, {7, kBlanc}}));
    EXPECT_TRUE(moveTo(5).cells.empty());
    EXPECT_EQ(Selection(doc), ".....#..........");
    // Moves without a button do nothing.
    EXPECT_TRUE(doc.FontSupport_MouseMove(0, CellX(12), CellY(12), kLayout).cells.empty());
    EXPECT_EQ(doc.CurrentCar(), 5);
    doc.fontsupport_MouseUp();
    EXPECT_FALSE(doc.DragSelect());
}

TEST(Selection, MovesOffTheCellsLeaveTheDragAsItWas) {
    FontDocument doc(BlankFont(8, 8, 12));  // cells 8..11 in the second row, 12..15 empty
    doc.fontsupport_MouseDown(kLeftButton, CellX(2), CellY(2), kLayout);
    doc.FontSupport_MouseMove(kLeftButton, CellX(4), CellY(4), kLayout);
    EXPECT_TRUE(
        doc.FontSupport_MouseMove(kLeftButton, CellX(14), CellY(14), kLayout).cells.empty());
    EXPECT_TRUE(doc.FontSupport_MouseMove(kLeftButton, -3, 5, kLayout).cells.empty());
    EXPECT_TRUE(doc.FontSupport_MouseMove(kLeftButton, 8 * 10 + 1, 5, kLayout).cells.empty());
    EXPECT_EQ(Selection(doc), "..###.......");
    EXPECT_EQ(doc.HitCar(), 8);  // remembered though invalid
    // The drag goes on when the pointer comes back.
    doc.FontSupport_MouseMove(kLeftButton, CellX(9), CellY(9), kLayout);
    EXPECT_EQ(Selection(doc), "..########..");
    EXPECT_EQ(doc.CurrentCar(), 9);
}

TEST(Selection, ReleaseShowsTheCurrentCharacterAndReadiesStrokes) {
    FontDocument doc(BlankFont(8, 8, 12));
    EXPECT_FALSE(doc.EditReady());
    EditResult r = Click(doc, 3);
    EXPECT_TRUE(doc.EditReady());
    EXPECT_TRUE(r.editRedraw);
    EXPECT_EQ(r.editGlyph, 3);

    // A press past the last character changes nothing, and its release leaves the edit window.
    EXPECT_TRUE(
        doc.fontsupport_MouseDown(kLeftButton, CellX(13), CellY(13), kLayout).cells.empty());
    r = doc.fontsupport_MouseUp();
    EXPECT_FALSE(r.editRedraw);
    EXPECT_EQ(r.editGlyph, 3);
    EXPECT_EQ(Selection(doc), "...#........");

    // A drag released off the cells still shows the character it ended on, the one strokes
    // change.
    doc.fontsupport_MouseDown(kLeftButton, CellX(5), CellY(5), kLayout);
    doc.FontSupport_MouseMove(kLeftButton, CellX(7), CellY(7), kLayout);
    doc.FontSupport_MouseMove(kLeftButton, 200, 5, kLayout);
    r = doc.fontsupport_MouseUp();
    EXPECT_TRUE(r.editRedraw);
    EXPECT_EQ(r.editGlyph, 7);
    EXPECT_EQ(doc.CurrentCar(), 7);
}

TEST(Selection, ReselectLastClickPicksWhatLiesUnderTheLastPressNow) {
    FontDocument doc(BlankFont(8, 8, 30));
    Drag(doc, 10, {12});
    // Same layout: only the character under the last position (12) stays selected.
    EditResult r = doc.ReselectLastClick(kLayout);
    EXPECT_EQ(Selection(doc), "............#.................");
    EXPECT_TRUE(r.editRedraw);
    EXPECT_EQ(r.editGlyph, 12);
    // Wider cells: the same position now lies on another character.
    r = doc.ReselectLastClick(CellLayout{20, 20, 4});
    EXPECT_EQ(doc.CurrentCar(), 6);  // (45, 30): column 2 of row 1, 4 cells to a row
    EXPECT_EQ(r.editGlyph, 6);
    EXPECT_FALSE(doc.DragSelect());
    EXPECT_TRUE(doc.EditReady());

    // A position on no character keeps the current one rather than leaving it unshown.
    doc.fontsupport_MouseDown(kLeftButton, CellX(5), CellY(5), kLayout);
    doc.fontsupport_MouseUp();
    doc.fontsupport_MouseDown(kLeftButton, 7 * 10 + 5, 3 * 20 + 5, kLayout);  // cell 31: none
    doc.fontsupport_MouseUp();
    doc.ClearEditReady();
    r = doc.ReselectLastClick(kLayout);
    EXPECT_EQ(Selection(doc), ".....#........................");
    EXPECT_EQ(r.editGlyph, 5);
    EXPECT_TRUE(doc.EditReady());

    // Paste deselects before it reselects: the current character comes back selected.
    GlyphClipboard clipboard;
    doc.copy_Click(clipboard);
    ScreenModel screen(30);
    screen.colours[5] = kBleu;
    screen.Apply(doc.paste_Click(clipboard, kLayout));
    EXPECT_EQ(Selection(doc), ".....#........................");
    EXPECT_EQ(screen.Selected(), Selection(doc));

    // After a new layout on which the position lies past the last cell, likewise.
    screen.Apply(doc.Abottom_Click());
    r = doc.ReselectLastClick(CellLayout{10, 20, 2});
    screen.Apply(r);
    EXPECT_EQ(Selection(doc), ".....#........................");
    EXPECT_EQ(screen.Selected(), Selection(doc));
    EXPECT_TRUE(r.editRedraw);
    EXPECT_EQ(r.editGlyph, 5);
}

TEST(Selection, ReselectEndsADragInProgress) {
    FontDocument doc(BlankFont(8, 8, 20));
    doc.fontsupport_MouseDown(kLeftButton, CellX(2), CellY(2), kLayout);
    doc.FontSupport_MouseMove(kLeftButton, CellX(6), CellY(6), kLayout);
    doc.ReselectLastClick(kLayout);
    EXPECT_EQ(Selection(doc), "......#.............");
    EXPECT_EQ(doc.SelAnchor(), 6);
    EXPECT_FALSE(doc.DragSelect());
}

TEST(Selection, SelectRangeActsAsADrag) {
    FontDocument doc(BlankFont(8, 8, 10));
    EditResult r = doc.SelectRange(7, 3);
    EXPECT_EQ(Selection(doc), "...#####..");
    EXPECT_EQ(doc.SelAnchor(), 7);
    EXPECT_EQ(doc.CurrentCar(), 3);
    EXPECT_EQ(r.editGlyph, 3);
    EXPECT_TRUE(doc.EditReady());
    EXPECT_TRUE(doc.SelectRange(2, 10).refused);
    EXPECT_TRUE(doc.SelectRange(-1, 2).refused);
    EXPECT_EQ(Selection(doc), "...#####..");
}

// Random pointer sequences: the selection stays one run between the anchor and the current
// character, and the cells a window repaints from the results show exactly that run.
TEST(Selection, RandomDragsKeepTheRunAndTheScreenInStep) {
    const int n = 21;  // three rows of 8, the last one partly empty
    FontDocument doc(BlankFont(8, 8, n));
    ScreenModel screen(n);
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> x(-15.0f, 95.0f);
    std::uniform_real_distribution<float> y(-15.0f, 75.0f);
    for (int step = 0; step < 3000; ++step) {
        const int what = static_cast<int>(rng() % 6);
        EditResult r;
        if (what == 0) {
            r = doc.fontsupport_MouseDown(kLeftButton, x(rng), y(rng), kLayout);
        } else if (what == 1) {
            r = doc.fontsupport_MouseUp();
        } else if (what == 2) {
            r = doc.ReselectLastClick(kLayout);
        } else {
            r = doc.FontSupport_MouseMove(kLeftButton, x(rng), y(rng), kLayout);
        }
        screen.Apply(r);
        ASSERT_EQ(screen.Selected(), Selection(doc)) << "step " << step;
        const std::string sel = Selection(doc);
        if (sel.find('#') != std::string::npos) {
            const int low = std::min(doc.SelAnchor(), doc.CurrentCar());
            const int high = std::max(doc.SelAnchor(), doc.CurrentCar());
            std::string run(n, '.');
            run.replace(low, high - low + 1, high - low + 1, '#');
            ASSERT_EQ(sel, run) << "step " << step;
        }
        if (doc.EditReady() && !doc.DragSelect()) {
            ASSERT_EQ(screen.shown, doc.CurrentCar()) << "step " << step;
        }
    }
}

}  // namespace
}  // namespace pixmere::test
