#include "ui/FileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>

namespace pixmere {

QStringList NameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        filters << QStringLiteral("%1 (%2)").arg(parts[i], parts[i + 1]);
    }
    return filters;
}

QString FileDialogs::OpenFileName(QWidget* parent, const QString& filter, const QString& startDir) {
    QFileDialog dialog(parent, QStringLiteral("Open"), startDir);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(NameFilters(filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

SaveChoice FileDialogs::SaveFileName(QWidget* parent, const QString& filter,
                                     const QString& startDir) {
    const QStringList filters = NameFilters(filter);
    QFileDialog dialog(parent, QStringLiteral("Save As"), startDir);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The editor asks "File exists, overwrite?" itself.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return ResolveSaveChoice(filter, dialog.selectedFiles().first(),
                             static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1);
}

SaveChoice ResolveSaveChoice(const QString& filter, const QString& path, int selectedType) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    const QString name = QFileInfo(path).fileName();
    // The entry whose pattern ends the name, the longest when several do ("x.pcf.gz").
    int named = 0;
    qsizetype longest = 0;
    for (qsizetype i = 1; i < parts.size(); i += 2) {
        for (const QString& pattern : parts[i].split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString ending = pattern.mid(1);  // "*.bin" ends with ".bin"
            if (ending.size() > longest && name.size() > ending.size() &&
                name.endsWith(ending, Qt::CaseInsensitive)) {
                named = static_cast<int>(i / 2) + 1;
                longest = ending.size();
            }
        }
    }
    if (named > 0) return {path, named};
    SaveChoice choice{path, selectedType};
    const qsizetype pattern = 2 * qsizetype(selectedType) - 1;
    if (selectedType > 0 && pattern < parts.size() && QFileInfo(path).suffix().isEmpty()) {
        choice.path += QLatin1Char('.') + parts[pattern].section(QLatin1Char('.'), -1);
    }
    return choice;
}

}  // namespace pixmere
