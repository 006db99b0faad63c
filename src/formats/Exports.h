#pragma once

#include <cstdint>
#include <vector>

#include "model/Font.h"

namespace pixmere {

// The exact bytes of each export file. None of them changes the font.
std::vector<uint8_t> saveBin(const Font& font);  // printer download file
std::vector<uint8_t> saveC(const Font& font);    // C source table
std::vector<uint8_t> saveTXT(const Font& font);  // text picture

}  // namespace pixmere
