// The two fittings over whole ranges: every cell size the parameters dialog accepts, and the
// whole-face fitting's placement of accents, descenders and marks.
#include <gtest/gtest.h>

#include <numeric>

#include "TtfTestSupport.h"
#include "truetype/FitLosses.h"
#include "truetype/TtfImport.h"

namespace pixmere::test {
namespace {

// Where a glyph has ink, in cell rows and columns.
Extent InkOf(const Font& font, int code) {
    const CarObject& glyph = font.glyphs.at(static_cast<std::size_t>(code - font.params.firstcar));
    return InkExtent(font.params.FormatLengthCar, font.params.FormatHeightCar,
                     [&](int x, int y) { return glyph.pixel(x, y); });
}

std::string PictureOf(const Font& font, int code) {
    return Joined(
        GlyphPicture(font.glyphs.at(static_cast<std::size_t>(code - font.params.firstcar)),
                     font.params.FormatLengthCar));
}

Font Imported(const FontParams& cell, TtfFit fit) {
    const TtfImportResult r = ImportTtfRange(DejaVu(), cell, {.Fit = fit});
    EXPECT_EQ(r.status, TtfImportResult::Status::Done) << r.message;
    return r.font;
}

TEST(TtfFit, SurfaceGrowsWhereSamplePointsWouldSharePixels) {
    EXPECT_EQ(SurfaceSize(16, 16, 5), 209);    // what the dialog shows
    EXPECT_EQ(SurfaceSize(41, 40, 5), 209);    // 205 units still fit
    EXPECT_EQ(SurfaceSize(16, 205, 5), 1030);  // (H + 1)·r units, one pixel each
    EXPECT_EQ(SurfaceSize(209, 16, 5), 1045);
    EXPECT_EQ(SurfaceSize(255, 255, 2.5f), 640);
    EXPECT_EQ(SurfaceSize(255, 255, 99), TtfConverter::kMaxSurfaceSize);
}

// Tall, wide and the largest cells, where the grid of a 209-pixel surface hid every pixel: "A"
// fills the cell, or in the whole face more than half of it. The smallest cell, and downstrokes
// that leave "X" a row or two: an "X" narrower than a surface unit gave a horizontal step of 0.
TEST(TtfFit, EveryCellSizeConvertsWithInk) {
    const std::tuple<int, int, int> cells[] = {{205, 16, 0}, {16, 209, 0}, {255, 255, 0},
                                               {1, 1, 0},    {16, 8, 15},  {100, 16, 98}};
    for (const auto& [h, w, j] : cells) {
        for (const TtfFit fit : {TtfFit::XHeight, TtfFit::WholeFace}) {
            SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h) + " fit " +
                         std::to_string(int(fit)));
            const Extent ink = InkOf(Imported(Cell(h, w, j, 0x41, 0x41), fit), 0x41);
            if (j > 0 || h == 1) continue;
            if (fit == TtfFit::WholeFace) {
                EXPECT_GT(ink.bottom - ink.top, h / 2);
                continue;
            }
            EXPECT_LE(ink.top, 1);
            EXPECT_GE(ink.bottom, h - 2);
            EXPECT_GE(ink.right - ink.left, w / 2);
        }
    }
}

