// The font window's keys and the pixels of a stroke's line.
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

TEST(Keyboard, KeysMoveTheCurrentCharacterStopAtTheEndsAndShiftExtendsFromTheAnchor) {
    FontDocument doc(BlankFont(8, 8, 20));  // rows of 8: 0-7, 8-15, 16-19
    // Shift before anything was picked has no anchor to extend from.
    doc.FontWindowKey(CarKey::Right, true, kLayout);
    EXPECT_EQ(Selection(doc), ".#..................");
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

    // What the windows show is checked against a model in the random sessions.
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

}  // namespace
}  // namespace pixmere::test
