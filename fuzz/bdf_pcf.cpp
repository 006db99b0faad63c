// X11 bitmap fonts, BDF or PCF, plain or gzip-compressed: FreeType reads them, the mapping onto
// the cell is ours.
#include "ImportCheck.h"

using namespace pixmere;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const auto imported = fuzz::Accepted([&] { return LoadBdfPcf(fuzz::Bytes(data, size)); });
    if (imported) fuzz::CheckImported(*imported, data, size);
    return 0;
}
