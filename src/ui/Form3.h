#pragma once

#include <QDialog>
#include <optional>

#include "model/FontParameters.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace pixmere {

class Prompts;

// The four commands the parameters dialog serves.
enum class PropertyMode : uint8_t { FontProperties = 0, NewFont = 1, TrueType = 2, CFile = 4 };

// The font parameters dialog ("Font Property"), modal. Set up for its mode, Run() waits for
// the user and gives the parameters Ok accepted: the new font's or the import's, or for font
// properties the open font's with the downstroke and magnification changed. Refused values
// keep it open; Cancel and its window frame's close give nothing.
class Form3 : public QDialog {
    Q_OBJECT
public:
    Form3(PropertyMode mode, Prompts& prompts, QWidget* parent = nullptr);

    // Set-ups of the modes.
    void affichform3(const FontParams& font);  // font properties: its values, all locked
    void NewFont();                            // new font and C file: every field open
    void ImportTTF();                          // TrueType: every field open
    // Shows the dialog and waits; the accepted parameters, or nothing when dismissed.
    std::optional<FontParams> Run();
    PropertyMode mode() const { return mode_; }
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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildFields();
    void BuildLayout();
    void ConnectRules();
    void LockSizeFields(bool locked);
    // Fills every field with p.
    void ShowValues(const FontParams& p);
    void ShowRange(int first, int last);
    void Refuse(ParameterRefusal refusal);
    void OkProperties();

    const PropertyMode mode_;
    Prompts& prompts_;
    FontParams shown_;  // font properties: the open font's
    std::optional<FontParams> accepted_;
    QLineEdit* width1_;
    QLineEdit* height1_;
    QLineEdit* charmin1_;
    QLineEdit* charmax1_;
    QComboBox* Magnificatio_;
    QComboBox* Jambage_;
    QPushButton* Ok_;
    QPushButton* Cancel_;
    bool rangeFixed_ = false;
};

}  // namespace pixmere
