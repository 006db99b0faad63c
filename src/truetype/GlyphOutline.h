#pragma once

#include <QPainterPath>

namespace pixmere {

// The outline of one character of a face, ready to be filled at any size.
struct GlyphOutline {
    // Pixel size at which path, ascent and emboldenShift are given; drawing scales them.
    static constexpr double kPixelSize = 1000.0;

    QPainterPath path;         // pen origin at (0, 0) on the baseline, y growing downwards
    double ascent = 0.0;       // from the top of the line box down to the baseline
    double emboldenShift = 0;  // synthetic bold: ink smeared this far to the right (0: none)

    bool IsEmpty() const { return path.isEmpty(); }
};

}  // namespace pixmere
