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
    std::vector<std::vector<std::string>> glyphs(12, {"........", "...#....", "........"});
    FontDocument doc(FontFromPictures(Params(8, 3), glyphs));
    Drag(doc, 9, {4});
    doc.setFlagModified(false);
    const EditResult r = doc.Up_Click();
    EXPECT_EQ(doc.SelAnchor(), 4);
    EXPECT_EQ(doc.CurrentCar(), 9);
    EXPECT_EQ(r.editGlyph, 9);
    EXPECT_TRUE(r.editRedraw);
    EXPECT_TRUE(r.modified);
    EXPECT_TRUE(r.undoEnabled);
    std::vector<CellRedraw> cells;
    for (int i = 4; i <= 9; ++i) cells.push_back({i, kBleu});
    EXPECT_EQ(r.cells, cells);
    EXPECT_EQ(Picture(doc, 3), Picture({"........", "...#....", "........"}));
    for (int i = 4; i <= 9; ++i) {
        EXPECT_EQ(Picture(doc, i), Picture({"...#....", "........", "........"})) << i;
    }
    EXPECT_EQ(Selection(doc), "....######..");

    doc.Right_Click();
    EXPECT_EQ(Picture(doc, 6), Picture({"....#...", "........", "........"}));
    doc.undo_Click(kLayout);
    doc.undo_Click(kLayout);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(Picture(doc, i), Picture({"........", "...#....", "........"})) << i;
    }
}

TEST(MoveCommands, WithNoSelectionYetMoveTheFirstCharacter) {
    FontDocument doc(
        FontFromPictures(Params(8, 2), {{"#.......", "........"}, {"#.......", "........"}}));
    const EditResult r = doc.Down_Click();
    EXPECT_EQ(r.editGlyph, 0);
    EXPECT_EQ(Picture(doc, 0), Picture({"........", "#......."}));
    EXPECT_EQ(Picture(doc, 1), Picture({"#.......", "........"}));
}

}  // namespace
}  // namespace pixmere::test
