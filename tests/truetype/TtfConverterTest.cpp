#include <gtest/gtest.h>

#include "TtfTestSupport.h"
#include "support/GlyphPicture.h"
#include "truetype/TtfConverter.h"

namespace pixmere {
namespace {

using test::Cell;
using test::Joined;
using test::ResultPicture;

// A converter loaded as the dialog is: reference fit and one conversion done.
TtfConverter Loaded(const TtfFace& face, const FontParams& cell) {
    TtfConverter c(face, cell);
    c.Load();
    return c;
}

// Counts per cell of the current rendering, read back independently of the engine.
std::vector<int> CountsOnSurface(const TtfConverter& c) {
    const auto& s = c.state;
    const int w = c.document().FormatLengthCar, h = c.document().FormatHeightCar;
    std::vector<int> counts;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int n = 0;
            for (int py = int(Rnd(s.Resolution * y));
                 py <= int(Rnd(s.Resolution - 1 + s.Resolution * y)); ++py) {
                for (int px = int(Rnd(s.StepX * x)); px <= int(Rnd(s.StepX - 1 + s.StepX * x));
                     ++px) {
                    n += c.Picture1().IsBlack(px, py);
                }
            }
            counts.push_back(n);
        }
    }
    return counts;
}

std::vector<int> ShiftCounts(const ConversionState& s, int shift) {
    std::vector<int> counts;
    for (int y = 0; y < s.SampleCounts.rows(); ++y) {
        for (int x = 0; x < s.SampleCounts.columns(); ++x)
            counts.push_back(s.SampleCounts(x, y, shift));
    }
    return counts;
}

TEST(TtfConverter, ReferenceXSpansThePartAboveTheDownstroke) {
    for (const auto& [h, w, j] :
         {std::tuple{16, 16, 3}, std::tuple{24, 12, 5}, std::tuple{10, 8, 0}}) {
        TtfConverter c = Loaded(test::DejaVu(), Cell(h, w, j));
        const ConversionState& s = c.state;
        EXPECT_EQ(s.PosX, s.SavedPosX);
        EXPECT_EQ(s.CharSize, s.SavedCharSize);
        // On the surface: top on row 0 and bottom at the downstroke's top edge (within a device
        // pixel); over the cell's rows, left edge on column 0 and right edge at W·sx.
        const float r = s.Resolution;
        const int columns = int(w * s.StepX) + 20;
        const test::Extent all = test::BlackExtent(c.Picture1(), columns, int((h + 1) * r));
        EXPECT_EQ(all.top, 0);
        EXPECT_NEAR(all.bottom, (h - j) * r, 3) << h << "/" << j;
        const test::Extent cell = test::BlackExtent(c.Picture1(), columns, int(h * r));
        EXPECT_EQ(cell.left, 0);
        EXPECT_NEAR(cell.right, w * s.StepX, 1.5) << h << "/" << w;
        // Converted: ink from the top row down to the last row above the downstroke.
        EXPECT_EQ(test::InkRows(s), std::make_pair(0, h - j - 1)) << Joined(ResultPicture(s));
    }
}

TEST(TtfConverter, CharactersAreFittedByTheirVerticalExtent) {
    TtfConverter c = Loaded(test::DejaVu(), Cell(16, 16, 3));
    c.Text1_Change(" ");
    EXPECT_EQ(test::InkRows(c.state).first, -1) << Joined(ResultPicture(c.state));

    c.Text1_Change("g");  // reaches into the downstroke rows, down to the bottom row
    EXPECT_EQ(test::InkRows(c.state).second, 15) << Joined(ResultPicture(c.state));

    c.Text1_Change("a");  // set on the baseline
    EXPECT_EQ(test::InkRows(c.state).second, 12) << Joined(ResultPicture(c.state));

    // An apostrophe reaching no lower than the top quarter at the reference size stays there.
    // (With a shallower downstroke, the "X" and with it this face's apostrophe are taller: the
    // apostrophe then ends below the quarter, counts as ending near the baseline and is set on
    // it.)
    TtfConverter tall = Loaded(test::DejaVu(), Cell(16, 16, 8));
    tall.Text1_Change("'");
    const auto [first, last] = test::InkRows(tall.state);
    EXPECT_EQ(first, 0) << Joined(ResultPicture(tall.state));
    EXPECT_LT(last, 4) << Joined(ResultPicture(tall.state));
    EXPECT_GT(tall.state.FilledCells, 0);
}

