#include "formats/TextOut.h"

namespace pixmere {

// Appended rather than prepended: GCC 12 reports a false -Wrestrict for inserting a literal in
// front of a temporary string at -O2 and above.
std::string Num(int value) {
    std::string s(value < 0 ? 0 : 1, ' ');
    s += std::to_string(value);
    return s;
}

TextOut::TextOut(std::size_t expected) { bytes_.reserve(expected); }

}  // namespace pixmere
