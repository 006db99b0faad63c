#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "model/GlyphCanvas.h"
#include "model/Pixels.h"

namespace pixmere {

// One glyph. ByteWidth, bitwidth and Height are last-index values (count - 1). Setting ByteWidth
// or Height re-dimensions carbitmap and clears it, even when the value does not change; code
// that reshapes a glyph copies its pixels out first.
class CarObject {
public:
    uint8_t CarColor() const { return CarColor_; }
    void setCarColor(uint8_t value) { CarColor_ = value; }

    int carbitmap(int k, int j) const { return carbitmap_[index(k, j)]; }
    void setCarbitmap(int k, int j, int value) {
        carbitmap_[index(k, j)] = static_cast<uint8_t>(value);
    }
    // Row j as ByteWidth + 1 consecutive bytes.
    const uint8_t* row(int j) const { return carbitmap_.data() + index(0, j); }
    uint8_t* row(int j) { return carbitmap_.data() + index(0, j); }
    // The whole glyph, row by row: (ByteWidth + 1) * (Height + 1) bytes.
    const std::vector<uint8_t>& bytes() const { return carbitmap_; }
    std::vector<uint8_t>& bytes() { return carbitmap_; }

    uint8_t ByteWidth() const { return static_cast<uint8_t>(ByteWidth_); }
    void setByteWidth(uint8_t value);
    uint8_t bitwidth() const { return static_cast<uint8_t>(bitwidth_); }
    void setBitwidth(uint8_t value) { bitwidth_ = value; }
    uint8_t Height() const { return static_cast<uint8_t>(Height_); }
    void setHeight(uint8_t value);
    int32_t NbCars() const { return NbCars_; }
    void setNbCars(int32_t value) { NbCars_ = value; }
    uint8_t underline() const { return underline_; }
    void setUnderline(uint8_t value) { underline_ = value; }
    int32_t NumCar() const { return NumCar_; }
    void setNumCar(int32_t value) { NumCar_ = value; }

    // Paints the whole glyph with its top-left corner at (x0, y0): an outlined box in the
    // background of the colour name, then every ink pixel as a zoom x (zoom * magnif) block.
    // Padding bits past bitwidth are never drawn.
    void CarAff(GlyphCanvas& picture, std::string_view colour, int32_t x0, int32_t y0, int32_t zoom,
                uint8_t magnif) const;

    // Pixel x of row y (x in 0..bitwidth).
    bool pixel(int x, int y) const { return PixelAt(row(y), x); }
    void setPixel(int x, int y, bool ink) { ink ? SetPixelAt(row(y), x) : ClearPixelAt(row(y), x); }

private:
    std::size_t index(int k, int j) const {
        return static_cast<std::size_t>(j) * (ByteWidth_ + 1) + k;
    }
    void reallocate();

    std::vector<uint8_t> carbitmap_;
    uint8_t CarColor_ = 0;
    int32_t ByteWidth_ = 0;
    int32_t bitwidth_ = 0;
    int32_t Height_ = 0;
    int32_t NbCars_ = 0;
    int32_t NumCar_ = 0;
    uint8_t underline_ = 0;
};

}  // namespace pixmere
