#include "ui/TtfImportCommand.h"

#include <QSettings>

#include "model/UserError.h"
#include "truetype/FitLosses.h"
#include "truetype/TtfImport.h"
#include "ui/Form2.h"
#include "ui/Form3.h"
#include "ui/MDIForm1.h"
#include "ui/Prompts.h"

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

std::optional<OpenedFont> TtfImportCommand::Run() {
    const std::optional<FontChoice> choice = fontDialog_->Choose(&frame_);
    if (!choice) return std::nullopt;
    std::optional<TtfFace> face;
    try {
        face.emplace(fontDialog_->Open(*choice));
    } catch (const UserError& e) {
        prompts_.Message(&frame_, QMessageBox::Critical, QString::fromStdString(e.caption()),
                         QString::fromStdString(e.what()), QMessageBox::Ok);
        return std::nullopt;
    }
    Form3 parameters(PropertyMode::TrueType, prompts_, &frame_);
    parameters.ImportTTF();
    const std::optional<FontParams> cell = parameters.Run();
    if (!cell) return std::nullopt;
    FontParams document = *cell;
    document.NbCar = document.lastcar - document.firstcar + 1;

    TtfImportResult result = Convert(*face, document);
    const TtfFit fit = dialog_ ? dialog_->converter().Settings().Fit : TtfFit::XHeight;
    if (result.status == TtfImportResult::Status::Failed) {
        prompts_.Message(dialog_ ? static_cast<QWidget*>(dialog_.data()) : &frame_,
                         QMessageBox::Critical, QStringLiteral("Error"),
                         QString::fromStdString(result.message), QMessageBox::Ok);
    }
    if (dialog_) dialog_->CloseFromCode();
    if (frame_.FileCommandsLocked()) frame_.UnlockFileCommands();
    delete dialog_.data();
    if (result.status != TtfImportResult::Status::Done) return std::nullopt;
    // The fitting may have left characters of the face empty or cut: the user hears which.
    const std::string lost =
        LostCharactersMessage(LostCharacters(result), fit, "\"Fit: whole face\"");
    OpenedFont opened(std::move(result.font));
    opened.title = opened.label = choice->face;
    opened.notice = QString::fromStdString(lost);
    opened.outlines = std::move(result.outlines);
    return opened;
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
