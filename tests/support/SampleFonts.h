#pragma once

#include <cstdint>
#include <string>
#include <vector>

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
bool RefusedWith(Load load,
                 const std::string& message = "This file contains errors or can not be opened.") {
    try {
        load();
        return false;
    } catch (const UserError& e) {
        return e.what() == message;
    }
}

// The first `length` bytes of a file.
inline std::vector<uint8_t> Cut(const std::vector<uint8_t>& file, std::size_t length) {
    return {file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length)};
}

// The shortest cut of `file` that `load` does not refuse with `message`; -1 when every cut
// shorter than the file is refused.
template <typename Load>
long FirstCutTaken(const std::vector<uint8_t>& file, Load load,
                   const std::string& message = "This file contains errors or can not be opened.") {
    for (std::size_t length = 0; length < file.size(); ++length) {
        if (!RefusedWith([&] { load(Cut(file, length)); }, message)) return long(length);
    }
    return -1;
}

// The bytes with `value` written over `size` bytes at `at`, least significant byte first.
inline std::vector<uint8_t> Patched(std::vector<uint8_t> bytes, std::size_t at, uint32_t value,
                                    int size = 1) {
    for (int n = 0; n < size; ++n) bytes.at(at + n) = static_cast<uint8_t>(value >> 8 * n);
    return bytes;
}

// The text with its first `from` replaced by `to`.
inline std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
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

// A header as the library's converter writes it: codes FD to 100h with an empty glyph, ink
// above and below the cursor row, a negative xOffset and an advance wider than the ink.
inline const std::string kConverterGfxHeader =
    "#include <Adafruit_GFX.h>\n\n"
    "const uint8_t TinyBitmaps[] PROGMEM = {\n"
    "  0xF7, 0x5E, 0xC4, 0x80 };\n\n"
    "const GFXglyph TinyGlyphs[] PROGMEM = {\n"
    "  {     0,   3,   5,   4,    0,   -4 },   // 0xFD\n"
    "  {     2,   2,   3,   3,   -1,    0 },   // 0xFE\n"
    "  {     3,   0,   0,   6,    0,    1 },   // 0xFF\n"
    "  {     3,   1,   1,   2,    0,    0 } }; // 0x100\n\n"
    "const GFXfont Tiny PROGMEM = {\n"
    "  (uint8_t  *)TinyBitmaps,\n"
    "  (GFXglyph *)TinyGlyphs,\n"
    "  0xFD, 0x100, 12 };\n\n"
    "// Approx. 39 bytes\n";

}  // namespace pixmere::test
