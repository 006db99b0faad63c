// The pointer in the font and edit windows, the font window's keys, a stroke's line and the
// undo ring of strokes.
#include <limits>
#include <tuple>

#include "EditTestSupport.h"

namespace pixmere::test {
namespace {

TEST(PointerHit, RoundingAndBounds) {
    // Font window: 40 characters in cells of 17 x 43, 35 to a row; -1 for no character.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<std::tuple<double, double, int>> font = {
        {16.5, 0, 0}, {16.6, 0, 1}, {-0.5, 0, 0}, {-0.51, 0, -1}, {0, 43.5, 35},
        {68, 50, 39}, {85, 50, -1}, {595, 0, -1}, {nan, 1, -1},   {1e12, 1, -1}};
    for (const auto& [x, y, car] : font) {
        const FontWindowHit hit = HitTestFontWindow(x, y, CellLayout{17, 43, 35}, 40);
        EXPECT_EQ(hit.valid ? hit.HitCar : -1, car) << x << "," << y;
    }
    EXPECT_FALSE(HitTestFontWindow(3, 3, CellLayout{}, 40).valid);
    // Edit window at zoom 4, magnification 2: the glyph pixel, off the glyph too; none for
    // positions no pointer has. Shown, the magnification makes each row two zoomed rows high.
    const FontParams p = Shape(12, 10, 0x20, 1, 0, 2);
    const std::vector<std::tuple<double, double, bool, std::optional<GlyphPoint>>> edit = {
        {3.5, 0, false, GlyphPoint{1, 0}},     {2.5, 0, false, GlyphPoint{0, 0}},
        {-1, -4.5, false, GlyphPoint{-1, -1}}, {47.5, 40, false, GlyphPoint{12, 10}},
        {0, 79, true, GlyphPoint{0, 9}},       {0, 80, true, GlyphPoint{0, 10}},
        {nan, 0, false, std::nullopt},         {0, 3e9, false, std::nullopt}};
    for (const auto& [x, y, shown, point] : edit) {
        EXPECT_EQ(EditWindowPoint(x, y, EditView{4, shown}, p), point) << x << "," << y;
    }
    EXPECT_EQ(EditWindowPoint(1, 1, EditView{0, false}, p), std::nullopt);
}

// A press on no character keeps the current one, also when replayed after a new layout.
TEST(Selection, ReselectLastClickPicksWhatLiesUnderTheLastPressNow) {
    FontDocument doc(BlankFont(8, 8, 30));
    Drag(doc, 10, 12);
    EXPECT_EQ(doc.ReselectLastClick(CellLayout{20, 20, 4}).editGlyph, 6);  // (45, 30) is now 6
    doc.fontsupport_MouseDown(kLeftButton, 75, 65, kLayout);               // cell 31: none
    doc.fontsupport_MouseUp();
    EXPECT_EQ(doc.ReselectLastClick(CellLayout{10, 20, 2}).editGlyph, 6);
    EXPECT_EQ(Selection(doc), "......#.......................");
    EXPECT_EQ(doc.SelectRange(9, 3).editGlyph, 3);  // as a drag from 9 to 3
    EXPECT_TRUE(doc.SelectRange(2, 30).refused);
    EXPECT_EQ(Selection(doc), "...#######....................");
}

TEST(Stroke, ButtonsTrailsAndMagnification) {
    FontDocument doc(FontFromPictures(Shape(12, 2, 0x20, 1, 0, 2),
                                      {{"............", "....##......"}, {"#", "."}}));
    const EditView magnified{4, true};  // pixels 4 wide, rows 8 high
    // Before any release in the font window a press only marks the document modified.
    EXPECT_TRUE(doc.ZoomPic_MouseDown(kLeftButton, 1, 1, magnified).modified);
    doc.ZoomPic_MouseUp(kLeftButton);
    Click(doc, 1);
    // One step: pixel 9 of row 1, then pixel 10 of row 0 and the line on to the right edge as
    // the pointer leaves; hovering changes nothing.
    doc.ZoomPic_MouseDown(kLeftButton, 36, 8, magnified);
    doc.ZoomPic_MouseMove(kLeftButton, 40, 7, magnified);
    doc.ZoomPic_MouseMove(kLeftButton, 200, 5, magnified);
    doc.ZoomPic_MouseUp(kLeftButton);
    doc.setFlagModified(false);
    EXPECT_FALSE(doc.ZoomPic_MouseMove(0, 44, 0, magnified).modified);
    Stroke(doc, 0, 0, kRightButton);
    // Middle button, or two held: an undo step, but no change.
    doc.ZoomPic_MouseDown(kMiddleButton, 0, 0, magnified);
    doc.ZoomPic_MouseMove(kLeftButton | kRightButton, 4, 0, magnified);
    doc.ZoomPic_MouseUp(kMiddleButton);
    EXPECT_EQ(Picture(doc, 1), Joined({"..........##....", ".........#......"}));
    EXPECT_EQ(Picture(doc, 0), Joined({"................", "....##.........."}));
    for (int u = 0; u < 3; ++u) doc.undo_Click(kLayout);
    EXPECT_EQ(Picture(doc, 1), Joined({"#...............", "................"}));
    EXPECT_FALSE(doc.UndoEnabled());
}

// The pixels of a line as a picture of a width x height glyph.
std::string LinePicture(GlyphPoint from, GlyphPoint to, int width, int height) {
    std::vector<std::string> rows(static_cast<std::size_t>(height), std::string(width, '.'));
    for (const GlyphPoint& p : LinePixels(from, to, width, height)) {
        rows.at(static_cast<std::size_t>(p.row)).at(static_cast<std::size_t>(p.column)) = '#';
    }
    return Joined(rows);
}

TEST(LinePixels, OnePixelAColumnOrARowBothEndsIncludedOffTheGlyphClipped) {
    EXPECT_EQ(LinePicture({0, 0}, {7, 2}, 8, 3), Joined({"##......", "..####..", "......##"}));
    EXPECT_EQ(LinePicture({1, 0}, {0, 3}, 3, 4), Joined({".#.", ".#.", "#..", "#.."}));
    EXPECT_EQ(LinePicture({2, 1}, {2, 1}, 3, 3), Joined({"...", "..#", "..."}));
    // A line that only passes the glyph, and one from very far: only what lies on the glyph,
    // in order from the start, and no more steps than the glyph has pixels across.
    EXPECT_EQ(LinePicture({-3, -1}, {5, 3}, 4, 2), Joined({"....", "##.."}));
    const std::vector<GlyphPoint> far = LinePixels({-2000000000, 1}, {3, 1}, 4, 3);
    EXPECT_EQ(far, (std::vector<GlyphPoint>{{0, 1}, {1, 1}, {2, 1}, {3, 1}}));
    EXPECT_TRUE(LinePixels({-5, -5}, {-1, 9}, 4, 4).empty());
}

TEST(Keyboard, KeysMoveTheCurrentCharacterStopAtTheEndsAndShiftExtendsFromTheAnchor) {
    FontDocument doc(BlankFont(8, 8, 20));  // rows of 8: 0-7, 8-15, 16-19
    Click(doc, 9);
    // Down from 10 finds no cell below 18 and stops on the last character.
    const std::pair<CarKey, int> keys[] = {
        {CarKey::Right, 10}, {CarKey::Down, 18}, {CarKey::Down, 19}, {CarKey::Right, 19},
        {CarKey::Up, 11},    {CarKey::Up, 3},    {CarKey::Up, 0},    {CarKey::Left, 0},
        {CarKey::End, 19},   {CarKey::Home, 0}};
    for (const auto& [k, target] : keys) {
        EXPECT_EQ(doc.FontWindowKey(k, false, kLayout).editGlyph, target) << int(k);
    }
    EXPECT_EQ(Selection(doc), "#...................");

    Drag(doc, 5, 7);
    doc.FontWindowKey(CarKey::Right, true, kLayout);
    EXPECT_EQ(Selection(doc), ".....####...........");
    // Back over the anchor: the selection flips to its left, the anchor kept.
    doc.FontWindowKey(CarKey::Up, true, kLayout);
    EXPECT_EQ(Selection(doc), "######..............");
    EXPECT_EQ(doc.SelAnchor(), 5);
    EXPECT_EQ(doc.FontWindowKey(CarKey::End, true, kLayout).editGlyph, 19);
    EXPECT_EQ(Selection(doc), ".....###############");
    // A key counts as the last click: commands that replay it find the character it reached.
    doc.FontWindowKey(CarKey::Left, false, kLayout);
    EXPECT_EQ(doc.ReselectLastClick(kLayout).editGlyph, 18);
    EXPECT_EQ(Selection(doc), "..................#.");
}

// A document of one blank character 8 x 4, clicked, after the first `steps` strokes of a
// series that sets pixels, clears some, then sets again.
FontDocument AfterStrokes(int steps) {
    FontDocument doc(BlankFont(8, 4, 1));
    Click(doc, 0);
    for (int s = 0; s < steps; ++s) {
        Stroke(doc, s % 8, s / 8 % 4, s >= 8 && s < 16 ? kRightButton : kLeftButton);
    }
    return doc;
}

// How many undo (or redo) steps there are, all taken.
int StepsTaken(FontDocument& doc, bool redo = false) {
    int n = 0;
    for (; (redo ? doc.RedoEnabled() : doc.UndoEnabled()) && n <= 10; ++n) {
        redo ? doc.redo_Click(kLayout) : doc.undo_Click(kLayout);
    }
    return n;
}

// Five slots hold the last five steps; an undo never reaches a step whose slot was reused.
TEST(Undo, TheRingReachesTheLastFiveStepsAndNoFurther) {
    for (int steps : {0, 4, 5, 6, 9, 10, 23}) {
        SCOPED_TRACE(std::to_string(steps) + " steps");
        FontDocument doc = AfterStrokes(steps);
        const std::string drawn = Picture(doc, 0);
        const int reach = std::min(steps, 5);
        EXPECT_EQ(StepsTaken(doc), reach);
        EXPECT_EQ(Picture(doc, 0), Picture(AfterStrokes(steps - reach), 0));
        EXPECT_EQ(StepsTaken(doc, true), reach);
        EXPECT_EQ(Picture(doc, 0), drawn);
    }
    // Ten steps, three undone, a new one recorded in slot 2: slots 3 and 4 hold dropped steps,
    // so the new step and steps 6 and 5 are all that can be undone, and nothing redone.
    FontDocument doc = AfterStrokes(10);
    for (int u = 0; u < 3; ++u) doc.undo_Click(kLayout);
    EXPECT_FALSE(Stroke(doc, 0, 3).redoEnabled);
    EXPECT_EQ(StepsTaken(doc), 3);
    EXPECT_EQ(Picture(doc, 0), Picture(AfterStrokes(5), 0));
}

}  // namespace
}  // namespace pixmere::test
