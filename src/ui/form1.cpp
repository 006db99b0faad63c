#include "ui/form1.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSettings>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>
#include <vector>

#include "model/CharacterLookup.h"
#include "ui/DocumentActions.h"
#include "ui/EditCanvas.h"
#include "ui/EditWindow.h"
#include "ui/FontCanvas.h"
#include "ui/FontWindow.h"
#include "ui/Form3.h"
#include "ui/GoToDialog.h"
#include "ui/MDIForm1.h"
#include "ui/Prompts.h"
#include "ui/SamplePreview.h"
#include "ui/Twips.h"

namespace pixmere {

namespace {

// Where the application's settings keep how the views last shared the window.
const QString kSplitterKey = QStringLiteral("DocumentWindow/splitter");

// The document window's width in twips as it opens; it is as high as the views at their
// nominal heights need.
constexpr int kWindowWidth = 11760;

// A column of controls beside a view (or a group of them): each part at its place (twips, from
// the column's top-left corner), at least as large as its place; the column keeps its size as
// the window grows.
struct Placed {
    QWidget* part;
    int left, top, width, height;
};

QWidget* ControlColumn(QWidget* parent, const Twips& t, std::initializer_list<Placed> parts,
                       int width) {
    auto* column = new QWidget(parent);
    int bottom = 0;
    for (const Placed& p : parts) {
        p.part->setParent(column);
        p.part->setGeometry(t.X(p.left), t.Y(p.top),
                            std::max(t.X(p.width), p.part->sizeHint().width()), t.Y(p.height));
        bottom = std::max(bottom, p.part->geometry().bottom() + 1);
    }
    column->setFixedSize(width, bottom);
    return column;
}

// A pane of the splitter: the controls at the left, the view taking the rest.
QWidget* Pane(QWidget* controls, QWidget* view, int gap) {
    auto* pane = new QWidget;
    auto* row = new QHBoxLayout(pane);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(gap);
    row->addWidget(controls, 0, Qt::AlignTop);
    row->addWidget(view, 1);
    return pane;
}

// Italic's slant as Slant… last set it, in the application's settings.
const QString kSlantKey = QStringLiteral("Transform/slant");

int RememberedSlant() {
    bool ok = false;
    const int slant = QSettings().value(kSlantKey).toInt(&ok);
    return ok && slant >= kMinSlant && slant <= kMaxSlant ? slant : kDefaultSlant;
}

}  // namespace

form1::form1(MDIForm1& frame, uint8_t index, OpenedFont opened, QWidget* parent)
    : QWidget(parent),
      frame_(frame),
      index_(index),
      doc_(std::make_unique<FontDocument>(std::move(opened.font))),
      pickFirst_(opened.pickFirst) {
    setObjectName(QStringLiteral("form1"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/pixmere.png")));
    // The layout's sizes were made for a small dialog face; keep the text inside them.
    QFont small = font();
    small.setPointSizeF(8);
    setFont(small);
    doc_->setFlagModified(opened.modified);
    doc_->SetSourceOutlines(std::move(opened.outlines));

    actions_ = std::make_unique<DocumentActions>(this, frame_);
    TitleFon_ = BlueLabel(QString(), this);
    TitleFon_->setObjectName(QStringLiteral("TitleFon"));
    // A long path is cut at the window's edge rather than widening the window.
    TitleFon_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    fontWindow_ = new FontWindow(this, this);
    BuildMoveFrame();
    editWindow_ = new EditWindow(this, this);
    preview_ = new SamplePreview(this, this);
    PlaceControls();
    Wire();
    FileName_ = opened.fileName;
    saveFormat_ = opened.saveFormat;
    SetTitle(opened.title.isEmpty() ? QStringLiteral("Velmar Pixmere 2.1") : opened.title);
    SetTitleFon(opened.label);
    InitFont();
}

void form1::Start() {
    SetZoomFactorText(QStringLiteral("2"));
    // A new font: a click on the first cell makes the first character current.
    if (pickFirst_) {
        fontsupport_MouseDown(1, 0, 0, 0);
        fontsupport_MouseUp(1, 0, 0, 0);
    }
}

form1::~form1() = default;

QSize form1::sizeHint() const {
    const Twips t = Twips::Of(this);
    if (!layout()) return QSize(t.X(kWindowWidth), 0);
    // The splitter's hint leaves out its handles: the views get their nominal heights.
    const int handles = (Splitter_->count() - 1) * Splitter_->handleWidth();
    return QSize(t.X(kWindowWidth), layout()->sizeHint().height() + handles);
}

void form1::BuildMoveFrame() {
    const Twips t = Twips::Of(this);
    Frame2_ = new QGroupBox(QStringLiteral("Move characters"), this);
    Frame2_->setObjectName(QStringLiteral("Frame2"));
    Frame2_->setToolTip(QString::fromLatin1(kMoveTip));
    const DocumentActions& a = *actions_;
    // Window positions of the arrows, arranged as a cross; the frame is at (120, 1200).
    const struct {
        QAction* action;
        int left, top;
    } arrows[] = {
        {a.Up, 840, 1440}, {a.Leeeft, 240, 2040}, {a.Right, 1440, 2040}, {a.Down, 840, 2640}};
    for (const auto& arrow : arrows) {
        auto* button = new QToolButton(Frame2_);
        button->setObjectName(arrow.action->objectName());
        button->setDefaultAction(arrow.action);
        button->setIconSize(QSize(24, 24));
        button->setAutoRaise(false);
        button->setGeometry(t.X(arrow.left - 120), t.Y(arrow.top - 1200), t.X(615), t.Y(615));
    }
}

void form1::PlaceControls() {
    const Twips t = Twips::Of(this);
    FontWindow& f = *fontWindow_;
    EditWindow& e = *editWindow_;
    SamplePreview& p = *preview_;
    // The columns as wide as the widest of their parts, so that the views line up.
    const QString widestInfo = CarInfoText(0x8C, 255, 255);
    const int columnWidth =
        std::max({t.X(2055), e.magnifier()->sizeHint().width() + t.X(120),
                  e.carInfo()->fontMetrics().horizontalAdvance(widestInfo) + 4});
    QWidget* fontControls = ControlColumn(
        this, t, {{f.zoomFrame(), 0, 0, 2055, 735}, {Frame2_, 0, 840, 2055, 2175}}, columnWidth);
    QWidget* editControls = ControlColumn(this, t,
                                          {{e.zoomFrame(), 0, 0, 2055, 975},
                                           {e.magnifier(), 120, 1200, 1815, 375},
                                           {e.outline(), 120, 1560, 1815, 375},
                                           {e.carInfo(), 0, 2040, 2055, 375}},
                                          columnWidth);
    QWidget* previewControls = ControlColumn(
        this, t, {{p.zoomFrame(), 0, 0, 2055, 735}, {p.baseline(), 120, 840, 1815, 375}},
        columnWidth);

    // The progress of a full refresh keeps its room while hidden, so that showing it does not
    // lay the window out again.
    QWidget* progress = ControlColumn(this, t,
                                      {{f.progressMin(), 0, 0, 255, 255},
                                       {f.progressBar(), 240, 60, 2295, 135},
                                       {f.progressMax(), 2520, 0, 495, 255}},
                                      t.X(3015));
    auto* top = new QHBoxLayout;
    top->addWidget(TitleFon_, 1);
    top->addWidget(progress);
    top->addWidget(f.sizeLabel());

    // The font window takes the width; it shares the height with the edit window and the sample
    // text at borders the user can move. The sample text closes when its border is dragged to
    // the bottom, and comes back when it is dragged up again.
    const int gap = t.X(105);
    Splitter_ = new QSplitter(Qt::Vertical, this);
    Splitter_->setObjectName(QStringLiteral("ViewSplitter"));
    Splitter_->setChildrenCollapsible(false);
    Splitter_->addWidget(Pane(fontControls, &f, gap));
    Splitter_->addWidget(Pane(editControls, &e, gap));
    Splitter_->addWidget(Pane(previewControls, &p, gap));
    Splitter_->setCollapsible(2, true);
    Splitter_->setStretchFactor(0, 1);
    Splitter_->setStretchFactor(1, 1);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(t.X(120), t.Y(60), t.X(120), t.Y(120));
    column->setSpacing(t.Y(60));
    column->addLayout(top);
    column->addWidget(Splitter_, 1);
    // The views open at their nominal heights; the font and edit windows share what the window
    // grows by.
    Splitter_->setSizes({f.sizeHint().height(), e.sizeHint().height(), p.sizeHint().height()});
    resize(sizeHint());
    // The views shared as the user last shared them, in this run or the one before.
    const QByteArray shared = QSettings().value(kSplitterKey).toByteArray();
    if (!shared.isEmpty() && Splitter_->restoreState(shared)) {
        actions_->showSample->setChecked(Splitter_->sizes()[2] > 0);
    }
    SetTabOrder();
}

void form1::SetTabOrder() {
    FontWindow& f = *fontWindow_;
    EditWindow& e = *editWindow_;
    SamplePreview& p = *preview_;
    // The left column from the top, then the font window and the sample text.
    QWidget* order[] = {f.zoomFactor(),
                        Frame2_->findChild<QToolButton*>(QStringLiteral("Up")),
                        Frame2_->findChild<QToolButton*>(QStringLiteral("Leeeft")),
                        Frame2_->findChild<QToolButton*>(QStringLiteral("Right")),
                        Frame2_->findChild<QToolButton*>(QStringLiteral("Down")),
                        e.zoomOut(),
                        e.zoomIn(),
                        e.magnifier(),
                        e.outline(),
                        p.zoomSelector(),
                        p.baseline(),
                        f.canvas(),
                        p.textBox()};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

// ---------------------------------------------------------------- wiring

void form1::Wire() {
    WireViews();
    WireMenus();
}

void form1::WireViews() {
    // Every event of the views goes through Handle, so that the commands follow it once.
    using Pointer = void (form1::*)(int, int, double, double);
    auto pointer = [this](ScrolledPicture* picture, Pointer down, Pointer move, Pointer up) {
        for (const auto& [signal, handler] :
             {std::pair{&ScrolledPicture::Pressed, down}, std::pair{&ScrolledPicture::Moved, move},
              std::pair{&ScrolledPicture::Released, up}}) {
            connect(picture, signal, this,
                    [this, handler = handler](int button, int shift, double x, double y) {
                        Handle([&] { (this->*handler)(button, shift, x, y); });
                    });
        }
    };
    pointer(fontSupport(), &form1::fontsupport_MouseDown, &form1::FontSupport_MouseMove,
            &form1::fontsupport_MouseUp);
    pointer(zoomPic(), &form1::ZoomPic_MouseDown, &form1::ZoomPic_MouseMove,
            &form1::ZoomPic_MouseUp);
    connect(fontSupport(), &FontCanvas::CarKeyPressed, this,
            [this](CarKey key, int shift) { Handle([&] { FontSupport_KeyDown(key, shift); }); });
    connect(fontSupport(), &FontCanvas::CharacterTyped, this,
            [this](char32_t character) { Handle([&] { FontSupport_CharacterTyped(character); }); });
    const auto plain = [this](auto* sender, auto signal, void (form1::*handler)()) {
        connect(sender, signal, this, [this, handler] { Handle([&] { (this->*handler)(); }); });
    };
    plain(fontWindow_, &FontWindow::ZoomChosen, &form1::ZoomFactor_Click);
    plain(fontWindow_, &FontWindow::Relaid, &form1::KeepCurrentCarInView);
    plain(editWindow_, &EditWindow::Resized, &form1::ZoomPicSupport_Resize);
    plain(editWindow_->zoomOut(), &QToolButton::clicked, &form1::ZoomPicMOINS_Click);
    plain(editWindow_->zoomIn(), &QToolButton::clicked, &form1::ZoomPicPLUS_Click);
    plain(editWindow_->magnifier(), &QCheckBox::toggled, &form1::EnabMagnif_Click);
    plain(editWindow_->outline(), &QCheckBox::toggled, &form1::ShowOutline_Click);
    plain(Splitter_, &QSplitter::splitterMoved, &form1::ViewSplitter_Moved);
}

void form1::Handle(const std::function<void()>& handler) {
    ++handling_;
    {
        const MDIForm1::EventScope scope(frame_);
        handler();
    }
    if (--handling_ == 0) emit StateChanged();
}

void form1::Command(QAction* action, void (form1::*handler)()) {
    connect(action, &QAction::triggered, this,
            [this, handler] { Handle([&] { (this->*handler)(); }); });
}

void form1::WireMenus() {
    const DocumentActions& a = *actions_;
    for (const auto& [action, command] : a.file.FontCommands()) {
        connect(action, &QAction::triggered, this,
                [this, command = command] { Handle([&] { frame_.RunFontCommand(command); }); });
    }
    Command(a.file.save, &form1::Save_Click);
    Command(a.file.saveas, &form1::SaveAs_Click);
    Command(a.undo, &form1::undo_Click);
    Command(a.redo, &form1::redo_Click);
    Command(a.copy, &form1::copy_Click);
    Command(a.paste, &form1::paste_Click);
    Command(a.Dele, &form1::Dele_Click);
    Command(a.Atop, &form1::Atop_Click);
    Command(a.Abottom, &form1::Abottom_Click);
    Command(a.Aleft, &form1::Aleft_Click);
    Command(a.Aright, &form1::Aright_Click);
    Command(a.Rtop, &form1::Rtop_Click);
    Command(a.Rbottom, &form1::Rbottom_Click);
    Command(a.Rleft, &form1::Rleft_Click);
    Command(a.Rright, &form1::Rright_Click);
    Command(a.fontparam, &form1::fontparam_Click);
    for (const auto& [action, transform] : a.TransformItems()) {
        connect(action, &QAction::triggered, this,
                [this, transform = transform] { Handle([&] { Transform_Click(transform); }); });
    }
    Command(a.Slant, &form1::Slant_Click);
    Command(a.goTo, &form1::GoTo_Click);
    Command(a.zoomToFit, &form1::ZoomToFit_Click);
    Command(a.showSample, &form1::ShowSample_Click);
    Command(a.Up, &form1::Up_Click);
    Command(a.Down, &form1::Down_Click);
    Command(a.Leeeft, &form1::Leeeft_Click);
    Command(a.Right, &form1::Right_Click);
    connect(a.closeWindow, &QAction::triggered, this, [this] { frame_.CloseDocument(*this); });
    connect(a.nextWindow, &QAction::triggered, frame_.mdiArea(), &QMdiArea::activateNextSubWindow);
    connect(a.previousWindow, &QAction::triggered, frame_.mdiArea(),
            &QMdiArea::activatePreviousSubWindow);
    connect(a.Cascade, &QAction::triggered, &frame_, &MDIForm1::Cascade);
    connect(a.ArrangeIcons, &QAction::triggered, &frame_, &MDIForm1::ArrangeIcons);
    connect(a.openedWindows, &QMenu::aboutToShow, this,
            [this] { frame_.FillWindowList(actions_->openedWindows); });
    connect(a.help, &QAction::triggered, this,
            [this] { frame_.Help(QStringLiteral("\\Pixmere Help.htm")); });
    connect(a.about, &QAction::triggered, &frame_, &MDIForm1::About);
}

QList<QMenu*> form1::Menus() const { return actions_->Menus(); }

QAction* form1::action(const QString& objectName) const { return actions_->Find(objectName); }

// ---------------------------------------------------------------- the document's file

void form1::SetFile(const QString& path, std::optional<FontFileType> format,
                    const CLayout& layout) {
    FileName_ = path;
    saveFormat_ = format;
    saveLayout_ = layout;
    ShowName(path);
}

void form1::ShowName(const QString& name) {
    SetTitleFon(name);
    SetTitle(name);
}

void form1::SetTitle(const QString& title) {
    title_ = title;
    titleNumber_ = frame_.FreeTitleNumber(*this);
    // "[*]" marks where a changed document shows it; one in the name itself is no mark.
    QString escaped = NumberedTitle();
    escaped.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(escaped + QStringLiteral("[*]"));
}

QString form1::NumberedTitle() const {
    return titleNumber_ > 1 ? QStringLiteral("%1 (%2)").arg(title_).arg(titleNumber_) : title_;
}

void form1::SetTitleFon(const QString& text) { TitleFon_->setText(text); }

// ---------------------------------------------------------------- font properties

void form1::ApplyFontProperties(uint8_t jambon, uint8_t magnification) {
    const uint8_t oldJambon = doc_->params().jambon;
    const uint8_t oldMagnification = doc_->params().Magnification;
    doc_->SetFontProperties(jambon, magnification);
    if (jambon != oldJambon) zoomPic()->update();  // quad with the new baseline
    if (jambon != oldJambon || magnification != oldMagnification) preview_->Relayout();
    if (magnification != oldMagnification) {
        {
            const QSignalBlocker block(editWindow_->magnifier());
            editWindow_->magnifier()->setChecked(true);
        }
        FlagAutoZoom_ = true;
        SetZoomFactorText(QStringLiteral("2"));
    }
    fontSupport()->setFocus();
}

// ---------------------------------------------------------------- views

FontCanvas* form1::fontSupport() const { return fontWindow_->canvas(); }
EditCanvas* form1::zoomPic() const { return editWindow_->canvas(); }
int form1::fontZoom() const { return fontWindow_->zoom(); }
const FontLayout& form1::fontLayout() const { return fontWindow_->layout(); }
CellLayout form1::cellLayout() const { return fontWindow_->cellLayout(); }
EditView form1::editView() const { return editWindow_->view(); }
int form1::editZoom() const { return editWindow_->zoom(); }
uint8_t form1::EditMagnif() const { return editWindow_->EditMagnif(params()); }

void form1::InitFont() {
    // Cells are painted straight from the glyphs when they come into view: nothing to create
    // per character.
    fontWindow_->SetFont(&doc_->font());
    editWindow_->SetFont(&doc_->font());
    zoomPic()->SetOutlines([this](int i) { return doc_->SourceOutlineOf(i); });
    preview_->SetFont(&doc_->font());
}

void form1::SetZoomFactorText(const QString& text) {
    if (fontWindow_->SelectZoom(text)) ZoomFactor_Click();
}

void form1::ZoomFactor_Click() {
    fontWindow_->TakeChosenZoom();
    frame_.ShowDocument(*this);
    fontSupport()->setFocus();
    RefreshFontWindow();
    doc_->ClearEditReady();
    ReselectCurrentCar();
}

void form1::RefreshFontWindow() {
    // Nothing else runs meanwhile: the refresh lets no events through.
    frame_.ShowDocument(*this);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    fontWindow_->Refresh();
    editWindow_->Refit(doc_->params(), FlagAutoZoom_);
    QApplication::restoreOverrideCursor();
}

void form1::KeepCurrentCarInView() { fontWindow_->EnsureVisible(doc_->CurrentCar()); }

void form1::ZoomPicSupport_Resize() { editWindow_->Refit(doc_->params(), FlagAutoZoom_); }

void form1::ZoomPicPLUS_Click() {
    FlagAutoZoom_ = false;
    editWindow_->ZoomIn(params());
    ReselectLastClick();  // the current glyph at the new zoom
}

void form1::ZoomPicMOINS_Click() {
    FlagAutoZoom_ = false;
    editWindow_->ZoomOut(params());
    ReselectLastClick();
}

void form1::EnabMagnif_Click() { editWindow_->Remagnify(params(), doc_->CurrentCar()); }

void form1::ShowOutline_Click() { zoomPic()->ShowOutline(editWindow_->outline()->isChecked()); }

void form1::ZoomToFit_Click() { editWindow_->ZoomToFit(params()); }

void form1::ShowSample_Click() {
    QList<int> sizes = Splitter_->sizes();
    const bool open = sizes[2] > 0;
    if (actions_->showSample->isChecked() == open) return;
    if (open) {
        previewHeight_ = sizes[2];
        sizes[1] += sizes[2];
        sizes[2] = 0;
    } else {
        // The splitter takes the room from the other views in proportion.
        sizes[2] = previewHeight_ > 0 ? previewHeight_ : preview_->sizeHint().height();
    }
    Splitter_->setSizes(sizes);
    RememberSplitter();
}

void form1::ViewSplitter_Moved() {
    actions_->showSample->setChecked(Splitter_->sizes()[2] > 0);
    RememberSplitter();
}

void form1::RememberSplitter() { QSettings().setValue(kSplitterKey, Splitter_->saveState()); }

// ---------------------------------------------------------------- results of the engine

void form1::Apply(const EditResult& r) {
    std::vector<int32_t> glyphs;
    for (const CellRedraw& cell : r.cells) {
        fontSupport()->UpdateCell(cell.index);
        glyphs.push_back(cell.index);
    }
    if (r.editGlyph >= 0 && (r.editRedraw || !r.editRows.empty())) glyphs.push_back(r.editGlyph);
    // The sample text repaints the rows that changed, or is laid out again for a new cell.
    if (r.layoutChanged) {
        preview_->Relayout();
    } else {
        preview_->Follow(glyphs);
    }
    EditCanvas* picture = zoomPic();
    if (r.editRedraw) {
        editWindow_->ResizePicture(params());
        picture->ShowGlyph(r.editGlyph);
    } else if (!r.editRows.empty()) {
        editWindow_->ResizePicture(params());
        if (picture->shownGlyph() != r.editGlyph) {
            picture->ShowGlyph(r.editGlyph);
        } else {
            for (int row : r.editRows) picture->RefreshRow(row);
        }
    }
    editWindow_->ShowCarInfo(params(), picture->shownGlyph());
    if (r.clipboardFilled) frame_.ClipboardFilled();
    if (r.layoutChanged) {
        editWindow_->ScrollToOrigin();
        FlagAutoZoom_ = true;
        RefreshFontWindow();
        ReselectCurrentCar();
    }
}

void form1::PickCharacter(int32_t i) {
    const FontLayout& L = fontLayout();
    Apply(doc_->fontsupport_MouseDown(1, static_cast<float>(L.CellLeft(i) + L.cellWidth / 2),
                                      static_cast<float>(L.CellTop(i) + L.cellHeight / 2),
                                      cellLayout()));
    Apply(doc_->fontsupport_MouseUp());
    KeepCurrentCarInView();
}

void form1::ReselectLastClick() { Apply(doc_->ReselectLastClick(cellLayout())); }

void form1::ReselectCurrentCar() {
    Apply(doc_->ReselectCurrentCar(cellLayout()));
    KeepCurrentCarInView();
}

// ---------------------------------------------------------------- pointer handlers

void form1::fontsupport_MouseDown(int Button, int, double x, double y) {
    Apply(doc_->fontsupport_MouseDown(Button, static_cast<float>(x), static_cast<float>(y),
                                      cellLayout()));
}

void form1::FontSupport_MouseMove(int Button, int, double x, double y) {
    if (Button == 0) return;
    Apply(doc_->FontSupport_MouseMove(Button, static_cast<float>(x), static_cast<float>(y),
                                      cellLayout()));
}

void form1::fontsupport_MouseUp(int, int, double, double) { Apply(doc_->fontsupport_MouseUp()); }

void form1::FontSupport_KeyDown(CarKey KeyCode, int Shift) {
    Apply(doc_->FontWindowKey(KeyCode, (Shift & 1) != 0, cellLayout()));
    KeepCurrentCarInView();
}

void form1::FontSupport_CharacterTyped(char32_t character) {
    const int32_t glyph = CarForKey(params(), character);
    if (glyph >= 0) PickCharacter(glyph);
}

void form1::ZoomPic_MouseDown(int Button, int, double x, double y) {
    Apply(
        doc_->ZoomPic_MouseDown(Button, static_cast<float>(x), static_cast<float>(y), editView()));
}

void form1::ZoomPic_MouseMove(int Button, int, double x, double y) {
    if (Button == 0) return;
    Apply(
        doc_->ZoomPic_MouseMove(Button, static_cast<float>(x), static_cast<float>(y), editView()));
}

void form1::ZoomPic_MouseUp(int Button, int, double, double) {
    Apply(doc_->ZoomPic_MouseUp(Button));
}

// ---------------------------------------------------------------- commands

void form1::RunEditCommand(EditResult (FontDocument::*command)()) { Apply(((*doc_).*command)()); }

void form1::Atop_Click() { RunEditCommand(&FontDocument::Atop_Click); }
void form1::Abottom_Click() { RunEditCommand(&FontDocument::Abottom_Click); }
void form1::Aleft_Click() { RunEditCommand(&FontDocument::Aleft_Click); }
void form1::Aright_Click() { RunEditCommand(&FontDocument::Aright_Click); }
void form1::Rtop_Click() { RunEditCommand(&FontDocument::Rtop_Click); }
void form1::Rbottom_Click() { RunEditCommand(&FontDocument::Rbottom_Click); }
void form1::Rleft_Click() { RunEditCommand(&FontDocument::Rleft_Click); }
void form1::Rright_Click() { RunEditCommand(&FontDocument::Rright_Click); }
void form1::Up_Click() { RunEditCommand(&FontDocument::Up_Click); }
void form1::Down_Click() { RunEditCommand(&FontDocument::Down_Click); }
void form1::Leeeft_Click() { RunEditCommand(&FontDocument::Leeeft_Click); }
void form1::Right_Click() { RunEditCommand(&FontDocument::Right_Click); }
void form1::Dele_Click() { RunEditCommand(&FontDocument::Dele_Click); }

void form1::copy_Click() { Apply(doc_->copy_Click(frame_.clipboard())); }

void form1::paste_Click() { Apply(doc_->paste_Click(frame_.clipboard(), cellLayout())); }

void form1::undo_Click() { Apply(doc_->undo_Click(cellLayout())); }

void form1::redo_Click() { Apply(doc_->redo_Click(cellLayout())); }

void form1::fontparam_Click() {
    Form3 dialog(PropertyMode::FontProperties, frame_.prompts(), &frame_);
    dialog.affichform3(params());
    if (const std::optional<FontParams> p = dialog.Run()) {
        ApplyFontProperties(p->jambon, p->Magnification);
    }
}

void form1::Transform_Click(GlyphTransform transform) {
    Apply(doc_->Transform(transform, RememberedSlant()));
}

void form1::Slant_Click() {
    bool ok = false;
    const int slant =
        QInputDialog::getInt(this, QStringLiteral("Slant"),
                             QStringLiteral("Rows for each pixel of Italic's slant (%1 to %2):")
                                 .arg(kMinSlant)
                                 .arg(kMaxSlant),
                             RememberedSlant(), kMinSlant, kMaxSlant, 1, &ok);
    if (ok) QSettings().setValue(kSlantKey, slant);
}

void form1::GoTo_Click() {
    GoToDialog dialog(params(), frame_.prompts(), this);
    if (const std::optional<int32_t> glyph = dialog.Run()) PickCharacter(*glyph);
}

// A save's writer leaves the document unmodified when the font is written.
void form1::Save_Click() { frame_.files().Save(*this); }

void form1::SaveAs_Click() { frame_.files().SaveAs(*this); }

// ---------------------------------------------------------------- close

void form1::closeEvent(QCloseEvent* event) {
    if (FlagModified()) {
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
