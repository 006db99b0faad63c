#include "ui/MDIForm1.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <algorithm>
#include <optional>

#include "ui/CommandLineFiles.h"
#include "ui/DocumentActions.h"
#include "ui/FontCanvas.h"
#include "ui/Form6.h"
#include "ui/HelpPages.h"
#include "ui/HelpWindow.h"
#include "ui/Twips.h"
#include "ui/form1.h"

// The icons are compiled into this static library; the linker keeps them only when referenced.
static void InitIconResources() { Q_INIT_RESOURCE(icons); }

namespace pixmere {

namespace {
const QString kFrameGeometryKey = QStringLiteral("Frame/geometry");
}

MDIForm1::MDIForm1(const std::string& osName, std::unique_ptr<Prompts> prompts,
                   std::unique_ptr<EditorFileCommands> files)
    : prompts_(prompts ? std::move(prompts) : std::make_unique<Prompts>()),
      files_(files ? std::move(files) : std::make_unique<EditorFileCommands>()) {
    InitIconResources();
    files_->Attach(*this);
    setObjectName(QStringLiteral("MDIForm1"));
    setWindowTitle(QStringLiteral("Velmar Pixmere"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/pixmere.png")));
    app_.osName = osName;
    app_.startDir = QDir::currentPath().toStdString();
    openHelp = [](const QString& path) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    };
    helpFolders = HelpFolders();

    setAcceptDrops(true);
    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName(QStringLiteral("mdiArea"));
    // A document window larger than the frame is scrolled to, not cut off.
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &MDIForm1::SubWindowActivated);
    BuildActions();
    BuildToolbar();
    BuildMenus();
    ShowMenus(frameMenus_);

    // Start-up state of the slot table and the flags.
    app_.LastDoc = 0;
    app_.DocMax = DocMaxFor(osName);
    app_.LimitWindows = true;
    app_.DocCount = 0;
    app_.DocList.assign(app_.DocMax, nullptr);
    app_.DocFree.assign(app_.DocMax, true);
    UpdateCommands();
    // Where and how large the frame was when the last run ended.
    if (!restoreGeometry(QSettings().value(kFrameGeometryKey).toByteArray())) resize(1000, 760);
}

MDIForm1::~MDIForm1() {
    // Documents still open when the frame goes are torn down with it, without activations.
    mdiArea_->disconnect(this);
}

Form6* MDIForm1::aboutBox() const { return about_.data(); }
HelpWindow* MDIForm1::helpWindow() const { return helpWindow_.data(); }

void MDIForm1::BuildActions() {
    FileActions& file = actions_.file;
    file = BuildFileMenu(this, *this);
    for (const auto& [action, command] : file.FontCommands()) {
        Command(action, [this, command = command] { RunFontCommand(command); });
    }
    // The toolbar's commands on the active document; the name is their tooltip too.
    auto tool = [this](QAction*& action, const char* name, void (MDIForm1::*handler)()) {
        action = new QAction(QString::fromLatin1(name), this);
        action->setObjectName(QString::fromLatin1(name));
        Command(action, [this, handler] { (this->*handler)(); });
    };
    tool(actions_.New, "Create a New Font", &MDIForm1::Command1_Click);
    tool(actions_.Open, "Open an Velmar Font", &MDIForm1::Command2_Click);
    tool(actions_.Save, "Save", &MDIForm1::Command3_Click);
    tool(actions_.Copy, "Copy", &MDIForm1::Command4_Click);
    tool(actions_.Paste, "Paste", &MDIForm1::Command5_Click);
    tool(actions_.Undo, "Undo", &MDIForm1::Command6_Click);
    tool(actions_.Redo, "Redo", &MDIForm1::Command7_Click);
}

void MDIForm1::Command(QAction* action, const std::function<void()>& handler) {
    connect(action, &QAction::triggered, this, [this, handler] { Handle(handler); });
}

void MDIForm1::Handle(const std::function<void()>& handler) {
    {
        const EventScope scope(*this);
        handler();
    }
    if (handling_ == 0) UpdateCommands();
}

void MDIForm1::DocumentStateChanged() {
    if (handling_ == 0) {
        UpdateCommands();
        return;
    }
    UpdateLater();
}

void MDIForm1::UpdateLater() {
    // An event is being handled: the update comes when it is done, unless the handler waits
    // for the user meanwhile (a dialog, a conversion), when the update must not wait for it.
    if (!updatePending_) {
        updatePending_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (updatePending_) UpdateCommands();
            },
            Qt::QueuedConnection);
    }
}

