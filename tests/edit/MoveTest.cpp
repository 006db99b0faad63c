#include <gtest/gtest.h>

#include "EditTestSupport.h"

namespace pixmere::test {
namespace {

using D = MoveDirection;

// One glyph moved once; pictures show every bit, padding included.
std::string Moved(int width, const std::vector<std::string>& rows, D direction, int times = 1) {
    Font font = FontFromPictures(Params(width, static_cast<int>(rows.size())), {rows});
    for (int n = 0; n < times; ++n) MoveGlyph(font.glyphs[0], direction);
    return Joined(GlyphPicture(font.glyphs[0]));
}

TEST(MoveGlyph, SidewaysAtWidthsFiveEightAndTwelve) {
    // Width 5: the last column goes into the padding and comes back.
    EXPECT_EQ(Moved(5, {"....#..."}, D::Right), Joined({".....#.."}));
    EXPECT_EQ(Moved(5, {".....#.."}, D::Leeeft), Joined({"....#..."}));
    EXPECT_EQ(Moved(5, {"#...#..."}, D::Leeeft), Joined({"...#...."}));
    EXPECT_EQ(Moved(5, {"#....###"}, D::Right), Joined({".#....##"}));
    EXPECT_EQ(Moved(5, {"#....###"}, D::Right, 3), Joined({"...#...."}));
    // Width 8: what leaves the byte is lost both ways.
    EXPECT_EQ(Moved(8, {".......#"}, D::Right), Joined({"........"}));
    EXPECT_EQ(Moved(8, {"#......#"}, D::Leeeft), Joined({"......#."}));
    // Width 12: bits cross the byte boundary (0x01 0x80 left -> 0x03 0x00; 0x80 0x10 right ->
    // 0x40 0x08).
    EXPECT_EQ(Moved(12, {".......##......."}, D::Leeeft), Joined({"......##........"}));
    EXPECT_EQ(Moved(12, {"#..........#...."}, D::Right), Joined({".#..........#..."}));
    EXPECT_EQ(Moved(12, {"#..........#..##"}, D::Right), Joined({".#..........#..#"}));
    EXPECT_EQ(Moved(12, {"#..........#..##"}, D::Right, 2), Joined({"..#..........#.."}));
}

TEST(MoveGlyph, UpAndDownDropTheEdgeRow) {
    const std::vector<std::string> g = {"#....", ".#...", "..#.."};
    EXPECT_EQ(Moved(5, g, D::Up), Joined({".#......", "..#.....", "........"}));
    EXPECT_EQ(Moved(5, g, D::Down), Joined({"........", "#.......", ".#......"}));
    EXPECT_EQ(Moved(12, {"#..........#", "...........#"}, D::Down),
              Joined({"................", "#..........#...."}));
    // Height 1: the glyph is cleared.
    EXPECT_EQ(Moved(8, {"##.##..#"}, D::Up), Joined({"........"}));
    EXPECT_EQ(Moved(12, {"##.##..#####"}, D::Down), Joined({"................"}));
}

TEST(MoveCommands, MoveTheOrderedSelectionInOneUndoStep) {
    const std::vector<std::string> dot = {"........", "...#....", "........"};
    FontDocument doc(FontFromPictures(Params(8, 3), std::vector(12, dot)));
    Drag(doc, 9, {4});
    doc.setFlagModified(false);
    const EditResult r = doc.Up_Click();
    EXPECT_EQ(doc.SelAnchor(), 4);  // the ends are ordered and stay so
    EXPECT_EQ(doc.CurrentCar(), 9);
    EXPECT_EQ(r.editGlyph, 9);
    EXPECT_TRUE(r.editRedraw && r.modified && r.undoEnabled);
    EXPECT_EQ(r.cells.size(), 6u);
    EXPECT_EQ(r.cells.front(), (CellRedraw{4, kBleu}));
    EXPECT_EQ(Picture(doc, 3), Picture(dot));
    EXPECT_EQ(Picture(doc, 4), Picture({"...#....", "........", "........"}));
    EXPECT_EQ(Picture(doc, 9), Picture({"...#....", "........", "........"}));
    EXPECT_EQ(Selection(doc), "....######..");
    doc.undo_Click(kLayout);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(Picture(doc, i), Picture(dot)) << i;

    // Before any selection the first character is the one moved.
    FontDocument fresh(FontFromPictures(Params(8, 3), std::vector(2, dot)));
    EXPECT_EQ(fresh.Down_Click().editGlyph, 0);
    EXPECT_EQ(Picture(fresh, 0), Picture({"........", "........", "...#...."}));
    EXPECT_EQ(Picture(fresh, 1), Picture(dot));
}

}  // namespace
}  // namespace pixmere::test
