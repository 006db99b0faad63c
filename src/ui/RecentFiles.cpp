#include "ui/RecentFiles.h"

#include <QFileInfo>
#include <QSettings>

namespace pixmere {

namespace {
const QString kKey = QStringLiteral("RecentFiles");
}

RecentFiles::RecentFiles() : files_(QSettings().value(kKey).toStringList()) {
    files_.removeAll(QString());
    files_ = files_.mid(0, kKept);
}

void RecentFiles::Add(const QString& path) {
    const QString file = QFileInfo(path).absoluteFilePath();
    files_.removeAll(file);
    files_.prepend(file);
    files_ = files_.mid(0, kKept);
    QSettings().setValue(kKey, files_);
}

}  // namespace pixmere
