#include "cli/Commands.h"
#include "cli/FontFiles.h"

namespace pixmere::cli {

namespace {

int RunConvert(const Args& args, Io& io) {
    if (args.positional().size() != 2) throw UsageError("expected an input and an output file");
    const std::string& out = args.positional()[1];
    const OutputType type = OutputTypeFor(out, args);
    const CLayout layout = LayoutFor(args, type);
    WriteFont(ReadFont(args.positional()[0], args, io.err), out, type, io.err, layout);
    return 0;
}

}  // namespace

Command ConvertCommand() {
    return {"convert",
            "convert IN OUT [input options] [--to pzf|bin|c|txt|bdf|gfx] [layout options]",
            "Converts a font file; the output type comes from OUT's extension unless --to is "
            "given." +
                std::string(kInputHelp) + kOutputHelp,
            InputOptionsAndTo(), RunConvert};
}

}  // namespace pixmere::cli
