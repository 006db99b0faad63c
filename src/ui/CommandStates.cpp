// Which commands can run: the one place that decides, for the frame and every document window,
// from the documents and the application state. It runs once after every event that runs a
// command, so no handler sets an enabled state of its own.
#include "ui/CommandStates.h"

#include <QAction>
#include <QCheckBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QToolButton>

#include "edit/FontGeometry.h"
#include "ui/DocumentActions.h"
#include "ui/EditWindow.h"
#include "ui/MDIForm1.h"
#include "ui/form1.h"

namespace pixmere {

CommandStates DeriveCommandStates(const ApplicationFacts& app,
                                  std::span<const DocumentFacts> documents) {
    const bool slotFree = !(app.limitWindows && app.documents >= app.docMax);
    const bool fontCommands = slotFree && !app.converting;
    CommandStates states;
    for (const DocumentFacts& doc : documents) {
        DocumentCommandStates& d = states.documents.emplace_back();
        d.fileMenu = !app.converting;
        d.fontCommands = fontCommands;
        d.recentFiles = fontCommands && app.recentFiles;
        d.paste = app.clipboardFull;
        d.undo = doc.undo;
        d.redo = doc.redo;
        for (std::size_t c = 0; c < d.geometry.size(); ++c) {
            d.geometry[c] = GeometryAllowed(doc.params, static_cast<GeometryCommand>(c));
        }
        d.otherWindows = app.documents > 1;
        d.zoomIn = doc.zoomIn;
        d.zoomOut = doc.zoomOut;
        d.magnifier = doc.params.Magnification != 1;
        d.outline = doc.outlines;
    }
    FrameCommandStates& f = states.frame;
    const bool anyFont = app.documents > 0;
    f.fileMenu = !app.converting;
    f.fontCommands = fontCommands;
    f.recentFiles = fontCommands && app.recentFiles;
    f.save = anyFont && !app.converting;
    f.copy = anyFont;
    f.paste = app.clipboardFull && anyFont;
    const bool active = app.active >= 0 && app.active < static_cast<int>(documents.size());
    f.undo = active && documents[static_cast<std::size_t>(app.active)].undo;
    f.redo = active && documents[static_cast<std::size_t>(app.active)].redo;
    return states;
}

namespace {

void ApplyDocumentStates(form1& window, const DocumentCommandStates& s) {
    const DocumentActions& a = window.actions();
    a.file.menu->menuAction()->setEnabled(s.fileMenu);
    for (QAction* fontCommand : {a.file.New, a.file.open, a.file.importMenu->menuAction()}) {
        fontCommand->setEnabled(s.fontCommands);
    }
    a.file.recentMenu->menuAction()->setEnabled(s.recentFiles);
    a.undo->setEnabled(s.undo);
    a.redo->setEnabled(s.redo);
    a.paste->setEnabled(s.paste);
    for (const auto& [item, command] : a.GeometryItems()) {
        item->setEnabled(s.geometry[static_cast<std::size_t>(command)]);
    }
    a.nextWindow->setEnabled(s.otherWindows);
    a.previousWindow->setEnabled(s.otherWindows);
    const EditWindow& editWindow = window.editWindow();
    editWindow.zoomIn()->setEnabled(s.zoomIn);
    editWindow.zoomOut()->setEnabled(s.zoomOut);
    editWindow.magnifier()->setEnabled(s.magnifier);
    editWindow.outline()->setEnabled(s.outline);
    // Not a command, but state every command may change: the title's mark of a changed font.
    // Set only when it changes, as every setting redraws the window's title bar.
    if (window.isWindowModified() != window.FlagModified()) {
        window.setWindowModified(window.FlagModified());
    }
}

}  // namespace

void MDIForm1::UpdateCommands() {
    updatePending_ = false;
    ++commandUpdates_;
    ApplicationFacts app{app_.DocCount,
                         app_.DocMax,
                         app_.LimitWindows,
                         fileCommandsLocked_,
                         app_.ClipboardFull,
                         -1,
                         !recentFiles_.Files().isEmpty()};
    std::vector<form1*> windows;
    std::vector<DocumentFacts> facts;
    for (form1* document : app_.DocList) {
        if (!document) continue;
        if (document->index() == app_.ActiveDoc) app.active = static_cast<int>(facts.size());
        windows.push_back(document);
        const EditWindow& e = document->editWindow();
        facts.push_back({document->params(), document->UndoEnabled(), document->RedoEnabled(),
                         e.CanZoomIn(), e.CanZoomOut(), document->document()->HasSourceOutlines()});
    }
    const CommandStates states = DeriveCommandStates(app, facts);
    for (std::size_t i = 0; i < windows.size(); ++i) {
        ApplyDocumentStates(*windows[i], states.documents[i]);
    }
    const FrameActions& a = actions_;
    const FrameCommandStates& f = states.frame;
    a.file.menu->menuAction()->setEnabled(f.fileMenu);
    for (QAction* fontCommand :
         {a.file.New, a.file.open, a.file.importMenu->menuAction(), a.New, a.Open}) {
        fontCommand->setEnabled(f.fontCommands);
    }
    a.file.recentMenu->menuAction()->setEnabled(f.recentFiles);
    a.Save->setEnabled(f.save);
    a.Copy->setEnabled(f.copy);
    a.Paste->setEnabled(f.paste);
    a.Undo->setEnabled(f.undo);
    a.Redo->setEnabled(f.redo);
    // The frame's menus show while no document is active: nothing to modify then.
    for (QAction* item : a.modifyMenu->actions()) item->setEnabled(false);
    // A maximised document's title shows in the frame's, with its mark of a changed font.
    const QMdiSubWindow* shown = mdiArea_->activeSubWindow();
    const auto* maximised =
        shown && shown->isMaximized() ? qobject_cast<form1*>(shown->widget()) : nullptr;
    const bool modified = maximised && maximised->FlagModified();
    if (isWindowModified() != modified) {
        settingModified_ = true;
        setWindowModified(modified);
        settingModified_ = false;
    }
}

}  // namespace pixmere