void MDIForm1::BuildToolbar() {
    const Twips t = Twips::Of(this);
    auto* bar = new QToolBar(QStringLiteral("Toolbar"), this);
    bar->setObjectName(QStringLiteral("Toolbar"));
    bar->setMovable(false);
    bar->setFloatable(false);
    auto* strip = new QWidget(bar);
    strip->setFixedSize(t.X(3030), t.Y(390));
    // Command1 to Command7, their left edges in twips: wider gaps part New, Open and Save from
    // Copy and Paste, and those from Undo and Redo.
    const struct {
        QAction* action;
        const char* icon;
        int left;
    } buttons[] = {
        {actions_.New, ":/icons/new.png", 30},       {actions_.Open, ":/icons/open.png", 360},
        {actions_.Save, ":/icons/save.png", 690},    {actions_.Copy, ":/icons/copy.png", 1350},
        {actions_.Paste, ":/icons/paste.png", 1680}, {actions_.Undo, ":/icons/undo.png", 2340},
        {actions_.Redo, ":/icons/redo.png", 2670},
    };
    int n = 1;
    for (const auto& b : buttons) {
        b.action->setIcon(QIcon(QString::fromLatin1(b.icon)));
        auto* button = new QToolButton(strip);
        button->setObjectName(QStringLiteral("Command%1").arg(n++));
        button->setDefaultAction(b.action);
        button->setIconSize(QSize(t.X(330) - 6, t.Y(330) - 6));
        button->setGeometry(t.Rect(b.left, 30, 330, 330));
    }
    bar->addWidget(strip);
    addToolBar(Qt::TopToolBarArea, bar);
}

void MDIForm1::BuildMenus() {
    // Shown for completeness while no document is open; they act on nothing.
    auto* edit = new QMenu(QStringLiteral("&Edit"), this);
    edit->menuAction()->setEnabled(false);
    AddMenuItem(edit, "undo", "&Undo");
    AddMenuItem(edit, "redo", "&Redo")->setEnabled(false);
    AddMenuItem(edit, "sep1", "__________")->setEnabled(false);
    AddMenuItem(edit, "copy", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C));
    AddMenuItem(edit, "paste", "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V));
    AddMenuItem(edit, "sep2", "__________")->setEnabled(false);

    std::array<QAction*, 9> modifyItems{};
    actions_.modifyMenu = BuildModifyMenu(this, modifyItems);

    auto* windows = new QMenu(QStringLiteral("&Windows"), this);
    windows->menuAction()->setEnabled(false);

    auto* help = new QMenu(QStringLiteral("&?"), this);
    connect(AddMenuItem(help, "help", "&Help", QKeySequence(Qt::Key_F1)), &QAction::triggered, this,
            [this] { Help(QStringLiteral("\\Help.htm")); });
    connect(AddMenuItem(help, "about", "&About"), &QAction::triggered, this, &MDIForm1::About);

    frameMenus_ = {actions_.file.menu, edit, actions_.modifyMenu, windows, help};
}

void MDIForm1::ShowMenus(const QList<QMenu*>& menus) {
    menuBar()->clear();
    for (QMenu* menu : menus) menuBar()->addMenu(menu);
}

// ---------------------------------------------------------------- documents

bool MDIForm1::SlotFree() const {
    return std::find(app_.DocFree.begin(), app_.DocFree.end(), true) != app_.DocFree.end();
}

