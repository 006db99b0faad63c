#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "TtfTestSupport.h"
#include "truetype/TtfImport.h"

namespace pixmere::test {
namespace {

// How far p lies from the square of pixel (c, r).
double Distance(OutlinePoint p, int c, int r) {
    const double dx = std::max({c - p.x, 0.0f, p.x - (c + 1.0f)});
    const double dy = std::max({r - p.y, 0.0f, p.y - (r + 1.0f)});
    return std::hypot(dx, dy);
}

// The outline kept for an imported "O" lies on the edge of its ink: most points within a pixel
// of an ink pixel and of a background one, and its extent that of the ink, at several cell sizes
// and with both fittings. (Fitted by "X" in a cell much wider than 16, the "O" can run past the
// cell's right edge; the outline then shows what was cut, so such cells are not used here.)
TEST(SourceOutline, TheOutlineOfAnImportedOLiesOnItsInk) {
    const struct {
        int size, downstroke;
        TtfFit fit;
    } cells[] = {{16, 3, TtfFit::XHeight}, {24, 5, TtfFit::WholeFace}, {48, 10, TtfFit::WholeFace}};
    for (const auto& cell : cells) {
        SCOPED_TRACE(cell.size);
        const TtfImportResult r = ImportTtfRange(
            DejaVu(), Cell(cell.size, cell.size, cell.downstroke, 'O', 'O'), {.Fit = cell.fit});
        ASSERT_EQ(r.status, TtfImportResult::Status::Done);
        ASSERT_EQ(r.outlines.size(), 1u);
        const CarObject& glyph = r.font.glyphs[0];
        const auto ink = [&](int c, int row) {
            return c >= 0 && row >= 0 && c < cell.size && row < cell.size && glyph.pixel(c, row);
        };
        const Extent e = InkExtent(cell.size, cell.size, ink);
        ASSERT_GE(e.top, 0);
        int points = 0, onEdge = 0;
        float left = 1e9f, right = -1e9f, top = 1e9f, bottom = -1e9f;
        for (const auto& contour : r.outlines[0].contours) {
            for (const OutlinePoint& p : contour) {
                ++points;
                left = std::min(left, p.x), right = std::max(right, p.x);
                top = std::min(top, p.y), bottom = std::max(bottom, p.y);
                bool nearInk = false, nearPaper = false;
                for (int row = static_cast<int>(p.y) - 2; row <= p.y + 2; ++row) {
                    for (int c = static_cast<int>(p.x) - 2; c <= p.x + 2; ++c) {
                        if (Distance(p, c, row) > 1.0) continue;
                        (ink(c, row) ? nearInk : nearPaper) = true;
                    }
                }
                onEdge += nearInk && nearPaper;
            }
        }
        EXPECT_EQ(r.outlines[0].contours.size(), 2u);  // the ring's outer and inner edges
        EXPECT_GE(onEdge, points * 9 / 10) << onEdge << " of " << points;
        EXPECT_NEAR(left, e.left, 1.0);
        EXPECT_NEAR(right, e.right + 1, 1.0);
        EXPECT_NEAR(top, e.top, 1.0);
        EXPECT_NEAR(bottom, e.bottom + 1, 1.0);
    }
    // A character without ink keeps no outline; without keeping, there are none.
    const FontParams two = Cell(16, 16, 3, ' ', '!');
    const TtfImportResult kept = ImportTtfRange(DejaVu(), two);
    ASSERT_EQ(kept.outlines.size(), 2u);
    EXPECT_TRUE(kept.outlines[0].empty());
    EXPECT_FALSE(kept.outlines[1].empty());
    const TtfImportResult dropped = ImportTtfRange(DejaVu(), two, {}, {}, false);
    EXPECT_TRUE(dropped.outlines.empty());
    EXPECT_EQ(dropped.font.glyphData(), kept.font.glyphData());
}

}  // namespace
}  // namespace pixmere::test
