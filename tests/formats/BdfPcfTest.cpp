#include <gtest/gtest.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

#include "formats/BdfExport.h"
#include "formats/BdfPcfFile.h"
#include "formats/PsfFile.h"
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

// What importing the file says: its message, then " / " and the reason when it gives one.
std::string RefusalOf(const std::vector<uint8_t>& file) {
    try {
        LoadBdfPcf(file);
        return "accepted";
    } catch (const UserError& e) {
        return e.what() + (e.reason().empty() ? "" : " / " + e.reason());
    }
}

// An import run in a child process: what it said and how much more memory than the child held
// when it began it needed at its peak, in KiB. The child's address space may grow by at most
// 1 GiB, so that a reader that balloons fails there rather than taking the machine's memory.
struct ChildImport {
    std::string said;
    long peakKiB = -1;
};

ChildImport ImportInChild(const std::vector<uint8_t>& file) {
    const auto status = [](const char* field) {
        std::ifstream in("/proc/self/status");
        std::string line;
        while (std::getline(in, line)) {
            if (line.starts_with(field)) return std::stol(line.substr(std::strlen(field)));
        }
        return 0L;
    };
    int channel[2];
    if (pipe(channel) != 0) return {};
    const pid_t pid = fork();
    if (pid == 0) {
#if !defined(__SANITIZE_ADDRESS__)
        const rlim_t most = static_cast<rlim_t>(status("VmSize:") + (1 << 20)) * 1024;
        const rlimit limit{most, most};
        setrlimit(RLIMIT_AS, &limit);
#endif
        // Memory the parent freed but kept goes back, lest the import reuse it unseen, and the
        // peak starts again from what the child holds then.
        malloc_trim(0);
        std::ofstream("/proc/self/clear_refs") << "5";
        const long before = status("VmRSS:");
        const std::string said = RefusalOf(file);
        const long peak = status("VmHWM:") - before;
        const bool sent =
            write(channel[1], &peak, sizeof peak) == sizeof peak &&
            write(channel[1], said.data(), said.size()) == static_cast<ssize_t>(said.size());
        _exit(sent ? 0 : 1);
    }
    close(channel[1]);
    ChildImport result;
    if (read(channel[0], &result.peakKiB, sizeof result.peakKiB) != sizeof result.peakKiB) {
        result.peakKiB = -1;
    }
    char chunk[256];
    for (ssize_t n; (n = read(channel[0], chunk, sizeof chunk)) > 0;) result.said.append(chunk, n);
    close(channel[0]);
    EXPECT_EQ(waitpid(pid, nullptr, 0), pid);
    return result;
}

// The head of a file followed by `count` parts, each written by `part` with its number, and
// `tail`: hostile fonts of many small parts, built here rather than stored.
std::vector<uint8_t> Built(const std::string& head, std::size_t count,
                           const std::function<void(std::string&, std::size_t)>& part,
                           const std::string& tail = "ENDFONT\n") {
    std::string text = head;
    for (std::size_t n = 0; n < count; ++n) part(text, n);
    text += tail;
    return {text.begin(), text.end()};
}

// The PCF file with its properties table replaced: `count` properties whose names and values
// all point at one text of `length` bytes, which FreeType copies twice a property.
std::vector<uint8_t> SharingOneText(const std::vector<uint8_t>& pcf, uint32_t count,
                                    uint32_t length) {
    const auto u32 = [&](std::size_t at) {
        return uint32_t{pcf.at(at)} | uint32_t{pcf.at(at + 1)} << 8 |
               uint32_t{pcf.at(at + 2)} << 16 | uint32_t{pcf.at(at + 3)} << 24;
    };
    std::vector<uint8_t> table;
    const auto put = [&](uint32_t v) {
        for (int n = 0; n < 4; ++n) table.push_back(static_cast<uint8_t>(v >> 8 * n));
    };
    put(0);  // least significant byte first
    put(count);
    for (uint32_t n = 0; n < count; ++n) {
        put(0);
        table.push_back(1);
        put(0);
    }
    table.resize(table.size() + (count % 4 ? 4 - count % 4 : 0));
    put(length + 1);
    table.resize(table.size() + length, 'L');
    table.push_back(0);
    // The tables again in their order, each where the one before ends.
    const uint32_t tables = u32(4);
    std::vector<uint8_t> out(pcf.begin(), pcf.begin() + 8 + 16 * tables);
    for (uint32_t t = 0; t < tables; ++t) {
        const std::size_t entry = 8 + 16 * t;
        const auto start = pcf.begin() + u32(entry + 12);
        const std::vector<uint8_t> body =
            u32(entry) == 1 ? table : std::vector<uint8_t>(start, start + u32(entry + 8));
        const uint32_t at = static_cast<uint32_t>(out.size());
        for (int n = 0; n < 4; ++n) {
            out[entry + 4 + n] =
                static_cast<uint8_t>((u32(entry) == 1 ? 0 : u32(entry + 4)) >> 8 * n);
            out[entry + 8 + n] = static_cast<uint8_t>(body.size() >> 8 * n);
            out[entry + 12 + n] = static_cast<uint8_t>(at >> 8 * n);
        }
        out.insert(out.end(), body.begin(), body.end());
    }
    return out;
}

