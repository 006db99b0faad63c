#include "ui/CommandLineFiles.h"

#include <QFileInfo>

#include "ui/MDIForm1.h"
#include "ui/Prompts.h"

namespace pixmere {

CommandLineFiles::CommandLineFiles(MDIForm1& frame, QStringList paths, QObject* parent)
    : QObject(parent), frame_(frame), paths_(std::move(paths)) {}

QStringList CommandLineFiles::FileArguments(const QStringList& arguments) {
    QStringList files;
    bool options = true;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (options && arg == QLatin1String("--")) {
            options = false;
        } else if (!options || arg.size() < 2 || !arg.startsWith(QLatin1Char('-'))) {
            files << QFileInfo(arg).absoluteFilePath();
        }
    }
    return files;
}

void CommandLineFiles::OpenNext() {
    while (!paths_.isEmpty()) {
        const QString path = paths_.takeFirst();
        if (!frame_.OpenFile(path)) {
            frame_.prompts().Message(
                &frame_, QMessageBox::Warning, QString::fromLatin1(kAppTitle),
                QStringLiteral("Every window is taken: \"%1\" was not opened.").arg(path),
                QMessageBox::Ok);
        }
    }
}

}  // namespace pixmere
