#include "model/Font.h"

#include <algorithm>
#include <stdexcept>

namespace pixmere {

ParamsFault CheckParams(const FontParams& p) {
    if (p.FormatHeightCar < 1 || p.FormatLengthCar < 1) return ParamsFault::Size;
    if (p.Magnification < 1 || p.Magnification > kMaxMagnification) {
        return ParamsFault::Magnification;
    }
    if (p.NbCar < 1 || p.NbCar > 256 || p.lastCode() > 0xFF) return ParamsFault::Range;
    if (p.jambon > p.FormatHeightCar) return ParamsFault::Downstroke;
    return ParamsFault::None;
}

std::vector<uint8_t> Font::glyphData() const {
    std::vector<uint8_t> out;
    out.reserve(params.glyphDataSize());
    for (const CarObject& glyph : glyphs) {
        out.insert(out.end(), glyph.bytes().begin(), glyph.bytes().end());
    }
    return out;
}

Font MatrixToObject(const FontParams& params, const ByteMatrix& matrix) {
    if (!params.valid()) {
        throw std::invalid_argument("MatrixToObject: invalid font parameters");
    }
    const int nbByte = params.NbByteMatrix();
    const int height = params.FormatHeightCar;
    if (matrix.bytesPerRow() < nbByte || matrix.rows() < height || matrix.chars() < params.NbCar) {
        throw std::invalid_argument("MatrixToObject: ByteMatrix smaller than the font");
    }
    Font font;
    font.params = params;
    font.glyphs.resize(static_cast<std::size_t>(params.NbCar));
    for (int i = 0; i < params.NbCar; ++i) {
        CarObject& glyph = font.glyphs[static_cast<std::size_t>(i)];
        glyph.setByteWidth(static_cast<uint8_t>(nbByte - 1));
        glyph.setBitwidth(static_cast<uint8_t>(params.FormatLengthCar - 1));
        glyph.setHeight(static_cast<uint8_t>(height - 1));
        glyph.setNbCars(params.NbCar - 1);
        glyph.setNumCar(i);
        glyph.setCarColor(0);
        glyph.setUnderline(params.jambon);
        for (int j = 0; j < height; ++j) {
            const uint8_t* src = &matrix.data()[matrix.offset(0, j, i)];
            std::copy(src, src + nbByte, glyph.row(j));
        }
    }
    return font;
}

}  // namespace pixmere
