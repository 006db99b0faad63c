#include <ostream>

#include "cli/Commands.h"
#include "cli/FontFiles.h"
#include "model/FontParameters.h"

namespace pixmere::cli {

namespace {

int RunNew(const Args& args, Io& io) {
    if (args.positional().size() != 1) throw UsageError("expected one output file");
    FontParameterTexts texts;
    const auto option = [&](const char* name, const std::string& fallback) {
        return args.value(name).value_or(fallback);
    };
    texts.width = option("width", "");
    texts.height = option("height", "");
    texts.first = option("first", texts.first);
    texts.last = option("last", texts.last);
    texts.downstroke = option("downstroke", texts.downstroke);
    texts.magnification = option("magnification", texts.magnification);
    if (texts.width.empty()) throw UsageError("--width is required");
    if (texts.height.empty()) throw UsageError("--height is required");
    const ParameterCheck check = CheckFontParameters(texts);
    if (check.refusal != ParameterRefusal::None) throw UsageError(RefusalMessage(check.refusal));
    const std::string& out = args.positional()[0];
    const OutputType type = OutputTypeFor(out, args);
    WriteFont(MatrixToObject(check.params, check.params.blankMatrix()), out, type, io.err);
    return 0;
}

}  // namespace

Command NewCommand() {
    return {"new",
            "new OUT --width W --height H [--first HEX] [--last HEX] [--downstroke J] "
            "[--magnification M] [--to pzf|bin|c|txt]",
            "Creates a blank font (first 20, last FF, downstroke 0, magnification 1 by default).",
            {{"width", "height", "first", "last", "downstroke", "magnification", "to"}, {}},
            RunNew};
}

}  // namespace pixmere::cli
