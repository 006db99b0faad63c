// A C table, read with the parameters the dialog would give: the input's first four bytes are
// the width, height, downstroke and magnification, the rest is the file.
#include "formats/CFile.h"

#include "FuzzCheck.h"

using namespace pixmere;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    FontParams entered;
    entered.FormatLengthCar = data[0];
    entered.FormatHeightCar = data[1];
    entered.jambon = data[2];
    entered.Magnification = data[3];
    fuzz::Refusable([&] {
        const Font font = ParseCFile(fuzz::Bytes(data + 4, size - 4), entered).build();
        fuzz::CheckFont(font);
        fuzz::Check(font.params.firstcar == 0x20 && font.params.NbCar == 224,
                    "a C table always covers 20h to FFh");
    });
    return 0;
}
