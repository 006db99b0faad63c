#pragma once

#include <gtest/gtest.h>

#include <QPainterPath>
#include <string>
#include <vector>

#include "model/Font.h"
#include "support/GlyphPicture.h"
#include "support/SampleFonts.h"
#include "truetype/TtfConverter.h"
#include "truetype/TtfFace.h"

namespace pixmere::test {

// The dialog's parameters: height, width, downstroke and the range first..last.
inline FontParams Cell(int height, int width, int downstroke, int first = 0x20, int last = 0x7E) {
    FontParams p = Shape(width, height, first, last - first + 1, downstroke);
    p.lastcar = static_cast<uint8_t>(last);
    return p;
}

inline TtfFace DejaVu(bool bold = false, bool italic = false) {
    try {
        return TtfFace::Installed("DejaVu Sans", bold, italic);
    } catch (const std::exception&) {
        ADD_FAILURE() << "DejaVu Sans is missing: install fonts-dejavu-core";
        throw;
    }
}

// A face of plain shapes, sized in the outline units (1000 to the em, ascent 800):
// "X" a box of 600 x 700 on the baseline, "#" a box far larger than any surface, "'" a box
// from 600 to 500 above the baseline, "g" one from 600 above to 400 below it. Nothing else
// draws.
inline TtfFace ShapesFace(bool withX = true) {
    QPainterPath x, all, tick, g;
    x.addRect(50, -700, 600, 700);
    all.addRect(-50000, -50000, 100000, 100000);
    tick.addRect(50, -600, 100, 100);
    g.addRect(50, -600, 400, 1000);
    std::vector<std::pair<char32_t, QPainterPath>> outlines = {
        {U'#', all}, {U'\'', tick}, {U'g', g}};
    if (withX) outlines.push_back({U'X', x});
    return TtfFace::FromOutlines("Shapes", 800, outlines);
}

// A converter loaded as the dialog is: reference fit and one conversion done.
inline TtfConverter Loaded(const TtfFace& face, const FontParams& cell) {
    TtfConverter c(face, cell);
    c.Load();
    return c;
}

// The conversion result SampleBits(x, y, 0) as a picture.
inline std::vector<std::string> ResultPicture(const ConversionState& s) {
    std::vector<std::string> rows;
    for (int y = 0; y < s.SampleBits.rows(); ++y) {
        std::string row;
        for (int x = 0; x < s.SampleBits.columns(); ++x) row += s.SampleBits(x, y, 0) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

// Where isInk(x, y) holds over columns 0..columns-1 and rows 0..rows-1 (-1 when nowhere).
struct Extent {
    int top = -1, bottom = -1, left = -1, right = -1;
};
template <typename IsInk>
Extent InkExtent(int columns, int rows, IsInk isInk) {
    Extent e;
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < columns; ++x) {
            if (!isInk(x, y)) continue;
            if (e.top < 0) e.top = y;
            e.bottom = y;
            if (e.left < 0 || x < e.left) e.left = x;
            e.right = std::max(e.right, x);
        }
    }
    return e;
}

// Rows of the result holding ink, first and last (-1 when none).
inline std::pair<int, int> InkRows(const ConversionState& s) {
    const Extent e = InkExtent(s.SampleBits.columns(), s.SampleBits.rows(),
                               [&](int x, int y) { return s.SampleBits(x, y, 0) != 0; });
    return {e.top, e.bottom};
}

// The extent of the black points at integer user coordinates 0..columns-1, 0..rows-1.
inline Extent BlackExtent(const PictureArea& area, int columns, int rows) {
    return InkExtent(columns, rows, [&](int x, int y) { return area.IsBlack(x, y); });
}

}  // namespace pixmere::test
