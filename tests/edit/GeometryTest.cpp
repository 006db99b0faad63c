#include <random>

#include "EditTestSupport.h"

namespace pixmere::test {
namespace {

using G = GeometryCommand;
using D = MoveDirection;

// Every row as the bit string of its bytes, padding included. A geometry command inserts or
// removes a column or row, then cuts or completes each row to the new byte count, so padding
// bits follow their bytes: adding a column on the right brings the first padding bit into the
// glyph. A move shifts the strings, dropping what leaves them: a move to the right pushes the
// last column into the padding, a move to the left brings it back. Random glyphs at every
// width 1..40 and heights 1 and 3; going below one column or row is refused.
TEST(GlyphShapes, FollowTheBitStringRulesOnEveryWidthUpTo40) {
    std::mt19937 rng(3);
    for (int width = 1; width <= 40; ++width) {
        for (int op = 0; op < 12; ++op) {
            const auto is = [&](G g, int move = -1) { return op == int(g) || op == 8 + move; };
            const FontParams p = Params(width, (op + width) % 2 ? 1 : 3, 2);
            ByteMatrix m = p.blankMatrix();
            for (uint8_t& b : m.data()) b = static_cast<uint8_t>(rng());
            Font font = MatrixToObject(p, m);
            const Font before = font;
            if (op >= 8) {
                for (CarObject& g : font.glyphs) MoveGlyph(g, static_cast<D>(op - 8));
            } else if (!ChangeGeometry(font, static_cast<G>(op))) {
                EXPECT_TRUE((width == 1 && (is(G::Rleft) || is(G::Rright))) ||
                            (p.FormatHeightCar == 1 && (is(G::Rtop) || is(G::Rbottom))));
                EXPECT_EQ(FontPicture(font), FontPicture(before));
                continue;
            }
            EXPECT_EQ(font.glyphs[0].bitwidth() + 1, font.params.FormatLengthCar);
            for (int i = 0; i < 2; ++i) {
                std::vector<std::string> rows = GlyphPicture(before.glyphs[i]);
                for (std::string& row : rows) {
                    if (is(G::Aleft, int(D::Right))) row.insert(row.begin(), '.');
                    if (is(G::Rleft, int(D::Leeeft))) row.erase(row.begin());
                    if (is(G::Rright)) row[width - 1] = '.';
                    row.resize(BytesPerRow(font.params.FormatLengthCar) * 8, '.');
                }
                const std::string blank(p.NbByteMatrix() * 8, '.');
                if (is(G::Atop, int(D::Down))) rows.insert(rows.begin(), blank);
                if (is(G::Abottom, int(D::Up))) rows.push_back(blank);
                if (is(G::Rtop, int(D::Up))) rows.erase(rows.begin());
                if (is(G::Rbottom, int(D::Down))) rows.pop_back();
                ASSERT_EQ(Joined(GlyphPicture(font.glyphs[i])), Joined(rows))
                    << "width " << width << " operation " << op;
            }
        }
    }
    // The other edge of the eight-bit geometry: Atop, Abottom, Aleft, Aright at 255.
    for (int c = 0; c < 4; ++c) {
        const FontParams edge = c < 2 ? Params(8, 255) : Params(255, 8);
        EXPECT_FALSE(GeometryAllowed(edge, static_cast<G>(c))) << c;
        EXPECT_TRUE(GeometryAllowed(c < 2 ? Params(8, 254) : Params(254, 8), static_cast<G>(c)));
    }
}

TEST(FontProperties, TheDownstrokeStaysWithTheGeometryAndTheHistoryWithTheProperties) {
    FontParams p = Params(8, 4);
    p.jambon = 4;
    FontDocument doc(MatrixToObject(p, p.blankMatrix()));
    EXPECT_TRUE(doc.Aleft_Click().layoutChanged && doc.Atop_Click().layoutChanged);
    EXPECT_EQ(doc.params().jambon, 4);  // the downstroke is the user's to change
    EXPECT_TRUE(doc.Rbottom_Click().layoutChanged && doc.Rbottom_Click().layoutChanged);
    EXPECT_EQ(doc.params().jambon, 3);  // but never passes the height, or the file would not load
    Click(doc, 0);
    Stroke(doc, 0, 0);
    doc.setFlagModified(false);
    EXPECT_FALSE(doc.SetFontProperties(3, 0) || doc.SetFontProperties(3, 6) ||
                 doc.SetFontProperties(4, 2) || doc.SetFontProperties(3, 1) || doc.FlagModified());
    EXPECT_TRUE(doc.SetFontProperties(2, 3) && doc.FlagModified() && doc.UndoEnabled());
}

// Moves and delete act on the selection between its ends, ordered first.
TEST(MoveAndDelete, ActOnTheOrderedSelection) {
    const std::vector<std::string> dot = {"........", "...#....", "........"};
    for (const bool remove : {false, true}) {
        FontDocument doc(FontFromPictures(Params(8, 3), std::vector(12, dot)));
        Drag(doc, 9, 4);
        EXPECT_EQ((remove ? doc.Dele_Click() : doc.Up_Click()).editGlyph, 9);
        EXPECT_EQ(doc.SelAnchor(), 4);  // the ends are ordered and stay so
        const std::string changed =
            Joined({remove ? "........" : "...#....", "........", "........"});
        for (int i = 0; i < 12; ++i) {
            EXPECT_EQ(Picture(doc, i), i < 4 || i > 9 ? Joined(dot) : changed) << i;
        }
    }
}

}  // namespace
}  // namespace pixmere::test
