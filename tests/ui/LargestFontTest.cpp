#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QApplication>
#include <QCheckBox>
#include <QScrollBar>

#include "UiTestSupport.h"
#include "ui/EditCanvas.h"
#include "ui/FontCanvas.h"
#include "ui/form1.h"

namespace pixmere {
namespace {

long PeakResidentKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// 256 glyphs of 255 x 255 at magnification 5, every pixel of a checkerboard set so no cell
// paints cheaply.
Font LargestFont() {
    FontParams p;
    p.FormatLengthCar = 255;
    p.FormatHeightCar = 255;
    p.Magnification = 5;
    p.firstcar = 0;
    p.NbCar = 256;
    ByteMatrix matrix = p.blankMatrix();
    for (std::size_t i = 0; i < matrix.data().size(); ++i) {
        matrix.data()[i] = (i / p.NbByteMatrix()) % 2 ? 0xAA : 0x55;
    }
    return MatrixToObject(p, matrix);
}

TEST(LargestFont, OpensScrollsAndEditsAtZoomEightUnder300Megabytes) {
    test::Editor editor;
    form1* doc = editor.frame->Newform();
    doc->SetFont(LargestFont(), false);
    doc->SetZoomFactorText("8");
    ASSERT_TRUE(doc->fontLayout().wide);
    EXPECT_EQ(doc->fontLayout().cellHeight, 255 * 5 * 8 + 11);

    // Scroll the whole canvas, cell by cell, painting what comes into view.
    auto* horizontal = doc->findChild<QScrollBar*>("HScroll1");
    ASSERT_TRUE(horizontal->isVisible());
    EXPECT_EQ(horizontal->maximum(), doc->fontLayout().hScrollMax);
    int painted = 0;
    for (int value = 0; value <= horizontal->maximum(); value += doc->fontLayout().cellWidth) {
        horizontal->setValue(value);
        doc->fontSupport()->grab();
        painted += doc->fontSupport()->lastPaintedCells();
    }
    EXPECT_GE(painted, 256);

    // Pick the last character and draw in it with the magnifier on.
    horizontal->setValue(horizontal->maximum());
    test::Click(doc->fontSupport(), test::CellCentre(*doc, 255));
    EXPECT_EQ(doc->document()->CurrentCar(), 255);
    doc->findChild<QCheckBox*>("EnabMagnif")->setChecked(true);
    const int before = doc->document()->font().glyphs[255].carbitmap(0, 0);
    const int column = before & 0x80 ? 1 : 0;  // a pixel that is still blank
    test::Click(doc->zoomPic(), test::PixelCentre(*doc, column, 0));
    EXPECT_EQ(doc->document()->font().glyphs[255].carbitmap(0, 0), before | (0x80 >> column));
    doc->zoomPic()->grab();
    doc->undo_Click();
    EXPECT_EQ(doc->document()->font().glyphs[255].carbitmap(0, 0), before);

    const long peakKb = PeakResidentKb();
    std::printf("peak resident memory: %ld KB\n", peakKb);
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory makes the figure meaningless";
#else
    EXPECT_LT(peakKb, 300L * 1024);
#endif
}

}  // namespace
}  // namespace pixmere
