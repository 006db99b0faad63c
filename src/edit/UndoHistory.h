#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/Font.h"

namespace pixmere {

// A document's history: five slots filled in turn as a ring, each holding whole glyphs of one
// step's range of characters.
//
// Step p is the change from position p to p + 1; it is recorded in slot p mod 5 before the
// glyphs change. Undo and redo exchange the glyphs of the step's range with its slot, so a slot
// holds the images before its step while the step is applied and the images after it once the
// step is undone: redo puts back exactly what undo took, whatever the ranges of neighbouring
// steps. Each slot remembers which step it holds, and a step whose slot a later step has taken
// can no longer be undone or redone.
class UndoHistory {
public:
    static constexpr int kSlots = 5;

    // Sizes the ring for the font's geometry, all bytes 0, and empties the history.
    void SaveObjectInit(const FontParams& params);

    // Records one step holding the current images of characters first..last (indices of the
    // font, first <= last). Discards every step that could have been redone.
    void SaveObject(const Font& font, int32_t first, int32_t last);

    struct Range {
        int32_t first;
        int32_t last;
    };
    // Undoes the step below UndoPos into the font; the characters restored, or nullopt when
    // Undo is disabled (nothing changes then).
    std::optional<Range> Undo(Font& font);
    // Redoes the step at UndoPos; nullopt when Redo is disabled.
    std::optional<Range> Redo(Font& font);

    bool UndoEnabled() const { return UndoEnabled_; }
    bool RedoEnabled() const { return RedoEnabled_; }
    int32_t UndoPos() const { return UndoPos_; }
    int32_t RedoLimit() const { return RedoLimit_; }

private:
    void ActiveUndoRedo();
    bool SlotHolds(int32_t step) const;
    void Exchange(Font& font, int slot);
    uint8_t* Image(int slot, int32_t car) {
        return UndoBuffer.data() + (static_cast<std::size_t>(slot) * NbCar + car) * glyphBytes;
    }

    std::vector<uint8_t> UndoBuffer;              // slot, character, row, byte column
    std::array<uint8_t, 2 * kSlots> UndoRange{};  // first of slot s at s, last at 5 + s
    std::array<int32_t, kSlots> slotStep{-1, -1, -1, -1, -1};  // step held, -1 for none
    int32_t UndoPos_ = 0;
    int32_t RedoLimit_ = 0;
    bool UndoEnabled_ = false;
    bool RedoEnabled_ = false;
    std::size_t glyphBytes = 0;
    std::size_t NbCar = 0;
};

}  // namespace pixmere
