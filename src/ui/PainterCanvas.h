#pragma once

#include <QColor>
#include <QPainter>

#include "model/GlyphCanvas.h"

namespace pixmere {

inline QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

// The glyph canvas on a QPainter; the painter's clip keeps large cells cheap.
class PainterCanvas : public GlyphCanvas {
public:
    explicit PainterCanvas(QPainter& painter) : painter_(painter) {}
    void FillBox(int x0, int y0, int x1, int y1, Rgb colour) override {
        painter_.fillRect(QRect(QPoint(x0, y0), QPoint(x1, y1)), ToQColor(colour));
    }
    void OutlinedBox(int x0, int y0, int x1, int y1, Rgb outline, Rgb interior) override {
        painter_.fillRect(QRect(QPoint(x0, y0), QPoint(x1, y1)), ToQColor(outline));
        if (x1 - x0 >= 2 && y1 - y0 >= 2) {
            painter_.fillRect(QRect(QPoint(x0 + 1, y0 + 1), QPoint(x1 - 1, y1 - 1)),
                              ToQColor(interior));
        }
    }

private:
    QPainter& painter_;
};

}  // namespace pixmere
