#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/ByteMatrix.h"
#include "model/CarObject.h"

namespace pixmere {

// Bytes per glyph row for a width in pixels: the smallest n >= 1 with 8n >= width.
constexpr uint8_t BytesPerRow(int width) {
    return static_cast<uint8_t>(width <= 8 ? 1 : (width - 1) / 8 + 1);
}

inline constexpr int kMaxMagnification = 5;

struct FontParams;

// The rules a font's parameters obey, in the order CheckParams tries them.
enum class ParamsFault {
    None,
    Size,           // a width or height of 0
    Magnification,  // outside 1..kMaxMagnification
    Range,          // not 1..256 characters ending at or below code FF
    Downstroke,     // more rows below the baseline than the font has
};

// The one home of the parameters' invariants: the first rule they break, None when they hold.
// Every loader, dialog and command that sets parameters asks it.
ParamsFault CheckParams(const FontParams& p);

// The parameters of a document's font. NbByteMatrix is derived from the width, never stored,
// so it cannot disagree with it.
struct FontParams {
    uint8_t FormatHeightCar = 1;
    uint8_t FormatLengthCar = 1;
    uint8_t jambon = 0;
    uint8_t Magnification = 1;
    int32_t NbCar = 1;
    uint8_t firstcar = 0x20;
    uint8_t lastcar = 0xFF;

    uint8_t NbByteMatrix() const { return BytesPerRow(FormatLengthCar); }
    // Code of the last glyph; the glyph array, not lastcar, decides it.
    int lastCode() const { return firstcar + NbCar - 1; }
    // Glyph data size: NbCar * FormatHeightCar * NbByteMatrix.
    std::size_t glyphDataSize() const {
        return static_cast<std::size_t>(NbCar) * FormatHeightCar * NbByteMatrix();
    }
    bool valid() const { return CheckParams(*this) == ParamsFault::None; }
    // A ByteMatrix sized exactly for these parameters, all zero.
    ByteMatrix blankMatrix() const { return ByteMatrix(NbByteMatrix(), FormatHeightCar, NbCar); }
};

// Memory the printer needs for the font: the glyph data plus its five header bytes.
inline std::size_t PrinterBytes(const FontParams& p) { return p.glyphDataSize() + 5; }

struct Font {
    FontParams params;
    std::vector<CarObject> glyphs;  // glyphs[i] is code firstcar + i, with NumCar i

    // The glyph data in file order (character, row, byte column).
    std::vector<uint8_t> glyphData() const;
};

// Builds the glyph array from a ByteMatrix filled for the parameters (it may be larger; only
// their ranges are read). Bytes are copied unchanged, padding bits included.
// Throws std::invalid_argument when the parameters are invalid or the matrix too small.
Font MatrixToObject(const FontParams& params, const ByteMatrix& matrix);

}  // namespace pixmere

namespace pixmere {

// What every loader returns: the parameters it read and the ByteMatrix it filled for them.
struct LoadedFont {
    FontParams params;
    ByteMatrix matrix;

    Font build() const { return MatrixToObject(params, matrix); }
};

}  // namespace pixmere
