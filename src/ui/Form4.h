#pragma once

#include <QDialog>
#include <optional>

#include "formats/FonLibrary.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace pixmere {

// "Font Selection": the fonts of a .fon library, modal. Run() waits for the user and gives the
// position of the font chosen with Ok (the first when none is selected), or nothing after
// Cancel, Escape or the window frame's close.
class Form4 : public QDialog {
    Q_OBJECT
public:
    explicit Form4(const FonLibrary& library, QWidget* parent = nullptr);

    std::optional<int> Run();

    QListWidget* ListFnt() const { return ListFnt_; }
    QLabel* title() const { return title_; }
    QPushButton* OkChooseFON() const { return OkChooseFON_; }
    QPushButton* Cancel() const { return Cancel_; }

public slots:
    void OkChooseFON_Click();
    void Cancel_Click();

private:
    QLabel* title_;
    QListWidget* ListFnt_;
    QPushButton* OkChooseFON_;
    QPushButton* Cancel_;
    std::optional<int> chosen_;
};

}  // namespace pixmere
