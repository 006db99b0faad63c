#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/Font.h"

namespace pixmere {

// A rectangle of dots, the printer's pixels.
struct DotRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool empty() const { return width <= 0 || height <= 0; }
    DotRect Intersected(const DotRect& other) const;
    bool operator==(const DotRect&) const = default;
};

enum class PrintedDot : uint8_t {
    Paper,    // no ink
    Ink,      // an ink pixel of a glyph
    Missing,  // the dotted frame of a character the font lacks
};

// One character of the text in its cell.
struct PrintedCell {
    int line = 0;        // text line, from 0
    int column = 0;      // cell in its line, from 0
    int code = -1;       // its Windows-1252 code, -1 when the code page lacks it
    int32_t glyph = -1;  // its glyph index, -1 when the font lacks it (a dotted empty cell)
};

// Text set in a font as the printer prints it: each character in its cell, cells side by side at
// the cell width, lines (split at '\n') at the cell height, every glyph row repeated
// Magnification times. Dots are read straight from the font's glyphs, so a change of a glyph
// shows by repainting the cells that show it (CellsShowing, CellRect); only a change of the
// font's parameters needs a new PrintedText.
class PrintedText {
public:
    PrintedText(const FontParams& params, std::u32string_view text);

    int cellWidth() const { return cellWidth_; }    // W dots
    int cellHeight() const { return cellHeight_; }  // H x Magnification dots
    int lines() const { return static_cast<int>(lineStart_.size()); }
    int width() const { return columns_ * cellWidth_; }  // the longest line
    int height() const { return lines() * cellHeight_; }

    const std::vector<PrintedCell>& cells() const { return cells_; }
    // The cells that show glyph `glyph`, in text order (none for an index outside the font).
    const std::vector<std::size_t>& CellsShowing(int32_t glyph) const;
    DotRect CellRect(std::size_t cell) const;
    // The cells that lie at least partly inside `region`, line by line.
    std::vector<std::size_t> CellsIn(const DotRect& region) const;

    // For each line, the dot row on whose top edge its baseline lies: the line above the
    // downstroke rows, as the edit window marks it (for a font without downstroke, the row
    // just below the line).
    std::vector<int> BaselineRows() const;

    // Dots cx = 0..cellWidth - 1 of row cy (0..cellHeight - 1) of a cell, into out.
    void CellDotRow(const Font& font, std::size_t cell, int cy, PrintedDot* out) const;
    // Dot (x, y) of the text; Paper beyond the end of a line.
    PrintedDot Dot(const Font& font, int x, int y) const;

private:
    int cellWidth_;
    int cellHeight_;
    int magnification_;
    int baselineRow_;  // in a cell
    int columns_ = 0;
    std::vector<PrintedCell> cells_;
    std::vector<std::size_t> lineStart_;             // first cell of each line
    std::vector<std::vector<std::size_t>> showing_;  // cells of each glyph
};

// The text a sample of the font starts with: those of A-Z, a-z and 0-9 that the font holds,
// the three groups separated by a space when it holds one; for a font with none of them, its
// first printable characters (up to 26).
std::u32string DefaultSampleText(const FontParams& params);

}  // namespace pixmere
