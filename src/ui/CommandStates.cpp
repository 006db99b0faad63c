// Which commands can run: the one place that decides, for the frame and every document window,
// from the documents and the application state. It runs after every command, so no handler sets
// an enabled state of its own.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QToolButton>

#include "ui/DocumentActions.h"
#include "ui/EditWindow.h"
#include "ui/FontCanvas.h"
#include "ui/FontWindow.h"
#include "ui/MDIForm1.h"
#include "ui/form1.h"

namespace pixmere {

namespace {

// What every document's commands depend on beyond the document itself.
struct Application {
    bool slotFree;    // a font command can have a window of its own
    bool fileLocked;  // a TrueType conversion runs
    bool clipboardFull;
    int fonts;  // documents showing a font, the ones the window keys go through
};

void UpdateDocumentCommands(form1& window, const Application& app) {
    const FontDocument* doc = window.document();
    const bool hasFont = doc != nullptr;
    const bool refreshing = window.Refreshing();
    const bool ready = hasFont && !refreshing;
    const DocumentActions& a = window.actions();

    a.file.menu->menuAction()->setEnabled(!app.fileLocked && !refreshing);
    for (QAction* fontCommand : {a.file.New, a.file.open, a.file.importMenu->menuAction()}) {
        fontCommand->setEnabled(app.slotFree);
    }
    a.file.save->setEnabled(hasFont);
    a.file.saveas->setEnabled(hasFont);

    a.editMenu->menuAction()->setEnabled(ready);
    a.undo->setEnabled(window.UndoEnabled());
    a.redo->setEnabled(window.RedoEnabled());
    a.paste->setEnabled(app.clipboardFull);

    for (const auto& [item, command] : a.GeometryItems()) {
        item->setEnabled(hasFont && doc->IsAllowed(command));
    }
    a.fontparam->setEnabled(hasFont);
    a.windowsMenu->menuAction()->setEnabled(!refreshing);
    a.closeWindow->setEnabled(!refreshing);
    a.nextWindow->setEnabled(app.fonts > 1);
    a.previousWindow->setEnabled(app.fonts > 1);
    for (QAction* move : {a.Up, a.Down, a.Leeeft, a.Right}) move->setEnabled(ready);

    const FontWindow& fontWindow = window.fontWindow();
    fontWindow.zoomFactor()->setEnabled(!refreshing);
    fontWindow.canvas()->setEnabled(hasFont);
    const EditWindow& editWindow = window.editWindow();
    editWindow.zoomIn()->setEnabled(editWindow.CanZoomIn());
    editWindow.zoomOut()->setEnabled(editWindow.CanZoomOut());
    editWindow.magnifier()->setEnabled(window.params().Magnification != 1);
    // Not a command, but state every command may change: the title's mark of a changed font.
    // Set only when it changes, as every setting redraws the window's title bar.
    if (window.isWindowModified() != window.FlagModified()) {
        window.setWindowModified(window.FlagModified());
    }
}

}  // namespace

void MDIForm1::UpdateCommands() {
    int fonts = 0;
    for (form1* document : app_.DocList) fonts += document && document->document() ? 1 : 0;
    const Application app{!(app_.LimitWindows && app_.DocCount >= app_.DocMax), fileCommandsLocked_,
                          app_.ClipboardFull, fonts};
    for (form1* document : app_.DocList) {
        if (document) UpdateDocumentCommands(*document, app);
    }
    const bool anyFont = fonts > 0;

    const FrameActions& a = actions_;
    a.file.menu->menuAction()->setEnabled(!app.fileLocked);
    for (QAction* fontCommand :
         {a.file.New, a.file.open, a.file.importMenu->menuAction(), a.New, a.Open}) {
        fontCommand->setEnabled(app.slotFree && !app.fileLocked);
    }
    a.Save->setEnabled(anyFont && !app.fileLocked);
    a.Copy->setEnabled(anyFont);
    a.Paste->setEnabled(app.clipboardFull && app_.DocCount > 0);
    // The frame's menus show while no document is active: nothing to modify then.
    for (QAction* item : a.modifyMenu->actions()) item->setEnabled(false);
    // The toolbar's Undo and Redo act on the active document.
    const form1* active = ActiveDocument();
    a.Undo->setEnabled(active && active->UndoEnabled());
    a.Redo->setEnabled(active && active->RedoEnabled());
}

}  // namespace pixmere
