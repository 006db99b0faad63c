#include <gtest/gtest.h>

#include "EditTestSupport.h"

namespace pixmere::test {
namespace {

// A font of n characters 8 x 2 whose character i holds i in its first byte.
FontDocument Numbered(int n) {
    const FontParams p = Params(8, 2, n);
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

FontDocument Filled(int width, int height, uint8_t value) {
    const FontParams p = Params(width, height, 1);
    ByteMatrix m = p.blankMatrix();
    std::fill(m.data().begin(), m.data().end(), value);
    return FontDocument(MatrixToObject(p, m));
}

TEST(CopyPaste, TheBlockRules) {
    GlyphClipboard clipboard;
    FontDocument doc = Numbered(256);
    Drag(doc, 3, {5});
    EXPECT_TRUE(doc.copy_Click(clipboard).clipboardFilled);
    Click(doc, 10);
    EditResult r = doc.paste_Click(clipboard, kLayout);
    EXPECT_EQ(Numbers(doc, 9, 13), (std::vector<int>{9, 3, 4, 5, 13}));
    EXPECT_EQ(r.cells,
              (std::vector<CellRedraw>{{10, kBlanc}, {11, kBlanc}, {12, kBlanc}, {10, kBleu}}));
    EXPECT_EQ(r.editGlyph, 10);
    doc.undo_Click(kLayout);  // one undo restores all three
    EXPECT_EQ(Numbers(doc, 9, 13), (std::vector<int>{9, 10, 11, 12, 13}));

    // A block that does not fit changes nothing, yet is a step and marks the document.
    Click(doc, 254);
    doc.setFlagModified(false);
    r = doc.paste_Click(clipboard, kLayout);
    EXPECT_EQ(Numbers(doc, 254, 255), (std::vector<int>{254, 255}));
    EXPECT_TRUE(r.modified && r.undoEnabled);

    // Several selected: each receives the start of the clipboard, later blocks overwriting
    // earlier ones; 254 cannot take a block and is left as it was, but deselected.
    Drag(doc, 254, {250});
    ScreenModel screen(256);
    for (int i = 250; i <= 254; ++i) screen.colours[i] = kBleu;
    screen.Apply(doc.paste_Click(clipboard, kLayout));
    EXPECT_EQ(Numbers(doc, 249, 255), (std::vector<int>{249, 3, 3, 3, 3, 4, 5}));
    EXPECT_EQ(screen.Selected(), Selection(doc));
    EXPECT_EQ(Selection(doc).find('#'), 250u);  // the last press
}

TEST(CopyPaste, BetweenFontsOfDifferentSizesAlignedTopLeft) {
    GlyphClipboard clipboard;
    // 16 rows of 2 bytes into 12 rows of 1 byte: rows 0..11 of byte 0, padding bits included.
    FontDocument big = Filled(12, 16, 0xFF);
    Click(big, 0);
    big.copy_Click(clipboard);
    FontDocument narrow(BlankFont(5, 12, 2));
    Click(narrow, 1);
    narrow.paste_Click(clipboard, kLayout);
    EXPECT_EQ(Picture(narrow, 1), Picture(std::vector<std::string>(12, "########")));
    EXPECT_EQ(Picture(narrow, 0), Picture(std::vector<std::string>(12, "........")));

    // 8 rows of 1 byte into 10 rows of 2 bytes: rows 8, 9 and byte 1 are cleared.
    FontDocument small(FontFromPictures(Params(8, 8), {std::vector<std::string>(8, "#..#..##")}));
    Click(small, 0);
    small.copy_Click(clipboard);
    FontDocument wide = Filled(16, 10, 0xFF);
    Click(wide, 0);
    wide.paste_Click(clipboard, kLayout);
    std::vector<std::string> expected(8, "#..#..##........");
    expected.insert(expected.end(), 2, "................");
    EXPECT_EQ(Picture(wide, 0), Picture(expected));
}

TEST(CopyPaste, NothingSelectedOrNothingCopied) {
    GlyphClipboard clipboard;
    FontDocument doc = Numbered(10);
    EXPECT_TRUE(doc.copy_Click(clipboard).refused);
    Click(doc, 2);
    const EditResult r = doc.paste_Click(clipboard, kLayout);
    EXPECT_TRUE(r.refused);
    EXPECT_FALSE(r.modified || r.undoEnabled);
    doc.copy_Click(clipboard);
    EXPECT_FALSE(doc.FlagModified() || doc.UndoEnabled());  // copying changes no document
    // A copy with nothing selected keeps what the clipboard holds.
    FontDocument fresh = Numbered(10);
    EXPECT_TRUE(fresh.copy_Click(clipboard).refused);
    EXPECT_EQ(clipboard.ClipCount(), 1);
    EXPECT_EQ(clipboard.at(0, 0, 0), 2);
}

TEST(Delete, ClearsTheOrderedSelectionAndShowsItsHighEnd) {
    FontDocument doc = Numbered(12);
    Drag(doc, 9, {4});
    const EditResult r = doc.Dele_Click();
    EXPECT_EQ(doc.SelAnchor(), 4);
    EXPECT_EQ(doc.CurrentCar(), 9);
    EXPECT_EQ(r.editGlyph, 9);
    EXPECT_EQ(r.cells.size(), 6u);
    EXPECT_EQ(r.cells.front(), (CellRedraw{4, kBleu}));
    EXPECT_EQ(Numbers(doc, 3, 10), (std::vector<int>{3, 0, 0, 0, 0, 0, 0, 10}));
    doc.undo_Click(kLayout);
    EXPECT_EQ(Numbers(doc, 3, 10), (std::vector<int>{3, 4, 5, 6, 7, 8, 9, 10}));
}

}  // namespace
}  // namespace pixmere::test
