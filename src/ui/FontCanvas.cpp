#include "ui/FontCanvas.h"

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

FontCanvas::FontCanvas(QWidget* parent) : ScrolledPicture(parent) {
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

}  // namespace pixmere
