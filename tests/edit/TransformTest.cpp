#include "EditTestSupport.h"

namespace pixmere::test {
namespace {

using Rows = std::vector<std::string>;

// A row of a wide glyph: ink at the given columns.
std::string Ink(int width, std::initializer_list<int> columns) {
    std::string row(static_cast<std::size_t>(width), '.');
    for (int c : columns) row.at(static_cast<std::size_t>(c)) = '#';
    return row;
}

struct Case {
    GlyphTransform transform;
    int slant;
    Rows after;
};

struct Glyph {
    int width, downstroke;
    Rows before;
    std::vector<Case> cases;
};

std::vector<Glyph> Glyphs() {
    const GlyphTransform kH = GlyphTransform::FlipHorizontal, kV = GlyphTransform::FlipVertical,
                         kTurn = GlyphTransform::Rotate180, kInvert = GlyphTransform::Invert,
                         kBold = GlyphTransform::Bold, kItalic = GlyphTransform::Italic;
    const int W = 255;
    return {
        // One byte, three padding bits; the last row is the downstroke.
        {5,
         1,
         {"##...", "#.#..", "#..#.", "....#"},
         {{kH, 4, {"...##", "..#.#", ".#..#", "#...."}},
          {kV, 4, {"....#", "#..#.", "#.#..", "##..."}},
          {kTurn, 4, {"#....", ".#..#", "..#.#", "...##"}},
          {kInvert, 4, {"..###", ".#.##", ".##.#", "####."}},
          {kBold, 4, {"###..", "####.", "##.##", "....#"}},
          // Row 0 lies two rows above the baseline: one pixel right at two rows a pixel.
          {kItalic, 2, {".##..", "#.#..", "#..#.", "...#."}},
          {kItalic, 4, {"##...", "#.#..", "#..#.", "...#."}}}},
        // Two bytes, the second half padding; two downstroke rows.
        {12,
         2,
         {"#......#...#", "##.....##...", "............", "...#####....", "#.......#...",
          "##.........#"},
         {{kH,
           4,
           {"#...#......#", "...##.....##", "............", "....#####...", "...#.......#",
            "#.........##"}},
          {kBold,
           4,
           {"##.....##..#", "###....###..", "............", "...######...", "##......##..",
            "###........#"}},
          {kInvert,
           4,
           {".######.###.", "..#####..###", "############", "###.....####", ".#######.###",
            "..#########."}},
          {kItalic,
           2,
           {".#......#...", ".##.....##..", "............", "...#####....", ".......#....",
            "#.........#."}},
          {kItalic,
           8,
           {"#......#...#", "##.....##...", "............", "...#####....", ".......#....",
            "#.........#."}}}},
        // The widest glyph: 32 bytes, one padding bit.
        {W,
         0,
         {Ink(W, {0, 7, 8, 200, 254}), Ink(W, {}), Ink(W, {127, 128})},
         {{kH, 4, {Ink(W, {0, 54, 246, 247, 254}), Ink(W, {}), Ink(W, {126, 127})}},
          {kV, 4, {Ink(W, {127, 128}), Ink(W, {}), Ink(W, {0, 7, 8, 200, 254})}},
          {kTurn, 4, {Ink(W, {126, 127}), Ink(W, {}), Ink(W, {0, 54, 246, 247, 254})}},
          {kBold, 4, {Ink(W, {0, 1, 7, 8, 9, 200, 201, 254}), Ink(W, {}), Ink(W, {127, 128, 129})}},
          {kItalic, 2, {Ink(W, {1, 8, 9, 201}), Ink(W, {}), Ink(W, {127, 128})}}}},
    };
}

// Each transform of a pictured glyph, as one undo step that undo and redo go through; the
// padding bits, all set, stay as they were.
TEST(Transform, EachTransformOfPicturedGlyphsUndoesAndRedoes) {
    for (const Glyph& g : Glyphs()) {
        for (const Case& c : g.cases) {
            SCOPED_TRACE("width " + std::to_string(g.width) + ", transform " +
                         std::to_string(static_cast<int>(c.transform)) + ", slant " +
                         std::to_string(c.slant));
            const int H = static_cast<int>(g.before.size());
            Font font = FontFromPictures(Shape(g.width, H, 0x20, 1, g.downstroke), {g.before});
            for (int y = 0; y < H; ++y) {
                for (int x = g.width; x < font.params.NbByteMatrix() * 8; ++x) {
                    font.glyphs[0].setPixel(x, y, true);
                }
            }
            FontDocument doc(std::move(font));
            Click(doc, 0);
            const std::string padded = Picture(doc, 0);
            doc.setFlagModified(false);
            const EditResult r = doc.Transform(c.transform, c.slant);
            EXPECT_TRUE(r.modified && r.undoEnabled);
            EXPECT_EQ(Joined(GlyphPicture(doc.font().glyphs[0], g.width)), Joined(c.after));
            const std::string transformed = Picture(doc, 0);
            for (const std::string& row : GlyphPicture(doc.font().glyphs[0])) {
                EXPECT_EQ(row.find('.', static_cast<std::size_t>(g.width)), std::string::npos);
            }
            doc.undo_Click(kLayout);
            EXPECT_EQ(Picture(doc, 0), padded);
            doc.redo_Click(kLayout);
            EXPECT_EQ(Picture(doc, 0), transformed);
        }
    }
}

// A selection dragged from 2 back to 0: one step for the three characters, only the cells that
// changed repainted, the edit window turned to the highest selected character, as a move does.
// A slant outside 2..8 is refused and changes nothing.
TEST(Transform, ASelectionOfSeveralCharactersIsOneStep) {
    FontDocument doc(FontFromPictures(
        Shape(5, 2, 0x20, 4),
        {{"#...#", ".###."}, {"##...", "#...."}, {"#.#..", "..#.."}, {"#....", "#...."}}));
    Drag(doc, 2, 0);
    ScreenModel screen(doc);
    const EditResult r = doc.FlipHorizontal();
    screen.Apply(r);
    EXPECT_EQ(r.cells, (std::vector<CellRedraw>{{1, kBleu}, {2, kBleu}}));
    EXPECT_TRUE(r.editRedraw);
    EXPECT_EQ(r.editGlyph, 2);
    EXPECT_TRUE(screen.UpToDate());
    EXPECT_EQ(
        FontPicture(doc.font()),
        FontPicture(FontFromPictures(
            Shape(5, 2, 0x20, 4),
            {{"#...#", ".###."}, {"...##", "....#"}, {"..#.#", "..#.."}, {"#....", "#...."}})));
    const std::string flipped = FontPicture(doc.font());
    // Turning the first character alone changes nothing the edit window shows.
    EXPECT_EQ(doc.history().UndoPos(), 1);
    for (int slant : {1, 9}) EXPECT_TRUE(doc.Italic(slant).refused);
    EXPECT_EQ(FontPicture(doc.font()), flipped);
    EXPECT_EQ(doc.history().UndoPos(), 1);
    doc.undo_Click(kLayout);
    EXPECT_EQ(Picture(doc, 1), Joined({"##......", "#......."}));
    EXPECT_EQ(Picture(doc, 2), Joined({"#.#.....", "..#....."}));
}

// The outline a TrueType import kept follows its character: moves shift it, flips and the turn
// mirror it, the other transforms keep it, paste and clear drop it, undo and redo bring it back,
// and a row or column command drops every outline.
TEST(Transform, TheKeptOutlineFollowsItsCharacter) {
    FontDocument doc(BlankFont(6, 4, 3));
    const SourceOutline square{{{{1, 1}, {3, 1}, {3, 2}, {1, 2}}}};
    EXPECT_THROW(doc.SetSourceOutlines({square}), std::invalid_argument);
    doc.SetSourceOutlines({square, {}, square});
    EXPECT_TRUE(doc.HasSourceOutlines());
    EXPECT_EQ(doc.SourceOutlineOf(1), nullptr);
    const auto outline = [&](int i) {
        const SourceOutline* o = doc.SourceOutlineOf(i);
        return o ? o->contours : std::vector<std::vector<OutlinePoint>>{{{-1, -1}}};
    };
    const std::vector<std::vector<OutlinePoint>> none{{{-1, -1}}};
    Drag(doc, 0, 1);
    doc.Right_Click();
    doc.Down_Click();
    EXPECT_EQ(outline(0),
              (std::vector<std::vector<OutlinePoint>>{{{2, 2}, {4, 2}, {4, 3}, {2, 3}}}));
    doc.Rotate180();  // x -> 6 - x, y -> 4 - y
    EXPECT_EQ(outline(0),
              (std::vector<std::vector<OutlinePoint>>{{{4, 2}, {2, 2}, {2, 1}, {4, 1}}}));
    const auto turned = outline(0);
    doc.Invert();
    doc.Bold();
    doc.Italic();
    EXPECT_EQ(outline(0), turned);
    EXPECT_EQ(outline(1), none);
    doc.Dele_Click();
    EXPECT_EQ(outline(0), none);
    doc.undo_Click(kLayout);
    EXPECT_EQ(outline(0), turned);
    for (int u = 0; u < 4; ++u) doc.undo_Click(kLayout);  // back before the turn
    EXPECT_EQ(outline(0),
              (std::vector<std::vector<OutlinePoint>>{{{2, 2}, {4, 2}, {4, 3}, {2, 3}}}));
    doc.redo_Click(kLayout);
    EXPECT_EQ(outline(0), turned);

    GlyphClipboard clipboard;
    Click(doc, 1);
    doc.copy_Click(clipboard);
    Click(doc, 2);
    doc.paste_Click(clipboard, kLayout);
    EXPECT_EQ(outline(2), none);
    EXPECT_EQ(outline(0), turned);
    doc.undo_Click(kLayout);
    EXPECT_EQ(outline(2), square.contours);
    doc.Aright_Click();
    EXPECT_FALSE(doc.HasSourceOutlines());
}

}  // namespace
}  // namespace pixmere::test
