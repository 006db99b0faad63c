#include "ui/FileMenu.h"

#include <QAction>
#include <QMenu>

#include "formats/InputFormats.h"
#include "ui/MDIForm1.h"

namespace pixmere {

QAction* AddMenuItem(QMenu* menu, const char* name, const char* caption,
                     const QKeySequence& shortcut) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    return action;
}

FileActions BuildFileMenu(QWidget* parent, MDIForm1& frame) {
    FileActions a;
    a.menu = new QMenu(QStringLiteral("&File"), parent);
    a.New = AddMenuItem(a.menu, "New", "Create &New Font", QKeySequence(Qt::CTRL | Qt::Key_N));
    a.open = AddMenuItem(a.menu, "open", "&Open", QKeySequence(Qt::CTRL | Qt::Key_O));
    a.importMenu = a.menu->addMenu(QStringLiteral("&Import"));
    a.importMenu->menuAction()->setObjectName(QStringLiteral("Import"));
    a.fontCommands = {{a.New, FontCommand::New()}, {a.open, FontCommand::Open()}};
    // The input types with an item of their own, the TrueType face after the libraries.
    for (const InputFormat& format : InputFormats()) {
        if (!format.importItem) continue;
        a.fontCommands.append({AddMenuItem(a.importMenu, format.itemName, format.importItem),
                               FontCommand::Import(format)});
        if (format.asks == InputQuestion::LibraryFont) {
            a.fontCommands.append(
                {AddMenuItem(a.importMenu, "ImportTTF", "Font &TTF"), FontCommand::ImportTtf()});
        }
    }
    a.save = AddMenuItem(a.menu, "save", "&Save", QKeySequence(Qt::CTRL | Qt::Key_S));
    a.saveas =
        AddMenuItem(a.menu, "saveas", "Save &As", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    a.save->setEnabled(false);
    a.saveas->setEnabled(false);
    a.recentMenu = a.menu->addMenu(QStringLiteral("Recent &Files"));
    a.recentMenu->menuAction()->setObjectName(QStringLiteral("RecentFiles"));
    QObject::connect(a.recentMenu, &QMenu::aboutToShow, &frame,
                     [&frame, menu = a.recentMenu] { frame.FillRecentFiles(menu); });
    a.exit = AddMenuItem(a.menu, "exit", "E&xit", QKeySequence(Qt::CTRL | Qt::Key_Q));
    QObject::connect(a.exit, &QAction::triggered, &frame, &MDIForm1::Exit);
    return a;
}

}  // namespace pixmere
