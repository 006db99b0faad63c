#pragma once

#include <QDialog>
#include <cstdint>
#include <optional>

#include "model/FontParameters.h"

class QLineEdit;
class QPushButton;

namespace pixmere {

class Prompts;

// "Go to Character": a character or its hexadecimal code (A, 41, 41h, 0x41), modal. Ok with a
// text that names no character of the font says why in a warning and keeps the dialog; Run()
// gives the glyph asked for, or nothing after Cancel, Escape or the window frame's close.
class GoToDialog : public QDialog {
    Q_OBJECT
public:
    GoToDialog(const FontParams& params, Prompts& prompts, QWidget* parent = nullptr);

    std::optional<int32_t> Run();

    QLineEdit* field() const { return field_; }
    QPushButton* ok() const { return ok_; }

public slots:
    void accept() override;

private:
    FontParams params_;
    Prompts& prompts_;
    QLineEdit* field_;
    QPushButton* ok_;
    std::optional<int32_t> glyph_;
};

}  // namespace pixmere
