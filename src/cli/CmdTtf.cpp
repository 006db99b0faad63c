#include <QCoreApplication>
#include <QGuiApplication>
#include <cctype>
#include <memory>
#include <ostream>

#include "cli/Commands.h"
#include "cli/FontFiles.h"
#include "model/UserError.h"
#include "truetype/FitLosses.h"
#include "truetype/TtfImport.h"

namespace pixmere::cli {

namespace {

// Drops the toolkit's start-up chatter about the session environment, which a headless run
// does not have; everything else gets through.
void QuietStartup(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("QStandardPaths:"))) return;
    qt_message_output(type, context, message);
}

// Rasterising needs a GUI application; the other commands stay free of it. One is made for
// the conversion when the process has none, on the offscreen platform so that no display is
// needed, and goes away with it.
class GuiForConversion {
public:
    GuiForConversion() {
        if (QCoreApplication* existing = QCoreApplication::instance()) {
            if (!qobject_cast<QGuiApplication*>(existing)) {
                throw UserError("TrueType conversion needs a graphical application object.");
            }
            return;
        }
        const QtMessageHandler previous = qInstallMessageHandler(QuietStartup);
        application_ = std::make_unique<QGuiApplication>(argc_, argv_);
        qInstallMessageHandler(previous);
    }

private:
    int argc_ = 3;
    char name_[12] = "pixmere-cli";
    char option_[10] = "-platform";
    char platform_[10] = "offscreen";
    char* argv_[4] = {name_, option_, platform_, nullptr};
    std::unique_ptr<QGuiApplication> application_;
};

int16_t ShiftModeOf(const Args& args) {
    const int shifts = args.number("shifts", 4, 1, 8);
    switch (shifts) {
        case 4:
            return 0;
        case 8:
            return 1;
        case 1:
            return 2;
    }
    throw UsageError("--shifts must be 4, 8 or 1");
}

float ResolutionOf(const Args& args) {
    const auto text = args.value("resolution");
    if (!text) return 5.0f;
    std::size_t used = 0;
    float value = 0;
    try {
        value = std::stof(*text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    // Like the whole-number options, a number starts with a digit: no sign, no blank.
    const bool digitFirst =
        !text->empty() && std::isdigit(static_cast<unsigned char>(text->front()));
    if (!digitFirst || used != text->size() || !(value > 0.0f && value <= kMaxResolution)) {
        throw UsageError("--resolution must be a number above 0 and at most 99");
    }
    return value;
}

TtfFit FitOf(const Args& args) {
    const std::string fit = args.value("fit").value_or("x");
    if (fit == "x") return TtfFit::XHeight;
    if (fit == "face") return TtfFit::WholeFace;
    throw UsageError("--fit must be x or face");
}

int RunTtf(const Args& args, Io& io) {
    if (args.positional().size() != 1) throw UsageError("expected one output file");
    const auto faceName = args.value("face");
    const auto fontFile = args.value("font-file");
    if (faceName.has_value() == fontFile.has_value()) {
        throw UsageError("give either --face or --font-file");
    }
    const FontParams document = CheckedParameterOptions(args);
    ConversionSettings settings;
    settings.ShiftMode = ShiftModeOf(args);
    settings.CombineMode = static_cast<int16_t>(args.number("combine", 0, 0, 2));
    settings.Threshold = args.number("threshold", 1, 1, 100);
    settings.Amplitude = args.number("amplitude", 20, 0, 50);
    settings.Resolution = ResolutionOf(args);
    settings.Fit = FitOf(args);
    const std::string& out = args.positional()[0];
    const OutputType type = OutputTypeFor(out, args);
    const CLayout layout = LayoutFor(args, type);

    const GuiForConversion gui;
    const bool bold = args.flag("bold");
    const bool italic = args.flag("italic");
    const TtfFace face = faceName
                             ? TtfFace::Installed(QString::fromStdString(*faceName), bold, italic)
                             : TtfFace::FromFile(QString::fromLocal8Bit(*fontFile), bold, italic);
    const TtfImportResult result = ImportTtfRange(face, document, settings);
    if (result.status != TtfImportResult::Status::Done) throw UserError(result.message);
    WriteFont(result.font, out, type, io.err, layout);
    const std::string lost =
        LostCharactersMessage(LostCharacters(result), settings.Fit, "--fit face");
    if (!lost.empty()) io.err << out << ": " << lost << "\n";
    return 0;
}

}  // namespace

Command TtfCommand() {
    return {"ttf",
            "ttf OUT --face NAME | --font-file PATH --width W --height H [--first HEX] "
            "[--last HEX] [--downstroke J] [--magnification M] [--bold] [--italic] "
            "[--shifts 4|8|1] [--combine 0|1|2] [--threshold 1-100] [--amplitude 0-50] "
            "[--resolution R] [--fit x|face] [--to pzf|bin|c|txt|bdf|gfx] [layout options]",
            "Converts characters of a TrueType face into a bitmap font (first 20, last FF, "
            "downstroke 0, magnification 1, 4 shifts, mode 0, threshold 1, amplitude 20, "
            "resolution 5 by default). --fit x (the default) makes \"X\" fill the cell above "
            "the downstroke and sets each character by its height; --fit face makes the face's "
            "ascent and descent span the cell, the baseline on the downstroke, so accents and "
            "descenders are kept." +
                std::string(kOutputHelp),
            WithOutputOptions({{"face", "font-file", "width", "height", "first", "last",
                                "downstroke", "magnification", "shifts", "combine", "threshold",
                                "amplitude", "resolution", "fit"},
                               {"bold", "italic"}}),
            RunTtf};
}

}  // namespace pixmere::cli
