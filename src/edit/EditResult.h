#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace pixmere {

// Background colour names of the glyph drawing routines: a selected font-window cell is drawn
// "bleu", every other cell and the edit window "blanc".
inline constexpr std::string_view kBlanc = "blanc";
inline constexpr std::string_view kBleu = "bleu";

// One font-window cell to redraw: caption, glyph with the font zoom and Magnification on the
// given background, copied into the cell.
struct CellRedraw {
    int32_t index = 0;                 // glyph index; its code is firstcar + index
    std::string_view colour = kBlanc;  // kBlanc or kBleu

    bool operator==(const CellRedraw&) const = default;
};

// What one editing command changed. The window repaints exactly this and nothing else.
struct EditResult {
    // Cells to redraw, in order. A cell may appear more than once; its last entry is its colour
    // now, and it agrees with the glyph's CarColor (255 for kBleu).
    std::vector<CellRedraw> cells;

    // The glyph the edit window shows after the command, -1 while it shows none.
    int32_t editGlyph = -1;
    // Repaint the whole edit window with editGlyph (CarAff, then quad).
    bool editRedraw = false;
    // Otherwise, rows of editGlyph to repaint (CarAff and quad again, clipped to them), each
    // listed once.
    std::vector<int> editRows;

    // The cell geometry changed: scroll the edit window to its origin, turn the automatic edit
    // zoom back on, run the full refresh of the font window, then call
    // FontDocument::ReselectLastClick with the layout the refresh computed.
    bool layoutChanged = false;

    // The command was not allowed (see FontDocument::IsAllowed) or had nothing to act on;
    // the document is exactly as it was.
    bool refused = false;

    // Copy filled the clipboard: enable Paste in every document window and in the frame.
    bool clipboardFilled = false;

    // State after the command, to apply every time.
    bool undoEnabled = false;  // Undo menu item and toolbar button
    bool redoEnabled = false;  // Redo menu item and toolbar button
    bool modified = false;     // FlagModified
};

}  // namespace pixmere
