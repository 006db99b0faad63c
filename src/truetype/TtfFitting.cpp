// The automatic fitting of TtfConverter: placing and sizing the character on the surface by
// scanning it for black points.
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
    state.CharSize = 100;
    state.StepX = 5.0f;
    picture1_.SetBackColor(kRgbRed);
    RenderCharacter();
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

    // The left and right scans leave their column in bottom, like the bottom scan.
    RenderCharacter();
    if (const auto c = LeftScan()) state.bottom = ToInt16(*c);
    state.PosX = ToInt16(state.PosX - state.bottom);
    state.SavedPosX = state.PosX;

    RenderCharacter();
    if (const auto c = RightScan()) state.bottom = ToInt16(*c);
    state.StepX = ToSingle(DivD(state.bottom, document_.FormatLengthCar));
    state.SavedStepX = state.StepX;

    picture1_.SetBackColor(kRgbWhite);
    RenderCharacter();
}

void TtfConverter::FitCurrentGlyph() {
    state.PosX = state.SavedPosX;
    state.PosY = state.SavedPosY;
    state.CharSize = state.SavedCharSize;
    state.StepX = state.SavedStepX;
    picture1_.SetBackColor(kRgbRed);
    RenderCharacter();
    TopScan();
    BottomScan();

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
    int GlyphClass = 0;
    if (top < T1 && top >= 0) {
        if (bottom <= T2 && bottom > 0) {
            GlyphClass = 1;  // in the top quarter of the cell
        } else if (T4 < bottom && bottom <= T3) {
            GlyphClass = 2;  // ends near the baseline
        } else if (T6 < bottom && bottom <= T5) {
            GlyphClass = 3;  // reaches into the lower half of the downstroke
        }
    }

    if (state.top != state.bottom) {
        const int d = ToInt16(state.bottom - state.top);
        const float rows = DivF(static_cast<float>(d), r);
        const float q = IntF(rows) + 1.0f;  // whole pixel rows, one more than the whole part
        const float grow = DivF(q, rows);
        state.CharSize = RndInt16(grow * state.CharSize);
        const float E = grow * d;
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

    RenderCharacter();
    int right = 0;
    int left = 0;
    const auto columnScans = [&] {
        if (const auto c = RightScan()) right = *c;
        if (const auto c = LeftScan()) left = *c;
    };
    columnScans();

    // Left edge to column 0, then half the free whole pixel columns to the right.
    const float sx = state.StepX;
    const float freeColumns = IntF(DivF(W() * sx - ToInt16(right - left), sx));
    state.PosX = RndInt16(ToInt16(state.PosX - left) + IntF(freeColumns / 2.0f) * sx);

    RenderCharacter();
    // Both include the extra row below the cell.
    const ScanRange extended{0, static_cast<int>(Rnd((h + 1.0f) * r - 1.0f)), 1};
    if (const auto py = ScanRows(extended.Reversed(), ColumnsRight().Reversed())) {
        state.bottom = ToInt16(*py);
    }
    if (const auto py = ScanRows(extended, ColumnsRight())) state.top = ToInt16(*py);
    switch (GlyphClass) {
        case 1:
            state.PosY = ToInt16(state.PosY - state.top);
            break;
        case 2:
            state.PosY = RndInt16(h * state.BaselineRatio * r - state.bottom + state.PosY);
            break;
        case 3:
            state.PosY = RndInt16(h * r - state.bottom + state.PosY);
            break;
    }

    // The surface still shows the character before its vertical move: only columns matter.
    columnScans();
    const int width = ToInt16(right - left);
    const float whole = IntF(DivF(static_cast<float>(width), state.StepX));
    if (whole != 0) state.StepX = DivF(static_cast<float>(width), whole + 1.0f);

    RenderCharacter();
    // A character running past the right edge of the cell is squeezed into it; the scan
    // starts at column 80 whatever the cell's width.
    if (const auto c = ScanColumns({80, 0, -1}, RowsDown().Reversed())) right = *c;
    if (W() * state.StepX < static_cast<float>(right)) {
        state.StepX = ToSingle(DivD(right, document_.FormatLengthCar));
    }
    RenderCharacter();
}

}  // namespace pixmere
