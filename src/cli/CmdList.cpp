#include <ostream>

#include "cli/Commands.h"
#include "formats/FileIO.h"
#include "formats/FonLibrary.h"
#include "model/UserError.h"

namespace pixmere::cli {

namespace {

// One line per font of a library: its position (what --font takes), then the item text the
// editor's selection list shows.
int RunList(const Args& args, Io& io) {
    if (args.positional().size() != 1) throw UsageError("expected one font library");
    const std::string& path = args.positional()[0];
    FonLibrary library;
    try {
        library = ReadFontDirectory(ReadFileBytes(path, kFonLargestFile, ".fon"));
    } catch (const UserError& e) {
        throw UserError(MessageNamingFile(e, path), e.caption());
    }
    for (std::size_t n = 0; n < library.fonts.size(); ++n) {
        io.out << n << " " << library.fonts[n].itemText << "\n";
    }
    return 0;
}

}  // namespace

Command ListCommand() {
    return {"list",
            "list LIBRARY.fon",
            "Lists the fonts of a FON library, one a line: the position that --font N takes "
            "with convert and info, then the font's name, ordinal and height.",
            {},
            RunList};
}

}  // namespace pixmere::cli
