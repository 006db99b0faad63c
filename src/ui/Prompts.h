#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace pixmere {

// Every modal message box of the editor goes through one of these, so tests can answer them
// without a person and see what was asked.
class Prompts {
public:
    virtual ~Prompts() = default;
    virtual QMessageBox::StandardButton Message(QWidget* parent, QMessageBox::Icon icon,
                                                const QString& title, const QString& text,
                                                QMessageBox::StandardButtons buttons);
};

// Caption of message boxes that name none of their own.
inline const char* const kAppTitle = "Velmar Pixmere";

}  // namespace pixmere
