#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include "UiTestSupport.h"
#include "support/GlyphPicture.h"
#include "ui/EditCanvas.h"
#include "ui/FontCanvas.h"
#include "ui/Form3.h"
#include "ui/Form6.h"
#include "ui/MDIForm1.h"
#include "ui/form1.h"

namespace pixmere {
namespace {

using test::Click;
using test::Editor;
using test::NewFontThroughDialog;

std::vector<std::string> Picture(form1& document, int index) {
    const CarObject& glyph = document.document()->font().glyphs[static_cast<std::size_t>(index)];
    return test::GlyphPicture(glyph, document.params().FormatLengthCar);
}

std::vector<bool> Buttons(MDIForm1& frame) {
    std::vector<bool> enabled;
    for (int n = 1; n <= 7; ++n) enabled.push_back(frame.command(n)->isEnabled());
    return enabled;
}

QStringList MenuTitles(MDIForm1& frame) {
    QStringList titles;
    for (QAction* a : frame.menuBar()->actions()) titles << a->text();
    return titles;
}

TEST(Frame, StartsWithOnlyNewAndOpenAndTheFrameMenus) {
    Editor editor;
    MDIForm1& frame = *editor.frame;
    EXPECT_EQ(frame.windowTitle(), "Velmar Pixmere");
    EXPECT_EQ(Buttons(frame), std::vector<bool>({true, true, false, false, false, false, false}));
    const char* tips[] = {
        "Create a New Font", "Open an Velmar Font", "Save", "Copy", "Paste", "Undo", "Redo"};
    for (int n = 1; n <= 7; ++n) EXPECT_EQ(frame.command(n)->toolTip(), tips[n - 1]);
    EXPECT_EQ(MenuTitles(frame), QStringList({"File", "Edit", "Modify Font", "Windows", "?"}));
    EXPECT_EQ(frame.app().DocMax, 20);
    EXPECT_EQ(frame.app().DocCount, 0);
    EXPECT_TRUE(frame.mdiArea()->subWindowList().isEmpty());
    // Toolbar commands without a document do nothing.
    for (int n = 3; n <= 7; ++n) frame.command(n)->click();
    EXPECT_EQ(frame.app().DocCount, 0);
}

TEST(NewFont, DialogRefusesThenCreatesABlankFontWithTheFirstCharacterCurrent) {
    Editor editor;
    MDIForm1& frame = *editor.frame;
    frame.command(1)->click();
    Form3* dialog = frame.propertyDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Font Property");
    EXPECT_EQ(frame.app().PropertyMode, 1);
    EXPECT_EQ(frame.app().DocCount, 1);
    form1* document = frame.Document(1);
    ASSERT_NE(document, nullptr);
    EXPECT_FALSE(document->isVisibleTo(&frame) && frame.mdiArea()->subWindowList()[0]->isVisible());

    // Typing "A" into First character gives "20"; "7" alone stays and is refused on Ok.
    dialog->charmin1()->clear();
    QTest::keyClicks(dialog->charmin1(), "A");
    EXPECT_EQ(dialog->charmin1()->text(), "20");
    dialog->charmin1()->clear();
    QTest::keyClicks(dialog->charmin1(), "10");
    EXPECT_EQ(dialog->charmin1()->text(), "20");
    dialog->charmin1()->clear();
    QTest::keyClicks(dialog->charmin1(), "7g");  // g is no hexadecimal digit
    EXPECT_EQ(dialog->charmin1()->text(), "7");
    QTest::keyClicks(dialog->width1(), "9x");  // letters never reach a decimal field
    EXPECT_EQ(dialog->width1()->text(), "9");
    // Height 300 becomes 255 and the downstroke list then runs from "0" to "255".
    QTest::keyClicks(dialog->height1(), "300");
    EXPECT_EQ(dialog->height1()->text(), "255");
    EXPECT_EQ(dialog->Jambage()->count(), 256);
    EXPECT_EQ(dialog->Jambage()->currentText(), "0");
    dialog->Ok()->click();
    ASSERT_EQ(editor.prompts->asked.size(), 1u);
    EXPECT_EQ(editor.prompts->asked[0].icon, QMessageBox::Warning);
    EXPECT_EQ(editor.prompts->asked[0].text,
              "One or several properties are empty or wrong, please fill it with the right value");
    EXPECT_EQ(frame.propertyDialog(), dialog);

    // A last character above FF: refusal 2.
    dialog->charmin1()->setText("20");
    dialog->charmax1()->setText("100");
    dialog->Ok()->click();
    ASSERT_EQ(editor.prompts->asked.size(), 2u);
    EXPECT_EQ(editor.prompts->asked[1].text,
              "One or several properties are empty or wrong. please fill it with the right value.");
    // Downstroke above the height: refusal 3, still in New mode.
    dialog->charmax1()->setText("7F");
    dialog->height1()->setText("16");
    EXPECT_EQ(dialog->Jambage()->currentText(), "0");  // every height change resets it
    dialog->Jambage()->setEditText("17");
    dialog->Ok()->click();
    ASSERT_EQ(editor.prompts->asked.size(), 3u);
    EXPECT_EQ(editor.prompts->asked[2].text,
              "One or several properties are empty, please fill it with the right value");
    EXPECT_EQ(frame.app().PropertyMode, 1);
    EXPECT_EQ(document->document(), nullptr);

    dialog->Jambage()->setEditText("3");
    dialog->Ok()->click();
    QApplication::processEvents();
    EXPECT_EQ(frame.propertyDialog(), nullptr);
    ASSERT_NE(document->document(), nullptr);
    const FontParams& p = document->params();
    EXPECT_EQ(p.NbCar, 96);
    EXPECT_EQ(p.NbByteMatrix(), 2);
    EXPECT_EQ(p.jambon, 3);
    EXPECT_TRUE(document->FlagModified());
    EXPECT_EQ(document->document()->CurrentCar(), 0);
    EXPECT_TRUE(document->document()->IsSelected(0));
    EXPECT_EQ(document->zoomPic()->shownGlyph(), 0);
    EXPECT_TRUE(frame.mdiArea()->subWindowList()[0]->isVisible());
    EXPECT_EQ(document->windowTitle(), "Velmar Pixmere 2.1");
    EXPECT_EQ(document->findChild<QLabel*>("SizeKo")->text(), "Font Size = 3077 Bytes");
    EXPECT_EQ(document->findChild<QComboBox*>("ZoomFactor")->currentText(), "2");
    EXPECT_FALSE(document->findChild<QCheckBox*>("EnabMagnif")->isEnabled());
    // Save and Copy come with the first full refresh; the document's menus replace the frame's.
    EXPECT_EQ(Buttons(frame), std::vector<bool>({true, true, true, true, false, false, false}));
    EXPECT_EQ(frame.menuBar()->actions().first(), document->Menus().first()->menuAction());
    EXPECT_TRUE(document->action("save")->isEnabled());
    // 16 rows fit the 250-pixel edit window at zoom 15.
    EXPECT_EQ(document->editZoom(), 15);
}

TEST(NewFont, CancelClosesTheEmptyWindowAndFreesItsSlot) {
    Editor editor;
    MDIForm1& frame = *editor.frame;
    frame.command(1)->click();
    ASSERT_NE(frame.propertyDialog(), nullptr);
    frame.propertyDialog()->Cancel()->click();
    QApplication::processEvents();
    EXPECT_EQ(frame.app().DocCount, 0);
    EXPECT_EQ(frame.Document(1), nullptr);
    EXPECT_EQ(frame.app().PropertyMode, 0);
    EXPECT_FALSE(frame.app().CommandBusy);
    // The next font takes slot 1 again.
    form1* document = NewFontThroughDialog(frame, "8", "8");
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->index, 1);
}

TEST(FontWindow, PaintsCaptionsAndTheSelectionStraightFromTheGlyphs) {
    Editor editor;
    form1* document = NewFontThroughDialog(*editor.frame, "8", "16", "41", "5A");
    ASSERT_NE(document, nullptr);
    const QImage image = document->fontSupport()->grab().toImage();
    const FontLayout& L = document->fontLayout();
    // Caption band yellow, selected cell 0 light blue, cell 1 white, outlines black.
    EXPECT_EQ(image.pixelColor(L.cellWidth - 2, 5), QColor(255, 255, 0));
    EXPECT_EQ(image.pixelColor(L.cellWidth - 3, 20), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(L.cellWidth + L.cellWidth / 2, 20), QColor(255, 255, 255));
    EXPECT_EQ(image.pixelColor(0, 20), QColor(0, 0, 0));
    EXPECT_EQ(CellCaption(0x41), " 41h");
    EXPECT_EQ(CellCaption(10), " Ah");
    EXPECT_EQ(CellCaption(255), " FFh");
    EXPECT_LE(document->fontSupport()->lastPaintedCells(), 26);
}

TEST(Editing, SelectDrawEraseAndUndoRedoThroughTheToolbar) {
    Editor editor;
    MDIForm1& frame = *editor.frame;
    form1* doc = NewFontThroughDialog(frame, "5", "4", "20", "3F");
    ASSERT_NE(doc, nullptr);
    FontCanvas* cells = doc->fontSupport();
    EditCanvas* picture = doc->zoomPic();

    // Drag from character 5 to 8, back to 6.
    test::Press(cells, test::CellCentre(*doc, 5));
    test::DragTo(cells, test::CellCentre(*doc, 8));
    test::DragTo(cells, test::CellCentre(*doc, 6));
    test::Release(cells, test::CellCentre(*doc, 6));
    EXPECT_EQ(doc->document()->SelectedCars(), std::vector<int32_t>({5, 6}));
    EXPECT_EQ(picture->shownGlyph(), 6);

    // A click picks character 2; draw a trail in one stroke, erase one pixel in another.
    Click(cells, test::CellCentre(*doc, 2));
    EXPECT_EQ(doc->document()->SelectedCars(), std::vector<int32_t>({2}));
    test::Press(picture, test::PixelCentre(*doc, 0, 1));
    test::DragTo(picture, test::PixelCentre(*doc, 1, 1));
    test::DragTo(picture, test::PixelCentre(*doc, 2, 1));
    test::Release(picture, test::PixelCentre(*doc, 2, 1));
    Click(picture, test::PixelCentre(*doc, 0, 0));
    EXPECT_EQ(test::Joined(Picture(*doc, 2)), test::Joined({"#....", "###..", ".....", "....."}));
    Click(picture, test::PixelCentre(*doc, 1, 1), Qt::RightButton);
    EXPECT_EQ(test::Joined(Picture(*doc, 2)), test::Joined({"#....", "#.#..", ".....", "....."}));
    // The font window's cell shows the edited glyph, still selected.
    const QImage cellImage = cells->grab().toImage();
    const FontLayout& L = doc->fontLayout();
    const int z = doc->fontZoom();
    EXPECT_EQ(cellImage.pixelColor(L.CellLeft(2) + z / 2 + 0 * z, 10 + z / 2), QColor(0, 0, 0));
    EXPECT_EQ(cellImage.pixelColor(L.CellLeft(2) + z / 2 + 1 * z, 10 + z + z / 2),
              QColor(0, 0, 255));

    EXPECT_TRUE(frame.command(6)->isEnabled());
    EXPECT_FALSE(frame.command(7)->isEnabled());
    frame.command(6)->click();  // undo the erase
    EXPECT_EQ(test::Joined(Picture(*doc, 2)), test::Joined({"#....", "###..", ".....", "....."}));
    frame.command(6)->click();
    frame.command(6)->click();
    EXPECT_EQ(test::Joined(Picture(*doc, 2)), test::Joined({".....", ".....", ".....", "....."}));
    EXPECT_FALSE(frame.command(6)->isEnabled());
    EXPECT_TRUE(frame.command(7)->isEnabled());
    frame.command(7)->click();
    EXPECT_EQ(test::Joined(Picture(*doc, 2)), test::Joined({".....", "###..", ".....", "....."}));
    EXPECT_TRUE(doc->action("undo")->isEnabled());
    EXPECT_TRUE(doc->action("redo")->isEnabled());
}

TEST(Editing, RowsAndColumnsFromTheMenuRelayoutAndEmptyTheHistory) {
    Editor editor;
    form1* doc = NewFontThroughDialog(*editor.frame, "8", "8");
    ASSERT_NE(doc, nullptr);
    Click(doc->zoomPic(), test::PixelCentre(*doc, 7, 0));
    EXPECT_TRUE(doc->UndoEnabled());
    doc->action("Aright")->trigger();
    EXPECT_EQ(doc->params().FormatLengthCar, 9);
    EXPECT_EQ(doc->params().NbByteMatrix(), 2);
    EXPECT_EQ(doc->fontLayout().cellWidth, 9 * 2 + 1);
    EXPECT_FALSE(doc->UndoEnabled());
    EXPECT_FALSE(editor.frame->command(6)->isEnabled());
    doc->action("Atop")->trigger();
    EXPECT_EQ(doc->params().FormatHeightCar, 9);
    EXPECT_EQ(test::Joined(Picture(*doc, 0)),
              test::Joined({".........", ".......#.", ".........", ".........", ".........",
                            ".........", ".........", ".........", "........."}));
    EXPECT_EQ(doc->findChild<QLabel*>("SizeKo")->text(),
              QString("Font Size = %1 Bytes").arg(2 * 96 * 9 + 5));
    doc->action("Rleft")->trigger();
    doc->action("Rbottom")->trigger();
    EXPECT_EQ(test::Joined(Picture(*doc, 0)),
              test::Joined({"........", "......#.", "........", "........", "........", "........",
                            "........", "........"}));
    EXPECT_EQ(doc->document()->SelectedCars().size(), 1u);
}

TEST(Editing, GeometryItemsAreDisabledWhereTheEngineWouldRefuse) {
    Editor editor;
    form1* doc = NewFontThroughDialog(*editor.frame, "1", "1", "20", "21");
    ASSERT_NE(doc, nullptr);
    EXPECT_FALSE(doc->action("Rtop")->isEnabled());
    EXPECT_FALSE(doc->action("Rleft")->isEnabled());
    EXPECT_TRUE(doc->action("Atop")->isEnabled());
    doc->action("Rtop")->trigger();  // a shortcut or script reaching it anyway changes nothing
    EXPECT_EQ(doc->params().FormatHeightCar, 1);
}

TEST(Editing, CopyFromOneWindowAndPasteIntoAnotherOfAnotherSize) {
    Editor editor;
    MDIForm1& frame = *editor.frame;
    form1* source = NewFontThroughDialog(frame, "16", "16");
    ASSERT_NE(source, nullptr);
    Click(source->fontSupport(), test::CellCentre(*source, 1));
    Click(source->zoomPic(), test::PixelCentre(*source, 0, 0));
    Click(source->zoomPic(), test::PixelCentre(*source, 9, 1));
    Click(source->zoomPic(), test::PixelCentre(*source, 3, 12));
    EXPECT_FALSE(frame.command(5)->isEnabled());
    source->action("copy")->trigger();
    EXPECT_TRUE(frame.command(5)->isEnabled());
    EXPECT_TRUE(source->action("paste")->isEnabled());

    form1* target = NewFontThroughDialog(frame, "8", "12");
    ASSERT_NE(target, nullptr);
    EXPECT_TRUE(target->action("paste")->isEnabled()) << "a window created after Copy";
    EXPECT_EQ(frame.app().ActiveDoc, target->index);
    Click(target->fontSupport(), test::CellCentre(*target, 4));
    frame.command(5)->click();  // the toolbar pastes into the active document
    EXPECT_EQ(
        test::Joined(Picture(*target, 4)),
        test::Joined({"#.......", "........", "........", "........", "........", "........",
                      "........", "........", "........", "........", "........", "........"}));
    EXPECT_TRUE(target->FlagModified());
    frame.command(6)->click();
    EXPECT_EQ(Picture(*target, 4)[0], "........");
}

TEST(Closing, PromptAnswersCancelNoYesAndACancelledSaveAs) {
    Editor editor;
    MDIForm1& frame = *editor.frame;
    form1* doc = NewFontThroughDialog(frame, "8", "8");
    ASSERT_NE(doc, nullptr);
    QMdiSubWindow* window = frame.mdiArea()->subWindowList().first();

    editor.prompts->answers = {QMessageBox::Cancel};
    window->close();
    EXPECT_EQ(editor.prompts->asked.back().text,
              "Some Fonts have been modified. Do you want to save them?");
    EXPECT_EQ(frame.Document(1), doc);
    EXPECT_TRUE(doc->FlagModified());

    // Yes, then the Save As is cancelled: the document stays open and modified.
    editor.prompts->answers = {QMessageBox::Yes};
    editor.files->saveAsSucceeds = false;
    window->close();
    EXPECT_EQ(editor.files->saveAsCalls, 1);
    EXPECT_EQ(frame.Document(1), doc);
    EXPECT_TRUE(doc->FlagModified());

    // Yes with a save that succeeds closes.
    editor.prompts->answers = {QMessageBox::Yes};
    editor.files->saveAsSucceeds = true;
    window->close();
    QApplication::processEvents();
    EXPECT_EQ(editor.files->saveAsCalls, 2);
    EXPECT_EQ(frame.Document(1), nullptr);

    // No closes without saving; the last close turns the toolbar back.
    form1* other = NewFontThroughDialog(frame, "8", "8");
    ASSERT_NE(other, nullptr);
    Click(other->fontSupport(), test::CellCentre(*other, 0));
    other->copy_Click();
    editor.prompts->answers = {QMessageBox::No};
    frame.mdiArea()->subWindowList().first()->close();
    QApplication::processEvents();
    EXPECT_EQ(editor.files->saveAsCalls, 2);
    EXPECT_EQ(frame.app().DocCount, 0);
    EXPECT_TRUE(frame.app().FreshWindow);
    EXPECT_EQ(Buttons(frame), std::vector<bool>({true, true, false, false, false, false, false}));
    EXPECT_EQ(MenuTitles(frame), QStringList({"File", "Edit", "Modify Font", "Windows", "?"}));
}

TEST(Closing, ExitStopsAtTheDocumentWhoseCloseIsCancelled) {
    Editor editor;
    MDIForm1& frame = *editor.frame;
    ASSERT_NE(NewFontThroughDialog(frame, "8", "8"), nullptr);
    ASSERT_NE(NewFontThroughDialog(frame, "8", "8"), nullptr);
    editor.prompts->answers = {QMessageBox::No, QMessageBox::Cancel};
    frame.Exit();
    QApplication::processEvents();
    EXPECT_EQ(editor.prompts->asked.size(), 2u);
    EXPECT_EQ(frame.Document(1), nullptr);
    EXPECT_NE(frame.Document(2), nullptr);
    EXPECT_TRUE(frame.isVisible());
}

TEST(Slots, WindowsNinetyEightAllowsThreeDocuments) {
    Editor editor("Windows 98");
    MDIForm1& frame = *editor.frame;
    EXPECT_EQ(frame.app().DocMax, 3);
    form1* first = NewFontThroughDialog(frame, "8", "8");
    ASSERT_NE(NewFontThroughDialog(frame, "8", "8"), nullptr);
    form1* third = NewFontThroughDialog(frame, "8", "8");
    ASSERT_NE(third, nullptr);
    EXPECT_FALSE(frame.command(1)->isEnabled());
    EXPECT_FALSE(frame.command(2)->isEnabled());
    for (int n = 1; n <= 3; ++n) {
        EXPECT_FALSE(frame.Document(n)->action("New")->isEnabled());
        EXPECT_FALSE(frame.Document(n)->action("open")->isEnabled());
        EXPECT_FALSE(frame.Document(n)->action("Import")->isEnabled());
    }
    first->document()->setFlagModified(false);
    frame.CloseDocument(*first);
    QApplication::processEvents();
    EXPECT_TRUE(frame.command(1)->isEnabled());
    EXPECT_TRUE(third->action("New")->isEnabled());
    // The freed slot is the one taken next.
    form1* again = NewFontThroughDialog(frame, "8", "8");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->index, 1);
}

