#pragma once

#include <QDialog>
#include <QPointer>
#include <cstdint>
#include <vector>

#include "formats/FonLibrary.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace pixmere {

class Prompts;
class form1;

// "Font Selection": the fonts of a .fon library, one of which goes to the document window that
// waits for it (fresh and hidden). Ok loads the selected font into that window, Cancel and
// closing the dialog close the window; either way the dialog goes. It is modeless and holds no
// busy flag: while it waits, activating another window makes that one the target of the frame's
// commands, as at any other time.
class Form4 : public QDialog {
    Q_OBJECT
public:
    // bytes are the library file's, read once, so the font comes from what was listed.
    Form4(form1& document, const QString& path, std::vector<uint8_t> bytes, FonLibrary library,
          Prompts& prompts, QWidget* parent = nullptr);

    QListWidget* ListFnt() const { return ListFnt_; }
    QLabel* title() const { return title_; }
    QPushButton* OkChooseFON() const { return OkChooseFON_; }
    QPushButton* Cancel() const { return Cancel_; }
    // The window waiting for the font, while it is open.
    form1* document() const;

public slots:
    void OkChooseFON_Click();
    void Cancel_Click();
    void reject() override;

private:
    QPointer<form1> document_;
    QString path_;
    std::vector<uint8_t> bytes_;
    FonLibrary library_;
    Prompts& prompts_;
    QLabel* title_;
    QListWidget* ListFnt_;
    QPushButton* OkChooseFON_;
    QPushButton* Cancel_;
    bool answered_ = false;
};

}  // namespace pixmere
