#include "edit/PointerHit.h"

#include <cmath>
#include <limits>
#include <optional>

namespace pixmere {

namespace {

// Pointer positions arrive as reals and are kept as 32-bit integers, rounded to the nearest,
// halves to even. Positions that no integer of that width can hold hit nothing.
std::optional<int32_t> PointerUnits(double v) {
    if (!std::isfinite(v)) return std::nullopt;
    const double low = std::floor(v);
    const double fraction = v - low;
    double rounded = low;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(low, 2.0) != 0.0)) rounded = low + 1.0;
    if (rounded < std::numeric_limits<int32_t>::min() ||
        rounded > std::numeric_limits<int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int32_t>(rounded);
}

int64_t FloorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
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

EditWindowHit HitTestEditWindow(double x, double y, const EditView& view,
                                const FontParams& params) {
    EditWindowHit hit;
    const auto px = PointerUnits(x);
    const auto py = PointerUnits(y);
    if (!px || !py || view.zoom <= 0) return hit;
    const int64_t rowPitch = int64_t{EditMagnif(view, params)} * view.zoom;
    if (*px < 0 || *py < 0 || *px >= int64_t{params.FormatLengthCar} * view.zoom ||
        *py >= int64_t{params.FormatHeightCar} * rowPitch) {
        return hit;
    }
    hit.column = static_cast<int32_t>(*px / view.zoom);
    hit.row = static_cast<int32_t>(*py / rowPitch);
    hit.byteColumn = hit.column / 8;
    hit.bit = 7 - hit.column % 8;
    hit.valid = true;
    return hit;
}

}  // namespace pixmere
