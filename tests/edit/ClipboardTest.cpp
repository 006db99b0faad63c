#include <gtest/gtest.h>

#include "EditTestSupport.h"

namespace pixmere::test {
namespace {

// A font of n characters 8 x 2 where character i shows i in binary on its first row.
Font NumberedFont(int n, int width = 8, int height = 2) {
    const FontParams p = Params(width, height, n);
    ByteMatrix m = p.blankMatrix();
    for (int i = 0; i < n; ++i) m.at(0, 0, i) = static_cast<uint8_t>(i);
    return MatrixToObject(p, m);
}

int Number(const FontDocument& doc, int i) { return doc.font().glyphs[i].carbitmap(0, 0); }

TEST(CopyPaste, ABlockOfThreeLandsFromTheSelectedCharacterOn) {
    GlyphClipboard clipboard;
    FontDocument doc(NumberedFont(256));
    Drag(doc, 3, {5});
    EXPECT_TRUE(doc.copy_Click(clipboard).clipboardFilled);
    EXPECT_EQ(clipboard.ClipCount(), 3);
    Click(doc, 10);
    doc.setFlagModified(false);
    const EditResult r = doc.paste_Click(clipboard, kLayout);
    EXPECT_TRUE(r.modified);
    EXPECT_EQ(Number(doc, 9), 9);
    EXPECT_EQ(Number(doc, 10), 3);
    EXPECT_EQ(Number(doc, 11), 4);
    EXPECT_EQ(Number(doc, 12), 5);
    EXPECT_EQ(Number(doc, 13), 13);
    // The pasted cells are repainted and the character under the last press reselected.
    EXPECT_EQ(r.cells,
              (std::vector<CellRedraw>{{10, kBlanc}, {11, kBlanc}, {12, kBlanc}, {10, kBleu}}));
    EXPECT_EQ(Selection(doc).find('#'), 10u);
    EXPECT_EQ(r.editGlyph, 10);
    EXPECT_TRUE(r.editRedraw);
    // One undo restores all three.
    doc.undo_Click(kLayout);
    for (int i = 9; i <= 13; ++i) EXPECT_EQ(Number(doc, i), i);
}

TEST(CopyPaste, ABlockThatDoesNotFitChangesNothingButIsStillAStep) {
    GlyphClipboard clipboard;
    FontDocument doc(NumberedFont(256));
    Drag(doc, 3, {5});
    doc.copy_Click(clipboard);
    // Dragged back from 254 to 250: 254 cannot take three characters, the others can.
    Drag(doc, 254, {250});
    doc.setFlagModified(false);
    ScreenModel screen(256);
    for (int i = 250; i <= 254; ++i) screen.colours[i] = kBleu;
    const EditResult r = doc.paste_Click(clipboard, kLayout);
    screen.Apply(r);
    EXPECT_TRUE(r.modified);
    EXPECT_TRUE(r.undoEnabled);
    const std::vector<int> expected = {3, 3, 3, 3, 4, 5};  // 250..255
    for (int i = 250; i <= 255; ++i) EXPECT_EQ(Number(doc, i), expected[i - 250]) << i;
    // Every cell the paste deselected is repainted, 254 included.
    EXPECT_EQ(screen.Selected(), Selection(doc));
    EXPECT_EQ(Selection(doc).find('#'), 250u);

    Click(doc, 254);
    doc.paste_Click(clipboard, kLayout);
    EXPECT_EQ(Number(doc, 254), 4);
    EXPECT_EQ(Number(doc, 255), 5);
    EXPECT_EQ(doc.history().UndoPos(), 2);
}

TEST(CopyPaste, SeveralSelectedCharactersEachReceiveTheStartOfTheClipboard) {
    GlyphClipboard clipboard;
    FontDocument doc(NumberedFont(20));
    Drag(doc, 1, {2});
    doc.copy_Click(clipboard);
    Drag(doc, 10, {11});
    doc.paste_Click(clipboard, kLayout);
    EXPECT_EQ(Number(doc, 10), 1);
    EXPECT_EQ(Number(doc, 11), 1);
    EXPECT_EQ(Number(doc, 12), 2);
    EXPECT_EQ(Number(doc, 13), 13);
    EXPECT_EQ(Selection(doc), "...........#........");  // the last press was on 11
}

TEST(CopyPaste, BetweenFontsOfDifferentSizesAlignedTopLeft) {
    GlyphClipboard clipboard;
    // 16 rows of 2 bytes, every bit set, into 12 rows of 1 byte: rows 0..11 and byte 0 taken.
    const FontParams big = Params(12, 16, 1);
    ByteMatrix full = big.blankMatrix();
    std::fill(full.data().begin(), full.data().end(), uint8_t{0xFF});
    FontDocument source(MatrixToObject(big, full));
    Click(source, 0);
    source.copy_Click(clipboard);
    EXPECT_EQ(clipboard.ClipBytes(), 2);
    EXPECT_EQ(clipboard.ClipHeight(), 16);

    FontDocument narrow(BlankFont(5, 12, 2));
    Click(narrow, 1);
    narrow.paste_Click(clipboard, kLayout);
    // Whole bytes travel: the target's padding bits are set too.
    EXPECT_EQ(Picture(narrow, 1), Picture(std::vector<std::string>(12, "########")));
    EXPECT_EQ(Picture(narrow, 0), Picture(std::vector<std::string>(12, "........")));

    // 8 rows of 1 byte into 10 rows of 2 bytes: rows 8, 9 and byte 1 are cleared.
    FontDocument small(FontFromPictures(Params(8, 8), {std::vector<std::string>(8, "#..#..##")}));
    Click(small, 0);
    small.copy_Click(clipboard);
    FontDocument wide(MatrixToObject(Params(16, 10, 1), [] {
        ByteMatrix m = Params(16, 10, 1).blankMatrix();
        std::fill(m.data().begin(), m.data().end(), uint8_t{0xFF});
        return m;
    }()));
    Click(wide, 0);
    wide.paste_Click(clipboard, kLayout);
    std::vector<std::string> expected(8, "#..#..##........");
    expected.insert(expected.end(), 2, "................");
    EXPECT_EQ(Picture(wide, 0), Picture(expected));
}

TEST(CopyPaste, CopyWithNothingSelectedKeepsTheClipboard) {
    GlyphClipboard clipboard;
    FontDocument doc(NumberedFont(10));
    const EditResult empty = doc.copy_Click(clipboard);
    EXPECT_TRUE(empty.refused);
    EXPECT_FALSE(clipboard.ClipboardFull());
    // Paste before any copy is refused and records nothing.
    Click(doc, 2);
    const EditResult r = doc.paste_Click(clipboard, kLayout);
    EXPECT_TRUE(r.refused);
    EXPECT_FALSE(r.modified);
    EXPECT_FALSE(r.undoEnabled);

    doc.copy_Click(clipboard);
    FontDocument fresh(NumberedFont(10));
    EXPECT_TRUE(fresh.copy_Click(clipboard).refused);
    EXPECT_EQ(clipboard.ClipCount(), 1);
    EXPECT_EQ(clipboard.at(0, 0, 0), 2);
    // Copy changes nothing in the document.
    EXPECT_FALSE(doc.FlagModified());
    EXPECT_FALSE(doc.UndoEnabled());
}

TEST(Delete, ClearsTheOrderedSelectionAndShowsItsHighEnd) {
    FontDocument doc(NumberedFont(12));
    Drag(doc, 9, {4});
    const EditResult r = doc.Dele_Click();
    EXPECT_EQ(doc.SelAnchor(), 4);
    EXPECT_EQ(doc.CurrentCar(), 9);
    EXPECT_EQ(r.editGlyph, 9);
    EXPECT_TRUE(r.editRedraw);
    EXPECT_EQ(r.cells.size(), 6u);
    EXPECT_EQ(r.cells.front(), (CellRedraw{4, kBleu}));
    for (int i = 0; i < 12; ++i) EXPECT_EQ(Number(doc, i), i >= 4 && i <= 9 ? 0 : i) << i;
    EXPECT_EQ(Selection(doc), "....######..");
    doc.undo_Click(kLayout);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(Number(doc, i), i);
}

}  // namespace
}  // namespace pixmere::test
