#include <gtest/gtest.h>

#include <random>

#include "EditTestSupport.h"

namespace pixmere::test {
namespace {

constexpr EditView kZoom1{1, false};

// A document of n blank characters 8 x 4 with character `selected` clicked.
FontDocument Fresh(int n = 4, int selected = 0) {
    FontDocument doc(BlankFont(8, 4, n));
    Click(doc, selected);
    return doc;
}

// One stroke on pixel (column, row) of the current character.
EditResult Stroke(FontDocument& doc, int column, int row, int button = kLeftButton) {
    doc.ZoomPic_MouseDown(button, static_cast<float>(column), static_cast<float>(row), kZoom1);
    return doc.ZoomPic_MouseUp(button);
}

// The s-th stroke of a long series: sets pixels, then clears some, then sets again.
void SeriesStroke(FontDocument& doc, int s) {
    Stroke(doc, s % 8, s / 8 % 4, s >= 8 && s < 16 ? kRightButton : kLeftButton);
}

int UndosAvailable(FontDocument& doc) {
    int n = 0;
    for (; doc.UndoEnabled() && n <= 10; ++n) doc.undo_Click(kLayout);
    return n;
}

TEST(Undo, ThreeStrokesBackAndForth) {
    FontDocument doc = Fresh();
    EXPECT_FALSE(doc.UndoEnabled());
    EXPECT_FALSE(doc.RedoEnabled());
    EXPECT_EQ(doc.undo_Click(kLayout).editGlyph, 0);  // nothing to undo; it still reselects
    Stroke(doc, 0, 0);
    Stroke(doc, 1, 1);
    const EditResult last = Stroke(doc, 2, 2);
    EXPECT_TRUE(last.undoEnabled);
    EXPECT_FALSE(last.redoEnabled);
    const std::string drawn = Picture(doc, 0);

    EditResult r = doc.undo_Click(kLayout);
    EXPECT_EQ(Picture(doc, 0), Picture({"#.......", ".#......", "........", "........"}));
    EXPECT_TRUE(r.undoEnabled && r.redoEnabled && r.editRedraw);
    doc.undo_Click(kLayout);
    r = doc.undo_Click(kLayout);
    EXPECT_EQ(Picture(doc, 0), Picture(std::vector<std::string>(4, "........")));
    EXPECT_FALSE(r.undoEnabled);
    EXPECT_TRUE(r.redoEnabled);
    doc.redo_Click(kLayout);
    EXPECT_EQ(Picture(doc, 0), Picture({"#.......", "........", "........", "........"}));
    doc.redo_Click(kLayout);
    r = doc.redo_Click(kLayout);
    EXPECT_EQ(Picture(doc, 0), drawn);
    EXPECT_FALSE(r.redoEnabled);

    // Recording after an undo drops the step that could have been redone.
    doc.undo_Click(kLayout);
    r = Stroke(doc, 7, 3);
    EXPECT_FALSE(r.redoEnabled);
    EXPECT_EQ(Picture(doc, 0), Picture({"#.......", ".#......", "........", ".......#"}));
}

// Redo must redo the step undone, also when the next step changed another character.
TEST(Undo, RedoRestoresEachStepWhateverItsRange) {
    FontDocument doc = Fresh(4, 1);
    Stroke(doc, 0, 0);  // on character 1
    Click(doc, 3);
    Stroke(doc, 7, 3);  // on character 3
    doc.undo_Click(kLayout);
    doc.undo_Click(kLayout);
    doc.redo_Click(kLayout);
    EXPECT_TRUE(doc.font().glyphs[1].pixel(0, 0));
    EXPECT_FALSE(doc.font().glyphs[3].pixel(7, 3));
}

// Five slots hold the last five steps; an undo never reaches a step whose slot was reused.
TEST(Undo, TheRingReachesTheLastFiveStepsAndNoFurther) {
    for (int steps : {4, 5, 6, 9, 10, 23}) {
        FontDocument doc = Fresh(1);
        for (int s = 0; s < steps; ++s) SeriesStroke(doc, s);
        const int reach = std::min(steps, 5);
        EXPECT_EQ(UndosAvailable(doc), reach) << steps << " steps";
        FontDocument replay = Fresh(1);
        for (int s = 0; s < steps - reach; ++s) SeriesStroke(replay, s);
        EXPECT_EQ(Picture(doc, 0), Picture(replay, 0)) << steps << " steps";
        doc.undo_Click(kLayout);  // at the boundary: nothing
        EXPECT_EQ(Picture(doc, 0), Picture(replay, 0)) << steps << " steps";
        int redone = 0;
        for (; doc.RedoEnabled() && redone <= 10; ++redone) doc.redo_Click(kLayout);
        EXPECT_EQ(redone, reach);
        EXPECT_EQ(doc.history().UndoPos(), steps);
    }
    // Ten steps, three undone, a new one recorded in slot 2: slots 3 and 4 hold dropped steps,
    // so the new step and steps 6 and 5 are all that can be undone.
    FontDocument doc = Fresh(1);
    for (int s = 0; s < 10; ++s) SeriesStroke(doc, s);
    for (int u = 0; u < 3; ++u) doc.undo_Click(kLayout);
    Stroke(doc, 0, 3);
    EXPECT_EQ(UndosAvailable(doc), 3);
    FontDocument replay = Fresh(1);
    for (int s = 0; s < 5; ++s) SeriesStroke(replay, s);
    EXPECT_EQ(Picture(doc, 0), Picture(replay, 0));
}

TEST(Undo, MarksTheDocumentModifiedAndGeometryEmptiesTheHistory) {
    FontDocument doc = Fresh();
    Stroke(doc, 3, 3);
    doc.setFlagModified(false);  // saved: going back is a change to save
    EXPECT_TRUE(doc.undo_Click(kLayout).modified);
    doc.setFlagModified(false);
    EXPECT_TRUE(doc.redo_Click(kLayout).modified);
    // Downstroke and magnification changes keep the glyphs and the history.
    doc.setFlagModified(false);
    EXPECT_FALSE(doc.SetFontProperties(0, 1));
    EXPECT_FALSE(doc.SetFontProperties(2, 0));
    EXPECT_FALSE(doc.FlagModified());
    EXPECT_TRUE(doc.SetFontProperties(2, 3));
    EXPECT_TRUE(doc.FlagModified() && doc.UndoEnabled());
    EXPECT_EQ(doc.params().Magnification, 3);
    const EditResult r = doc.Aright_Click();
    EXPECT_FALSE(r.undoEnabled || r.redoEnabled);
    doc.undo_Click(kLayout);
    EXPECT_TRUE(doc.font().glyphs[0].pixel(3, 3));
}

TEST(Undo, TheLargestFontKeepsItsHistoryInByteSizedSlots) {
    const FontParams p = Params(255, 255, 256);
    FontDocument doc(MatrixToObject(p, p.blankMatrix()));
    EXPECT_EQ(doc.history().BufferBytes(), 5u * 256 * 255 * 32);  // 10,444,800 bytes
    Click(doc, 255);
    GlyphClipboard clipboard;
    doc.copy_Click(clipboard);
    Stroke(doc, 254, 254);
    Click(doc, 0);
    doc.paste_Click(clipboard, kLayout);  // a whole-font step
    doc.undo_Click(kLayout);
    doc.undo_Click(kLayout);
    doc.redo_Click(kLayout);
    EXPECT_TRUE(doc.font().glyphs[255].pixel(254, 254));
    EXPECT_FALSE(doc.font().glyphs[0].pixel(254, 254));
}

// Random editing against the list of states the document went through: every undo and redo
// lands exactly on the state of its position, and the cells and edit window repainted from
// the results show the selection and the current character.
TEST(Undo, RandomEditsUndoAndRedoToRecordedStates) {
    const int n = 6;
    FontDocument doc(BlankFont(9, 3, n));
    GlyphClipboard clipboard;
    ScreenModel screen(n);
    const auto press = [&](int i) {
        screen.Apply(doc.fontsupport_MouseDown(kLeftButton, CellX(i), CellY(i), kLayout));
    };
    press(0);
    screen.Apply(doc.fontsupport_MouseUp());
    std::vector<std::string> states = {FontPicture(doc.font())};
    std::size_t pos = 0;
    const auto recorded = [&] {
        states.resize(++pos);
        states.push_back(FontPicture(doc.font()));
    };
    std::mt19937 rng(11);
    for (int step = 0; step < 4000; ++step) {
        const int what = static_cast<int>(rng() % 10);
        EditResult r;
        if (what <= 1) {
            press(static_cast<int>(rng() % n));
            if (what == 1) {
                const int to = static_cast<int>(rng() % n);
                screen.Apply(doc.FontSupport_MouseMove(kLeftButton, CellX(to), CellY(to), kLayout));
            }
            r = doc.fontsupport_MouseUp();
        } else if (what == 2) {
            const int button = 1 + static_cast<int>(rng() % 3);
            screen.Apply(doc.ZoomPic_MouseDown(button, static_cast<float>(rng() % 9),
                                               static_cast<float>(rng() % 3), kZoom1));
            recorded();
            r = doc.ZoomPic_MouseUp(button);
        } else if (what == 3) {
            r = doc.Move(static_cast<MoveDirection>(rng() % 4));
            recorded();
        } else if (what == 4) {
            r = doc.copy_Click(clipboard);
        } else if (what == 5) {
            r = doc.paste_Click(clipboard, kLayout);
            if (!r.refused) recorded();
        } else if (what == 6) {
            r = doc.Dele_Click();
            recorded();
        } else if (what <= 8) {
            if (doc.UndoEnabled()) --pos;
            r = doc.undo_Click(kLayout);
            ASSERT_EQ(FontPicture(doc.font()), states[pos]) << "undo at step " << step;
        } else {
            if (doc.RedoEnabled()) ++pos;
            r = doc.redo_Click(kLayout);
            ASSERT_EQ(FontPicture(doc.font()), states[pos]) << "redo at step " << step;
        }
        screen.Apply(r);
        ASSERT_EQ(doc.history().UndoPos(), static_cast<int32_t>(pos));
        ASSERT_EQ(screen.Selected(), Selection(doc)) << "step " << step;
        ASSERT_EQ(screen.shown, doc.CurrentCar()) << "step " << step;
    }
}

}  // namespace
}  // namespace pixmere::test
