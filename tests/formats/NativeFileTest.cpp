#include <gtest/gtest.h>

#include "formats/NativeFile.h"
#include "model/UserError.h"
#include "support/GlyphPicture.h"

namespace pixmere {
namespace {

Scrambler::Key KeyOf(uint8_t start) {
    Scrambler::Key key{};
    for (int i = 0; i < 13; ++i) key[i] = static_cast<uint8_t>(start + 17 * i);
    return key;
}

Font SampleFont(int width, int height, int first, int count) {
    FontParams p;
    p.FormatLengthCar = static_cast<uint8_t>(width);
    p.FormatHeightCar = static_cast<uint8_t>(height);
    p.firstcar = static_cast<uint8_t>(first);
    p.NbCar = count;
    p.jambon = static_cast<uint8_t>(height / 4);
    p.Magnification = 3;
    ByteMatrix m = p.blankMatrix();
    for (std::size_t n = 0; n < m.data().size(); ++n) m.data()[n] = static_cast<uint8_t>(n * 31 + 7);
    return MatrixToObject(p, m);
}

TEST(Scrambler, TableIsPinnedBecauseEveryStoredFileDependsOnIt) {
    const std::array<uint8_t, 30> pinned = {
        0x5A, 0xC3, 0x17, 0x8E, 0x39, 0xF2, 0x64, 0xAB, 0x0D, 0x71, 0xD6, 0x2F, 0x98, 0x43, 0xBC,
        0x05, 0xE7, 0x6A, 0x31, 0x9D, 0x52, 0xC8, 0x1B, 0x86, 0xF4, 0x3E, 0xA9, 0x60, 0xD1, 0x27};
    EXPECT_EQ(Scrambler::CryptTable(), pinned);
}

TEST(Scrambler, KeystreamOfAFixedKeyIsPinned) {
    // Guards the key mixing and the state update: any change here breaks every stored file.
    Scrambler s;
    s.CryptInit(KeyOf(1));
    std::vector<int> stream;
    for (int n = 0; n < 8; ++n) stream.push_back(s.Crypt(0));
    Scrambler again;
    again.CryptInit(KeyOf(1));
    for (int n = 0; n < 8; ++n) EXPECT_EQ(again.Crypt(0), stream[n]);
    Scrambler other;
    other.CryptInit(KeyOf(2));
    std::vector<int> otherStream;
    for (int n = 0; n < 8; ++n) otherStream.push_back(other.Crypt(0));
    EXPECT_NE(stream, otherStream);
}

TEST(Scrambler, IsAnInvolution) {
    std::vector<uint8_t> plain(1000);
    for (std::size_t n = 0; n < plain.size(); ++n) plain[n] = static_cast<uint8_t>(n * 13);
    Scrambler a;
    a.CryptInit(KeyOf(9));
    std::vector<uint8_t> scrambled;
    for (uint8_t b : plain) scrambled.push_back(a.Crypt(b));
    EXPECT_NE(scrambled, plain);
    Scrambler b;
    b.CryptInit(KeyOf(9));
    for (std::size_t n = 0; n < plain.size(); ++n) EXPECT_EQ(b.Crypt(scrambled[n]), plain[n]);
}

TEST(Scrambler, SeedDrawsFreshKeys) {
    EXPECT_NE(Scrambler::CryptSeed(), Scrambler::CryptSeed());
}

TEST(NativeFile, LayoutStoresTheKeyPlainAfterSixScrambledBytes) {
    const Font font = SampleFont(12, 5, 0x20, 3);
    const Scrambler::Key key = KeyOf(40);
    const NativeSave saved = SaveNative(font, key);
    ASSERT_EQ(saved.bytes.size(), 19u + 3 * 5 * 2);
    EXPECT_FALSE(saved.droppedBelow20);
    EXPECT_TRUE(std::equal(key.begin(), key.end(), saved.bytes.begin() + 6));
    Scrambler s;
    s.CryptInit(key);
    const std::vector<int> header = {12, 5, 1, 0x20, 2, 3};
    for (int n = 0; n < 6; ++n) EXPECT_EQ(s.Crypt(saved.bytes[n]), header[n]) << n;
    const std::vector<uint8_t> data = font.glyphData();
    for (std::size_t n = 0; n < data.size(); ++n) EXPECT_EQ(s.Crypt(saved.bytes[19 + n]), data[n]);
}

TEST(NativeFile, RoundTripsWithAFreshKeyEachTimeIncludingPadding) {
    for (auto [w, h, first, count] : {std::array<int, 4>{1, 1, 0x20, 1}, {5, 7, 0x41, 26},
                                      {9, 16, 0x20, 224}, {255, 3, 0, 256}}) {
        Font font = SampleFont(w, h, first, count);
        const NativeSave one = SaveNative(font);
        const NativeSave two = SaveNative(font);
        EXPECT_NE(one.bytes, two.bytes);
        const int skipped = first < 0x20 ? 0x20 - first : 0;
        for (const NativeSave* s : {&one, &two}) {
            const Font back = LoadNative(s->bytes).build();
            EXPECT_EQ(back.params.FormatLengthCar, w);
            EXPECT_EQ(back.params.FormatHeightCar, h);
            EXPECT_EQ(back.params.jambon, font.params.jambon);
            EXPECT_EQ(back.params.Magnification, 3);
            EXPECT_EQ(back.params.firstcar, first + skipped);
            EXPECT_EQ(back.params.NbCar, count - skipped);
            const std::vector<uint8_t> data = font.glyphData();
            const std::size_t glyphSize = static_cast<std::size_t>(h) * BytesPerRow(w);
            const std::vector<uint8_t> backData = back.glyphData();
            EXPECT_TRUE(std::equal(backData.begin(), backData.end(),
                                   data.begin() + skipped * glyphSize));
        }
    }
}

TEST(NativeFile, CountByteOfTheLargestAndSmallestFonts) {
    const Scrambler::Key key = KeyOf(3);
    for (auto [count, stored] : {std::pair{224, 223}, std::pair{1, 0}}) {
        const NativeSave saved = SaveNative(SampleFont(8, 2, 0x20, count), key);
        Scrambler s;
        s.CryptInit(key);
        for (int n = 0; n < 4; ++n) s.Crypt(saved.bytes[n]);
        EXPECT_EQ(s.Crypt(saved.bytes[4]), stored);
    }
}

TEST(NativeFile, DropsCharactersBelow20AndStoresTheRestFrom20) {
    const Font font = SampleFont(8, 2, 0x1A, 10);
    const NativeSave saved = SaveNative(font, KeyOf(5));
    EXPECT_TRUE(saved.droppedBelow20);
    const Font back = LoadNative(saved.bytes).build();
    EXPECT_EQ(back.params.firstcar, 0x20);
    EXPECT_EQ(back.params.NbCar, 4);
    EXPECT_EQ(test::GlyphPicture(back.glyphs[0]), test::GlyphPicture(font.glyphs[6]));
    EXPECT_EQ(saved.bytes.size(), 19u + 4 * 2);
    EXPECT_EQ(font.params.firstcar, 0x1A);  // the document itself keeps its characters
}

TEST(NativeFile, SaveOfAFontEntirelyBelow20IsRefused) {
    try {
        SaveNative(SampleFont(8, 2, 0x00, 0x20), KeyOf(5));
        FAIL() << "expected a refusal";
    } catch (const UserError& e) {
        EXPECT_STREQ(e.what(), kNothingToSaveMessage);
    }
    EXPECT_NO_THROW(SaveNative(SampleFont(8, 2, 0x00, 0x21), KeyOf(5)));
}

std::vector<uint8_t> HeaderOnly(std::vector<int> header, const Scrambler::Key& key) {
    Scrambler s;
    s.CryptInit(key);
    std::vector<uint8_t> bytes;
    for (int v : header) bytes.push_back(s.Crypt(static_cast<uint8_t>(v)));
    bytes.insert(bytes.end(), key.begin(), key.end());
    return bytes;
}

TEST(NativeFile, DamagedFilesAreRefusedWithoutReadingPastTheEnd) {
    const std::vector<uint8_t> good = SaveNative(SampleFont(10, 4, 0x20, 5), KeyOf(8)).bytes;
    for (std::size_t length = 0; length < good.size(); ++length) {
        const std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<long>(length));
        try {
            LoadNative(cut);
            FAIL() << "accepted a file cut at " << length;
        } catch (const UserError& e) {
            EXPECT_STREQ(e.what(), kBadFontFileMessage);
        }
    }
    EXPECT_NO_THROW(LoadNative(good));
    const Scrambler::Key key = KeyOf(11);
    for (auto header : {std::vector<int>{0, 4, 0, 0x20, 0, 1}, {4, 0, 0, 0x20, 0, 1},
                        {4, 4, 0, 0xF0, 0x20, 1}, {4, 4, 0, 0x20, 0, 0}}) {
        std::vector<uint8_t> bytes = HeaderOnly(header, key);
        bytes.resize(bytes.size() + 4096, 0);
        EXPECT_THROW(LoadNative(bytes), UserError);
    }
}

}  // namespace
}  // namespace pixmere
