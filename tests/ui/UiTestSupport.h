#pragma once

#include <QMessageBox>
#include <QPoint>
#include <QString>
#include <deque>
#include <memory>
#include <vector>

#include "ui/FileCommands.h"
#include "ui/MDIForm1.h"
#include "ui/Prompts.h"

class QWidget;

namespace pixmere::test {

// Answers message boxes from a queue (OK when it is empty) and keeps what was asked.
class ScriptedPrompts : public Prompts {
public:
    struct Asked {
        QMessageBox::Icon icon;
        QString text;
    };
    QMessageBox::StandardButton Message(QWidget*, QMessageBox::Icon icon, const QString&,
                                        const QString& text,
                                        QMessageBox::StandardButtons buttons) override;
    std::deque<QMessageBox::StandardButton> answers;
    std::vector<Asked> asked;
};

// File commands whose Save As succeeds or is cancelled as the test says.
class FakeFiles : public FileCommands {
public:
    bool SaveAs(form1&) override {
        ++saveAsCalls;
        return saveAsSucceeds;
    }
    bool saveAsSucceeds = false;
    int saveAsCalls = 0;
};

// A frame with scripted prompts and fake files.
struct Editor {
    explicit Editor(const std::string& osName = "");
    ~Editor();
    std::unique_ptr<MDIForm1> frame;
    ScriptedPrompts* prompts;
    FakeFiles* files;
};

// Types into the open parameters dialog and presses Ok; returns the new document (nullptr
// when the dialog refused or nothing opened).
form1* NewFontThroughDialog(MDIForm1& frame, const QString& width, const QString& height,
                            const QString& first = "20", const QString& last = "7F",
                            const QString& magnification = "1", const QString& downstroke = "0");

// Pointer gestures as the windows receive them.
void Press(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton);
void DragTo(QWidget* widget, QPoint to, Qt::MouseButtons held = Qt::LeftButton);
void Release(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton);
void Click(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton);

// Centre of cell index of the document's font window, in widget coordinates.
QPoint CellCentre(form1& document, int index);
// Centre of glyph pixel (column, row) in the document's edit window, in widget coordinates.
QPoint PixelCentre(form1& document, int column, int row);

}  // namespace pixmere::test
