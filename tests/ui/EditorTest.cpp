// The frame and the document windows driven as a user drives them: toolbar, menus, pointer and
// dialogs. What the engine makes of the events is tested with the engine.
#include <sstream>

#include "UiTestSupport.h"
#include "ui/EditWindow.h"
#include "ui/EditZoom.h"
#include "ui/Form5.h"
#include "ui/HelpWindow.h"

namespace pixmere::test {
namespace {

// The toolbar's enabled buttons as digits 1-7, '-' where disabled.
std::string Toolbar(MDIForm1& frame) {
    std::string state;
    for (int n = 1; n <= 7; ++n) state += Tool(frame, n)->isEnabled() ? char('0' + n) : '-';
    return state;
}

// Rows of blank glyph pixels with the given rows set.
std::string Glyph(int width, int height, std::map<int, std::string> rows = {}) {
    std::vector<std::string> picture(static_cast<std::size_t>(height), std::string(width, '.'));
    for (const auto& [y, row] : rows) picture[static_cast<std::size_t>(y)] = row;
    return Joined(picture);
}

// F1 opens the page of the window in focus; a desktop that cannot open it leaves it to a help
// window of the editor's own, whose links, Back and Forward work.
TEST(Help, F1OpensTheFocusedWindowsPageThenNewAndFontPropertiesAsk) {
    Editor editor;
    MDIForm1& frame = *editor.frame;
    frame.app().startDir = PIXMERE_TESTS_DIR "/../packaging/help";
    frame.openHelp = [](const QString&) { return false; };
    QApplication::setActiveWindow(&frame);
    QTest::keyClick(&frame, Qt::Key_F1);
    HelpWindow* help = frame.helpWindow();
    ASSERT_NE(help, nullptr);
    QTextBrowser* page = help->browser();
    EXPECT_EQ(page->source().fileName(), "Help.htm");
    EXPECT_EQ(help->windowTitle(), "Pixmere Help");
    EXPECT_FALSE(help->back()->isEnabled());
    page->setSource(page->source().resolved(QUrl("Pixmere%20Help.htm#keys")));
    EXPECT_EQ(help->windowTitle(), "Pixmere Help: Font windows");
    help->back()->click();
    EXPECT_EQ(page->source().fileName(), "Help.htm");
    help->forward()->click();
    EXPECT_EQ(page->source().fileName(), "Pixmere Help.htm");
    help->back()->click();
    NewFont(frame, {"8", "8"});
    QApplication::setActiveWindow(&frame);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    EXPECT_EQ(page->source().fileName(), "Pixmere Help.htm");
    EXPECT_EQ(editor.Said(), "");
    Discard(frame, *frame.Document(1));

    // No window shows while New asks: its fields take only what they can hold, a refusal keeps
    // the dialog, Cancel leaves no window. A new font shows with its size and the document's
    // menus; Font Properties shows it locked, and new values turn the magnifier on and refit
    // both windows; Cancel closes nothing.
    EXPECT_EQ(Toolbar(frame), "12-----");
    WhenShown<Form3>([&](Form3& dialog) {
        EXPECT_EQ(frame.app().DocCount, 0);
        QTest::keyClicks(dialog.width1(), "9x");
        EXPECT_EQ(dialog.width1()->text(), "9");
        QTest::keyClicks(dialog.height1(), "300");  // the downstroke list then runs to 255
        EXPECT_EQ(dialog.height1()->text(), "255");
        EXPECT_EQ(dialog.Jambage()->itemText(255), "255");
        dialog.height1()->clear();  // then a downstroke as high as the cell
        EXPECT_FALSE(FillPropertyDialog(dialog, {"", "16", "20", "7F", "1", "17"}));
        EXPECT_EQ(editor.Said(),
                  "Warning Velmar Pixmere: One or several properties are empty, please "
                  "fill it with the right value");
        dialog.Cancel()->click();
    });
    Tool(frame, kNew)->click();
    EXPECT_EQ(frame.app().DocCount, 0);
    form1* doc = NewFont(frame, {"9", "16", "20", "7F", "1", "3"});
    EXPECT_EQ(doc->findChild<QLabel*>("SizeKo")->text(), "Font Size = 3077 Bytes");
    EXPECT_TRUE(doc->FlagModified());
    EXPECT_EQ(Toolbar(frame), "1234---");
    EXPECT_EQ(frame.menuBar()->actions().first(), doc->Menus().first()->menuAction());
    doc->document()->setFlagModified(false);
    WhenShown<Form3>([](Form3& dialog) {
        EXPECT_EQ(DialogFields(dialog), "9 x 16 down 3 magnif 1 codes 20-7F (all locked)");
        dialog.Magnificatio()->setEditText("3");
        dialog.Jambage()->setEditText("4");
        dialog.Ok()->click();
    });
    doc->action("fontparam")->trigger();
    EXPECT_EQ(Describe(doc->params()), "9x16 down 4 magnif 3 codes 32-127");
    EXPECT_TRUE(doc->FlagModified());
    EXPECT_TRUE(doc->findChild<QCheckBox*>("EnabMagnif")->isChecked());
    EXPECT_EQ(doc->editZoom(), 248 / (16 * 3));
    EXPECT_EQ(doc->fontLayout().cellHeight, 16 * 3 * 2 + 11);
    WhenShown<Form3>([](Form3& dialog) { dialog.Cancel()->click(); });
    doc->action("fontparam")->trigger();
    Settle();
    EXPECT_EQ(frame.Document(1), doc);
}

// Character 2 of a 5 x 4 font drawn in three strokes, each one undo step: a row drawn fast
// (the pointer's moves skip pixels, which the stroke's line fills), a pixel, and an erasing
// stroke as fast back over the row. Then the toolbar's Undo and Redo, a move and Delete.
TEST(Editing, StrokesUndoRedoMovesDeleteTransformsAndTheEditZoom) {
    Editor editor;
    MDIForm1& frame = *editor.frame;
    form1* doc = NewFont(frame, {"5", "4", "20", "3F"});
    Click(doc->fontSupport(), CellCentre(*doc, 2));
    const auto at = [doc](int x, int y) { return PixelCentre(*doc, x, y); };
    Drag(doc->zoomPic(), {at(0, 1), at(2, 1)});
    Click(doc->zoomPic(), at(0, 0));
    Drag(doc->zoomPic(), {at(1, 1), at(3, 1)}, Qt::RightButton);
    EXPECT_EQ(Picture(*doc, 2), Glyph(5, 4, {{0, "#...."}, {1, "#...."}}));
    EXPECT_EQ(Toolbar(frame), "1234-6-");
    for (int n = 0; n < 3; ++n) Tool(frame, kUndo)->click();
    EXPECT_EQ(Picture(*doc, 2), Glyph(5, 4));
    Tool(frame, kRedo)->click();
    EXPECT_EQ(Picture(*doc, 2), Glyph(5, 4, {{1, "###.."}}));
    doc->findChild<QToolButton*>("Right")->click();
    doc->findChild<QToolButton*>("Down")->click();
    EXPECT_EQ(Picture(*doc, 2), Glyph(5, 4, {{2, ".###."}}));
    doc->action("Dele")->trigger();
    EXPECT_EQ(Picture(*doc, 2), Glyph(5, 4));
    Tool(frame, kUndo)->click();
    EXPECT_EQ(Picture(*doc, 2), Glyph(5, 4, {{2, ".###."}}));

    // Each item of the Transform menu on a selection of two characters, one undo step each.
    // Characters 2 and 3, written row after row.
    const auto rows = [](const std::string& text) {
        std::vector<std::string> picture;
        std::istringstream in(text);
        for (std::string row; in >> row;) picture.push_back(row);
        return picture;
    };
    const std::string a = "##... #.#.. #.... .....", b = "..... ..... ..... ....#";
    const std::vector<std::string> blank(4, ".....");
    doc = frame.Newform(
        OpenedFont(FontFromPictures(Shape(5, 4, 0x20, 4), {blank, blank, rows(a), rows(b)})));
    const auto shown = [&] { return Picture(*doc, 2) + Picture(*doc, 3); };
    const auto pictures = [&](const std::string& text) {
        const std::vector<std::string> r = rows(text);
        return Joined({r.begin(), r.begin() + 4}) + Joined({r.begin() + 4, r.end()});
    };
    const std::pair<const char*, std::string> cases[] = {
        {"FlipHorizontal", "...## ..#.# ....# ..... ..... ..... ..... #...."},
        {"FlipVertical", "..... #.... #.#.. ##... ....# ..... ..... ....."},
        {"Rotate180", "..... ....# ..#.# ...## #.... ..... ..... ....."},
        {"Invert", "..### .#.## .#### ##### ##### ##### ##### ####."},
        {"Bold", "###.. ####. ##... ..... " + b},
    };
    for (const auto& [item, expected] : cases) {
        SCOPED_TRACE(item);
        Drag(doc->fontSupport(), {CellCentre(*doc, 2), CellCentre(*doc, 3)});
        doc->action(item)->trigger();
        EXPECT_EQ(shown(), pictures(expected));
        Tool(frame, kUndo)->click();
        EXPECT_EQ(shown(), pictures(a + " " + b));
    }

    // The zoom buttons double and halve between the fitted zoom and 96; the first one pressed ends
    // the automatic fit.
    doc = NewFont(frame, {"8", "40", "20", "7F", "2", "0"});
    auto* plus = doc->findChild<QToolButton*>("ZoomPicPLUS");
    auto* minus = doc->findChild<QToolButton*>("ZoomPicMOINS");
    EXPECT_EQ(doc->editZoom(), 6);  // floor(248 / 40)
    EXPECT_FALSE(minus->isEnabled());
    for (int expected : {12, 24, 48, 96}) {
        plus->click();
        EXPECT_EQ(doc->editZoom(), expected);
        EXPECT_FALSE(doc->FlagAutoZoom());
    }
    EXPECT_FALSE(plus->isEnabled());
    EXPECT_TRUE(doc->findChild<QScrollBar*>("VScroll2")->isVisible());
    for (int n = 0; n < 4; ++n) minus->click();
    EXPECT_EQ(doc->editZoom(), 6);
    // A zoom chosen by hand survives a font zoom change; the magnifier refits.
    plus->click();
    doc->SetZoomFactorText("4");
    EXPECT_EQ(doc->editZoom(), 12);
    doc->findChild<QCheckBox*>("EnabMagnif")->setChecked(true);
    EXPECT_EQ(doc->zoomPic()->PictureSize(), QSize(8 * 3 + 4, 40 * 3 * 2 + 4));

    // The automatic fit's least zoom is 3, also for rows that need less. A glyph that fits the
    // window's width but not with the 4-pixel margin (300 of 302) gets the horizontal bar, and
    // its rows are fitted above it.
    EXPECT_EQ(NewFont(frame, {"8", "100"})->editZoom(), 3);
    form1* tight = NewFont(frame, {"20", "16"});  // zoom 15 fits 16 rows: 300 wide
    QMdiSubWindow* window = WindowOf(*tight);
    window->resize(window->width() + 302 - tight->editWindow().width(), window->height());
    Settle();
    ASSERT_EQ(tight->editWindow().width(), 302);
    EXPECT_EQ(tight->editZoom(), 14);
    EXPECT_FALSE(tight->findChild<QScrollBar*>("VScroll2")->isVisible());
    // Zoom in stays possible up to 50.
    EXPECT_TRUE(CanZoomIn(50));
    EXPECT_FALSE(CanZoomIn(51));
}

TEST(Closing, TheAnswerToThePromptDecidesAndTheLastCloseTurnsTheFrameBack) {
    TempDir dir;
    Editor editor;
    MDIForm1& frame = *editor.frame;
    const struct {
        const char* way;
        QMessageBox::StandardButton answer;
        std::string savedAs;  // the Save As dialog's answer; cancelled when empty
        bool closes;
    } ways[] = {{"cancel", QMessageBox::Cancel, "", false},
                {"yes, the save cancelled", QMessageBox::Yes, "", false},
                {"yes", QMessageBox::Yes, dir.file("closed.pzf"), true},
                {"no", QMessageBox::No, "", true}};
    form1* doc = nullptr;
    for (const auto& way : ways) {
        SCOPED_TRACE(way.way);
        if (!doc) doc = NewFont(frame, {"8", "8"});
        editor.prompts->answers = {way.answer};
        if (!way.savedAs.empty()) editor.WillSave(way.savedAs, 1);
        const int slot = doc->index();
        WindowOf(*doc)->close();
        Settle();
        EXPECT_EQ(editor.Said(),
                  "Question Velmar Pixmere: Some Fonts have been modified. Do "
                  "you want to save them?");
        doc = frame.Document(slot);  // gone when closed
        EXPECT_EQ(doc == nullptr, way.closes);
        EXPECT_TRUE(way.savedAs.empty() || std::filesystem::exists(way.savedAs));
    }
    EXPECT_EQ(Toolbar(frame), "12-----");
    EXPECT_EQ(Captions(frame.menuBar()->actions()),
              QStringList({"File", "Edit", "Modify Font", "Windows", "?"}));
    // Exit closes in slot order and stops at the document whose close is cancelled.
    NewFont(frame, {"8", "8"});
    NewFont(frame, {"8", "8"});
    editor.prompts->answers = {QMessageBox::No, QMessageBox::Cancel};
    frame.Exit();
    Settle();
    EXPECT_EQ(editor.prompts->asked.size(), 2u);
    EXPECT_EQ(frame.Document(1), nullptr);
    EXPECT_NE(frame.Document(2), nullptr);
    EXPECT_TRUE(frame.isVisible());
}

TEST(Slots, WindowsNinetyEightAllowsThreeDocumentsAndAFreedSlotIsTakenAgain) {
    Editor editor(Form5::OsName({PlatformFamily::Windows9x, 4, 10, 1998}));
    MDIForm1& frame = *editor.frame;
    form1* first = NewFont(frame, {"8", "8"});
    NewFont(frame, {"8", "8"});
    form1* third = NewFont(frame, {"8", "8"});
    EXPECT_EQ(Toolbar(frame), "--34---");
    // The last document closes; New from the first one's own menu opens a fresh window in the
    // freed slot, and the first keeps its font.
    Discard(frame, *third);
    EXPECT_EQ(Toolbar(frame), "1234---");
    WillFillPropertyDialog({"6", "6"});
    first->action("New")->trigger();
    EXPECT_EQ(frame.ActiveDocument()->index(), 3);
    EXPECT_EQ(first->params().FormatLengthCar, 8);
}

// What is being edited: the character beside the edit window, the changed mark in the title,
// the printer memory and the window list.
QString CarInfo(form1& doc) { return doc.findChild<QLabel*>("CarInfo")->text(); }

// Beside the edit window the character's code, the character where printable and the cell
// size; a changed document is marked in its title until saved.
TEST(CurrentCharacter, WindowNamesBesideTheEditWindowAndTheChangedMarkInTheTitle) {
    EXPECT_EQ(CarInfoText(0x80, 8, 8), QString::fromUtf8("80h  \u20ac  8 \u00d7 8"));
    TempDir dir;
    Editor editor;
    MDIForm1& frame = *editor.frame;
    // Windows of the same name are numbered, in their title bars and in the window list; a
    // number freed is taken again. Choosing a window from the list gives the keys to its cells.
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
    form1* doc = NewFont(frame, {"16", "24", "20", "7F"});
    EXPECT_EQ(CarInfo(*doc), QString::fromUtf8("20h  16 \u00d7 24"));
    Click(doc->fontSupport(), CellCentre(*doc, 0x21));
    EXPECT_EQ(CarInfo(*doc), QString::fromUtf8("41h  A  16 \u00d7 24"));
    doc->action("Abottom")->trigger();
    EXPECT_EQ(CarInfo(*doc), QString::fromUtf8("41h  A  16 \u00d7 25"));
    EXPECT_TRUE(doc->isWindowModified());
    EXPECT_TRUE(WindowOf(*doc)->isWindowModified());
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
    form1* other = NewFont(frame, {"8", "8"});
    WindowOf(*doc)->showMaximized();
    Discard(frame, *other);
    EXPECT_TRUE(frame.windowTitle().contains(doc->windowTitle()));
    EXPECT_TRUE(frame.isWindowModified());
}

}  // namespace
}  // namespace pixmere::test
