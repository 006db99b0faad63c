// Linux console fonts, PSF 1 or 2, plain or gzip-compressed. Every glyph fills its cell exactly,
// so nothing may be cut.
#include "ImportCheck.h"
#include "formats/PsfFile.h"

using namespace pixmere;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const auto imported = fuzz::Accepted([&] { return LoadPsf(fuzz::Bytes(data, size)); });
    if (!imported) return 0;
    fuzz::Check(imported->charactersCut == 0, "a console font's glyphs fit their cells");
    fuzz::CheckImported(*imported, data, size);
    return 0;
}
