#include "ui/MDIForm1.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <algorithm>

#include "ui/DocumentActions.h"
#include "ui/Form3.h"
#include "ui/Form6.h"
#include "ui/HelpPages.h"
#include "ui/Twips.h"
#include "ui/form1.h"

// The icons are compiled into this static library; the linker keeps them only when referenced.
static void InitIconResources() { Q_INIT_RESOURCE(icons); }

namespace pixmere {

MDIForm1::MDIForm1(const std::string& osName, std::unique_ptr<Prompts> prompts,
                   std::unique_ptr<FileCommands> files)
    : prompts_(prompts ? std::move(prompts) : std::make_unique<Prompts>()),
      files_(files ? std::move(files) : std::make_unique<FileCommands>()) {
    InitIconResources();
    setObjectName(QStringLiteral("MDIForm1"));
    setWindowTitle(QStringLiteral("Velmar Pixmere"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/pixmere.png")));
    app_.osName = osName;
    app_.startDir = QDir::currentPath().toStdString();
    // A desktop without an application for the page shows nothing.
    openHelp = [](const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
    helpFolders = HelpFolders();

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
    app_.FreshWindow = true;
    app_.DocMax = DocMaxFor(osName);
    app_.LimitWindows = true;
    app_.DocCount = 0;
    app_.DocList.assign(app_.DocMax + 1u, nullptr);
    app_.DocFree.assign(app_.DocMax + 1u, false);
    std::fill(app_.DocFree.begin(), app_.DocFree.begin() + app_.DocMax, true);
    UpdateCommands();
    resize(1000, 760);
}

MDIForm1::~MDIForm1() {
    // Documents still open when the frame goes are torn down with it, without activations.
    mdiArea_->disconnect(this);
}

Form3* MDIForm1::propertyDialog() const { return propertyDialog_.data(); }
Form6* MDIForm1::aboutBox() const { return about_.data(); }

void MDIForm1::BuildActions() {
    FileActions& file = actions_.file;
    file = BuildFileMenu(this, *this);
    for (const auto& [action, command] : file.FontCommands()) {
        connect(action, &QAction::triggered, this, [this, command = command] {
            FrameCommand(command);
            UpdateCommands();
        });
    }
    // The toolbar's commands on the active document; the name is their tooltip too.
    auto tool = [this](QAction*& action, const char* name, void (MDIForm1::*handler)()) {
        action = new QAction(QString::fromLatin1(name), this);
        action->setObjectName(QString::fromLatin1(name));
        Command(action, handler);
    };
    tool(actions_.New, "Create a New Font", &MDIForm1::Command1_Click);
    tool(actions_.Open, "Open an Velmar Font", &MDIForm1::Command2_Click);
    tool(actions_.Save, "Save", &MDIForm1::Command3_Click);
    tool(actions_.Copy, "Copy", &MDIForm1::Command4_Click);
    tool(actions_.Paste, "Paste", &MDIForm1::Command5_Click);
    tool(actions_.Undo, "Undo", &MDIForm1::Command6_Click);
    tool(actions_.Redo, "Redo", &MDIForm1::Command7_Click);
}

void MDIForm1::Command(QAction* action, void (MDIForm1::*handler)()) {
    connect(action, &QAction::triggered, this, [this, handler] {
        (this->*handler)();
        UpdateCommands();
    });
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
    connect(AddMenuItem(help, "help", "&Help"), &QAction::triggered, this,
            [this] { Help(QStringLiteral("\\Help.htm")); });
    connect(AddMenuItem(help, "about", "&About"), &QAction::triggered, this, &MDIForm1::About);

    frameMenus_ = {actions_.file.menu, edit, actions_.modifyMenu, windows, help};
}

void MDIForm1::ShowMenus(const QList<QMenu*>& menus) {
    menuBar()->clear();
    for (QMenu* menu : menus) menuBar()->addMenu(menu);
}

// ---------------------------------------------------------------- documents

form1* MDIForm1::Newform() {
    int slot = -1;
    for (int i = 0; i < app_.DocMax; ++i) {
        if (app_.DocFree[static_cast<std::size_t>(i)]) {
            slot = i;
            break;
        }
    }
    if (slot < 0) return nullptr;  // every slot taken: the commands are disabled then
    ++app_.DocCount;
    app_.LastDoc = static_cast<uint8_t>(slot + 1);
    app_.DocFree[static_cast<std::size_t>(slot)] = false;
    auto* document = new form1(*this, app_, app_.LastDoc);
    app_.DocList[static_cast<std::size_t>(slot)] = document;
    auto* window = new QMdiSubWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWidget(document);
    window->setWindowIcon(document->windowIcon());
    // The document's Windows menu carries the keys that close and switch windows.
    for (QAction* item : window->systemMenu()->actions()) item->setShortcuts({});
    mdiArea_->addSubWindow(window);
    window->hide();  // until its first full refresh
    app_.ActiveDoc = document->index();
    UpdateCommands();
    return document;
}

void MDIForm1::FrameCommand(FontCommand command) {
    // A command handed to the last document comes straight back here with FreshWindow set;
    // when that document is closed the frame takes the command itself.
    form1* last = app_.Document(app_.LastDoc);
    if (!app_.FreshWindow && last) {
        last->RequestFontCommand(command);
        return;
    }
    RunInNewWindow([command](form1& document) { document.RunFontCommand(command); });
}

bool MDIForm1::OpenFile(const QString& path) {
    return RunInNewWindow([&path](form1& document) { document.OpenFile(path); });
}

bool MDIForm1::RunInNewWindow(const std::function<void(form1&)>& command) {
    form1* document = Newform();
    if (!document) return false;
    command(*document);
    if (app_.LastDoc != 0) app_.FreshWindow = false;
    return true;
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
    if (app_.DocCount == 0) app_.FreshWindow = true;
    // A fresh window that closes (a cancelled or failed command) was never activated, so no
    // activation hands the toolbar back to the window that stayed active: do it here.
    if (app_.ActiveDoc == document.index()) {
        QMdiSubWindow* active = mdiArea_->activeSubWindow();
        auto* stayed = active ? qobject_cast<form1*>(active->widget()) : nullptr;
        app_.ActiveDoc = stayed && stayed != &document ? stayed->index() : 0;
    }
    UpdateCommands();
    if (QMdiSubWindow* window = SubWindowOf(document); window == menusOf_) {
        menusOf_ = nullptr;
        ShowMenus(frameMenus_);
    }
}

void MDIForm1::LockFileCommands(std::function<void()> cancel) {
    fileCommandsLocked_ = true;
    cancelLockedCommand_ = std::move(cancel);
    UpdateCommands();
}

void MDIForm1::UnlockFileCommands() {
    fileCommandsLocked_ = false;
    cancelLockedCommand_ = nullptr;
    UpdateCommands();
    if (closeAfterUnlock_) {
        closeAfterUnlock_ = false;
        QMetaObject::invokeMethod(this, &MDIForm1::close, Qt::QueuedConnection);
    }
}

void MDIForm1::ShowPropertyDialog(form1& document, uint8_t mode) {
    if (propertyDialog_) return;  // one at a time; it is modal
    app_.ActiveDoc = document.index();
    app_.PropertyMode = mode;
    app_.PropertyShown = mode == 0;
    auto* dialog = new Form3(app_, *prompts_, &document, this);
    propertyDialog_ = dialog;
    connect(dialog, &QDialog::finished, this, [this] { propertyDialog_ = nullptr; });
    if (mode == 0) {
        dialog->affichform3();
    } else if (mode == 2) {
        dialog->ImportTTF();
    } else {
        dialog->NewFont();
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
        UpdateCommands();
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

void MDIForm1::ClipboardFilled() {
    app_.ClipboardFull = true;
    UpdateCommands();
}

void MDIForm1::FillWindowList(QMenu* menu) {
    menu->clear();
    QMdiSubWindow* active = mdiArea_->activeSubWindow();
    QStringList names;
    for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
        auto* document = qobject_cast<form1*>(window->widget());
        if (!window->isVisible() || !document) continue;
        // Documents of the same name are numbered in the order they opened: "a", "a (2)", ...
        names << document->Title();
        const auto same = names.count(document->Title());
        QString text = same > 1 ? QStringLiteral("%1 (%2)").arg(document->Title()).arg(same)
                                : document->Title();
        text.replace(QLatin1Char('&'), QStringLiteral("&&"));  // no access key from the name
        QAction* a = menu->addAction(text);
        a->setCheckable(true);
        a->setChecked(window == active);
        connect(a, &QAction::triggered, this, [this, window] {
            if (mdiArea_->subWindowList().contains(window)) {
                if (window->isMinimized()) window->showNormal();
                mdiArea_->setActiveSubWindow(window);
            }
        });
    }
}

// ---------------------------------------------------------------- toolbar

void MDIForm1::Command1_Click() { FrameCommand(FontCommand::New); }
void MDIForm1::Command2_Click() { FrameCommand(FontCommand::Open); }

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
    openHelp(path);
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
    event->accept();
}

}  // namespace pixmere
