// The two fittings: every cell size the parameters dialog accepts and the message on what they
// lose. Their output on DejaVu Sans is recorded in
// tests/truetype/expected and read by the tool's tests.
#include <gtest/gtest.h>

#include <numeric>

#include "TtfTestSupport.h"
#include "truetype/FitLosses.h"
#include "truetype/TtfImport.h"

namespace pixmere::test {
namespace {

TEST(TtfFit, SurfaceGrowsWhereSamplePointsWouldSharePixels) {
    EXPECT_EQ(SurfaceSize(16, 16, 5), 209);    // what the dialog shows
    EXPECT_EQ(SurfaceSize(16, 205, 5), 1030);  // (H + 1)·r units, one pixel each
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
            const TtfImportResult r =
                ImportTtfRange(DejaVu(), Cell(h, w, j, 0x41, 0x41), {.Fit = fit});
            ASSERT_EQ(r.status, TtfImportResult::Status::Done) << r.message;
            const Extent ink =
                InkExtent(w, h, [&](int x, int y) { return r.font.glyphs[0].pixel(x, y); });
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

}  // namespace
}  // namespace pixmere::test
