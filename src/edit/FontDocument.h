#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "edit/EditResult.h"
#include "edit/FontGeometry.h"
#include "edit/GlyphClipboard.h"
#include "edit/GlyphMoves.h"
#include "edit/GlyphTransforms.h"
#include "edit/PointerHit.h"
#include "edit/UndoHistory.h"
#include "model/Font.h"
#include "model/SourceOutline.h"

namespace pixmere {

// One open font and everything the editor decides about it: the selection made in the font
// window, pixel strokes in the edit window, row and column changes, moves, copy, paste and
// delete, the undo history and FlagModified. It draws nothing: every command returns an
// EditResult saying which cells and which part of the edit window to repaint, whether the
// layout must be rebuilt, and the new Undo/Redo states.
//
// Selection: the selected characters are those whose CarColor is 255, the run between SelAnchor
// and CurrentCar. CurrentCar is the character the edit window shows and strokes change.
//
// Commands that end with ReselectLastClick (paste, undo, redo) take the font window's current
// layout. Row and column commands change the cell size; the window then lays the font window
// out again and calls ReselectCurrentCar with the new layout (EditResult::layoutChanged), so
// the character the user picked stays the one edited.
class FontDocument {
public:
    // A document for a freshly built font: empty history, nothing selected, the edit window not
    // yet ready for strokes, not modified. Throws std::invalid_argument for a font whose glyphs
    // do not match its parameters.
    explicit FontDocument(Font font);

    const Font& font() const { return font_; }
    const FontParams& params() const { return font_.params; }

    // ---- font window: press, move and release (pixel coordinates of the cell canvas) ----

    // A press picks the character under the pointer (a new selection), or, while a drag is in
    // progress, extends, shrinks or flips the selection to reach it. Button is not examined.
    // Positions off the cells change nothing but are remembered for ReselectLastClick.
    EditResult fontsupport_MouseDown(int Button, float x, float y, const CellLayout& layout);
    // A move with any button held (Button != 0) acts as a press; without a button, nothing.
    EditResult FontSupport_MouseMove(int Button, float x, float y, const CellLayout& layout);
    // The release ends the drag, makes the edit window ready for strokes and shows the
    // current character in it.
    EditResult fontsupport_MouseUp();
    // A fresh click at the last press position with the given layout: exactly one character
    // ends up selected and shown. When that position lies on no character any more, the
    // current character is kept instead.
    EditResult ReselectLastClick(const CellLayout& layout);
    // After a change of the font window's layout (cell size, zoom, cells per row): the current
    // character alone is selected and shown, and a later ReselectLastClick finds it in the new
    // layout.
    EditResult ReselectCurrentCar(const CellLayout& layout);
    // Turns strokes off until the next release in the font window (a zoom change does this
    // before it reselects).
    void ClearEditReady() { EditReady_ = false; }

    // A key in the font window moves the current character: Left and Right by one code, Up and
    // Down by a row of cells, Home and End to the first and the last; it stops at either end.
    // With extend the selection grows or shrinks to it as a drag does, from the same anchor;
    // without, the character alone is selected. Either way the edit window shows it, as after a
    // click on its cell, which counts as the last click from then on.
    EditResult FontWindowKey(CarKey key, bool extend, const CellLayout& layout);

    // Selects characters first..last (indices, either order) as a drag from first to last
    // would, and shows last in the edit window. Refused when an index lies outside the font.
    EditResult SelectRange(int32_t first, int32_t last);

    // ---- edit window: strokes (screen pixels of the enlarged glyph) ----

    // Marks the document modified, then sets (left button), clears (right button) or leaves
    // (any other button) the pixel under the pointer in the current character. The first hit
    // of a stroke records one undo step, whatever the button.
    EditResult ZoomPic_MouseDown(int Button, float x, float y, const EditView& view);
    // A move with a button held continues the stroke in the same undo step: every pixel on the
    // line from the previous position of the stroke to this one, however fast the pointer went.
    EditResult ZoomPic_MouseMove(int Button, float x, float y, const EditView& view);
    // Ends the stroke; after a left or right stroke the font window's cell shows the change.
    EditResult ZoomPic_MouseUp(int Button);