form1* MDIForm1::Newform(OpenedFont font) {
    const auto free = std::find(app_.DocFree.begin(), app_.DocFree.end(), true);
    if (free == app_.DocFree.end()) return nullptr;
    std::optional<EventScope> scope(std::in_place, *this);
    const auto slot = static_cast<std::size_t>(free - app_.DocFree.begin());
    ++app_.DocCount;
    app_.LastDoc = static_cast<uint8_t>(slot + 1);
    app_.DocFree[slot] = false;
    const QString notice = font.notice;
    if (!font.source.isEmpty()) recentFiles_.Add(font.source);
    auto* document = new form1(*this, app_.LastDoc, std::move(font));
    app_.DocList[slot] = document;
    connect(document, &form1::StateChanged, this, &MDIForm1::DocumentStateChanged);
    auto* window = new QMdiSubWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWidget(document);
    window->setWindowIcon(document->windowIcon());
    // The document's Windows menu carries the keys that close and switch windows.
    for (QAction* item : window->systemMenu()->actions()) item->setShortcuts({});
    mdiArea_->addSubWindow(window);
    window->hide();  // until its first full refresh
    app_.ActiveDoc = document->index();
    document->Start();
    scope.reset();
    DocumentStateChanged();
    if (!notice.isEmpty()) {
        prompts_->Message(this, QMessageBox::Information, QString::fromLatin1(kAppTitle), notice,
                          QMessageBox::Ok);
    }
    return document;
}

void MDIForm1::RunFontCommand(FontCommand command) {
    if (!SlotFree()) return;  // the commands are disabled then
    std::optional<OpenedFont> font;
    {
        const BusyCommand busy(app_);
        font = files_->Run(command);
    }
    if (font) Newform(std::move(*font));
}

bool MDIForm1::OpenFile(const QString& path) {
    if (!SlotFree()) return false;
    std::optional<OpenedFont> font;
    {
        const BusyCommand busy(app_);
        font = files_->OpenFile(path);
    }
    if (font) Newform(std::move(*font));
    return true;
}

void MDIForm1::ReplaceDocument(form1& document, OpenedFont font) {
    // With every slot taken the old window makes room first.
    const bool full = !SlotFree();
    if (full) CloseDocument(document);
    Newform(std::move(font));
    if (!full) CloseDocument(document);
}

QMdiSubWindow* MDIForm1::SubWindowOf(form1& document) const {
    for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
        if (window->widget() == &document) return window;
    }
    return nullptr;
}

void MDIForm1::ShowDocument(form1& document) {
    QMdiSubWindow* window = SubWindowOf(document);
    if (!window) return;
    if (!window->isVisible()) {
        window->adjustSize();
        PlaceNewWindow(window);
        window->show();
        lastPlaced_ = window;
    }
    if (mdiArea_->activeSubWindow() != window) mdiArea_->setActiveSubWindow(window);
}

void MDIForm1::PlaceNewWindow(QMdiSubWindow* window) {
    // Cascaded from the window that opened last, one title bar further down and right; back
    // at the top-left corner when that would leave the frame's view.
    QPoint at(0, 0);
    if (lastPlaced_ && lastPlaced_->isVisible() && !lastPlaced_->isMaximized()) {
        const int step = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
        at = lastPlaced_->pos() + QPoint(step, step);
        const QRect view = mdiArea_->viewport()->rect();
        if (at.x() + step * 4 > view.right() || at.y() + step * 4 > view.bottom()) {
            at = QPoint(0, 0);
        }
    }
    window->move(at);
}

void MDIForm1::CloseDocument(form1& document) {
    if (QMdiSubWindow* window = SubWindowOf(document)) window->close();
}

void MDIForm1::DocumentClosed(form1& document) {
    const int slot = document.index() - 1;
    if (slot < 0 || slot >= app_.DocMax ||
        app_.DocList[static_cast<std::size_t>(slot)] != &document) {
        return;
    }
    --app_.DocCount;
    app_.DocFree[static_cast<std::size_t>(slot)] = true;
    app_.DocList[static_cast<std::size_t>(slot)] = nullptr;
    // The window that stays active takes the toolbar, also when no activation follows.
    if (app_.ActiveDoc == document.index()) {
        QMdiSubWindow* active = mdiArea_->activeSubWindow();
        auto* stayed = active ? qobject_cast<form1*>(active->widget()) : nullptr;
        app_.ActiveDoc = stayed && stayed != &document ? stayed->index() : 0;
    }
    DocumentStateChanged();
    if (QMdiSubWindow* window = SubWindowOf(document); window == menusOf_) {
        menusOf_ = nullptr;
        ShowMenus(frameMenus_);
    }
}

