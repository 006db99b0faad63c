// The mouse wheel over the font window and the edit window: scrolling, sideways with Shift,
// zooming with Ctrl.
#include "UiTestSupport.h"

namespace pixmere::test {
namespace {

// One notch (120) away from the user for a positive delta, over the middle of the widget.
void Wheel(QWidget* widget, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    // As from the window system (sendEvent would make it the program's own): a turn the widget
    // under the pointer leaves goes on to its parents.
    QSpontaneKeyEvent::setSpontaneous(&event);
    qApp->notify(widget, &event);
    Settle();
}

QScrollBar* Bar(form1& doc, const char* name) { return doc.findChild<QScrollBar*>(name); }

TEST(Wheel, ScrollsTheFontWindowDownAndSidewaysWithShiftAtMostAPageANotch) {
    Editor editor;
    form1* doc = NewFont(*editor.frame, {"8", "16", "20", "FF"});
    QScrollBar* vertical = Bar(*doc, "VScroll1");
    Wheel(doc->fontSupport(), -120);
    const int notch = QApplication::wheelScrollLines() * vertical->singleStep();
    EXPECT_EQ(vertical->value(), std::min({notch, vertical->pageStep(), vertical->maximum()}));
    Wheel(doc->fontSupport(), 120);
    EXPECT_EQ(vertical->value(), 0);
    // Cells wider than the window: Shift+wheel moves along the row.
    doc = NewFont(*editor.frame, {"80", "8"});
    doc->SetZoomFactorText("8");
    vertical = Bar(*doc, "VScroll1");
    QScrollBar* horizontal = Bar(*doc, "HScroll1");
    ASSERT_TRUE(horizontal->isVisible());
    Wheel(doc->fontSupport(), -120, Qt::ShiftModifier);
    EXPECT_GT(horizontal->value(), 0);
    EXPECT_EQ(vertical->value(), 0);
}

TEST(Wheel, CtrlStepsZoomFontOverTheFontWindowAndPressesTheMagnifierButtonsOverTheEditWindow) {
    Editor editor;
    form1* doc = NewFont(*editor.frame, {"8", "16", "20", "FF"});
    Click(doc->fontSupport(), CellCentre(*doc, 100));
    Wheel(doc->fontSupport(), 120, Qt::ControlModifier);
    EXPECT_EQ(doc->fontZoom(), 4);
    EXPECT_EQ(doc->findChild<QComboBox*>("ZoomFactor")->currentText(), "4");
    Wheel(doc->fontSupport(), 120, Qt::ControlModifier);
    Wheel(doc->fontSupport(), 120, Qt::ControlModifier);  // past the largest: stays
    EXPECT_EQ(doc->fontZoom(), 8);
    EXPECT_EQ(doc->document()->SelectedCars(), std::vector<int32_t>({100}));
    EXPECT_TRUE(CellInView(*doc, 100));
    // A fine wheel zooms once its turns add up to a notch.
    Wheel(doc->fontSupport(), -60, Qt::ControlModifier);
    EXPECT_EQ(doc->fontZoom(), 8);
    Wheel(doc->fontSupport(), -60, Qt::ControlModifier);
    EXPECT_EQ(doc->fontZoom(), 4);

    // Over the edit window, Ctrl presses the magnifier buttons, with their steps and limits;
    // the wheel then scrolls a glyph larger than the window, sideways with Shift.
    doc = NewFont(*editor.frame, {"8", "40"});
    EXPECT_EQ(doc->editZoom(), 6);
    Wheel(doc->zoomPic(), -120, Qt::ControlModifier);  // already at the fitted zoom
    EXPECT_EQ(doc->editZoom(), 6);
    for (int n = 0; n < 5; ++n) Wheel(doc->zoomPic(), 120, Qt::ControlModifier);
    EXPECT_EQ(doc->editZoom(), 96);  // and no further
    for (const auto& [bar, modifiers] :
         {std::pair{"VScroll2", Qt::NoModifier}, {"HScroll2", Qt::ShiftModifier}}) {
        ASSERT_TRUE(Bar(*doc, bar)->isVisible()) << bar;
        Wheel(doc->zoomPic(), -120, modifiers);
        EXPECT_GT(Bar(*doc, bar)->value(), 0) << bar;
    }
}

}  // namespace
}  // namespace pixmere::test
