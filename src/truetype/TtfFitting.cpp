// The automatic fitting of TtfConverter: placing and sizing the character on the surface. The
// X-height fitting scans the surface for black points; the whole-face fitting takes the face's
// metrics and the character's outline.
#include <algorithm>
#include <cmath>

#include "truetype/TtfConverter.h"

namespace pixmere {

// Only where the surface may hold black need the scans look: the outer loop keeps its order
// (its first hit is the result), the inner one only has to find whether there is a hit.

std::optional<int> TtfConverter::ScanRows(ScanRange rows, ScanRange cols) const {
    const PictureArea::Span inkX = picture1_.BlackColumns();
    const PictureArea::Span inkY = picture1_.BlackRows();
    const int pxLo = std::max(inkX.lo, std::min(cols.first, cols.last));
    const int pxHi = std::min(inkX.hi, std::max(cols.first, cols.last));
    if (pxLo > pxHi || !cols.Holds(cols.first)) return std::nullopt;
    for (int py = rows.first; rows.Holds(py); py += rows.step) {
        if (py < inkY.lo || py > inkY.hi) continue;
        const int row = picture1_.RowOf(py);
        if (row < 0) continue;  // outside the surface: never black
        const QRgb* pixels = picture1_.DeviceRowData(row);
        for (int px = pxLo; px <= pxHi; ++px) {
            const int col = picture1_.ColumnOf(px);
            if (col >= 0 && pixels[col] == kRgbBlack) return py;
        }
    }
    return std::nullopt;
}

std::optional<int> TtfConverter::ScanColumns(ScanRange cols, ScanRange rows) const {
    const PictureArea::Span inkX = picture1_.BlackColumns();
    const PictureArea::Span inkY = picture1_.BlackRows();
    const int pyLo = std::max(inkY.lo, std::min(rows.first, rows.last));
    const int pyHi = std::min(inkY.hi, std::max(rows.first, rows.last));
    if (pyLo > pyHi || !rows.Holds(rows.first)) return std::nullopt;
    for (int px = cols.first; cols.Holds(px); px += cols.step) {
        if (px < inkX.lo || px > inkX.hi) continue;
        const int col = picture1_.ColumnOf(px);
        if (col < 0) continue;
        for (int py = pyLo; py <= pyHi; ++py) {
            const int row = picture1_.RowOf(py);
            if (row >= 0 && picture1_.DeviceRowData(row)[col] == kRgbBlack) return px;
        }
    }
    return std::nullopt;
}

TtfConverter::ScanRange TtfConverter::RowsDown() const {
    return {0, static_cast<int>(Rnd(H() * state.Resolution - 1.0f)), 1};
}

TtfConverter::ScanRange TtfConverter::ColumnsRight() const {
    return {0, static_cast<int>(Rnd(W() * state.StepX - 1.0f)), 1};
}

TtfConverter::ScanRange TtfConverter::ScanRange::Reversed() const { return {last, first, -step}; }

void TtfConverter::TopScan() {
    if (const auto py = ScanRows(RowsDown(), ColumnsRight())) state.top = ToInt16(*py);
}

void TtfConverter::BottomScan() {
    if (const auto py = ScanRows(RowsDown().Reversed(), ColumnsRight().Reversed())) {
        state.bottom = ToInt16(*py);
    }
}

std::optional<int> TtfConverter::LeftScan() const {
    return ScanColumns(ColumnsRight(), RowsDown());
}

std::optional<int> TtfConverter::RightScan() const {
    return ScanColumns(ColumnsRight().Reversed(), RowsDown().Reversed());
}

void TtfConverter::FitReferenceGlyph() {
    // Making "X" the character of the preview box converts it as typing would.
    if (controls.Text1 != QStringLiteral("X")) Text1_Change(QStringLiteral("X"));
    state.CurrentChar = QStringLiteral("X");
    state.PosY = 0;
    state.PosX = 0;
    // 100 points on the surface the dialog shows; as large in proportion on a larger one, so
    // that "X" is as sure to cover sample points there.
    const int side =
        SurfaceSize(document_.FormatLengthCar, document_.FormatHeightCar, state.Resolution);
    state.CharSize = RndInt16(100.0 * side / kSurfaceSize);
    state.StepX = 5.0f;
    state.WidthScale = 1.0f;
    picture1_.SetBackColor(kRgbRed);
    RenderCharacter();
    if (state.Fit == TtfFit::WholeFace) {
        SizeReferenceByFace();
    } else {
        SizeReferenceByXHeight();
        FitReferenceWidthToX();
    }
    picture1_.SetBackColor(kRgbWhite);
    RenderCharacter();
}

void TtfConverter::SizeReferenceByXHeight() {
    TopScan();
    BottomScan();
    const int extent = ToInt16(state.bottom - state.top);
    if (extent != 0) {
        const float r = state.Resolution;
        state.CharSize = RndInt16(DivF(H() * state.BaselineRatio * r, static_cast<float>(extent)) *
                                  static_cast<float>(state.CharSize));
    }
    state.SavedCharSize = state.CharSize;

    RenderCharacter();
    TopScan();
    state.PosY = ToInt16(state.PosY - state.top);
    state.SavedPosY = state.PosY;
}

void TtfConverter::FitReferenceWidthToX() {
    // The left and right scans leave their column in bottom, like the bottom scan.
    RenderCharacter();
    if (const auto c = LeftScan()) state.bottom = ToInt16(*c);
    state.PosX = ToInt16(state.PosX - state.bottom);
    state.SavedPosX = state.PosX;

    RenderCharacter();
    const auto c = RightScan();
    if (c) state.bottom = ToInt16(*c);
    // An "X" narrower than one surface unit (its ink only in column 0, in a cell whose
    // downstroke leaves it a row or two) counts as one unit wide: a step of zero would fail
    // every character after it.
    const int right = c == 0 ? 1 : state.bottom;
    state.StepX = ToSingle(DivD(right, document_.FormatLengthCar));
    state.SavedStepX = state.StepX;
}

void TtfConverter::SizeReferenceByFace() {
    // From the face's metrics: ascent and descent together span the cell's H·r units...
    const double unitPixels = picture1_.PixelsPerUnitY();
    const double lineToEm = (face_.Ascent() + face_.Descent()) / GlyphOutline::kPixelSize;
    const double r = state.Resolution;
    state.CharSize = RndInt16(DivD(H() * r * unitPixels, lineToEm * kPixelsPerPoint));
    state.SavedCharSize = state.CharSize;
    // ...the baseline, the ascent below the top of the line box, on the top edge of the
    // downstroke rows...
    const double ascent =
        face_.Ascent() / GlyphOutline::kPixelSize * state.CharSize * kPixelsPerPoint / unitPixels;
    state.PosY = RndInt16(H() * state.BaselineRatio * r - ascent);
    state.SavedPosY = state.PosY;
    // ...and one column as many units as one row, so characters keep their proportions.
    state.StepX = state.Resolution;
    state.SavedStepX = state.StepX;
    state.SavedPosX = state.PosX;
    FitWidthToWholeColumns();  // the preview shows "X" as the range will have it
}

void TtfConverter::FitWidthToWholeColumns() {
    RenderCharacter();  // brings the text size up to date
    const GlyphOutline& glyph = face_.Outline(state.CurrentChar);
    // The outline's box, unlike a scan, also holds ink beyond the surface's edges.
    const QRectF box = glyph.path.boundingRect();
    const double pixels = fontPoints_ * kPixelsPerPoint / GlyphOutline::kPixelSize;
    const double inkWidth = (box.width() + glyph.emboldenShift) * pixels;
    if (glyph.IsEmpty() || !(inkWidth > 0)) return;
    // Its width in rows' measure, made one more whole column than its whole part (as the
    // X-height fitting widens characters), and never wider than the cell.
    const int w = document_.FormatLengthCar;
    const double rowPixels = state.Resolution * picture1_.PixelsPerUnitY();
    const int columns = static_cast<int>(std::min<double>(w, std::floor(inkWidth / rowPixels) + 1));
    const double unitPixels = picture1_.PixelsPerUnitX();
    const double columnPixels = state.StepX * unitPixels;
    state.WidthScale = ToSingle(columns * columnPixels / inkWidth);
    // Left edge on a column edge, half the free whole columns in.
    const double left = box.left() * pixels * state.WidthScale;
    state.PosX = RndInt16(DivD((w - columns) / 2 * columnPixels - left, unitPixels));
}

void TtfConverter::FitCurrentGlyph() {
    state.PosX = state.SavedPosX;
    state.PosY = state.SavedPosY;
    state.CharSize = state.SavedCharSize;
    state.StepX = state.SavedStepX;
    state.WidthScale = 1.0f;
    picture1_.SetBackColor(kRgbRed);
    if (state.Fit == TtfFit::WholeFace) {
        // Every character keeps the reference's size and baseline.
        FitWidthToWholeColumns();
    } else {
        FitByVerticalExtent();
    }
    RenderCharacter();
}

void TtfConverter::FitByVerticalExtent() {
    RenderCharacter();
    TopScan();
    BottomScan();
    const int GlyphClass = ClassifyGlyph();
    SizeToWholeRows(GlyphClass);
    RenderCharacter();
    Columns ink;
    CentreOnWholeColumns(ink);
    RenderCharacter();
    PlaceByClass(GlyphClass);
    // The surface still shows the character before its vertical move: only columns matter.
    StepToWholeColumns(ink);
    RenderCharacter();
    SqueezeIntoCell(ink);
}

int TtfConverter::ClassifyGlyph() const {
    const float r = state.Resolution;
    const float h = H();
    const float j = J();
    const float hj = static_cast<float>(document_.FormatHeightCar - document_.jambon);
    const float T1 = h * 0.33f * r;
    const float T2 = h * 0.25f * r;
    const float T3 = hj * r + j * 0.5f * r - 1.0f;
    const float T4 = h * 0.25f * r + 1.0f;
    const float T5 = h * r;
    const float T6 = hj * r + j * 0.5f * r;
    const float top = state.top;
    const float bottom = state.bottom;
    if (top < T1 && top >= 0) {
        if (bottom <= T2 && bottom > 0) return 1;   // in the top quarter of the cell
        if (T4 < bottom && bottom <= T3) return 2;  // ends near the baseline
        if (T6 < bottom && bottom <= T5) return 3;  // reaches into the lower downstroke
    }
    return 0;
}

void TtfConverter::SizeToWholeRows(int GlyphClass) {
    if (state.top == state.bottom) return;
    const float r = state.Resolution;
    const float h = H();
    const int d = ToInt16(state.bottom - state.top);
    const float rows = DivF(static_cast<float>(d), r);
    const float q = IntF(rows) + 1.0f;  // whole pixel rows, one more than the whole part
    const float grow = DivF(q, rows);
    state.CharSize = RndInt16(grow * state.CharSize);
    const float E = grow * d;
    // A character too tall for its class is shrunk to the class's height: a quarter of the
    // cell, the part above the downstroke, or the whole cell.
    float L = 0, M = 0;
    switch (GlyphClass) {
        case 1:
            L = M = h * 0.25f * r;
            break;
        case 2:
            L = M = h * state.BaselineRatio * r;
            break;
        case 3:
            L = h * r - 1.0f;
            M = h * r;
            break;
    }
    if (GlyphClass != 0 && E > L) {
        state.CharSize = RndInt16(DivF(state.CharSize, DivF(E, static_cast<float>(d))) *
                                  DivF(M, static_cast<float>(d)));
    }
}

void TtfConverter::ScanInkColumns(Columns& ink) const {
    if (const auto c = RightScan()) ink.right = *c;
    if (const auto c = LeftScan()) ink.left = *c;
}

void TtfConverter::CentreOnWholeColumns(Columns& ink) {
    ScanInkColumns(ink);
    // Left edge to column 0, then half the free whole pixel columns to the right.
    const float sx = state.StepX;
    const float freeColumns = IntF(DivF(W() * sx - ToInt16(ink.right - ink.left), sx));
    state.PosX = RndInt16(ToInt16(state.PosX - ink.left) + IntF(freeColumns / 2.0f) * sx);
}

void TtfConverter::PlaceByClass(int GlyphClass) {
    const float r = state.Resolution;
    const float h = H();
    // Both scans include the extra row below the cell.
    const ScanRange extended{0, static_cast<int>(Rnd((h + 1.0f) * r - 1.0f)), 1};
    if (const auto py = ScanRows(extended.Reversed(), ColumnsRight().Reversed())) {
        state.bottom = ToInt16(*py);
    }
    if (const auto py = ScanRows(extended, ColumnsRight())) state.top = ToInt16(*py);
    switch (GlyphClass) {
        case 1:  // top on row 0
            state.PosY = ToInt16(state.PosY - state.top);
            break;
        case 2:  // lowest ink on the top edge of the downstroke rows
            state.PosY = RndInt16(h * state.BaselineRatio * r - state.bottom + state.PosY);
            break;
        case 3:  // lowest ink on the bottom edge of the cell
            state.PosY = RndInt16(h * r - state.bottom + state.PosY);
            break;
    }
}

void TtfConverter::StepToWholeColumns(Columns& ink) {
    // The width then spans one more whole pixel column than the whole part of its former width.
    ScanInkColumns(ink);
    const int width = ToInt16(ink.right - ink.left);
    const float whole = IntF(DivF(static_cast<float>(width), state.StepX));
    if (whole != 0) state.StepX = DivF(static_cast<float>(width), whole + 1.0f);
}

void TtfConverter::SqueezeIntoCell(Columns& ink) {
    // A character running past the right edge of the cell is squeezed into it; the scan
    // starts at column 80 whatever the cell's width.
    if (const auto c = ScanColumns({80, 0, -1}, RowsDown().Reversed())) ink.right = *c;
    if (W() * state.StepX < static_cast<float>(ink.right)) {
        state.StepX = ToSingle(DivD(ink.right, document_.FormatLengthCar));
    }
}

}  // namespace pixmere
