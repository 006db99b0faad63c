#include "ui/FontCanvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "ui/PainterCanvas.h"

namespace pixmere {

namespace {

QFont CaptionFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(10);  // the band is ten pixels high
    font.setBold(false);
    font.setItalic(false);
    return font;
}

}  // namespace

QString CellCaption(int code) {
    return QStringLiteral(" ") + QString::number(code, 16).toUpper() + QStringLiteral("h");
}

void PaintCell(QPainter& painter, const Font& font, int index, int left, int top, int zoom) {
    const FontParams& p = font.params;
    const CarObject& glyph = font.glyphs[static_cast<std::size_t>(index)];
    PainterCanvas canvas(painter);
    painter.save();
    painter.translate(left, top);
    const int bandRight = p.FormatLengthCar * zoom;
    const int cellBottom = p.FormatHeightCar * p.Magnification * zoom + 10;
    painter.setClipRect(QRect(0, 0, bandRight + 1, cellBottom + 1), Qt::IntersectClip);
    glyph.CarAff(canvas, glyph.CarColor() == 255 ? "bleu" : "blanc", 0, 10, zoom, p.Magnification);
    canvas.OutlinedBox(0, 0, bandRight, 10, kBlack, kYellow);
    painter.setFont(CaptionFont());
    painter.setPen(Qt::black);
    painter.setClipRect(QRect(1, 1, std::max(bandRight - 1, 0), 9), Qt::IntersectClip);
    painter.drawText(QRect(0, -1, 4096, 12), Qt::AlignLeft | Qt::AlignVCenter,
                     CellCaption(p.firstcar + index));
    painter.restore();
}

FontCanvas::FontCanvas(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FontSupport"));
    setToolTip(QStringLiteral("Font Window"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void FontCanvas::SetLayout(const FontLayout& layout, int zoom) {
    layout_ = layout;
    zoom_ = zoom;
    update();
}

void FontCanvas::SetOffsets(int horizontal, int vertical) {
    if (horizontal == hOffset_ && vertical == vOffset_) return;
    hOffset_ = horizontal;
    vOffset_ = vertical;
    update();
}

void FontCanvas::UpdateCell(int index) {
    if (layout_.cellWidth <= 0) return;
    update(QRect(layout_.CellLeft(index) - hOffset_, layout_.CellTop(index) - vOffset_,
                 layout_.cellWidth + 1, layout_.cellHeight + 1));
}

void FontCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    painter.fillRect(area, palette().color(QPalette::Window));
    lastPaintedCells_ = 0;
    if (!font_ || font_->glyphs.empty() || layout_.cellWidth <= 0) return;
    painter.setClipRect(area);
    const QRect canvasArea = area.translated(hOffset_, vOffset_);
    for (int index : layout_.CellsIn(canvasArea.left(), canvasArea.top(), canvasArea.right() + 1,
                                     canvasArea.bottom() + 1)) {
        if (index >= static_cast<int>(font_->glyphs.size())) break;
        PaintCell(painter, *font_, index, layout_.CellLeft(index) - hOffset_,
                  layout_.CellTop(index) - vOffset_, zoom_);
        ++lastPaintedCells_;
    }
}

int ButtonValue(Qt::MouseButtons buttons) {
    int value = 0;
    if (buttons & Qt::LeftButton) value |= 1;
    if (buttons & Qt::RightButton) value |= 2;
    if (buttons & Qt::MiddleButton) value |= 4;
    return value;
}

int ShiftValue(Qt::KeyboardModifiers modifiers) {
    int value = 0;
    if (modifiers & Qt::ShiftModifier) value |= 1;
    if (modifiers & Qt::ControlModifier) value |= 2;
    if (modifiers & Qt::AltModifier) value |= 4;
    return value;
}

void FontCanvas::mousePressEvent(QMouseEvent* event) {
    const QPointF p = ToCanvas(event->position());
    emit Pressed(ButtonValue(event->button()), ShiftValue(event->modifiers()), p.x(), p.y());
}

void FontCanvas::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = ToCanvas(event->position());
    emit Moved(ButtonValue(event->buttons()), ShiftValue(event->modifiers()), p.x(), p.y());
}

void FontCanvas::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF p = ToCanvas(event->position());
    emit Released(ButtonValue(event->button()), ShiftValue(event->modifiers()), p.x(), p.y());
}

}  // namespace pixmere
