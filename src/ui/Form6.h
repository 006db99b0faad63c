#pragma once

#include <QWidget>

class QLabel;

namespace pixmere {

// The About box, shown modeless and closed with its window's close control.
class Form6 : public QWidget {
    Q_OBJECT
public:
    explicit Form6(QWidget* parent = nullptr);

    static const char* const kWebAddress;
    static const char* const kSupportAddress;

private:
    QLabel* web_;
    QLabel* mail_;
};

}  // namespace pixmere