TEST(Dispatch, NewFromADocumentMenuOpensAFreshWindowEvenAfterTheLastOneClosed) {
    Editor editor;
    MDIForm1& frame = *editor.frame;
    form1* first = NewFontThroughDialog(frame, "8", "8");
    form1* second = NewFontThroughDialog(frame, "6", "6");
    ASSERT_NE(second, nullptr);
    // The last document closes; the frame's New must not go to it.
    second->document()->setFlagModified(false);
    frame.CloseDocument(*second);
    QApplication::processEvents();
    EXPECT_FALSE(frame.app().FreshWindow);
    form1* third = NewFontThroughDialog(frame, "7", "7");
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->index, 2);
    // From a document's own menu: that document keeps its font.
    first->action("New")->trigger();
    ASSERT_NE(frame.propertyDialog(), nullptr);
    EXPECT_EQ(frame.app().LastDoc, 3);
    frame.propertyDialog()->Cancel()->click();
    QApplication::processEvents();
    EXPECT_EQ(frame.Document(3), nullptr);
    EXPECT_EQ(first->params().FormatLengthCar, 8);
    // Open and the imports have no file side yet: their fresh window closes again.
    frame.command(2)->click();
    QApplication::processEvents();
    EXPECT_EQ(frame.app().DocCount, 2);
}

