// What is being edited: the character beside the edit window, the changed mark in the title,
// the printer memory, the cell captions and the window list.
#include <QHelpEvent>
#include <QToolTip>

#include "UiTestSupport.h"

namespace pixmere::test {
namespace {

QString CarInfo(form1& doc) { return doc.findChild<QLabel*>("CarInfo")->text(); }

TEST(CurrentCharacter, BesideTheEditWindowItsCodeTheCharacterWherePrintableAndTheCellSize) {
    EXPECT_EQ(CarInfoText(0x41, 16, 24), QString::fromUtf8("41h  A  16 \u00d7 24"));
    EXPECT_EQ(CarInfoText(0x80, 8, 8), QString::fromUtf8("80h  \u20ac  8 \u00d7 8"));
    // Blanks, control codes and the codes Windows-1252 leaves undefined show no character.
    for (int code : {0x20, 0x0A, 0x7F, 0x81, 0xA0}) {
        EXPECT_EQ(CarInfoText(code, 8, 8),
                  QString::number(code, 16).toUpper() + QString::fromUtf8("h  8 \u00d7 8"));
    }
    Editor editor;
    form1* doc = NewFont(*editor.frame, "16", "24", "20", "7F");
    EXPECT_EQ(CarInfo(*doc), QString::fromUtf8("20h  16 \u00d7 24"));
    Click(doc->fontSupport(), CellCentre(*doc, 0x21));
    EXPECT_EQ(CarInfo(*doc), QString::fromUtf8("41h  A  16 \u00d7 24"));
    doc->action("Abottom")->trigger();
    EXPECT_EQ(CarInfo(*doc), QString::fromUtf8("41h  A  16 \u00d7 25"));
}

TEST(CurrentCharacter, AChangedDocumentIsMarkedInItsTitleUntilSaved) {
    TempDir dir;
    Editor editor;
    form1* doc = NewFont(*editor.frame, "8", "8");
    QMdiSubWindow* window = editor.frame->mdiArea()->subWindowList().first();
    EXPECT_TRUE(doc->isWindowModified());
    EXPECT_TRUE(window->isWindowModified());
    editor.WillSave(dir.file("a[*]b.pzf"), 1);
    doc->action("saveas")->trigger();
    EXPECT_FALSE(doc->isWindowModified());
    // A "[*]" in the name itself is shown as it is.
    EXPECT_EQ(doc->Title(), Q(dir.file("a[*]b.pzf")));
    EXPECT_EQ(doc->windowTitle(), Q(dir.file("a[*][*]b.pzf")) + "[*]");
    Draw(*doc, 0, 1, 1);
    EXPECT_TRUE(doc->isWindowModified());
}

TEST(CurrentCharacter, TheFontSizeOfTheLargestFontShowsWhole) {
    Editor editor;
    form1* doc = editor.frame->Newform(OpenedFont(PatternFont(Shape(255, 255, 0, 256, 0, 5))));
    doc->SetZoomFactorText("1");
    auto* size = doc->findChild<QLabel*>("SizeKo");
    EXPECT_EQ(size->text(), "Font Size = 2088965 Bytes");
    EXPECT_GE(size->width(), size->fontMetrics().horizontalAdvance(size->text()));
}

TEST(CurrentCharacter, CaptionsThatDoNotFitShortenAndHoveringTellsTheCharacter) {
    // A band wide enough for the whole caption, for "41h", for "41", for nothing.
    const auto width = [](const QString& text) {
        QFont face(QStringLiteral("MS Sans Serif"));
        face.setPixelSize(10);
        return QFontMetrics(face).horizontalAdvance(text) + 1;
    };
    EXPECT_EQ(FittedCellCaption(0x41, width(" 41h")), " 41h");
    EXPECT_EQ(FittedCellCaption(0x41, width(" 41h") - 1), "41h");
    EXPECT_EQ(FittedCellCaption(0x41, width("41")), "41");
    EXPECT_EQ(FittedCellCaption(0x41, width("41") - 1), "");

    Editor editor;
    form1* doc = NewFont(*editor.frame, "3", "5", "20", "FF");
    doc->SetZoomFactorText("1");
    FontCanvas* cells = doc->fontSupport();
    const QPoint at = CellCentre(*doc, 0x21);
    QHelpEvent hover(QEvent::ToolTip, at, cells->mapToGlobal(at));
    QApplication::sendEvent(cells, &hover);
    EXPECT_EQ(QToolTip::text(), QString::fromUtf8("41h  A  3 \u00d7 5"));
    QToolTip::hideText();
}

TEST(CurrentCharacter, TheWindowListTellsDocumentsOfTheSameNameApart) {
    Editor editor;
    MDIForm1& frame = *editor.frame;
    for (int n = 0; n < 3; ++n) NewFont(frame, "8", "8");
    frame.Document(2)->SetTitle(QStringLiteral("Fish & Chips"));
    QMenu list;
    frame.FillWindowList(&list);
    QStringList names;
    for (QAction* a : list.actions()) names << VisibleText(a->text());
    EXPECT_EQ(names, QStringList({"Velmar Pixmere 2.1", "Fish & Chips", "Velmar Pixmere 2.1 (2)"}));
}

}  // namespace
}  // namespace pixmere::test
