#include "ui/FontLayout.h"

#include <algorithm>

namespace pixmere {

namespace {

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

FontLayout ComputeFontLayout(const FontLayoutInput& in) {
    FontLayout L;
    L.N = std::max(in.N, 1);
    L.cellWidth = in.W * in.Z + 1;
    L.cellHeight = in.H * in.M * in.Z + 11;
    const int px = L.cellWidth;
    const int py = L.cellHeight;

    // As many whole cells as the viewport is wide; a cell wider than it still gets a row of its
    // own, the horizontal scroll bar reaching the rest.
    L.viewportWidth = std::max(in.areaWidth - in.vScrollWidth, 1);
    L.cellsPerRow = std::max((L.viewportWidth - 4) / px, 1);

    if ((L.N / L.cellsPerRow) * py >= kCanvasLimit) {
        // Too tall: as many rows as the limit allows, the cells spread over enough columns.
        L.wide = true;
        const int rowsThatFit = std::max(kCanvasLimit / py, 1);
        L.cellsPerRow = L.N / rowsThatFit + 1;
        L.rowsUsed = (L.N + L.cellsPerRow - 1) / L.cellsPerRow;
        L.canvasHeight = L.rowsUsed * py + 4;
    } else {
        L.rowsUsed = (L.N + L.cellsPerRow - 1) / L.cellsPerRow;
        L.canvasHeight = (L.N / L.cellsPerRow + 1) * py + 4;
    }
    L.canvasWidth = std::max(L.viewportWidth, L.cellsPerRow * px + 4);
    L.hScrollMax = L.canvasWidth - L.viewportWidth;
    L.hScrollVisible = L.hScrollMax >= 1;

    L.viewportHeight = std::max(in.areaHeight - (L.hScrollVisible ? in.hScrollHeight : 0), 1);
    L.canvasHeight = std::max(L.canvasHeight, L.viewportHeight);
    L.vScrollMax = L.canvasHeight - L.viewportHeight;
    L.vScrollVisible = L.vScrollMax >= 1;
    return L;
}

std::vector<int> FontLayout::CellsIn(int x0, int y0, int x1, int y1) const {
    std::vector<int> cells;
    if (x1 <= x0 || y1 <= y0) return cells;
    const int c0 = std::max(FloorDiv(x0, cellWidth), 0);
    const int c1 = std::min(FloorDiv(x1 - 1, cellWidth), cellsPerRow - 1);
    const int r0 = std::max(FloorDiv(y0, cellHeight), 0);
    const int r1 = std::min(FloorDiv(y1 - 1, cellHeight), rowsUsed - 1);
    for (int r = r0; r <= r1; ++r) {
        for (int c = c0; c <= c1; ++c) {
            const int index = r * cellsPerRow + c;
            if (index < N) cells.push_back(index);
        }
    }
    return cells;
}

}  // namespace pixmere