TEST(FontProperties, ChangeDownstrokeAndMagnificationOnly) {
    Editor editor;
    MDIForm1& frame = *editor.frame;
    form1* doc = NewFontThroughDialog(frame, "8", "10", "20", "7F", "1", "2");
    ASSERT_NE(doc, nullptr);
    doc->document()->setFlagModified(false);
    doc->action("fontparam")->trigger();
    Form3* dialog = frame.propertyDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(frame.app().PropertyMode, 0);
    EXPECT_TRUE(dialog->width1()->isReadOnly());
    EXPECT_EQ(dialog->width1()->text(), "8");
    EXPECT_EQ(dialog->charmax1()->text(), "7F");
    EXPECT_EQ(dialog->Jambage()->currentText(), "2");
    // Unchanged values change nothing.
    dialog->Ok()->click();
    QApplication::processEvents();
    EXPECT_FALSE(doc->FlagModified());

    doc->action("fontparam")->trigger();
    dialog = frame.propertyDialog();
    dialog->Magnificatio()->setEditText("9");
    dialog->Ok()->click();
    EXPECT_EQ(editor.prompts->asked.back().text,
              "One or several properties are empty or wrong, please fill it with the right value");
    dialog->Magnificatio()->setEditText("3");
    dialog->Jambage()->setEditText("4");
    dialog->Ok()->click();
    QApplication::processEvents();
    EXPECT_EQ(frame.propertyDialog(), nullptr);
    EXPECT_EQ(doc->params().Magnification, 3);
    EXPECT_EQ(doc->params().jambon, 4);
    EXPECT_TRUE(doc->FlagModified());
    auto* magnif = doc->findChild<QCheckBox*>("EnabMagnif");
    EXPECT_TRUE(magnif->isEnabled());
    EXPECT_TRUE(magnif->isChecked());
    EXPECT_EQ(doc->EditMagnif(), 3);
    EXPECT_EQ(doc->editZoom(), 248 / 30);
    EXPECT_EQ(doc->fontLayout().cellHeight, 10 * 3 * 2 + 11);
    // Cancel leaves the document as it was and never closes it.
    doc->action("fontparam")->trigger();
    frame.propertyDialog()->Cancel()->click();
    QApplication::processEvents();
    EXPECT_EQ(frame.Document(1), doc);
}

