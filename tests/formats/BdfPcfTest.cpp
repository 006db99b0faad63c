#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "formats/BdfExport.h"
#include "formats/BdfPcfFile.h"
#include "model/UserError.h"
#include "support/GlyphPicture.h"
#include "support/Gzip.h"
#include "support/SampleFonts.h"
#include "support/TempDir.h"

namespace pixmere {
namespace {

using Picture = std::vector<std::string>;

std::string N(long value) { return std::to_string(value); }

// One BDF character drawn as a picture; its bounding box is the picture's size at the offsets.
std::string BdfChar(long encoding, int advance, int left, int bottom, const Picture& picture) {
    const int width = picture.empty() ? 0 : static_cast<int>(picture[0].size());
    std::string text = "STARTCHAR c" + N(encoding) + "\nENCODING " + N(encoding) +
                       "\nSWIDTH 500 0\nDWIDTH " + N(advance) + " 0\nBBX " + N(width) + " " +
                       N(long(picture.size())) + " " + N(left) + " " + N(bottom) + "\nBITMAP\n";
    for (const std::string& row : picture) {
        for (const uint8_t b : test::PictureBytes({row}, (width + 7) / 8)) {
            char hex[3];
            std::snprintf(hex, sizeof hex, "%02X", b);
            text += hex;
        }
        text += "\n";
    }
    return text + "ENDCHAR\n";
}

std::string BdfFont(const std::string& charset, int ascent, int descent,
                    const std::vector<std::string>& chars, const std::string& more = "") {
    const std::size_t dash = charset.find('-');
    std::string text = "STARTFONT 2.1\nFONT -Test-Tiny-Medium-R-Normal--7-70-75-75-P-50-" +
                       charset + "\nSIZE 7 75 75\nFONTBOUNDINGBOX 9 9 -1 -3\nSTARTPROPERTIES " +
                       N(more.empty() ? 4 : 5) + "\nFONT_ASCENT " + N(ascent) + "\nFONT_DESCENT " +
                       N(descent) + "\nCHARSET_REGISTRY \"" + charset.substr(0, dash) +
                       "\"\nCHARSET_ENCODING \"" + charset.substr(dash + 1) + "\"\n" + more +
                       "ENDPROPERTIES\nCHARS " + N(long(chars.size())) + "\n";
    for (const std::string& c : chars) text += c;
    return text + "ENDFONT\n";
}

using test::AsBytes;

bool Refused(const std::vector<uint8_t>& file, const std::string& message = kBadFontFileMessage) {
    return test::RefusedWith([&] { LoadBdfPcf(file); }, message);
}

using test::CodePicture;
using test::Describe;

const Picture kA = {".###.", "#...#", "#####", "#...#", "#...#"};
const Picture kP = {"###.", "#..#", "###.", "#...", "#..."};
const Picture kEuro = {".###", "##..", ".###"};
const Picture kCode80 = {"#", "#"};
const Picture kCode8D = {"##"};

// A, p below the baseline, the euro sign, U+0080, U+008D and a smiley beyond the codes.
std::vector<std::string> SmallChars() {
    return {BdfChar(0x41, 6, 0, 0, kA),      BdfChar(0x70, 6, 1, -2, kP),
            BdfChar(0x20AC, 5, 0, 1, kEuro), BdfChar(0x80, 4, 0, 0, kCode80),
            BdfChar(0x8D, 3, 1, 4, kCode8D), BdfChar(0x263A, 9, 0, 0, {"#########"})};
}

const std::string kSmallUnicode = BdfFont("ISO10646-1", 5, 2, SmallChars());

TEST(BdfImport, UnicodeFontTakesWhatEachCodeMeansInWindows1252) {
    const ImportedFont imported = LoadBdfPcf(AsBytes(kSmallUnicode));
    const Font font = imported.font.build();
    // 6 wide (the largest advance of the codes taken), ascent + descent high.
    EXPECT_EQ(Describe(font.params), "6x7 down 2 magnif 1 codes 65-141");
    EXPECT_EQ(imported.charactersCut, 0);
    EXPECT_EQ(CodePicture(font, 0x41),
              (Picture{".###..", "#...#.", "#####.", "#...#.", "#...#.", "......", "......"}));
    EXPECT_EQ(CodePicture(font, 0x70),
              (Picture{"......", "......", ".###..", ".#..#.", ".###..", ".#....", ".#...."}));
    // 80h is the euro sign, not U+0080; 8Dh, which Windows-1252 leaves undefined, is U+008D.
    EXPECT_EQ(CodePicture(font, 0x80),
              (Picture{"......", ".###..", "##....", ".###..", "......", "......", "......"}));
    EXPECT_EQ(CodePicture(font, 0x8D),
              (Picture{".##...", "......", "......", "......", "......", "......", "......"}));
    // Codes in between without a glyph stay empty.
    EXPECT_EQ(test::BlankGlyphs(font), 77 - 4);
}

TEST(BdfImport, OtherEncodingsTakeTheGlyphEncodedWithTheCodeAndMagnificationComesFromItsProperty) {
    for (const char* charset : {"KOI8-R", "ISO8859-5"}) {
        const Font font = LoadBdfPcf(AsBytes(BdfFont(charset, 5, 2, SmallChars()))).font.build();
        EXPECT_EQ(Describe(font.params), "6x7 down 2 magnif 1 codes 65-141") << charset;
        EXPECT_EQ(CodePicture(font, 0x80),
                  (Picture{"......", "......", "......", "#.....", "#.....", "......", "......"}));
    }
    // The magnification comes from our own property, when it is one the editor takes.
    for (const auto& [property, magnification] :
         {std::pair{"4", 4}, {"\"3\"", 3}, {"6", 1}, {"0", 1}}) {
        const std::string more = "PIXMERE_MAGNIFICATION " + std::string(property) + "\n";
        EXPECT_EQ(LoadBdfPcf(AsBytes(BdfFont("ISO10646-1", 5, 2, SmallChars(), more)))
                      .font.params.Magnification,
                  magnification)
            << property;
    }
}

TEST(BdfImport, ProportionalGlyphsSitOnTheBaselineAndWhatLeavesTheCellIsCounted) {
    // Cell 7 x 8 (the W's advance; ascent 6 + descent 2). The W starts left of the pen and runs
    // past the cell, the g hangs 3 rows below the baseline, the i and j fit.
    const std::string bdf = BdfFont(
        "ISO8859-1", 6, 2,
        {BdfChar('W', 7, -1, 0, {"#.......#", "#.......#", "#...#...#", "#.#.#.#.#", ".#.#.#.#."}),
         BdfChar('g', 5, 0, -3, {".###", "#..#", "#..#", ".###", "...#", "###."}),
         BdfChar('i', 3, 1, 0, {"#", ".", "#", "#", "#"}),
         BdfChar('j', 4, 1, -2, {"..#", "...", "..#", "..#", "#.#", ".#."})});
    const ImportedFont imported = LoadBdfPcf(AsBytes(bdf));
    const Font font = imported.font.build();
    EXPECT_EQ(Describe(font.params), "7x8 down 2 magnif 1 codes 87-106");
    EXPECT_EQ(imported.charactersCut, 2);
    EXPECT_EQ(CodePicture(font, 'W'), (Picture{".......", ".......", ".......", "...#...",
                                               ".#.#.#.", "#.#.#.#", ".......", "......."}));
    EXPECT_EQ(CodePicture(font, 'g'), (Picture{".......", ".......", ".......", ".###...",
                                               "#..#...", "#..#...", ".###...", "...#..."}));
    EXPECT_EQ(CodePicture(font, 'i'), (Picture{".......", ".#.....", ".......", ".#.....",
                                               ".#.....", ".#.....", ".......", "......."}));
    EXPECT_EQ(CodePicture(font, 'j'), (Picture{".......", ".......", "...#...", ".......",
                                               "...#...", "...#...", ".#.#...", "..#...."}));
}

TEST(BdfImport, DamagedTruncatedForeignAndUnfittingFilesAreRefused) {
    const std::vector<uint8_t> full = AsBytes(kSmallUnicode);
    // Every cut is refused; whether one that only loses the last line end is, is left open.
    EXPECT_EQ(test::FirstCutTaken(test::Cut(full, full.size() - 1), LoadBdfPcf), -1);
    std::vector<std::pair<std::string, std::string>> refusals = {
        // Grey levels are not a monochrome font.
        {test::Replaced(kSmallUnicode, "SIZE 7 75 75", "SIZE 7 75 75 2"), kBadFontFileMessage},
        {"STARTFONT 2.1\n", kBadFontFileMessage},
        {"", kBadFontFileMessage},
        {BdfFont("ISO10646-1", 200, 60, SmallChars()), CellSizeMessage(6, 260)},
        {BdfFont("ISO10646-1", 0, 0, SmallChars()), CellSizeMessage(6, 0)},
        {BdfFont("ISO10646-1", 5, 2, {BdfChar('A', 0, 0, 0, kA)}), CellSizeMessage(0, 7)},
        {BdfFont("ISO10646-1", 5, 2, {BdfChar('A', 300, 0, 0, kA)}), CellSizeMessage(300, 7)},
        {BdfFont("ISO10646-1", 5, 2, {BdfChar(0x263A, 5, 0, 0, kA)}), kNoCharacterMessage}};
    for (const char* lost : {"ENDPROPERTIES\n", "BITMAP\n", "ENDCHAR\n"}) {
        refusals.push_back({test::Replaced(kSmallUnicode, lost, ""), kBadFontFileMessage});
    }
    for (const auto& [bdf, message] : refusals) {
        EXPECT_TRUE(Refused(AsBytes(bdf), message)) << bdf.substr(0, 80);
    }
    // An outline font named .bdf never reaches the outline parsers.
    EXPECT_TRUE(Refused(test::ReadAll("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf")));
}

// A PCF file made from BDF text by the X11 font compiler.
std::vector<uint8_t> Compiled(const test::TempDir& dir, const std::vector<uint8_t>& bdf,
                              std::string* warnings = nullptr) {
    test::WriteAll(dir.file("in.bdf"), bdf);
    const std::string command = "bdftopcf -o " + dir.file("out.pcf") + " " + dir.file("in.bdf") +
                                " 2>" + dir.file("warnings.txt");
    EXPECT_EQ(std::system(command.c_str()), 0) << "is xfonts-utils installed?";
    if (warnings) *warnings = test::AsText(test::ReadAll(dir.file("warnings.txt")));
    return test::ReadAll(dir.file("out.pcf"));
}

TEST(PcfImport, CompiledFontPlainAndCompressedReadsLikeItsBdf) {
    test::TempDir dir;
    const std::vector<uint8_t> pcf = Compiled(dir, AsBytes(kSmallUnicode));
    const Font fromBdf = LoadBdfPcf(AsBytes(kSmallUnicode)).font.build();
    for (const auto& file : {pcf, test::Gzip(pcf)}) {
        const Font font = LoadBdfPcf(file).font.build();
        EXPECT_EQ(Describe(font.params), Describe(fromBdf.params));
        EXPECT_EQ(font.glyphData(), fromBdf.glyphData());
    }
    EXPECT_EQ(test::FirstCutTaken(test::Gzip(pcf), LoadBdfPcf), -1);
}

// The PCF file with every glyph's metrics set to these bearings and extents; the compiler must
// have written the metrics in full (16-bit) form.
std::vector<uint8_t> WithGlyphMetrics(std::vector<uint8_t> pcf, int16_t left, int16_t right,
                                      int16_t ascent, int16_t descent) {
    const auto u32 = [&](std::size_t at, bool msb) {
        uint32_t v = 0;
        for (int n = 0; n < 4; ++n) v |= uint32_t{pcf.at(at + n)} << 8 * (msb ? 3 - n : n);
        return v;
    };
    for (uint32_t table = 0; table < u32(4, false); ++table) {
        const std::size_t entry = 8 + 16 * table;
        if (u32(entry, false) != 4) continue;  // the metrics table
        const std::size_t at = u32(entry + 12, false);
        const uint32_t format = u32(at, false);
        EXPECT_EQ(format & 0x100, 0u) << "compressed metrics";
        const bool msb = (format & 4) != 0;
        for (uint32_t glyph = 0; glyph < u32(at + 4, msb); ++glyph) {
            const std::size_t metric = at + 8 + 12 * glyph;
            const int16_t values[] = {left, right, ascent, descent};
            const std::size_t fields[] = {0, 2, 6, 8};
            for (int f = 0; f < 4; ++f) {
                const auto v = static_cast<uint16_t>(values[f]);
                pcf.at(metric + fields[f] + (msb ? 0 : 1)) = static_cast<uint8_t>(v >> 8);
                pcf.at(metric + fields[f] + (msb ? 1 : 0)) = static_cast<uint8_t>(v);
            }
        }
    }
    return pcf;
}

// How much more memory than this process holds now a child of it needed to run `work`, in KiB.
long ExtraPeakKiB(const std::function<void()>& work) {
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    const long before = resident * (sysconf(_SC_PAGESIZE) / 1024);
    const pid_t pid = fork();
    if (pid == 0) {
        try {
            work();
        } catch (...) {
        }
        _exit(0);
    }
    int status = 0;
    rusage usage{};
    EXPECT_EQ(wait4(pid, &status, 0, &usage), pid);
    return usage.ru_maxrss - before;
}

TEST(PcfImport, GlyphsClaimingMoreBitmapThanTheFileHoldsAreRefusedBeforeTakingTheMemory) {
    test::TempDir dir;
    // The B reaching 200 columns left of the pen makes the compiler write full metrics.
    const std::vector<uint8_t> pcf = Compiled(
        dir, test::AsBytes(BdfFont("ISO10646-1", 5, 2,
                                   {BdfChar('A', 6, 0, 0, kA), BdfChar('B', 6, -200, 0, {"#"})})));
    EXPECT_EQ(LoadBdfPcf(pcf).charactersCut, 1);
    // 65,535 x 65,534 pixels each: half a gigabyte that a kilobyte file cannot hold.
    const std::vector<uint8_t> huge = WithGlyphMetrics(pcf, -32768, 32767, 32767, 32767);
    EXPECT_TRUE(Refused(huge));
    EXPECT_LT(ExtraPeakKiB([&] { LoadBdfPcf(huge); }), 64 << 10);
    // Bitmaps that the file could hold are read as before.
    EXPECT_EQ(LoadBdfPcf(WithGlyphMetrics(pcf, 0, 5, 5, 0)).charactersCut, 0);
}

TEST(BdfExport, WritesEveryFieldForTheCellAndTheUnicodeOfEachCode) {
    // Codes 7F-81, 10 x 3, downstroke 1, magnification 3; the padding bits set in the font are
    // not written.
    Font font =
        test::FontFromPictures(test::Shape(10, 3, 0x7F, 0, 1, 3),
                               {{"#........#", "", "##########"}, {"", ".#", ""}, {"", "", "#"}});
    font.glyphs[0].row(0)[1] |= 0x3F;
    EXPECT_EQ(test::AsText(saveBDF(font, "Label-12 \"bold\"")),
              "STARTFONT 2.1\n"
              "FONT -Pixmere-Label_12 _bold_-Medium-R-Normal--3-30-72-72-C-100-ISO10646-1\n"
              "SIZE 3 72 72\n"
              "FONTBOUNDINGBOX 10 3 0 -1\n"
              "STARTPROPERTIES 7\n"
              "FONT_ASCENT 2\n"
              "FONT_DESCENT 1\n"
              "SPACING \"C\"\n"
              "CHARSET_REGISTRY \"ISO10646\"\n"
              "CHARSET_ENCODING \"1\"\n"
              "DEFAULT_CHAR 127\n"
              "PIXMERE_MAGNIFICATION 3\n"
              "ENDPROPERTIES\n"
              "CHARS 3\n"
              "STARTCHAR uni007F\nENCODING 127\nSWIDTH 3333 0\nDWIDTH 10 0\nBBX 10 3 0 -1\n"
              "BITMAP\n8040\n0000\nFFC0\nENDCHAR\n"
              "STARTCHAR uni20AC\nENCODING 8364\nSWIDTH 3333 0\nDWIDTH 10 0\nBBX 10 3 0 -1\n"
              "BITMAP\n0000\n4000\n0000\nENDCHAR\n"
              "STARTCHAR uni0081\nENCODING 129\nSWIDTH 3333 0\nDWIDTH 10 0\nBBX 10 3 0 -1\n"
              "BITMAP\n0000\n0000\n8000\nENDCHAR\n"
              "ENDFONT\n");
    // The default character is the space when the font has one; a nameless font is Pixmere's.
    const std::string text =
        test::AsText(saveBDF(test::PatternFont(test::Shape(8, 2, 0x1F, 3)), ""));
    EXPECT_NE(text.find("\nDEFAULT_CHAR 32\n"), std::string::npos);
    EXPECT_NE(text.find("FONT -Pixmere-Pixmere-"), std::string::npos);
}

TEST(BdfExport, TheX11CompilerTakesItWithoutWarningAndItReadsBackToTheSameFont) {
    test::TempDir dir;
    for (const int width : {1, 8, 12, 255}) {
        const Font font = test::PatternFont(test::Shape(width, 9, 0x00, 256, 3, 5));
        std::string warnings;
        const std::vector<uint8_t> pcf = Compiled(dir, saveBDF(font, "pattern"), &warnings);
        EXPECT_EQ(warnings, "") << width;
        for (const auto& file : {saveBDF(font, "pattern"), pcf}) {
            const Font back = LoadBdfPcf(file).font.build();
            EXPECT_EQ(Describe(back.params), Describe(font.params));
            for (int i = 0; i < 256; ++i) {
                ASSERT_EQ(test::GlyphPicture(back.glyphs[i], width),
                          test::GlyphPicture(font.glyphs[i], width))
                    << width << " code " << i;
            }
        }
    }
}

}  // namespace
}  // namespace pixmere
