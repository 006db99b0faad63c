#pragma once

#include <cstdint>

#include "model/Font.h"

namespace pixmere::test {

// Font parameters in one call: width, height, first code, count, downstroke, magnification.
inline FontParams Shape(int width, int height, int first = 0x20, int count = 1, int downstroke = 0,
                        int magnification = 1) {
    FontParams p;
    p.FormatLengthCar = static_cast<uint8_t>(width);
    p.FormatHeightCar = static_cast<uint8_t>(height);
    p.firstcar = static_cast<uint8_t>(first);
    p.NbCar = count;
    p.jambon = static_cast<uint8_t>(downstroke);
    p.Magnification = static_cast<uint8_t>(magnification);
    return p;
}

// A font whose bytes, padding bits included, all differ from their neighbours, so that a byte
// read from the wrong place shows.
inline Font PatternFont(const FontParams& p) {
    ByteMatrix m = p.blankMatrix();
    for (std::size_t n = 0; n < m.data().size(); ++n) {
        m.data()[n] = static_cast<uint8_t>(n * 97 + n / 256 + 7);
    }
    return MatrixToObject(p, m);
}

}  // namespace pixmere::test
