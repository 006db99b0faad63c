#include <gtest/gtest.h>

#include "TtfTestSupport.h"
#include "truetype/TtfConverter.h"

namespace pixmere::test {
namespace {

std::vector<int> ShiftCounts(const ConversionState& s, int shift) {
    std::vector<int> counts;
    for (int y = 0; y < s.SampleCounts.rows(); ++y) {
        for (int x = 0; x < s.SampleCounts.columns(); ++x) {
            counts.push_back(s.SampleCounts(x, y, shift));
        }
    }
    return counts;
}

TEST(TtfConverter, ReferenceXSpansThePartAboveTheDownstroke) {
    for (const auto& [h, w, j] : {std::tuple{16, 16, 3}, {24, 12, 5}, {10, 8, 0}}) {
        TtfConverter c = Loaded(DejaVu(), Cell(h, w, j));
        const ConversionState& s = c.state;
        // On the surface: top on row 0 and bottom at the downstroke's top edge (within a device
        // pixel); over the cell's rows, left edge on column 0 and right edge at W·sx.
        const float r = s.Resolution;
        const int columns = int(w * s.StepX) + 20;
        const Extent all = BlackExtent(c.Picture1(), columns, int((h + 1) * r));
        EXPECT_EQ(all.top, 0);
        EXPECT_NEAR(all.bottom, (h - j) * r, 3) << h << "/" << j;
        const Extent cell = BlackExtent(c.Picture1(), columns, int(h * r));
        EXPECT_EQ(cell.left, 0);
        EXPECT_NEAR(cell.right, w * s.StepX, 1.5) << h << "/" << w;
        // Converted: ink from the top row down to the last row above the downstroke.
        EXPECT_EQ(InkRows(s), std::make_pair(0, h - j - 1)) << Joined(ResultPicture(s));
    }
}

// The vertical fitting of DejaVu's own characters at 16 x 16 is pinned by the recorded alphabet
// (tests/truetype/expected, read by the tool's tests); here the cases it does not reach.
TEST(TtfConverter, CharactersAreFittedByTheirVerticalExtent) {
    // An apostrophe reaching no lower than the top quarter at the reference size stays there.
    // (With a shallower downstroke, the "X" and with it this face's apostrophe are taller: the
    // apostrophe then ends below the quarter, counts as ending near the baseline and is set on
    // it.)
    TtfConverter tall = Loaded(DejaVu(), Cell(16, 16, 8));
    tall.Text1_Change("'");
    const auto [first, last] = InkRows(tall.state);
    EXPECT_TRUE(first == 0 && last < 4) << Joined(ResultPicture(tall.state));
    // Shapes that start below the top of the "X": a mark in the top quarter is raised to the
    // top, one reaching into the lower half of the downstroke is lowered to the bottom.
    TtfConverter shapes = Loaded(ShapesFace(), Cell(16, 16, 8));
    shapes.Text1_Change("'");
    EXPECT_EQ(InkRows(shapes.state).first, 0) << Joined(ResultPicture(shapes.state));
    shapes.Text1_Change("g");
    EXPECT_EQ(InkRows(shapes.state).second, 15) << Joined(ResultPicture(shapes.state));
}

// One shift samples the start position. Four and eight
// shifts sample the tabled offsets from the start, in steps of one unit (a = 2, r = sx = 5), each
// as a single shift placed there would; with amplitude 0 all four sample the same image.
// Recombining never samples again.
TEST(TtfConverter, ShiftsSampleTheTabledPositionsAndCombineIntoTheResult) {
    TtfConverter c = Loaded(DejaVu(), Cell(12, 10, 2));
    const auto convert = [&](int mode, int x, int y) {
        c.state.CurrentChar = "R";
        c.state.StepX = 5;
        c.state.PosX = static_cast<int16_t>(x);
        c.state.PosY = static_cast<int16_t>(y);
        c.state.ShiftMode = static_cast<int16_t>(mode);
        c.ConvertCurrent();
        return c.state;
    };
    const ConversionState eight = convert(1, 7, 3), four = convert(0, 7, 3);
    ASSERT_TRUE(eight.ShiftCount == 8 && four.ShiftCount == 4);
    EXPECT_TRUE(c.state.PosX == 7 && c.state.PosY == 3);  // back at the start
    const std::pair<int, int> offsets[] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1},
                                           {-1, 0},  {0, -1}, {1, 0}, {0, 1}};
    for (int s = 0; s < 8; ++s) {
        const ConversionState one = convert(2, 7 + offsets[s].first, 3 + offsets[s].second);
        EXPECT_EQ(ShiftCounts(eight, s), ShiftCounts(one, 0)) << "shift " << s;
        EXPECT_TRUE(s >= 4 || ShiftCounts(four, s) == ShiftCounts(one, 0)) << "shift " << s;
    }
    EXPECT_NE(ShiftCounts(eight, 0), ShiftCounts(eight, 2));  // the character did move

    c.state.ShiftMode = 0;
    c.Slider5_Change(0);
    c.Text1_Change("W");
    for (int s = 1; s < 4; ++s) EXPECT_EQ(ShiftCounts(c.state, s), ShiftCounts(c.state, 0));
    c.Slider5_Change(20);
    c.Text1_Change("W");
    const std::vector<int> counts = ShiftCounts(c.state, 3);
    const auto mode0 = ResultPicture(c.state);
    const int filled = c.state.FilledCells;
    EXPECT_GT(filled, 0);
    // The least count over the shifts passes the same threshold exactly where all shifts do.
    c.state.CombineMode = 1;
    c.CombineShifts();
    EXPECT_EQ(ResultPicture(c.state), mode0);
    EXPECT_TRUE(c.FillRatioText().isEmpty());
    // Recombining keeps the counts and the fill ratio of the last threshold-then-AND.
    c.state.CombineMode = 2;
    c.Slider2_Change(5);
    EXPECT_EQ(ShiftCounts(c.state, 3), counts);
    EXPECT_EQ(c.state.FilledCells, filled);
}

