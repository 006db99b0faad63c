#include "ui/Form2.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "ui/Prompts.h"

namespace pixmere {

namespace {

// The dialog's client area in twips: every control of its layout fits inside.
constexpr int kDialogWidth = 11055;
constexpr int kDialogHeight = 9855;

// A picture area showing an image of the engine, stretched to its size without smoothing so
// that one image pixel stays one block of screen pixels. Clicks do nothing.
class PictureBox : public QWidget {
public:
    PictureBox(std::function<QImage()> source, QWidget* parent)
        : QWidget(parent), source_(std::move(source)) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QImage image = source_ ? source_() : QImage();
        if (image.isNull()) {
            painter.fillRect(rect(), Qt::white);
        } else {
            painter.drawImage(rect(), image);
        }
    }

private:
    std::function<QImage()> source_;
};

}  // namespace

Form2::Form2(TtfFace face, const FontParams& document, Prompts& prompts, QWidget* parent)
    : QDialog(parent), converter_(std::move(face), document), prompts_(prompts) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("TTF Encryptor"));
    setModal(false);
    twips_ = Twips::Of(this);
    // The layout's sizes were made for a small dialog face.
    QFont small = font();
    small.setPointSizeF(8);
    setFont(small);
    BuildControls();
    min_->hide();
    max_->hide();
    ProgressBar1_->hide();
}

Form2::~Form2() = default;

void Form2::BuildControls() {
    setFixedSize(twips_.X(kDialogWidth), twips_.Y(kDialogHeight));
    BuildPictures();
    BuildEntries();
    BuildOptions();
    BuildButtons();
}

QLabel* Form2::Label(const char* name, const QString& caption, int left, int top, int width,
                     int height) {
    auto* l = new QLabel(caption, this);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(twips_.Rect(left, top, width, height));
    return l;
}

void Form2::BuildPictures() {
    const Twips& t = twips_;
    // The picture areas show the engine's; Picture4 is cleared at every conversion and never
    // written.
    using Picture = const PictureArea& (TtfConverter::*)() const;
    auto picture = [&](int n, Picture area, int left, int top, int width, int height) {
        std::function<QImage()> source;
        if (area) source = [this, area] { return (converter_.*area)().Image(); };
        auto* box = new PictureBox(std::move(source), this);
        box->setObjectName(QStringLiteral("Picture%1").arg(n));
        box->setGeometry(t.Rect(left, top, width, height));
        pictures_[n - 1] = box;
    };
    picture(1, &TtfConverter::Picture1, 240, 240, 3135, 3135);
    picture(2, &TtfConverter::Picture2, 6840, 600, 2655, 2655);
    picture(3, &TtfConverter::Picture3, 8400, 3600, 735, 615);
    picture(4, nullptr, 2400, 5520, 1935, 615);
    picture(5, &TtfConverter::Picture5, 7560, 4440, 1935, 615);
}

void Form2::BuildEntries() {
    const Twips& t = twips_;
    Text1_ = new QLineEdit(this);
    Text1_->setObjectName(QStringLiteral("Text1"));
    Text1_->setMaxLength(1);
    Text1_->setAlignment(Qt::AlignCenter);
    QFont large = Text1_->font();
    large.setPointSize(24);
    Text1_->setFont(large);
    Text1_->setGeometry(t.Rect(1320, 5400, 615, 675));
    Label("Label2", QStringLiteral("Caractère:"), 120, 5580, 1140, 315);
    connect(Text1_, &QLineEdit::textChanged, this, &Form2::Text1_Change);

    Text4_ = new QLineEdit(QStringLiteral("5"), this);
    Text4_->setObjectName(QStringLiteral("Text4"));
    Text4_->setMaxLength(2);
    Text4_->setGeometry(t.Rect(4200, 7560, 375, 375));
    Label("Label7", QStringLiteral("resolution:"), 3000, 7620, 1140, 315);
    connect(Text4_, &QLineEdit::textChanged, this, &Form2::Text4_Change);

    Slider5_ = new QSlider(Qt::Horizontal, this);
    Slider5_->setObjectName(QStringLiteral("Slider5"));
    Slider5_->setRange(0, 50);
    Slider5_->setValue(20);
    Slider5_->setGeometry(t.Rect(6120, 9240, 3255, 255));
    Label("Label8", QStringLiteral("Amplitude mouvement"), 6120, 8940, 3255, 255);
    connect(Slider5_, &QSlider::valueChanged, this, &Form2::Slider5_Change);

    Slider2_ = new QSlider(Qt::Vertical, this);
    Slider2_->setObjectName(QStringLiteral("Slider2"));
    Slider2_->setRange(1, 100);
    Slider2_->setValue(1);
    Slider2_->setGeometry(t.Rect(9720, 960, 615, 3975));
    Label("Label3", QStringLiteral("S haut"), 9720, 660, 1095, 255);
    connect(Slider2_, &QSlider::valueChanged, this, &Form2::Slider2_Change);
}

