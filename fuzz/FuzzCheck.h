#pragma once

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <span>

#include "model/Font.h"
#include "model/UserError.h"

namespace pixmere::fuzz {

// A property every input must keep; a broken one is a finding, reported like a crash.
inline void Check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

inline std::span<const uint8_t> Bytes(const uint8_t* data, std::size_t size) {
    return {data, size};
}

// Runs a reader on an input. Refusing it with the user's message is fine; any other exception
// escapes and libFuzzer reports it.
template <typename Read>
void Refusable(Read read) {
    try {
        read();
    } catch (const UserError&) {
    }
}

// The reader's result, or nullopt when it refuses the input with the user's message. Only the
// reader runs inside: a refusal of what it produced (writing the font back, reading that again)
// escapes and is a finding.
template <typename Read>
auto Accepted(Read read) -> std::optional<decltype(read())> {
    try {
        return read();
    } catch (const UserError&) {
        return std::nullopt;
    }
}

inline bool SameParams(const Font& a, const Font& b) {
    const FontParams& p = a.params;
    const FontParams& q = b.params;
    return p.FormatLengthCar == q.FormatLengthCar && p.FormatHeightCar == q.FormatHeightCar &&
           p.jambon == q.jambon && p.Magnification == q.Magnification && p.firstcar == q.firstcar &&
           p.NbCar == q.NbCar;
}

// Whether two fonts have the same parameters and the same glyph bytes, padding bits included.
inline bool SameFont(const Font& a, const Font& b) {
    return SameParams(a, b) && a.glyphData() == b.glyphData();
}

// Whether two fonts have the same parameters and the same pixels, padding bits left aside.
inline bool SamePixels(const Font& a, const Font& b) {
    if (!SameParams(a, b)) return false;
    for (std::size_t i = 0; i < a.glyphs.size(); ++i) {
        for (int y = 0; y < a.params.FormatHeightCar; ++y) {
            for (int x = 0; x < a.params.FormatLengthCar; ++x) {
                if (a.glyphs[i].pixel(x, y) != b.glyphs[i].pixel(x, y)) return false;
            }
        }
    }
    return true;
}

// What MatrixToObject guarantees and everything downstream relies on.
inline void CheckFont(const Font& font) {
    const FontParams& p = font.params;
    Check(p.valid(), "the parameters keep their rules");
    Check(font.glyphs.size() == static_cast<std::size_t>(p.NbCar), "one glyph per character");
    for (std::size_t i = 0; i < font.glyphs.size(); ++i) {
        const CarObject& g = font.glyphs[i];
        Check(g.ByteWidth() + 1 == p.NbByteMatrix() && g.bitwidth() + 1 == p.FormatLengthCar &&
                  g.Height() + 1 == p.FormatHeightCar && g.NbCars() == p.NbCar - 1 &&
                  g.NumCar() == static_cast<int32_t>(i),
              "each glyph has the font's geometry and its own index");
        Check(g.bytes().size() == static_cast<std::size_t>(p.NbByteMatrix()) * p.FormatHeightCar,
              "each glyph holds its rows");
        Check(g.CarColor() == 0 || g.CarColor() == 255, "a glyph is selected or not");
    }
}

}  // namespace pixmere::fuzz