void MDIForm1::LockFileCommands(std::function<void()> cancel) {
    fileCommandsLocked_ = true;
    cancelLockedCommand_ = std::move(cancel);
    UpdateCommands();  // before the user can reach them: the command now waits for him
}

void MDIForm1::UnlockFileCommands() {
    fileCommandsLocked_ = false;
    cancelLockedCommand_ = nullptr;
    DocumentStateChanged();
    if (closeAfterUnlock_) {
        closeAfterUnlock_ = false;
        QMetaObject::invokeMethod(this, &MDIForm1::close, Qt::QueuedConnection);
    }
}

void MDIForm1::SubWindowActivated(QMdiSubWindow* window) {
    form1* document = window ? qobject_cast<form1*>(window->widget()) : nullptr;
    if (document) {
        if (window != menusOf_) {
            menusOf_ = window;
            ShowMenus(document->Menus());
        }
        if (!app_.CommandBusy()) app_.ActiveDoc = document->index();
        DocumentStateChanged();
        return;
    }
    // The frame losing focus deactivates its documents too: their menus stay while any is
    // shown.
    bool anyShown = false;
    for (QMdiSubWindow* w : mdiArea_->subWindowList()) anyShown = anyShown || w->isVisible();
    if (!anyShown && menusOf_ != nullptr) {
        menusOf_ = nullptr;
        ShowMenus(frameMenus_);
    }
}

// ---------------------------------------------------------------- state the documents report

void MDIForm1::ClipboardFilled() { app_.ClipboardFull = true; }

int MDIForm1::FreeTitleNumber(const form1& document) const {
    std::vector<int> taken;
    for (const form1* other : app_.DocList) {
        if (other && other != &document && other->Title() == document.Title()) {
            taken.push_back(other->TitleNumber());
        }
    }
    int n = 1;
    while (std::find(taken.begin(), taken.end(), n) != taken.end()) ++n;
    return n;
}

void MDIForm1::FillWindowList(QMenu* menu) {
    menu->clear();
    QMdiSubWindow* active = mdiArea_->activeSubWindow();
    for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
        auto* document = qobject_cast<form1*>(window->widget());
        if (!window->isVisible() || !document) continue;
        // Documents of the same name go by their numbers: "a", "a (2)", ...
        QString text = document->NumberedTitle();
        text.replace(QLatin1Char('&'), QStringLiteral("&&"));  // no access key from the name
        QAction* a = menu->addAction(text);
        a->setCheckable(true);
        a->setChecked(window == active);
        connect(a, &QAction::triggered, this, [this, window, document] {
            if (mdiArea_->subWindowList().contains(window)) {
                if (window->isMinimized()) window->showNormal();
                mdiArea_->setActiveSubWindow(window);
                // The keys go to the cells, as after a click on them.
                document->fontSupport()->setFocus();
            }
        });
    }
}

void MDIForm1::FillRecentFiles(QMenu* menu) {
    menu->clear();
    int n = 0;
    for (const QString& path : recentFiles_.Files()) {
        QString text = QStringLiteral("&%1 %2").arg(++n).arg(path);
        // The path's own "&" shows as it is.
        text.replace(QLatin1Char('&'), QStringLiteral("&&")).replace(0, 2, QStringLiteral("&"));
        connect(menu->addAction(text), &QAction::triggered, this,
                [this, path] { Handle([&] { OpenFile(path); }); });
    }
}

void MDIForm1::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() &&
        std::all_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); })) {
        event->acceptProposedAction();
    }
}

