#pragma once

#include <QPointF>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <utility>

class QScrollBar;
class QWheelEvent;

namespace pixmere {

// A picture area as large as its viewport that shows a bigger picture at scroll offsets, and
// reports the pointer in picture coordinates with the handlers' button and shift values
// (buttons 1 left, 2 right, 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt).
class ScrolledPicture : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    void SetOffsets(int horizontal, int vertical);
    int hOffset() const { return hOffset_; }
    int vOffset() const { return vOffset_; }
    // Picture position of a widget position.
    QPointF ToCanvas(QPointF widgetPos) const { return widgetPos + QPointF(hOffset_, vOffset_); }

signals:
    void Pressed(int button, int shift, double x, double y);
    void Moved(int button, int shift, double x, double y);
    void Released(int button, int shift, double x, double y);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

    int hOffset_ = 0;
    int vOffset_ = 0;
};

// A vertical and a horizontal scroll bar ("VScroll<n>", "HScroll<n>", children of parent) that
// move picture at every step of a thumb drag; the horizontal one starts hidden.
std::pair<QScrollBar*, QScrollBar*> PictureScrollBars(ScrolledPicture* picture, int n,
                                                      QWidget* parent);

// Places a picture's viewport in `room` (the owner's coordinates) less the scroll bars a picture
// of `size` needs there, a bar in one direction taking room from the other; the picture fills
// the viewport. A bar shown scrolls a page a viewport and `steps` a line; one hidden goes back
// to 0.
void PlaceScrollBars(QWidget* viewport, ScrolledPicture* picture, QScrollBar* vertical,
                     QScrollBar* horizontal, const QRect& room, QSize size, QSize barSize,
                     QSize steps);

// Turns of the mouse wheel over a view with a vertical and a horizontal scroll bar. A turn
// scrolls by the system's lines per notch, a line being the bar's single step, at most a page;
// Shift+wheel, or a sideways wheel, scrolls horizontally. Ctrl+wheel scrolls nothing and counts
// zoom steps instead: one a notch, finer wheels adding up to notches.
class WheelTurns {
public:
    // Scrolls for the event, or returns the zoom steps it completes (positive away from the
    // user: zoom in).
    int Take(QWheelEvent& event, QScrollBar* vertical, QScrollBar* horizontal);

private:
    int zoomAngle_ = 0;
};

// Button and Shift values of the pointer handlers from a Qt mouse event.
int ButtonValue(Qt::MouseButtons buttons);
int ShiftValue(Qt::KeyboardModifiers modifiers);

}  // namespace pixmere
