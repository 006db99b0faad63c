#pragma once

#include <cstdint>
#include <string_view>

namespace pixmere {

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kLightBlue{0, 0, 255};
inline constexpr Rgb kYellow{255, 255, 0};
inline constexpr Rgb kLightRed{255, 0, 0};

// Cell background for a colour name: "bleu" marks a selected character, "blanc" (and anything
// else) is white.
constexpr Rgb BackgroundFor(std::string_view colourName) {
    return colourName == "bleu" ? kLightBlue : kWhite;
}

// The surface glyphs are drawn on. The editor implements it with a painter, tests with an
// image or a recorder. Coordinates are pixels; both corners of a box are included.
class GlyphCanvas {
public:
    virtual ~GlyphCanvas() = default;
    virtual void FillBox(int x0, int y0, int x1, int y1, Rgb colour) = 0;
    // A box whose one-pixel outline passes through both corners, its interior filled.
    virtual void OutlinedBox(int x0, int y0, int x1, int y1, Rgb outline, Rgb interior) = 0;
};

}  // namespace pixmere
