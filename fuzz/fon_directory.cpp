// The font list of a font library, as the selection dialog and `list` show it.
#include "FuzzCheck.h"
#include "formats/FonLibrary.h"

using namespace pixmere;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::Refusable([&] {
        const FonLibrary library = ReadFontDirectory(fuzz::Bytes(data, size));
        fuzz::Check(!library.fonts.empty(), "a library lists at least one font");
        for (const FonFont& font : library.fonts) {
            fuzz::Check(font.offset < size, "a listed font starts inside the file");
        }
    });
    return 0;
}
