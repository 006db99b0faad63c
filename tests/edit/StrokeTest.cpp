#include <gtest/gtest.h>

#include "EditTestSupport.h"

namespace pixmere::test {
namespace {

constexpr EditView kZoom4{4, false};

// Pointer position of pixel (column, row) in an edit window of zoom 4 without magnification.
float PixelX(int column) { return static_cast<float>(column * 4 + 1); }
float PixelY(int row) { return static_cast<float>(row * 4 + 1); }

TEST(EditWindowHitTest, ZoomMagnificationAndBounds) {
    const FontParams p = Params(12, 10, 1, 2);
    EditWindowHit hit = HitTestEditWindow(9 * 4 + 3, 0, kZoom4, p);
    ASSERT_TRUE(hit.valid);
    EXPECT_EQ(hit.column, 9);
    EXPECT_EQ(hit.byteColumn, 1);
    EXPECT_EQ(1 << hit.bit, 0x40);
    // With the magnification shown each glyph row is two zoomed rows high.
    EXPECT_EQ(HitTestEditWindow(0, 3 * 4, EditView{4, true}, p).row, 1);
    EXPECT_EQ(HitTestEditWindow(0, 3 * 4, kZoom4, p).row, 3);
    EXPECT_TRUE(HitTestEditWindow(0, 10 * 4 * 2 - 1, EditView{4, true}, p).valid);
    EXPECT_FALSE(HitTestEditWindow(0, 10 * 4 * 2, EditView{4, true}, p).valid);
    EXPECT_FALSE(HitTestEditWindow(0, 10 * 4, kZoom4, p).valid);
    EXPECT_FALSE(HitTestEditWindow(12 * 4, 0, kZoom4, p).valid);
    EXPECT_FALSE(HitTestEditWindow(-1, 0, kZoom4, p).valid);
    EXPECT_FALSE(HitTestEditWindow(0, -1, kZoom4, p).valid);
    EXPECT_FALSE(HitTestEditWindow(1, 1, EditView{0, false}, p).valid);
    // Halves round to even: 3.5 -> 4 (column 1), 2.5 -> 2 (column 0), 47.5 -> 48 (outside).
    EXPECT_EQ(HitTestEditWindow(3.5, 0, kZoom4, p).column, 1);
    EXPECT_EQ(HitTestEditWindow(2.5, 0, kZoom4, p).column, 0);
    EXPECT_TRUE(HitTestEditWindow(46.5, 0, kZoom4, p).valid);
    EXPECT_FALSE(HitTestEditWindow(47.5, 0, kZoom4, p).valid);
}

TEST(Stroke, NothingBeforeTheFirstReleaseButTheModifiedFlag) {
    FontDocument doc(BlankFont(8, 4, 3));
    EditResult r = doc.ZoomPic_MouseDown(kLeftButton, PixelX(1), PixelY(1), kZoom4);
    EXPECT_TRUE(r.modified);
    EXPECT_TRUE(r.editRows.empty());
    EXPECT_FALSE(r.undoEnabled);
    EXPECT_EQ(FontPicture(doc.font()), FontPicture(BlankFont(8, 4, 3)));
    EXPECT_TRUE(doc.ZoomPic_MouseUp(kLeftButton).cells.empty());
}

TEST(Stroke, LeftSetsRightClearsOthersOnlyRecordTheStep) {
    FontDocument doc(
        FontFromPictures(Params(12, 3), {{"............", "............", "....##......"},
                                         {"#...........", "............", "............"}}));
    Click(doc, 1);
    EditResult r = doc.ZoomPic_MouseDown(kLeftButton, PixelX(9), PixelY(0), kZoom4);
    EXPECT_EQ(r.editGlyph, 1);
    EXPECT_EQ(r.editRows, std::vector<int>{0});
    EXPECT_FALSE(r.editRedraw);
    EXPECT_TRUE(r.undoEnabled);
    EXPECT_EQ(doc.font().glyphs[1].carbitmap(1, 0), 0x40);
    r = doc.ZoomPic_MouseUp(kLeftButton);
    EXPECT_EQ(r.cells, (std::vector<CellRedraw>{{1, kBleu}}));
    EXPECT_EQ(doc.StrokeSaved(), 0);

    doc.ZoomPic_MouseDown(kRightButton, PixelX(0), PixelY(0), kZoom4);
    doc.ZoomPic_MouseUp(kRightButton);
    EXPECT_EQ(Picture(doc, 1),
              Picture({".........#......", "................", "................"}));
    EXPECT_EQ(doc.history().UndoPos(), 2);

    // Middle button, or two buttons held: an undo step and the flag, no change, no redraw.
    doc.setFlagModified(false);
    r = doc.ZoomPic_MouseDown(kMiddleButton, PixelX(9), PixelY(0), kZoom4);
    EXPECT_TRUE(r.modified);
    EXPECT_TRUE(r.editRows.empty());
    EXPECT_EQ(doc.history().UndoPos(), 3);
    EXPECT_TRUE(doc.ZoomPic_MouseMove(kLeftButton | kRightButton, PixelX(2), PixelY(2), kZoom4)
                    .editRows.empty());
    EXPECT_TRUE(doc.ZoomPic_MouseUp(kMiddleButton).cells.empty());
    EXPECT_EQ(Picture(doc, 1),
              Picture({".........#......", "................", "................"}));
    EXPECT_EQ(Picture(doc, 0),
              Picture({"................", "................", "....##.........."}));
}

TEST(Stroke, ADragPaintsATrailInOneUndoStep) {
    FontDocument doc(BlankFont(8, 4, 2));
    Click(doc, 0);
    doc.ZoomPic_MouseDown(kLeftButton, PixelX(0), PixelY(0), kZoom4);
    for (int c = 1; c < 8; ++c) {
        EXPECT_EQ(doc.ZoomPic_MouseMove(kLeftButton, PixelX(c), PixelY(c / 2), kZoom4).editRows,
                  std::vector<int>{c / 2});
    }
    doc.ZoomPic_MouseMove(0, PixelX(7), PixelY(3), kZoom4);  // hovering does not paint
    doc.ZoomPic_MouseMove(kLeftButton, 200, 5, kZoom4);      // off the glyph: nothing
    doc.ZoomPic_MouseUp(kLeftButton);
    EXPECT_EQ(Picture(doc, 0), Picture({"##......", "..##....", "....##..", "......##"}));
    EXPECT_EQ(doc.history().UndoPos(), 1);
    doc.undo_Click(kLayout);
    EXPECT_EQ(Picture(doc, 0), Picture({"........", "........", "........", "........"}));
}

TEST(Stroke, MagnifiedRowsAndSettingASetPixelStillRepaints) {
    FontParams p = Params(8, 4, 1, 2);
    FontDocument doc(MatrixToObject(p, p.blankMatrix()));
    Click(doc, 0);
    const EditView magnified{5, true};
    EXPECT_EQ(doc.ZoomPic_MouseDown(kLeftButton, 0, 3 * 5, magnified).editRows,
              std::vector<int>{1});
    EXPECT_EQ(doc.ZoomPic_MouseMove(kLeftButton, 0, 3 * 5, magnified).editRows,
              std::vector<int>{1});
    doc.ZoomPic_MouseUp(kLeftButton);
    EXPECT_EQ(Picture(doc, 0), Picture({"........", "#.......", "........", "........"}));
    // Rows 2 and 3 lie at y 20..39 magnified, past the glyph at y 20.. without.
    EXPECT_TRUE(doc.ZoomPic_MouseDown(kLeftButton, 0, 39, magnified).editRows ==
                std::vector<int>{3});
    EXPECT_TRUE(doc.ZoomPic_MouseDown(kLeftButton, 0, 39, EditView{5, false}).editRows.empty());
}

}  // namespace
}  // namespace pixmere::test
