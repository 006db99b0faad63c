#include <gtest/gtest.h>

#include "formats/FntFile.h"
#include "formats/FonLibrary.h"
#include "model/UserError.h"
#include "support/GlyphPicture.h"
#include "support/SampleFonts.h"
#include "support/TempDir.h"

namespace pixmere::test {
namespace {

uint32_t U32(const std::vector<uint8_t>& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t{bytes[at + 3]} << 24;
}

// The resource of a real library's first font, as a stand-alone .fnt file.
std::vector<uint8_t> RealFnt(const std::string& library) {
    const std::vector<uint8_t> bytes = ReadAll("/usr/share/wine/fonts/" + library);
    const FonFont font = ReadFontDirectory(bytes).fonts.at(0);
    return {bytes.begin() + static_cast<long>(font.offset),
            bytes.begin() + static_cast<long>(font.offset + font.size)};
}

// A version 3 resource with its character table rewritten in the layout of `version` and its
// bitmaps moved `up` bytes further, over zeros.
std::vector<uint8_t> Relaid(const std::vector<uint8_t>& v3, int version, uint32_t up) {
    const std::size_t entries = v3[96] - v3[95] + 2u;
    std::vector<uint8_t> out = v3;
    out.insert(out.begin() + static_cast<long>(148 + 6 * entries), up, 0);
    for (std::size_t c = 0; c < entries; ++c) {
        const uint32_t width = v3[148 + 6 * c] | v3[149 + 6 * c] << 8, at = U32(v3, 150 + 6 * c);
        const bool v2 = version == 0x0200;
        out = Patched(out, (v2 ? 118 : 148) + (v2 ? 4 : 6) * c, width, 2);
        out = Patched(out, (v2 ? 120 : 150) + (v2 ? 4 : 6) * c, at + up, v2 ? 2 : 4);
    }
    return Patched(Patched(out, 0, version, 2), 2, static_cast<uint32_t>(out.size()), 4);
}

TEST(FntBegin, EitherTableLayoutReadsTheGlyphsOfAProportionalFont) {
    const std::vector<uint8_t> v3 = RealFnt("sserife.fon");
    const std::vector<uint8_t> glyphs = FntBegin(v3).build().glyphData();
    // Bitmaps above 64 kilobytes: the low 16 bits of their offsets point into the zeros.
    EXPECT_EQ(FntBegin(Relaid(v3, 0x0300, 0x10000)).build().glyphData(), glyphs);
    const std::vector<uint8_t> v2 = Relaid(v3, 0x0200, 0);
    EXPECT_EQ(FntBegin(v2).build().glyphData(), glyphs);
    // An empty slot stays blank, wherever its offset points.
    const Font font = FntBegin(Patched(v2, 118 + 4 * ('i' - 0x20), 0, 4)).build();
    EXPECT_EQ(GlyphPicture(font.glyphs['i' - 0x20]), GlyphPicture(font.glyphs[0]));
}

TEST(FntBegin, RefusesDamagedResourcesAndWhatTheDocumentCannotHold) {
    const std::vector<uint8_t> good = RealFnt("coure.fon");
    const auto refused = [](const std::vector<uint8_t>& bytes) {
        try {
            FntBegin(bytes);
            return false;
        } catch (const UserError& e) {
            return std::string(e.what()) == kBadFontFileMessage && e.caption() == "Error";
        }
    };
    const uint32_t end = static_cast<uint32_t>(good.size()), height = good[88];
    const std::tuple<std::size_t, uint32_t, int> damages[] = {
        {0, 0x0200 + 1, 2},          // version
        {66, 1, 2},                  // vector font
        {88, 0, 2},                  // height 0
        {88, 256, 2},                // height above 255
        {74, height + 1, 2},         // ascent below the cell
        {96, 0x1F, 1},               // last below first
        {148, 256, 2},               // width above 255
        {118, 0x41, 4},              // a colour font
        {2, end + 1, 4},             // shorter than its size field
        {150, end - height + 1, 4},  // a bitmap past the end
        {150, 0xFFFFFFF0u, 4}};      // that wraps a 32-bit sum
    for (const auto& [at, value, size] : damages) {
        EXPECT_TRUE(refused(Patched(good, at, value, size))) << at << " " << value;
    }
    EXPECT_FALSE(refused(Patched(good, 150, end - height, 4)));
    EXPECT_EQ(FntBegin(Patched(good, 148, 255, 2)).params.NbByteMatrix(), 32);
    std::vector<uint8_t> blank = good;
    for (std::size_t c = 0; c < 224; ++c) blank = Patched(blank, 148 + 6 * c, 0, 2);
    EXPECT_TRUE(refused(blank));  // every width 0

    for (std::size_t length = 0; length < good.size(); ++length) {
        EXPECT_TRUE(refused(Cut(good, length))) << length;
        // With its size field cut to match, the rest must still be read within bounds.
        if (length >= 6) refused(Patched(Cut(good, length), 2, uint32_t(length), 4));
    }
}

}  // namespace
}  // namespace pixmere::test