    // ---- Modify Font > Add / Remove > Line / Column ----

    // Whether the command keeps the geometry within 1..255; disable the menu item otherwise.
    bool IsAllowed(GeometryCommand command) const { return GeometryAllowed(params(), command); }
    // Rebuilds every glyph with one row or column more or less and empties the history.
    // A command that is not allowed is refused and changes nothing.
    EditResult ChangeGeometry(GeometryCommand command);
    EditResult Atop_Click() { return ChangeGeometry(GeometryCommand::Atop); }
    EditResult Abottom_Click() { return ChangeGeometry(GeometryCommand::Abottom); }
    EditResult Aleft_Click() { return ChangeGeometry(GeometryCommand::Aleft); }
    EditResult Aright_Click() { return ChangeGeometry(GeometryCommand::Aright); }
    EditResult Rtop_Click() { return ChangeGeometry(GeometryCommand::Rtop); }
    EditResult Rbottom_Click() { return ChangeGeometry(GeometryCommand::Rbottom); }
    EditResult Rleft_Click() { return ChangeGeometry(GeometryCommand::Rleft); }
    EditResult Rright_Click() { return ChangeGeometry(GeometryCommand::Rright); }

    // ---- Move characters: shift every character of the selection by one pixel ----

    EditResult Move(MoveDirection direction);
    EditResult Up_Click() { return Move(MoveDirection::Up); }
    EditResult Down_Click() { return Move(MoveDirection::Down); }
    EditResult Leeeft_Click() { return Move(MoveDirection::Leeeft); }
    EditResult Right_Click() { return Move(MoveDirection::Right); }

    // ---- Transform: a whole-glyph change of every selected character ----

    // One undo step for the selection, recorded as a move records it; only the cells whose
    // glyph changed are repainted, and the edit window when the current character changed.
    // Italic with a slant outside kMinSlant..kMaxSlant rows a pixel is refused.
    EditResult Transform(GlyphTransform transform, int slant = kDefaultSlant);
    EditResult FlipHorizontal() { return Transform(GlyphTransform::FlipHorizontal); }
    EditResult FlipVertical() { return Transform(GlyphTransform::FlipVertical); }
    EditResult Rotate180() { return Transform(GlyphTransform::Rotate180); }
    EditResult Invert() { return Transform(GlyphTransform::Invert); }
    EditResult Bold() { return Transform(GlyphTransform::Bold); }
    EditResult Italic(int slant = kDefaultSlant) {
        return Transform(GlyphTransform::Italic, slant);
    }

    // ---- Edit menu ----

    // Copies the selected characters into the clipboard. With nothing selected it is refused
    // and the clipboard keeps what it held.
    EditResult copy_Click(GlyphClipboard& clipboard) const;
    // Writes the clipboard over the characters from each selected one on, aligned on the
    // top-left corner and completed with blank rows and bytes; one undo step for the font.
    // Refused while the clipboard is empty.
    EditResult paste_Click(const GlyphClipboard& clipboard, const CellLayout& layout);
    // Clears the pixels of the selected characters; one undo step.
    EditResult Dele_Click();
    EditResult undo_Click(const CellLayout& layout);
    EditResult redo_Click(const CellLayout& layout);

    // ---- font properties that keep the geometry ----

    // Changes the downstroke and the magnification; marks the document modified when either
    // differs. Values the parameters cannot take are refused. Returns whether anything changed.
    bool SetFontProperties(uint8_t jambon, uint8_t Magnification);

    // ---- the outlines a TrueType import placed in the cells ----

    // One outline per character, in glyph order; an empty outline (or an empty list) for none.
    // Throws std::invalid_argument for a list of another length. Each outline then follows its
    // character: moves shift it, flips and turns mirror it (the other transforms keep it);
    // paste and clear drop it for the characters they write; a row or column command drops
    // them all. Undo and redo bring back the outlines of the characters they restore.
    void SetSourceOutlines(std::vector<SourceOutline> outlines);
    // The outline kept for character i, nullptr when none.
    const SourceOutline* SourceOutlineOf(int32_t i) const;
    // Whether any character still has its outline ("Show Outline" is enabled then).
    bool HasSourceOutlines() const;

