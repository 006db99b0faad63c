#include "ui/HelpPages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace pixmere {

QStringList HelpFolders() {
    const QString prefix = QCoreApplication::applicationDirPath() + QStringLiteral("/..");
    return {QDir::cleanPath(prefix + QStringLiteral("/share/pixmere/help")),
            QStringLiteral(PIXMERE_HELP_SOURCE_DIR)};
}

QString FindHelpPage(const QString& name, const QStringList& folders) {
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(name);
        if (QFileInfo(path).isFile()) return path;
    }
    return {};
}

QString MissingHelpMessage(const QString& name, const QStringList& folders) {
    QString text =
        QStringLiteral("The help page \"%1\" was not found. It was looked for in:").arg(name);
    for (const QString& folder : folders)
        text += QLatin1Char('\n') + QDir::toNativeSeparators(folder);
    return text;
}

}  // namespace pixmere
