#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pixmere {

// Transfer buffer between a loader and MatrixToObject: element (k, j, i) is byte column k of
// row j of character i, k varying fastest, so the flat order is the file order of glyph data.
class ByteMatrix {
public:
    ByteMatrix() = default;
    ByteMatrix(int bytesPerRow, int rows, int chars) { redim(bytesPerRow, rows, chars); }

    // Re-dimensions and clears every byte to 0.
    void redim(int bytesPerRow, int rows, int chars);

    int bytesPerRow() const { return bytesPerRow_; }
    int rows() const { return rows_; }
    int chars() const { return chars_; }

    std::size_t offset(int k, int j, int i) const {
        return (static_cast<std::size_t>(i) * rows_ + j) * bytesPerRow_ + k;
    }
    uint8_t& at(int k, int j, int i) { return data_[offset(k, j, i)]; }
    uint8_t at(int k, int j, int i) const { return data_[offset(k, j, i)]; }
    // Row j of character i as bytesPerRow consecutive bytes.
    uint8_t* row(int j, int i) { return data_.data() + offset(0, j, i); }

    std::vector<uint8_t>& data() { return data_; }
    const std::vector<uint8_t>& data() const { return data_; }

private:
    int bytesPerRow_ = 0;
    int rows_ = 0;
    int chars_ = 0;
    std::vector<uint8_t> data_;
};

}  // namespace pixmere
