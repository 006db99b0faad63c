#include "ui/form1.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QScrollBar>
#include <QToolButton>
#include <tuple>
#include <utility>

#include "ui/AppState.h"
#include "ui/EditCanvas.h"
#include "ui/EditZoom.h"
#include "ui/FileMenu.h"
#include "ui/FontCanvas.h"
#include "ui/MDIForm1.h"
#include "ui/Prompts.h"

namespace pixmere {

namespace {

// The document window's size in twips: every control of its layout fits inside.
constexpr int kWindowWidth = 11760;
constexpr int kWindowHeight = 7935;

const char* const kMoveTip = "Move one or several Characters inside the defined definition";

QLabel* BlueLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    label->setPalette(palette);
    return label;
}

QToolButton* PictureButton(const QString& name, const QString& icon, const QString& tip,
                           QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(QIcon(icon));
    button->setIconSize(QSize(24, 24));
    button->setToolTip(tip);
    button->setAutoRaise(false);
    return button;
}

}  // namespace

form1::form1(MDIForm1& frame, AppState& app, QWidget* parent)
    : QWidget(parent), frame_(frame), app_(app) {
    setObjectName(QStringLiteral("form1"));
    setWindowTitle(QStringLiteral("Velmar Pixmere 2.1"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/pixmere.png")));
    twips_ = Twips::Of(this);
    // The layout's sizes were made for a small dialog face; keep the text inside them.
    QFont small = font();
    small.setPointSizeF(8);
    setFont(small);
    // Document load.
    FlagAutoZoom = true;
    pending_.Magnification = 1;
    app_.PropertyShown = false;
    BuildControls();
    BuildMenus();
    ApplyNominalLayout();
    min_->hide();
    max_->hide();
    ProgressBar1_->hide();
}

form1::~form1() = default;

void form1::BuildControls() {
    const Twips& t = twips_;
    setFixedSize(t.X(kWindowWidth), t.Y(kWindowHeight));

    TitleFon_ = BlueLabel(QString(), this);
    TitleFon_->setObjectName(QStringLiteral("TitleFon"));
    TitleFon_->setGeometry(t.Rect(120, 60, 9375, 255));
    SizeKo_ = BlueLabel(QStringLiteral("Size = XXXXXX Bytes"), this);
    SizeKo_->setObjectName(QStringLiteral("SizeKo"));
    SizeKo_->setToolTip(QStringLiteral("Printer Memory Needed in the printer"));
    SizeKo_->setGeometry(t.Rect(9720, 60, 1935, 315));
    min_ = new QLabel(QStringLiteral("0%"), this);
    min_->setObjectName(QStringLiteral("min"));
    min_->setGeometry(t.Rect(8520, 0, 255, 255));
    ProgressBar1_ = new QProgressBar(this);
    ProgressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1_->setTextVisible(false);
    ProgressBar1_->setGeometry(t.Rect(8760, 60, 2295, 135));
    max_ = new QLabel(QStringLiteral("100%"), this);
    max_->setObjectName(QStringLiteral("max"));
    max_->setGeometry(t.Rect(11040, 0, 495, 255));

    ZoomFrame_ = new QGroupBox(QStringLiteral("Zoom Font"), this);
    ZoomFrame_->setGeometry(t.Rect(120, 360, 2055, 735));
    ZoomFactor_ = new QComboBox(ZoomFrame_);
    ZoomFactor_->setObjectName(QStringLiteral("ZoomFactor"));
    ZoomFactor_->addItems(
        {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("8")});
    ZoomFactor_->setCurrentIndex(-1);
    ZoomFactor_->setToolTip(
        QStringLiteral("Change the zoom factor for the whole font in the Font Window"));
    ZoomFactor_->setGeometry(t.X(600 - 120), t.Y(600 - 360), t.X(1095), t.Y(315));
    connect(ZoomFactor_, &QComboBox::activated, this, &form1::ZoomFactor_Click);

    Frame2_ = new QGroupBox(QStringLiteral("Move characters"), this);
    Frame2_->setObjectName(QStringLiteral("Frame2"));
    Frame2_->setToolTip(QString::fromLatin1(kMoveTip));
    Frame2_->setGeometry(t.Rect(120, 1200, 2055, 2175));
    auto move = [&](const char* name, const char* icon, int left, int top, void (form1::*slot)()) {
        QToolButton* button = PictureButton(QString::fromLatin1(name), QString::fromLatin1(icon),
                                            QString::fromLatin1(kMoveTip), Frame2_);
        button->setGeometry(t.X(left - 120), t.Y(top - 1200), t.X(615), t.Y(615));
        button->setEnabled(false);  // until the first full refresh
        connect(button, &QToolButton::clicked, this, slot);
        return button;
    };
    Up_ = move("Up", ":/icons/up.png", 840, 1440, &form1::Up_Click);
    Leeeft_ = move("Leeeft", ":/icons/left.png", 240, 2040, &form1::Leeeft_Click);
    Right_ = move("Right", ":/icons/right.png", 1440, 2040, &form1::Right_Click);
    Down_ = move("Down", ":/icons/down.png", 840, 2640, &form1::Down_Click);

    ZoomCharFrame_ = new QGroupBox(QStringLiteral("Zoom Character"), this);
    ZoomCharFrame_->setGeometry(t.Rect(120, 4560, 2055, 975));
    const QString zoomTip = QStringLiteral("Change the zoom in the Edit Window");
    ZoomPicMOINS_ = PictureButton(QStringLiteral("ZoomPicMOINS"),
                                  QStringLiteral(":/icons/zoomout.png"), zoomTip, ZoomCharFrame_);
    ZoomPicMOINS_->setGeometry(t.X(360 - 120), t.Y(4800 - 4560), t.X(615), t.Y(615));
    ZoomPicPLUS_ = PictureButton(QStringLiteral("ZoomPicPLUS"),
                                 QStringLiteral(":/icons/zoomin.png"), zoomTip, ZoomCharFrame_);
    ZoomPicPLUS_->setGeometry(t.X(1320 - 120), t.Y(4800 - 4560), t.X(615), t.Y(615));
    connect(ZoomPicMOINS_, &QToolButton::clicked, this, &form1::ZoomPicMOINS_Click);
    connect(ZoomPicPLUS_, &QToolButton::clicked, this, &form1::ZoomPicPLUS_Click);

    EnabMagnif_ = new QCheckBox(QStringLiteral("Show Magnification"), this);
    EnabMagnif_->setObjectName(QStringLiteral("EnabMagnif"));
    EnabMagnif_->setToolTip(
        QStringLiteral("Allow to show or not the magnification effect in the Edit Window"));
    EnabMagnif_->setGeometry(t.Rect(240, 5760, 1815, 375));
    // Room for the whole caption in the face the platform gives; the left column is free.
    EnabMagnif_->resize(std::max(EnabMagnif_->width(), EnabMagnif_->sizeHint().width()),
                        EnabMagnif_->height());
    EnabMagnif_->setEnabled(false);
    connect(EnabMagnif_, &QCheckBox::toggled, this, &form1::EnabMagnif_Click);

    // A picture's pointer reports go to its handlers; its scroll bars n move it at every step of
    // a thumb drag.
    using Handler = void (form1::*)(int, int, double, double);
    auto scrolled = [this](ScrolledPicture* picture, int n, Handler down, Handler move,
                           Handler up) {
        connect(picture, &ScrolledPicture::Pressed, this, down);
        connect(picture, &ScrolledPicture::Moved, this, move);
        connect(picture, &ScrolledPicture::Released, this, up);
        auto* vertical = new QScrollBar(Qt::Vertical, this);
        vertical->setObjectName(QStringLiteral("VScroll%1").arg(n));
        auto* horizontal = new QScrollBar(Qt::Horizontal, this);
        horizontal->setObjectName(QStringLiteral("HScroll%1").arg(n));
        horizontal->hide();
        connect(vertical, &QScrollBar::valueChanged, picture,
                [picture, horizontal](int v) { picture->SetOffsets(horizontal->value(), v); });
        connect(horizontal, &QScrollBar::valueChanged, picture,
                [picture, vertical](int h) { picture->SetOffsets(h, vertical->value()); });
        return std::pair{vertical, horizontal};
    };

    FontPic_ = new QFrame(this);
    FontPic_->setObjectName(QStringLiteral("FontPic"));
    FontPic_->setFrameShape(QFrame::NoFrame);
    FontSupport_ = new FontCanvas(FontPic_);
    FontSupport_->setEnabled(false);
    std::tie(VScroll1_, HScroll1_) =
        scrolled(FontSupport_, 1, &form1::fontsupport_MouseDown, &form1::FontSupport_MouseMove,
                 &form1::fontsupport_MouseUp);

    ZoomPicSupport_ = new QFrame(this);
    ZoomPicSupport_->setObjectName(QStringLiteral("ZoomPicSupport"));
    ZoomPicSupport_->setToolTip(QStringLiteral("Edit Window"));
    ZoomPicSupport_->setAutoFillBackground(true);
    QPalette white = ZoomPicSupport_->palette();
    white.setColor(QPalette::Window, Qt::white);
    ZoomPicSupport_->setPalette(white);
    ZoomPic_ = new EditCanvas(ZoomPicSupport_);
    std::tie(VScroll2_, HScroll2_) = scrolled(ZoomPic_, 2, &form1::ZoomPic_MouseDown,
                                              &form1::ZoomPic_MouseMove, &form1::ZoomPic_MouseUp);
    VScroll2_->hide();
}

void form1::BuildMenus() {
    auto separator = [](QMenu* menu) {
        QAction* action = menu->addAction(QStringLiteral("__________"));
        action->setEnabled(false);
    };

    fileMenu_ =
        NewFileMenu(this, frame_, [this](FontCommand command) { RequestFontCommand(command); });
    connect(fileMenu_->findChild<QAction*>(QStringLiteral("save")), &QAction::triggered, this,
            &form1::Save_Click);
    connect(fileMenu_->findChild<QAction*>(QStringLiteral("saveas")), &QAction::triggered, this,
            &form1::SaveAs_Click);

    editMenu_ = new QMenu(QStringLiteral("Edit"), this);
    editMenu_->menuAction()->setEnabled(false);  // until the first full refresh
    QAction* undo = AddMenuItem(editMenu_, "undo", "Undo", QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = AddMenuItem(editMenu_, "redo", "Redo", QKeySequence(Qt::CTRL | Qt::Key_Y));
    undo->setEnabled(false);
    redo->setEnabled(false);
    connect(undo, &QAction::triggered, this, &form1::undo_Click);
    connect(redo, &QAction::triggered, this, &form1::redo_Click);
    separator(editMenu_);
    connect(AddMenuItem(editMenu_, "copy", "Copy", QKeySequence(Qt::CTRL | Qt::Key_C)),
            &QAction::triggered, this, &form1::copy_Click);
    QAction* paste = AddMenuItem(editMenu_, "paste", "Paste", QKeySequence(Qt::CTRL | Qt::Key_V));
    paste->setEnabled(false);
    connect(paste, &QAction::triggered, this, &form1::paste_Click);
    separator(editMenu_);
    connect(AddMenuItem(editMenu_, "Dele", "Del Selected Char", QKeySequence(Qt::Key_Delete)),
            &QAction::triggered, this, &form1::Dele_Click);

    modifyMenu_ = new QMenu(QStringLiteral("Modify Font"), this);
    QMenu* add = modifyMenu_->addMenu(QStringLiteral("Add"));
    QMenu* addLine = add->addMenu(QStringLiteral("Line"));
    connect(AddMenuItem(addLine, "Atop", "Top"), &QAction::triggered, this, &form1::Atop_Click);
    connect(AddMenuItem(addLine, "Abottom", "Bottom"), &QAction::triggered, this,
            &form1::Abottom_Click);
    QMenu* addColumn = add->addMenu(QStringLiteral("Column"));
    connect(AddMenuItem(addColumn, "Aleft", "Left"), &QAction::triggered, this,
            &form1::Aleft_Click);
    connect(AddMenuItem(addColumn, "Aright", "Right"), &QAction::triggered, this,
            &form1::Aright_Click);
    QMenu* remove = modifyMenu_->addMenu(QStringLiteral("Remove"));
    QMenu* removeLine = remove->addMenu(QStringLiteral("Line"));
    connect(AddMenuItem(removeLine, "Rtop", "Top"), &QAction::triggered, this, &form1::Rtop_Click);
    connect(AddMenuItem(removeLine, "Rbottom", "Bottom"), &QAction::triggered, this,
            &form1::Rbottom_Click);
    QMenu* removeColumn = remove->addMenu(QStringLiteral("Column"));
    connect(AddMenuItem(removeColumn, "Rleft", "Left"), &QAction::triggered, this,
            &form1::Rleft_Click);
    connect(AddMenuItem(removeColumn, "Rright", "Right"), &QAction::triggered, this,
            &form1::Rright_Click);
    connect(AddMenuItem(modifyMenu_, "fontparam", "Font Properties"), &QAction::triggered, this,
            &form1::fontparam_Click);
    connect(modifyMenu_, &QMenu::aboutToShow, this, &form1::UpdateGeometryItems);

    windowsMenu_ = new QMenu(QStringLiteral("Windows"), this);
    connect(AddMenuItem(windowsMenu_, "Cascade", "Cascade"), &QAction::triggered, &frame_,
            &MDIForm1::Cascade);
    connect(AddMenuItem(windowsMenu_, "ArrangeIcons", "Arrange Icons"), &QAction::triggered,
            &frame_, &MDIForm1::ArrangeIcons);
    openedWindows_ = windowsMenu_->addMenu(QStringLiteral("Opened Windows"));
    openedWindows_->menuAction()->setObjectName(QStringLiteral("OpenedWindows"));
    connect(openedWindows_, &QMenu::aboutToShow, this,
            [this] { frame_.FillWindowList(openedWindows_); });

    helpMenu_ = new QMenu(QStringLiteral("?"), this);
    connect(AddMenuItem(helpMenu_, "help", "Help"), &QAction::triggered, this,
            [this] { frame_.Help(QStringLiteral("\\Pixmere Help.htm")); });
    connect(AddMenuItem(helpMenu_, "about", "About"), &QAction::triggered, &frame_,
            &MDIForm1::About);
}

QList<QMenu*> form1::Menus() const {
    return {fileMenu_, editMenu_, modifyMenu_, windowsMenu_, helpMenu_};
}

QAction* form1::action(const QString& objectName) const {
    for (QMenu* menu : Menus()) {
        if (menu->menuAction()->objectName() == objectName) return menu->menuAction();
        for (QAction* a : menu->findChildren<QAction*>()) {
            if (a->objectName() == objectName) return a;
        }
    }
    return nullptr;
}

void form1::ApplyNominalLayout() {
    const Twips& t = twips_;
    ZoomPicSupport_->setGeometry(t.Rect(2280, 3840, 9015, 3750));
    ZoomPic_->setGeometry(0, 0, ZoomPicSupport_->width(), ZoomPicSupport_->height());
    FontPic_->setGeometry(t.Rect(2280, 360, 9000, 3000));
    FontSupport_->setGeometry(0, 0, FontPic_->width(), FontPic_->height());
    VScroll1_->setGeometry(t.Rect(11280, 360, 255, 3015));
    HScroll1_->setGeometry(t.Rect(2280, 3360, 9015, 255));
    VScroll2_->setGeometry(t.Rect(11280, 3840, 255, 3735));
    HScroll2_->setGeometry(t.Rect(2280, 7560, 9015, 255));
}

// ---------------------------------------------------------------- font commands

void form1::RequestFontCommand(FontCommand command) {
    app_.CommandBusy = true;
    if (!app_.FreshWindow) {
        app_.FreshWindow = true;
        frame_.FrameCommand(command);
    } else {
        RunFontCommand(command);
    }
}

void form1::RunFontCommand(FontCommand command) {
    app_.CommandBusy = true;
    SetSaveEnabled(true);
    if (command == FontCommand::New) {
        New_Click();
        return;
    }
    const bool received = frame_.files().Run(command, *this);
    app_.CommandBusy = false;
    if (!received && !doc_) CloseEmpty();
}

void form1::New_Click() {
    // The window is still hidden: it shows with its first full refresh.
    ShowPropertyDialog(1);
}

void form1::ShowPropertyDialog(uint8_t mode) { frame_.ShowPropertyDialog(*this, mode); }

void form1::NewOk(const FontParams& params) {
    FontParams p = params;
    p.lastcar = static_cast<uint8_t>(p.lastCode());
    EnabMagnif_->setEnabled(p.Magnification != 1);
    app_.PropertyMode = 0;
    SetFont(MatrixToObject(p, p.blankMatrix()), true);
    // A click on the first cell makes the first character current.
    fontsupport_MouseDown(1, 0, 0, 0);
    fontsupport_MouseUp(1, 0, 0, 0);
}

void form1::SetImportParameters(const FontParams& params) {
    pending_ = params;
    EnabMagnif_->setEnabled(params.Magnification != 1);
}

void form1::StartImport(FontCommand command) {
    app_.CommandBusy = true;
    const bool received = frame_.files().ContinueImport(command, *this);
    app_.CommandBusy = false;
    if (!received && !doc_) CloseEmpty();
}

void form1::SetFont(Font font, bool modified) {
    doc_ = std::make_unique<FontDocument>(std::move(font));
    doc_->setFlagModified(modified);
    ApplyUndoRedo(doc_->UndoEnabled(), doc_->RedoEnabled());
    InitFont();
    SetZoomFactorText(QStringLiteral("2"));
}

void form1::CloseEmpty() {
    emptyClose_ = true;
    frame_.CloseDocument(*this);
}

void form1::SetTitleFon(const QString& text) { TitleFon_->setText(text); }

void form1::ApplyFontProperties(uint8_t jambon, uint8_t magnification) {
    if (!doc_) return;
    const uint8_t oldJambon = doc_->params().jambon;
    const uint8_t oldMagnification = doc_->params().Magnification;
    doc_->SetFontProperties(jambon, magnification);
    if (jambon != oldJambon) ZoomPic_->update();  // quad with the new baseline
    if (magnification != oldMagnification) {
        EnabMagnif_->setEnabled(magnification != 1);
        {
            const QSignalBlocker block(EnabMagnif_);
            EnabMagnif_->setChecked(true);
        }
        FlagAutoZoom = true;
        SetZoomFactorText(QStringLiteral("2"));
    }
    FontSupport_->setFocus();
}

// ---------------------------------------------------------------- views

void form1::InitFont() {
    // Cells are painted straight from the glyphs when they come into view: nothing to create
    // per character.
    FontSupport_->SetFont(doc_ ? &doc_->font() : nullptr);
    ZoomPic_->SetFont(doc_ ? &doc_->font() : nullptr);
}

void form1::SetZoomFactorText(const QString& text) {
    const int item = ZoomFactor_->findText(text);
    if (item < 0) return;
    ZoomFactor_->setCurrentIndex(item);
    ZoomFactor_Click();
}

void form1::ZoomFactor_Click() {
    Z_ = ZoomFactor_->currentText().toInt();
    frame_.ShowDocument(*this);
    FontSupport_->setFocus();
    RefreshFontWindow();
    if (!doc_) return;
    doc_->ClearEditReady();
    ReselectLastClick();
}

void form1::LockCommands() {
    ZoomFactor_->setEnabled(false);
    for (QToolButton* button : {Up_, Down_, Leeeft_, Right_}) button->setEnabled(false);
    fileMenu_->menuAction()->setEnabled(false);
    editMenu_->menuAction()->setEnabled(false);
    windowsMenu_->menuAction()->setEnabled(false);
}

void form1::RefreshFontWindow() {
    if (!doc_) return;
    twips_ = Twips::Of(this);
    LockCommands();
    frame_.ShowDocument(*this);
    QApplication::setOverrideCursor(Qt::WaitCursor);

    ApplyNominalLayout();
    FontSupport_->SetOffsets(0, 0);
    {
        const QSignalBlocker v(VScroll1_);
        const QSignalBlocker h(HScroll1_);
        VScroll1_->setValue(0);
        HScroll1_->setValue(0);
    }

    const FontParams& p = doc_->params();
    FontLayoutInput in;
    in.W = p.FormatLengthCar;
    in.H = p.FormatHeightCar;
    in.M = p.Magnification;
    in.Z = Z_;
    in.N = p.NbCar;
    in.tx = twips_.tx;
    in.ty = twips_.ty;
    in.windowWidth = width();
    in.vScrollWidth = VScroll1_->width();
    in.frame2Width = Frame2_->width();
    layout_ = ComputeFontLayout(in);

    FontPic_->setGeometry(layout_.viewportLeft, FontPic_->y(), layout_.viewportWidth,
                          layout_.viewportHeight);
    FontSupport_->setGeometry(0, 0, layout_.viewportWidth, layout_.viewportHeight);
    VScroll1_->move(layout_.vScrollLeft, VScroll1_->y());
    HScroll1_->setGeometry(layout_.viewportLeft, HScroll1_->y(), layout_.viewportWidth,
                           HScroll1_->height());

    min_->show();
    max_->show();
    ProgressBar1_->show();
    ProgressBar1_->setRange(0, p.NbCar);
    ProgressBar1_->setValue(0);

    VScroll1_->setRange(0, layout_.vScrollMax);
    VScroll1_->setPageStep(layout_.viewportHeight);
    VScroll1_->setSingleStep(layout_.cellHeight);
    HScroll1_->setRange(0, std::max(layout_.hScrollMax, 0));
    HScroll1_->setPageStep(layout_.viewportWidth);
    HScroll1_->setSingleStep(layout_.cellWidth);
    HScroll1_->setVisible(layout_.hScrollVisible);

    RefitEditWindow();

    // Every cell is now unselected as far as the view is concerned; the cells in view are
    // painted at once, the others when they are scrolled to.
    FontSupport_->SetLayout(layout_, Z_);
    FontSupport_->repaint();
    ProgressBar1_->setValue(p.NbCar);

    VScroll1_->setVisible(layout_.vScrollVisible);
    min_->hide();
    max_->hide();
    ProgressBar1_->hide();
    QApplication::restoreOverrideCursor();
    ZoomFactor_->setEnabled(true);
    for (QToolButton* button : {Up_, Down_, Leeeft_, Right_}) button->setEnabled(true);
    editMenu_->menuAction()->setEnabled(true);
    fileMenu_->menuAction()->setEnabled(!frame_.FileCommandsLocked());
    FontSupport_->setEnabled(true);
    ZoomPicPLUS_->setEnabled(true);
    windowsMenu_->menuAction()->setEnabled(true);
    frame_.EnableSaveCopy();

    SizeKo_->setText(QStringLiteral("Font Size = %1 Bytes")
                         .arg(PrinterMemory(p.NbByteMatrix(), p.NbCar, p.FormatHeightCar)));
    EnabMagnif_->setEnabled(p.Magnification != 1);
    UpdateGeometryItems();
}

CellLayout form1::cellLayout() const {
    return CellLayout{layout_.cellWidth, layout_.cellHeight, layout_.cellsPerRow};
}

EditView form1::editView() const { return EditView{editZoom_, EnabMagnif_->isChecked()}; }

uint8_t form1::EditMagnif() const { return EnabMagnif_->isChecked() ? params().Magnification : 1; }

void form1::ResizeZoomPic() { ZoomPic_->SetZoom(editZoom_, EditMagnif()); }

void form1::AutomaticFit() {
    editZoom_ = AutoFitZoom(ZoomPicSupport_->height(), params().FormatHeightCar, EditMagnif());
    ResizeZoomPic();
    fittedZoom_ = editZoom_;
    ZoomPicMOINS_->setEnabled(false);
    ZoomPicPLUS_->setEnabled(false);
}

void form1::RefitEditWindow() {
    if (FlagAutoZoom) {
        AutomaticFit();
        ZoomPic_->Clear();
    } else {
        ResizeZoomPic();
    }
    PlaceEditScrollBars();
}

void form1::PlaceEditScrollBars() {
    const QSize picture = ZoomPic_->PictureSize();
    const QRect viewport = ZoomPicSupport_->geometry();
    if (picture.width() < viewport.width()) {
        HScroll2_->hide();
        HScroll2_->setValue(0);
    } else {
        HScroll2_->setGeometry(viewport.left(), viewport.bottom() + 1, viewport.width(),
                               HScroll2_->height());
        HScroll2_->setRange(0, picture.width() - viewport.width() + 1);
        HScroll2_->setPageStep(viewport.width());
        HScroll2_->setSingleStep(editZoom_);
        HScroll2_->show();
    }
    if (picture.height() < viewport.height()) {
        VScroll2_->hide();
        VScroll2_->setValue(0);
    } else {
        VScroll2_->setGeometry(viewport.right() + 2, viewport.top(), VScroll2_->width(),
                               viewport.height());
        VScroll2_->setRange(0, picture.height() - viewport.height() + 1);
        VScroll2_->setPageStep(viewport.height());
        VScroll2_->setSingleStep(editZoom_ * EditMagnif());
        VScroll2_->show();
    }
}

void form1::ZoomPicPLUS_Click() {
    ZoomPic_->Clear();
    ZoomPicMOINS_->setEnabled(true);
    HScroll2_->setValue(0);
    VScroll2_->setValue(0);
    FlagAutoZoom = false;
    editZoom_ = ZoomInValue(editZoom_);
    ResizeZoomPic();
    ReselectLastClick();
    PlaceEditScrollBars();
    if (!CanZoomIn(editZoom_)) ZoomPicPLUS_->setEnabled(false);
}

void form1::ZoomPicMOINS_Click() {
    ZoomPic_->Clear();
    HScroll2_->setValue(0);
    VScroll2_->setValue(0);
    ZoomPicPLUS_->setEnabled(true);
    FlagAutoZoom = false;
    editZoom_ = ZoomOutValue(editZoom_);
    ResizeZoomPic();
    ReselectLastClick();
    PlaceEditScrollBars();
    if (!CanZoomOut(editZoom_, fittedZoom_)) ZoomPicMOINS_->setEnabled(false);
}

void form1::EnabMagnif_Click() {
    HScroll2_->setValue(0);
    VScroll2_->setValue(0);
    AutomaticFit();
    PlaceEditScrollBars();
    ZoomPic_->ShowGlyph(doc_ ? doc_->CurrentCar() : -1);
    ZoomPicPLUS_->setEnabled(true);
}

// ---------------------------------------------------------------- results of the engine

void form1::Apply(const EditResult& r) {
    for (const CellRedraw& cell : r.cells) FontSupport_->UpdateCell(cell.index);
    if (r.editRedraw) {
        ResizeZoomPic();
        ZoomPic_->ShowGlyph(r.editGlyph);
    } else if (!r.editRows.empty()) {
        ResizeZoomPic();
        if (ZoomPic_->shownGlyph() != r.editGlyph) {
            ZoomPic_->ShowGlyph(r.editGlyph);
        } else {
            for (int row : r.editRows) ZoomPic_->RefreshRow(row);
        }
    }
    if (r.clipboardFilled) frame_.ClipboardFilled();
    ApplyUndoRedo(r.undoEnabled, r.redoEnabled);
    if (r.layoutChanged) {
        HScroll2_->setValue(0);
        VScroll2_->setValue(0);
        FlagAutoZoom = true;
        RefreshFontWindow();
        ReselectLastClick();
    }
}

void form1::ReselectLastClick() {
    if (doc_) Apply(doc_->ReselectLastClick(cellLayout()));
}

void form1::ApplyUndoRedo(bool undo, bool redo) {
    UndoEnabled_ = undo;
    RedoEnabled_ = redo;
    action(QStringLiteral("undo"))->setEnabled(undo);
    action(QStringLiteral("redo"))->setEnabled(redo);
    if (app_.ActiveDoc == index) ApplyUndoRedoToFrame();
}

void form1::ApplyUndoRedoToFrame() { frame_.SetUndoRedoButtons(UndoEnabled_, RedoEnabled_); }

void form1::UpdateGeometryItems() {
    static const std::pair<const char*, GeometryCommand> items[] = {
        {"Atop", GeometryCommand::Atop},   {"Abottom", GeometryCommand::Abottom},
        {"Aleft", GeometryCommand::Aleft}, {"Aright", GeometryCommand::Aright},
        {"Rtop", GeometryCommand::Rtop},   {"Rbottom", GeometryCommand::Rbottom},
        {"Rleft", GeometryCommand::Rleft}, {"Rright", GeometryCommand::Rright},
    };
    for (const auto& [name, command] : items) {
        action(QString::fromLatin1(name))->setEnabled(doc_ && doc_->IsAllowed(command));
    }
    action(QStringLiteral("fontparam"))->setEnabled(doc_ != nullptr);
}

// ---------------------------------------------------------------- pointer handlers

void form1::fontsupport_MouseDown(int Button, int, double x, double y) {
    if (!doc_) return;
    Apply(doc_->fontsupport_MouseDown(Button, static_cast<float>(x), static_cast<float>(y),
                                      cellLayout()));
}

void form1::FontSupport_MouseMove(int Button, int, double x, double y) {
    if (!doc_ || Button == 0) return;
    Apply(doc_->FontSupport_MouseMove(Button, static_cast<float>(x), static_cast<float>(y),
                                      cellLayout()));
}

void form1::fontsupport_MouseUp(int, int, double, double) {
    if (!doc_) return;
    Apply(doc_->fontsupport_MouseUp());
}

void form1::ZoomPic_MouseDown(int Button, int, double x, double y) {
    if (!doc_) return;
    Apply(
        doc_->ZoomPic_MouseDown(Button, static_cast<float>(x), static_cast<float>(y), editView()));
}

void form1::ZoomPic_MouseMove(int Button, int, double x, double y) {
    if (!doc_ || Button == 0) return;
    Apply(
        doc_->ZoomPic_MouseMove(Button, static_cast<float>(x), static_cast<float>(y), editView()));
}

void form1::ZoomPic_MouseUp(int Button, int, double, double) {
    if (!doc_) return;
    Apply(doc_->ZoomPic_MouseUp(Button));
}

// ---------------------------------------------------------------- commands

void form1::Geometry(EditResult (FontDocument::*command)()) {
    if (!doc_) return;
    Apply(((*doc_).*command)());
}

void form1::Atop_Click() { Geometry(&FontDocument::Atop_Click); }
void form1::Abottom_Click() { Geometry(&FontDocument::Abottom_Click); }
void form1::Aleft_Click() { Geometry(&FontDocument::Aleft_Click); }
void form1::Aright_Click() { Geometry(&FontDocument::Aright_Click); }
void form1::Rtop_Click() { Geometry(&FontDocument::Rtop_Click); }
void form1::Rbottom_Click() { Geometry(&FontDocument::Rbottom_Click); }
void form1::Rleft_Click() { Geometry(&FontDocument::Rleft_Click); }
void form1::Rright_Click() { Geometry(&FontDocument::Rright_Click); }
void form1::Up_Click() { Geometry(&FontDocument::Up_Click); }
void form1::Down_Click() { Geometry(&FontDocument::Down_Click); }
void form1::Leeeft_Click() { Geometry(&FontDocument::Leeeft_Click); }
void form1::Right_Click() { Geometry(&FontDocument::Right_Click); }
void form1::Dele_Click() { Geometry(&FontDocument::Dele_Click); }

void form1::copy_Click() {
    if (doc_) Apply(doc_->copy_Click(frame_.clipboard()));
}

void form1::paste_Click() {
    if (doc_) Apply(doc_->paste_Click(frame_.clipboard(), cellLayout()));
}

void form1::undo_Click() {
    if (doc_) Apply(doc_->undo_Click(cellLayout()));
}

void form1::redo_Click() {
    if (doc_) Apply(doc_->redo_Click(cellLayout()));
}

void form1::fontparam_Click() {
    if (!doc_) return;
    app_.ActiveDoc = index;
    frame_.ShowPropertyDialog(*this, 0);
}

void form1::Save_Click() {
    if (doc_ && frame_.files().Save(*this)) doc_->setFlagModified(false);
}

void form1::SaveAs_Click() {
    if (doc_ && frame_.files().SaveAs(*this)) doc_->setFlagModified(false);
}

// ---------------------------------------------------------------- state the frame sets

void form1::SetFontCommandsEnabled(bool enabled) {
    for (const char* name : {"New", "open", "Import"}) {
        action(QString::fromLatin1(name))->setEnabled(enabled);
    }
}

void form1::SetPasteEnabled(bool enabled) { action(QStringLiteral("paste"))->setEnabled(enabled); }

void form1::SetSaveEnabled(bool enabled) {
    action(QStringLiteral("save"))->setEnabled(enabled);
    action(QStringLiteral("saveas"))->setEnabled(enabled);
}

// ---------------------------------------------------------------- close

void form1::closeEvent(QCloseEvent* event) {
    if (!emptyClose_ && FlagModified()) {
        const QMessageBox::StandardButton answer = frame_.prompts().Message(
            this, QMessageBox::Question, QString::fromLatin1(kAppTitle),
            QStringLiteral("Some Fonts have been modified. Do you want to save them?"),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::Cancel) {
            event->ignore();
            return;
        }
        if (answer == QMessageBox::Yes) {
            // The changes are kept unless they are really written: a cancelled or failed save
            // cancels the close.
            frame_.ShowDocument(*this);
            if (!frame_.files().SaveAs(*this)) {
                event->ignore();
                return;
            }
            doc_->setFlagModified(false);
        }
    }
    event->accept();
    frame_.DocumentClosed(*this);
}

}  // namespace pixmere
