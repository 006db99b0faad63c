#include <ostream>

#include "cli/Commands.h"
#include "cli/FontFiles.h"
#include "model/FontParameters.h"

namespace pixmere::cli {

namespace {

int RunInfo(const Args& args, Io& io) {
    if (args.positional().size() != 1) throw UsageError("expected one input file");
    const Font font = ReadFont(args.positional()[0], args, io.err);
    const FontParams& p = font.params;
    io.out << "width: " << int(p.FormatLengthCar) << "\n"
           << "height: " << int(p.FormatHeightCar) << "\n"
           << "downstroke: " << int(p.jambon) << "\n"
           << "first: 0x" << HexText(p.firstcar) << "\n"
           << "last: 0x" << HexText(p.lastCode()) << "\n"
           << "count: " << p.NbCar << "\n"
           << "magnification: " << int(p.Magnification) << "\n"
           << "printer bytes: " << PrinterBytes(p) << "\n";
    return 0;
}

}  // namespace

Command InfoCommand() {
    return {"info",
            "info IN [input options]",
            "Prints the parameters of a font and the printer memory it needs.",
            InputOptions(),
            RunInfo,
            true};
}

}  // namespace pixmere::cli
