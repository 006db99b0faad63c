#include "model/ByteMatrix.h"

#include <stdexcept>

namespace pixmere {

void ByteMatrix::redim(int bytesPerRow, int rows, int chars) {
    if (bytesPerRow < 0 || rows < 0 || chars < 0) {
        throw std::invalid_argument("ByteMatrix::redim: negative dimension");
    }
    bytesPerRow_ = bytesPerRow;
    rows_ = rows;
    chars_ = chars;
    data_.assign(static_cast<std::size_t>(bytesPerRow) * rows * chars, 0);
}

}  // namespace pixmere
