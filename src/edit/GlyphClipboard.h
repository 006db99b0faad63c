#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/Font.h"

namespace pixmere {

// The application's clipboard of glyphs: one instance, owned by the main frame and passed to
// the Copy and Paste commands of every document, so glyphs travel between fonts of any size.
// It is independent of the system clipboard and lives as long as the application.
class GlyphClipboard {
public:
    // Replaces the contents with the given glyphs of a font, in the order given.
    // An empty list leaves the clipboard as it was.
    void Copy(const Font& font, const std::vector<int32_t>& indices);

    // A copy has been made in this run; Paste is enabled from then on.
    bool ClipboardFull() const { return ClipCount_ > 0; }

    int32_t ClipCount() const { return ClipCount_; }    // characters held
    uint8_t ClipBytes() const { return ClipBytes_; }    // NbByteMatrix of the source font
    int32_t ClipHeight() const { return ClipHeight_; }  // FormatHeightCar of the source font

    // Byte column b of row r of clipboard character k.
    uint8_t at(int32_t k, int32_t r, int32_t b) const {
        return ClipBuffer[(static_cast<std::size_t>(k) * ClipHeight_ + r) * ClipBytes_ + b];
    }

private:
    std::vector<uint8_t> ClipBuffer;  // character, row, byte column
    int32_t ClipCount_ = 0;
    uint8_t ClipBytes_ = 0;
    int32_t ClipHeight_ = 0;
};

}  // namespace pixmere
