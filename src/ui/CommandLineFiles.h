#pragma once

#include <QObject>
#include <QStringList>

namespace pixmere {

class MDIForm1;

// The files named on the editor's command line, "pixmere [FILE...]", so that the shell and
// file managers can hand it fonts. Each opens in a window of its own with the checks and
// messages of Open, or through its import as the Import menu would. They open one after
// another: an import that asks something (the font of a library, the cell of a C table) asks
// before the next file is read.
class CommandLineFiles : public QObject {
    Q_OBJECT
public:
    CommandLineFiles(MDIForm1& frame, QStringList paths, QObject* parent = nullptr);

    // Opens the files still to open.
    void OpenNext();
    // The files not opened yet.
    const QStringList& waiting() const { return paths_; }

    // The files among a program's arguments, the program's name first: every argument but the
    // options before "--" (the application has taken Qt's own), made absolute.
    static QStringList FileArguments(const QStringList& arguments);

private:
    MDIForm1& frame_;
    QStringList paths_;
};

}  // namespace pixmere