// Fonts that would make FreeType take hundreds of times their size, or read a compressed
// layer of its own without a limit, are refused before it sees them; no import takes more than
// three times the font's size and 16 MiB beside it.
TEST(BdfPcfImport, HostileFontsAreRefusedBeforeFreeTypeTakesTheirMemory) {
    test::TempDir dir;
    const std::string head = "STARTFONT 2.1\nFONT x\nSIZE 8 75 75\nFONTBOUNDINGBOX 8 8 0 0\n";
    const std::string glyphs =
        head + "STARTPROPERTIES 2\nFONT_ASCENT 8\nFONT_DESCENT 0\nENDPROPERTIES\nCHARS 1\n";
    const auto repeated = [](const char* part) {
        return [part](std::string& text, std::size_t) { text += part; };
    };
    const std::string bad = std::string(kBadFontFileMessage) + " / ";
    const std::vector<std::pair<std::function<std::vector<uint8_t>()>, std::string>> hostile = {
        // A PCF font behind two layers of gzip.
        {[&] { return test::Gzip(test::Gzip(Compiled(dir, AsBytes(kSmallUnicode)))); },
         bad + "not a BDF or PCF font"},
        // 64 MB of glyphs 65,535 rows high without a row: 80 GB once opened.
        {[&] {
             return Built(glyphs, ((64 << 20) - 200) / 56,
                          repeated("STARTCHAR g\nENCODING 65\nBBX 8 65535 0 0\nBITMAP\nENDCHAR\n"));
         },
         CellSizeMessage(8, 65535)},
        // A megabyte of the largest glyphs that fit a cell, without a row.
        {[&] {
             return Built(glyphs, 20000,
                          repeated("STARTCHAR g\nENCODING 65\nBBX 255 255 0 0\nBITMAP\nENDCHAR\n"));
         },
         bad + "more bitmap bytes than the file holds"},
        // 48 MB of properties.
        {[&] {
             return Built(
                 head + "STARTPROPERTIES 3000000\n", 3'000'000,
                 [](std::string& text, std::size_t n) {
                     char line[24];
                     std::snprintf(line, sizeof line, "P%09zu 1\n", n);
                     text += line;
                 },
                 "ENDPROPERTIES\nCHARS 0\nENDFONT\n");
         },
         bad + "more than 1024 properties"},
        // Ten megabytes of encodings for one character: a glyph each.
        {[&] {
             return Built(glyphs + "STARTCHAR A\n", 1'000'000, repeated("ENCODING 65\n"),
                          "ENDCHAR\nENDFONT\n");
         },
         bad + "more ENCODING lines than characters"},
        {[&] { return AsBytes(test::Replaced(kSmallUnicode, "CHARS 6", "CHARS 1000000000")); },
         bad + "more characters than the file holds"},
        // Many glyphs of no pixels are a font: FreeType's room for them stays within the bound.
        {[&] {
             return Built(test::Replaced(glyphs, "CHARS 1", "CHARS 200000"), 200'000,
                          [](std::string& text, std::size_t n) {
                              text += "STARTCHAR g\nENCODING " + std::to_string(n) +
                                      "\nDWIDTH 8 0\nBBX 0 0 0 0\nBITMAP\nENDCHAR\n";
                          });
         },
         "accepted"},
        // 200 PCF properties naming one text of 100,000 bytes.
        {[&] { return SharingOneText(Compiled(dir, AsBytes(kSmallUnicode)), 200, 100000); },
         bad + "properties repeating more text than the file holds"}};
    for (const auto& [build, refusal] : hostile) {
        const std::vector<uint8_t> file = build();
        const ChildImport import = ImportInChild(file);
        EXPECT_EQ(import.said, refusal) << file.size();
#if !defined(__SANITIZE_ADDRESS__)
        EXPECT_LE(import.peakKiB, static_cast<long>(3 * file.size() / 1024) + (16 << 10))
            << refusal;
#endif
    }
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
    const ChildImport import = ImportInChild(huge);
    EXPECT_EQ(import.said, std::string(kBadFontFileMessage) +
                               " / glyphs with more bitmap bytes than the file holds");
    EXPECT_LT(import.peakKiB, 64 << 10);
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
              "STARTPROPERTIES 18\n"
              "FOUNDRY \"Pixmere\"\n"
              "FAMILY_NAME \"Label_12 _bold_\"\n"
              "WEIGHT_NAME \"Medium\"\n"
              "SLANT \"R\"\n"
              "SETWIDTH_NAME \"Normal\"\n"
              "ADD_STYLE_NAME \"\"\n"
              "PIXEL_SIZE 3\n"
              "POINT_SIZE 30\n"
              "RESOLUTION_X 72\n"
              "RESOLUTION_Y 72\n"
              "SPACING \"C\"\n"
              "AVERAGE_WIDTH 100\n"
              "CHARSET_REGISTRY \"ISO10646\"\n"
              "CHARSET_ENCODING \"1\"\n"
              "FONT_ASCENT 2\n"
              "FONT_DESCENT 1\n"
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

// The X11 compiler and our own import take the export, under an ordinary name, the longest a
// file may have and one of 67 CJK characters (a byte each, outside ASCII, becomes "_"), whose
// family is shortened to keep the font's name within the 254 characters readers take.
TEST(BdfExport, TheX11CompilerTakesItWithoutWarningAndItReadsBackToTheSameFont) {
    test::TempDir dir;
    std::string cjk;
    for (int n = 0; n < 67; ++n) cjk += "\xE6\xBC\xA2";
    for (const auto& [width, name] : std::vector<std::pair<int, std::string>>{
             {1, "pattern"}, {8, std::string(255, 'n')}, {12, cjk}, {255, "pattern"}}) {
        const Font font = test::PatternFont(test::Shape(width, 9, 0x00, 256, 3, 5));
        const std::vector<uint8_t> bdf = saveBDF(font, name);
        const std::string text = test::AsText(bdf);
        const std::size_t line = text.find("\nFONT ") + 6;
        EXPECT_LE(text.find('\n', line) - line, 254u) << width;
        std::string warnings;
        const std::vector<uint8_t> pcf = Compiled(dir, bdf, &warnings);
        EXPECT_EQ(warnings, "") << width;
        for (const auto& file : {bdf, pcf}) {
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

// Debian's console font builder makes a console font of an export 8 pixels wide, its ASCII
// glyphs the font's.
TEST(BdfExport, TheConsoleFontBuilderTakesIt) {
    test::TempDir dir;
    const Font font = test::PatternFont(test::Shape(8, 16, 0x20, 0x5F, 4));
    test::WriteAll(dir.file("in.bdf"), saveBDF(font, "console"));
    const std::string command = "bdf2psf --fb " + dir.file("in.bdf") +
                                " /usr/share/bdf2psf/standard.equivalents"
                                " /usr/share/bdf2psf/ascii.set 256 " +
                                dir.file("out.psf") + " 2>" + dir.file("errors.txt");
    ASSERT_EQ(std::system(command.c_str()), 0)
        << test::AsText(test::ReadAll(dir.file("errors.txt"))) << " (is bdf2psf installed?)";
    const Font console = LoadPsf(test::ReadAll(dir.file("out.psf"))).font.build();
    for (int code = 0x20; code < 0x7F; ++code) {
        EXPECT_EQ(test::CodePicture(console, code), test::CodePicture(font, code)) << code;
    }
}

}  // namespace
}  // namespace pixmere
