#include "ui/EditCanvas.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPolygonF>

#include "ui/PainterCanvas.h"

namespace pixmere {

namespace {

// quad: grid lines on every pixel boundary, then the baseline mark jambon rows above the bottom;
// an outline goes between the two.
void Grid(QPainter& painter, const FontParams& p, int zoom, uint8_t f) {
    const int W = p.FormatLengthCar;
    const int H = p.FormatHeightCar;
    const QColor grid = ToQColor(kGridColour);
    for (int i = 0; i <= W; ++i) painter.fillRect(i * zoom, 0, 1, H * zoom * f, grid);
    for (int j = 0; j <= H; ++j) painter.fillRect(0, j * zoom * f, W * zoom, 1, grid);
}

void BaselineMark(QPainter& painter, const FontParams& p, int zoom, uint8_t f) {
    painter.fillRect(0, (p.FormatHeightCar - p.jambon) * zoom * f, p.FormatLengthCar * zoom, 1,
                     ToQColor(kLightRed));
}

// The outline one screen pixel wide, glyph pixel (c, r) being the block at (c * zoom,
// r * zoom * f). It darkens what is there, so the ink stays black and a grid line it follows
// still shows it.
void DrawOutline(QPainter& painter, const SourceOutline& outline, int zoom, uint8_t f) {
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Darken);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(ToQColor(kOutlineColour), 0));
    painter.setBrush(Qt::NoBrush);
    const double yScale = static_cast<double>(zoom) * f;
    for (const std::vector<OutlinePoint>& contour : outline.contours) {
        QPolygonF polygon;
        polygon.reserve(static_cast<qsizetype>(contour.size()));
        for (const OutlinePoint& p : contour) polygon << QPointF(p.x * zoom, p.y * yScale);
        painter.drawPolygon(polygon);
    }
    painter.restore();
}

}  // namespace

void PaintEditPicture(QPainter& painter, const Font& font, int index, int zoom, uint8_t magnif,
                      const SourceOutline* outline) {
    PainterCanvas canvas(painter);
    font.glyphs[static_cast<std::size_t>(index)].CarAff(canvas, "blanc", 0, 0, zoom, magnif);
    Grid(painter, font.params, zoom, magnif);
    if (outline) DrawOutline(painter, *outline, zoom, magnif);
    BaselineMark(painter, font.params, zoom, magnif);
}

EditCanvas::EditCanvas(QWidget* parent) : ScrolledPicture(parent) {
    setObjectName(QStringLiteral("ZoomPic"));
    setToolTip(QStringLiteral("Edit Window"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void EditCanvas::ShowGlyph(int index) {
    shown_ = index;
    update();
}

void EditCanvas::ShowOutline(bool shown) {
    outlineShown_ = shown;
    update();
}

void EditCanvas::RefreshRow(int j) {
    if (shown_ < 0) return;
    update(QRect(-hOffset_, j * zoom_ * magnif_ - vOffset_, PictureSize().width(),
                 zoom_ * magnif_ + 1));
}

void EditCanvas::SetZoom(int zoom, uint8_t magnif) {
    zoom_ = zoom;
    magnif_ = magnif;
    update();
}

QSize EditCanvas::PictureSize() const {
    if (!font_) return QSize(4, 4);
    return QSize(font_->params.FormatLengthCar * zoom_ + 4,
                 font_->params.FormatHeightCar * zoom_ * magnif_ + 4);
}

void EditCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    if (!font_ || shown_ < 0 || shown_ >= static_cast<int>(font_->glyphs.size())) return;
    painter.setClipRect(event->rect());
    painter.translate(-hOffset_, -vOffset_);
    const SourceOutline* outline = outlineShown_ && outlineOf_ ? outlineOf_(shown_) : nullptr;
    PaintEditPicture(painter, *font_, shown_, zoom_, magnif_, outline);
}

}  // namespace pixmere
