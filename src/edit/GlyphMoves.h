#pragma once

#include "model/CarObject.h"

namespace pixmere {

// The four move buttons, named after them.
enum class MoveDirection { Up, Down, Leeeft, Right };

// Shifts the drawing of one glyph by one pixel inside its cell. What is pushed over an edge is
// dropped, except that a move to the right pushes the last column into the first padding bit
// when the width is not a multiple of 8, and a move to the left brings it back.
void MoveGlyph(CarObject& glyph, MoveDirection direction);

}  // namespace pixmere
