#pragma once

#include "model/CarObject.h"

namespace pixmere {

// The four move buttons, named after them.
enum class MoveDirection { Up, Down, Leeeft, Right };

// Shifts the drawing of one glyph by one pixel inside its cell. What is pushed over an edge is
// dropped, except that a move to the right pushes the last column into the first padding bit
// when the width is not a multiple of 8, and a move to the left brings it back.
void MoveGlyph(CarObject& glyph, MoveDirection direction);

// Shifts a packed row of `bytes` bytes by one pixel, carrying bits across byte boundaries; the
// bit pushed off the end is dropped and the freed one is 0.
void ShiftRowLeft(uint8_t* row, int bytes);
void ShiftRowRight(uint8_t* row, int bytes);

}  // namespace pixmere
