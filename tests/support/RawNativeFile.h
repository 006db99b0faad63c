#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "formats/NativeFile.h"
#include "model/Font.h"

namespace pixmere::test {

inline constexpr Scrambler::Key kTestKey = {40,  57,  74,  91,  108, 125, 142,
                                            159, 176, 193, 210, 227, 244};

// A native file written byte by byte, so that it may hold what the editor never writes (a
// header of a font it cannot hold, codes below 20h, data cut short): the six header bytes
// (width, height, downstroke, first code, count - 1, magnification) and the glyph data,
// scrambled with the key, which stands between them.
inline std::vector<uint8_t> RawNativeFile(const std::array<uint8_t, 6>& header,
                                          std::span<const uint8_t> glyphData,
                                          const Scrambler::Key& key = kTestKey) {
    Scrambler s;
    s.CryptInit(key);
    std::vector<uint8_t> out;
    for (const uint8_t b : header) out.push_back(s.Crypt(b));
    out.insert(out.end(), key.begin(), key.end());
    for (const uint8_t b : glyphData) out.push_back(s.Crypt(b));
    return out;
}

inline std::vector<uint8_t> RawNativeFile(const Font& font) {
    const FontParams& p = font.params;
    return RawNativeFile({p.FormatLengthCar, p.FormatHeightCar, p.jambon, p.firstcar,
                          static_cast<uint8_t>(p.NbCar - 1), p.Magnification},
                         font.glyphData());
}

}  // namespace pixmere::test