TEST(ImportModes, CheckAndStoreTheValuesThenHandTheImportOn) {
    Editor editor;
    MDIForm1& frame = *editor.frame;
    form1* doc = frame.Newform();
    frame.app().CommandBusy = true;
    frame.ShowPropertyDialog(*doc, 2);
    Form3* dialog = frame.propertyDialog();
    ASSERT_NE(dialog, nullptr);
    QTest::keyClicks(dialog->width1(), "12");
    QTest::keyClicks(dialog->height1(), "20");
    dialog->charmax1()->setText("1FF");
    dialog->Ok()->click();
    EXPECT_EQ(editor.prompts->asked.back().text,
              "One or several properties are empty or wrong. please fill it with the right value.");
    dialog->charmax1()->setText("7E");
    dialog->Jambage()->setEditText("4");
    dialog->Magnificatio()->setEditText("2");
    dialog->Ok()->click();
    QApplication::processEvents();
    EXPECT_EQ(frame.app().ImportFirstCar, 0x20);
    EXPECT_EQ(frame.app().ImportLastCar, 0x7E);
    EXPECT_EQ(frame.app().PropertyMode, 0);
    EXPECT_FALSE(frame.app().CommandBusy);
    // No TrueType import exists yet behind the dialog: its window closes again.
    EXPECT_EQ(frame.Document(1), nullptr);
}

