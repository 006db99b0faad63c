#include "ui/TtfImportCommand.h"

#include <QSettings>

#include "model/UserError.h"
#include "truetype/TtfImport.h"
#include "ui/Form2.h"
#include "ui/MDIForm1.h"
#include "ui/Prompts.h"
#include "ui/form1.h"

namespace pixmere {

namespace {

// The application's settings under this group; fit "x" or "face".
const QString kShiftMode = QStringLiteral("TrueTypeImport/shiftMode");
const QString kCombineMode = QStringLiteral("TrueTypeImport/combineMode");
const QString kThreshold = QStringLiteral("TrueTypeImport/threshold");
const QString kAmplitude = QStringLiteral("TrueTypeImport/amplitude");
const QString kResolution = QStringLiteral("TrueTypeImport/resolution");
const QString kFit = QStringLiteral("TrueTypeImport/fit");

int Whole(const QSettings& settings, const QString& key, int lo, int hi, int fallback) {
    bool ok = false;
    const int value = settings.value(key).toInt(&ok);
    return ok && value >= lo && value <= hi ? value : fallback;
}

}  // namespace

ConversionSettings RememberedConversionSettings(const QSettings& settings) {
    const ConversionSettings d;
    ConversionSettings s;
    s.ShiftMode = static_cast<int16_t>(Whole(settings, kShiftMode, 0, 2, d.ShiftMode));
    s.CombineMode = static_cast<int16_t>(Whole(settings, kCombineMode, 0, 2, d.CombineMode));
    s.Threshold = Whole(settings, kThreshold, 1, 100, d.Threshold);
    s.Amplitude = Whole(settings, kAmplitude, 0, 50, d.Amplitude);
    bool ok = false;
    const double r = settings.value(kResolution).toDouble(&ok);
    s.Resolution = ok && r > 0 && r <= kMaxResolution ? static_cast<float>(r) : d.Resolution;
    const QString fit = settings.value(kFit).toString();
    s.Fit = fit == QLatin1String("face") ? TtfFit::WholeFace : TtfFit::XHeight;
    return s;
}

void RememberConversionSettings(QSettings& settings, const ConversionSettings& conversion) {
    settings.setValue(kShiftMode, conversion.ShiftMode);
    settings.setValue(kCombineMode, conversion.CombineMode);
    settings.setValue(kThreshold, conversion.Threshold);
    settings.setValue(kAmplitude, conversion.Amplitude);
    settings.setValue(kResolution, static_cast<double>(conversion.Resolution));
    settings.setValue(kFit, conversion.Fit == TtfFit::WholeFace ? "face" : "x");
}

TtfImportCommand::TtfImportCommand(MDIForm1& frame, Prompts& prompts,
                                   std::unique_ptr<FontDialog> fontDialog)
    : frame_(frame),
      prompts_(prompts),
      fontDialog_(fontDialog ? std::move(fontDialog) : std::make_unique<FontDialog>()) {}

TtfImportCommand::~TtfImportCommand() = default;

Form2* TtfImportCommand::dialog() const { return dialog_.data(); }

bool TtfImportCommand::Start(form1& window) {
    waiting_ = nullptr;
    face_.reset();
    const std::optional<FontChoice> choice = fontDialog_->Choose(&frame_);
    if (!choice) return false;
    try {
        face_.emplace(fontDialog_->Open(*choice));
    } catch (const UserError& e) {
        prompts_.Message(&frame_, QMessageBox::Critical, QString::fromStdString(e.caption()),
                         QString::fromStdString(e.what()), QMessageBox::Ok);
        return false;
    }
    window.ShowName(choice->face);
    waiting_ = &window;
    window.ShowPropertyDialog(2);
    if (!frame_.propertyDialog()) {  // another one is open: nothing to continue
        waiting_ = nullptr;
        face_.reset();
        return false;
    }
    return true;
}

bool TtfImportCommand::Continue(form1& window) {
    if (waiting_ != &window || !face_ || dialog_) return false;
    const TtfFace face = *face_;
    waiting_ = nullptr;
    face_.reset();

    // The range comes from the values the parameters dialog kept for the import.
    const AppState& app = frame_.app();
    FontParams document = window.params();
    document.firstcar = app.ImportFirstCar;
    document.lastcar = app.ImportLastCar;
    document.NbCar = document.lastcar - document.firstcar + 1;

    const QPointer<form1> target(&window);
    TtfImportResult result = Convert(face, document);

    // The window may only have gone with the frame closing meanwhile, which cancels.
    const bool windowOpen = target && frame_.app().Document(target->index()) == target;
    bool received = false;
    if (result.status == TtfImportResult::Status::Done && windowOpen) {
        try {
            target->SetFont(std::move(result.font), true);
            received = true;
        } catch (const std::exception&) {
            result = TtfImportResult::Failure();
        }
    }
    if (result.status == TtfImportResult::Status::Failed) {
        prompts_.Message(dialog_ ? static_cast<QWidget*>(dialog_.data()) : &frame_,
                         QMessageBox::Critical, QStringLiteral("Error"),
                         QString::fromStdString(result.message), QMessageBox::Ok);
    }
    if (dialog_) dialog_->CloseFromCode();
    if (frame_.FileCommandsLocked()) frame_.UnlockFileCommands();
    delete dialog_.data();
    return received;
}

TtfImportResult TtfImportCommand::Convert(const TtfFace& face, const FontParams& document) {
    try {
        dialog_ = new Form2(face, document, prompts_, &frame_);
        dialog_->Load(RememberedConversionSettings(QSettings()));
        frame_.LockFileCommands([this] {
            if (dialog_) dialog_->cancell_Click();
        });
        if (!dialog_->WaitForConvert()) return {TtfImportResult::Status::Cancelled, {}, {}};
        QSettings settings;
        RememberConversionSettings(settings, dialog_->converter().Settings());
        return dialog_->FullAuto_Click();
    } catch (const std::exception&) {
        return TtfImportResult::Failure();
    }
}

}  // namespace pixmere
