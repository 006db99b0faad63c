#include "edit/GlyphClipboard.h"

#include <stdexcept>
#include <utility>

namespace pixmere {

void GlyphClipboard::Copy(const Font& font, const std::vector<int32_t>& indices) {
    if (indices.empty()) return;
    const std::size_t glyphBytes =
        static_cast<std::size_t>(font.params.FormatHeightCar) * font.params.NbByteMatrix();
    // Built aside, so a bad index leaves the previous contents whole.
    std::vector<uint8_t> buffer;
    buffer.reserve(indices.size() * glyphBytes);
    for (int32_t i : indices) {
        const std::vector<uint8_t>& bytes = font.glyphs.at(static_cast<std::size_t>(i)).bytes();
        if (bytes.size() != glyphBytes) throw std::logic_error("Copy: glyph of another size");
        buffer.insert(buffer.end(), bytes.begin(), bytes.end());
    }
    ClipBuffer = std::move(buffer);
    ClipBytes_ = font.params.NbByteMatrix();
    ClipHeight_ = font.params.FormatHeightCar;
    ClipCount_ = static_cast<int32_t>(indices.size());
}

}  // namespace pixmere
