// Every font a library lists, read as the selection dialog's Ok reads it.
#include "FuzzCheck.h"
#include "formats/FonLibrary.h"

using namespace pixmere;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::span<const uint8_t> file = fuzz::Bytes(data, size);
    FonLibrary library;
    fuzz::Refusable([&] { library = ReadFontDirectory(file); });
    for (const FonFont& font : library.fonts) {
        fuzz::Refusable([&] { fuzz::CheckFont(LoadFonFont(file, font).build()); });
    }
    return 0;
}
