// What is being edited: the character beside the edit window, the changed mark in the title,
// the printer memory and the window list.
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
    form1* doc = NewFont(*editor.frame, {"16", "24", "20", "7F"});
    EXPECT_EQ(CarInfo(*doc), QString::fromUtf8("20h  16 \u00d7 24"));
    Click(doc->fontSupport(), CellCentre(*doc, 0x21));
    EXPECT_EQ(CarInfo(*doc), QString::fromUtf8("41h  A  16 \u00d7 24"));
    doc->action("Abottom")->trigger();
    EXPECT_EQ(CarInfo(*doc), QString::fromUtf8("41h  A  16 \u00d7 25"));
}

TEST(CurrentCharacter, AChangedDocumentIsMarkedInItsTitleUntilSaved) {
    TempDir dir;
    Editor editor;
    form1* doc = NewFont(*editor.frame, {"8", "8"});
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
    // A maximised document's mark shows in the frame's title, also after another window has
    // closed.
    form1* other = NewFont(*editor.frame, {"8", "8"});
    WindowOf(*editor.frame, *doc)->showMaximized();
    Discard(*editor.frame, *other);
    EXPECT_TRUE(editor.frame->windowTitle().contains(doc->windowTitle()));
    EXPECT_TRUE(editor.frame->isWindowModified());
}

// Windows of the same name are numbered, in their title bars and in the window list; a number
// freed is taken again. Choosing a window from the list gives the keys to its cells.
TEST(CurrentCharacter, WindowsOfTheSameNameAreNumberedAndTheListGivesTheKeysToTheCells) {
    Editor editor;
    MDIForm1& frame = *editor.frame;
    for (int n = 0; n < 3; ++n) NewFont(frame, {"8", "8"});
    frame.Document(2)->SetTitle(QStringLiteral("Fish & Chips"));
    const auto titles = [&] {
        QStringList shown;
        for (int n = 1; n <= 4; ++n) {
            if (form1* doc = frame.Document(n)) shown << doc->windowTitle();
        }
        return shown;
    };
    // A number stays with its window; a new window takes the lowest one free.
    EXPECT_EQ(titles(), QStringList({"Velmar Pixmere 2.1[*]", "Fish & Chips[*]",
                                     "Velmar Pixmere 2.1 (3)[*]"}));
    Discard(frame, *frame.Document(1));
    NewFont(frame, {"8", "8"});
    NewFont(frame, {"8", "8"});
    EXPECT_EQ(titles(), QStringList({"Velmar Pixmere 2.1[*]", "Fish & Chips[*]",
                                     "Velmar Pixmere 2.1 (3)[*]", "Velmar Pixmere 2.1 (2)[*]"}));
    QMenu list;
    frame.FillWindowList(&list);
    EXPECT_EQ(Captions(list.actions()),
              QStringList({"Fish & Chips", "Velmar Pixmere 2.1 (3)", "Velmar Pixmere 2.1",
                           "Velmar Pixmere 2.1 (2)"}));
    // The keys go to the cells of the window chosen: End picks its last character.
    QApplication::setActiveWindow(&frame);
    list.actions().at(0)->trigger();
    EXPECT_EQ(QApplication::focusWidget(), frame.Document(2)->fontSupport());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    EXPECT_EQ(frame.Document(2)->document()->CurrentCar(), 0x7F - 0x20);
    EXPECT_EQ(frame.Document(2)->fontZoom(), 2);
}

}  // namespace
}  // namespace pixmere::test
