// The native file reader; whatever it loads must save and load back to the same font.
#include "FuzzCheck.h"
#include "formats/NativeFile.h"

using namespace pixmere;

namespace {

// The font a native save keeps: the characters from 20h on.
std::vector<uint8_t> StoredData(const Font& font) {
    const std::size_t glyphBytes = font.params.glyphDataSize() / font.glyphs.size();
    const int dropped = font.params.firstcar < 0x20 ? 0x20 - font.params.firstcar : 0;
    std::vector<uint8_t> data = font.glyphData();
    data.erase(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(dropped * glyphBytes));
    return data;
}

void RoundTrip(const std::vector<uint8_t>& bytes) {
    const Font font = LoadNative(bytes).build();
    fuzz::CheckFont(font);
    const Font again = LoadNative(SaveNative(font).bytes).build();
    const FontParams& p = font.params;
    const FontParams& q = again.params;
    fuzz::Check(q.FormatLengthCar == p.FormatLengthCar && q.FormatHeightCar == p.FormatHeightCar &&
                    q.jambon == p.jambon && q.Magnification == p.Magnification &&
                    q.lastCode() == p.lastCode() && q.firstcar == std::max<int>(p.firstcar, 0x20),
                "a saved font loads back with its parameters");
    fuzz::Check(again.glyphData() == StoredData(font), "a saved font loads back with its glyphs");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::Refusable([&] { RoundTrip(std::vector<uint8_t>(data, data + size)); });
    return 0;
}
