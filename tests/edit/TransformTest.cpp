#include "EditTestSupport.h"

namespace pixmere::test {
namespace {

using Rows = std::vector<std::string>;

// A row of a wide glyph: ink at the given columns, or everywhere else with `inverted`.
std::string Ink(std::initializer_list<int> columns, bool inverted = false) {
    std::string row(255, inverted ? '#' : '.');
    for (int c : columns) row.at(static_cast<std::size_t>(c)) = inverted ? '.' : '#';
    return row;
}

struct Case {
    GlyphTransform transform;
    Rows after;
};

// Glyphs four rows high, the last one the downstroke; Italic slants one pixel every two rows.
std::vector<std::pair<Rows, std::vector<Case>>> Glyphs() {
    const GlyphTransform kH = GlyphTransform::FlipHorizontal, kV = GlyphTransform::FlipVertical,
                         kTurn = GlyphTransform::Rotate180, kInvert = GlyphTransform::Invert,
                         kBold = GlyphTransform::Bold, kItalic = GlyphTransform::Italic;
    return {
        // One byte, three padding bits.
        {{"##...", "#.#..", "#..#.", "....#"},
         {{kH, {"...##", "..#.#", ".#..#", "#...."}},
          {kV, {"....#", "#..#.", "#.#..", "##..."}},
          {kTurn, {"#....", ".#..#", "..#.#", "...##"}},
          {kInvert, {"..###", ".#.##", ".##.#", "####."}},
          {kBold, {"###..", "####.", "##.##", "....#"}},
          {kItalic, {".##..", "#.#..", "#..#.", "...#."}}}},
        // Two bytes, the second half padding.
        {{"#......#...#", "##.....##...", "...#####....", "#.......#..#"},
         {{kH, {"#...#......#", "...##.....##", "....#####...", "#..#.......#"}},
          {kV, {"#.......#..#", "...#####....", "##.....##...", "#......#...#"}},
          {kTurn, {"#..#.......#", "....#####...", "...##.....##", "#...#......#"}},
          {kInvert, {".######.###.", "..#####..###", "###.....####", ".#######.##."}},
          {kBold, {"##.....##..#", "###....###..", "...######...", "##......##.#"}},
          {kItalic, {".#......#...", "##.....##...", "...#####....", ".......#..#."}}}},
        // The widest: 32 bytes, one padding bit.
        {{Ink({0, 7, 8, 200, 254}), Ink({}), Ink({127, 128}), Ink({1, 254})},
         {{kH, {Ink({0, 54, 246, 247, 254}), Ink({}), Ink({126, 127}), Ink({0, 253})}},
          {kV, {Ink({1, 254}), Ink({127, 128}), Ink({}), Ink({0, 7, 8, 200, 254})}},
          {kTurn, {Ink({0, 253}), Ink({126, 127}), Ink({}), Ink({0, 54, 246, 247, 254})}},
          {kInvert,
           {Ink({0, 7, 8, 200, 254}, true), Ink({}, true), Ink({127, 128}, true),
            Ink({1, 254}, true)}},
          {kBold,
           {Ink({0, 1, 7, 8, 9, 200, 201, 254}), Ink({}), Ink({127, 128, 129}), Ink({1, 2, 254})}},
          {kItalic, {Ink({1, 8, 9, 201}), Ink({}), Ink({127, 128}), Ink({0, 253})}}}},
    };
}

// Each transform of pictured glyphs 5, 12 and 255 pixels wide, as one undo step that undo and
// redo go through; the padding bits, all set, stay set.
TEST(Transform, EachTransformOfPicturedGlyphsUndoesAndRedoes) {
    for (const auto& [before, cases] : Glyphs()) {
        const int width = static_cast<int>(before[0].size());
        for (const Case& c : cases) {
            SCOPED_TRACE("width " + std::to_string(width) + ", transform " +
                         std::to_string(static_cast<int>(c.transform)));
            Font font = FontFromPictures(Shape(width, 4, 0x20, 1, 1), {before});
            for (int y = 0; y < 4; ++y) {
                for (int x = width; x < font.params.NbByteMatrix() * 8; ++x) {
                    font.glyphs[0].setPixel(x, y, true);
                }
            }
            FontDocument doc(std::move(font));
            Click(doc, 0);
            const std::string padded = Picture(doc, 0);
            const EditResult r = doc.Transform(c.transform, 2);
            EXPECT_TRUE(r.modified && r.undoEnabled);
            EXPECT_EQ(Joined(GlyphPicture(doc.font().glyphs[0], width)), Joined(c.after));
            const std::string transformed = Picture(doc, 0);
            for (const std::string& row : GlyphPicture(doc.font().glyphs[0])) {
                EXPECT_EQ(row.find('.', static_cast<std::size_t>(width)), std::string::npos);
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
    doc.Invert();
    doc.Bold();
    doc.Italic();
    EXPECT_EQ(corner(0), (OutlinePoint{4, 2}));
    doc.Dele_Click();
    EXPECT_EQ(corner(0), (OutlinePoint{-1, -1}));
    for (int u = 0; u < 5; ++u) doc.undo_Click(kLayout);  // back before the turn
    EXPECT_EQ(corner(0), (OutlinePoint{2, 2}));
    doc.redo_Click(kLayout);
    EXPECT_EQ(corner(0), (OutlinePoint{4, 2}));

    GlyphClipboard clipboard;
    Click(doc, 1);
    doc.copy_Click(clipboard);
    Click(doc, 2);
    doc.paste_Click(clipboard, kLayout);
    EXPECT_EQ(corner(2), (OutlinePoint{-1, -1}));
    doc.undo_Click(kLayout);
    EXPECT_EQ(corner(2), (OutlinePoint{1, 1}));
    EXPECT_TRUE(doc.HasSourceOutlines());
    doc.Aright_Click();
    EXPECT_FALSE(doc.HasSourceOutlines());
}

}  // namespace
}  // namespace pixmere::test
