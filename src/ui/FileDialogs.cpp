#include "ui/FileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>

#include "ui/Form4.h"

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
    SaveChoice choice{dialog.selectedFiles().first(),
                      static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1};
    // A name typed without an extension gets the one of the chosen type.
    const QStringList parts = filter.split(QLatin1Char('|'));
    const qsizetype pattern = 2 * qsizetype(choice.type) - 1;
    if (choice.type > 0 && pattern < parts.size() && QFileInfo(choice.path).suffix().isEmpty()) {
        choice.path += QLatin1Char('.') + parts[pattern].section(QLatin1Char('.'), -1);
    }
    return choice;
}

void FileDialogs::ShowFontSelection(Form4& dialog) {
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
}

}  // namespace pixmere
