// The text picture: whatever loads must write and load back to the same font.
#include "FuzzCheck.h"
#include "formats/Exports.h"
#include "formats/TxtFile.h"

using namespace pixmere;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const auto loaded = fuzz::Accepted([&] { return LoadTXT(fuzz::Bytes(data, size)); });
    if (!loaded) return 0;
    const Font font = loaded->build();
    fuzz::CheckFont(font);
    fuzz::Check(fuzz::SameFont(LoadTXT(saveTXT(font)).build(), font),
                "a text picture writes and loads back to the same font");
    return 0;
}
