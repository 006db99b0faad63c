#include <QBuffer>
#include <QString>
#include <string>

#include "cli/Commands.h"
#include "cli/FontFiles.h"
#include "formats/FileIO.h"
#include "model/PrintedText.h"
#include "model/UserError.h"
#include "truetype/PrintedTextImage.h"

namespace pixmere::cli {

namespace {

int ZoomOf(const Args& args) {
    const std::optional<std::string> zoom = args.value("zoom");
    if (!zoom) return 1;
    for (const int allowed : {1, 2, 4, 8}) {
        if (*zoom == std::to_string(allowed)) return allowed;
    }
    throw UsageError("--zoom must be 1, 2, 4 or 8");
}

bool HasCharacter(const std::u32string& text) { return text.find_first_not_of(U'\n') != text.npos; }

std::vector<uint8_t> PngBytes(const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return {png.begin(), png.end()};
}

int RunRender(const Args& args, Io& io) {
    if (args.positional().size() != 2) throw UsageError("expected a font file and an output file");
    const int zoom = ZoomOf(args);
    const std::optional<std::string> given = args.value("text");
    std::u32string text;
    if (given) {
        text = QString::fromUtf8(given->data(), static_cast<qsizetype>(given->size()))
                   .toStdU32String();
        if (!HasCharacter(text)) throw UsageError("--text holds no character to print");
    }
    const std::string& out = args.positional()[1];
    const Font font = ReadFont(args.positional()[0], args, io.err);
    if (!given) text = DefaultSampleText(font.params);
    if (!HasCharacter(text)) {
        throw UserError(args.positional()[0] +
                        ": the font holds no printable character to show; give --text");
    }
    const PrintedText printed(font.params, text);
    if (!PrintedTextFits(printed, zoom)) {
        throw UserError("the picture would be " + std::to_string(int64_t{printed.width()} * zoom) +
                        " x " + std::to_string(int64_t{printed.height()} * zoom) +
                        " pixels, larger than the tool makes (" + std::to_string(kMaxPrintedSide) +
                        " on a side, " + std::to_string(kMaxPrintedPixels) +
                        " in all); nothing written");
    }
    const QImage image = PrintedTextImage(font, printed, zoom);
    const std::vector<uint8_t> png = image.isNull() ? std::vector<uint8_t>{} : PngBytes(image);
    if (png.empty()) throw UserError(WriteFailureMessage(out));
    WriteFileReplacing(out, png);
    return 0;
}

}  // namespace

Command RenderCommand() {
    OptionSpec options = InputOptions();
    options.valued.insert("text");
    options.valued.insert("zoom");
    return {
        "render",
        "render IN OUT.png [--text TEXT] [--zoom 1|2|4|8] [input options]",
        "Writes a PNG picture of TEXT set in the font as the printer prints it: each\n"
        "      character in its cell, lines at the cell height (a newline in TEXT starts one),\n"
        "      every row repeated by the magnification, each dot a ZOOM x ZOOM square (1 by\n"
        "      default), a character the font lacks as a dotted empty cell. Without --text,\n"
        "      the font's own A-Z a-z 0-9, or its first characters.",
        options,
        RunRender,
        true};
}

}  // namespace pixmere::cli
