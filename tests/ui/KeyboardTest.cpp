// The keyboard as desktop users reach for it: Return in the dialogs, access keys in every menu,
// the usual shortcuts, and the keys that move through the font window; then the mouse wheel.
#include <set>

#include "UiTestSupport.h"
#include "ui/EditWindow.h"
#include "ui/GoToDialog.h"

namespace pixmere::test {
namespace {

// Keys go where a user's would: to the frame, once it is the active window.
void Key(MDIForm1& frame, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QApplication::setActiveWindow(&frame);
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : &frame, static_cast<Qt::Key>(key), modifiers);
    Settle();
}

// Characters as a keyboard with a key for each types them.
void Type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
}

// Every item of a menu and its submenus carries an access key of its own in its menu.
void CheckAccessKeys(QMenu* menu) {
    std::set<QChar> keys;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator() || a->text().startsWith(QLatin1Char('_'))) continue;
        const auto amp = a->text().indexOf(QLatin1Char('&'));
        ASSERT_TRUE(amp >= 0 && amp + 1 < a->text().size()) << a->text().toStdString();
        EXPECT_TRUE(keys.insert(a->text()[amp + 1].toLower()).second)
            << "access key used twice: " << a->text().toStdString();
        if (a->menu()) CheckAccessKeys(a->menu());
    }
}