    // ---- state ----

    bool FlagModified() const { return FlagModified_; }
    void setFlagModified(bool value) { FlagModified_ = value; }  // a save clears it

    int32_t CurrentCar() const { return CurrentCar_; }
    int32_t SelAnchor() const { return SelAnchor_; }
    // The glyph the edit window shows, -1 while it shows none.
    int32_t ShownCar() const { return shownCar_; }
    bool IsSelected(int32_t index) const { return glyph(index).CarColor() == 255; }
    std::vector<int32_t> SelectedCars() const;

    bool UndoEnabled() const { return history_.UndoEnabled(); }
    bool RedoEnabled() const { return history_.RedoEnabled(); }
    const UndoHistory& history() const { return history_; }

private:
    CarObject& glyph(int32_t i) { return font_.glyphs[static_cast<std::size_t>(i)]; }
    const CarObject& glyph(int32_t i) const { return font_.glyphs[static_cast<std::size_t>(i)]; }

    void RedrawCell(int32_t i, EditResult& r);
    void SetColour(int32_t i, bool selected, EditResult& r);
    void ToggleCarColor(int32_t i, EditResult& r);
    void PressFontWindow(float x, float y, const CellLayout& layout, EditResult& r);
    void SelectHit(int32_t H, EditResult& r);
    void ReleaseFontWindow(EditResult& r);
    void Reselect(const CellLayout& layout, EditResult& r);
    void ShowInEditWindow(int32_t i, EditResult& r);
    // Makes character i current as a click on its cell in layout would, the selection extended
    // to it instead of replaced when extend is set.
    void PickCar(int32_t i, bool extend, const CellLayout& layout, EditResult& r);
    // Sets, clears or (other buttons) leaves the given pixels of the current character; the first
    // pixel of a stroke records its undo step.
    void StrokePixels(int Button, const std::vector<GlyphPoint>& pixels, EditResult& r);
    // Continues the stroke to the pointer position: the line from where it last was.
    void StrokeTo(int Button, float x, float y, const EditView& view, EditResult& r);
    void OrderSelection();
    // One undo step for the selection, change(i) applied to each of its characters. Every cell
    // of the selection is repainted, or with onlyChanged those whose glyph changed.
    template <typename Change>
    EditResult ChangeSelection(Change change, bool onlyChanged = false);
    // Records the undo step of characters first..last, their outlines included.
    void SaveObject(int32_t first, int32_t last);
    // The outline of character i becomes its image under `map` (see SourceOutline::Mapped).
    void MapOutline(int32_t i, float xScale, float dx, float yScale, float dy);
    void DropOutline(int32_t i);
    // Undo or redo put the glyphs of `range` back from ring slot `slot`: so do their outlines.
    void ExchangeOutlines(const UndoHistory::Range& range, int slot);
    void RestoreRange(const UndoHistory::Range& range, EditResult& r);
    EditResult Finish(EditResult r) const;

    Font font_;
    UndoHistory history_;
    bool FlagModified_ = false;

    int32_t CurrentCar_ = 0;
    int32_t SelAnchor_ = 0;
    int32_t HitCar_ = 0;
    bool hitValid_ = false;  // the last press or move in the font window was on a character
    float LastClickX_ = 0.0f;
    float LastClickY_ = 0.0f;
    bool DragSelect_ = false;
    bool EditReady_ = false;
    uint8_t StrokeSaved_ = 0;
    std::optional<GlyphPoint> strokePoint_;  // where the stroke under way last was
    int32_t shownCar_ = -1;

    // Outlines per character (none at all for a font no TrueType import made), and beside
    // each slot of the undo ring the outlines of the characters it holds. Shared, so that
    // recording a step copies pointers.
    using OutlineRef = std::shared_ptr<const SourceOutline>;
    std::vector<OutlineRef> outlines_;
    std::array<std::vector<OutlineRef>, UndoHistory::kSlots> outlineSlots_;
};

}  // namespace pixmere
