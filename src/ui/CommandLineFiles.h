#pragma once

#include <QObject>
#include <QStringList>

class QDialog;

namespace pixmere {

class MDIForm1;

// The files named on the editor's command line, "pixmere [FILE...]", so that the shell and
// file managers can hand it fonts. Each opens in a window of its own with the checks and
// messages of Open, or through its import as the Import menu would for a .fnt, .fon or .c file.
// They open one after another: while an import waits for the user (the font of a library, the
// cell of a C table), the next file waits for that dialog to close.
class CommandLineFiles : public QObject {
    Q_OBJECT
public:
    CommandLineFiles(MDIForm1& frame, QStringList paths, QObject* parent = nullptr);

    // Opens the files still to open until one leaves a dialog waiting.
    void OpenNext();
    // The files not opened yet.
    const QStringList& waiting() const { return paths_; }

    // The files among a program's arguments, the program's name first: every argument but the
    // options before "--" (the application has taken Qt's own), made absolute.
    static QStringList FileArguments(const QStringList& arguments);

private:
    // The dialog an import opened and waits on, if any.
    QDialog* WaitingDialog() const;

    MDIForm1& frame_;
    QStringList paths_;
};

}  // namespace pixmere
