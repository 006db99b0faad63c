#pragma once

#include <vector>

namespace pixmere {

struct OutlinePoint {
    float x = 0;
    float y = 0;
    bool operator==(const OutlinePoint&) const = default;
};

// The outline of a character where the TrueType conversion placed it in the cell, for drawing
// behind the pixels: closed contours with their curves flattened, in glyph pixels (x from the
// cell's left edge, y from its top edge; pixel (c, r) is the square c..c+1 by r..r+1, whatever
// the magnification). Kept in memory only; no file holds it.
struct SourceOutline {
    std::vector<std::vector<OutlinePoint>> contours;

    bool empty() const { return contours.empty(); }

    // Every point (x, y) becomes (xScale * x + dx, yScale * y + dy): a move by (dx, dy) with
    // scales of 1, a flip within a width W with xScale -1 and dx W.
    SourceOutline Mapped(float xScale, float dx, float yScale, float dy) const {
        SourceOutline out = *this;
        for (auto& contour : out.contours) {
            for (OutlinePoint& p : contour) p = {xScale * p.x + dx, yScale * p.y + dy};
        }
        return out;
    }
};

}  // namespace pixmere
