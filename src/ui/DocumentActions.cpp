#include "ui/DocumentActions.h"

#include <QAction>
#include <QIcon>
#include <QMenu>

namespace pixmere {

DocumentActions::DocumentActions(QWidget* window, MDIForm1& frame)
    : file(BuildFileMenu(window, frame)) {
    BuildEditMenu(window);
    BuildModifyMenu(window);

    windowsMenu = new QMenu(QStringLiteral("Windows"), window);
    Cascade = AddMenuItem(windowsMenu, "Cascade", "Cascade");
    ArrangeIcons = AddMenuItem(windowsMenu, "ArrangeIcons", "Arrange Icons");
    openedWindows = windowsMenu->addMenu(QStringLiteral("Opened Windows"));
    openedWindows->menuAction()->setObjectName(QStringLiteral("OpenedWindows"));

    helpMenu = new QMenu(QStringLiteral("?"), window);
    help = AddMenuItem(helpMenu, "help", "Help");
    about = AddMenuItem(helpMenu, "about", "About");

    BuildMoveActions(window);
}

void DocumentActions::BuildEditMenu(QWidget* window) {
    editMenu = new QMenu(QStringLiteral("Edit"), window);
    undo = AddMenuItem(editMenu, "undo", "Undo", QKeySequence(Qt::CTRL | Qt::Key_Z));
    redo = AddMenuItem(editMenu, "redo", "Redo", QKeySequence(Qt::CTRL | Qt::Key_Y));
    editMenu->addAction(QStringLiteral("__________"))->setEnabled(false);
    copy = AddMenuItem(editMenu, "copy", "Copy", QKeySequence(Qt::CTRL | Qt::Key_C));
    paste = AddMenuItem(editMenu, "paste", "Paste", QKeySequence(Qt::CTRL | Qt::Key_V));
    editMenu->addAction(QStringLiteral("__________"))->setEnabled(false);
    Dele = AddMenuItem(editMenu, "Dele", "Del Selected Char", QKeySequence(Qt::Key_Delete));
    // Nothing to edit until the first full refresh.
    for (QAction* a : {editMenu->menuAction(), undo, redo, paste}) a->setEnabled(false);
}

void DocumentActions::BuildModifyMenu(QWidget* window) {
    modifyMenu = new QMenu(QStringLiteral("Modify Font"), window);
    QMenu* add = modifyMenu->addMenu(QStringLiteral("Add"));
    QMenu* addLine = add->addMenu(QStringLiteral("Line"));
    Atop = AddMenuItem(addLine, "Atop", "Top");
    Abottom = AddMenuItem(addLine, "Abottom", "Bottom");
    QMenu* addColumn = add->addMenu(QStringLiteral("Column"));
    Aleft = AddMenuItem(addColumn, "Aleft", "Left");
    Aright = AddMenuItem(addColumn, "Aright", "Right");
    QMenu* remove = modifyMenu->addMenu(QStringLiteral("Remove"));
    QMenu* removeLine = remove->addMenu(QStringLiteral("Line"));
    Rtop = AddMenuItem(removeLine, "Rtop", "Top");
    Rbottom = AddMenuItem(removeLine, "Rbottom", "Bottom");
    QMenu* removeColumn = remove->addMenu(QStringLiteral("Column"));
    Rleft = AddMenuItem(removeColumn, "Rleft", "Left");
    Rright = AddMenuItem(removeColumn, "Rright", "Right");
    fontparam = AddMenuItem(modifyMenu, "fontparam", "Font Properties");
}

void DocumentActions::BuildMoveActions(QWidget* window) {
    auto move = [window](const char* name, const char* icon) {
        auto* action =
            new QAction(QIcon(QString::fromLatin1(icon)), QString::fromLatin1(name), window);
        action->setObjectName(QString::fromLatin1(name));
        action->setToolTip(QString::fromLatin1(kMoveTip));
        action->setEnabled(false);  // until the first full refresh
        return action;
    };
    Up = move("Up", ":/icons/up.png");
    Down = move("Down", ":/icons/down.png");
    Leeeft = move("Leeeft", ":/icons/left.png");
    Right = move("Right", ":/icons/right.png");
}

QList<QMenu*> DocumentActions::Menus() const {
    return {file.menu, editMenu, modifyMenu, windowsMenu, helpMenu};
}

QList<std::pair<QAction*, GeometryCommand>> DocumentActions::GeometryItems() const {
    return {{Atop, GeometryCommand::Atop},   {Abottom, GeometryCommand::Abottom},
            {Aleft, GeometryCommand::Aleft}, {Aright, GeometryCommand::Aright},
            {Rtop, GeometryCommand::Rtop},   {Rbottom, GeometryCommand::Rbottom},
            {Rleft, GeometryCommand::Rleft}, {Rright, GeometryCommand::Rright}};
}

QAction* DocumentActions::Find(const QString& objectName) const {
    for (QMenu* menu : Menus()) {
        if (menu->menuAction()->objectName() == objectName) return menu->menuAction();
        for (QAction* a : menu->findChildren<QAction*>()) {
            if (a->objectName() == objectName) return a;
        }
    }
    return nullptr;
}

}  // namespace pixmere
