#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "EditTestSupport.h"

namespace pixmere::test {
namespace {

using G = GeometryCommand;

// One row through a column command, as a picture of all its bytes, padding bits included.
std::string ColumnsAfter(int width, G command, const std::string& row) {
    Font font = FontFromPictures(Params(width, 1), {{row}});
    EXPECT_TRUE(ChangeGeometry(font, command));
    EXPECT_EQ(font.glyphs[0].bitwidth() + 1, font.params.FormatLengthCar);
    EXPECT_EQ(font.glyphs[0].ByteWidth() + 1, font.params.NbByteMatrix());
    return GlyphPicture(font.glyphs[0])[0];
}

TEST(ColumnCommands, DocumentedCases) {
    EXPECT_EQ(ColumnsAfter(8, G::Aleft, "#......#"), ".#......#.......");  // 81 -> 40 80
    EXPECT_EQ(ColumnsAfter(5, G::Aleft, "#####..#"), ".#####..");          // F8 -> 7C, padding lost
    EXPECT_EQ(ColumnsAfter(5, G::Aright, "#....#.#"), "#....#.#");         // a padding pixel enters
    EXPECT_EQ(ColumnsAfter(8, G::Aright, "#......#"), "#......#........");
    EXPECT_EQ(ColumnsAfter(9, G::Rleft, "#.......#......#"), ".......#");  // 80 80 -> 01
    EXPECT_EQ(ColumnsAfter(12, G::Rleft, "##.....##..##..#"), "#.....##..##..#.");
    EXPECT_EQ(ColumnsAfter(6, G::Rright, "######.#"), "#####..#");  // FC -> F8, padding kept
    EXPECT_EQ(ColumnsAfter(9, G::Rright, "#......##......#"), "#......#");
    EXPECT_EQ(ColumnsAfter(16, G::Aleft, "#......##......#"), ".#......##......#.......");
}

TEST(RowCommands, InsertOrDropTheEdgeRow) {
    const std::vector<std::string> glyph = {"#.......", ".#......", "..#....."};
    const auto after = [&](G command) {
        Font font = FontFromPictures(Params(8, 3, 1), {glyph});
        EXPECT_TRUE(ChangeGeometry(font, command));
        EXPECT_EQ(font.glyphs[0].Height() + 1, font.params.FormatHeightCar);
        return Joined(GlyphPicture(font.glyphs[0]));
    };
    EXPECT_EQ(after(G::Atop), Joined({"........", "#.......", ".#......", "..#....."}));
    EXPECT_EQ(after(G::Abottom), Joined({"#.......", ".#......", "..#.....", "........"}));
    EXPECT_EQ(after(G::Rtop), Joined({".#......", "..#....."}));
    EXPECT_EQ(after(G::Rbottom), Joined({"#.......", ".#......"}));
}

// The same commands stated on the bit string of a row: its 8 * NbByteMatrix bits, padding
// included, with a column inserted or removed, then cut or completed to the new byte count.
std::vector<bool> RowBits(const CarObject& g, int row) {
    std::vector<bool> bits;
    for (int x = 0; x < (g.ByteWidth() + 1) * 8; ++x) bits.push_back(g.pixel(x, row));
    return bits;
}

TEST(ColumnCommands, AgreeWithTheBitStringRuleOnWidthsOneTo40) {
    std::mt19937 rng(3);
    for (int width = 1; width <= 40; ++width) {
        for (G command : {G::Aleft, G::Aright, G::Rleft, G::Rright}) {
            const FontParams p = Params(width, 3, 2);
            ByteMatrix m = p.blankMatrix();
            for (uint8_t& b : m.data()) b = static_cast<uint8_t>(rng());
            Font font = MatrixToObject(p, m);
            const Font before = font;
            if (!ChangeGeometry(font, command)) {
                EXPECT_TRUE(width == 1 && (command == G::Rleft || command == G::Rright));
                EXPECT_EQ(FontPicture(font), FontPicture(before));
                continue;
            }
            const int newBits = BytesPerRow(font.params.FormatLengthCar) * 8;
            for (int i = 0; i < 2; ++i) {
                for (int r = 0; r < 3; ++r) {
                    std::vector<bool> bits = RowBits(before.glyphs[i], r);
                    if (command == G::Aleft) bits.insert(bits.begin(), false);
                    if (command == G::Rleft) bits.erase(bits.begin());
                    if (command == G::Rright) bits[width - 1] = false;
                    bits.resize(newBits, false);
                    ASSERT_EQ(RowBits(font.glyphs[i], r), bits)
                        << "width " << width << " command " << static_cast<int>(command);
                }
            }
        }
    }
}

TEST(GeometryLimits, RefusedAtTheEdgesOfTheEightBitGeometry) {
    const std::pair<G, FontParams> limits[] = {
        {G::Rtop, Params(8, 1)},    {G::Rbottom, Params(8, 1)}, {G::Rleft, Params(1, 8)},
        {G::Rright, Params(1, 8)},  {G::Atop, Params(8, 255)},  {G::Abottom, Params(8, 255)},
        {G::Aleft, Params(255, 8)}, {G::Aright, Params(255, 8)}};
    for (const auto& [command, params] : limits) {
        EXPECT_FALSE(GeometryAllowed(params, command));
        FontParams inside = params;
        inside.FormatLengthCar = std::clamp<uint8_t>(inside.FormatLengthCar, 2, 254);
        inside.FormatHeightCar = std::clamp<uint8_t>(inside.FormatHeightCar, 2, 254);
        EXPECT_TRUE(GeometryAllowed(inside, command));
    }
    // A refused command leaves the document exactly as it was, history included.
    FontDocument doc(FontFromPictures(Params(1, 1), {{"#"}, {"."}}));
    Click(doc, 0);
    doc.ZoomPic_MouseDown(kRightButton, 0, 0, EditView{4, false});
    doc.ZoomPic_MouseUp(kRightButton);
    doc.setFlagModified(false);
    for (G c : {G::Rtop, G::Rbottom, G::Rleft, G::Rright}) {
        const EditResult r = doc.ChangeGeometry(c);
        EXPECT_TRUE(r.refused && r.undoEnabled);
        EXPECT_FALSE(r.layoutChanged || r.modified);
    }
    doc.undo_Click(kLayout);
    EXPECT_TRUE(doc.font().glyphs[0].pixel(0, 0));
}

TEST(GeometryCommands, EmptyTheHistoryAndAskForANewLayout) {
    FontParams p = Params(8, 4, 3);
    p.jambon = 4;
    FontDocument doc(MatrixToObject(p, p.blankMatrix()));
    Click(doc, 2);
    doc.Dele_Click();
    doc.setFlagModified(false);
    EditResult r = doc.Rbottom_Click();
    EXPECT_TRUE(r.layoutChanged && r.modified);
    EXPECT_FALSE(r.undoEnabled || r.redoEnabled);
    EXPECT_EQ(r.editGlyph, -1);
    EXPECT_EQ(doc.params().jambon, 4);  // the downstroke is the user's to change
    EXPECT_EQ(doc.history().BufferBytes(), 5u * 3 * 3 * 1);
    for (const CarObject& g : doc.font().glyphs) {
        EXPECT_EQ(g.Height(), 2);
        EXPECT_EQ(g.underline(), 4);
    }
    // The window lays the font out again and reselects; strokes record in the new geometry.
    EXPECT_EQ(doc.ReselectLastClick(kLayout).editGlyph, 2);
    doc.ZoomPic_MouseDown(kLeftButton, 0, 2 * 4, EditView{4, false});
    doc.ZoomPic_MouseUp(kLeftButton);
    EXPECT_EQ(Picture(doc, 2), Picture({"........", "........", "#......."}));
    doc.undo_Click(kLayout);
    EXPECT_EQ(Picture(doc, 2), Picture({"........", "........", "........"}));
}

}  // namespace
}  // namespace pixmere::test
