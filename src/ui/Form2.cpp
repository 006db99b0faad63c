#include "ui/Form2.h"

#include <QApplication>
#include <QElapsedTimer>
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

// The option buttons of a mode: which button, where, and the value it gives the mode.
struct ModeOption {
    int n;
    const char* caption;
    int frame;  // Frame1 or Frame2
    int left, top, width, height;
    int16_t ConversionState::*mode;
    int16_t value;
};
const ModeOption kModeOptions[] = {
    {1, "4 decalages", 1, 240, 1320, 1455, 360, &ConversionState::ShiftMode, 0},
    {2, "8 decalages", 1, 240, 2040, 1455, 375, &ConversionState::ShiftMode, 1},
    {3, "seuillage puis ET logique", 2, 240, 480, 2535, 555, &ConversionState::CombineMode, 0},
    {4, "ET logique puis seuillage", 2, 240, 1200, 2535, 555, &ConversionState::CombineMode, 1},
    {5, "moyenne puis seuillage", 2, 240, 1920, 2415, 555, &ConversionState::CombineMode, 2},
    {6, "pas de decalage", 1, 240, 480, 1815, 555, &ConversionState::ShiftMode, 2},
};

// The fitting's options, Option7 and Option8.
constexpr TtfFit kFitOptions[] = {TtfFit::XHeight, TtfFit::WholeFace};

// While the range is converted the previews follow at this pace in milliseconds: drawing the
// surface for every character would cost more than converting it.
constexpr int kPreviewInterval = 100;

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

// The enlarged result, from the combined bits: each dot a square of whole screen pixels with the
// grid between them where the box allows it, else the cell scaled down smoothly to fit; the
// cell keeps its proportions and sits in the middle of the box.
class ResultBox : public QWidget {
public:
    ResultBox(const TtfConverter& converter, QWidget* parent)
        : QWidget(parent), converter_(converter) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Window));
        const FontParams& p = converter_.document();
        const int w = p.FormatLengthCar, h = p.FormatHeightCar;
        const SampleArray& bits = converter_.state.SampleBits;
        const bool sampled = bits.columns() == w && bits.rows() == h && bits.shifts() >= 1;
        QImage cell(w, h, QImage::Format_RGB32);
        cell.fill(kRgbCyan);
        for (int y = 0; y < h && sampled; ++y) {
            for (int x = 0; x < w; ++x) {
                if (bits(x, y, 0)) cell.setPixel(x, y, kRgbBlack);
            }
        }
        const int dot = std::min(width() / w, height() / h);
        if (dot < 1) {
            const QImage fitted =
                cell.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
            painter.drawImage((width() - fitted.width()) / 2, (height() - fitted.height()) / 2,
                              fitted);
            return;
        }
        const QRect target((width() - w * dot) / 2, (height() - h * dot) / 2, w * dot, h * dot);
        painter.drawImage(target, cell);
        if (dot < 4) return;  // the grid would hide the dots
        painter.setPen(QColor::fromRgb(kRgbBlue));
        for (int k = 1; k < w; ++k) {
            painter.drawLine(target.left() + k * dot, target.top(), target.left() + k * dot,
                             target.bottom());
        }
        for (int k = 1; k < h; ++k) {
            painter.drawLine(target.left(), target.top() + k * dot, target.right(),
                             target.top() + k * dot);
        }
    }

private:
    const TtfConverter& converter_;
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
        QWidget* box = n == 2 ? static_cast<QWidget*>(new ResultBox(converter_, this))
                              : new PictureBox(std::move(source), this);
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

QRadioButton* Form2::Option(int n, const char* caption, QGroupBox* frame, int left, int top,
                            int width, int height) {
    auto* button = new QRadioButton(QString::fromUtf8(caption), frame);
    button->setObjectName(QStringLiteral("Option%1").arg(n));
    button->setGeometry(twips_.Rect(left, top, width, height));
    options_[n - 1] = button;
    return button;
}

void Form2::BuildOptions() {
    const Twips& t = twips_;
    Frame1_ = new QGroupBox(QStringLiteral("Parametre 1"), this);
    Frame1_->setObjectName(QStringLiteral("Frame1"));
    Frame1_->setGeometry(t.Rect(5400, 5280, 2295, 2655));
    Frame2_ = new QGroupBox(QStringLiteral("Parametre 2"), this);
    Frame2_->setObjectName(QStringLiteral("Frame2"));
    Frame2_->setGeometry(t.Rect(7800, 5280, 3015, 2655));
    for (const ModeOption& o : kModeOptions) {
        Option(o.n, o.caption, o.frame == 1 ? Frame1_ : Frame2_, o.left, o.top, o.width, o.height);
    }
    options_[0]->setChecked(true);
    options_[2]->setChecked(true);
    for (const ModeOption& o : kModeOptions) {
        connect(options_[o.n - 1], &QRadioButton::toggled, this, [this, o](bool on) {
            if (on) SettingChanged([this, o] { converter_.state.*o.mode = o.value; });
        });
    }
    BuildFitOptions();
}

void Form2::BuildFitOptions() {
    Frame3_ = new QGroupBox(QStringLiteral("Fitting"), this);
    Frame3_->setObjectName(QStringLiteral("Frame3"));
    Frame3_->setGeometry(twips_.Rect(120, 6960, 2760, 1335));
    Option(7, "Fit: &X height", Frame3_, 240, 360, 2400, 375)->setChecked(true);
    Option(8, "Fit: &whole face", Frame3_, 240, 840, 2400, 375);
    for (int i = 0; i < 2; ++i) {
        connect(options_[6 + i], &QRadioButton::toggled, this,
                [this, fit = kFitOptions[i]](bool on) {
                    if (on) Guarded([this, fit] { converter_.Fit_Change(fit); });
                });
    }
}

