#include "ui/EditWindow.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>
#include <array>

#include "ui/EditCanvas.h"
#include "ui/EditZoom.h"
#include "ui/FontCanvas.h"

namespace pixmere {

namespace {

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

EditWindow::EditWindow(QWidget* controls, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("EditWindow"));
    twips_ = Twips::Of(this);
    BuildControls(controls);
    BuildStrip();
}

void EditWindow::BuildControls(QWidget* controls) {
    const Twips& t = twips_;
    ZoomCharFrame_ = new QGroupBox(QStringLiteral("Zoom Character"), controls);
    const QString zoomTip = QStringLiteral("Change the zoom in the Edit Window");
    ZoomPicMOINS_ = PictureButton(QStringLiteral("ZoomPicMOINS"),
                                  QStringLiteral(":/icons/zoomout.png"), zoomTip, ZoomCharFrame_);
    ZoomPicPLUS_ = PictureButton(QStringLiteral("ZoomPicPLUS"),
                                 QStringLiteral(":/icons/zoomin.png"), zoomTip, ZoomCharFrame_);
    // At (360, 4800) and (1320, 4800) in the window, the frame at (120, 4560).
    ZoomPicMOINS_->setGeometry(t.X(240), t.Y(240), t.X(615), t.Y(615));
    ZoomPicPLUS_->setGeometry(t.X(1200), t.Y(240), t.X(615), t.Y(615));

    EnabMagnif_ = new QCheckBox(QStringLiteral("Show Magnification"), controls);
    EnabMagnif_->setObjectName(QStringLiteral("EnabMagnif"));
    EnabMagnif_->setToolTip(
        QStringLiteral("Allow to show or not the magnification effect in the Edit Window"));
    EnabMagnif_->setEnabled(false);

    ShowOutline_ = new QCheckBox(QStringLiteral("Show Outline"), controls);
    ShowOutline_->setObjectName(QStringLiteral("ShowOutline"));
    ShowOutline_->setToolTip(
        QStringLiteral("Show the TrueType outline the character was converted from, behind its "
                       "pixels"));
    ShowOutline_->setEnabled(false);

    CarInfo_ = new QLabel(controls);
    CarInfo_->setObjectName(QStringLiteral("CarInfo"));
    QFont bold = CarInfo_->font();
    bold.setBold(true);
    CarInfo_->setFont(bold);
}

void EditWindow::BuildStrip() {
    ZoomPicSupport_ = new QFrame(this);
    ZoomPicSupport_->setObjectName(QStringLiteral("ZoomPicSupport"));
    ZoomPicSupport_->setToolTip(QStringLiteral("Edit Window"));
    ZoomPicSupport_->setAutoFillBackground(true);
    QPalette white = ZoomPicSupport_->palette();
    white.setColor(QPalette::Window, Qt::white);
    ZoomPicSupport_->setPalette(white);
    ZoomPic_ = new EditCanvas(ZoomPicSupport_);
    std::tie(VScroll2_, HScroll2_) = PictureScrollBars(ZoomPic_, 2, this);
    VScroll2_->hide();
}

QSize EditWindow::sizeHint() const { return QSize(twips_.X(9015), twips_.Y(3750)); }

QSize EditWindow::minimumSizeHint() const { return QSize(twips_.X(1500), twips_.Y(900)); }

void EditWindow::SetFont(const Font* font) { ZoomPic_->SetFont(font); }

uint8_t EditWindow::EditMagnif(const FontParams& params) const {
    return EnabMagnif_->isChecked() ? params.Magnification : 1;
}

EditView EditWindow::view() const { return EditView{editZoom_, EnabMagnif_->isChecked()}; }

bool EditWindow::CanZoomOut() const { return pixmere::CanZoomOut(editZoom_, fittedZoom_); }

void EditWindow::ResizePicture(const FontParams& params) {
    ZoomPic_->SetZoom(editZoom_, EditMagnif(params));
}

void EditWindow::AutomaticFit(const FontParams& params) {
    const uint8_t magnif = EditMagnif(params);
    editZoom_ = AutoFitZoom(height(), params.FormatHeightCar, magnif);
    // A glyph too wide for the window at that zoom needs the horizontal scroll bar: the rows
    // fit in what it leaves.
    if (params.FormatLengthCar * editZoom_ + 4 > width()) {
        editZoom_ = AutoFitZoom(height() - twips_.Y(255), params.FormatHeightCar, magnif);
    }
    ResizePicture(params);
    fittedZoom_ = editZoom_;
}

void EditWindow::Refit(const FontParams& params, bool autoZoom) {
    if (autoZoom) {
        AutomaticFit(params);
    } else {
        ResizePicture(params);
    }
    PlaceScrollBars();
    zoomInStopped_ = !pixmere::CanZoomIn(editZoom_);
}

void EditWindow::PlaceScrollBars() {
    pixmere::PlaceScrollBars(ZoomPicSupport_, ZoomPic_, VScroll2_, HScroll2_, rect(),
                             ZoomPic_->PictureSize(), QSize(twips_.X(255), twips_.Y(255)),
                             QSize(editZoom_, editZoom_ * ZoomPic_->magnif()));
}

void EditWindow::ScrollToOrigin() {
    HScroll2_->setValue(0);
    VScroll2_->setValue(0);
}

void EditWindow::ZoomIn(const FontParams& params) {
    ZoomPic_->Clear();
    ScrollToOrigin();
    editZoom_ = ZoomInValue(editZoom_);
    ResizePicture(params);
    PlaceScrollBars();
    zoomInStopped_ = !pixmere::CanZoomIn(editZoom_);
}

void EditWindow::ZoomOut(const FontParams& params) {
    ZoomPic_->Clear();
    ScrollToOrigin();
    zoomInStopped_ = false;
    editZoom_ = ZoomOutValue(editZoom_);
    ResizePicture(params);
    PlaceScrollBars();
}

void EditWindow::ZoomToFit(const FontParams& params) {
    ScrollToOrigin();
    editZoom_ = WholeGlyphZoom(width(), height(), params.FormatLengthCar, params.FormatHeightCar,
                               EditMagnif(params));
    ResizePicture(params);
    PlaceScrollBars();
    zoomInStopped_ = !pixmere::CanZoomIn(editZoom_);
}

void EditWindow::Remagnify(const FontParams& params, int current) {
    ScrollToOrigin();
    AutomaticFit(params);
    PlaceScrollBars();
    ZoomPic_->ShowGlyph(current);
    zoomInStopped_ = false;
}

void EditWindow::ShowCarInfo(const FontParams& params, int index) {
    // Every stroke asks: the text is made again only when it would change.
    const std::array<int, 3> shown{index < 0 ? -1 : params.firstcar + index, params.FormatLengthCar,
                                   params.FormatHeightCar};
    if (shown == carInfoShown_) return;
    carInfoShown_ = shown;
    CarInfo_->setText(index < 0 ? QString() : CarInfoText(shown[0], shown[1], shown[2]));
}

void EditWindow::resizeEvent(QResizeEvent*) {
    PlaceScrollBars();
    emit Resized();
}

void EditWindow::wheelEvent(QWheelEvent* event) {
    const int steps = wheel_.Take(*event, VScroll2_, HScroll2_);
    QToolButton* button = steps > 0 ? ZoomPicPLUS_ : ZoomPicMOINS_;
    for (int n = 0; n < std::abs(steps) && button->isEnabled(); ++n) button->click();
}

}  // namespace pixmere
