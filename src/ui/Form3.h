#pragma once

#include <QDialog>
#include <QPointer>
#include <optional>

#include "model/FontParameters.h"
#include "ui/AppState.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace pixmere {

class Prompts;
class form1;

// The font parameters dialog ("Font Property"). One dialog serves four commands, told apart by
// AppState::PropertyMode: 0 font properties, 1 new font, 2 TrueType import, 4 C-file import.
// It always works on one document, the current one when it was opened. In modes 1, 2 and 4 it
// is part of a running font command: CommandBusy holds until it closes.
class Form3 : public QDialog {
    Q_OBJECT
public:
    Form3(AppState& app, Prompts& prompts, form1* document, QWidget* parent = nullptr);

    // Set-ups of the four modes.
    void affichform3();  // mode 0: current values, size and range locked
    void NewFont();      // modes 1 and 4
    void ImportTTF();    // mode 2
    // Fills the downstroke list with "0" up to the height.
    void ListJambage(int height);
    // Shows a character range that cannot be changed (the C-file import's); Ok takes it as it
    // is, as no one typed it.
    void FixRange(int first, int last);
    // The parameters a C table states: the size, downstroke and magnification filled in, the
    // range fixed to the table's own.
    void ShowCFileParameters(const FontParams& p);

    QLineEdit* width1() const { return width1_; }
    QLineEdit* height1() const { return height1_; }
    QLineEdit* charmin1() const { return charmin1_; }
    QLineEdit* charmax1() const { return charmax1_; }
    QComboBox* Magnificatio() const { return Magnificatio_; }
    QComboBox* Jambage() const { return Jambage_; }
    QPushButton* Ok() const { return Ok_; }
    QPushButton* Cancel() const { return Cancel_; }

    FontParameterTexts Texts() const;

public slots:
    void Ok_Click();
    void Cancel_Click();
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;

private:
    void BuildFields();
    void BuildLayout();
    void ConnectRules();
    void Show();
    void LockSizeFields(bool locked);
    // Fills every field with p.
    void ShowValues(const FontParams& p);
    void ShowRange(int first, int last);
    void Refuse(ParameterRefusal refusal);
    void OkProperties();

    AppState& app_;
    Prompts& prompts_;
    QPointer<form1> document_;
    QLineEdit* width1_;
    QLineEdit* height1_;
    QLineEdit* charmin1_;
    QLineEdit* charmax1_;
    QComboBox* Magnificatio_;
    QComboBox* Jambage_;
    QPushButton* Ok_;
    QPushButton* Cancel_;
    bool rangeFixed_ = false;
    bool NewCancelled_ = false;
    bool closedFromFrame_ = false;
    bool unloaded_ = false;
    std::optional<BusyCommand> busy_;
};

}  // namespace pixmere
