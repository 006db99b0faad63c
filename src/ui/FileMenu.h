#pragma once

#include <QKeySequence>
#include <QList>

#include "ui/FontCommand.h"

class QAction;
class QMenu;
class QWidget;

namespace pixmere {

class MDIForm1;

// Adds an item to menu; name is the object name the windows and tests look it up by. Captions,
// in UTF-8, carry their access key after "&", which does not show.
QAction* AddMenuItem(QMenu* menu, const char* name, const char* caption,
                     const QKeySequence& shortcut = {});

// The File menu of the frame and of every document window, so both offer the same commands.
// Exit closes the frame; the owner connects the others. Save and Save As start disabled.
struct FileActions {
    QMenu* menu = nullptr;
    QMenu* importMenu = nullptr;  // "Import", its menu action named "Import"
    QAction* New = nullptr;
    QAction* open = nullptr;
    QAction* save = nullptr;
    QAction* saveas = nullptr;
    QMenu* recentMenu = nullptr;  // "Recent Files", filled as it opens
    QAction* exit = nullptr;

    // The font commands and their actions: New, Open and the imports.
    QList<std::pair<QAction*, FontCommand>> FontCommands() const { return fontCommands; }
    QList<std::pair<QAction*, FontCommand>> fontCommands;
};

FileActions BuildFileMenu(QWidget* parent, MDIForm1& frame);

}  // namespace pixmere
