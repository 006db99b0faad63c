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

TEST(CopyPaste, TheBlockRules) {
    GlyphClipboard clipboard;
    FontDocument doc = Numbered(256);
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
    ScreenModel screen(doc);
    screen.Apply(doc.paste_Click(clipboard, kLayout));
    EXPECT_EQ(Numbers(doc, 249, 255), (std::vector<int>{249, 3, 3, 3, 3, 4, 5}));
    EXPECT_EQ(screen.selected, Selection(doc));
    EXPECT_EQ(Selection(doc).find('#'), 250u);  // the last press
}

TEST(CopyPaste, BetweenFontsOfDifferentSizesAlignedTopLeft) {
    const auto paste = [](const Font& from, Font to) {
        GlyphClipboard clipboard;
        FontDocument source(from), target(std::move(to));
        Click(source, 0);
        source.copy_Click(clipboard);
        Click(target, 0);
        target.paste_Click(clipboard, kLayout);
        return Picture(target, 0);
    };
    const std::string ink(16, '#');
    // 16 rows of 2 bytes into 12 rows of 1 byte: rows 0..11 of byte 0, padding bits included.
    EXPECT_EQ(paste(FontFromPictures(Params(12, 16), {std::vector(16, ink)}), BlankFont(5, 12, 1)),
              Joined(std::vector<std::string>(12, "########")));
    // 8 rows of 1 byte into 10 rows of 2 bytes: rows 8, 9 and byte 1 are cleared.
    std::vector<std::string> expected(8, "#..#..##........");
    expected.resize(10, "................");
    EXPECT_EQ(paste(FontFromPictures(Params(8, 8), {std::vector<std::string>(8, "#..#..##")}),
                    FontFromPictures(Params(16, 10), {std::vector(10, ink)})),
              Joined(expected));
}

TEST(CopyPaste, NothingSelectedOrNothingCopied) {
    GlyphClipboard clipboard;
    FontDocument doc = Numbered(10);
    EXPECT_TRUE(doc.copy_Click(clipboard).refused);
    Click(doc, 2);
    EXPECT_TRUE(doc.paste_Click(clipboard, kLayout).refused);
    EXPECT_FALSE(doc.FlagModified() || doc.UndoEnabled());
    doc.copy_Click(clipboard);
    // A copy with nothing selected keeps what the clipboard holds.
    EXPECT_TRUE(Numbered(10).copy_Click(clipboard).refused);
    EXPECT_EQ(clipboard.ClipCount(), 1);
    EXPECT_EQ(clipboard.at(0, 0, 0), 2);
}

}  // namespace
}  // namespace pixmere::test
