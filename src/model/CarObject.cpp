#include "model/CarObject.h"

namespace pixmere {

void CarObject::setByteWidth(uint8_t value) {
    ByteWidth_ = value;
    reallocate();
}

void CarObject::setHeight(uint8_t value) {
    Height_ = value;
    reallocate();
}

void CarObject::reallocate() {
    carbitmap_.assign(static_cast<std::size_t>(ByteWidth_ + 1) * (Height_ + 1), 0);
}

void CarObject::CarAff(GlyphCanvas& picture, std::string_view colour, int32_t x0, int32_t y0,
                       int32_t zoom, uint8_t magnif) const {
    const Rgb background = BackgroundFor(colour);
    const int32_t rowHeight = zoom * magnif;
    picture.OutlinedBox(x0, y0, x0 + (bitwidth_ + 1) * zoom, y0 + (Height_ + 1) * rowHeight, kBlack,
                        background);
    for (int32_t j = 0; j <= Height_; ++j) {
        const int32_t top = y0 + j * rowHeight;
        // Neighbouring ink pixels are filled as one box: the same pixels, far fewer calls on
        // the large cells of a 255-pixel font at zoom 8.
        int32_t runStart = -1;
        for (int32_t p = 0; p <= bitwidth_ + 1; ++p) {
            const bool ink = p <= bitwidth_ && pixel(p, j);
            if (ink && runStart < 0) runStart = p;
            if (!ink && runStart >= 0) {
                picture.FillBox(x0 + runStart * zoom, top, x0 + p * zoom - 1, top + rowHeight - 1,
                                kBlack);
                runStart = -1;
            }
        }
    }
}

}  // namespace pixmere
