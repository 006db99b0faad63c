#include "ui/DocumentActions.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <array>
#include <utility>

namespace pixmere {

QMenu* BuildModifyMenu(QWidget* parent, std::array<QAction*, 9>& items) {
    auto* modify = new QMenu(QStringLiteral("&Modify Font"), parent);
    // "Add" and "Remove", each with "Line" (Top, Bottom) and "Column" (Left, Right); the items
    // are named after the menu's initial and the side ("Atop", "Rright", ...).
    std::size_t next = 0;
    for (const auto& [caption, initial] : {std::pair{"&Add", 'A'}, std::pair{"&Remove", 'R'}}) {
        QMenu* menu = modify->addMenu(QString::fromLatin1(caption));
        QMenu* line = menu->addMenu(QStringLiteral("&Line"));
        QMenu* column = menu->addMenu(QStringLiteral("&Column"));
        const struct {
            QMenu* menu;
            const char* side;
            const char* caption;
        } places[] = {{line, "top", "&Top"},
                      {line, "bottom", "&Bottom"},
                      {column, "left", "&Left"},
                      {column, "right", "&Right"}};
        for (const auto& place : places) {
            const QByteArray name = QByteArray(1, initial) + place.side;
            items[next++] = AddMenuItem(place.menu, name.constData(), place.caption);
        }
    }
    items[next] = AddMenuItem(modify, "fontparam", "Font &Properties");
    return modify;
}

DocumentActions::DocumentActions(QWidget* window, MDIForm1& frame)
    : file(BuildFileMenu(window, frame)) {
    // A document window always has its font to save.
    file.save->setEnabled(true);
    file.saveas->setEnabled(true);
    BuildEditMenu(window);
    std::array<QAction*, 9> modify{};
    modifyMenu = BuildModifyMenu(window, modify);
    QAction** items[] = {&Atop,    &Abottom, &Aleft,  &Aright,   &Rtop,
                         &Rbottom, &Rleft,   &Rright, &fontparam};
    for (std::size_t i = 0; i < modify.size(); ++i) *items[i] = modify[i];
    BuildTransformMenu(window);
    BuildWindowsMenu(window);

    helpMenu = new QMenu(QStringLiteral("&?"), window);
    help = AddMenuItem(helpMenu, "help", "&Help", QKeySequence(Qt::Key_F1));
    about = AddMenuItem(helpMenu, "about", "&About");

    BuildMoveActions(window);
}

void DocumentActions::BuildEditMenu(QWidget* window) {
    editMenu = new QMenu(QStringLiteral("&Edit"), window);
    undo = AddMenuItem(editMenu, "undo", "&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z));
    redo = AddMenuItem(editMenu, "redo", "&Redo", QKeySequence(Qt::CTRL | Qt::Key_Y));
    editMenu->addAction(QStringLiteral("__________"))->setEnabled(false);
    copy = AddMenuItem(editMenu, "copy", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C));
    paste = AddMenuItem(editMenu, "paste", "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V));
    editMenu->addAction(QStringLiteral("__________"))->setEnabled(false);
    Dele = AddMenuItem(editMenu, "Dele", "&Del Selected Char", QKeySequence(Qt::Key_Delete));
    editMenu->addAction(QStringLiteral("__________"))->setEnabled(false);
    goTo =
        AddMenuItem(editMenu, "GoTo", "&Go to Character\u2026", QKeySequence(Qt::CTRL | Qt::Key_G));
    zoomToFit =
        AddMenuItem(editMenu, "ZoomToFit", "&Zoom to Fit", QKeySequence(Qt::CTRL | Qt::Key_0));
    // Until the history and the clipboard have something.
    for (QAction* a : {undo, redo, paste}) a->setEnabled(false);
}

void DocumentActions::BuildTransformMenu(QWidget* window) {
    transformMenu = new QMenu(QStringLiteral("&Transform"), window);
    FlipHorizontal = AddMenuItem(transformMenu, "FlipHorizontal", "Flip &Horizontal");
    FlipVertical = AddMenuItem(transformMenu, "FlipVertical", "Flip &Vertical");
    Rotate180 = AddMenuItem(transformMenu, "Rotate180", "&Rotate 180\u00b0");
    transformMenu->addSeparator();
    Invert = AddMenuItem(transformMenu, "Invert", "I&nvert");
    Bold = AddMenuItem(transformMenu, "Bold", "&Bold");
    Italic = AddMenuItem(transformMenu, "Italic", "&Italic");
    transformMenu->addSeparator();
    Slant = AddMenuItem(transformMenu, "Slant", "&Slant\u2026");
}

void DocumentActions::BuildWindowsMenu(QWidget* window) {
    windowsMenu = new QMenu(QStringLiteral("&Windows"), window);
    Cascade = AddMenuItem(windowsMenu, "Cascade", "&Cascade");
    ArrangeIcons = AddMenuItem(windowsMenu, "ArrangeIcons", "Arrange &Icons");
    openedWindows = windowsMenu->addMenu(QStringLiteral("&Opened Windows"));
    openedWindows->menuAction()->setObjectName(QStringLiteral("OpenedWindows"));
    windowsMenu->addSeparator();
    // The usual keys of a desktop for the document windows, both usual keys for closing one.
    closeWindow = AddMenuItem(windowsMenu, "CloseWindow", "C&lose");
    closeWindow->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_W), QKeySequence(Qt::CTRL | Qt::Key_F4)});
    nextWindow =
        AddMenuItem(windowsMenu, "NextWindow", "&Next", QKeySequence(Qt::CTRL | Qt::Key_Tab));
    previousWindow = AddMenuItem(windowsMenu, "PreviousWindow", "&Previous");
    // Shift+Tab arrives as Backtab on some systems.
    previousWindow->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab)});
    windowsMenu->addSeparator();
    showSample = AddMenuItem(windowsMenu, "ShowSample", "Show Sample &Text");
    showSample->setCheckable(true);
    showSample->setChecked(true);
}

void DocumentActions::BuildMoveActions(QWidget* window) {
    auto move = [window](const char* name, const char* icon) {
        auto* action =
            new QAction(QIcon(QString::fromLatin1(icon)), QString::fromLatin1(name), window);
        action->setObjectName(QString::fromLatin1(name));
        action->setToolTip(QString::fromLatin1(kMoveTip));
        return action;
    };
    Up = move("Up", ":/icons/up.png");
    Down = move("Down", ":/icons/down.png");
    Leeeft = move("Leeeft", ":/icons/left.png");
    Right = move("Right", ":/icons/right.png");
}

QList<QMenu*> DocumentActions::Menus() const {
    return {file.menu, editMenu, modifyMenu, transformMenu, windowsMenu, helpMenu};
}

QList<std::pair<QAction*, GeometryCommand>> DocumentActions::GeometryItems() const {
    return {{Atop, GeometryCommand::Atop},   {Abottom, GeometryCommand::Abottom},
            {Aleft, GeometryCommand::Aleft}, {Aright, GeometryCommand::Aright},
            {Rtop, GeometryCommand::Rtop},   {Rbottom, GeometryCommand::Rbottom},
            {Rleft, GeometryCommand::Rleft}, {Rright, GeometryCommand::Rright}};
}

QList<std::pair<QAction*, GlyphTransform>> DocumentActions::TransformItems() const {
    return {{FlipHorizontal, GlyphTransform::FlipHorizontal},
            {FlipVertical, GlyphTransform::FlipVertical},
            {Rotate180, GlyphTransform::Rotate180},
            {Invert, GlyphTransform::Invert},
            {Bold, GlyphTransform::Bold},
            {Italic, GlyphTransform::Italic}};
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
