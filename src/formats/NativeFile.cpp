#include "formats/NativeFile.h"

#include <chrono>
#include <random>

#include "model/UserError.h"

namespace pixmere {

const char* const kBelow20Message =
    "Characters under the adress 20h will be deleted after saving (this range is reserved for "
    "printer control codes).\r\r";

const char* const kNothingToSaveMessage =
    "Every character of this font lies under the adress 20h (reserved for printer control "
    "codes): there is nothing to save.";

const std::array<uint8_t, 30>& Scrambler::CryptTable() {
    static const std::array<uint8_t, 30> table = {
        0x5A, 0xC3, 0x17, 0x8E, 0x39, 0xF2, 0x64, 0xAB, 0x0D, 0x71, 0xD6, 0x2F, 0x98, 0x43, 0xBC,
        0x05, 0xE7, 0x6A, 0x31, 0x9D, 0x52, 0xC8, 0x1B, 0x86, 0xF4, 0x3E, 0xA9, 0x60, 0xD1, 0x27};
    return table;
}

Scrambler::Key Scrambler::CryptSeed() {
    std::mt19937 rng(
        static_cast<unsigned>(std::chrono::high_resolution_clock::now().time_since_epoch().count() ^
                              std::random_device{}()));
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    Key key{};
    for (uint8_t& b : key) b = static_cast<uint8_t>(static_cast<int>(uniform(rng) * 256) & 0xFF);
    return key;
}

void Scrambler::CryptInit(const Key& key) {
    const auto& table = CryptTable();
    CryptKey = key;
    CryptPos = 0;
    auto mixKey = [this](int rounds) {
        for (int i = 0; i < rounds; ++i) {
            CryptKey[(i + 12) % 13] = CryptKey[(i + 1) % 13] ^ CryptKey[i % 13];
        }
    };
    mixKey(54);
    for (int i = 0; i <= 12; ++i) CryptState[i] = CryptKey[i] ^ table[i];
    mixKey(48);
    for (int i = 13; i <= 25; ++i) CryptState[i] = CryptKey[i - 13] ^ table[i];
    mixKey(44);
    for (int i = 26; i <= 29; ++i) CryptState[i] = CryptKey[i - 26] ^ table[i];
    for (int i = 0; i <= 77; ++i) {
        CryptState[(i + 29) % 30] = CryptState[(i + 1) % 30] ^ CryptState[i % 30];
    }
}

uint8_t Scrambler::Crypt(uint8_t in) {
    const int p = CryptPos;
    CryptState[(p + 29) % 30] = CryptState[(p + 1) % 30] ^ CryptState[p];
    const uint8_t k = CryptState[(p + 29) % 30];
    CryptPos = (p + 1) % 30;
    return in ^ k;
}

NativeSave SaveNative(const Font& font, const Scrambler::Key& key) {
    const FontParams& p = font.params;
    const int skipped = p.firstcar >= 0x20 ? 0 : 0x20 - p.firstcar;
    if (skipped >= p.NbCar) throw UserError(kNothingToSaveMessage);
    NativeSave result;
    result.droppedBelow20 = skipped > 0;
    const int count = (p.NbCar - 1) % 256;

    std::vector<uint8_t>& out = result.bytes;
    const std::size_t rowBytes = p.NbByteMatrix();
    out.resize(kNativeHeaderSize +
               static_cast<std::size_t>(p.NbCar - skipped) * p.FormatHeightCar * rowBytes);
    Scrambler s;
    s.CryptInit(key);
    out[0] = s.Crypt(p.FormatLengthCar);
    out[1] = s.Crypt(p.FormatHeightCar);
    out[2] = s.Crypt(p.jambon);
    out[3] = s.Crypt(skipped > 0 ? 0x20 : p.firstcar);
    out[4] = s.Crypt(static_cast<uint8_t>(count - skipped));
    out[5] = s.Crypt(p.Magnification);
    std::copy(key.begin(), key.end(), out.begin() + 6);
    std::size_t pos = kNativeHeaderSize;
    for (std::size_t i = static_cast<std::size_t>(skipped); i < font.glyphs.size(); ++i) {
        for (uint8_t b : font.glyphs[i].bytes()) out[pos++] = s.Crypt(b);
    }
    return result;
}

LoadedFont LoadNative(const std::vector<uint8_t>& bytes) {
    if (bytes.size() < kNativeHeaderSize) throw UserError(kBadFontFileMessage);
    Scrambler::Key key{};
    std::copy(bytes.begin() + 6, bytes.begin() + kNativeHeaderSize, key.begin());
    Scrambler s;
    s.CryptInit(key);
    LoadedFont loaded;
    FontParams& p = loaded.params;
    p.FormatLengthCar = s.Crypt(bytes[0]);
    p.FormatHeightCar = s.Crypt(bytes[1]);
    p.jambon = s.Crypt(bytes[2]);
    p.firstcar = s.Crypt(bytes[3]);
    p.NbCar = s.Crypt(bytes[4]) + 1;
    p.Magnification = s.Crypt(bytes[5]);
    p.lastcar = static_cast<uint8_t>(p.lastCode() & 0xFF);
    if (!p.valid() || bytes.size() < kNativeHeaderSize + p.glyphDataSize()) {
        throw UserError(kBadFontFileMessage);
    }
    loaded.matrix = p.blankMatrix();
    std::vector<uint8_t>& data = loaded.matrix.data();
    for (std::size_t n = 0; n < data.size(); ++n) data[n] = s.Crypt(bytes[kNativeHeaderSize + n]);
    return loaded;
}

}  // namespace pixmere
