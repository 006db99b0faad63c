#include "ui/ScrolledPicture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

namespace pixmere {

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

std::pair<QScrollBar*, QScrollBar*> PictureScrollBars(ScrolledPicture* picture, int n,
                                                      QWidget* parent) {
    auto* vertical = new QScrollBar(Qt::Vertical, parent);
    vertical->setObjectName(QStringLiteral("VScroll%1").arg(n));
    auto* horizontal = new QScrollBar(Qt::Horizontal, parent);
    horizontal->setObjectName(QStringLiteral("HScroll%1").arg(n));
    horizontal->hide();
    QObject::connect(vertical, &QScrollBar::valueChanged, picture,
                     [picture, horizontal](int v) { picture->SetOffsets(horizontal->value(), v); });
    QObject::connect(horizontal, &QScrollBar::valueChanged, picture,
                     [picture, vertical](int h) { picture->SetOffsets(h, vertical->value()); });
    return {vertical, horizontal};
}

void PlaceScrollBars(QWidget* viewport, ScrolledPicture* picture, QScrollBar* vertical,
                     QScrollBar* horizontal, const QRect& room, QSize size, QSize barSize,
                     QSize steps) {
    bool across = size.width() > room.width();
    const bool down = size.height() > room.height() - (across ? barSize.height() : 0);
    across = size.width() > room.width() - (down ? barSize.width() : 0);
    const QRect view(room.topLeft(),
                     QSize(std::max(room.width() - (down ? barSize.width() : 0), 0),
                           std::max(room.height() - (across ? barSize.height() : 0), 0)));
    viewport->setGeometry(view);
    picture->setGeometry(0, 0, view.width(), view.height());
    const auto place = [](QScrollBar* bar, bool shown, const QRect& where, int range, int page,
                          int step) {
        bar->setVisible(shown);
        if (!shown) {
            bar->setValue(0);
            return;
        }
        bar->setGeometry(where);
        bar->setRange(0, range);
        bar->setPageStep(page);
        bar->setSingleStep(step);
    };
    place(horizontal, across, QRect(view.left(), view.bottom() + 1, view.width(), barSize.height()),
          size.width() - view.width(), view.width(), steps.width());
    place(vertical, down, QRect(view.right() + 1, view.top(), barSize.width(), view.height()),
          size.height() - view.height(), view.height(), steps.height());
}

int WheelTurns::Take(QWheelEvent& event, QScrollBar* vertical, QScrollBar* horizontal) {
    constexpr int kNotch = 120;  // eighths of a degree
    const QPoint angle = event.angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    event.accept();
    if (event.modifiers() & Qt::ControlModifier) {
        zoomAngle_ += delta;
        const int steps = zoomAngle_ / kNotch;
        zoomAngle_ -= steps * kNotch;
        return steps;
    }
    const bool sideways = (event.modifiers() & Qt::ShiftModifier) || angle.y() == 0;
    QScrollBar* bar = sideways ? horizontal : vertical;
    if (!bar->isVisible()) return 0;
    const int lines = QApplication::wheelScrollLines();
    const int pixels =
        std::clamp(delta * lines * bar->singleStep() / kNotch, -bar->pageStep(), bar->pageStep());
    bar->setValue(bar->value() - pixels);
    return 0;
}

void ScrolledPicture::SetOffsets(int horizontal, int vertical) {
    if (horizontal == hOffset_ && vertical == vOffset_) return;
    hOffset_ = horizontal;
    vOffset_ = vertical;
    update();
}

void ScrolledPicture::mousePressEvent(QMouseEvent* event) {
    const QPointF p = ToCanvas(event->position());
    emit Pressed(ButtonValue(event->button()), ShiftValue(event->modifiers()), p.x(), p.y());
}

// A move reports every button held, a press or release the one that changed.
void ScrolledPicture::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = ToCanvas(event->position());
    emit Moved(ButtonValue(event->buttons()), ShiftValue(event->modifiers()), p.x(), p.y());
}

void ScrolledPicture::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF p = ToCanvas(event->position());
    emit Released(ButtonValue(event->button()), ShiftValue(event->modifiers()), p.x(), p.y());
}

}  // namespace pixmere
