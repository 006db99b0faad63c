// A stand-alone Windows raster font resource.
#include "FuzzCheck.h"
#include "formats/FntFile.h"

using namespace pixmere;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::Refusable([&] { fuzz::CheckFont(FntBegin(fuzz::Bytes(data, size)).build()); });
    return 0;
}
