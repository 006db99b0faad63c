#pragma once

#include <algorithm>
#include <cmath>

namespace pixmere {

// Zoom rules of the edit window, apart from the widgets.

// The automatic fit: the largest zoom at which the whole picture, its rows and the four pixels
// of margin below them, fits the viewport; at least 3.
inline int AutoFitZoom(int viewportHeight, int H, int editMagnif) {
    return std::max((viewportHeight - 4) / std::max(H * editMagnif, 1), 3);
}

// Zoom to Fit: the largest zoom at which the whole picture, with its four pixels of margin, fits
// a view of this size; at least 2, the least at which ink still shows between the grid lines.
inline int WholeGlyphZoom(int viewWidth, int viewHeight, int W, int H, int editMagnif) {
    return std::max(
        std::min((viewWidth - 4) / std::max(W, 1), (viewHeight - 4) / std::max(H * editMagnif, 1)),
        2);
}

inline int ZoomInValue(int zoom) { return zoom * 2; }
// Half the zoom, rounded to the nearest integer, halves to the even neighbour.
inline int ZoomOutValue(int zoom) { return static_cast<int>(std::nearbyint(zoom / 2.0)); }
// Zoom in stays possible up to 50.
inline bool CanZoomIn(int zoom) { return zoom <= 50; }
// Zoom out stays possible while another halving would not fall below the fitted zoom.
inline bool CanZoomOut(int zoom, int fittedZoom) { return zoom / 2.0 >= fittedZoom; }

}  // namespace pixmere
