#include <gtest/gtest.h>

#include <random>

#include "EditTestSupport.h"

namespace pixmere::test {
namespace {

constexpr EditView kZoom1{1, false};

// A document of `n` blank characters 8 x 4 with character `selected` clicked.
FontDocument Fresh(int n = 4, int selected = 0) {
    FontDocument doc(BlankFont(8, 4, n));
    Click(doc, selected);
    return doc;
}

// One stroke setting pixel (column, row) of the current character.
EditResult Stroke(FontDocument& doc, int column, int row, int button = kLeftButton) {
    doc.ZoomPic_MouseDown(button, static_cast<float>(column), static_cast<float>(row), kZoom1);
    return doc.ZoomPic_MouseUp(button);
}

// Number of undos that succeed in a row.
int UndosAvailable(FontDocument& doc) {
    int n = 0;
    while (doc.UndoEnabled()) {
        doc.undo_Click(kLayout);
        if (++n > 10) break;
    }
    return n;
}

TEST(Undo, FreshDocumentHasNeitherUndoNorRedo) {
    FontDocument doc(BlankFont(8, 4, 3));
    EXPECT_FALSE(doc.UndoEnabled());
    EXPECT_FALSE(doc.RedoEnabled());
    const std::string before = FontPicture(doc.font());
    EditResult r = doc.undo_Click(kLayout);
    EXPECT_FALSE(r.undoEnabled);
    EXPECT_FALSE(r.modified);
    r = doc.redo_Click(kLayout);
    EXPECT_FALSE(r.redoEnabled);
    EXPECT_EQ(FontPicture(doc.font()), before);
    EXPECT_EQ(r.editGlyph, 0);  // both still reselect
}

TEST(Undo, ThreeStrokesBackAndForth) {
    FontDocument doc = Fresh();
    Stroke(doc, 0, 0);
    Stroke(doc, 1, 1);
    const EditResult last = Stroke(doc, 2, 2);
    EXPECT_TRUE(last.undoEnabled);
    EXPECT_FALSE(last.redoEnabled);
    const std::string drawn = Picture(doc, 0);
    EXPECT_EQ(drawn, Picture({"#.......", ".#......", "..#.....", "........"}));

    EditResult r = doc.undo_Click(kLayout);
    EXPECT_EQ(Picture(doc, 0), Picture({"#.......", ".#......", "........", "........"}));
    EXPECT_TRUE(r.undoEnabled);
    EXPECT_TRUE(r.redoEnabled);
    EXPECT_EQ(r.editGlyph, 0);
    EXPECT_TRUE(r.editRedraw);
    doc.undo_Click(kLayout);
    r = doc.undo_Click(kLayout);
    EXPECT_EQ(Picture(doc, 0), Picture(std::vector<std::string>(4, "........")));
    EXPECT_FALSE(r.undoEnabled);
    EXPECT_TRUE(r.redoEnabled);
    EXPECT_EQ(doc.history().UndoPos(), 0);

    doc.redo_Click(kLayout);
    EXPECT_EQ(Picture(doc, 0), Picture({"#.......", "........", "........", "........"}));
    doc.redo_Click(kLayout);
    r = doc.redo_Click(kLayout);
    EXPECT_EQ(Picture(doc, 0), drawn);
    EXPECT_FALSE(r.redoEnabled);
    EXPECT_TRUE(r.undoEnabled);
}

TEST(Undo, RecordingAfterUndoDropsTheRedoSteps) {
    FontDocument doc = Fresh();
    Stroke(doc, 0, 0);
    Stroke(doc, 1, 0);
    doc.undo_Click(kLayout);
    const EditResult r = Stroke(doc, 7, 3);
    EXPECT_FALSE(r.redoEnabled);
    EXPECT_EQ(doc.history().RedoLimit(), doc.history().UndoPos());
    EXPECT_EQ(Picture(doc, 0), Picture({"#.......", "........", "........", ".......#"}));
    doc.undo_Click(kLayout);
    EXPECT_EQ(Picture(doc, 0), Picture({"#.......", "........", "........", "........"}));
    doc.undo_Click(kLayout);
    EXPECT_FALSE(doc.UndoEnabled());
    EXPECT_EQ(Picture(doc, 0), Picture(std::vector<std::string>(4, "........")));
}

// Redo must redo the step undone, also when the steps around it changed other characters.
TEST(Undo, RedoRestoresEachStepWhateverItsRange) {
    FontDocument doc = Fresh(4, 1);
    Stroke(doc, 0, 0);  // step 0 on character 1
    Click(doc, 3);
    Stroke(doc, 7, 3);  // step 1 on character 3
    doc.undo_Click(kLayout);
    doc.undo_Click(kLayout);
    doc.redo_Click(kLayout);
    EXPECT_TRUE(doc.font().glyphs[1].pixel(0, 0));
    EXPECT_FALSE(doc.font().glyphs[3].pixel(7, 3));
    // Editing now keeps the redone step.
    Click(doc, 2);
    Stroke(doc, 4, 2);
    EXPECT_TRUE(doc.font().glyphs[1].pixel(0, 0));
    EXPECT_TRUE(doc.font().glyphs[2].pixel(4, 2));
    EXPECT_FALSE(doc.font().glyphs[3].pixel(7, 3));
}

// Five slots hold the last five steps; an undo never reaches a step whose slot was reused.
TEST(Undo, TheRingReachesTheLastFiveStepsAndNoFurther) {
    for (int steps : {4, 5, 6, 9, 10, 23}) {
        FontDocument doc = Fresh(1);
        for (int s = 0; s < steps; ++s)
            Stroke(doc, s % 8, s / 8 % 4, s < 8 || s >= 16 ? kLeftButton : kRightButton);
        std::vector<std::string> states;  // picture after each undo, to check against
        const int expected = std::min(steps, 5);
        EXPECT_EQ(UndosAvailable(doc), expected) << steps << " steps";
        EXPECT_EQ(doc.history().UndoPos(), steps - expected);
        // The undone state is the one recorded `expected` strokes before the last.
        FontDocument replay = Fresh(1);
        for (int s = 0; s < steps - expected; ++s)
            Stroke(replay, s % 8, s / 8 % 4, s < 8 || s >= 16 ? kLeftButton : kRightButton);
        EXPECT_EQ(Picture(doc, 0), Picture(replay, 0)) << steps << " steps";
        // An undo click at the boundary changes nothing.
        doc.undo_Click(kLayout);
        EXPECT_EQ(Picture(doc, 0), Picture(replay, 0));
        // Everything undone can be redone.
        int redone = 0;
        while (doc.RedoEnabled() && redone < 10) {
            doc.redo_Click(kLayout);
            ++redone;
        }
        EXPECT_EQ(redone, expected);
        EXPECT_EQ(doc.history().UndoPos(), steps);
    }
}

TEST(Undo, AfterUndoThenRecordOnlyStepsStillHeldAreReachable) {
    FontDocument doc = Fresh(1);
    for (int s = 0; s < 10; ++s) Stroke(doc, s % 8, s / 8);
    doc.undo_Click(kLayout);
    doc.undo_Click(kLayout);
    doc.undo_Click(kLayout);  // position 7; steps 7, 8, 9 are undone
    Stroke(doc, 0, 3);        // the new step 7 takes slot 2; slots 3 and 4 hold dropped steps
    // Steps 7 (new), 6 and 5 are held; step 4's slot went to the dropped step 9.
    EXPECT_EQ(UndosAvailable(doc), 3);
    EXPECT_EQ(Picture(doc, 0), Picture({"#####...", "........", "........", "........"}));
}

TEST(Undo, UndoAndRedoMarkTheDocumentModifiedAndGeometryEmptiesTheHistory) {
    FontDocument doc = Fresh();
    Stroke(doc, 3, 3);
    doc.setFlagModified(false);  // saved
    EXPECT_TRUE(doc.undo_Click(kLayout).modified);
    doc.setFlagModified(false);
    EXPECT_TRUE(doc.redo_Click(kLayout).modified);
    const EditResult r = doc.Aright_Click();
    EXPECT_FALSE(r.undoEnabled);
    EXPECT_FALSE(r.redoEnabled);
    EXPECT_FALSE(doc.undo_Click(kLayout).undoEnabled);
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
    EXPECT_FALSE(doc.font().glyphs[0].pixel(254, 254));
    doc.undo_Click(kLayout);
    doc.undo_Click(kLayout);
    doc.redo_Click(kLayout);
    EXPECT_TRUE(doc.font().glyphs[255].pixel(254, 254));
    EXPECT_FALSE(doc.font().glyphs[0].pixel(254, 254));
}

// Random editing against a list of the states the document went through: every undo and redo
// lands exactly on the state of its position, and the window's picture of the cells follows.
TEST(Undo, RandomEditsUndoAndRedoToRecordedStates) {
    const int n = 6;
    FontDocument doc(BlankFont(9, 3, n));
    GlyphClipboard clipboard;
    ScreenModel screen(n);
    screen.Apply(doc.fontsupport_MouseDown(kLeftButton, CellX(0), CellY(0), kLayout));
    screen.Apply(doc.fontsupport_MouseUp());
    std::vector<std::string> states = {FontPicture(doc.font())};
    std::size_t pos = 0;
    std::mt19937 rng(11);
    const auto recorded = [&] {
        states.resize(pos + 1);
        states.push_back(FontPicture(doc.font()));
        ++pos;
    };
    for (int step = 0; step < 4000; ++step) {
        const int what = static_cast<int>(rng() % 10);
        EditResult r;
        if (what == 0) {
            const int i = static_cast<int>(rng() % n);
            screen.Apply(doc.fontsupport_MouseDown(kLeftButton, CellX(i), CellY(i), kLayout));
            r = doc.fontsupport_MouseUp();
        } else if (what == 1) {
            const int from = static_cast<int>(rng() % n);
            const int to = static_cast<int>(rng() % n);
            screen.Apply(doc.fontsupport_MouseDown(kLeftButton, CellX(from), CellY(from), kLayout));
            screen.Apply(doc.FontSupport_MouseMove(kLeftButton, CellX(to), CellY(to), kLayout));
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
            const bool could = doc.UndoEnabled();
            r = doc.undo_Click(kLayout);
            if (could) --pos;
            ASSERT_EQ(FontPicture(doc.font()), states[pos]) << "undo at step " << step;
        } else {
            const bool could = doc.RedoEnabled();
            r = doc.redo_Click(kLayout);
            if (could) ++pos;
            ASSERT_EQ(FontPicture(doc.font()), states[pos]) << "redo at step " << step;
        }
        screen.Apply(r);
        ASSERT_EQ(doc.history().UndoPos(), static_cast<int32_t>(pos));
        ASSERT_EQ(screen.Selected(), Selection(doc)) << "step " << step;
        ASSERT_EQ(screen.shown, doc.CurrentCar()) << "step " << step;
        ASSERT_EQ(r.undoEnabled, doc.UndoEnabled());
    }
}

}  // namespace
}  // namespace pixmere::test