void Form2::BuildOptions() {
    const Twips& t = twips_;
    Frame1_ = new QGroupBox(QStringLiteral("Parametre 1"), this);
    Frame1_->setObjectName(QStringLiteral("Frame1"));
    Frame1_->setGeometry(t.Rect(5400, 5280, 2295, 2655));
    Frame2_ = new QGroupBox(QStringLiteral("Parametre 2"), this);
    Frame2_->setObjectName(QStringLiteral("Frame2"));
    Frame2_->setGeometry(t.Rect(7800, 5280, 3015, 2655));
    struct Option {
        int n;
        const char* caption;
        QGroupBox* frame;
        int left, top, width, height;
        int16_t ConversionState::*mode;
        int16_t value;
    };
    const Option options[] = {
        {1, "4 decalages", Frame1_, 240, 1320, 1455, 360, &ConversionState::ShiftMode, 0},
        {2, "8 decalages", Frame1_, 240, 2040, 1455, 375, &ConversionState::ShiftMode, 1},
        {3, "seuillage puis ET logique", Frame2_, 240, 480, 2535, 555,
         &ConversionState::CombineMode, 0},
        {4, "ET logique puis seuillage", Frame2_, 240, 1200, 2535, 555,
         &ConversionState::CombineMode, 1},
        {5, "moyenne puis seuillage", Frame2_, 240, 1920, 2415, 555, &ConversionState::CombineMode,
         2},
        {6, "pas de decalage", Frame1_, 240, 480, 1815, 555, &ConversionState::ShiftMode, 2},
    };
    for (const Option& o : options) {
        auto* button = new QRadioButton(QString::fromLatin1(o.caption), o.frame);
        button->setObjectName(QStringLiteral("Option%1").arg(o.n));
        button->setGeometry(t.Rect(o.left, o.top, o.width, o.height));
        // The mode takes effect at the next conversion or threshold change.
        connect(button, &QRadioButton::toggled, this, [this, o](bool on) {
            if (on) converter_.state.*o.mode = o.value;
        });
        options_[o.n - 1] = button;
    }
    options_[0]->setChecked(true);
    options_[2]->setChecked(true);
}

void Form2::BuildButtons() {
    const Twips& t = twips_;
    Command2_ = new QPushButton(QStringLiteral("Conversion"), this);
    Command2_->setObjectName(QStringLiteral("Command2"));
    Command2_->setGeometry(t.Rect(4320, 4320, 2895, 735));
    connect(Command2_, &QPushButton::clicked, this, &Form2::Command2_Click);
    FullAuto_ = new QPushButton(QStringLiteral("Convert"), this);
    FullAuto_->setObjectName(QStringLiteral("FullAuto"));
    FullAuto_->setGeometry(t.Rect(2760, 5880, 1215, 735));
    FullAuto_->raise();  // over the lower edge of Picture4
    // The import runs its conversion itself; the button is there to show that one runs.
    connect(FullAuto_, &QPushButton::clicked, this, [this] {
        if (!running_) FullAuto_Click();
    });
    cancell_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancell_->setObjectName(QStringLiteral("cancell"));
    cancell_->setGeometry(t.Rect(1080, 3600, 1455, 495));
    connect(cancell_, &QPushButton::clicked, this, &Form2::cancell_Click);
    for (QPushButton* button : {Command2_, FullAuto_, cancell_}) button->setAutoDefault(false);

    ProgressBar1_ = new QProgressBar(this);
    ProgressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1_->setTextVisible(false);
    ProgressBar1_->setGeometry(t.Rect(120, 4440, 3375, 255));
    min_ = Label("min", QStringLiteral("0%"), 120, 4200, 495, 255);
    max_ = Label("max", QStringLiteral("100%"), 3120, 4200, 495, 255);
}

