#include "ui/FontWindow.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QScrollBar>
#include <algorithm>

#include "ui/FontCanvas.h"

namespace pixmere {

QLabel* BlueLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    label->setPalette(palette);
    return label;
}

FontWindow::FontWindow(QWidget* controls, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FontWindow"));
    twips_ = Twips::Of(this);
    BuildControls(controls);
    BuildStrip();
    ApplyNominalLayout();
}

void FontWindow::BuildControls(QWidget* controls) {
    const Twips& t = twips_;
    SizeKo_ = BlueLabel(QStringLiteral("Size = XXXXXX Bytes"), controls);
    SizeKo_->setObjectName(QStringLiteral("SizeKo"));
    SizeKo_->setToolTip(QStringLiteral("Printer Memory Needed in the printer"));
    min_ = new QLabel(QStringLiteral("0%"), controls);
    min_->setObjectName(QStringLiteral("min"));
    ProgressBar1_ = new QProgressBar(controls);
    ProgressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1_->setTextVisible(false);
    max_ = new QLabel(QStringLiteral("100%"), controls);
    max_->setObjectName(QStringLiteral("max"));
    ShowProgress(false);

    ZoomFrame_ = new QGroupBox(QStringLiteral("Zoom Font"), controls);
    ZoomFactor_ = new QComboBox(ZoomFrame_);
    ZoomFactor_->setObjectName(QStringLiteral("ZoomFactor"));
    ZoomFactor_->addItems(
        {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("8")});
    ZoomFactor_->setCurrentIndex(-1);
    ZoomFactor_->setToolTip(
        QStringLiteral("Change the zoom factor for the whole font in the Font Window"));
    // At (600, 600) in the window, the frame at (120, 360).
    ZoomFactor_->setGeometry(t.X(480), t.Y(240), t.X(1095), t.Y(315));
    connect(ZoomFactor_, &QComboBox::activated, this, &FontWindow::ZoomChosen);
}

void FontWindow::BuildStrip() {
    FontPic_ = new QFrame(this);
    FontPic_->setObjectName(QStringLiteral("FontPic"));
    FontPic_->setFrameShape(QFrame::NoFrame);
    FontSupport_ = new FontCanvas(FontPic_);
    FontSupport_->setEnabled(false);
    std::tie(VScroll1_, HScroll1_) = PictureScrollBars(FontSupport_, 1, this);
}

void FontWindow::SetFont(const Font* font) { FontSupport_->SetFont(font); }

bool FontWindow::SelectZoom(const QString& text) {
    const int item = ZoomFactor_->findText(text);
    if (item < 0) return false;
    ZoomFactor_->setCurrentIndex(item);
    return true;
}

void FontWindow::TakeChosenZoom() { Z_ = ZoomFactor_->currentText().toInt(); }

CellLayout FontWindow::cellLayout() const {
    return CellLayout{layout_.cellWidth, layout_.cellHeight, layout_.cellsPerRow};
}

void FontWindow::ApplyNominalLayout() {
    const Twips& t = twips_;
    FontPic_->setGeometry(0, 0, t.X(9000), t.Y(3000));
    FontSupport_->setGeometry(0, 0, FontPic_->width(), FontPic_->height());
    VScroll1_->setGeometry(t.X(9000), 0, t.X(255), t.Y(3015));
    HScroll1_->setGeometry(0, t.Y(3000), t.X(9015), t.Y(255));
    FitChildren();
}

void FontWindow::FitChildren() { FitAround(this, {FontPic_, VScroll1_, HScroll1_}); }

void FontWindow::ShowProgress(bool shown) {
    for (QWidget* part : {static_cast<QWidget*>(min_), static_cast<QWidget*>(ProgressBar1_),
                          static_cast<QWidget*>(max_)}) {
        part->setVisible(shown);
    }
}

void FontWindow::Refresh(const FontParams& p, int windowWidth, int frame2Width) {
    twips_ = Twips::Of(this);
    ApplyNominalLayout();
    FontSupport_->SetOffsets(0, 0);
    {
        const QSignalBlocker v(VScroll1_);
        const QSignalBlocker h(HScroll1_);
        VScroll1_->setValue(0);
        HScroll1_->setValue(0);
    }
    FontLayoutInput in;
    in.W = p.FormatLengthCar;
    in.H = p.FormatHeightCar;
    in.M = p.Magnification;
    in.Z = Z_;
    in.N = p.NbCar;
    in.tx = twips_.tx;
    in.ty = twips_.ty;
    in.windowWidth = windowWidth;
    in.vScrollWidth = VScroll1_->width();
    in.frame2Width = frame2Width;
    layout_ = ComputeFontLayout(in);
    ApplyLayout();

    ShowProgress(true);
    ProgressBar1_->setRange(0, p.NbCar);
    ProgressBar1_->setValue(0);
    // Every cell is now unselected as far as the view is concerned; the cells in view are
    // painted at once, the others when they are scrolled to.
    FontSupport_->SetLayout(layout_, Z_);
    FontSupport_->repaint();
    ProgressBar1_->setValue(p.NbCar);
    VScroll1_->setVisible(layout_.vScrollVisible);
    ShowProgress(false);
    SizeKo_->setText(QStringLiteral("Font Size = %1 Bytes").arg(PrinterBytes(p)));
}

void FontWindow::ApplyLayout() {
    const FontLayout& L = layout_;
    FontPic_->setGeometry(0, 0, L.viewportWidth, L.viewportHeight);
    FontSupport_->setGeometry(0, 0, L.viewportWidth, L.viewportHeight);
    VScroll1_->move(L.viewportWidth + 1, 0);
    HScroll1_->setGeometry(0, HScroll1_->y(), L.viewportWidth, HScroll1_->height());
    VScroll1_->setRange(0, L.vScrollMax);
    VScroll1_->setPageStep(L.viewportHeight);
    VScroll1_->setSingleStep(L.cellHeight);
    HScroll1_->setRange(0, std::max(L.hScrollMax, 0));
    HScroll1_->setPageStep(L.viewportWidth);
    HScroll1_->setSingleStep(L.cellWidth);
    HScroll1_->setVisible(L.hScrollVisible);
    FitChildren();
}

}  // namespace pixmere
