// Adafruit GFX font headers. Whatever loads must keep the import's properties (ImportCheck.h)
// and, when the GFX format can hold it, export to GFX and import back to the same font.
#include "formats/GfxFont.h"

#include "ImportCheck.h"

using namespace pixmere;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const auto imported = fuzz::Accepted([&] { return LoadGfx(fuzz::Bytes(data, size)); });
    if (!imported) return 0;
    fuzz::CheckImported(*imported, data, size);
    const Font font = imported->font.build();
    // Offsets past 127 and more than 64 KiB of bitmaps are refused, with the reason.
    const auto exported = fuzz::Accepted([&] { return saveGFX(font, "fuzz", GfxAdvance::Ink); });
    if (!exported) return 0;
    const ImportedFont back = LoadGfx(*exported);
    fuzz::Check(back.charactersCut == 0 && back.charactersAboveFF == 0,
                "an exported GFX font fits its cell and its codes");
    fuzz::Check(fuzz::SameFont(back.font.build(), font),
                "an exported GFX font imports back the same");
    return 0;
}
