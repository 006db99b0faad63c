#include "edit/UndoHistory.h"

#include <algorithm>
#include <stdexcept>

namespace pixmere {

void UndoHistory::SaveObjectInit(const FontParams& params) {
    glyphBytes = static_cast<std::size_t>(params.FormatHeightCar) * params.NbByteMatrix();
    NbCar = static_cast<std::size_t>(params.NbCar);
    UndoBuffer.assign(kSlots * NbCar * glyphBytes, 0);
    UndoRange.fill(0);
    slotStep.fill(-1);
    UndoPos_ = 0;
    RedoLimit_ = 0;
    ActiveUndoRedo();
}

void UndoHistory::SaveObject(const Font& font, int32_t first, int32_t last) {
    if (first < 0 || last < first || static_cast<std::size_t>(last) >= NbCar ||
        font.glyphs.size() != NbCar) {
        throw std::logic_error("SaveObject: range outside the font or history not sized for it");
    }
    const int s = UndoPos_ % kSlots;
    UndoRange[s] = static_cast<uint8_t>(first);
    UndoRange[kSlots + s] = static_cast<uint8_t>(last);
    for (int32_t i = first; i <= last; ++i) {
        const std::vector<uint8_t>& bytes = font.glyphs[static_cast<std::size_t>(i)].bytes();
        if (bytes.size() != glyphBytes) throw std::logic_error("SaveObject: glyph size changed");
        std::copy(bytes.begin(), bytes.end(), Image(s, i));
    }
    slotStep[s] = UndoPos_;
    ++UndoPos_;
    RedoLimit_ = UndoPos_;
    ActiveUndoRedo();
}

bool UndoHistory::SlotHolds(int32_t step) const {
    return step >= 0 && slotStep[step % kSlots] == step;
}

void UndoHistory::Exchange(Font& font, int slot) {
    for (int32_t i = UndoRange[slot]; i <= UndoRange[kSlots + slot]; ++i) {
        std::vector<uint8_t>& bytes = font.glyphs[static_cast<std::size_t>(i)].bytes();
        std::swap_ranges(bytes.begin(), bytes.end(), Image(slot, i));
    }
}

std::optional<UndoHistory::Range> UndoHistory::Undo(Font& font) {
    if (!UndoEnabled_) return std::nullopt;
    --UndoPos_;
    const int s = UndoPos_ % kSlots;
    Exchange(font, s);
    ActiveUndoRedo();
    return Range{UndoRange[s], UndoRange[kSlots + s]};
}

std::optional<UndoHistory::Range> UndoHistory::Redo(Font& font) {
    if (!RedoEnabled_) return std::nullopt;
    const int s = UndoPos_ % kSlots;
    Exchange(font, s);
    ++UndoPos_;
    ActiveUndoRedo();
    return Range{UndoRange[s], UndoRange[kSlots + s]};
}

void UndoHistory::ActiveUndoRedo() {
    UndoEnabled_ = UndoPos_ >= 1 && SlotHolds(UndoPos_ - 1);
    RedoEnabled_ = UndoPos_ < RedoLimit_ && SlotHolds(UndoPos_);
}

}  // namespace pixmere
