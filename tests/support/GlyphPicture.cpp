#include "support/GlyphPicture.h"

#include <algorithm>
#include <stdexcept>

namespace pixmere::test {

std::vector<uint8_t> PictureBytes(const std::vector<std::string>& rows, int bytesPerRow) {
    std::vector<uint8_t> bytes(rows.size() * static_cast<std::size_t>(bytesPerRow), 0);
    for (std::size_t j = 0; j < rows.size(); ++j) {
        if (rows[j].size() > static_cast<std::size_t>(bytesPerRow) * 8) {
            throw std::invalid_argument("picture row wider than its bytes: " + rows[j]);
        }
        for (std::size_t x = 0; x < rows[j].size(); ++x) {
            if (rows[j][x] == '#') bytes[j * bytesPerRow + x / 8] |= 0x80 >> (x % 8);
        }
    }
    return bytes;
}

std::vector<std::string> GlyphPicture(const CarObject& glyph, int width) {
    const int columns = width > 0 ? width : (glyph.ByteWidth() + 1) * 8;
    std::vector<std::string> rows;
    for (int y = 0; y <= glyph.Height(); ++y) {
        std::string row;
        for (int x = 0; x < columns; ++x) row += glyph.pixel(x, y) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

Font FontFromPictures(FontParams params, const std::vector<std::vector<std::string>>& glyphs) {
    params.NbCar = static_cast<int32_t>(glyphs.size());
    ByteMatrix matrix = params.blankMatrix();
    const std::size_t glyphSize = static_cast<std::size_t>(params.FormatHeightCar) * params.NbByteMatrix();
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        if (glyphs[i].size() != params.FormatHeightCar) {
            throw std::invalid_argument("glyph picture with the wrong number of rows");
        }
        const std::vector<uint8_t> bytes = PictureBytes(glyphs[i], params.NbByteMatrix());
        std::copy(bytes.begin(), bytes.end(), matrix.data().begin() + i * glyphSize);
    }
    return MatrixToObject(params, matrix);
}

std::vector<std::string> CodePicture(const Font& font, int code) {
    return GlyphPicture(font.glyphs.at(static_cast<std::size_t>(code - font.params.firstcar)),
                        font.params.FormatLengthCar);
}

int BlankGlyphs(const Font& font) {
    return static_cast<int>(
        std::count_if(font.glyphs.begin(), font.glyphs.end(), [](const CarObject& g) {
            return std::all_of(g.bytes().begin(), g.bytes().end(),
                               [](uint8_t b) { return b == 0; });
        }));
}

std::string Joined(const std::vector<std::string>& rows) {
    std::string out = "\n";
    for (const std::string& row : rows) out += row + "\n";
    return out;
}

}  // namespace pixmere::test
