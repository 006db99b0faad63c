#pragma once

#include <QKeySequence>
#include <functional>

#include "ui/FileCommands.h"

class QAction;
class QMenu;
class QWidget;

namespace pixmere {

class MDIForm1;

// Adds an item to menu; name is the object name the windows and tests look it up by.
QAction* AddMenuItem(QMenu* menu, const char* name, const char* caption,
                     const QKeySequence& shortcut = {});

// The File menu of the frame and of every document window, so both offer the same commands:
// New, Open and the imports go to run, Exit closes the frame, and Save and Save As ("save",
// "saveas") start disabled for the owner to connect.
QMenu* NewFileMenu(QWidget* parent, MDIForm1& frame, const std::function<void(FontCommand)>& run);

}  // namespace pixmere
