// The font window's keys, strokes drawn as lines, and the selection kept across a new layout.
#include <limits>

#include "EditTestSupport.h"

namespace pixmere::test {
namespace {

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

// A 12 x 4 glyph edited at zoom 1: pointer positions are glyph pixels.
TEST(Stroke, AFastDragSetsEveryPixelBetweenItsPositionsInOneUndoStep) {
    FontDocument doc(BlankFont(12, 4, 2));
    Click(doc, 1);
    doc.ZoomPic_MouseDown(kLeftButton, 0, 0, kZoom1);
    EditResult r = doc.ZoomPic_MouseMove(kLeftButton, 11, 3, kZoom1);
    EXPECT_EQ(r.editRows, std::vector<int>({0, 1, 2, 3}));
    // Off the glyph and back: the parts of the lines over the glyph are drawn.
    doc.ZoomPic_MouseMove(kLeftButton, 11, -8, kZoom1);
    doc.ZoomPic_MouseMove(kLeftButton, 3, 8, kZoom1);
    doc.ZoomPic_MouseUp(kLeftButton);
    EXPECT_EQ(Picture(doc, 1), Joined({"##.....#...#....", "..#####....#....", "......####.#....",
                                       ".....#....##...."}));
    // The right button erases along its lines; a new press starts a line of its own.
    doc.ZoomPic_MouseDown(kRightButton, 0, 0, kZoom1);
    doc.ZoomPic_MouseMove(kRightButton, 4, 1, kZoom1);
    doc.ZoomPic_MouseUp(kRightButton);
    doc.ZoomPic_MouseDown(kLeftButton, 0, 3, kZoom1);
    doc.ZoomPic_MouseUp(kLeftButton);
    EXPECT_EQ(Picture(doc, 1), Joined({".......#...#....", ".....##....#....", "......####.#....",
                                       "#....#....##...."}));
    doc.undo_Click(kLayout);
    doc.undo_Click(kLayout);
    doc.undo_Click(kLayout);
    EXPECT_EQ(Picture(doc, 1), Joined(std::vector<std::string>(4, std::string(16, '.'))));
    EXPECT_FALSE(doc.UndoEnabled());
}

TEST(Keyboard, ArrowsHomeAndEndMoveTheCurrentCharacterAndStopAtTheEnds) {
    FontDocument doc(BlankFont(8, 8, 20));  // rows of 8: 0-7, 8-15, 16-19
    Click(doc, 9);
    const auto key = [&](CarKey k) { return doc.FontWindowKey(k, false, kLayout).editGlyph; };
    EXPECT_EQ(key(CarKey::Right), 10);
    EXPECT_EQ(key(CarKey::Down), 18);
    EXPECT_EQ(key(CarKey::Down), 19);  // no cell below: the last character
    EXPECT_EQ(key(CarKey::Right), 19);
    EXPECT_EQ(key(CarKey::Up), 11);
    EXPECT_EQ(key(CarKey::Up), 3);
    EXPECT_EQ(key(CarKey::Up), 0);
    EXPECT_EQ(key(CarKey::Left), 0);
    EXPECT_EQ(key(CarKey::End), 19);
    EXPECT_EQ(key(CarKey::Home), 0);
    EXPECT_EQ(Selection(doc), "#...................");
    // Strokes go to the character the keys reached.
    key(CarKey::Right);
    Stroke(doc, 2, 2);
    EXPECT_EQ(GlyphPicture(doc.font().glyphs[1])[2], "..#.....");
}

TEST(Keyboard, ShiftExtendsTheSelectionFromItsAnchorAsADragDoes) {
    FontDocument doc(BlankFont(8, 8, 20));
    ScreenModel screen(doc);
    Drag(doc, 5, 7);
    screen.Apply(doc.FontWindowKey(CarKey::Right, true, kLayout));
    EXPECT_EQ(Selection(doc), ".....####...........");
    // Back over the anchor: the selection flips to its left, the anchor kept.
    screen.Apply(doc.FontWindowKey(CarKey::Up, true, kLayout));
    EXPECT_EQ(Selection(doc), "######..............");
    EXPECT_EQ(doc.SelAnchor(), 5);
    EXPECT_EQ(doc.CurrentCar(), 0);
    screen.Apply(doc.FontWindowKey(CarKey::End, true, kLayout));
    EXPECT_EQ(Selection(doc), ".....###############");
    EXPECT_EQ(screen.selected, Selection(doc));
    EXPECT_EQ(screen.shown, 19);
    EXPECT_TRUE(screen.UpToDate());
    // Without Shift a key starts again from one character; the last click is now there.
    doc.FontWindowKey(CarKey::Left, false, kLayout);
    EXPECT_EQ(doc.ReselectLastClick(kLayout).editGlyph, 18);
    EXPECT_EQ(Selection(doc), "..................#.");
}

TEST(Keyboard, ShiftBeforeAnythingWasPickedSelectsOneCharacter) {
    FontDocument doc(BlankFont(8, 8, 4));
    doc.FontWindowKey(CarKey::Right, true, kLayout);
    EXPECT_EQ(Selection(doc), ".#..");
}

// Add a column on the right with 43h selected: the cells widen and the last click position now
// lies on another character, but 43h stays the one selected, shown and edited.
TEST(Selection, ALayoutChangeKeepsTheCurrentCharacter) {
    FontDocument doc(MatrixToObject(Shape(8, 8, 0x40, 16), Shape(8, 8, 0x40, 16).blankMatrix()));
    Click(doc, 3);
    ScreenModel screen(doc);
    screen.Apply(doc.Aright_Click());
    const CellLayout wider{12, 20, 6};
    screen.Apply(doc.ReselectCurrentCar(wider));
    EXPECT_EQ(Selection(doc), "...#............");
    EXPECT_EQ(screen.shown, 3);
    EXPECT_TRUE(screen.UpToDate());
    // Commands that replay the last click find it in the new layout.
    Stroke(doc, 8, 0);
    EXPECT_EQ(doc.undo_Click(wider).editGlyph, 3);
    EXPECT_EQ(Selection(doc), "...#............");
}

}  // namespace
}  // namespace pixmere::test
