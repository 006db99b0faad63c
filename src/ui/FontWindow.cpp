#include "ui/FontWindow.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QScrollBar>
#include <QWheelEvent>
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
}

void FontWindow::BuildControls(QWidget* controls) {
    const Twips& t = twips_;
    SizeKo_ = BlueLabel(QStringLiteral("Size = XXXXXX Bytes"), controls);
    SizeKo_->setObjectName(QStringLiteral("SizeKo"));
    SizeKo_->setToolTip(QStringLiteral("Printer Memory Needed in the printer"));
    // Room for the largest font's figure, seven digits.
    SizeKo_->setMinimumWidth(
        SizeKo_->fontMetrics().horizontalAdvance(QStringLiteral("Font Size = 8888888 Bytes")) + 4);
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
    std::tie(VScroll1_, HScroll1_) = PictureScrollBars(FontSupport_, 1, this);
    VScroll1_->hide();
}

QSize FontWindow::sizeHint() const { return QSize(twips_.X(9000 + 255), twips_.Y(3000)); }

QSize FontWindow::minimumSizeHint() const { return QSize(twips_.X(1500), twips_.Y(900)); }

void FontWindow::SetFont(const Font* font) {
    font_ = font;
    FontSupport_->SetFont(font);
}

bool FontWindow::SelectZoom(const QString& text) {
    const int item = ZoomFactor_->findText(text);
    if (item < 0) return false;
    ZoomFactor_->setCurrentIndex(item);
    return true;
}

void FontWindow::TakeChosenZoom() { Z_ = ZoomFactor_->currentText().toInt(); }

void FontWindow::StepZoom(int steps) {
    if (steps == 0 || !ZoomFactor_->isEnabled()) return;
    const int item = std::clamp(ZoomFactor_->currentIndex() + steps, 0, ZoomFactor_->count() - 1);
    if (item == ZoomFactor_->currentIndex()) return;
    ZoomFactor_->setCurrentIndex(item);
    emit ZoomChosen();
}

CellLayout FontWindow::cellLayout() const {
    return CellLayout{layout_.cellWidth, layout_.cellHeight, layout_.cellsPerRow};
}

void FontWindow::ShowProgress(bool shown) {
    for (QWidget* part : {static_cast<QWidget*>(min_), static_cast<QWidget*>(ProgressBar1_),
                          static_cast<QWidget*>(max_)}) {
        part->setVisible(shown);
    }
}

void FontWindow::Refresh() {
    if (!font_) return;
    const FontParams& p = font_->params;
    twips_ = Twips::Of(this);
    {
        const QSignalBlocker v(VScroll1_);
        const QSignalBlocker h(HScroll1_);
        VScroll1_->setValue(0);
        HScroll1_->setValue(0);
    }
    FontSupport_->SetOffsets(0, 0);
    ShowProgress(true);
    ProgressBar1_->setRange(0, p.NbCar);
    ProgressBar1_->setValue(0);
    Relayout();
    // The cells in view are painted at once, the others when they are scrolled to.
    FontSupport_->repaint();
    ProgressBar1_->setValue(p.NbCar);
    ShowProgress(false);
    SizeKo_->setText(QStringLiteral("Font Size = %1 Bytes").arg(PrinterBytes(p)));
}

void FontWindow::Relayout() {
    if (!font_) return;
    const FontParams& p = font_->params;
    FontLayoutInput in;
    in.W = p.FormatLengthCar;
    in.H = p.FormatHeightCar;
    in.M = p.Magnification;
    in.Z = Z_;
    in.N = p.NbCar;
    in.areaWidth = width();
    in.areaHeight = height();
    in.vScrollWidth = twips_.X(255);
    in.hScrollHeight = twips_.Y(255);
    layout_ = ComputeFontLayout(in);
    ApplyLayout();
}

void FontWindow::ApplyLayout() {
    const FontLayout& L = layout_;
    FontPic_->setGeometry(0, 0, L.viewportWidth, L.viewportHeight);
    FontSupport_->setGeometry(0, 0, L.viewportWidth, L.viewportHeight);
    FontSupport_->SetLayout(L, Z_);
    VScroll1_->setGeometry(L.viewportWidth, 0, width() - L.viewportWidth, L.viewportHeight);
    HScroll1_->setGeometry(0, L.viewportHeight, L.viewportWidth, height() - L.viewportHeight);
    VScroll1_->setRange(0, L.vScrollMax);
    VScroll1_->setPageStep(L.viewportHeight);
    VScroll1_->setSingleStep(L.cellHeight);
    VScroll1_->setVisible(L.vScrollVisible);
    HScroll1_->setRange(0, std::max(L.hScrollMax, 0));
    HScroll1_->setPageStep(L.viewportWidth);
    HScroll1_->setSingleStep(L.cellWidth);
    HScroll1_->setVisible(L.hScrollVisible);
}

void FontWindow::EnsureVisible(int index) {
    const FontLayout& L = layout_;
    if (L.cellWidth <= 0 || index < 0) return;
    const auto bring = [](QScrollBar* bar, int start, int size, int view) {
        if (start < bar->value() || size > view) {
            bar->setValue(start);
        } else if (start + size > bar->value() + view) {
            bar->setValue(start + size - view);
        }
    };
    bring(HScroll1_, L.CellLeft(index), L.cellWidth + 1, L.viewportWidth);
    bring(VScroll1_, L.CellTop(index), L.cellHeight + 1, L.viewportHeight);
}

void FontWindow::resizeEvent(QResizeEvent*) {
    if (!font_) {
        FontPic_->setGeometry(0, 0, width(), height());
        FontSupport_->setGeometry(0, 0, width(), height());
        return;
    }
    Relayout();
    emit Relaid();
}

void FontWindow::wheelEvent(QWheelEvent* event) {
    StepZoom(wheel_.Take(*event, VScroll1_, HScroll1_));
}

}  // namespace pixmere
