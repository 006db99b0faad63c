#include "edit/FontDocument.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <utility>

namespace pixmere {

FontDocument::FontDocument(Font font) : font_(std::move(font)) {
    const FontParams& p = font_.params;
    if (!p.valid() || font_.glyphs.size() != static_cast<std::size_t>(p.NbCar)) {
        throw std::invalid_argument("FontDocument: glyph array does not match the parameters");
    }
    const std::size_t glyphBytes = static_cast<std::size_t>(p.FormatHeightCar) * p.NbByteMatrix();
    for (const CarObject& g : font_.glyphs) {
        if (g.bytes().size() != glyphBytes || g.Height() + 1 != p.FormatHeightCar ||
            g.ByteWidth() + 1 != p.NbByteMatrix()) {
            throw std::invalid_argument("FontDocument: glyph of another size than the font");
        }
    }
    history_.SaveObjectInit(p);
}

std::vector<int32_t> FontDocument::SelectedCars() const {
    std::vector<int32_t> selected;
    for (int32_t i = 0; i < font_.params.NbCar; ++i) {
        if (IsSelected(i)) selected.push_back(i);
    }
    return selected;
}

// ---- cells and the edit window ----

void FontDocument::RedrawCell(int32_t i, EditResult& r) {
    r.cells.push_back({i, IsSelected(i) ? kBleu : kBlanc});
}

void FontDocument::SetColour(int32_t i, bool selected, EditResult& r) {
    glyph(i).setCarColor(selected ? 255 : 0);
    RedrawCell(i, r);
}

void FontDocument::ToggleCarColor(int32_t i, EditResult& r) { SetColour(i, !IsSelected(i), r); }

void FontDocument::ShowInEditWindow(int32_t i, EditResult& r) {
    shownCar_ = i;
    r.editRedraw = true;
}

EditResult FontDocument::Finish(EditResult r) const {
    r.editGlyph = shownCar_;
    if (r.editRedraw) {
        r.editRows.clear();
    } else {
        std::sort(r.editRows.begin(), r.editRows.end());
        r.editRows.erase(std::unique(r.editRows.begin(), r.editRows.end()), r.editRows.end());
    }
    r.undoEnabled = history_.UndoEnabled();
    r.redoEnabled = history_.RedoEnabled();
    r.modified = FlagModified_;
    return r;
}

// ---- font window ----

void FontDocument::PressFontWindow(float x, float y, const CellLayout& layout, EditResult& r) {
    const FontWindowHit hit = HitTestFontWindow(x, y, layout, font_.params.NbCar);
    LastClickX_ = x;
    LastClickY_ = y;
    HitCar_ = static_cast<int32_t>(std::clamp<int64_t>(
        hit.HitCar, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
    hitValid_ = hit.valid;
    if (hitValid_) SelectHit(HitCar_, r);
}

void FontDocument::SelectHit(int32_t H, EditResult& r) {
    if (!DragSelect_) {
        // A new selection replaces the old one entirely.
        DragSelect_ = true;
        for (int32_t i = 0; i < font_.params.NbCar; ++i) {
            if (IsSelected(i)) SetColour(i, false, r);
        }
        SelAnchor_ = H;
        CurrentCar_ = H;
        SetColour(H, true, r);
        return;
    }
    // A drag: only the cells between the previous end and the new one change.
    const int32_t P = CurrentCar_;
    const int32_t A = SelAnchor_;
    if (H == P) {
        // Still on the same character.
    } else if (P < A) {
        if (H < P) {
            for (int32_t i = H; i < P; ++i) {
                if (!IsSelected(i)) SetColour(i, true, r);
            }
        } else if (H <= A) {
            for (int32_t i = P; i < H; ++i) {
                if (IsSelected(i)) SetColour(i, false, r);
            }
        } else {
            // Crossing the anchor to its right.
            for (int32_t i = P; i <= H; ++i) ToggleCarColor(i, r);
            SetColour(A, true, r);
        }
    } else {
        if (H > P) {
            for (int32_t i = P + 1; i <= H; ++i) {
                if (!IsSelected(i)) SetColour(i, true, r);
            }
        } else if (H >= A) {
            for (int32_t i = H + 1; i <= P; ++i) {
                if (IsSelected(i)) SetColour(i, false, r);
            }
        } else {
            // Crossing the anchor to its left.
            for (int32_t i = H; i <= P; ++i) ToggleCarColor(i, r);
            SetColour(A, true, r);
        }
    }
    CurrentCar_ = H;
}

void FontDocument::ReleaseFontWindow(EditResult& r) {
    DragSelect_ = false;
    EditReady_ = true;
    if (hitValid_) {
        ShowInEditWindow(HitCar_, r);
    } else if (shownCar_ != CurrentCar_) {
        // A drag released off the cells still moved CurrentCar: show the character strokes
        // will change.
        ShowInEditWindow(CurrentCar_, r);
    }
}

void FontDocument::Reselect(const CellLayout& layout, EditResult& r) {
    DragSelect_ = false;  // a fresh click, even if a drag was under way
    PressFontWindow(LastClickX_, LastClickY_, layout, r);
    if (!hitValid_) {
        // The position lies on no character (past the last cell, or the layout changed):
        // keep the current character rather than leave the selection and the edit window
        // out of step.
        HitCar_ = CurrentCar_;
        hitValid_ = true;
        SelectHit(CurrentCar_, r);
    }
    ReleaseFontWindow(r);
}

EditResult FontDocument::fontsupport_MouseDown(int, float x, float y, const CellLayout& layout) {
    EditResult r;
    PressFontWindow(x, y, layout, r);
    return Finish(std::move(r));
}

EditResult FontDocument::FontSupport_MouseMove(int Button, float x, float y,
                                               const CellLayout& layout) {
    if (Button == 0) return Finish(EditResult{});
    return fontsupport_MouseDown(Button, x, y, layout);
}

EditResult FontDocument::fontsupport_MouseUp() {
    EditResult r;
    ReleaseFontWindow(r);
    return Finish(std::move(r));
}

EditResult FontDocument::ReselectLastClick(const CellLayout& layout) {
    EditResult r;
    Reselect(layout, r);
    return Finish(std::move(r));
}

void FontDocument::PickCar(int32_t i, bool extend, const CellLayout& layout, EditResult& r) {
    if (layout.cellWidth > 0 && layout.cellHeight > 0 && layout.cellsPerRow > 0) {
        LastClickX_ =
            static_cast<float>(i % layout.cellsPerRow * layout.cellWidth + layout.cellWidth / 2);
        LastClickY_ =
            static_cast<float>(i / layout.cellsPerRow * layout.cellHeight + layout.cellHeight / 2);
    }
    // Nothing to extend before anything was picked: the anchor is then not selected.
    DragSelect_ = extend && IsSelected(SelAnchor_);
    SelectHit(i, r);
    HitCar_ = i;
    hitValid_ = true;
    ReleaseFontWindow(r);
}

EditResult FontDocument::ReselectCurrentCar(const CellLayout& layout) {
    EditResult r;
    PickCar(std::clamp<int32_t>(CurrentCar_, 0, font_.params.NbCar - 1), false, layout, r);
    return Finish(std::move(r));
}

EditResult FontDocument::FontWindowKey(CarKey key, bool extend, const CellLayout& layout) {
    const int32_t row = std::max<int32_t>(layout.cellsPerRow, 1);
    int64_t target = CurrentCar_;
    switch (key) {
        case CarKey::Left:
            target -= 1;
            break;
        case CarKey::Right:
            target += 1;
            break;
        case CarKey::Up:
            target -= row;
            break;
        case CarKey::Down:
            target += row;
            break;
        case CarKey::Home:
            target = 0;
            break;
        case CarKey::End:
            target = font_.params.NbCar - 1;
            break;
    }
    EditResult r;
    PickCar(static_cast<int32_t>(std::clamp<int64_t>(target, 0, font_.params.NbCar - 1)), extend,
            layout, r);
    return Finish(std::move(r));
}

EditResult FontDocument::SelectRange(int32_t first, int32_t last) {
    EditResult r;
    const int32_t n = font_.params.NbCar;
    if (first < 0 || last < 0 || first >= n || last >= n) {
        r.refused = true;
        return Finish(std::move(r));
    }
    DragSelect_ = false;
    SelectHit(first, r);
    SelectHit(last, r);
    HitCar_ = last;
    hitValid_ = true;
    ReleaseFontWindow(r);
    return Finish(std::move(r));
}

// ---- edit window ----

void FontDocument::StrokePixels(int Button, const std::vector<GlyphPoint>& pixels, EditResult& r) {
    if (pixels.empty()) return;
    if (shownCar_ != CurrentCar_) ShowInEditWindow(CurrentCar_, r);
    if (StrokeSaved_ == 0) {
        StrokeSaved_ = 1;
        SaveObject(CurrentCar_, CurrentCar_);
    }
    if (Button != kLeftButton && Button != kRightButton) return;
    CarObject& g = glyph(CurrentCar_);
    for (const GlyphPoint& p : pixels) {
        g.setPixel(p.column, p.row, Button == kLeftButton);
        r.editRows.push_back(p.row);
    }
}

EditResult FontDocument::ZoomPic_MouseDown(int Button, float x, float y, const EditView& view) {
    EditResult r;
    FlagModified_ = true;
    strokePoint_.reset();  // a press starts a line of its own
    StrokeTo(Button, x, y, view, r);
    return Finish(std::move(r));
}

EditResult FontDocument::ZoomPic_MouseMove(int Button, float x, float y, const EditView& view) {
    EditResult r;
    if (Button == 0) return Finish(std::move(r));
    FlagModified_ = true;
    StrokeTo(Button, x, y, view, r);
    return Finish(std::move(r));
}

void FontDocument::StrokeTo(int Button, float x, float y, const EditView& view, EditResult& r) {
    if (!EditReady_) return;
    const FontParams& p = font_.params;
    const std::optional<GlyphPoint> point = EditWindowPoint(x, y, view, p);
    if (point) {
        StrokePixels(
            Button,
            LinePixels(strokePoint_.value_or(*point), *point, p.FormatLengthCar, p.FormatHeightCar),
            r);
    }
    strokePoint_ = point;
}

EditResult FontDocument::ZoomPic_MouseUp(int Button) {
    EditResult r;
    if (EditReady_ && (Button == kLeftButton || Button == kRightButton)) {
        RedrawCell(CurrentCar_, r);
    }
    StrokeSaved_ = 0;
    strokePoint_.reset();
    return Finish(std::move(r));
}

// ---- rows and columns ----

EditResult FontDocument::ChangeGeometry(GeometryCommand command) {
    EditResult r;
    if (!pixmere::ChangeGeometry(font_, command)) {
        r.refused = true;
        return Finish(std::move(r));
    }
    FlagModified_ = true;
    history_.SaveObjectInit(font_.params);
    // The outlines no longer fit the cells.
    outlines_.clear();
    for (auto& slot : outlineSlots_) slot.clear();
    StrokeSaved_ = 0;
    strokePoint_.reset();
    // The full refresh clears the edit window; ReselectLastClick shows a glyph again.
    shownCar_ = -1;
    r.layoutChanged = true;
    return Finish(std::move(r));
}

// ---- moves and delete ----

void FontDocument::OrderSelection() {
    if (CurrentCar_ < SelAnchor_) std::swap(CurrentCar_, SelAnchor_);
}

template <typename Change>
EditResult FontDocument::ChangeSelection(Change change, bool onlyChanged) {
    EditResult r;
    const int32_t shown = shownCar_;
    OrderSelection();
    FlagModified_ = true;
    SaveObject(SelAnchor_, CurrentCar_);
    bool currentChanged = false;
    std::vector<uint8_t> before;
    for (int32_t i = SelAnchor_; i <= CurrentCar_; ++i) {
        if (onlyChanged) before = glyph(i).bytes();
        change(i);
        const bool changed = !onlyChanged || glyph(i).bytes() != before;
        if (changed) RedrawCell(i, r);
        if (i == CurrentCar_) currentChanged = changed;
    }
    if (currentChanged || shown != CurrentCar_) ShowInEditWindow(CurrentCar_, r);
    return Finish(std::move(r));
}

EditResult FontDocument::Move(MoveDirection direction) {
    const float dx = direction == MoveDirection::Leeeft  ? -1.0f
                     : direction == MoveDirection::Right ? 1.0f
                                                         : 0.0f;
    const float dy = direction == MoveDirection::Up     ? -1.0f
                     : direction == MoveDirection::Down ? 1.0f
                                                        : 0.0f;
    return ChangeSelection([&](int32_t i) {
        MoveGlyph(glyph(i), direction);
        MapOutline(i, 1, dx, 1, dy);
    });
}

EditResult FontDocument::Dele_Click() {
    return ChangeSelection([&](int32_t i) {
        std::fill(glyph(i).bytes().begin(), glyph(i).bytes().end(), uint8_t{0});
        DropOutline(i);
    });
}

EditResult FontDocument::Transform(GlyphTransform transform, int slant) {
    if (transform == GlyphTransform::Italic && (slant < kMinSlant || slant > kMaxSlant)) {
        EditResult r;
        r.refused = true;
        return Finish(std::move(r));
    }
    const FontParams& p = font_.params;
    const bool mirror =
        transform == GlyphTransform::FlipHorizontal || transform == GlyphTransform::Rotate180;
    const bool upsideDown =
        transform == GlyphTransform::FlipVertical || transform == GlyphTransform::Rotate180;
    return ChangeSelection(
        [&](int32_t i) {
            TransformGlyph(glyph(i), transform, p.jambon, slant);
            // Flips and turns map the outline exactly; what the others do to the pixels
            // leaves the source shape where it was.
            if (mirror || upsideDown) {
                MapOutline(i, mirror ? -1.0f : 1.0f, mirror ? p.FormatLengthCar : 0.0f,
                           upsideDown ? -1.0f : 1.0f, upsideDown ? p.FormatHeightCar : 0.0f);
            }
        },
        true);
}

// ---- clipboard ----

EditResult FontDocument::copy_Click(GlyphClipboard& clipboard) const {
    EditResult r;
    const std::vector<int32_t> selected = SelectedCars();
    if (selected.empty()) {
        r.refused = true;
    } else {
        clipboard.Copy(font_, selected);
        r.clipboardFilled = true;
    }
    return Finish(std::move(r));
}

EditResult FontDocument::paste_Click(const GlyphClipboard& clipboard, const CellLayout& layout) {
    EditResult r;
    if (!clipboard.ClipboardFull()) {
        r.refused = true;
        return Finish(std::move(r));
    }
    const FontParams& p = font_.params;
    FlagModified_ = true;
    const int bytes = std::min<int>(p.NbByteMatrix(), clipboard.ClipBytes());
    const int rows = std::min<int>(p.FormatHeightCar, clipboard.ClipHeight());
    const int32_t n = clipboard.ClipCount();
    SaveObject(0, p.NbCar - 1);

    // Each selected character whose block fits receives the clipboard from its position on,
    // later blocks overwriting earlier ones: find the clipboard character each target ends with.
    const std::vector<int32_t> selected = SelectedCars();
    const auto fits = [&](int32_t i) { return int64_t{i} + n - 1 <= p.NbCar - 1; };
    std::vector<int32_t> source(static_cast<std::size_t>(p.NbCar), -1);
    for (int32_t i : selected) {
        if (!fits(i)) continue;
        for (int32_t k = 0; k < n; ++k) source[static_cast<std::size_t>(i + k)] = k;
    }
    for (int32_t t = 0; t < p.NbCar; ++t) {
        const int32_t k = source[static_cast<std::size_t>(t)];
        if (k < 0) continue;
        DropOutline(t);
        CarObject& g = glyph(t);
        for (int row = 0; row < p.FormatHeightCar; ++row) {
            uint8_t* dst = g.row(row);
            for (int b = 0; b < p.NbByteMatrix(); ++b) {
                // Aligned on the top-left corner; rows and bytes the clipboard lacks are blank.
                dst[b] = (row < rows && b < bytes) ? clipboard.at(k, row, b) : uint8_t{0};
            }
        }
    }

    for (int32_t i : selected) glyph(i).setCarColor(0);
    for (int32_t i : selected) {
        if (fits(i)) {
            for (int32_t k = 0; k < n; ++k) RedrawCell(i + k, r);
        } else {
            RedrawCell(i, r);  // no longer selected, though nothing was pasted there
        }
    }
    Reselect(layout, r);
    return Finish(std::move(r));
}

// ---- undo and redo ----

void FontDocument::RestoreRange(const UndoHistory::Range& range, EditResult& r) {
    // Going back to another state of the glyphs differs from what was last saved.
    FlagModified_ = true;
    for (int32_t i = range.first; i <= range.last; ++i) RedrawCell(i, r);
}

EditResult FontDocument::undo_Click(const CellLayout& layout) {
    EditResult r;
    if (const auto range = history_.Undo(font_)) {
        // Undo took the slot of the position it went back to.
        ExchangeOutlines(*range, history_.UndoPos() % UndoHistory::kSlots);
        RestoreRange(*range, r);
    }
    Reselect(layout, r);
    return Finish(std::move(r));
}

EditResult FontDocument::redo_Click(const CellLayout& layout) {
    EditResult r;
    if (const auto range = history_.Redo(font_)) {
        // Redo took the slot of the position it came from.
        ExchangeOutlines(*range, (history_.UndoPos() - 1) % UndoHistory::kSlots);
        RestoreRange(*range, r);
    }
    Reselect(layout, r);
    return Finish(std::move(r));
}

// ---- outlines ----

void FontDocument::SaveObject(int32_t first, int32_t last) {
    if (!outlines_.empty()) {
        // The slot the history is about to fill.
        outlineSlots_[static_cast<std::size_t>(history_.UndoPos() % UndoHistory::kSlots)].assign(
            outlines_.begin() + first, outlines_.begin() + last + 1);
    }
    history_.SaveObject(font_, first, last);
}

void FontDocument::ExchangeOutlines(const UndoHistory::Range& range, int slot) {
    std::vector<OutlineRef>& held = outlineSlots_[static_cast<std::size_t>(slot)];
    if (outlines_.empty() ||
        held.size() != static_cast<std::size_t>(range.last - range.first + 1)) {
        return;
    }
    std::swap_ranges(held.begin(), held.end(), outlines_.begin() + range.first);
}

void FontDocument::MapOutline(int32_t i, float xScale, float dx, float yScale, float dy) {
    if (const SourceOutline* outline = SourceOutlineOf(i)) {
        outlines_[static_cast<std::size_t>(i)] =
            std::make_shared<const SourceOutline>(outline->Mapped(xScale, dx, yScale, dy));
    }
}

void FontDocument::DropOutline(int32_t i) {
    if (!outlines_.empty()) outlines_[static_cast<std::size_t>(i)].reset();
}

void FontDocument::SetSourceOutlines(std::vector<SourceOutline> outlines) {
    if (!outlines.empty() && outlines.size() != static_cast<std::size_t>(font_.params.NbCar)) {
        throw std::invalid_argument("SetSourceOutlines: one outline per character expected");
    }
    outlines_.clear();
    for (auto& slot : outlineSlots_) slot.clear();
    if (outlines.empty()) return;
    outlines_.resize(outlines.size());
    for (std::size_t i = 0; i < outlines.size(); ++i) {
        if (!outlines[i].empty()) {
            outlines_[i] = std::make_shared<const SourceOutline>(std::move(outlines[i]));
        }
    }
}

const SourceOutline* FontDocument::SourceOutlineOf(int32_t i) const {
    if (i < 0 || static_cast<std::size_t>(i) >= outlines_.size()) return nullptr;
    return outlines_[static_cast<std::size_t>(i)].get();
}

bool FontDocument::HasSourceOutlines() const {
    return std::any_of(outlines_.begin(), outlines_.end(),
                       [](const OutlineRef& o) { return o != nullptr; });
}

// ---- font properties ----

bool FontDocument::SetFontProperties(uint8_t jambon, uint8_t Magnification) {
    FontParams changed = font_.params;
    changed.jambon = jambon;
    changed.Magnification = Magnification;
    if (!changed.valid()) return false;
    if (changed.jambon == font_.params.jambon &&
        changed.Magnification == font_.params.Magnification) {
        return false;
    }
    font_.params = changed;
    FlagModified_ = true;
    return true;
}

}  // namespace pixmere
