#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace pixmere {

// What the save-file dialog returns: the path (empty when cancelled) and the chosen file type,
// numbered from 1 in the order of the filter (0 when none).
struct SaveChoice {
    QString path;
    int type = 0;
};

// The file dialogs of the file commands. Filters are written as pairs
// "Description|pattern|Description|pattern"; the dialogs show them as "Description (pattern)".
// Tests replace this so that no dialog waits for a person.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    // The open-file dialog; an empty path when it was cancelled.
    virtual QString OpenFileName(QWidget* parent, const QString& filter, const QString& startDir);
    // The save-file dialog, with an empty file name. It never asks about overwriting: the
    // caller asks its own question.
    virtual SaveChoice SaveFileName(QWidget* parent, const QString& filter,
                                    const QString& startDir);
};

// "A|*.a|B|*.b" as the name filters "A (*.a)", "B (*.b)".
QStringList NameFilters(const QString& filter);

// The file a save dialog's answer means: a name whose extension is that of an entry of the
// filter is saved as that entry's type, whichever type was selected; a name without an
// extension gets the selected type's.
SaveChoice ResolveSaveChoice(const QString& filter, const QString& path, int selectedType);

}  // namespace pixmere
