#include <gtest/gtest.h>

#include "model/CharacterLookup.h"
#include "model/PrintedText.h"
#include "model/Windows1252.h"
#include "support/GlyphPicture.h"
#include "support/SampleFonts.h"

namespace pixmere {
namespace {

// Two lines, magnification 3: every glyph row three dot rows high; "?" lies outside the font
// (codes 41-42), so it is a dotted empty cell. '#' ink, ':' the frame of a missing cell.
TEST(PrintedText, TwoLinesAtMagnificationThreeWithAMissingCharacter) {
    const Font font = test::FontFromPictures(test::Shape(4, 3, 0x41, 2, 1, 3),
                                             {{".##.", "#..#", "####"}, {"###.", "#.##", "###."}});
    const PrintedText text(font.params, U"AB\nB?");
    std::vector<std::string> dots(static_cast<std::size_t>(text.height()));
    for (int y = 0; y < text.height(); ++y) {
        for (int x = 0; x < text.width(); ++x) dots[y] += ".#:"[int(text.Dot(font, x, y))];
    }
    const std::string A0 = ".##.###.", A1 = "#..##.##", A2 = "#######.";
    EXPECT_EQ(test::Joined(dots),
              test::Joined({A0, A0, A0, A1, A1, A1, A2, A2, A2,  //
                            "###.:.:.", "###....:", "###.:...", "#.##...:", "#.##:...",
                            "#.##...:", "###.:...", "###....:", "###.:.:."}));
    EXPECT_EQ(text.BaselineRows(), (std::vector<int>{6, 15}));
    EXPECT_EQ(text.CellsShowing(1), (std::vector<std::size_t>{1, 2}));
    EXPECT_EQ(text.CellRect(3), (DotRect{4, 9, 4, 9}));
    // Past the end of the second line's cells the paper is blank.
    EXPECT_EQ(PrintedText(font.params, U"A\nAB").Dot(font, 5, 1), PrintedDot::Paper);
    EXPECT_EQ(text.CellsIn({3, 8, 2, 2}), (std::vector<std::size_t>{0, 1, 2, 3}));
}

TEST(PrintedText, TheDefaultTextIsTheFontsOwnLettersAndDigits) {
    const auto sample = [](int first, int last) {
        return DefaultSampleText(test::Shape(8, 8, first, last - first + 1));
    };
    EXPECT_EQ(sample(0x20, 0x7E),
              U"ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz 0123456789");
    EXPECT_EQ(sample(0x30, 0x5A), U"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");  // no space
    // None of them: the first printable characters, the code page's gaps skipped.
    EXPECT_EQ(sample(0x7F, 0x86), U"\u20AC\u201A\u0192\u201E\u2026\u2020");
    EXPECT_EQ(sample(0x00, 0x1F), U"");
}

// A typed key or the text of "Go to Character", in a font of codes 20-7E; one character is the
// character, never a code.
TEST(GoToCharacter, CharactersAndHexadecimalCodes) {
    const FontParams p = test::Shape(8, 8, 0x20, 0x5F);
    const std::string noCode =
        "Type one character, or a character code in hexadecimal such as 41 or 41h.";
    const struct {
        std::u32string text;
        int32_t glyph;
        std::string refusal;
    } cases[] = {
        {U"A", 0x21, ""},
        {U"7", 0x17, ""},
        {U"41", 0x21, ""},
        {U" 0x41 ", 0x21, ""},
        {U"7eH", 0x5E, ""},
        {U"Ah", -1, "The font has no character 0Ah: it holds 20h to 7Eh."},
        {U"\u4E2D", -1, "The printer's character set has no code for this character."},
        {U"100", -1, noCode},
        {U"  ", -1, noCode},
    };
    for (const auto& c : cases) {
        const CharacterLookup found = GoToCharacter(p, c.text);
        EXPECT_EQ(found.glyph, c.glyph) << c.text.size();
        EXPECT_EQ(GoToRefusal(p, found), c.refusal);
    }
    EXPECT_EQ(CarForKey(p, U'A'), 0x21);
    EXPECT_EQ(CarForKey(p, U'\u00E9'), -1);
    EXPECT_EQ(CarForKey(test::Shape(8, 8, 0, 256), U'\t'), -1);  // held, but not typed
}

TEST(Windows1252, MapsTheHighRowKeepsTheUndefinedCodesAndReplacesControlsInText) {
    for (int code = 0; code < 256; ++code) {
        EXPECT_EQ(UnicodeToWindows1252(Windows1252ToUnicode(static_cast<uint8_t>(code))), code);
    }
    EXPECT_EQ(std::u32string({Windows1252ToUnicode(0x41), Windows1252ToUnicode(0x80),
                              Windows1252ToUnicode(0x9F), Windows1252ToUnicode(0xE9),
                              Windows1252ToUnicode(0x81), Windows1252ToUnicode(0x9D)}),
              U"A\u20AC\u0178\u00E9\u0081\u009D");
    for (const char32_t c : {U'\u0080', U'\U0001F600'}) EXPECT_EQ(UnicodeToWindows1252(c), -1);
    const uint8_t text[] = {'S', 0xE9, 0x80, 0x01, 0x1F, 0x7F, 0x81, 0x9D, 'x'};
    EXPECT_EQ(Windows1252ToUtf8(text),
              "S\xC3\xA9\xE2\x82\xAC"
              "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBDx");
}

}  // namespace
}  // namespace pixmere
