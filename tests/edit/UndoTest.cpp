#include "EditTestSupport.h"

namespace pixmere::test {
namespace {

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

}  // namespace
}  // namespace pixmere::test