TEST(TtfConverter, FieldsKeepTheirBounds) {
    TtfConverter c(DejaVu(), Cell(16, 16, 3));
    // The resolution box keeps its value for text it cannot hold, and leaves the step alone.
    c.state.StepX = 3;
    c.Text4_Change("2.5");
    for (const char* bad : {"0", "-3", "x", "", "1e9", "nan", "99.5"}) {
        c.Text4_Change(bad);
        EXPECT_FLOAT_EQ(c.state.Resolution, 2.5f) << bad;
    }
    c.Text4_Change("99");
    EXPECT_FLOAT_EQ(c.state.Resolution, 99.0f);
    EXPECT_FLOAT_EQ(c.state.StepX, 3.0f);  // the step is left alone
    // Moves round halves to even and stay in their field.
    c.state.StepX = c.state.Resolution = 5;
    c.state.Amplitude = 1;  // steps of 0.5
    c.state.PosX = c.state.PosY = 3;
    c.MoveLeft();  // rnd(2.5)
    c.MoveLeft();  // rnd(1.5)
    c.MoveDown();  // rnd(3.5)
    EXPECT_TRUE(c.state.PosX == 2 && c.state.PosY == 4) << c.state.PosX << "," << c.state.PosY;
    c.state.Amplitude = 0.4f;  // steps of 0.2: the character never moves
    for (int i = 0; i < 5; ++i) c.MoveRight();
    EXPECT_EQ(c.state.PosX, 2);
    c.state.PosY = 32767;
    c.state.Amplitude = 2;
    EXPECT_THROW(c.MoveDown(), ConversionFailure);
    // Any size the field holds renders.
    c.state.PosY = 0;
    c.state.Resolution = c.state.StepX = 5;
    c.state.CurrentChar = "W";
    c.state.CharSize = 32767;  // far larger than the surface: it is all ink or all background
    c.state.PosX = -20000;
    c.RenderCharacter();
    EXPECT_TRUE(c.Picture1().Point(40, 40).has_value());
    c.state.CharSize = -32768;  // its absolute value does not fit the field
    EXPECT_THROW(c.RenderCharacter(), ConversionFailure);
}

TEST(TtfConverter, ThresholdSampleAreaAndPreviews) {
    TtfConverter c(ShapesFace(), Cell(8, 8, 0));
    c.state.StepX = 5;
    c.state.CharSize = 100;
    c.state.CurrentChar = "#";  // ink everywhere
    c.state.ShiftMode = 2;
    c.ConvertCurrent();
    EXPECT_EQ(c.state.Threshold, 0);  // rnd(0.01 · 25)
    EXPECT_EQ(c.FillRatioText(), "1.00E+00");
    // The grid lines cover the first sample row and column of every cell but the first ones.
    EXPECT_EQ(std::vector<int>({c.state.SampleCounts(0, 0, 0), c.state.SampleCounts(1, 0, 0),
                                c.state.SampleCounts(3, 3, 0)}),
              std::vector({25, 20, 16}));
    c.Slider2_Change(50);
    EXPECT_EQ(c.state.Threshold, 12);  // rnd(12.5)
    c.Slider2_Change(70);
    EXPECT_EQ(c.state.Threshold, 18);  // rnd(17.5): only the first row and column pass
    EXPECT_EQ(c.FillRatioText(), "2.34E-01");

    // Previews: cell (3, 0) is ink, cell (3, 4) background; a blue line separates the cells.
    const QImage big = c.Picture2().Image(), small = c.Picture3().Image();
    ASSERT_EQ(big.size(), QSize(177, 177));
    ASSERT_EQ(small.size(), QSize(49, 41));
    EXPECT_EQ(std::vector({big.pixel(71, 5), big.pixel(71, 93), big.pixel(22, 93),
                           small.pixel(20, 2), small.pixel(20, 30)}),
              std::vector({kRgbBlack, kRgbCyan, kRgbBlue, kRgbBlack, kRgbWhite}));

    // Mode 2: at most 25 points per cell, so 25 or more marks nothing.
    c.state.CombineMode = 2;
    c.Slider2_Change(25);
    EXPECT_EQ(InkRows(c.state).first, -1);
    EXPECT_EQ(BlackExtent(c.Picture3(), 8, 8).top, -1);
    c.Slider2_Change(24);  // only the top-left cell, not cut by the grid, holds 25
    std::vector<std::string> corner(8, "........");
    corner[0] = "#.......";
    EXPECT_EQ(Joined(ResultPicture(c.state)), Joined(corner));
}

TEST(TtfConverter, ScientificRatioRoundsHalfAwayFromZero) {
    const std::vector<std::tuple<int, int, const char*>> ratios = {
        {64, 256, "2.50E-01"},    {0, 256, "0.00E+00"}, {2, 3, "6.67E-01"},
        {9, 16, "5.63E-01"},      {9, 800, "1.13E-02"}, {1, 65025, "1.54E-05"},
        {9995, 10000, "1.00E+00"}};
    for (const auto& [n, d, text] : ratios) EXPECT_EQ(ScientificRatio(n, d), text) << n << "/" << d;
}

}  // namespace
}  // namespace pixmere::test
