// The conversion dialog on its own: its controls drive the engine and the previews show what the
// engine made.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <algorithm>

#include "UiTestSupport.h"
#include "support/GlyphPicture.h"
#include "ui/Form2.h"

namespace pixmere {
namespace {

FontParams Cell16x16() {
    FontParams p;
    p.FormatHeightCar = 16;
    p.FormatLengthCar = 16;
    p.jambon = 3;
    p.firstcar = 0x20;
    p.lastcar = 0x7E;
    p.NbCar = 95;
    return p;
}

TtfFace DejaVu() { return TtfFace::Installed("DejaVu Sans", false, false); }

// The conversion result SampleBits(x, y, 0) as a picture.
std::vector<std::string> Result(const Form2& dialog) {
    const ConversionState& s = dialog.converter().state;
    std::vector<std::string> rows;
    for (int y = 0; y < s.SampleBits.rows(); ++y) {
        std::string row;
        for (int x = 0; x < s.SampleBits.columns(); ++x) row += s.SampleBits(x, y, 0) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

// The cells a preview shows: the colour at the centre of each of the W x H cells.
std::vector<std::string> Shown(QWidget* preview, int W, int H) {
    const QImage image = preview->grab().toImage();
    std::vector<std::string> rows;
    for (int y = 0; y < H; ++y) {
        std::string row;
        for (int x = 0; x < W; ++x) {
            const QColor c = image.pixelColor((2 * x + 1) * image.width() / (2 * W),
                                              (2 * y + 1) * image.height() / (2 * H));
            row += c == QColor(Qt::black) ? '#' : '.';
        }
        rows.push_back(row);
    }
    return rows;
}

int Ink(const std::vector<std::string>& rows) {
    int n = 0;
    for (const std::string& row : rows) {
        n += static_cast<int>(std::count(row.begin(), row.end(), '#'));
    }
    return n;
}

void Retype(QLineEdit* box, const QString& text) {
    box->selectAll();
    QTest::keyClicks(box, text);
}

// The two previews show the result of the latest combination.
void ExpectPreviewsShowTheResult(Form2& dialog) {
    const std::string result = test::Joined(Result(dialog));
    EXPECT_EQ(test::Joined(Shown(dialog.picture(2), 16, 16)), result);
    EXPECT_EQ(test::Joined(Shown(dialog.picture(3), 16, 16)), result);
}

TEST(Form2, LoadConvertsTheReferenceCharacterAndShowsIt) {
    test::ScriptedPrompts prompts;
    Form2 dialog(DejaVu(), Cell16x16(), prompts);
    dialog.Load();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.progressBar1()->isVisible());
    EXPECT_EQ(dialog.text1()->text(), "X");
    EXPECT_TRUE(dialog.option(1)->isChecked());
    EXPECT_TRUE(dialog.option(3)->isChecked());
    // "X" fills the cell above the three downstroke rows.
    const std::vector<std::string> x = Result(dialog);
    EXPECT_NE(x[0].find('#'), std::string::npos) << test::Joined(x);
    EXPECT_EQ(x[15], "................") << test::Joined(x);
    ExpectPreviewsShowTheResult(dialog);
    // The drawing surface shows the engine's: "X" in black under the green cell grid.
    const QImage surface = dialog.converter().Picture1().Image();
    const QImage shown = dialog.picture(1)->grab().toImage().convertToFormat(surface.format());
    EXPECT_EQ(shown.scaled(surface.size()), surface);
    int grid = 0, ink = 0;
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            grid += surface.pixelColor(x, y) == QColor(Qt::green);
            ink += surface.pixelColor(x, y) == QColor(Qt::black);
        }
    }
    EXPECT_GT(grid, 0);
    EXPECT_GT(ink, 0);
}

TEST(Form2, ControlsDriveTheConversionAndThePreviews) {
    test::ScriptedPrompts prompts;
    Form2 dialog(DejaVu(), Cell16x16(), prompts);
    dialog.Load();
    const ConversionState& s = dialog.converter().state;

    // A character typed into the box is fitted, converted and shown.
    Retype(dialog.text1(), "W");
    EXPECT_EQ(s.CurrentChar, "W");
    ExpectPreviewsShowTheResult(dialog);
    const int lowThreshold = Ink(Result(dialog));
    EXPECT_EQ(dialog.converter().FillRatioText(), ScientificRatio(lowThreshold, 256));

    // A higher threshold keeps fewer cells, without sampling again.
    dialog.slider2()->setValue(70);
    EXPECT_EQ(dialog.converter().controls.Slider2, 70);
    EXPECT_LT(Ink(Result(dialog)), lowThreshold);
    ExpectPreviewsShowTheResult(dialog);
    EXPECT_EQ(dialog.converter().FillRatioText(), ScientificRatio(Ink(Result(dialog)), 256));

    // The shift options take effect at the next "Conversion".
    dialog.option(6)->click();
    EXPECT_EQ(s.ShiftMode, 2);
    EXPECT_EQ(s.ShiftCount, 4);
    dialog.command2()->click();
    EXPECT_EQ(s.ShiftCount, 1);
    dialog.option(2)->click();
    dialog.command2()->click();
    EXPECT_EQ(s.ShiftCount, 8);
    ExpectPreviewsShowTheResult(dialog);

    // Averaging compares the mean count with the slider value itself and writes no ratio.
    dialog.option(5)->click();
    EXPECT_EQ(s.CombineMode, 2);
    dialog.slider2()->setValue(1);
    EXPECT_EQ(dialog.converter().FillRatioText(), "");
    EXPECT_GT(Ink(Shown(dialog.picture(2), 16, 16)), 0);

    // Resolution: a number the box can hold, else the previous one stays.
    Retype(dialog.text4(), "7");
    EXPECT_FLOAT_EQ(s.Resolution, 7.0f);
    Retype(dialog.text4(), "x");
    EXPECT_FLOAT_EQ(s.Resolution, 7.0f);
    dialog.slider5()->setValue(35);
    EXPECT_FLOAT_EQ(s.Amplitude, 3.5f);
    EXPECT_TRUE(prompts.asked.empty());
}

TEST(Form2, AFailureOutsideAConversionIsReportedAndTheDialogStays) {
    test::ScriptedPrompts prompts;
    Form2 dialog(DejaVu(), Cell16x16(), prompts);
    dialog.Load();
    dialog.converter().state.SavedStepX = 0;  // the fitting of the next character divides by it
    Retype(dialog.text1(), "B");
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].icon, QMessageBox::Critical);
    EXPECT_EQ(prompts.asked[0].text, "Datas Extraction Failure.");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.Cancelled());
}

}  // namespace
}  // namespace pixmere
