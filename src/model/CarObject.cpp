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

void CarObject::setPixel(int x, int y, bool ink) {
    const int mask = 0x80 >> (x % 8);
    const int byte = carbitmap(x / 8, y);
    setCarbitmap(x / 8, y, ink ? (byte | mask) : (byte & ~mask));
}

}  // namespace pixmere
