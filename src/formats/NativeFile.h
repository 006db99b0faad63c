#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/Font.h"

namespace pixmere {

// The keystream of the native file. Crypt both scrambles and unscrambles; each load and save
// starts from CryptInit with the file's 13 key bytes.
class Scrambler {
public:
    using Key = std::array<uint8_t, 13>;

    // The constant table every native file depends on; changing it makes old files unreadable.
    static const std::array<uint8_t, 30>& CryptTable();

    // 13 random bytes from a generator reseeded from the clock.
    static Key CryptSeed();

    // Mixes the key (a copy: the file keeps the key as drawn) into the state.
    void CryptInit(const Key& key);
    uint8_t Crypt(uint8_t in);

private:
    Key CryptKey{};
    std::array<uint8_t, 30> CryptState{};
    int CryptPos = 0;
};

inline constexpr int kNativeHeaderSize = 19;
// The largest native file: the header and 256 characters of 255 x 255 pixels.
inline constexpr uint64_t kNativeLargestFile = kNativeHeaderSize + 256 * 255 * 32;

// Shown before a save that drops the characters below 20 hexadecimal.
extern const char* const kBelow20Message;
// A save refused because every character lies below 20 hexadecimal.
extern const char* const kNothingToSaveMessage;

struct NativeSave {
    std::vector<uint8_t> bytes;
    bool droppedBelow20 = false;  // the file starts at 20h; the editor reopens it
};

// The file bytes of a font with the given key. Characters below 20h are left out of the file.
// Throws UserError(kNothingToSaveMessage) when no character is left.
NativeSave SaveNative(const Font& font, const Scrambler::Key& key);
inline NativeSave SaveNative(const Font& font) { return SaveNative(font, Scrambler::CryptSeed()); }

// Reads a native file. Throws UserError(kBadFontFileMessage) for a file shorter than its header
// announces, or whose header gives a font the editor cannot hold (zero size, magnification
// outside 1..5, codes beyond FF).
LoadedFont LoadNative(const std::vector<uint8_t>& bytes);

}  // namespace pixmere