QPushButton* Form2::Button(const char* name, const QString& caption, int left, int top, int width,
                           int height) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(twips_.Rect(left, top, width, height));
    button->setAutoDefault(false);
    return button;
}

void Form2::BuildButtons() {
    Command2_ = Button("Command2", QStringLiteral("Conversion"), 4320, 4320, 2895, 735);
    connect(Command2_, &QPushButton::clicked, this, &Form2::Command2_Click);
    FullAuto_ = Button("FullAuto", QStringLiteral("Convert"), 2760, 5880, 1215, 735);
    FullAuto_->raise();            // over the lower edge of Picture4
    FullAuto_->setEnabled(false);  // until the dialog waits for it
    connect(FullAuto_, &QPushButton::clicked, this, &Form2::FullAuto_Press);
    cancell_ = Button("cancell", QStringLiteral("Cancel"), 1080, 3600, 1455, 495);
    connect(cancell_, &QPushButton::clicked, this, &Form2::cancell_Click);
    Defaults_ = Button("Defaults", QStringLiteral("&Defaults"), 120, 8520, 1455, 495);
    Defaults_->setToolTip(QStringLiteral("Back to the settings the dialog first had"));
    connect(Defaults_, &QPushButton::clicked, this, &Form2::Defaults_Click);

    ProgressBar1_ = new QProgressBar(this);
    ProgressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1_->setTextVisible(false);
    ProgressBar1_->setGeometry(twips_.Rect(120, 4440, 3375, 255));
    min_ = Label("min", QStringLiteral("0%"), 120, 4200, 495, 255);
    max_ = Label("max", QStringLiteral("100%"), 3120, 4200, 495, 255);
}

void Form2::Load(const ConversionSettings& settings) {
    show();
    converter_.Load(settings);
    ShowSettings();
    ShowPictures();
}

bool Form2::WaitForConvert() {
    if (cancelled_ || running_ || waiting_) return false;
    waiting_ = true;
    convertPressed_ = false;
    FullAuto_->setEnabled(true);
    // Events run as between two characters of the conversion, not in an event loop of their
    // own: that would delete the parameters dialog that led here while its Ok still runs.
    while (!convertPressed_ && !cancelled_ && isVisible()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    waiting_ = false;
    FullAuto_->setEnabled(false);
    return convertPressed_ && !cancelled_ && isVisible();
}

void Form2::FullAuto_Press() {
    if (waiting_) convertPressed_ = true;
}

void Form2::ShowSettings() {
    const ConversionControls& c = converter_.controls;
    const ConversionState& s = converter_.state;
    for (auto [box, text] : {std::pair{Text1_, c.Text1}, {Text4_, c.Text4}}) {
        if (box->text() == text) continue;
        const QSignalBlocker block(box);
        box->setText(text);
    }
    for (auto [slider, value] : {std::pair{Slider2_, c.Slider2}, {Slider5_, c.Slider5}}) {
        const QSignalBlocker block(slider);
        slider->setValue(value);
    }
    // Checking one option of a frame clears the others, whose handlers ignore that.
    const auto check = [](QRadioButton* option) {
        const QSignalBlocker block(option);
        option->setChecked(true);
    };
    for (const ModeOption& o : kModeOptions) {
        if (s.*o.mode == o.value) check(options_[o.n - 1]);
    }
    check(options_[s.Fit == TtfFit::WholeFace ? 7 : 6]);
}

void Form2::ShowPictures() {
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
    ShowSettings();
    ShowPictures();
}

void Form2::SettingChanged(const std::function<void()>& change) {
    Guarded([&] {
        change();
        converter_.PreviewAgain();
    });
}

void Form2::Text1_Change(const QString& text) {
    Guarded([&] { converter_.Text1_Change(text); });
}

void Form2::Text4_Change(const QString& text) {
    const float before = converter_.state.Resolution;
    Guarded([&] {
        converter_.Text4_Change(text);
        // A text that is no resolution keeps the one the preview has.
        if (converter_.state.Resolution != before) converter_.PreviewAgain();
    });
}

void Form2::Slider2_Change(int value) {
    // The counts stay those of the previewed character: combining them again is converting it
    // again.
    Guarded([&] { converter_.Slider2_Change(value); });
}

void Form2::Slider5_Change(int value) {
    SettingChanged([&] { converter_.Slider5_Change(value); });
}

void Form2::Command2_Click() {
    Guarded([&] { converter_.ConvertCurrent(); });
}

void Form2::Defaults_Click() {
    SettingChanged([&] { converter_.Apply(ConversionSettings{}); });
}

void Form2::cancell_Click() {
    cancelled_ = true;
    if (running_) converter_.state.ClosingFlag = true;
    QDialog::reject();
}

void Form2::SetRunControls(bool running) {
    // The range is converted with the settings shown; a preview converted between two
    // characters would also overwrite the result of the character in progress.
    for (QWidget* control : std::initializer_list<QWidget*>{
             Text1_, Text4_, Slider2_, Slider5_, Frame1_, Frame2_, Frame3_, Command2_, Defaults_}) {
        control->setEnabled(!running);
    }
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

    QElapsedTimer shown;
    shown.start();
    TtfImportResult result = converter_.FullAuto_Click([&](const TtfProgress& progress) {
        ProgressBar1_->setValue(progress.done);
        if (shown.elapsed() >= kPreviewInterval) {
            ShowPictures();
            shown.restart();
        }
        // Cancel, or closing the dialog, stops the conversion after this character.
        QApplication::processEvents();
        return !cancelled_;
    });

    running_ = false;
    SetRunControls(false);
    if (failedInHandler_) result = TtfImportResult::Failure();
    ShowPictures();
    return result;
}

}  // namespace pixmere
