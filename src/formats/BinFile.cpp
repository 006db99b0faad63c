#include "formats/BinFile.h"

#include <algorithm>
#include <stdexcept>

#include "formats/ByteReader.h"
#include "model/UserError.h"

namespace pixmere {

namespace {

constexpr uint64_t kHeaderSize = 5;
constexpr uint64_t kTrailerSize = 3;

}  // namespace

LoadedFont LoadBin(std::span<const uint8_t> file, uint8_t magnification) {
    const auto refuse = [] { throw UserError(kBadFontFileMessage); };
    if (magnification < 1 || magnification > kMaxMagnification) {
        throw std::invalid_argument("LoadBin: magnification outside the font's range");
    }
    if (file.size() > kBinLargestFile) refuse();
    const ByteReader in(file);
    LoadedFont loaded;
    FontParams& p = loaded.params;
    p.FormatLengthCar = in.u8(0);
    p.FormatHeightCar = in.u8(1);
    p.jambon = in.u8(2);
    p.firstcar = in.u8(3);
    p.NbCar = in.u8(4) == 0 ? 256 : in.u8(4);
    p.Magnification = magnification;
    if (!p.valid()) refuse();
    p.lastcar = static_cast<uint8_t>(p.lastCode());
    const uint64_t size = p.glyphDataSize();
    if (file.size() != kHeaderSize + size + kTrailerSize) refuse();
    const auto trailer = in.span(kHeaderSize + size, kTrailerSize);
    if (std::any_of(trailer.begin(), trailer.end(), [](uint8_t b) { return b != 0; })) refuse();
    loaded.matrix = p.blankMatrix();
    const auto data = in.span(kHeaderSize, size);
    std::copy(data.begin(), data.end(), loaded.matrix.data().begin());
    return loaded;
}

}  // namespace pixmere
