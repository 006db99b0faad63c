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

void RoundTrip(const Font& font) {
    // A font wholly below 20h leaves a native file nothing to keep: its save is refused.
    if (font.params.lastCode() < 0x20) return;
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
    const auto loaded =
        fuzz::Accepted([&] { return LoadNative(std::vector<uint8_t>(data, data + size)); });
    if (!loaded) return 0;
    const Font font = loaded->build();
    fuzz::CheckFont(font);
    RoundTrip(font);
    return 0;
}
