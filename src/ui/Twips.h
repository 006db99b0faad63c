#pragma once

#include <QRect>

class QWidget;

namespace pixmere {

// Window geometry is written in twips (1/1440 inch) and placed in pixels at the screen's
// twips per pixel, 15 on a standard 96-dpi screen.
struct Twips {
    double tx = 15;
    double ty = 15;

    static Twips Of(const QWidget* widget);
    int X(int twips) const { return static_cast<int>(twips / tx + 0.5); }
    int Y(int twips) const { return static_cast<int>(twips / ty + 0.5); }
    QRect Rect(int left, int top, int width, int height) const {
        return QRect(X(left), Y(top), X(width), Y(height));
    }
};

}  // namespace pixmere
