#pragma once

#include <cstdint>
#include <string>

#include "model/Font.h"
#include "model/UserError.h"

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

// The parameters in one line: "WxH down J magnif M codes FIRST-LAST" (codes in decimal).
inline std::string Describe(const FontParams& p) {
    return std::to_string(p.FormatLengthCar) + "x" + std::to_string(p.FormatHeightCar) + " down " +
           std::to_string(p.jambon) + " magnif " + std::to_string(p.Magnification) + " codes " +
           std::to_string(p.firstcar) + "-" + std::to_string(p.lastCode());
}

// Whether running `load` throws UserError with exactly `message`.
template <typename Load>
bool RefusedWith(Load load, const std::string& message = kBadFontFileMessage) {
    try {
        load();
        return false;
    } catch (const UserError& e) {
        return e.what() == message;
    }
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