TEST(TtfConverter, OneShiftIsTheThresholdedStartPosition) {
    TtfConverter c = Loaded(test::DejaVu(), Cell(16, 16, 3));
    c.state.ShiftMode = 2;
    c.controls.Slider2 = 30;
    c.Text1_Change("&");
    ASSERT_EQ(c.state.ShiftCount, 1);
    // No move: the surface shows the sampled position again, now on white.
    const std::vector<int> expected = CountsOnSurface(c);
    EXPECT_EQ(ShiftCounts(c.state, 0), expected);
    int filled = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const bool ink = expected[y * 16 + x] > c.state.Threshold;
            EXPECT_EQ(c.state.SampleBits(x, y, 0), ink ? 1 : 0) << x << "," << y;
            filled += ink;
        }
    }
    EXPECT_EQ(c.state.FilledCells, filled);
    EXPECT_EQ(c.FillRatioText(), ScientificRatio(filled, 256));
}

TEST(TtfConverter, ShiftsSampleTheTabledPositions) {
    // Each shift's counts are those of a single sample at its offset from the start, in steps
    // of one unit (a = 2, r = sx = 5).
    const std::vector<std::pair<int, int>> offsets = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1},
                                                      {-1, 0},  {0, -1}, {1, 0}, {0, 1}};
    TtfConverter c = Loaded(test::DejaVu(), Cell(12, 10, 2));
    c.state.CurrentChar = "R";
    c.state.StepX = 5;
    c.state.PosX = 7;
    c.state.PosY = 3;
    c.state.ShiftMode = 1;
    c.ConvertCurrent();
    ASSERT_EQ(c.state.ShiftCount, 8);
    EXPECT_EQ(c.state.PosX, 7);  // back at the start
    EXPECT_EQ(c.state.PosY, 3);
    const ConversionState eight = c.state;

    c.state.ShiftMode = 0;
    c.ConvertCurrent();
    ASSERT_EQ(c.state.ShiftCount, 4);
    const ConversionState four = c.state;

    for (int s = 0; s < 8; ++s) {
        c.state.ShiftMode = 2;
        c.state.PosX = static_cast<int16_t>(7 + offsets[s].first);
        c.state.PosY = static_cast<int16_t>(3 + offsets[s].second);
        c.ConvertCurrent();
        EXPECT_EQ(ShiftCounts(eight, s), ShiftCounts(c.state, 0)) << "shift " << s;
        if (s < 4) {
            EXPECT_EQ(ShiftCounts(four, s), ShiftCounts(c.state, 0)) << "shift " << s;
        }
    }
    // The shifts differ from one another: the character did move.
    EXPECT_NE(ShiftCounts(eight, 0), ShiftCounts(eight, 2));
}

TEST(TtfConverter, AmplitudeZeroSamplesOneImageFourTimes) {
    TtfConverter c = Loaded(test::DejaVu(), Cell(16, 16, 3));
    c.Slider5_Change(0);
    EXPECT_FLOAT_EQ(c.state.Amplitude, 0.0f);
    c.Text1_Change("B");
    for (int s = 1; s < 4; ++s) EXPECT_EQ(ShiftCounts(c.state, s), ShiftCounts(c.state, 0));
    EXPECT_EQ(ShiftCounts(c.state, 0), CountsOnSurface(c));
}

TEST(TtfConverter, MovesRoundHalvesToEven) {
    TtfConverter c(test::DejaVu(), Cell(16, 16, 3));
    c.state.StepX = 5;
    c.state.Resolution = 5;
    c.state.Amplitude = 1;  // steps of 0.5
    c.state.PosX = 3;
    c.MoveLeft();
    EXPECT_EQ(c.state.PosX, 2);  // rnd(2.5)
    c.MoveLeft();
    EXPECT_EQ(c.state.PosX, 2);  // rnd(1.5)
    c.MoveRight();
    EXPECT_EQ(c.state.PosX, 2);  // rnd(2.5)
    c.state.PosY = 3;
    c.MoveDown();
    EXPECT_EQ(c.state.PosY, 4);  // rnd(3.5)
    c.MoveUp();
    EXPECT_EQ(c.state.PosY, 4);  // rnd(3.5)
    c.state.Amplitude = 0.4f;    // steps of 0.2: the character never moves
    for (int i = 0; i < 5; ++i) c.MoveRight();
    EXPECT_EQ(c.state.PosX, 2);
    c.state.PosY = 32767;
    c.state.Amplitude = 2;
    EXPECT_THROW(c.MoveDown(), ConversionFailure);
}

