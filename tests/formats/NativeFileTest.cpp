#include <gtest/gtest.h>

#include "formats/NativeFile.h"
#include "model/UserError.h"
#include "support/GlyphPicture.h"
#include "support/RawNativeFile.h"
#include "support/SampleFonts.h"

namespace pixmere::test {
namespace {

const Scrambler::Key& kKey = kTestKey;

// Every file ever stored depends on the table and the key mixing: both are pinned here.
TEST(Scrambler, PinnedTableAndFileBytes) {
    EXPECT_EQ(
        Scrambler::CryptTable(),
        (std::array<uint8_t, 30>{0x5A, 0xC3, 0x17, 0x8E, 0x39, 0xF2, 0x64, 0xAB, 0x0D, 0x71,
                                 0xD6, 0x2F, 0x98, 0x43, 0xBC, 0x05, 0xE7, 0x6A, 0x31, 0x9D,
                                 0x52, 0xC8, 0x1B, 0x86, 0xF4, 0x3E, 0xA9, 0x60, 0xD1, 0x27}));
    // Width 9, height 2, codes 41 and 42, downstroke 1, magnification 3; padding bits set.
    const Font font =
        FontFromPictures(Shape(9, 2, 0x41, 2, 1, 3), {{"#", "........#.#"}, {"#########", ""}});
    const NativeSave saved = SaveNative(font, kKey);
    EXPECT_FALSE(saved.droppedBelow20);
    EXPECT_EQ(saved.bytes,
              (std::vector<uint8_t>{0x84, 0x97, 0xB0, 0x30, 0x49, 0xF6, 0x28, 0x39, 0x4A,
                                    0x5B, 0x6C, 0x7D, 0x8E, 0x9F, 0xB0, 0xC1, 0xD2, 0xE3,
                                    0xF4, 0x93, 0x58, 0xF1, 0x73, 0x2B, 0x5F, 0x7B, 0xBC}));
}

// Characters below 20h are left out of the file, and with nothing left the save is refused.
// Damaged files are refused without reading past the end.
TEST(NativeFile, CharactersBelow20LeftOutAndDamagedFilesRefused) {
    const Font font = PatternFont(Shape(8, 2, 0x1A, 10));
    const NativeSave saved = SaveNative(font, kKey);
    EXPECT_TRUE(saved.droppedBelow20);
    EXPECT_EQ(saved.bytes.size(), 19u + 4 * 2);
    const Font back = LoadNative(saved.bytes).build();
    EXPECT_EQ(Describe(back.params), "8x2 down 0 magnif 1 codes 32-35");
    const std::vector<uint8_t> data = font.glyphData();  // the 6 characters below 20 left out
    EXPECT_EQ(back.glyphData(), std::vector(data.begin() + 6 * 2, data.end()));
    // With nothing left to store the save is refused.
    EXPECT_THROW(SaveNative(PatternFont(Shape(8, 2, 0x00, 0x20)), kKey), UserError);
    EXPECT_NO_THROW(SaveNative(PatternFont(Shape(8, 2, 0x00, 0x21)), kKey));
    const std::vector<uint8_t> good = SaveNative(PatternFont(Shape(10, 4, 0x20, 5)), kKey).bytes;
    EXPECT_EQ(FirstCutTaken(good, LoadNative), -1);
    // Headers of fonts the editor cannot hold, followed by plenty of glyph data: width 0,
    // height 0, codes past FF, magnification 0 and 6, a downstroke below the cell.
    using Header = std::array<uint8_t, 6>;
    for (const Header& header :
         {Header{0, 4, 0, 0x20, 0, 1}, Header{4, 0, 0, 0x20, 0, 1}, Header{4, 4, 0, 0xF0, 0x20, 1},
          Header{4, 4, 0, 0x20, 0, 0}, Header{4, 4, 0, 0x20, 0, 6}, Header{4, 4, 5, 0x20, 0, 1}}) {
        EXPECT_TRUE(
            RefusedWith([&] { LoadNative(RawNativeFile(header, std::vector<uint8_t>(4096))); }));
    }
    // The largest font there is, announced by a 40-byte file.
    EXPECT_TRUE(RefusedWith([] {
        LoadNative(RawNativeFile({255, 255, 0, 0, 255, 1}, std::vector<uint8_t>(21)));
    }));
}

}  // namespace
}  // namespace pixmere::test
