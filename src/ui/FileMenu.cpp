#include "ui/FileMenu.h"

#include <QAction>
#include <QMenu>

#include "ui/MDIForm1.h"

namespace pixmere {

QAction* AddMenuItem(QMenu* menu, const char* name, const char* caption,
                     const QKeySequence& shortcut) {
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    return action;
}

QMenu* NewFileMenu(QWidget* parent, MDIForm1& frame, const std::function<void(FontCommand)>& run) {
    auto* file = new QMenu(QStringLiteral("File"), parent);
    auto command = [&](QMenu* menu, const char* name, const char* caption,
                       FontCommand fontCommand) {
        QObject::connect(AddMenuItem(menu, name, caption), &QAction::triggered, parent,
                         [run, fontCommand] { run(fontCommand); });
    };
    command(file, "New", "Create New Font", FontCommand::New);
    command(file, "open", "Open", FontCommand::Open);
    QMenu* import = file->addMenu(QStringLiteral("Import"));
    import->menuAction()->setObjectName(QStringLiteral("Import"));
    command(import, "ImportFNT", "Font FNT", FontCommand::ImportFnt);
    command(import, "ImportFON", "Font FON", FontCommand::ImportFon);
    command(import, "ImportTTF", "Font TTF", FontCommand::ImportTtf);
    command(import, "ImportC", "Font C File", FontCommand::ImportC);
    AddMenuItem(file, "save", "Save", QKeySequence(Qt::CTRL | Qt::Key_S))->setEnabled(false);
    AddMenuItem(file, "saveas", "Save As")->setEnabled(false);
    QObject::connect(AddMenuItem(file, "exit", "Exit"), &QAction::triggered, &frame,
                     &MDIForm1::Exit);
    return file;
}

}  // namespace pixmere