TEST(TtfConverter, CombinationModesFeedTheResult) {
    TtfConverter c = Loaded(test::DejaVu(), Cell(16, 16, 3));
    c.controls.Slider2 = 40;
    c.Text1_Change("W");
    const SampleArray counts = c.state.SampleCounts;
    const auto mode0 = ResultPicture(c.state);
    const int filled = c.state.FilledCells;
    EXPECT_GT(filled, 0);
    EXPECT_FALSE(c.FillRatioText().isEmpty());

    // The least count over the shifts passes the same threshold exactly where all shifts do.
    c.state.CombineMode = 1;
    c.CombineShifts();
    EXPECT_EQ(ResultPicture(c.state), mode0);
    EXPECT_TRUE(c.FillRatioText().isEmpty());

    // Mean of the counts against the slider value itself.
    c.state.CombineMode = 2;
    c.Slider2_Change(5);
    EXPECT_EQ(c.state.Threshold, 5);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const int sum = counts(x, y, 0) + counts(x, y, 1) + counts(x, y, 2) + counts(x, y, 3);
            EXPECT_EQ(c.state.SampleBits(x, y, 0), sum / 4.0 > 5 ? 1 : 0) << x << "," << y;
        }
    }
    // Recombining never samples again.
    ConversionState before;
    before.SampleCounts = counts;
    for (int s = 0; s < 4; ++s) EXPECT_EQ(ShiftCounts(c.state, s), ShiftCounts(before, s));
    EXPECT_EQ(c.state.FilledCells, filled);  // kept from the last threshold-then-AND
}

TEST(TtfConverter, ThresholdFollowsTheSliderAndTheSampleArea) {
    TtfConverter c(test::ShapesFace(), Cell(8, 8, 0));
    c.state.StepX = 5;
    c.state.CharSize = 100;
    c.state.CurrentChar = "#";  // ink everywhere
    c.state.ShiftMode = 2;
    c.ConvertCurrent();
    EXPECT_EQ(c.state.Threshold, 0);  // rnd(0.01 · 25)
    EXPECT_EQ(c.state.FilledCells, 64);
    EXPECT_EQ(c.FillRatioText(), "1.00E+00");
    // The grid lines cover the first sample row and column of every cell but the first ones.
    EXPECT_EQ(c.state.SampleCounts(0, 0, 0), 25);
    EXPECT_EQ(c.state.SampleCounts(1, 0, 0), 20);
    EXPECT_EQ(c.state.SampleCounts(3, 3, 0), 16);

    c.Slider2_Change(50);
    EXPECT_EQ(c.state.Threshold, 12);  // rnd(12.5)
    c.Slider2_Change(70);
    EXPECT_EQ(c.state.Threshold, 18);  // rnd(17.5)
    // Only the first row and column pass: 20 and 25 points.
    EXPECT_EQ(c.state.FilledCells, 15);
    EXPECT_EQ(c.FillRatioText(), "2.34E-01");

    // Mode 2: at most 25 points per cell, so 25 or more marks nothing.
    c.state.CombineMode = 2;
    c.Slider2_Change(25);
    EXPECT_EQ(test::InkRows(c.state).first, -1);
    const QImage preview = c.Picture2().Image();
    for (int y = 0; y < preview.height(); ++y) {
        for (int x = 0; x < preview.width(); ++x) ASSERT_NE(preview.pixel(x, y), kRgbBlack);
    }
    c.Slider2_Change(24);
    EXPECT_EQ(c.state.SampleBits(0, 0, 0), 1);
    EXPECT_EQ(c.state.SampleBits(1, 1, 0), 0);
}