void Form2::Load() {
    show();
    converter_.Load();
    ShowEngineState();
}

void Form2::ShowEngineState() {
    // Fitting the reference character puts "X" into the preview box, as typing would.
    if (Text1_->text() != converter_.controls.Text1) {
        const QSignalBlocker block(Text1_);
        Text1_->setText(converter_.controls.Text1);
    }
    const ConversionState& s = converter_.state;
    const int shiftOption = s.ShiftMode == 1 ? 2 : s.ShiftMode == 2 ? 6 : 1;
    const int combineOption = s.CombineMode == 1 ? 4 : s.CombineMode == 2 ? 5 : 3;
    for (int n : {shiftOption, combineOption}) {
        if (!options_[n - 1]->isChecked()) options_[n - 1]->setChecked(true);
    }
    for (QWidget* box : pictures_) box->update();
}

void Form2::Guarded(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const std::exception&) {
        if (running_) {
            failedInHandler_ = true;
            converter_.state.ClosingFlag = true;
        } else {
            prompts_.Message(this, QMessageBox::Critical, QStringLiteral("Error"),
                             QString::fromLatin1(kExtractionFailureMessage), QMessageBox::Ok);
        }
    }
    ShowEngineState();
}

void Form2::Text1_Change(const QString& text) {
    Guarded([&] { converter_.Text1_Change(text); });
}

void Form2::Text4_Change(const QString& text) {
    Guarded([&] { converter_.Text4_Change(text); });
}

void Form2::Slider2_Change(int value) {
    Guarded([&] { converter_.Slider2_Change(value); });
}

void Form2::Slider5_Change(int value) {
    Guarded([&] { converter_.Slider5_Change(value); });
}

void Form2::Command2_Click() {
    Guarded([&] { converter_.ConvertCurrent(); });
}

void Form2::cancell_Click() {
    cancelled_ = true;
    if (running_) converter_.state.ClosingFlag = true;
    QDialog::reject();
}

void Form2::SetRunControls(bool running) {
    // A preview conversion between two characters would overwrite the result of the character
    // in progress before it is packed.
    FullAuto_->setEnabled(!running);
    Command2_->setEnabled(!running);
    Text1_->setEnabled(!running);
}

TtfImportResult Form2::FullAuto_Click() {
    if (running_) {
        TtfImportResult busy;
        busy.status = TtfImportResult::Status::Cancelled;
        return busy;
    }
    running_ = true;
    failedInHandler_ = false;
    SetRunControls(true);
    const FontParams& document = converter_.document();
    min_->show();
    max_->show();
    ProgressBar1_->setRange(0, document.lastcar - document.firstcar + 1);
    ProgressBar1_->setValue(0);
    ProgressBar1_->show();

    TtfImportResult result = converter_.FullAuto_Click([this](const TtfProgress& progress) {
        ProgressBar1_->setValue(progress.done);
        ShowEngineState();
        // The user may move the sliders, pick options or cancel between two characters.
        QApplication::processEvents();
        return !cancelled_;
    });

    running_ = false;
    SetRunControls(false);
    if (failedInHandler_) {
        result = TtfImportResult{};
        result.status = TtfImportResult::Status::Failed;
        result.message = kExtractionFailureMessage;
    }
    ShowEngineState();
    return result;
}

}  // namespace pixmere
