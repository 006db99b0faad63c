#include <gtest/gtest.h>

#include "LargestAllocation.h"
#include "formats/Exports.h"
#include "formats/NativeFile.h"
#include "model/UserError.h"
#include "support/GlyphPicture.h"
#include "support/SampleFonts.h"

namespace pixmere {
namespace {

const Scrambler::Key kKey = {40, 57, 74, 91, 108, 125, 142, 159, 176, 193, 210, 227, 244};

std::vector<uint8_t> Scrambled(const std::vector<uint8_t>& bytes, const Scrambler::Key& key) {
    Scrambler s;
    s.CryptInit(key);
    std::vector<uint8_t> out;
    for (const uint8_t b : bytes) out.push_back(s.Crypt(b));
    return out;
}

// Every file ever stored depends on the table and the key mixing: both are pinned here.
TEST(Scrambler, PinnedTableAndFileBytesAndAnInvolution) {
    EXPECT_EQ(
        Scrambler::CryptTable(),
        (std::array<uint8_t, 30>{0x5A, 0xC3, 0x17, 0x8E, 0x39, 0xF2, 0x64, 0xAB, 0x0D, 0x71,
                                 0xD6, 0x2F, 0x98, 0x43, 0xBC, 0x05, 0xE7, 0x6A, 0x31, 0x9D,
                                 0x52, 0xC8, 0x1B, 0x86, 0xF4, 0x3E, 0xA9, 0x60, 0xD1, 0x27}));
    // Width 9, height 2, codes 41 and 42, downstroke 1, magnification 3; padding bits set.
    const Font font = test::FontFromPictures(test::Shape(9, 2, 0x41, 2, 1, 3),
                                             {{"#", "........#.#"}, {"#########", ""}});
    const NativeSave saved = SaveNative(font, kKey);
    EXPECT_FALSE(saved.droppedBelow20);
    EXPECT_EQ(saved.bytes,
              (std::vector<uint8_t>{0x84, 0x97, 0xB0, 0x30, 0x49, 0xF6, 0x28, 0x39, 0x4A,
                                    0x5B, 0x6C, 0x7D, 0x8E, 0x9F, 0xB0, 0xC1, 0xD2, 0xE3,
                                    0xF4, 0x93, 0x58, 0xF1, 0x73, 0x2B, 0x5F, 0x7B, 0xBC}));

    std::vector<uint8_t> plain(1000);
    for (std::size_t n = 0; n < plain.size(); ++n) plain[n] = static_cast<uint8_t>(n * 13);
    const std::vector<uint8_t> scrambled = Scrambled(plain, kKey);
    EXPECT_NE(scrambled, plain);
    EXPECT_EQ(Scrambled(scrambled, kKey), plain);
}

TEST(NativeFile, RoundTripsWithAFreshKeyEachTimePaddingIncluded) {
    for (const FontParams& p : {test::Shape(1, 1), test::Shape(5, 7, 0x41, 26, 1, 2),
                                test::Shape(12, 16, 0x20, 224, 4, 5), test::Shape(255, 3, 0xFF)}) {
        const Font font = test::PatternFont(p);
        const NativeSave one = SaveNative(font), two = SaveNative(font);
        EXPECT_NE(std::vector(one.bytes.begin() + 6, one.bytes.begin() + 19),
                  std::vector(two.bytes.begin() + 6, two.bytes.begin() + 19));
        for (const NativeSave* s : {&one, &two}) {
            // The C export shows every parameter and every byte.
            EXPECT_EQ(saveC(LoadNative(s->bytes).build()), saveC(font));
        }
    }
}

TEST(NativeFile, CharactersBelow20AreLeftOutOfTheFile) {
    const Font font = test::PatternFont(test::Shape(8, 2, 0x1A, 10));
    const NativeSave saved = SaveNative(font, kKey);
    EXPECT_TRUE(saved.droppedBelow20);
    EXPECT_EQ(saved.bytes.size(), 19u + 4 * 2);
    const Font back = LoadNative(saved.bytes).build();
    EXPECT_EQ(back.params.firstcar, 0x20);
    EXPECT_EQ(back.params.NbCar, 4);
    const std::vector<uint8_t> data = font.glyphData();  // the 6 characters below 20 left out
    EXPECT_EQ(back.glyphData(), std::vector(data.begin() + 6 * 2, data.end()));
    EXPECT_EQ(font.params.firstcar, 0x1A);  // the document itself keeps its characters

    // With nothing left to store the save is refused.
    EXPECT_THROW(SaveNative(test::PatternFont(test::Shape(8, 2, 0x00, 0x20)), kKey), UserError);
    EXPECT_NO_THROW(SaveNative(test::PatternFont(test::Shape(8, 2, 0x00, 0x21)), kKey));
}

TEST(NativeFile, DamagedFilesAreRefusedWithoutReadingPastTheEnd) {
    const std::vector<uint8_t> good =
        SaveNative(test::PatternFont(test::Shape(10, 4, 0x20, 5, 1, 1)), kKey).bytes;
    for (std::size_t length = 0; length < good.size(); ++length) {
        const std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<long>(length));
        EXPECT_THROW(LoadNative(cut), UserError) << length;
    }
    // Headers of fonts the editor cannot hold, followed by plenty of glyph data: width 0,
    // height 0, codes past FF, magnification 0 and 6, a downstroke below the cell.
    const uint8_t headers[][6] = {{0, 4, 0, 0x20, 0, 1},    {4, 0, 0, 0x20, 0, 1},
                                  {4, 4, 0, 0xF0, 0x20, 1}, {4, 4, 0, 0x20, 0, 0},
                                  {4, 4, 0, 0x20, 0, 6},    {4, 4, 5, 0x20, 0, 1}};
    for (const uint8_t* header : headers) {
        std::vector<uint8_t> bytes = Scrambled({header, header + 6}, kKey);
        bytes.insert(bytes.end(), kKey.begin(), kKey.end());
        bytes.resize(bytes.size() + 4096, 0);
        EXPECT_THROW(LoadNative(bytes), UserError) << +header[2] << " " << +header[5];
    }
    // The largest font there is, announced by a 40-byte file: refused before its 2 MB are
    // asked for.
    const uint8_t largest[6] = {255, 255, 0, 0, 255, 1};
    std::vector<uint8_t> bytes = Scrambled({largest, largest + 6}, kKey);
    bytes.insert(bytes.end(), kKey.begin(), kKey.end());
    bytes.resize(40, 0);
    const test::LargestAllocation probe;
    EXPECT_THROW(LoadNative(bytes), UserError);
    EXPECT_LT(probe.bytes(), 4096u);
}

}  // namespace
}  // namespace pixmere
