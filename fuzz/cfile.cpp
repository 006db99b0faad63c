// A C table, read with the parameters the dialog would give: the input's first four bytes are
// the width, height, downstroke and magnification, the rest is the file. The range is the one
// the file's parameter lines state, 20h to FFh without them; a "// Layout:" line makes it read
// as a declared table of that layout. Whatever loads must export to C in the default layout and
// in one chosen by those four bytes, and read back, with only the parameters its own lines
// state, to the same font (page order keeps no padding bits: the same pixels there).
#include "formats/CFile.h"

#include <optional>

#include "FuzzCheck.h"
#include "formats/Exports.h"

using namespace pixmere;

namespace {

Font ReadBack(const std::vector<uint8_t>& exported) {
    const std::optional<FontParams> stated = CFileParameters(exported);
    fuzz::Check(stated.has_value(), "an exported table states its parameters");
    return ParseCFile(exported, *stated).build();
}

}  // namespace

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

    fuzz::Check(fuzz::SameFont(ReadBack(saveC(font)), font),
                "an exported table reads back to the same font");
    const int n = (data[0] + data[1] + data[2] + data[3]) % 48;
    const CLayout layout{static_cast<CNumbers>(n % 2), static_cast<COrder>(n / 2 % 2),
                         static_cast<CBits>(n / 4 % 2), static_cast<CDeclaration>(n / 8 % 3),
                         static_cast<CComments>(n / 24)};
    const Font back = ReadBack(saveC(font, layout, "fuzz"));
    fuzz::Check(layout.order == COrder::Pages ? fuzz::SamePixels(back, font)
                                              : fuzz::SameFont(back, font),
                "a table in another layout reads back to the same font");
    return 0;
}
