#pragma once

#include <QDialog>
#include <functional>

#include "model/Font.h"
#include "truetype/TtfConverter.h"
#include "truetype/TtfFace.h"
#include "ui/Twips.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSlider;

namespace pixmere {

class Prompts;

// The conversion dialog "TTF Encryptor" of a TrueType import. It shows the engine's pictures
// (the drawing surface Picture1, the enlarged and small results Picture2 and Picture3, the
// empty Picture4 and the fill ratio Picture5) and hands every control change to the engine.
// Once loaded it waits: every change of a setting converts the previewed character again, and
// "Convert" starts FullAuto_Click, which converts the whole range with the progress bar
// advancing per character and pending events running between characters; Cancel or closing
// the dialog abandons the import, during the conversion after the character in progress.
class Form2 : public QDialog {
    Q_OBJECT
public:
    // document: the new font's cell size, downstroke and range as the parameters dialog set
    // them. Throws std::invalid_argument for parameters that dialog refuses.
    Form2(TtfFace face, const FontParams& document, Prompts& prompts, QWidget* parent = nullptr);
    ~Form2() override;

    // Loading: shows the dialog with the settings, fits the reference character and converts
    // it once. Throws ConversionFailure when the arithmetic fails.
    void Load(const ConversionSettings& settings = {});
    // Lets the user set the conversion up, events running, until "Convert" is pressed (true)
    // or the dialog is cancelled, closed or hidden (false). "Convert" is usable only meanwhile.
    bool WaitForConvert();

    // Converts the range into a TtfMatrix. Every control but "Cancel" is disabled meanwhile,
    // so that the whole range is converted with the settings shown.
    // Returns Cancelled when Cancel was pressed or the dialog closed, Failed (with
    // kExtractionFailureMessage) when the arithmetic failed, in the loop or in a handler run
    // between two characters.
    TtfImportResult FullAuto_Click();
    // Whether Cancel was pressed or the dialog closed by the user.
    bool Cancelled() const { return cancelled_; }
    // Closes the dialog at the end of an import; that is no cancel.
    void CloseFromCode() { accept(); }

    TtfConverter& converter() { return converter_; }
    const TtfConverter& converter() const { return converter_; }

    // Controls, for tests.
    QWidget* picture(int n) const { return pictures_[n - 1]; }
    QLineEdit* text1() const { return Text1_; }
    QLineEdit* text4() const { return Text4_; }
    QSlider* slider2() const { return Slider2_; }
    QSlider* slider5() const { return Slider5_; }
    // Option1 to Option8 (Option1, 2, 6 shift mode; 3, 4, 5 combination; 7, 8 fitting).
    QRadioButton* option(int n) const { return options_[n - 1]; }
    QPushButton* defaults() const { return Defaults_; }
    QPushButton* command2() const { return Command2_; }
    QPushButton* fullAuto() const { return FullAuto_; }
    QPushButton* cancell() const { return cancell_; }
    QProgressBar* progressBar1() const { return ProgressBar1_; }

public slots:
    void Text1_Change(const QString& text);
    void Text4_Change(const QString& text);
    void Slider2_Change(int value);
    void Slider5_Change(int value);
    void Command2_Click();
    void FullAuto_Press();  // "Convert": ends the wait
    void Defaults_Click();  // the settings the dialog first loads with, previewed
    void cancell_Click();

protected:
    // Escape and the window frame's close button cancel, as "Cancel" does.
    void reject() override { cancell_Click(); }

private:
    void BuildControls();
    void BuildPictures();
    // The preview character and resolution boxes and the two sliders.
    void BuildEntries();
    void BuildOptions();
    // The fitting's frame and its two options.
    void BuildFitOptions();
    QRadioButton* Option(int n, const char* caption, QGroupBox* frame, int left, int top, int width,
                         int height);
    // The four buttons and the progress bar.
    void BuildButtons();
    QPushButton* Button(const char* name, const QString& caption, int left, int top, int width,
                        int height);
    QLabel* Label(const char* name, const QString& caption, int left, int top, int width,
                  int height);
    // Runs an engine operation for a control. A failure of the arithmetic is reported at once
    // when no conversion runs; during one it ends the conversion, which reports it.
    void Guarded(const std::function<void()>& operation);
    // A setting changed: the previewed character converted again.
    void SettingChanged(const std::function<void()>& change);
    // The controls set to the engine's values, none of them running its change.
    void ShowSettings();
    void ShowPictures();
    void SetRunControls(bool running);

    TtfConverter converter_;
    Prompts& prompts_;
    Twips twips_;
    bool running_ = false;
    bool cancelled_ = false;
    bool failedInHandler_ = false;
    bool waiting_ = false;  // for "Convert"
    bool convertPressed_ = false;

    QWidget* pictures_[5];
    QLineEdit* Text1_;
    QLineEdit* Text4_;
    QSlider* Slider5_;
    QSlider* Slider2_;
    QGroupBox* Frame1_;
    QGroupBox* Frame2_;
    QGroupBox* Frame3_;
    QRadioButton* options_[8];
    QPushButton* Command2_;
    QPushButton* FullAuto_;
    QPushButton* cancell_;
    QPushButton* Defaults_;
    QProgressBar* ProgressBar1_;
    QLabel* min_;
    QLabel* max_;
};

}  // namespace pixmere
