#include <functional>
#include <random>

#include "EditTestSupport.h"

namespace pixmere::test {
namespace {

// What the windows show, kept up to date from the results the way the windows would: the
// colour and image of each cell, and the rows of the glyph in the edit window.
struct ScreenModel {
    explicit ScreenModel(const FontDocument& d)
        : doc(d), selected(Selection(d)), cells(Cells()), shown(d.ShownCar()) {
        if (shown >= 0) edit = GlyphPicture(d.font().glyphs[shown]);
    }
    std::vector<std::string> Cells() const {
        std::vector<std::string> now;
        for (int i = 0; i < doc.params().NbCar; ++i) now.push_back(Picture(doc, i));
        return now;
    }
    void Apply(const EditResult& r) {
        if (r.layoutChanged) {
            selected.assign(selected.size(), '.');
            cells = Cells();
        }
        for (const CellRedraw& c : r.cells) {
            selected.at(c.index) = c.colour == kBleu ? '#' : '.';
            cells.at(c.index) = Picture(doc, c.index);
        }
        if (r.editGlyph < 0) shown = -1;
        if (r.editGlyph < 0 || (!r.editRedraw && r.editRows.empty())) return;
        const std::vector<std::string> now = GlyphPicture(doc.font().glyphs[r.editGlyph]);
        if (r.editRedraw) edit = now;
        edit.resize(now.size());
        for (int row : r.editRows) edit.at(row) = now.at(row);
        shown = r.editGlyph;
    }
    // Whether every cell and the edit window show the glyphs as they are.
    bool UpToDate() const {
        return cells == Cells() && (shown < 0 || edit == GlyphPicture(doc.font().glyphs[shown]));
    }
    const FontDocument& doc;
    std::string selected;            // the cells drawn selected
    std::vector<std::string> cells;  // the image in each cell
    int shown;                       // the glyph the edit window shows
    std::vector<std::string> edit;   // its rows as drawn
};

// A document of one blank character 8 x 4, clicked, after the first `steps` strokes of a
// series that sets pixels, clears some, then sets again.
FontDocument AfterStrokes(int steps) {
    FontDocument doc(BlankFont(8, 4, 1));
    Click(doc, 0);
    for (int s = 0; s < steps; ++s) {
        Stroke(doc, s % 8, s / 8 % 4, s >= 8 && s < 16 ? kRightButton : kLeftButton);
    }
    return doc;
}

int UndosAvailable(FontDocument& doc) {
    int n = 0;
    for (; doc.UndoEnabled() && n <= 10; ++n) doc.undo_Click(kLayout);
    return n;
}

// Five slots hold the last five steps; an undo never reaches a step whose slot was reused.
TEST(Undo, TheRingReachesTheLastFiveStepsAndNoFurther) {
    for (int steps : {0, 4, 5, 6, 9, 10, 23}) {
        SCOPED_TRACE(std::to_string(steps) + " steps");
        FontDocument doc = AfterStrokes(steps);
        const std::string drawn = Picture(doc, 0);
        const int reach = std::min(steps, 5);
        EXPECT_EQ(UndosAvailable(doc), reach);
        EXPECT_EQ(Picture(doc, 0), Picture(AfterStrokes(steps - reach), 0));
        int redone = 0;
        for (; doc.RedoEnabled() && redone <= 10; ++redone) doc.redo_Click(kLayout);
        EXPECT_EQ(redone, reach);
        EXPECT_EQ(Picture(doc, 0), drawn);
    }
    // Ten steps, three undone, a new one recorded in slot 2: slots 3 and 4 hold dropped steps,
    // so the new step and steps 6 and 5 are all that can be undone, and nothing redone.
    FontDocument doc = AfterStrokes(10);
    for (int u = 0; u < 3; ++u) doc.undo_Click(kLayout);
    EXPECT_FALSE(Stroke(doc, 0, 3).redoEnabled);
    EXPECT_EQ(UndosAvailable(doc), 3);
    EXPECT_EQ(Picture(doc, 0), Picture(AfterStrokes(5), 0));
}

// Random sessions against a model: the font states each undo step went through (a change of
// geometry starts the history again), which actions mark the document, the selection as one
// run between the anchor and the current character, and the windows as repainted from the
// results. Keys move the selection as presses do; transforms repaint only the cells they change.
// Presses and drags also land off the cells; the glyphs grow and shrink from 3 x 2.
TEST(FontDocument, RandomSessionsStayInStepWithTheModel) {
    const int n = 21;  // three rows of 8, the last one partly empty
    FontDocument doc(BlankFont(3, 2, n));
    GlyphClipboard clipboard;
    Click(doc, 0);
    ScreenModel screen(doc);
    std::vector<std::string> states = {FontPicture(doc.font())};
    std::size_t pos = 0;
    std::mt19937 rng(11);
    std::uniform_real_distribution<float> x(-15.0f, 95.0f), y(-15.0f, 75.0f);
    const auto any = [&](int k) { return static_cast<int>(rng() % k); };
    enum Kind { kPress, kDrag, kRelease, kView, kEdit, kGeometry, kUndo, kRedo };
    bool pressed = false;
    float px = 0, py = 0;  // the last pointer position in the font window
    const std::vector<std::pair<Kind, std::function<EditResult()>>> actions = {
        {kPress,
         [&] { return doc.fontsupport_MouseDown(kLeftButton, px = x(rng), py = y(rng), kLayout); }},
        {kDrag,
         [&] { return doc.FontSupport_MouseMove(kLeftButton, px = x(rng), py = y(rng), kLayout); }},
        {kDrag,
         [&] { return doc.FontSupport_MouseMove(kLeftButton, px = x(rng), py = y(rng), kLayout); }},
        {kRelease, [&] { return doc.fontsupport_MouseUp(); }},
        {kView, [&] { return doc.ReselectLastClick(kLayout); }},
        {kView, [&] { return doc.copy_Click(clipboard); }},
        {kEdit,
         [&] {
             const int button = 1 << any(3);  // left, right or middle
             screen.Apply(doc.ZoomPic_MouseDown(button, any(doc.params().FormatLengthCar),
                                                any(doc.params().FormatHeightCar), kZoom1));
             return doc.ZoomPic_MouseUp(button);
         }},
        {kEdit,
         [&] {
             // A stroke dragged on to anywhere near the glyph, off it too.
             const int w = doc.params().FormatLengthCar, h = doc.params().FormatHeightCar;
             screen.Apply(doc.ZoomPic_MouseDown(kLeftButton, any(w), any(h), kZoom1));
             screen.Apply(
                 doc.ZoomPic_MouseMove(kLeftButton, any(w + 6) - 3, any(h + 6) - 3, kZoom1));
             return doc.ZoomPic_MouseUp(kLeftButton);
         }},
        {kEdit, [&] { return doc.Move(static_cast<MoveDirection>(any(4))); }},
        // Slants 1 and 9 are refused.
        {kEdit, [&] { return doc.Transform(static_cast<GlyphTransform>(any(6)), 1 + any(9)); }},
        {kView,
         [&] { return doc.FontWindowKey(static_cast<CarKey>(any(6)), any(2) == 1, kLayout); }},
        {kEdit, [&] { return doc.paste_Click(clipboard, kLayout); }},
        {kEdit, [&] { return doc.Dele_Click(); }},
        {kGeometry, [&] { return doc.ChangeGeometry(static_cast<GeometryCommand>(any(8))); }},
        {kUndo, [&] { return doc.undo_Click(kLayout); }},
        {kUndo, [&] { return doc.undo_Click(kLayout); }},
        {kRedo, [&] { return doc.redo_Click(kLayout); }}};
    for (int step = 0; step < 8000; ++step) {
        SCOPED_TRACE("step " + std::to_string(step));
        const auto& [kind, action] = actions[any(static_cast<int>(actions.size()))];
        // A release or a move with the button held follows a press; commands come between.
        if ((kind == kDrag || kind == kRelease) != pressed) continue;
        pressed = (pressed || kind == kPress) && kind != kRelease;
        const bool undoable = doc.UndoEnabled(), redoable = doc.RedoEnabled();
        doc.setFlagModified(false);
        const EditResult r = action();
        screen.Apply(r);
        const bool edit = (kind == kEdit || kind == kGeometry) && !r.refused;
        if (kind == kGeometry && edit) {
            ASSERT_TRUE(r.layoutChanged && r.editGlyph < 0 && !r.undoEnabled && !r.redoEnabled);
            screen.Apply(doc.ReselectCurrentCar(kLayout));  // as the window does
            states.assign(1, FontPicture(doc.font()));
            pos = 0;
        } else if (edit) {
            states.resize(++pos);
            states.push_back(FontPicture(doc.font()));
        }
        if (kind == kUndo && undoable) --pos;
        if (kind == kRedo && redoable) ++pos;
        ASSERT_EQ(FontPicture(doc.font()), states[pos]);
        ASSERT_EQ(doc.history().UndoPos(), static_cast<int32_t>(pos));
        ASSERT_EQ(r.modified, edit || (kind == kUndo && undoable) || (kind == kRedo && redoable));
        ASSERT_EQ(r.undoEnabled, doc.UndoEnabled());
        ASSERT_EQ(r.redoEnabled, doc.RedoEnabled());
        // A press on a character anchors the selection there; a drag over one ends it there.
        const FontWindowHit hit = HitTestFontWindow(px, py, kLayout, n);
        if ((kind == kPress || kind == kDrag) && hit.valid) {
            ASSERT_EQ(doc.CurrentCar(), hit.HitCar);
            ASSERT_TRUE(kind == kDrag || doc.SelAnchor() == hit.HitCar);
        }
        const std::string sel = Selection(doc);
        ASSERT_EQ(screen.selected, sel);
        ASSERT_TRUE(screen.UpToDate());
        if (sel.find('#') != std::string::npos) {
            const int low = std::min(doc.SelAnchor(), doc.CurrentCar());
            const int high = std::max(doc.SelAnchor(), doc.CurrentCar());
            ASSERT_EQ(sel, std::string(low, '.') + std::string(high - low + 1, '#') +
                               std::string(n - high - 1, '.'));
        }
        if (!pressed) {
            ASSERT_EQ(screen.shown, doc.CurrentCar());
        }
    }
}

}  // namespace
}  // namespace pixmere::test
