#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "model/Font.h"

namespace pixmere {

// Pointer buttons as the handlers receive them: one bit per button, several bits when several
// buttons are held during a move, 0 for none.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;

// Keys that move the current character in the font window.
enum class CarKey { Left, Right, Up, Down, Home, End };

// The font window's layout, computed by its full refresh: cells are placed edge to edge,
// cellsPerRow in each row, in index order. Pointer positions are in the same pixel units.
struct CellLayout {
    int32_t cellWidth = 0;
    int32_t cellHeight = 0;
    int32_t cellsPerRow = 0;
};

// The edit window's scale: screen pixels per glyph pixel, and whether "Show Magnification"
// is checked (rows then stretch by the font's Magnification).
struct EditView {
    int32_t zoom = 0;
    bool showMagnification = false;
};

// Row factor of the edit window: the font's Magnification when shown, else 1.
uint8_t EditMagnif(const EditView& view, const FontParams& params);

// A press or move in the font window.
struct FontWindowHit {
    int32_t x = 0, y = 0;  // pointer position rounded to the nearest integer, halves to even
    int64_t HitCar = 0;    // row * cellsPerRow + column, valid or not
    int64_t column = 0, row = 0;
    bool valid = false;  // a character's cell lies under the pointer
};

FontWindowHit HitTestFontWindow(double x, double y, const CellLayout& layout, int32_t NbCar);

// A glyph pixel position; it may lie off the glyph (column -1 is left of it).
struct GlyphPoint {
    int32_t column = 0;
    int32_t row = 0;
    bool operator==(const GlyphPoint&) const = default;
};

// The glyph pixel under an edit-window position, off the glyph too; none for a position no
// pointer can have (not finite, or beyond 32 bits).
std::optional<GlyphPoint> EditWindowPoint(double x, double y, const EditView& view,
                                          const FontParams& params);

// The pixels of a width x height glyph that the straight line from `from` to `to` passes,
// both ends included, in order from `from`: one pixel a column or a row, whichever the line
// crosses more of, each the nearest to the line. Parts of the line off the glyph give none.
std::vector<GlyphPoint> LinePixels(GlyphPoint from, GlyphPoint to, int32_t width, int32_t height);

}  // namespace pixmere