TEST(EditWindow, ZoomButtonsAndMagnifierFollowTheirLimits) {
    Editor editor;
    form1* doc = NewFontThroughDialog(*editor.frame, "8", "40", "20", "7F", "2", "0");
    ASSERT_NE(doc, nullptr);
    auto* plus = doc->findChild<QToolButton*>("ZoomPicPLUS");
    auto* minus = doc->findChild<QToolButton*>("ZoomPicMOINS");
    EXPECT_EQ(doc->editZoom(), 6);  // floor(248 / 40)
    EXPECT_TRUE(plus->isEnabled());
    EXPECT_FALSE(minus->isEnabled());
    for (int expected : {12, 24, 48, 96}) {
        plus->click();
        EXPECT_EQ(doc->editZoom(), expected);
    }
    EXPECT_FALSE(plus->isEnabled());
    EXPECT_TRUE(doc->findChild<QScrollBar*>("VScroll2")->isVisible());
    EXPECT_EQ(doc->zoomPic()->shownGlyph(), 0) << "the glyph is shown again at the new zoom";
    for (int expected : {48, 24, 12, 6}) {
        minus->click();
        EXPECT_EQ(doc->editZoom(), expected);
    }
    EXPECT_FALSE(minus->isEnabled());
    // Manual zoom survives a font zoom change.
    plus->click();
    doc->SetZoomFactorText("4");
    EXPECT_EQ(doc->editZoom(), 12);
    // The magnifier refits: two screen rows per glyph row.
    doc->findChild<QCheckBox*>("EnabMagnif")->setChecked(true);
    EXPECT_EQ(doc->EditMagnif(), 2);
    EXPECT_EQ(doc->editZoom(), 3);
    EXPECT_EQ(doc->zoomPic()->PictureSize(), QSize(8 * 3 + 4, 40 * 3 * 2 + 4));
    // Baseline mark in light red at the bottom row boundary (downstroke 0), grid in grey.
    const QImage image = doc->zoomPic()->grab().toImage();
    EXPECT_EQ(image.pixelColor(5, 240), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(3, 1), QColor(128, 128, 128));
}

