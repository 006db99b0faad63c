#include "ui/EditWindow.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QScrollBar>
#include <QToolButton>
#include <algorithm>

#include "ui/EditCanvas.h"
#include "ui/EditZoom.h"

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
    ApplyNominalLayout();
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

void EditWindow::SetFont(const Font* font) { ZoomPic_->SetFont(font); }

uint8_t EditWindow::EditMagnif(const FontParams& params) const {
    return EnabMagnif_->isChecked() ? params.Magnification : 1;
}

EditView EditWindow::view() const { return EditView{editZoom_, EnabMagnif_->isChecked()}; }

bool EditWindow::CanZoomOut() const { return pixmere::CanZoomOut(editZoom_, fittedZoom_); }

void EditWindow::ApplyNominalLayout() {
    const Twips& t = twips_;
    ZoomPicSupport_->setGeometry(0, 0, t.X(9015), t.Y(3750));
    ZoomPic_->setGeometry(0, 0, ZoomPicSupport_->width(), ZoomPicSupport_->height());
    VScroll2_->setGeometry(t.X(9000), 0, t.X(255), t.Y(3735));
    HScroll2_->setGeometry(0, t.Y(3720), t.X(9015), t.Y(255));
    FitChildren();
}

void EditWindow::FitChildren() { FitAround(this, {ZoomPicSupport_, VScroll2_, HScroll2_}); }

void EditWindow::ResizePicture(const FontParams& params) {
    ZoomPic_->SetZoom(editZoom_, EditMagnif(params));
}

void EditWindow::AutomaticFit(const FontParams& params) {
    editZoom_ = AutoFitZoom(ZoomPicSupport_->height(), params.FormatHeightCar, EditMagnif(params));
    ResizePicture(params);
    fittedZoom_ = editZoom_;
}

void EditWindow::Refit(const FontParams& params, bool autoZoom) {
    if (autoZoom) {
        AutomaticFit(params);
        ZoomPic_->Clear();
    } else {
        ResizePicture(params);
    }
    PlaceScrollBars();
    zoomInStopped_ = false;
}

void EditWindow::PlaceScrollBars() {
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
        VScroll2_->setSingleStep(editZoom_ * ZoomPic_->magnif());
        VScroll2_->show();
    }
    FitChildren();
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

void EditWindow::Remagnify(const FontParams& params, int current) {
    ScrollToOrigin();
    AutomaticFit(params);
    PlaceScrollBars();
    ZoomPic_->ShowGlyph(current);
    zoomInStopped_ = false;
}

}  // namespace pixmere
