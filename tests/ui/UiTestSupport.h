#pragma once

// The widget tests' common ground: the editor's windows and dialogs, scripted message boxes and
// dialogs, pointer gestures and the shared glyph and file helpers.
#include <gtest/gtest.h>

#include <QTest>
#include <QtWidgets>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/Font.h"
#include "support/GlyphPicture.h"
#include "support/RawNativeFile.h"
#include "support/SampleFonts.h"
#include "support/TempDir.h"
#include "ui/EditCanvas.h"
#include "ui/EditorFileCommands.h"
#include "ui/FileDialogs.h"
#include "ui/FontCanvas.h"
#include "ui/FontDialog.h"
#include "ui/Form2.h"
#include "ui/Form3.h"
#include "ui/Form4.h"
#include "ui/MDIForm1.h"
#include "ui/Prompts.h"
#include "ui/form1.h"

// Failed comparisons show texts as texts.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace pixmere::test {

inline QString Q(const std::string& text) { return QString::fromStdString(text); }

// Answers message boxes from a queue (OK when it is empty) and keeps what was asked, each as
// "<icon> <caption>: <text>".
class ScriptedPrompts : public Prompts {
public:
    QMessageBox::StandardButton Message(QWidget*, QMessageBox::Icon icon, const QString& title,
                                        const QString& text,
                                        QMessageBox::StandardButtons buttons) override;
    std::deque<QMessageBox::StandardButton> answers;
    std::vector<std::string> asked;
};

// File dialogs answered from queues (cancelled when a queue is empty).
class ScriptedDialogs : public FileDialogs {
public:
    QString OpenFileName(QWidget*, const QString& filter, const QString& startDir) override;
    SaveChoice SaveFileName(QWidget*, const QString& filter, const QString& startDir) override;
    std::deque<QString> openAnswers;
    std::deque<SaveChoice> saveAnswers;
    std::vector<std::pair<QString, QString>> opens, saves;  // filter, start folder
};

// Answers the next modal dialog of a type to show, once it waits for the user, as a person
// would. While an Editor lives, a modal dialog no answer waits for fails the test and is
// dismissed.
void WhenShownAnswer(const QMetaObject& type, std::function<void(QDialog&)> answer);
template <typename Dialog>
void WhenShown(std::function<void(Dialog&)> answer) {
    WhenShownAnswer(Dialog::staticMetaObject,
                    [answer](QDialog& dialog) { answer(static_cast<Dialog&>(dialog)); });
}

// A font dialog answered by the test; the face it opens may be one of the test's making.
class ScriptedFontDialog : public FontDialog {
public:
    std::optional<FontChoice> Choose(QWidget*) override { return answer; }
    TtfFace Open(const FontChoice& choice) override {
        return face ? *face : FontDialog::Open(choice);
    }
    std::optional<FontChoice> answer = FontChoice{"DejaVu Sans", false, false};
    std::optional<TtfFace> face;
};

// A frame with the editor's own file commands; only message boxes and the file and font
// dialogs are answered by the test.
struct Editor {
    explicit Editor(const std::string& osName = "");
    ~Editor();
    std::unique_ptr<MDIForm1> frame;
    ScriptedPrompts* prompts;
    ScriptedDialogs* dialogs;
    ScriptedFontDialog* fonts;

    void WillOpen(const std::string& path) { dialogs->openAnswers.push_back(Q(path)); }
    void WillSave(const std::string& p, int type) { dialogs->saveAnswers.push_back({Q(p), type}); }
    // Runs an item of the frame's File menu ("open", "ImportFNT", ...), its file dialog answered
    // with path when one is given.
    void FrameMenu(const char* name, const std::string& path = "");
    // The messages asked since the last call, one a line.
    std::string Said();
};

// The parameters a test types into the parameters dialog; first and last only when not empty.
struct Typed {
    QString width, height, first = "20", last = "7F", magnification = "1", downstroke = "0";
};
// Types into the parameters dialog and presses Ok; false when it stays open (a refusal).
bool FillPropertyDialog(Form3& dialog, const Typed& typed);
// The next parameters dialog filled in and Ok pressed, or Cancel when it refuses the values.
void WillFillPropertyDialog(const Typed& typed);
// The parameters dialog's fields, as "W x H down J magnif M codes FIRST-LAST", followed by
// "(range locked)" when the range cannot be changed, "(all locked)" when the size cannot either.
std::string DialogFields(const Form3& dialog);
// New on the toolbar, then the parameters dialog filled in; the new document. Throws (failing
// the test) when the dialog refuses.
form1* NewFont(MDIForm1& frame, const Typed& typed);

// Lets closed windows and dialogs go, as the event loop would.
void Settle();
// Closes a document, its changes thrown away.
void Discard(MDIForm1& frame, form1& document);

// Pointer gestures as the windows receive them: a press at the path's first point, moves
// through the others with the button held, and the release at its last.
void Drag(QWidget* widget, const std::vector<QPoint>& path,
          Qt::MouseButton button = Qt::LeftButton);
inline void Click(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    Drag(widget, {at}, button);
}

// Centre of cell index of the document's font window, in widget coordinates.
QPoint CellCentre(form1& document, int index);
// Whether cell index lies wholly in the font window's viewport.
bool CellInView(form1& document, int index);
// Centre of glyph pixel (column, row) in the document's edit window, in widget coordinates.
QPoint PixelCentre(form1& document, int column, int row);
// Picks character index in the font window and sets pixel (x, y) in the edit window.
void Draw(form1& document, int index, int x, int y);
// Glyph index of a font, or of a document's font, as picture rows joined by newlines.
std::string Picture(const Font& font, int index);
inline const Font& FontOf(form1& document) { return document.document()->font(); }
inline std::string Picture(form1& document, int index) { return Picture(FontOf(document), index); }
// The captions of a menu's items or of a menu bar's menus, without the "&" of access keys.
QStringList Captions(const QList<QAction*>& actions);

// The toolbar's buttons, "Command1" to "Command7".
enum ToolNumber { kNew = 1, kOpen, kSave, kCopy, kPaste, kUndo, kRedo };
// A toolbar button; fails the test when missing.
QToolButton* Tool(MDIForm1& frame, int n);
// The frame's window that holds a document.
inline QMdiSubWindow* WindowOf(form1& document) {
    return qobject_cast<QMdiSubWindow*>(document.parentWidget());
}

// The refusal of a damaged or unreadable font file, as the user reads it.
inline const std::string kBadFile =
    "Critical Error: This file contains errors or can not be opened.";

// How a document stands with its file: modified or saved, the type Save writes ("None" before
// it has one), the file's name and the title above the font window.
std::string FileState(form1& document);
// The document is shown with exactly the expected font, under the given window title.
void ExpectDocument(form1* document, const Font& expected, const QString& title);

}  // namespace pixmere::test
