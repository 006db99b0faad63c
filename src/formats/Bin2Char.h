#pragma once

#include <cstdint>
#include <string>

namespace pixmere::Bin2Char {

// "#" for each 1 bit and a space for each 0 bit, most significant bit first.
std::string ByteToPicture(uint8_t b);
// The eight binary digits, most significant first.
std::string ByteToBinary(uint8_t b);

}  // namespace pixmere::Bin2Char
