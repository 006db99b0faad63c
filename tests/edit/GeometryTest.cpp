#include <gtest/gtest.h>

#include <random>

#include "EditTestSupport.h"

namespace pixmere::test {
namespace {

using G = GeometryCommand;

struct ColumnCase {
    const char* name;
    G command;
    int width;
    std::vector<std::string> before;  // all bytes of each row, padding included
    int newWidth;
    std::vector<std::string> after;
};

void PrintTo(const ColumnCase& c, std::ostream* os) { *os << c.name; }

// One glyph of two rows through a column command; pictures show every bit of every byte, so
// padding bits (past the width) are checked too.
class ColumnCommand : public testing::TestWithParam<ColumnCase> {};

TEST_P(ColumnCommand, ReshapesEveryRowPaddingIncluded) {
    const ColumnCase& c = GetParam();
    Font font = FontFromPictures(Params(c.width, 2, 1), {{c.before[0], c.before[0]}});
    ASSERT_TRUE(ChangeGeometry(font, c.command));
    EXPECT_EQ(font.params.FormatLengthCar, c.newWidth);
    const CarObject& g = font.glyphs[0];
    EXPECT_EQ(g.bitwidth(), c.newWidth - 1);
    EXPECT_EQ(g.ByteWidth(), BytesPerRow(c.newWidth) - 1);
    EXPECT_EQ(Joined(GlyphPicture(g)), Joined({c.after[0], c.after[0]}));
}

// Add left, width 8: 0x81 -> 0x40 0x80; width 5: 0xF8 -> 0x7C; remove left, width 9:
// 0x80 0x80 -> 0x01; remove right, width 6: 0xFC -> 0xF8.
INSTANTIATE_TEST_SUITE_P(
    Widths, ColumnCommand,
    testing::Values(
        // width 5: one byte before and after, three padding bits
        ColumnCase{"AddLeft5", G::Aleft, 5, {"#####..#"}, 6, {".#####.."}},
        ColumnCase{"AddRight5", G::Aright, 5, {"#.#.#.#."}, 6, {"#.#.#.#."}},
        ColumnCase{"RemoveLeft5", G::Rleft, 5, {"#.###.#."}, 4, {".###.#.."}},
        ColumnCase{"RemoveRight5", G::Rright, 5, {"#.####.#"}, 4, {"#.##.#.#"}},
        // width 8: a byte is added, or the last one has no padding
        ColumnCase{"AddLeft8", G::Aleft, 8, {"#......#"}, 9, {".#......#......."}},
        ColumnCase{"AddRight8", G::Aright, 8, {"#......#"}, 9, {"#......#........"}},
        ColumnCase{"RemoveLeft8", G::Rleft, 8, {"##.....#"}, 7, {"#.....#."}},
        ColumnCase{"RemoveRight8", G::Rright, 8, {"##.....#"}, 7, {"##......"}},
        // width 9: a byte is dropped when removing
        ColumnCase{"AddLeft9", G::Aleft, 9, {"#.......#......#"}, 10, {".#.......#......"}},
        ColumnCase{"AddRight9", G::Aright, 9, {"#.......#.....#."}, 10, {"#.......#.....#."}},
        ColumnCase{"RemoveLeft9", G::Rleft, 9, {"#.......#......#"}, 8, {".......#"}},
        ColumnCase{"RemoveRight9", G::Rright, 9, {"#......##......#"}, 8, {"#......#"}},
        // width 12: bits cross the byte boundary
        ColumnCase{"AddLeft12", G::Aleft, 12, {"#......##..#..##"}, 13, {".#......##..#..#"}},
        ColumnCase{"AddRight12", G::Aright, 12, {"#......##..##..#"}, 13, {"#......##..##..#"}},
        ColumnCase{"RemoveLeft12", G::Rleft, 12, {"##.....##..##..#"}, 11, {"#.....##..##..#."}},
        ColumnCase{"RemoveRight12", G::Rright, 12, {"##.....##..##..#"}, 11, {"##.....##...#..#"}},
        // width 16: two full bytes
        ColumnCase{
            "AddLeft16", G::Aleft, 16, {"#......##......#"}, 17, {".#......##......#......."}},
        ColumnCase{
            "AddRight16", G::Aright, 16, {"#......##......#"}, 17, {"#......##......#........"}},
        ColumnCase{"RemoveLeft16", G::Rleft, 16, {"##.....##......#"}, 15, {"#.....##......#."}},
        ColumnCase{"RemoveRight16", G::Rright, 16, {"##.....##......#"}, 15, {"##.....##......."}}),
    [](const testing::TestParamInfo<ColumnCase>& info) { return std::string(info.param.name); });

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
    const auto allowed = [](int w, int h, G c) { return GeometryAllowed(Params(w, h), c); };
    EXPECT_FALSE(allowed(8, 1, G::Rtop));
    EXPECT_FALSE(allowed(8, 1, G::Rbottom));
    EXPECT_TRUE(allowed(8, 2, G::Rbottom));
    EXPECT_FALSE(allowed(1, 8, G::Rleft));
    EXPECT_FALSE(allowed(1, 8, G::Rright));
    EXPECT_TRUE(allowed(2, 8, G::Rright));
    EXPECT_FALSE(allowed(8, 255, G::Atop));
    EXPECT_FALSE(allowed(8, 255, G::Abottom));
    EXPECT_TRUE(allowed(8, 254, G::Abottom));
    EXPECT_FALSE(allowed(255, 8, G::Aleft));
    EXPECT_FALSE(allowed(255, 8, G::Aright));
    EXPECT_TRUE(allowed(254, 8, G::Aright));

