// The mouse wheel over the font window and the edit window: scrolling and zooming with Ctrl.
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

// The wheel scrolls the font window; with Ctrl it steps the font zoom there, keeping the
// selection in view, and presses the magnifier's + over the edit window.
TEST(Wheel, ScrollsTheFontWindowAndWithCtrlZoomsBothWindows) {
    Editor editor;
    form1* doc = NewFont(*editor.frame, {"8", "16", "20", "FF"});
    QScrollBar* vertical = Bar(*doc, "VScroll1");
    Wheel(doc->fontSupport(), -120);
    const int notch = QApplication::wheelScrollLines() * vertical->singleStep();
    EXPECT_EQ(vertical->value(), std::min({notch, vertical->pageStep(), vertical->maximum()}));
    Click(doc->fontSupport(), CellCentre(*doc, 100));
    Wheel(doc->fontSupport(), 120, Qt::ControlModifier);
    Wheel(doc->fontSupport(), 120, Qt::ControlModifier);
    Wheel(doc->fontSupport(), 120, Qt::ControlModifier);  // past the largest: stays
    EXPECT_EQ(doc->fontZoom(), 8);
    EXPECT_EQ(doc->findChild<QComboBox*>("ZoomFactor")->currentText(), "8");
    EXPECT_TRUE(CellInView(*doc, 100));

    // Over the edit window, Ctrl presses the magnifier's +.
    doc = NewFont(*editor.frame, {"8", "40"});
    Wheel(doc->zoomPic(), 120, Qt::ControlModifier);
    EXPECT_EQ(doc->editZoom(), 12);
}

}  // namespace
}  // namespace pixmere::test
