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

QList<std::pair<QAction*, FontCommand>> FileActions::FontCommands() const {
    return {{New, FontCommand::New},
            {open, FontCommand::Open},
            {ImportFNT, FontCommand::ImportFnt},
            {ImportFON, FontCommand::ImportFon},
            {ImportTTF, FontCommand::ImportTtf},
            {ImportC, FontCommand::ImportC},
            {ImportBDF, FontCommand::ImportBdfPcf},
            {ImportPSF, FontCommand::ImportPsf},
            {ImportBIN, FontCommand::ImportBin}};
}

FileActions BuildFileMenu(QWidget* parent, MDIForm1& frame) {
    FileActions a;
    a.menu = new QMenu(QStringLiteral("&File"), parent);
    a.New = AddMenuItem(a.menu, "New", "Create &New Font", QKeySequence(Qt::CTRL | Qt::Key_N));
    a.open = AddMenuItem(a.menu, "open", "&Open", QKeySequence(Qt::CTRL | Qt::Key_O));
    a.importMenu = a.menu->addMenu(QStringLiteral("&Import"));
    a.importMenu->menuAction()->setObjectName(QStringLiteral("Import"));
    a.ImportFNT = AddMenuItem(a.importMenu, "ImportFNT", "Font &FNT");
    a.ImportFON = AddMenuItem(a.importMenu, "ImportFON", "Font F&ON");
    a.ImportTTF = AddMenuItem(a.importMenu, "ImportTTF", "Font &TTF");
    a.ImportC = AddMenuItem(a.importMenu, "ImportC", "Font &C File");
    a.ImportBDF = AddMenuItem(a.importMenu, "ImportBDF", "Font B&DF / PCF");
    a.ImportPSF = AddMenuItem(a.importMenu, "ImportPSF", "Font &PSF");
    a.ImportBIN = AddMenuItem(a.importMenu, "ImportBIN", "&Bin Velmar");
    a.save = AddMenuItem(a.menu, "save", "&Save", QKeySequence(Qt::CTRL | Qt::Key_S));
    a.saveas =
        AddMenuItem(a.menu, "saveas", "Save &As", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    a.save->setEnabled(false);
    a.saveas->setEnabled(false);
    a.exit = AddMenuItem(a.menu, "exit", "E&xit", QKeySequence(Qt::CTRL | Qt::Key_Q));
    QObject::connect(a.exit, &QAction::triggered, &frame, &MDIForm1::Exit);
    return a;
}

}  // namespace pixmere
