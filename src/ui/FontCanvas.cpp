#include "ui/FontCanvas.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <string>
#include <utility>
#include <vector>

#include "model/Windows1252.h"
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

// The caption's forms, longest first, with their widths in the caption face; measured once for
// each code, so painting a cell measures nothing.
struct CaptionForms {
    QString text[3];
    int width[3];
};

const CaptionForms& FormsOf(int code) {
    static const std::vector<CaptionForms> forms = [] {
        const QFontMetrics metrics(CaptionFont());
        std::vector<CaptionForms> all(256);
        for (int c = 0; c < 256; ++c) {
            const QString digits = QString::number(c, 16).toUpper();
            CaptionForms& f = all[static_cast<std::size_t>(c)];
            f.text[0] = CellCaption(c);
            f.text[1] = digits + QStringLiteral("h");
            f.text[2] = digits;
            for (int i = 0; i < 3; ++i) f.width[i] = metrics.horizontalAdvance(f.text[i]);
        }
        return all;
    }();
    return forms[static_cast<std::size_t>(code & 0xFF)];
}

}  // namespace

QString CellCaption(int code) {
    return QStringLiteral(" ") + QString::number(code, 16).toUpper() + QStringLiteral("h");
}

QString CarInfoText(int code, int width, int height) {
    QString text = QString::number(code, 16).toUpper() + QStringLiteral("h  ");
    const QChar character(static_cast<char16_t>(Windows1252ToUnicode(static_cast<uint8_t>(code))));
    if (code >= 0 && code <= 255 && character.isPrint() && !character.isSpace()) {
        text += character + QStringLiteral("  ");
    }
    return text + QStringLiteral("%1 \u00d7 %2").arg(width).arg(height);
}

QString FittedCellCaption(int code, int bandWidth) {
    const CaptionForms& forms = FormsOf(code);
    // The band's outline takes a pixel on either side.
    for (int i = 0; i < 3; ++i) {
        if (forms.width[i] <= bandWidth - 1) return forms.text[i];
    }
    return QString();
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
    const QString caption = FittedCellCaption(p.firstcar + index, bandRight);
    if (!caption.isEmpty()) {
        painter.setFont(CaptionFont());
        painter.setPen(Qt::black);
        painter.setClipRect(QRect(1, 1, std::max(bandRight - 1, 0), 9), Qt::IntersectClip);
        painter.drawText(QRect(0, -1, 4096, 12), Qt::AlignLeft | Qt::AlignVCenter, caption);
    }
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

void FontCanvas::keyPressEvent(QKeyEvent* event) {
    static const std::pair<int, CarKey> keys[] = {
        {Qt::Key_Left, CarKey::Left}, {Qt::Key_Right, CarKey::Right}, {Qt::Key_Up, CarKey::Up},
        {Qt::Key_Down, CarKey::Down}, {Qt::Key_Home, CarKey::Home},   {Qt::Key_End, CarKey::End}};
    const Qt::KeyboardModifiers other =
        event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    for (const auto& [key, carKey] : keys) {
        if (event->key() == key && other == Qt::NoModifier) {
            emit CarKeyPressed(carKey, ShiftValue(event->modifiers()));
            return;
        }
    }
    // One printable character, typed without Ctrl or Alt.
    const std::u32string typed = event->text().toStdU32String();
    if (other == Qt::NoModifier && typed.size() == 1 && QChar::isPrint(typed[0])) {
        emit CharacterTyped(typed[0]);
        return;
    }
    ScrolledPicture::keyPressEvent(event);
}

bool FontCanvas::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip || !font_ || layout_.cellWidth <= 0) {
        return ScrolledPicture::event(event);
    }
    // The character under the pointer, whose caption may be too narrow to read.
    auto* help = static_cast<QHelpEvent*>(event);
    const QPointF at = ToCanvas(help->pos());
    const FontWindowHit hit = HitTestFontWindow(
        at.x(), at.y(), CellLayout{layout_.cellWidth, layout_.cellHeight, layout_.cellsPerRow},
        font_->params.NbCar);
    const QString tip =
        hit.valid ? CarInfoText(font_->params.firstcar + static_cast<int>(hit.HitCar),
                                font_->params.FormatLengthCar, font_->params.FormatHeightCar)
                  : toolTip();
    QToolTip::showText(help->globalPos(), tip, this);
    return true;
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
