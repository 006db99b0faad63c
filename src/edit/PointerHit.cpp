#include "edit/PointerHit.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>

namespace pixmere {

namespace {

// Pointer positions arrive as reals and are kept as 32-bit integers, rounded to the nearest,
// halves to even (the default rounding mode). Positions that no integer of that width can hold
// hit nothing.
std::optional<int32_t> PointerUnits(double v) {
    const double rounded = std::nearbyint(v);
    if (!(rounded >= std::numeric_limits<int32_t>::min() &&
          rounded <= std::numeric_limits<int32_t>::max())) {
        return std::nullopt;
    }
    return static_cast<int32_t>(rounded);
}

// The cell or pixel a position lies in, left of and above the origin too. Exact in a double:
// the quotient of a 32-bit position by a pitch far below 2^20 is never rounded onto an integer.
int64_t FloorDiv(int64_t a, int64_t b) {
    return static_cast<int64_t>(std::floor(static_cast<double>(a) / static_cast<double>(b)));
}

}  // namespace

uint8_t EditMagnif(const EditView& view, const FontParams& params) {
    return view.showMagnification ? params.Magnification : uint8_t{1};
}

FontWindowHit HitTestFontWindow(double x, double y, const CellLayout& layout, int32_t NbCar) {
    FontWindowHit hit;
    const auto px = PointerUnits(x);
    const auto py = PointerUnits(y);
    if (!px || !py) return hit;
    hit.x = *px;
    hit.y = *py;
    if (layout.cellWidth <= 0 || layout.cellHeight <= 0 || layout.cellsPerRow <= 0) return hit;
    hit.column = FloorDiv(hit.x, layout.cellWidth);
    hit.row = FloorDiv(hit.y, layout.cellHeight);
    hit.HitCar = hit.row * layout.cellsPerRow + hit.column;
    hit.valid = hit.x >= 0 && hit.y >= 0 && hit.HitCar < NbCar && hit.column < layout.cellsPerRow;
    return hit;
}

std::optional<GlyphPoint> EditWindowPoint(double x, double y, const EditView& view,
                                          const FontParams& params) {
    const auto px = PointerUnits(x);
    const auto py = PointerUnits(y);
    if (!px || !py || view.zoom <= 0) return std::nullopt;
    const int64_t rowPitch = int64_t{EditMagnif(view, params)} * view.zoom;
    return GlyphPoint{static_cast<int32_t>(FloorDiv(*px, view.zoom)),
                      static_cast<int32_t>(FloorDiv(*py, rowPitch))};
}

std::vector<GlyphPoint> LinePixels(GlyphPoint from, GlyphPoint to, int32_t width, int32_t height) {
    std::vector<GlyphPoint> pixels;
    const int64_t dx = int64_t{to.column} - from.column;
    const int64_t dy = int64_t{to.row} - from.row;
    const int64_t n = std::max(std::abs(dx), std::abs(dy));  // steps of one pixel
    // Step i lies at from + i / n (to - from), rounded; only the steps within a pixel of the
    // glyph are visited, so a line from far away costs no more than one across the glyph.
    double first = 0;
    double last = static_cast<double>(n);
    const auto keepNear = [&](int64_t start, int64_t d, int32_t size) {
        if (d == 0) {
            if (start < 0 || start >= size) last = -1;
            return;
        }
        const double a = static_cast<double>(-1 - start) * static_cast<double>(n) / d;
        const double b = static_cast<double>(size - start) * static_cast<double>(n) / d;
        first = std::max(first, std::floor(std::min(a, b)));
        last = std::min(last, std::ceil(std::max(a, b)));
    };
    keepNear(from.column, dx, width);
    keepNear(from.row, dy, height);
    const auto along = [n](int32_t start, int64_t d, int64_t i) {
        return n == 0 ? int64_t{start}
                      : start + std::llround(static_cast<double>(i) * static_cast<double>(d) /
                                             static_cast<double>(n));
    };
    for (auto i = static_cast<int64_t>(first); i <= static_cast<int64_t>(last); ++i) {
        const int64_t column = along(from.column, dx, i);
        const int64_t row = along(from.row, dy, i);
        if (column >= 0 && row >= 0 && column < width && row < height) {
            pixels.push_back({static_cast<int32_t>(column), static_cast<int32_t>(row)});
        }
    }
    return pixels;
}

}  // namespace pixmere
