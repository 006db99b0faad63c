#pragma once

#include <cstdint>
#include <vector>

namespace pixmere {

// A per-cell, per-shift array of signed 16-bit values, index (column x, row y, shift s), the
// column varying fastest.
class SampleArray {
public:
    // Re-creates the array with every element 0.
    void Redim(int columns, int rows, int shifts) {
        columns_ = columns;
        rows_ = rows;
        shifts_ = shifts;
        values_.assign(static_cast<std::size_t>(columns) * rows * shifts, 0);
    }

    int columns() const { return columns_; }
    int rows() const { return rows_; }
    int shifts() const { return shifts_; }

    int16_t& operator()(int x, int y, int s) { return values_[Index(x, y, s)]; }
    int16_t operator()(int x, int y, int s) const { return values_[Index(x, y, s)]; }

private:
    std::size_t Index(int x, int y, int s) const {
        return (static_cast<std::size_t>(s) * rows_ + y) * columns_ + x;
    }

    int columns_ = 0;
    int rows_ = 0;
    int shifts_ = 0;
    std::vector<int16_t> values_;
};

}  // namespace pixmere
