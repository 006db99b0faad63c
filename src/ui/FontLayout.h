#pragma once

#include <vector>

namespace pixmere {

// What the font window's layout depends on: the font, the zoom, and the room the window has,
// in pixels. The vertical scroll bar always keeps its place at the right (so the cells per row
// do not change as it comes and goes); the horizontal one takes its height from the bottom
// only while it is shown. The defaults are the nominal 9000 x 3000 twips viewport at 15 twips
// a pixel with its vertical scroll bar.
struct FontLayoutInput {
    int W = 1;  // FormatLengthCar
    int H = 1;  // FormatHeightCar
    int M = 1;  // Magnification
    int Z = 2;  // font zoom
    int N = 1;  // NbCar
    int areaWidth = 617;
    int areaHeight = 200;
    int vScrollWidth = 17;
    int hScrollHeight = 17;
};

// The font window's layout numbers: one pure computation shared by the painter, the pointer hit
// test (its cell width, height and cells per row) and the scroll bars.
struct FontLayout {
    int cellWidth = 0;    // px = W*Z + 1
    int cellHeight = 0;   // py = H*M*Z + 11
    int cellsPerRow = 1;  // C
    int rowsUsed = 0;     // rows holding at least one cell
    int N = 0;
    bool wide = false;  // the canvas would pass 16383 pixels: cells spread sideways

    int viewportWidth = 0;
    int viewportHeight = 0;
    int canvasWidth = 0;
    int canvasHeight = 0;

    bool vScrollVisible = false;
    int vScrollMax = 0;
    bool hScrollVisible = false;
    int hScrollMax = 0;

    int CellLeft(int index) const { return cellWidth * (index % cellsPerRow); }
    int CellTop(int index) const { return cellHeight * (index / cellsPerRow); }
    // Indices of the cells that meet the canvas rectangle [x0, x1) x [y0, y1), in order.
    std::vector<int> CellsIn(int x0, int y0, int x1, int y1) const;
};

inline constexpr int kCanvasLimit = 16383;

FontLayout ComputeFontLayout(const FontLayoutInput& in);

}  // namespace pixmere
