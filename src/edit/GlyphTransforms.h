#pragma once

#include "model/CarObject.h"

namespace pixmere {

// The whole-glyph changes of the Transform menu.
enum class GlyphTransform { FlipHorizontal, FlipVertical, Rotate180, Invert, Bold, Italic };

// Italic's slant: rows a pixel.
inline constexpr int kMinSlant = 2;
inline constexpr int kMaxSlant = 8;
inline constexpr int kDefaultSlant = 4;

// Changes the W x H pixels of a glyph in place; the bits past the width are neither read nor
// written, so they stay as they were (0 in a font that a move to the right has not touched).
//   FlipHorizontal: column x becomes column W - 1 - x.
//   FlipVertical:   row y becomes row H - 1 - y.
//   Rotate180:      both.
//   Invert:         ink becomes background and background ink.
//   Bold:           each ink pixel also inks its right neighbour, within the cell.
//   Italic:         each row moves by ItalicShift; pixels leaving the cell are dropped.
// jambon is the font's downstroke (rows below the baseline) and slant Italic's rows a pixel,
// at least 1; the other transforms take neither.
void TransformGlyph(CarObject& glyph, GlyphTransform transform, int jambon = 0,
                    int slant = kDefaultSlant);

// How far Italic moves row y of a glyph H rows high, positive to the right. The baseline is
// the line above the jambon downstroke rows: a row r rows above it (the row just above being 0)
// moves right by floor(r / slant), a downstroke row d rows below it (the first being 1) moves
// left by ceil(d / slant).
int ItalicShift(int y, int H, int jambon, int slant);

}  // namespace pixmere
