#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>

#include "edit/GlyphClipboard.h"
#include "ui/AppState.h"
#include "ui/EditorFileCommands.h"
#include "ui/FileMenu.h"
#include "ui/Prompts.h"
#include "ui/RecentFiles.h"

class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace pixmere {

class Form6;
class HelpWindow;
class form1;

// The frame's commands: its File menu, whose New and Open are also the first two toolbar
// buttons, and the toolbar's commands on the active document.
struct FrameActions {
    FileActions file;
    // The toolbar's own: the File menus carry the keys, which two actions would make ambiguous.
    QAction* New = nullptr;
    QAction* Open = nullptr;
    QAction* Save = nullptr;
    QAction* Copy = nullptr;
    QAction* Paste = nullptr;
    QAction* Undo = nullptr;
    QAction* Redo = nullptr;
    // The frame's own "Modify Font" menu: there is no document to modify while it shows.
    QMenu* modifyMenu = nullptr;
};

// The main frame: the document slot table, the toolbar acting on the active document, the
// frame's own menus (shown while no document is active), the application clipboard, and the
// dialogs shared by all documents.
class MDIForm1 : public QMainWindow {
    Q_OBJECT
public:
    // osName comes from CheckOS and sets the number of document slots. Prompts and the file
    // commands' dialogs may be replaced (tests answer message boxes and file dialogs
    // themselves).
    explicit MDIForm1(const std::string& osName, std::unique_ptr<Prompts> prompts = nullptr,
                      std::unique_ptr<EditorFileCommands> files = nullptr);
    ~MDIForm1() override;

    AppState& app() { return app_; }
    Prompts& prompts() { return *prompts_; }
    EditorFileCommands& files() { return *files_; }
    GlyphClipboard& clipboard() { return clipboard_; }
    QMdiArea* mdiArea() const { return mdiArea_; }
    const FrameActions& actions() const { return actions_; }
    Form6* aboutBox() const;
    // Document number n while it is open.
    form1* Document(int n) const { return app_.Document(n); }
    form1* ActiveDocument() const { return app_.Document(app_.ActiveDoc); }
    QList<QMenu*> FrameMenus() const { return frameMenus_; }

    // Opens a page with the desktop's application, false when the desktop cannot (the page
    // then shows in the editor's own help window); replaceable so tests can see the path.
    std::function<bool(const QString& path)> openHelp;
    // The editor's own help window, once it has shown a page.
    HelpWindow* helpWindow() const;
    // Where Help looks for its page after the start directory, in order (HelpFolders());
    // replaceable so tests can lay pages out.
    QStringList helpFolders;

    // ---- documents ----

    // Whether a font command can have a window of its own.
    bool SlotFree() const;
    // A window for the font in the lowest free slot, shown and made the active one; nullptr
    // when every slot is taken.
    form1* Newform(OpenedFont font);
    // New, Open and the imports, from the frame's or any document's menu: the font the command
    // gives opens in a window of its own; a cancelled or refused command changes nothing.
    void RunFontCommand(FontCommand command);
    // Opens a named file as Open or the Import menu would; false when no window slot is free.
    bool OpenFile(const QString& path);
    // The font in a new window in place of document.
    void ReplaceDocument(form1& document, OpenedFont font);
    // Shows a document window (its first full refresh) and activates it.
    void ShowDocument(form1& document);
    // Closes a document window through its close event.
    void CloseDocument(form1& document);
    // The close algorithm after the prompt: frees the slot and updates the commands.
    void DocumentClosed(form1& document);

    // ---- state the documents report ----

    void ClipboardFilled();
    void FillWindowList(QMenu* menu);
    // The lowest number no other open document of the same title has.
    int FreeTitleNumber(const form1& document) const;
    // File > "Recent Files": the files last opened or saved, each opened as Open would.
    void FillRecentFiles(QMenu* menu);
    RecentFiles& recentFiles() { return recentFiles_; }

    // Which commands can run, in the frame and in every document: derived from the documents
    // and the application state, once at the end of every event that runs a command.
    void UpdateCommands();
    // How often UpdateCommands has run.
    int commandUpdates() const { return commandUpdates_; }
    // The state changed (a document's, the active window, ...): the commands follow now, or
    // once the event being handled is done.
    void DocumentStateChanged();

    // An event being handled, by the frame or a document: the commands follow when the
    // outermost one is done, not at every change on the way.
    class EventScope {
    public:
        explicit EventScope(MDIForm1& frame) : frame_(frame) { ++frame_.handling_; }
        ~EventScope() { --frame_.handling_; }
        EventScope(const EventScope&) = delete;
        EventScope& operator=(const EventScope&) = delete;

    private:
        MDIForm1& frame_;
    };

    // ---- the TrueType conversion loop ----

    // Disables the File menus of the frame and of every document and the New, Open and Save
    // buttons while a conversion lets events run. cancel stops the conversion: closing the frame
    // meanwhile calls it and closes the frame once the commands are unlocked.
    void LockFileCommands(std::function<void()> cancel);
    void UnlockFileCommands();
    bool FileCommandsLocked() const { return fileCommandsLocked_; }

public slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Cascade();
    void ArrangeIcons();
    // Help page name (a leading backslash and the file name) looked up in the start directory,
    // then in the help folders; a page found nowhere is reported.
    void Help(const QString& page);
    void About();
    void Exit();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Font files dropped on the frame open as the command line's do.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildActions();
    void BuildToolbar();
    void BuildMenus();
    // Connects a toolbar or menu command to its handler; the commands' states follow it.
    void Command(QAction* action, const std::function<void()>& handler);
    // Runs a handler of the frame's; the commands follow once it is done.
    void Handle(const std::function<void()>& handler);
    // The commands follow once the events waiting now have been handled.
    void UpdateLater();
    void SubWindowActivated(QMdiSubWindow* window);
    void ShowMenus(const QList<QMenu*>& menus);
    QMdiSubWindow* SubWindowOf(form1& document) const;
    // Places a window about to be shown for the first time.
    void PlaceNewWindow(QMdiSubWindow* window);
    // Closes every document in slot order; false when one close was cancelled.
    bool CloseAllDocuments();

    AppState app_;
    std::unique_ptr<Prompts> prompts_;
    std::unique_ptr<EditorFileCommands> files_;
    GlyphClipboard clipboard_;
    RecentFiles recentFiles_;
    QMdiArea* mdiArea_;
    FrameActions actions_;
    QList<QMenu*> frameMenus_;
    QPointer<Form6> about_;
    QPointer<HelpWindow> helpWindow_;
    QMdiSubWindow* menusOf_ = nullptr;
    QPointer<QMdiSubWindow> lastPlaced_;
    bool fileCommandsLocked_ = false;
    std::function<void()> cancelLockedCommand_;
    bool closeAfterUnlock_ = false;
    int handling_ = 0;  // events being handled
    bool updatePending_ = false;
    bool settingModified_ = false;
    int commandUpdates_ = 0;
};

}  // namespace pixmere