TEST(TtfFit, WholeFaceKeepsAccentsDescendersAndMarks) {
    const TtfImportResult byFace =
        ImportTtfRange(DejaVu(), Cell(24, 16, 5, 0x20, 0xFF), {.Fit = TtfFit::WholeFace});
    const TtfImportResult byX = ImportTtfRange(DejaVu(), Cell(24, 16, 5, 0x20, 0xFF));
    const Font& face = byFace.font;
    const Font& x = byX.font;
    // What the X-height fitting loses is told; the whole face loses nothing.
    const std::vector<int> lost = LostCharacters(byX);
    for (const int code : {int{'_'}, 0xC0, 0xC9, 0xDD}) {
        EXPECT_NE(std::find(lost.begin(), lost.end(), code), lost.end()) << std::hex << code;
    }
    EXPECT_EQ(LostCharacters(byFace), std::vector<int>());
    // Accented capitals reach above the plain capital; in the X-height fitting they lose it.
    const std::string accented =
                          "\xC0\xC1\xC2\xC3\xC4\xC5\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF\xD1\xD2\xD3"
                          "\xD4\xD5\xD6\xD9\xDA\xDB\xDC\xDD\x9F",
                      plain = "AAAAAAEEEEIIIINOOOOOUUUUYY";
    for (std::size_t n = 0; n < plain.size(); ++n) {
        const int code = static_cast<uint8_t>(accented[n]);
        EXPECT_LT(InkOf(face, code).top, InkOf(face, plain[n]).top) << std::hex << code;
        EXPECT_EQ(InkOf(face, code).bottom, InkOf(face, plain[n]).bottom) << std::hex << code;
    }
    EXPECT_EQ(InkOf(x, 0xC0).top, InkOf(x, 'A').top);  // the default fitting is kept as it was
    // Capitals and the baseline: the plain capitals end on the row above the downstroke.
    for (const char c : {'A', 'H', 'Z'}) EXPECT_EQ(InkOf(face, c).bottom, 18) << c;
    // Descenders reach into the downstroke rows, the underscore lies in them, marks stay high.
    for (const char c : {'g', 'j', 'p', 'q', 'y'}) EXPECT_GE(InkOf(face, c).bottom, 20) << c;
    EXPECT_GE(InkOf(face, '_').top, 19);
    EXPECT_EQ(InkOf(x, '_').top, -1);  // below the visible rows in the X-height fitting
    for (const char c : {'\'', '"'}) EXPECT_LT(InkOf(face, c).bottom, 12) << c;
    EXPECT_GT(InkOf(face, 0xC7).bottom, InkOf(face, 'C').bottom);  // the cedilla
    // Centred on whole pixels; a character wider than the cell is squeezed into it.
    for (const char c : {'i', 'l', 'I', '!', '|', 'H', 'o'}) {
        const Extent ink = InkOf(face, c);
        EXPECT_LE(std::abs(ink.left - (15 - ink.right)), 1) << c << PictureOf(face, c);
    }
    for (const char c : {'W', 'M', 'm', '@'}) {
        const Extent ink = InkOf(face, c);
        EXPECT_TRUE(ink.left <= 1 && ink.right >= 14) << c << PictureOf(face, c);
    }
}

TEST(TtfFit, TheMessageOnLostCharactersNamesTheFirstAndTheFitThatKeepsThem) {
    EXPECT_EQ(LostCharactersMessage({}, TtfFit::XHeight, "--fit face"), "");
    EXPECT_EQ(LostCharactersMessage({'_', 0xC0}, TtfFit::XHeight, "--fit face"),
              "2 characters of the face came out empty or cut at the edges of the cell: _ "
              "\u00C0. --fit face keeps them.");
    std::vector<int> many(18);
    std::iota(many.begin(), many.end(), 0x41);
    EXPECT_EQ(LostCharactersMessage(many, TtfFit::WholeFace, ""),
              "18 characters of the face came out empty or cut at the edges of the cell: A B C D "
              "E F G H I J K L M N O P and 2 more.");
    many.resize(16);
    EXPECT_TRUE(LostCharactersMessage(many, TtfFit::WholeFace, "").ends_with(" O P."));
}

TEST(TtfFit, ChangingTheFitRefitsTheReferenceAndKeepsThePreview) {
    TtfConverter c = Loaded(DejaVu(), Cell(24, 16, 5));
    c.Text1_Change("g");
    const std::vector<std::string> byExtent = ResultPicture(c.state);
    const ConversionState before = c.state;
    c.Fit_Change(TtfFit::WholeFace);
    EXPECT_EQ(c.controls.Text1, "g");
    EXPECT_EQ(c.Settings().Fit, TtfFit::WholeFace);
    EXPECT_NE(ResultPicture(c.state), byExtent);
    EXPECT_NE(c.state.SavedCharSize, before.SavedCharSize);
    c.Fit_Change(TtfFit::XHeight);
    EXPECT_EQ(ResultPicture(c.state), byExtent);
    EXPECT_EQ(c.state.SavedCharSize, before.SavedCharSize);
    EXPECT_EQ(c.state.SavedStepX, before.SavedStepX);
}

TEST(TtfFit, LoadTakesTheSettingsAndGivesThemBack) {
    const ConversionSettings settings{.ShiftMode = 1,
                                      .CombineMode = 2,
                                      .Threshold = 30,
                                      .Amplitude = 7,
                                      .Resolution = 4,
                                      .Fit = TtfFit::WholeFace};
    TtfConverter c(DejaVu(), Cell(16, 16, 3));
    c.Load(settings);
    EXPECT_EQ(c.Settings(), settings);
    EXPECT_EQ(c.state.ShiftCount, 8);  // the preview was converted with them
    EXPECT_FLOAT_EQ(c.state.Amplitude, 0.7f);
    // What the controls cannot hold is brought into their range; a resolution they cannot
    // hold keeps the default.
    TtfConverter bounded(DejaVu(), Cell(16, 16, 3));
    bounded.Load({.Threshold = 0, .Amplitude = 90, .Resolution = 0});
    EXPECT_EQ(bounded.Settings(), (ConversionSettings{.Threshold = 1, .Amplitude = 50}));
    EXPECT_EQ(TtfConverter(DejaVu(), Cell(16, 16, 3)).Settings(), ConversionSettings{});
}

}  // namespace
}  // namespace pixmere::test