TEST(Keyboard, ReturnPressesOkInTheDialogsMenuItemsHaveAccessKeysAndShortcutsWork) {
    TempDir dir;
    Editor editor;
    MDIForm1& frame = *editor.frame;
    // New: Return from the downstroke list, the last field filled.
    WhenShown<Form3>([](Form3& dialog) {
        QTest::keyClicks(dialog.width1(), "8");
        QTest::keyClicks(dialog.height1(), "8");
        QTest::keyClick(dialog.Jambage(), Qt::Key_Return);
    });
    Tool(frame, kNew)->click();
    form1* doc = frame.Document(1);
    ASSERT_TRUE(doc);
    // Font Properties: Return from the magnification list applies it.
    WhenShown<Form3>([](Form3& dialog) {
        dialog.Magnificatio()->setFocus();
        dialog.Magnificatio()->setEditText("2");
        QTest::keyClick(dialog.Magnificatio(), Qt::Key_Return);
    });
    doc->action("fontparam")->trigger();
    EXPECT_EQ(doc->params().Magnification, 2);
    // Font Selection: Return in the list takes the selected font.
    WhenShown<Form4>([](Form4& selection) {
        selection.ListFnt()->setCurrentRow(1);
        QTest::keyClick(selection.ListFnt(), Qt::Key_Return);
    });
    editor.FrameMenu("ImportFON", "/usr/share/wine/fonts/sserife.fon");
    EXPECT_TRUE(frame.Document(2));

    for (const QList<QMenu*>& bar : {frame.FrameMenus(), doc->Menus()}) {
        auto* all = new QMenu(&frame);
        for (QMenu* menu : bar) all->addMenu(menu);
        CheckAccessKeys(all);
    }
    // Alt and the key open the menu.
    QApplication::setActiveWindow(&frame);
    QTest::keyClick(&frame, Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(QApplication::activePopupWidget(), frame.ActiveDocument()->Menus().first());
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();

    // The usual shortcuts reach their commands.
    Discard(frame, *frame.Document(2));
    Discard(frame, *doc);
    // Ctrl+N and Ctrl+O with no document open.
    WhenShown<Form3>([](Form3& dialog) { dialog.Cancel()->click(); });
    Key(frame, Qt::Key_N, Qt::ControlModifier);
    Key(frame, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(editor.dialogs->opens.size(), 2u);  // the first was the library's
    form1* first = NewFont(frame, {"8", "8"});
    form1* second = NewFont(frame, {"200", "4"});
    // Ctrl+0 fits the glyph to the window, whole, keeping the automatic fit.
    Key(frame, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(second->editZoom(), (second->editWindow().width() - 4) / 200);
    EXPECT_TRUE(second->FlagAutoZoom());
    // Ctrl+Shift+S asks for a file (Ctrl+S is tried after a refused import).
    editor.WillSave(dir.file("second.pzf"), 1);
    Key(frame, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(second->FileName(), Q(dir.file("second.pzf")));
    // Ctrl+Tab and Ctrl+Shift+Tab go through the documents.
    Key(frame, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(frame.ActiveDocument(), first);
    Key(frame, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(frame.ActiveDocument(), second);
    // Ctrl+W and Ctrl+F4 close the active document.
    Key(frame, Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(frame.app().DocCount, 1);
    first->document()->setFlagModified(false);
    Key(frame, Qt::Key_F4, Qt::ControlModifier);
    EXPECT_EQ(frame.app().DocCount, 0);
    // Ctrl+Q exits.
    Key(frame, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(frame.isVisible());
}

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

// A character typed in the font window, or asked for with Ctrl+G, is picked as a click on its
// cell picks it, and scrolled into view; what the font lacks changes nothing, and Go to says why.
TEST(Keyboard, TheWheelArrowsEndTypingACharacterOrGoingToItPickItAndGoToSaysWhyItCannot) {
    Editor editor;
    MDIForm1& frame = *editor.frame;
    form1* doc = NewFont(frame, {"8", "16", "20", "FE"});
    const auto picked = [doc](int code) {
        return doc->document()->SelectedCars() == std::vector<int32_t>({code - 0x20}) &&
               doc->zoomPic()->shownGlyph() == code - 0x20 && CellInView(*doc, code - 0x20);
    };
    // The arrows move the current character, Shift extends the selection, the edit window
    // follows; End scrolls the last character into view, and strokes go to it.
    const int row = doc->fontLayout().cellsPerRow;
    Click(doc->fontSupport(), CellCentre(*doc, 3));
    Key(frame, Qt::Key_Right);
    Key(frame, Qt::Key_Down);
    EXPECT_EQ(doc->zoomPic()->shownGlyph(), 4 + row);
    Key(frame, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(doc->document()->SelectedCars(), std::vector<int32_t>({3 + row, 4 + row}));
    EXPECT_EQ(doc->zoomPic()->shownGlyph(), 3 + row);
    Key(frame, Qt::Key_End);
    EXPECT_TRUE(picked(0xFE));
    Click(doc->zoomPic(), PixelCentre(*doc, 7, 15));
    EXPECT_EQ(GlyphPicture(FontOf(*doc).glyphs[0xFE - 0x20], 8)[15], ".......#");
    Type(doc->fontSupport(), QStringLiteral("M\u00ff"));  // ÿ: not in the font
    EXPECT_TRUE(picked('M'));
    Type(doc->fontSupport(), QStringLiteral("\u00fe"));  // þ, the last one
    EXPECT_TRUE(picked(0xFE));
    // The click's place counts: a zoom change finds it again.
    doc->SetZoomFactorText("4");
    EXPECT_TRUE(picked(0xFE));

    const struct {
        const char* typed;
        std::string refusal;
        int code;
    } asked[] = {
        {"41h", "", 'A'},
        {"z", "", 'z'},
        {"FF", "The font has no character FFh: it holds 20h to FEh.", 0},
        {"\u03a9", "The printer's character set has no code for this character.", 0},
        {"", "Type one character, or a character code in hexadecimal such as 41 or 41h.", 0},
    };
    for (const auto& a : asked) {
        SCOPED_TRACE(a.typed);
        WhenShown<GoToDialog>([&a](GoToDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "Go to Character");
            dialog.field()->setText(QString::fromUtf8(a.typed));
            dialog.ok()->click();
            EXPECT_EQ(dialog.isVisible(), !a.refusal.empty());  // a refusal keeps it open
            dialog.reject();
        });
        Key(frame, Qt::Key_G, Qt::ControlModifier);
        EXPECT_EQ(editor.Said(), a.refusal.empty() ? "" : "Warning Velmar Pixmere: " + a.refusal);
        EXPECT_TRUE(!a.refusal.empty() || picked(a.code));
    }
    // The wheel scrolls the font window; with Ctrl it steps the font zoom there, keeping the
    // selection in view, and presses the magnifier's + over the edit window.
    doc->SetZoomFactorText("2");
    doc->findChild<QScrollBar*>("VScroll1")->setValue(0);
    Wheel(doc->fontSupport(), -120);
    EXPECT_GT(doc->findChild<QScrollBar*>("VScroll1")->value(), 0);
    Click(doc->fontSupport(), CellCentre(*doc, 100));
    for (int n = 0; n < 2; ++n) Wheel(doc->fontSupport(), 120, Qt::ControlModifier);  // 4, 8
    EXPECT_EQ(doc->fontZoom(), 8);
    EXPECT_EQ(doc->findChild<QComboBox*>("ZoomFactor")->currentText(), "8");
    EXPECT_TRUE(CellInView(*doc, 100));
    Wheel(doc->zoomPic(), 120, Qt::ControlModifier);
    EXPECT_EQ(doc->editZoom(), 30);
}

}  // namespace
}  // namespace pixmere::test