TEST(Windows, AboutBoxHelpAndWindowList) {
    Editor editor;
    MDIForm1& frame = *editor.frame;
    QString opened;
    frame.openHelp = [&](const QString& path) { opened = path; };
    frame.FrameMenus().last()->actions().first()->trigger();
    EXPECT_TRUE(opened.endsWith("/Help.htm"));
    EXPECT_TRUE(opened.startsWith(QString::fromStdString(frame.app().startDir)));
    frame.About();
    ASSERT_NE(frame.aboutBox(), nullptr);
    EXPECT_EQ(frame.aboutBox()->windowTitle(), "About Corvane");
    EXPECT_TRUE(frame.aboutBox()->isVisible());

    form1* a = NewFontThroughDialog(frame, "8", "8");
    form1* b = NewFontThroughDialog(frame, "8", "8");
    ASSERT_NE(b, nullptr);
    a->action("help")->trigger();
    EXPECT_TRUE(opened.endsWith("/Pixmere Help.htm"));
    QMenu list;
    frame.FillWindowList(&list);
    ASSERT_EQ(list.actions().size(), 2);
    list.actions().first()->trigger();
    EXPECT_EQ(frame.app().ActiveDoc, a->index);
    EXPECT_EQ(frame.menuBar()->actions().first(), a->Menus().first()->menuAction());
    frame.Cascade();
    frame.mdiArea()->subWindowList().first()->showMinimized();
    frame.ArrangeIcons();
    const QMdiSubWindow* icon = frame.mdiArea()->subWindowList().first();
    EXPECT_EQ(icon->geometry().bottom() + 1, frame.mdiArea()->viewport()->height());
}

}  // namespace
}  // namespace pixmere

