#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>

#include "edit/GlyphClipboard.h"
#include "ui/AppState.h"
#include "ui/FileCommands.h"
#include "ui/FileMenu.h"
#include "ui/Prompts.h"

class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace pixmere {

class Form3;
class Form6;
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
    // osName comes from CheckOS and sets the number of document slots. Prompts and file
    // commands may be replaced (tests answer message boxes and file dialogs themselves).
    explicit MDIForm1(const std::string& osName, std::unique_ptr<Prompts> prompts = nullptr,
                      std::unique_ptr<FileCommands> files = nullptr);
    ~MDIForm1() override;

    AppState& app() { return app_; }
    Prompts& prompts() { return *prompts_; }
    FileCommands& files() { return *files_; }
    GlyphClipboard& clipboard() { return clipboard_; }
    QMdiArea* mdiArea() const { return mdiArea_; }
    const FrameActions& actions() const { return actions_; }
    // The parameters dialog while it is open.
    Form3* propertyDialog() const;
    Form6* aboutBox() const;
    // Document number n while it is open.
    form1* Document(int n) const { return app_.Document(n); }
    form1* ActiveDocument() const { return app_.Document(app_.ActiveDoc); }
    QList<QMenu*> FrameMenus() const { return frameMenus_; }

    // Opens a page with the desktop's application; replaceable so tests can see the path.
    std::function<void(const QString& path)> openHelp;
    // Where Help looks for its page after the start directory, in order (HelpFolders());
    // replaceable so tests can lay pages out.
    QStringList helpFolders;

    // ---- documents ----

    // Creates a hidden document window in the lowest free slot and makes it the active one.
    form1* Newform();
    // Frame commands New, Open and the imports: every one runs in a fresh window.
    void FrameCommand(FontCommand command);
    // Opens a named file in a fresh window as Open or the Import menu would; false when no
    // window slot is free.
    bool OpenFile(const QString& path);
    // Shows a document window (its first full refresh) and activates it.
    void ShowDocument(form1& document);
    // Closes a document window through its close event.
    void CloseDocument(form1& document);
    // The close algorithm after the prompt: frees the slot and updates the commands.
    void DocumentClosed(form1& document);
    void ShowPropertyDialog(form1& document, uint8_t mode);

    // ---- state the documents report ----

    void ClipboardFilled();
    void FillWindowList(QMenu* menu);

    // Which commands can run, in the frame and in every document: derived from the documents
    // and the application state. Every command ends with it.
    void UpdateCommands();

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

private:
    void BuildActions();
    void BuildToolbar();
    void BuildMenus();
    // Connects a toolbar or menu command to its handler; the commands' states follow it.
    void Command(QAction* action, void (MDIForm1::*handler)());
    // Runs a font command in a new window; false when no slot is free.
    bool RunInNewWindow(const std::function<void(form1&)>& command);
    void SubWindowActivated(QMdiSubWindow* window);
    void ShowMenus(const QList<QMenu*>& menus);
    QMdiSubWindow* SubWindowOf(form1& document) const;
    // Places a window about to be shown for the first time.
    void PlaceNewWindow(QMdiSubWindow* window);
    // Closes every document in slot order; false when one close was cancelled.
    bool CloseAllDocuments();

    AppState app_;
    std::unique_ptr<Prompts> prompts_;
    std::unique_ptr<FileCommands> files_;
    GlyphClipboard clipboard_;
    QMdiArea* mdiArea_;
    FrameActions actions_;
    QList<QMenu*> frameMenus_;
    QPointer<Form3> propertyDialog_;
    QPointer<Form6> about_;
    QMdiSubWindow* menusOf_ = nullptr;
    QPointer<QMdiSubWindow> lastPlaced_;
    bool fileCommandsLocked_ = false;
    std::function<void()> cancelLockedCommand_;
    bool closeAfterUnlock_ = false;
};

}  // namespace pixmere