    // A refused command leaves the document exactly as it was, history included.
    FontDocument doc(FontFromPictures(Params(1, 1, 2), {{"#"}, {"."}}));
    Click(doc, 0);
    doc.ZoomPic_MouseDown(kRightButton, 0, 0, EditView{4, false});
    doc.ZoomPic_MouseUp(kRightButton);
    doc.setFlagModified(false);
    for (G c : {G::Rtop, G::Rbottom, G::Rleft, G::Rright}) {
        EXPECT_FALSE(doc.IsAllowed(c));
        const EditResult r = doc.ChangeGeometry(c);
        EXPECT_TRUE(r.refused);
        EXPECT_FALSE(r.layoutChanged);
        EXPECT_TRUE(r.undoEnabled);
        EXPECT_FALSE(r.modified);
    }
    EXPECT_EQ(doc.params().FormatLengthCar, 1);
    EXPECT_EQ(doc.params().FormatHeightCar, 1);
    doc.undo_Click(kLayout);
    EXPECT_TRUE(doc.font().glyphs[0].pixel(0, 0));
}

TEST(GeometryCommands, EmptyTheHistoryAndAskForANewLayout) {
    FontParams p = Params(8, 4, 3);
    p.jambon = 4;
    FontDocument doc(MatrixToObject(p, p.blankMatrix()));
    GlyphClipboard clipboard;
    Click(doc, 2);
    doc.copy_Click(clipboard);
    doc.Dele_Click();
    doc.setFlagModified(false);
    EditResult r = doc.Rbottom_Click();
    EXPECT_TRUE(r.layoutChanged);
    EXPECT_FALSE(r.undoEnabled);
    EXPECT_FALSE(r.redoEnabled);
    EXPECT_TRUE(r.modified);
    EXPECT_EQ(r.editGlyph, -1);
    EXPECT_EQ(doc.params().FormatHeightCar, 3);
    EXPECT_EQ(doc.params().jambon, 4);  // the downstroke is the user's to change
    EXPECT_EQ(doc.history().BufferBytes(), 5u * 3 * 3 * 1);
    EXPECT_EQ(clipboard.ClipHeight(), 4);
    for (const CarObject& g : doc.font().glyphs) {
        EXPECT_EQ(g.Height(), 2);
        EXPECT_EQ(g.NbCars(), 2);
        EXPECT_EQ(g.underline(), 4);
    }
    EXPECT_EQ(doc.font().glyphs[1].NumCar(), 1);

    // The window lays the font out again and reselects; strokes record in the new geometry.
    r = doc.ReselectLastClick(kLayout);
    EXPECT_EQ(r.editGlyph, 2);
    doc.ZoomPic_MouseDown(kLeftButton, 0, 2 * 4, EditView{4, false});
    doc.ZoomPic_MouseUp(kLeftButton);
    EXPECT_EQ(Picture(doc, 2), Picture({"........", "........", "#......."}));
    doc.undo_Click(kLayout);
    EXPECT_EQ(Picture(doc, 2), Picture({"........", "........", "........"}));
    EXPECT_FALSE(doc.UndoEnabled());
}

TEST(GeometryCommands, RemoveThenAddATopRowLosesTheRow) {
    FontDocument doc(FontFromPictures(Params(8, 2, 1), {{"#.......", ".#......"}}));
    doc.Rtop_Click();
    doc.Atop_Click();
    EXPECT_EQ(Picture(doc, 0), Picture({"........", ".#......"}));
}

}  // namespace
}  // namespace pixmere::test