void MDIForm1::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) paths << url.toLocalFile();
    event->acceptProposedAction();
    // After the drop has ended: the imports may ask, and the dragging application waits.
    auto* files = new CommandLineFiles(*this, paths, this);
    QMetaObject::invokeMethod(
        files,
        [this, files] {
            Handle([files] { files->OpenNext(); });
            files->deleteLater();
        },
        Qt::QueuedConnection);
}

// ---------------------------------------------------------------- toolbar

void MDIForm1::Command1_Click() { RunFontCommand(FontCommand::New()); }
void MDIForm1::Command2_Click() { RunFontCommand(FontCommand::Open()); }

// The toolbar acts on the active document; one that is no longer open gets nothing.
void MDIForm1::Command3_Click() {
    if (form1* d = ActiveDocument()) d->Save_Click();
}
void MDIForm1::Command4_Click() {
    if (form1* d = ActiveDocument()) d->copy_Click();
}
void MDIForm1::Command5_Click() {
    if (form1* d = ActiveDocument()) d->paste_Click();
}
void MDIForm1::Command6_Click() {
    if (form1* d = ActiveDocument()) d->undo_Click();
}
void MDIForm1::Command7_Click() {
    if (form1* d = ActiveDocument()) d->redo_Click();
}

// ---------------------------------------------------------------- windows, help, exit

void MDIForm1::Cascade() { mdiArea_->cascadeSubWindows(); }

void MDIForm1::ArrangeIcons() {
    // Lines the minimised documents up along the bottom edge, left to right in slot order.
    int left = 0;
    int bottom = mdiArea_->viewport()->height();
    for (form1* document : app_.DocList) {
        if (!document) continue;
        QMdiSubWindow* window = SubWindowOf(*document);
        if (!window || !window->isMinimized() || !window->isVisible()) continue;
        if (left + window->width() > mdiArea_->viewport()->width() && left > 0) {
            left = 0;
            bottom -= window->height();
        }
        window->move(left, bottom - window->height());
        left += window->width();
    }
}

void MDIForm1::Help(const QString& page) {
    QString name = page;
    if (name.startsWith(QLatin1Char('\\'))) name.remove(0, 1);
    const QStringList folders = QStringList{QString::fromStdString(app_.startDir)} + helpFolders;
    const QString path = FindHelpPage(name, folders);
    if (path.isEmpty()) {
        prompts_->Message(this, QMessageBox::Warning, QString::fromLatin1(kAppTitle),
                          MissingHelpMessage(name, folders), QMessageBox::Ok);
        return;
    }
    if (openHelp(path)) return;
    // No browser, no xdg-open: the page shows in a window of our own.
    if (!helpWindow_) helpWindow_ = new HelpWindow(this);
    helpWindow_->Show(path);
}

void MDIForm1::About() {
    if (!about_) about_ = new Form6(this);
    about_->show();
    about_->raise();
}

void MDIForm1::Exit() { close(); }

bool MDIForm1::CloseAllDocuments() {
    for (int i = 0; i < app_.DocMax; ++i) {
        form1* document = app_.DocList[static_cast<std::size_t>(i)];
        if (!document) continue;
        CloseDocument(*document);
        if (app_.DocList[static_cast<std::size_t>(i)] == document) return false;
    }
    return true;
}

void MDIForm1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // A maximised window that goes restores the frame's title as it found it, its mark of a
    // changed font with it, even while another maximised window shows a changed font.
    if (event->type() == QEvent::ModifiedChange && !settingModified_) UpdateLater();
}

void MDIForm1::closeEvent(QCloseEvent* event) {
    // The window a conversion fills must outlive the conversion: stop it first.
    if (fileCommandsLocked_) {
        closeAfterUnlock_ = true;
        if (cancelLockedCommand_) cancelLockedCommand_();
        event->ignore();
        return;
    }
    if (!CloseAllDocuments()) {
        event->ignore();
        return;
    }
    if (about_) about_->close();
    if (helpWindow_) helpWindow_->close();
    QSettings().setValue(kFrameGeometryKey, saveGeometry());
    event->accept();
}

}  // namespace pixmere
