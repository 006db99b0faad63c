// The printer download file: whatever loads must write back byte for byte, so it also loads
// back to the same font.
#include <algorithm>

#include "FuzzCheck.h"
#include "formats/BinFile.h"
#include "formats/Exports.h"

using namespace pixmere;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const auto file = fuzz::Bytes(data, size);
    const auto loaded = fuzz::Accepted([&] { return LoadBin(file); });
    if (!loaded) return 0;
    const Font font = loaded->build();
    fuzz::CheckFont(font);
    const std::vector<uint8_t> again = saveBin(font);
    fuzz::Check(std::equal(again.begin(), again.end(), file.begin(), file.end()),
                "a download file writes back byte for byte");
    return 0;
}
