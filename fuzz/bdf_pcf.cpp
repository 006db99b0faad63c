// X11 bitmap fonts, BDF or PCF, plain or gzip-compressed: FreeType reads them, the mapping onto
// the cell is ours. Whatever imports must export to BDF and import back to the same font.
#include "BdfReadBack.h"

using namespace pixmere;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const auto imported = fuzz::Accepted([&] { return LoadBdfPcf(fuzz::Bytes(data, size)); });
    if (!imported) return 0;
    const Font font = imported->font.build();
    fuzz::CheckFont(font);
    fuzz::Check(imported->charactersCut >= 0 && imported->charactersCut <= font.params.NbCar,
                "only characters of the font are counted as cut");
    fuzz::CheckBdfReadBack(font, fuzz::TrailingName(data, size));
    return 0;
}
