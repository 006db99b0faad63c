#include <ostream>

#include "cli/Commands.h"
#include "cli/FontFiles.h"

namespace pixmere::cli {

namespace {

int RunNew(const Args& args, Io& io) {
    if (args.positional().size() != 1) throw UsageError("expected one output file");
    const FontParams params = CheckedParameterOptions(args);
    const std::string& out = args.positional()[0];
    const OutputType type = OutputTypeFor(out, args);
    const CLayout layout = LayoutFor(args, type);
    WriteFont(MatrixToObject(params, params.blankMatrix()), out, type, io.err, layout);
    return 0;
}

}  // namespace

Command NewCommand() {
    return {"new",
            "new OUT --width W --height H [--first HEX] [--last HEX] [--downstroke J] "
            "[--magnification M] [--to pzf|bin|c|txt|bdf|gfx] [layout options]",
            "Creates a blank font (first 20, last FF, downstroke 0, magnification 1 by default)." +
                std::string(kOutputHelp),
            WithOutputOptions(
                {{"width", "height", "first", "last", "downstroke", "magnification"}, {}}),
            RunNew};
}

}  // namespace pixmere::cli
