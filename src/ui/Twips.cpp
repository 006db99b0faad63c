#include "ui/Twips.h"

#include <QWidget>

namespace pixmere {

Twips Twips::Of(const QWidget* widget) {
    const double dpiX = widget ? widget->logicalDpiX() : 96;
    const double dpiY = widget ? widget->logicalDpiY() : 96;
    return Twips{dpiX > 0 ? 1440 / dpiX : 15, dpiY > 0 ? 1440 / dpiY : 15};
}

}  // namespace pixmere
