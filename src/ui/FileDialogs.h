#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace pixmere {

class Form4;

// What the save-file dialog returns: the path (empty when cancelled) and the chosen file type,
// numbered from 1 in the order of the filter (0 when none).
struct SaveChoice {
    QString path;
    int type = 0;
};

// The file dialogs of the file commands and the way the font selection dialog is shown. Filters
// are written as pairs "Description|pattern|Description|pattern"; the dialogs show them as
// "Description (pattern)". Tests replace this so that no dialog waits for a person.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    // The open-file dialog; an empty path when it was cancelled.
    virtual QString OpenFileName(QWidget* parent, const QString& filter, const QString& startDir);
    // The save-file dialog, with an empty file name. It never asks about overwriting: the
    // caller asks its own question.
    virtual SaveChoice SaveFileName(QWidget* parent, const QString& filter,
                                    const QString& startDir);
    // Shows the font selection of a library; the dialog itself carries the command on when the
    // user answers. The editor shows it modeless.
    virtual void ShowFontSelection(Form4& dialog);
};

// "A|*.a|B|*.b" as the name filters "A (*.a)", "B (*.b)".
QStringList NameFilters(const QString& filter);

}  // namespace pixmere
