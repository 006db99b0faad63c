#include <gtest/gtest.h>

#include "formats/BdfExport.h"
#include "formats/BdfPcfFile.h"
#include "formats/BinFile.h"
#include "formats/CFile.h"
#include "formats/Exports.h"
#include "formats/NativeFile.h"
#include "formats/TxtFile.h"
#include "model/UserError.h"
#include "support/GlyphPicture.h"
#include "support/SampleFonts.h"
#include "support/TempDir.h"

namespace pixmere {
namespace {

using Bytes = std::vector<uint8_t>;

// The parameters, lastcar included.
std::string Describe(const FontParams& p) {
    return test::Describe(p) + " last " + std::to_string(p.lastcar);
}

template <typename Load>
bool Refused(Load load, const Bytes& file) {
    return test::RefusedWith([&] { load(file); });
}

Bytes Text(const std::string& text) { return {text.begin(), text.end()}; }

// Codes 41-42, 12 x 2, downstroke 1, magnification 2, padding bits set in the second row of 41.
const Font kSmall = test::FontFromPictures(
    test::Shape(12, 2, 0x41, 2, 1, 2),
    {{"..####......", "#..........#..#."}, {"############", "............"}});

TEST(BinFile, ReadsTheDownloadFileWithTheMagnificationGivenAndRefusesAnyOtherLength) {
    const Bytes bin = saveBin(kSmall);
    const LoadedFont loaded = LoadBin(bin, 2);
    EXPECT_EQ(Describe(loaded.params), "12x2 down 1 magnif 2 codes 65-66 last 66");
    EXPECT_EQ(loaded.build().glyphData(), kSmall.glyphData());
    EXPECT_EQ(LoadBin(bin).params.Magnification, 1);
    // 256 characters write a count of 0.
    const Font all = test::PatternFont(test::Shape(3, 2, 0x00, 256));
    EXPECT_EQ(LoadBin(saveBin(all)).build().glyphData(), all.glyphData());

    const auto load = [](const Bytes& file) { return LoadBin(file); };
    for (std::size_t length = 0; length < bin.size(); ++length) {
        EXPECT_TRUE(Refused(load, {bin.begin(), bin.begin() + static_cast<long>(length)}));
    }
    const auto changed = [&](std::size_t at, uint8_t value) {
        Bytes file = bin;
        file[at] = value;
        return file;
    };
    Bytes longer = bin;
    longer.push_back(0);
    for (const Bytes& file : {longer, changed(bin.size() - 1, 1), changed(0, 0), changed(1, 0),
                              changed(2, 3), changed(3, 0xFF), changed(4, 0)}) {
        EXPECT_TRUE(Refused(load, file));
    }
    EXPECT_TRUE(Refused(load, Bytes(kBinLargestFile + 1, 0)));
}

TEST(TxtFile, ReadsTheTextPictureAndRefusesAnythingElse) {
    const Bytes txt = saveTXT(kSmall);
    const LoadedFont loaded = LoadTXT(txt);
    EXPECT_EQ(Describe(loaded.params), "12x2 down 1 magnif 2 codes 65-66 last 66");
    EXPECT_EQ(loaded.build().glyphData(), kSmall.glyphData());
    // LF line ends, rows without their trailing spaces and empty lines at the end read the same.
    std::string relaxed;
    for (const char c : test::AsText(txt)) {
        if (c == '\r') continue;
        if (c == '\n') {
            while (!relaxed.empty() && relaxed.back() == ' ') relaxed.pop_back();
        }
        relaxed += c;
    }
    EXPECT_EQ(LoadTXT(Text(relaxed + "\n\n")).build().glyphData(), kSmall.glyphData());

    for (std::size_t length = 0; length < txt.size(); ++length) {
        EXPECT_TRUE(Refused(LoadTXT, {txt.begin(), txt.begin() + static_cast<long>(length)}))
            << length;
    }
    const std::string text = test::AsText(txt);
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string changed = text;
        changed.replace(changed.find(from), from.size(), to);
        return Text(changed);
    };
    for (const Bytes& file :
         {replaced("// Car  66", "// Car  67"), replaced("  ####   ", "  #O##   "),
          replaced("############    ", "############    #"),
          replaced("// Nb Car: 2", "// Nb Car: 1"), replaced("// Nb Car: 2", "// Nb Car: 3"),
          replaced("\r\n\r\n\r\r\n", "\r\n\r\r\n"), replaced("// Height: 2", "// Height: 0"),
          Text(text + "x\r\n"), saveC(kSmall)}) {
        EXPECT_TRUE(Refused(LoadTXT, file));
    }
    EXPECT_TRUE(Refused(LoadTXT, Bytes(kTxtLargestFile + 1, ' ')));
    // The largest font's picture fits the limit.
    EXPECT_LE(saveTXT(test::PatternFont(test::Shape(255, 255, 0x00, 256))).size(), kTxtLargestFile);
}

// Each export read back gives the font it came from, for fonts from 20h and 30h, 8 and 12
// pixels wide, through the native file first.
TEST(ReadBack, EveryExportThroughTheNativeFileGivesBackTheSameFont) {
    for (const int first : {0x20, 0x30}) {
        for (const int width : {8, 12}) {
            SCOPED_TRACE(std::to_string(first) + " " + std::to_string(width));
            Font font = test::PatternFont(test::Shape(width, 11, first, 0x100 - first, 3, 4));
            const Font opened = LoadNative(SaveNative(font).bytes).build();
            const std::string expected = Describe(font.params);
            const LoadedFont bin = LoadBin(saveBin(opened), 4);
            const LoadedFont txt = LoadTXT(saveTXT(opened));
            const std::vector<uint8_t> c = saveC(opened);
            const LoadedFont fromC = ParseCFile(c, *CFileParameters(c));
            for (const LoadedFont* back : {&bin, &txt, &fromC}) {
                EXPECT_EQ(Describe(back->params), expected);
                EXPECT_EQ(back->build().glyphData(), font.glyphData());
            }
            // BDF keeps no padding bits: the pixels come back.
            const Font bdf = LoadBdfPcf(saveBDF(opened, "round")).font.build();
            EXPECT_EQ(Describe(bdf.params), expected);
            for (std::size_t i = 0; i < font.glyphs.size(); ++i) {
                ASSERT_EQ(test::GlyphPicture(bdf.glyphs[i], width),
                          test::GlyphPicture(font.glyphs[i], width));
            }
        }
    }
}

}  // namespace
}  // namespace pixmere
