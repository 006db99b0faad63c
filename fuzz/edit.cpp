// The editing engine: a small font driven by a sequence of commands decoded from the input
// (pointer presses, drags and strokes, rows and columns, moves, copy, paste, delete, undo,
// redo, font properties), with the document's invariants checked after each command.
#include <algorithm>

#include "FuzzCheck.h"
#include "edit/FontDocument.h"

using namespace pixmere;

namespace {

class Input {
public:
    Input(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return size_ == 0; }
    uint8_t byte() { return size_ == 0 ? 0 : (--size_, *data_++); }
    int below(int n) { return byte() % n; }
    // A pointer position around and beyond the picture, negative ones included.
    float position() { return static_cast<float>(byte()) * 1.5f - 24.0f; }

private:
    const uint8_t* data_;
    std::size_t size_;
};

Font SmallFont(Input& in) {
    FontParams p;
    p.FormatLengthCar = static_cast<uint8_t>(1 + in.below(20));  // up to three bytes a row
    p.FormatHeightCar = static_cast<uint8_t>(1 + in.below(12));
    p.NbCar = 1 + in.below(12);
    p.firstcar = static_cast<uint8_t>(0x20 + in.below(0xE0 - p.NbCar + 1));
    p.jambon = static_cast<uint8_t>(in.below(p.FormatHeightCar + 1));
    p.Magnification = static_cast<uint8_t>(1 + in.below(kMaxMagnification));
    ByteMatrix m = p.blankMatrix();
    uint32_t seed = in.byte();
    for (uint8_t& b : m.data()) {
        seed = seed * 1103515245u + 12345u;
        b = static_cast<uint8_t>(seed >> 16);
    }
    return MatrixToObject(p, m);
}

struct Snapshot {
    FontParams params;
    std::vector<uint8_t> data;
    std::vector<int32_t> selected;
    bool operator==(const Snapshot& o) const {
        return params.FormatLengthCar == o.params.FormatLengthCar &&
               params.FormatHeightCar == o.params.FormatHeightCar &&
               params.jambon == o.params.jambon && params.Magnification == o.params.Magnification &&
               data == o.data && selected == o.selected;
    }
};

Snapshot Take(const FontDocument& doc) {
    return {doc.params(), doc.font().glyphData(), doc.SelectedCars()};
}

void CheckDocument(const FontDocument& doc, const EditResult& r, const Snapshot& before) {
    fuzz::CheckFont(doc.font());
    const int32_t n = doc.params().NbCar;
    fuzz::Check(doc.CurrentCar() >= 0 && doc.CurrentCar() < n && doc.SelAnchor() >= 0 &&
                    doc.SelAnchor() < n,
                "the selection's ends are characters");
    fuzz::Check(doc.ShownCar() >= -1 && doc.ShownCar() < n, "the edit window shows a character");
    fuzz::Check(r.editGlyph == doc.ShownCar(), "the result names the shown character");
    const std::vector<int32_t> selected = doc.SelectedCars();
    if (!selected.empty()) {
        const int32_t low = std::min(doc.CurrentCar(), doc.SelAnchor());
        const int32_t high = std::max(doc.CurrentCar(), doc.SelAnchor());
        fuzz::Check(selected.front() == low && selected.back() == high &&
                        selected.size() == static_cast<std::size_t>(high - low + 1),
                    "the selection is the run between its ends");
    }
    for (const CellRedraw& cell : r.cells) {
        fuzz::Check(cell.index >= 0 && cell.index < n, "redrawn cells are characters");
    }
    for (auto cell = r.cells.rbegin(); cell != r.cells.rend(); ++cell) {
        const bool listedLater = std::any_of(
            r.cells.rbegin(), cell, [&](const CellRedraw& c) { return c.index == cell->index; });
        if (!listedLater) {
            fuzz::Check((cell->colour == kBleu) == doc.IsSelected(cell->index),
                        "a cell's last redraw has its colour");
        }
    }
    for (int row : r.editRows) {
        fuzz::Check(row >= 0 && row < doc.params().FormatHeightCar, "repainted rows are rows");
    }
    fuzz::Check(r.undoEnabled == doc.UndoEnabled() && r.redoEnabled == doc.RedoEnabled() &&
                    r.modified == doc.FlagModified(),
                "the result reports the document's state");
    fuzz::Check(
        doc.history().UndoPos() >= 0 && doc.history().RedoLimit() >= doc.history().UndoPos(),
        "the history's positions are in order");
    if (r.refused) fuzz::Check(Take(doc) == before, "a refused command changes nothing");
}

// Undo, and when it restored something, redo must give back exactly what undo took.
EditResult UndoChecked(FontDocument& doc, const CellLayout& layout) {
    const bool could = doc.UndoEnabled();
    const std::vector<uint8_t> before = doc.font().glyphData();
    EditResult r = doc.undo_Click(layout);
    if (could) {
        fuzz::Check(doc.RedoEnabled(), "an undone step can be redone");
        const std::vector<uint8_t> undone = doc.font().glyphData();
        doc.redo_Click(layout);
        fuzz::Check(doc.font().glyphData() == before, "redo gives back what undo took");
        r = doc.undo_Click(layout);
        fuzz::Check(doc.font().glyphData() == undone, "undo is repeatable");
    }
    return r;
}

EditResult Command(FontDocument& doc, Input& in, CellLayout& layout, const EditView& view,
                   GlyphClipboard& clipboard) {
    const int32_t n = doc.params().NbCar;
    switch (in.below(18)) {
        case 0:
            return doc.fontsupport_MouseDown(kLeftButton, in.position(), in.position(), layout);
        case 1:
            return doc.FontSupport_MouseMove(in.below(4), in.position(), in.position(), layout);
        case 2:
            return doc.fontsupport_MouseUp();
        case 3:
            layout = {1 + in.below(40), 1 + in.below(40), 1 + in.below(8)};
            return doc.ReselectLastClick(layout);
        case 4:
            return doc.SelectRange(in.below(n + 2) - 1, in.below(n + 2) - 1);
        case 5:
            return doc.ZoomPic_MouseDown(in.below(5), in.position(), in.position(), view);
        case 6:
            return doc.ZoomPic_MouseMove(in.below(5), in.position(), in.position(), view);
        case 7:
            return doc.ZoomPic_MouseUp(in.below(5));
        case 8:
            return doc.ChangeGeometry(static_cast<GeometryCommand>(in.below(8)));
        case 9:
            return doc.Move(static_cast<MoveDirection>(in.below(4)));
        case 10:
            return doc.copy_Click(clipboard);
        case 11:
            return doc.paste_Click(clipboard, layout);
        case 12:
            return doc.Dele_Click();
        case 13:
            return UndoChecked(doc, layout);
        case 14:
            return doc.redo_Click(layout);
        case 15: {
            const uint8_t jambon = in.byte() % 16;
            doc.SetFontProperties(jambon, static_cast<uint8_t>(in.below(8)));
            return doc.fontsupport_MouseUp();
        }
        case 16:  // slants 1 and 9 are refused
            return doc.Transform(static_cast<GlyphTransform>(in.below(6)), 1 + in.below(9));
        default:
            doc.ClearEditReady();
            return doc.fontsupport_MouseUp();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    Input in(data, size);
    FontDocument doc(SmallFont(in));
    CellLayout layout{1 + in.below(40), 1 + in.below(40), 1 + in.below(8)};
    const EditView view{1 + in.below(8), in.below(2) == 1};
    GlyphClipboard clipboard;
    // Commands are few per input so that each runs fast; the corpus keeps long sequences.
    for (int step = 0; step < 64 && !in.empty(); ++step) {
        const Snapshot before = Take(doc);
        const EditResult r = Command(doc, in, layout, view, clipboard);
        CheckDocument(doc, r, before);
    }
    return 0;
}