namespace pixmere {
namespace {

TEST(Editing, MoveButtonsAndDeleteActOnTheSelection) {
    test::Editor editor;
    form1* doc = test::NewFontThroughDialog(*editor.frame, "4", "3", "20", "2F");
    ASSERT_NE(doc, nullptr);
    test::Click(doc->zoomPic(), test::PixelCentre(*doc, 0, 0));
    test::Click(doc->zoomPic(), test::PixelCentre(*doc, 1, 1));
    doc->findChild<QToolButton*>("Right")->click();
    doc->findChild<QToolButton*>("Down")->click();
    EXPECT_EQ(test::Joined(Picture(*doc, 0)), test::Joined({"....", ".#..", "..#."}));
    EXPECT_EQ(doc->zoomPic()->shownGlyph(), 0);
    doc->action("Dele")->trigger();
    EXPECT_EQ(test::Joined(Picture(*doc, 0)), test::Joined({"....", "....", "...."}));
    editor.frame->command(6)->click();
    EXPECT_EQ(test::Joined(Picture(*doc, 0)), test::Joined({"....", ".#..", "..#."}));
}

TEST(FontWindow, ScrollingMovesTheCanvasAndPressesFollowIt) {
    test::Editor editor;
    form1* doc = test::NewFontThroughDialog(*editor.frame, "8", "16", "20", "FF");
    ASSERT_NE(doc, nullptr);
    auto* vertical = doc->findChild<QScrollBar*>("VScroll1");
    ASSERT_TRUE(vertical->isVisible());
    EXPECT_EQ(vertical->maximum(), doc->fontLayout().vScrollMax);
    vertical->setValue(vertical->maximum());
    EXPECT_EQ(doc->fontSupport()->vOffset(), vertical->maximum());
    test::Click(doc->fontSupport(), test::CellCentre(*doc, 223));
    EXPECT_EQ(doc->document()->CurrentCar(), 223);
    // A press on the empty places after the last cell changes nothing.
    const FontLayout& L = doc->fontLayout();
    test::Click(doc->fontSupport(),
                QPoint(L.CellLeft(223) + L.cellWidth * 3 / 2, test::CellCentre(*doc, 223).y()));
    EXPECT_EQ(doc->document()->SelectedCars(), std::vector<int32_t>({223}));
    // A zoom change lays out again and keeps one character selected.
    doc->SetZoomFactorText("8");
    EXPECT_EQ(doc->fontLayout().cellWidth, 65);
    EXPECT_EQ(vertical->value(), 0);
    EXPECT_EQ(doc->document()->SelectedCars().size(), 1u);
}

TEST(Frame, ToolbarFollowsTheActiveDocumentAndIgnoresAClosedOne) {
    test::Editor editor;
    MDIForm1& frame = *editor.frame;
    form1* a = test::NewFontThroughDialog(frame, "8", "8");
    ASSERT_NE(a, nullptr);
    test::Click(a->zoomPic(), test::PixelCentre(*a, 0, 0));
    form1* b = test::NewFontThroughDialog(frame, "8", "8");
    ASSERT_NE(b, nullptr);
    EXPECT_FALSE(frame.command(6)->isEnabled()) << "b has no history";
    frame.mdiArea()->setActiveSubWindow(frame.mdiArea()->subWindowList().first());
    EXPECT_EQ(frame.app().ActiveDoc, a->index);
    EXPECT_TRUE(frame.command(6)->isEnabled()) << "a's Undo state comes with it";
    // Close a; its toolbar target is gone until another document is activated.
    a->document()->setFlagModified(false);
    frame.CloseDocument(*a);
    QApplication::processEvents();
    frame.app().ActiveDoc = 1;  // as left by a closed document
    frame.command(6)->click();
    frame.command(4)->click();
    EXPECT_EQ(frame.app().DocCount, 1);
    EXPECT_FALSE(frame.app().ClipboardFull);
}

}  // namespace
}  // namespace pixmere
