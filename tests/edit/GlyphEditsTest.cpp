// Rows, columns, moves, transforms, clear, copy and paste on the glyphs, and the outlines kept
// with them.
#include <random>

#include "EditTestSupport.h"

namespace pixmere::test {
namespace {

using G = GeometryCommand;
using D = MoveDirection;
using Rows = std::vector<std::string>;

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
            const FontParams p = Shape(width, (op + width) % 2 ? 1 : 3, 0x20, 2);
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
                Rows rows = GlyphPicture(before.glyphs[i]);
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
        EXPECT_FALSE(GeometryAllowed(c < 2 ? Shape(8, 255) : Shape(255, 8), static_cast<G>(c)));
        EXPECT_TRUE(GeometryAllowed(c < 2 ? Shape(8, 254) : Shape(254, 8), static_cast<G>(c)));
    }
}

TEST(FontProperties, TheDownstrokeStaysWithTheGeometryAndTheHistoryWithTheProperties) {
    FontDocument doc(FontFromPictures(Shape(8, 4, 0x20, 1, 4), {{"", "", "", ""}}));
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

// Glyphs four rows high, the last one the downstroke, their padding bits set; Italic slants one
// pixel every two rows. The widest, 255 pixels in 32 bytes, drawn by where the ink is (or,
// inverted, is not).
std::string Ink(std::initializer_list<int> columns, bool inverted = false) {
    std::string row(255, inverted ? '#' : '.');
    for (int c : columns) row.at(static_cast<std::size_t>(c)) = inverted ? '.' : '#';
    return row;
}

TEST(Transforms, EachTurnsThePicturedGlyphKeepsItsPaddingBitsAndIsUndoneAndRedone) {
    using T = GlyphTransform;
    const std::pair<Rows, std::vector<std::pair<T, Rows>>> glyphs[] = {
        {{"##...", "#.#..", "#..#.", "....#"},
         {{T::FlipHorizontal, {"...##", "..#.#", ".#..#", "#...."}},
          {T::FlipVertical, {"....#", "#..#.", "#.#..", "##..."}},
          {T::Rotate180, {"#....", ".#..#", "..#.#", "...##"}},
          {T::Invert, {"..###", ".#.##", ".##.#", "####."}},
          {T::Bold, {"###..", "####.", "##.##", "....#"}},
          {T::Italic, {".##..", "#.#..", "#..#.", "...#."}}}},
        {{"##.....#...#", "#.#.....#...", "....##......", ".#.........#"},
         {{T::FlipHorizontal, {"#...#.....##", "...#.....#.#", "......##....", "#.........#."}},
          {T::FlipVertical, {".#.........#", "....##......", "#.#.....#...", "##.....#...#"}},
          {T::Rotate180, {"#.........#.", "......##....", "...#.....#.#", "#...#.....##"}},
          {T::Invert, {"..#####.###.", ".#.#####.###", "####..######", "#.#########."}},
          {T::Bold, {"###....##..#", "####....##..", "....###.....", ".##........#"}},
          {T::Italic, {".##.....#...", "#.#.....#...", "....##......", "#.........#."}}}},
        {{Ink({0, 7, 8, 200, 254}), Ink({}), Ink({127, 128}), Ink({1, 254})},
         {{T::FlipHorizontal,
           {Ink({0, 54, 246, 247, 254}), Ink({}), Ink({126, 127}), Ink({0, 253})}},
          {T::FlipVertical, {Ink({1, 254}), Ink({127, 128}), Ink({}), Ink({0, 7, 8, 200, 254})}},
          {T::Rotate180, {Ink({0, 253}), Ink({126, 127}), Ink({}), Ink({0, 54, 246, 247, 254})}},
          {T::Invert,
           {Ink({0, 7, 8, 200, 254}, true), Ink({}, true), Ink({127, 128}, true),
            Ink({1, 254}, true)}},
          {T::Bold,
           {Ink({0, 1, 7, 8, 9, 200, 201, 254}), Ink({}), Ink({127, 128, 129}), Ink({1, 2, 254})}},
          {T::Italic, {Ink({1, 8, 9, 201}), Ink({}), Ink({127, 128}), Ink({0, 253})}}}},
    };
    const auto padded = [](Rows rows) {
        for (std::string& row : rows) row.resize((row.size() + 7) / 8 * 8, '#');
        return rows;
    };
    for (const auto& [before, cases] : glyphs) {
        const int width = static_cast<int>(before[0].size());
        for (const auto& [transform, after] : cases) {
            SCOPED_TRACE(std::to_string(width) + " wide, " + std::to_string(int(transform)));
            FontDocument doc(FontFromPictures(Shape(width, 4, 0x20, 1, 1), {padded(before)}));
            Click(doc, 0);
            doc.Transform(transform, 2);
            EXPECT_EQ(Picture(doc, 0), Joined(padded(after)));
            doc.undo_Click(kLayout);
            EXPECT_EQ(Picture(doc, 0), Joined(padded(before)));
            doc.redo_Click(kLayout);
            EXPECT_EQ(Picture(doc, 0), Joined(padded(after)));
        }
    }
}

// A selection dragged from 2 back to 0: the characters between its ends change as one undo
// step, the ends ordered, the edit window on the highest; a transform repaints only the cells
// that changed. A slant outside 2..8 is refused.
TEST(SelectionCommands, ActBetweenTheOrderedEndsAsOneStep) {
    const std::vector<Rows> before = {
        {"#...#", ".###."}, {"##...", "#...."}, {"#.#..", "..#.."}, {"#....", "#...."}};
    const struct {
        EditResult (FontDocument::*command)();
        std::vector<Rows> after;
        std::vector<CellRedraw> cells;
    } cases[] = {
        {&FontDocument::Up_Click,
         {{".###.", ""}, {"#....", ""}, {"..#..", ""}, before[3]},
         {{0, kBleu}, {1, kBleu}, {2, kBleu}}},
        {&FontDocument::Dele_Click,
         {{"", ""}, {"", ""}, {"", ""}, before[3]},
         {{0, kBleu}, {1, kBleu}, {2, kBleu}}},
        {&FontDocument::FlipHorizontal,
         {before[0], {"...##", "....#"}, {"..#.#", "..#.."}, before[3]},
         {{1, kBleu}, {2, kBleu}}},
    };
    const Font start = FontFromPictures(Shape(5, 2, 0x20, 4), before);
    for (const auto& c : cases) {
        FontDocument doc(start);
        Drag(doc, 2, 0);
        const EditResult r = (doc.*c.command)();
        EXPECT_EQ(r.cells, c.cells);
        EXPECT_TRUE(r.editGlyph == 2 && doc.SelAnchor() == 0);
        EXPECT_EQ(FontPicture(doc.font()), FontPicture(FontFromPictures(start.params, c.after)));
        EXPECT_TRUE(doc.Italic(1).refused && doc.Italic(9).refused);
        doc.undo_Click(kLayout);
        EXPECT_EQ(FontPicture(doc.font()), FontPicture(start));
        EXPECT_FALSE(doc.UndoEnabled());
    }
}

// A font of n characters 8 x 2 whose character i holds i in its first byte.
FontDocument Numbered(int n) {
    const FontParams p = Shape(8, 2, 0, n);
    ByteMatrix m = p.blankMatrix();
    for (int i = 0; i < n; ++i) m.at(0, 0, i) = static_cast<uint8_t>(i);
    return FontDocument(MatrixToObject(p, m));
}

// The first bytes of characters first..last.
std::vector<int> Numbers(const FontDocument& doc, int first, int last) {
    std::vector<int> out;
    for (int i = first; i <= last; ++i) out.push_back(doc.font().glyphs[i].carbitmap(0, 0));
    return out;
}

TEST(CopyPaste, TheBlockRules) {
    GlyphClipboard clipboard;
    FontDocument doc = Numbered(256);
    EXPECT_TRUE(doc.copy_Click(clipboard).refused);  // nothing selected
    Drag(doc, 3, 5);
    EXPECT_TRUE(doc.copy_Click(clipboard).clipboardFilled);
    Click(doc, 10);
    EditResult r = doc.paste_Click(clipboard, kLayout);
    EXPECT_EQ(Numbers(doc, 9, 13), (std::vector<int>{9, 3, 4, 5, 13}));
    EXPECT_EQ(r.cells,
              (std::vector<CellRedraw>{{10, kBlanc}, {11, kBlanc}, {12, kBlanc}, {10, kBleu}}));
    EXPECT_EQ(r.editGlyph, 10);
    doc.undo_Click(kLayout);  // one step over indices 0..255 restores all three
    EXPECT_EQ(Numbers(doc, 9, 13), (std::vector<int>{9, 10, 11, 12, 13}));
    // A block that does not fit changes nothing, yet marks the document.
    Click(doc, 254);
    doc.setFlagModified(false);
    EXPECT_TRUE(doc.paste_Click(clipboard, kLayout).modified);
    EXPECT_EQ(Numbers(doc, 254, 255), (std::vector<int>{254, 255}));
    // Several selected: each receives the start of the clipboard, later blocks overwriting
    // earlier ones; 254 cannot take a block and is left as it was, but deselected.
    Drag(doc, 254, 250);
    doc.paste_Click(clipboard, kLayout);
    EXPECT_EQ(Numbers(doc, 249, 255), (std::vector<int>{249, 3, 3, 3, 3, 4, 5}));
    EXPECT_EQ(Selection(doc).find('#'), 250u);  // the last press
    // A copy with nothing selected keeps what the clipboard holds.
    EXPECT_TRUE(Numbered(10).copy_Click(clipboard).refused);
    EXPECT_EQ(clipboard.ClipCount(), 3);
}

// Copied from 16 rows of 2 bytes into 12 rows of 1 byte: rows 0..11 of byte 0, padding bits
// included; then from there into 14 rows of 2 bytes: byte 1 and rows 12, 13 are cleared.
TEST(CopyPaste, BetweenFontsOfDifferentSizesAlignedTopLeft) {
    const std::string ink(16, '#');
    FontDocument wide(FontFromPictures(Shape(12, 16), {Rows(16, ink)})),
        narrow(BlankFont(5, 12, 1)), high(FontFromPictures(Shape(16, 14), {Rows(14, ink)}));
    GlyphClipboard clipboard;
    for (FontDocument* doc : {&wide, &narrow, &high}) {
        Click(*doc, 0);
        if (doc != &wide) doc->paste_Click(clipboard, kLayout);
        doc->copy_Click(clipboard);
    }
    EXPECT_EQ(Picture(narrow, 0), Joined(Rows(12, "########")));
    Rows expected(12, "########........");
    expected.resize(14, std::string(16, '.'));
    EXPECT_EQ(Picture(high, 0), Joined(expected));
}

// The outline a TrueType import kept follows its character: moves shift it, flips and the turn
// mirror it, the other transforms keep it, clear drops it, undo and redo bring it back,
// and a row or column command drops every outline.
TEST(SourceOutlines, TheKeptOutlineFollowsItsCharacter) {
    FontDocument doc(BlankFont(6, 4, 3));
    const SourceOutline square{{{{1, 1}, {3, 1}, {3, 2}, {1, 2}}}};
    EXPECT_THROW(doc.SetSourceOutlines({square}), std::invalid_argument);
    doc.SetSourceOutlines({square, {}, square});
    const auto corner = [&](int i) {  // the first point, (-1, -1) for no outline
        const SourceOutline* o = doc.SourceOutlineOf(i);
        return o ? o->contours[0][0] : OutlinePoint{-1, -1};
    };
    EXPECT_EQ(corner(1), (OutlinePoint{-1, -1}));
    Drag(doc, 0, 1);
    doc.Right_Click();
    doc.Down_Click();
    EXPECT_EQ(corner(0), (OutlinePoint{2, 2}));
    doc.Rotate180();  // x becomes 6 - x, y 4 - y
    doc.Bold();
    EXPECT_EQ(corner(0), (OutlinePoint{4, 2}));
    doc.Dele_Click();
    EXPECT_EQ(corner(0), (OutlinePoint{-1, -1}));
    for (int u = 0; u < 3; ++u) doc.undo_Click(kLayout);  // back before the turn
    EXPECT_EQ(corner(0), (OutlinePoint{2, 2}));
    doc.redo_Click(kLayout);
    EXPECT_EQ(corner(0), (OutlinePoint{4, 2}));
    doc.Aright_Click();
    EXPECT_FALSE(doc.HasSourceOutlines());
}

}  // namespace
}  // namespace pixmere::test