TEST(TtfConverter, PreviewsShowTheResult) {
    TtfConverter c(test::ShapesFace(), Cell(8, 8, 0));
    c.state.StepX = 5;
    c.state.CharSize = 100;
    c.state.CurrentChar = "#";
    c.state.ShiftMode = 2;
    c.controls.Slider2 = 70;  // the first row and column only
    c.ConvertCurrent();
    const QImage big = c.Picture2().Image();
    const QImage small = c.Picture3().Image();
    ASSERT_EQ(big.size(), QSize(177, 177));
    ASSERT_EQ(small.size(), QSize(49, 41));
    // Cell (3, 0) is ink, cell (3, 4) background; a blue line separates the cells.
    EXPECT_EQ(big.pixel(3 * 177 / 8 + 5, 5), kRgbBlack);
    EXPECT_EQ(big.pixel(3 * 177 / 8 + 5, 4 * 177 / 8 + 5), kRgbCyan);
    EXPECT_EQ(big.pixel(177 / 8, 4 * 177 / 8 + 5), kRgbBlue);
    EXPECT_EQ(small.pixel(3 * 49 / 8 + 2, 2), kRgbBlack);
    EXPECT_EQ(small.pixel(3 * 49 / 8 + 2, 30), kRgbWhite);
    // The fill ratio is written into Picture5.
    const QImage ratio = c.Picture5().Image();
    int dark = 0;
    for (int y = 0; y < ratio.height(); ++y) {
        for (int x = 0; x < ratio.width(); ++x) dark += qGray(ratio.pixel(x, y)) < 128;
    }
    EXPECT_GT(dark, 10);
}

TEST(TtfConverter, ResolutionBoxKeepsItsValueForBadText) {
    TtfConverter c(test::DejaVu(), Cell(16, 16, 3));
    c.Text4_Change("2.5");
    EXPECT_FLOAT_EQ(c.state.Resolution, 2.5f);
    for (const char* bad : {"0", "-3", "x", "", "1e9", "nan"}) {
        c.Text4_Change(bad);
        EXPECT_FLOAT_EQ(c.state.Resolution, 2.5f) << bad;
    }
    c.Text4_Change("12");
    EXPECT_FLOAT_EQ(c.state.Resolution, 12.0f);
    // The step is left alone.
    c.state.StepX = 3;
    c.Text4_Change("7");
    EXPECT_FLOAT_EQ(c.state.StepX, 3.0f);
}

TEST(TtfConverter, ArithmeticFailuresAreReported) {
    // A zero step left by a reference character without ink divides by zero in the fitting.
    TtfConverter c(test::ShapesFace(), Cell(16, 16, 3));
    c.Load();
    c.state.SavedStepX = 0;
    c.state.CurrentChar = "X";
    EXPECT_THROW(c.FitCurrentGlyph(), ConversionFailure);
}

TEST(TtfConverter, ScientificRatioText) {
    EXPECT_EQ(ScientificRatio(64, 256), "2.50E-01");
    EXPECT_EQ(ScientificRatio(0, 256), "0.00E+00");
    EXPECT_EQ(ScientificRatio(256, 256), "1.00E+00");
    EXPECT_EQ(ScientificRatio(1, 3), "3.33E-01");
    EXPECT_EQ(ScientificRatio(2, 3), "6.67E-01");
    EXPECT_EQ(ScientificRatio(9, 16), "5.63E-01");  // an exact half rounds up
    EXPECT_EQ(ScientificRatio(9, 800), "1.13E-02");
    EXPECT_EQ(ScientificRatio(1, 65025), "1.54E-05");
    EXPECT_EQ(ScientificRatio(9995, 10000), "1.00E+00");
}

}  // namespace
}  // namespace pixmere

namespace pixmere {
namespace {

TEST(TtfConverter, RendersAnySizeTheFieldHolds) {
    TtfConverter c(test::DejaVu(), test::Cell(16, 16, 3));
    c.state.Resolution = 5;
    c.state.StepX = 5;
    c.state.CurrentChar = "W";
    c.state.CharSize = 32767;  // far larger than the surface: it is all ink or all background
    c.state.PosX = -20000;
    c.RenderCharacter();
    EXPECT_TRUE(c.Picture1().Point(40, 40).has_value());
    c.state.CharSize = -40;  // a negative size draws at its absolute value
    c.state.PosX = 0;
    c.RenderCharacter();
    const test::Extent negative = test::BlackExtent(c.Picture1(), 80, 85);
    c.state.CharSize = 0;  // becomes 1, the text keeps its previous size
    c.RenderCharacter();
    EXPECT_EQ(c.state.CharSize, 1);
    const test::Extent zero = test::BlackExtent(c.Picture1(), 80, 85);
    EXPECT_EQ(zero.bottom, negative.bottom);
    EXPECT_GT(negative.bottom, 10);
    c.state.CharSize = -32768;  // its absolute value does not fit the field
    EXPECT_THROW(c.RenderCharacter(), ConversionFailure);
}

}  // namespace
}  // namespace pixmere
