#include <gtest/gtest.h>

#include "EditTestSupport.h"

namespace pixmere::test {
namespace {

constexpr EditView kZoom4{4, false};

TEST(EditWindowHitTest, ZoomMagnificationRoundingAndBounds) {
    const FontParams p = Params(12, 10, 1, 2);
    const EditWindowHit hit = HitTestEditWindow(9 * 4 + 3, 0, kZoom4, p);
    EXPECT_EQ(hit.byteColumn, 1);  // pixel 9 of a glyph 12 wide: byte 1, mask 0x40
    EXPECT_EQ(1 << hit.bit, 0x40);
    // With the magnification shown each glyph row is two zoomed rows high.
    EXPECT_EQ(HitTestEditWindow(0, 3 * 4, EditView{4, true}, p).row, 1);
    EXPECT_EQ(HitTestEditWindow(0, 3 * 4, kZoom4, p).row, 3);
    EXPECT_TRUE(HitTestEditWindow(0, 79, EditView{4, true}, p).valid);
    EXPECT_FALSE(HitTestEditWindow(0, 80, EditView{4, true}, p).valid);
    EXPECT_FALSE(HitTestEditWindow(0, 40, kZoom4, p).valid);
    EXPECT_FALSE(HitTestEditWindow(-1, 0, kZoom4, p).valid);
    EXPECT_FALSE(HitTestEditWindow(1, 1, EditView{0, false}, p).valid);
    // Halves to even: 3.5 -> 4 (column 1), 2.5 -> 2 (column 0), 47.5 -> 48 (outside).
    EXPECT_EQ(HitTestEditWindow(3.5, 0, kZoom4, p).column, 1);
    EXPECT_EQ(HitTestEditWindow(2.5, 0, kZoom4, p).column, 0);
    EXPECT_FALSE(HitTestEditWindow(47.5, 0, kZoom4, p).valid);
}

TEST(Stroke, EachButtonAndBeforeTheFirstRelease) {
    FontDocument doc(FontFromPictures(
        Params(12, 2), {{"............", "....##......"}, {"#...........", "............"}}));
    // Before any release in the font window a press only marks the document modified.
    EditResult r = doc.ZoomPic_MouseDown(kLeftButton, 1, 1, kZoom4);
    EXPECT_TRUE(r.modified);
    EXPECT_TRUE(r.editRows.empty());
    EXPECT_FALSE(r.undoEnabled);
    EXPECT_TRUE(doc.ZoomPic_MouseUp(kLeftButton).cells.empty());

    Click(doc, 1);
    r = doc.ZoomPic_MouseDown(kLeftButton, 9 * 4, 1, kZoom4);
    EXPECT_EQ(r.editGlyph, 1);
    EXPECT_EQ(r.editRows, std::vector<int>{0});
    EXPECT_TRUE(r.undoEnabled);
    EXPECT_EQ(doc.ZoomPic_MouseUp(kLeftButton).cells, (std::vector<CellRedraw>{{1, kBleu}}));
    doc.ZoomPic_MouseDown(kRightButton, 1, 1, kZoom4);
    doc.ZoomPic_MouseUp(kRightButton);
    EXPECT_EQ(Picture(doc, 1), Picture({".........#......", "................"}));
    // Middle button, or two held: an undo step and the flag, but no change and no redraw.
    doc.setFlagModified(false);
    r = doc.ZoomPic_MouseDown(kMiddleButton, 9 * 4, 1, kZoom4);
    EXPECT_TRUE(r.modified);
    EXPECT_TRUE(r.editRows.empty());
    EXPECT_TRUE(doc.ZoomPic_MouseMove(kLeftButton | kRightButton, 1, 1, kZoom4).editRows.empty());
    EXPECT_TRUE(doc.ZoomPic_MouseUp(kMiddleButton).cells.empty());
    EXPECT_EQ(doc.history().UndoPos(), 3);
    EXPECT_EQ(Picture(doc, 1), Picture({".........#......", "................"}));
    EXPECT_EQ(Picture(doc, 0), Picture({"................", "....##.........."}));
}

TEST(Stroke, ADragPaintsATrailInOneUndoStepAndRepaintsSetPixels) {
    FontParams p = Params(8, 4, 1, 2);
    FontDocument doc(MatrixToObject(p, p.blankMatrix()));
    Click(doc, 0);
    const EditView magnified{4, true};  // rows 8 pixels high
    doc.ZoomPic_MouseDown(kLeftButton, 0, 0, magnified);
    for (int c = 1; c < 8; ++c) {
        EXPECT_EQ(doc.ZoomPic_MouseMove(kLeftButton, c * 4.0f, c / 2 * 8.0f, magnified).editRows,
                  std::vector<int>{c / 2});
    }
    // Painting a painted pixel still repaints its row; hovering and leaving the glyph do not.
    EXPECT_EQ(doc.ZoomPic_MouseMove(kLeftButton, 0, 0, magnified).editRows, std::vector<int>{0});
    EXPECT_TRUE(doc.ZoomPic_MouseMove(0, 28, 31, magnified).editRows.empty());
    EXPECT_TRUE(doc.ZoomPic_MouseMove(kLeftButton, 200, 5, magnified).editRows.empty());
    doc.ZoomPic_MouseUp(kLeftButton);
    EXPECT_EQ(Picture(doc, 0), Picture({"##......", "..##....", "....##..", "......##"}));
    EXPECT_EQ(doc.history().UndoPos(), 1);
    doc.undo_Click(kLayout);
    EXPECT_EQ(Picture(doc, 0), Picture(std::vector<std::string>(4, "........")));
}

}  // namespace
}  // namespace pixmere::test
