// A C table, read with the parameters the dialog would give: the input's first four bytes are
// the width, height, downstroke and magnification, the rest is the file. The range is the one
// the file's parameter lines state, 20h to FFh without them. Whatever loads must export to C
// and read back, with only the parameters its own lines state, to the same font.
#include "formats/CFile.h"

#include <optional>

#include "FuzzCheck.h"
#include "formats/Exports.h"

using namespace pixmere;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    FontParams entered;
    entered.FormatLengthCar = data[0];
    entered.FormatHeightCar = data[1];
    entered.jambon = data[2];
    entered.Magnification = data[3];
    const auto file = fuzz::Bytes(data + 4, size - 4);
    const auto loaded = fuzz::Accepted([&] { return ParseCFile(file, entered); });
    if (!loaded) return 0;
    const Font font = loaded->build();
    fuzz::CheckFont(font);
    const std::optional<FontParams> own = CFileParameters(file);
    fuzz::Check(font.params.firstcar == (own ? own->firstcar : 0x20) &&
                    font.params.NbCar == (own ? own->NbCar : 224),
                "the range is the table's own, 20h to FFh without one");

    const std::vector<uint8_t> exported = saveC(font);
    const std::optional<FontParams> stated = CFileParameters(exported);
    fuzz::Check(stated.has_value(), "an exported table states its parameters");
    fuzz::Check(fuzz::SameFont(ParseCFile(exported, *stated).build(), font),
                "an exported table reads back to the same font");
    return 0;
}
