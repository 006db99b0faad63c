#include <gtest/gtest.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>

#include "Installed.h"
#include "formats/BdfExport.h"
#include "formats/BdfPcfFile.h"
#include "formats/PsfFile.h"
#include "model/UserError.h"
#include "support/GlyphPicture.h"
#include "support/Gzip.h"
#include "support/SampleFonts.h"
#include "support/TempDir.h"

namespace pixmere::test {
namespace {

using Picture = std::vector<std::string>;
using Bytes = std::vector<uint8_t>;

std::string N(long value) { return std::to_string(value); }

// One BDF character drawn as a picture; its bounding box is the picture's size at the offsets.
std::string BdfChar(long encoding, int advance, int left, int bottom, const Picture& picture) {
    const int width = picture.empty() ? 0 : static_cast<int>(picture[0].size());
    std::string text = "STARTCHAR c" + N(encoding) + "\nENCODING " + N(encoding) +
                       "\nSWIDTH 500 0\nDWIDTH " + N(advance) + " 0\nBBX " + N(width) + " " +
                       N(long(picture.size())) + " " + N(left) + " " + N(bottom) + "\nBITMAP\n";
    for (const std::string& row : picture) {
        for (const uint8_t b : PictureBytes({row}, (width + 7) / 8)) {
            char hex[3];
            std::snprintf(hex, sizeof hex, "%02X", b);
            text += hex;
        }
        text += "\n";
    }
    return text + "ENDCHAR\n";
}

// A Unicode font of these characters.
std::string BdfFont(int ascent, int descent, const std::vector<std::string>& chars) {
    std::string text =
        "STARTFONT 2.1\nFONT -Test-Tiny-Medium-R-Normal--7-70-75-75-P-50-ISO10646-1\nSIZE 7 75 75\n"
        "FONTBOUNDINGBOX 9 9 -1 -3\nSTARTPROPERTIES 4\nFONT_ASCENT " +
        N(ascent) + "\nFONT_DESCENT " + N(descent) +
        "\nCHARSET_REGISTRY \"ISO10646\"\nCHARSET_ENCODING \"1\"\nENDPROPERTIES\nCHARS " +
        N(long(chars.size())) + "\n";
    for (const std::string& c : chars) text += c;
    return text + "ENDFONT\n";
}

const Picture kA = {".###.", "#...#", "#####", "#...#", "#...#"};

// A, p below the baseline, the euro sign, U+0080, U+008D and a smiley beyond the codes.
const std::string kSmallUnicode = BdfFont(
    5, 2,
    {BdfChar(0x41, 6, 0, 0, kA), BdfChar(0x70, 6, 1, -2, {"###.", "#..#", "###.", "#...", "#..."}),
     BdfChar(0x20AC, 5, 0, 1, {".###", "##..", ".###"}), BdfChar(0x80, 4, 0, 0, {"#", "#"}),
     BdfChar(0x8D, 3, 1, 4, {"##"}), BdfChar(0x263A, 9, 0, 0, {"#########"})});

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
    EXPECT_EQ(BlankGlyphs(font), 77 - 4);  // codes in between without a glyph
    // Every cut is refused; whether one that only loses the last line end is, is left open.
    EXPECT_EQ(FirstCutTaken(Cut(AsBytes(kSmallUnicode), kSmallUnicode.size() - 1), LoadBdfPcf), -1);
}

// A PCF file made from BDF text by the X11 font compiler.
Bytes Compiled(const TempDir& dir, const Bytes& bdf, std::string* warnings = nullptr) {
    WriteAll(dir.file("in.bdf"), bdf);
    const std::string command = "bdftopcf -o " + dir.file("out.pcf") + " " + dir.file("in.bdf") +
                                " 2>" + dir.file("warnings.txt");
    EXPECT_EQ(std::system(command.c_str()), 0) << "bdftopcf failed: is xfonts-utils installed?";
    if (warnings) *warnings = AsText(ReadAll(dir.file("warnings.txt")));
    return ReadAll(dir.file("out.pcf"));
}

uint32_t U32(const Bytes& b, std::size_t at, bool msb = false) {
    uint32_t v = 0;
    for (int n = 0; n < 4; ++n) v |= uint32_t{b.at(at + n)} << 8 * (msb ? 3 - n : n);
    return v;
}

// The PCF file with every glyph's metrics set to these bearings and extents; the compiler must
// have written the metrics in full (16-bit) form.
Bytes WithGlyphMetrics(Bytes pcf, int left, int right, int ascent, int descent) {
    for (uint32_t table = 0; table < U32(pcf, 4); ++table) {
        if (U32(pcf, 8 + 16 * table) != 4) continue;  // the metrics table
        const std::size_t at = U32(pcf, 8 + 16 * table + 12);
        EXPECT_EQ(U32(pcf, at) & 0x100, 0u) << "compressed metrics";
        const bool msb = (U32(pcf, at) & 4) != 0;
        for (uint32_t glyph = 0; glyph < U32(pcf, at + 4, msb); ++glyph) {
            const std::size_t fields[] = {0, 2, 6, 8};
            const int values[] = {left, right, ascent, descent};
            for (int f = 0; f < 4; ++f) {
                const std::size_t field = at + 8 + 12 * glyph + fields[f];
                pcf.at(field + (msb ? 0 : 1)) = static_cast<uint8_t>(values[f] >> 8);
                pcf.at(field + (msb ? 1 : 0)) = static_cast<uint8_t>(values[f]);
            }
        }
    }
    return pcf;
}

// What importing the file says in a child process, "message / reason" or "accepted", and how
// much more memory than the child held when it began it needed at its peak, in KiB. The
// child's address space may grow by at most 1 GiB, so that a reader that balloons fails there
// rather than taking the machine's memory.
std::pair<std::string, long> ImportInChild(const Bytes& file) {
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
        std::string said = "accepted";
        try {
            LoadBdfPcf(file);
        } catch (const UserError& e) {
            said = e.what() + (e.reason().empty() ? "" : " / " + e.reason());
        }
        const long peak = status("VmHWM:") - before;
        const bool sent =
            write(channel[1], &peak, sizeof peak) == sizeof peak &&
            write(channel[1], said.data(), said.size()) == static_cast<ssize_t>(said.size());
        _exit(sent ? 0 : 1);
    }
    close(channel[1]);
    std::pair<std::string, long> result{"", -1};
    if (read(channel[0], &result.second, sizeof(long)) != sizeof(long)) result.second = -1;
    char chunk[256];
    for (ssize_t n; (n = read(channel[0], chunk, sizeof chunk)) > 0;) result.first.append(chunk, n);
    close(channel[0]);
    EXPECT_EQ(waitpid(pid, nullptr, 0), pid);
    return result;
}

// The head of a file followed by `count` parts, each written by `part` with its number, and
// `tail`: hostile fonts of many small parts, built here rather than stored.
Bytes Built(const std::string& head, std::size_t count,
            const std::function<std::string(std::size_t)>& part,
            const std::string& tail = "ENDFONT\n") {
    std::string text = head;
    for (std::size_t n = 0; n < count; ++n) text += part(n);
    return AsBytes(text + tail);
}

// The PCF file with its properties table replaced: `count` properties whose names and values
// all point at one text of `length` bytes, which FreeType copies twice a property.
Bytes SharingOneText(const Bytes& pcf, uint32_t count, uint32_t length) {
    Bytes table;
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
    const uint32_t tables = U32(pcf, 4);
    Bytes out(pcf.begin(), pcf.begin() + 8 + 16 * tables);
    for (uint32_t t = 0; t < tables; ++t) {
        const std::size_t entry = 8 + 16 * t;
        const bool properties = U32(pcf, entry) == 1;
        const auto start = pcf.begin() + U32(pcf, entry + 12);
        const Bytes body = properties ? table : Bytes(start, start + U32(pcf, entry + 8));
        out = Patched(out, entry + 4, properties ? 0 : U32(pcf, entry + 4), 4);
        out = Patched(Patched(out, entry + 8, uint32_t(body.size()), 4), entry + 12,
                      uint32_t(out.size()), 4);
        out.insert(out.end(), body.begin(), body.end());
    }
    return out;
}

// Damaged, foreign and unfitting fonts are refused saying why; fonts that would make FreeType
// take hundreds of times their size, or read a compressed layer of its own without a limit,
// before it sees them. No import takes more than three times the font's size and 16 MiB
// beside it.
TEST(BdfPcfImport, DamagedAndHostileFontsAreRefusedWithinBoundedMemory) {
    TempDir dir;
    const Bytes pcf = Compiled(dir, AsBytes(kSmallUnicode));
    // The B reaching 200 columns left of the pen makes the compiler write full metrics.
    const Bytes wide = Compiled(
        dir, AsBytes(BdfFont(5, 2, {BdfChar('A', 6, 0, 0, kA), BdfChar('B', 6, -200, 0, {"#"})})));
    EXPECT_EQ(LoadBdfPcf(wide).charactersCut, 1);
    const std::string head = "STARTFONT 2.1\nFONT x\nSIZE 8 75 75\nFONTBOUNDINGBOX 8 8 0 0\n";
    const std::string glyphs =
        head + "STARTPROPERTIES 2\nFONT_ASCENT 8\nFONT_DESCENT 0\nENDPROPERTIES\nCHARS 1\n";
    const auto small = [&](const std::string& from, const std::string& to) {
        return [=] { return AsBytes(Replaced(kSmallUnicode, from, to)); };
    };
    const auto with = [](const std::string& bdf) { return [=] { return AsBytes(bdf); }; };
    const std::string bad = "This file contains errors or can not be opened. / ";
    const auto cell = [](const std::string& size) {
        return "This font needs a cell of " + size +
               " pixels; a font is 1 to 255 pixels wide and high.";
    };
    const std::vector<std::pair<std::function<Bytes()>, std::string>> cases = {
        {small("SIZE 7 75 75", "SIZE 7 75 75 2"),
         bad + "more than 1 bit per pixel"},  // grey levels
        {with("STARTFONT 2.1\n"), bad + "a damaged BDF font"},
        {with(""), bad + "not a BDF or PCF font"},
        {small("ENDPROPERTIES\n", ""), bad + "a damaged BDF font"},
        {small("BITMAP\n", ""), bad + "a damaged BDF font"},
        {small("ENDCHAR\n", ""), bad + "a damaged BDF font"},
        {with(BdfFont(200, 60, {BdfChar('A', 6, 0, 0, kA)})), cell("6 x 260")},
        {with(BdfFont(0, 0, {BdfChar('A', 6, 0, 0, kA)})), cell("6 x 0")},
        {with(BdfFont(5, 2, {BdfChar('A', 0, 0, 0, kA)})), cell("0 x 7")},
        {with(BdfFont(5, 2, {BdfChar('A', 300, 0, 0, kA)})), cell("300 x 7")},
        {with(BdfFont(5, 2, {BdfChar(0x263A, 5, 0, 0, kA)})),
         "This font has no character with a code from 00h to FFh."},
        // An outline font named .bdf never reaches the outline parsers.
        {[] {
             return Installed("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                              "fonts-dejavu-core");
         },
         bad + "not a BDF or PCF font"},
        // A PCF font behind two layers of gzip.
        {[&] { return Gzip(Gzip(pcf)); }, bad + "not a BDF or PCF font"},
        // 64 MB of glyphs 65,535 rows high without a row: 80 GB once opened.
        {[&] {
             return Built(glyphs, ((64 << 20) - 200) / 56, [](std::size_t) {
                 return "STARTCHAR g\nENCODING 65\nBBX 8 65535 0 0\nBITMAP\nENDCHAR\n";
             });
         },
         cell("8 x 65535")},
        // A megabyte of the largest glyphs that fit a cell, without a row.
        {[&] {
             return Built(glyphs, 20000, [](std::size_t) {
                 return "STARTCHAR g\nENCODING 65\nBBX 255 255 0 0\nBITMAP\nENDCHAR\n";
             });
         },
         bad + "more bitmap bytes than the file holds"},
        // 48 MB of properties.
        {[&] {
             return Built(
                 head + "STARTPROPERTIES 3000000\n", 3'000'000,
                 [](std::size_t n) {
                     char line[24];
                     std::snprintf(line, sizeof line, "P%09zu 1\n", n);
                     return std::string(line);
                 },
                 "ENDPROPERTIES\nCHARS 0\nENDFONT\n");
         },
         bad + "more than 1024 properties"},
        // Ten megabytes of encodings for one character: a glyph each.
        {[&] {
             return Built(
                 glyphs + "STARTCHAR A\n", 1'000'000, [](std::size_t) { return "ENCODING 65\n"; },
                 "ENDCHAR\nENDFONT\n");
         },
         bad + "more ENCODING lines than characters"},
        {small("CHARS 6", "CHARS 1000000000"), bad + "more characters than the file holds"},
        // Many glyphs of no pixels are a font: FreeType's room for them stays within the bound.
        {[&] {
             return Built(Replaced(glyphs, "CHARS 1", "CHARS 200000"), 200'000, [](std::size_t n) {
                 return "STARTCHAR g\nENCODING " + N(long(n)) +
                        "\nDWIDTH 8 0\nBBX 0 0 0 0\nBITMAP\nENDCHAR\n";
             });
         },
         "accepted"},
        // 200 PCF properties naming one text of 100,000 bytes.
        {[&] { return SharingOneText(pcf, 200, 100000); },
         bad + "properties repeating more text than the file holds"},
        // 65,535 x 65,534 pixels a glyph: half a gigabyte that a kilobyte file cannot hold.
        {[&] { return WithGlyphMetrics(wide, -32768, 32767, 32767, 32767); },
         bad + "glyphs with more bitmap bytes than the file holds"}};
    for (const auto& [build, refusal] : cases) {
        const Bytes file = build();
        const auto [said, peakKiB] = ImportInChild(file);
        EXPECT_EQ(said, refusal) << file.size();
#if !defined(__SANITIZE_ADDRESS__)
        EXPECT_LE(peakKiB, static_cast<long>(3 * file.size() / 1024) + (16 << 10)) << refusal;
#endif
    }
}

TEST(BdfExport, WritesEveryFieldForTheCellAndTheUnicodeOfEachCode) {
    // Codes 7F-81, 10 x 3, downstroke 1, magnification 3; the padding bits set in the font are
    // not written.
    Font font = FontFromPictures(Shape(10, 3, 0x7F, 0, 1, 3),
                                 {{"#........#", "", "##########"}, {"", ".#", ""}, {"", "", "#"}});
    font.glyphs[0].row(0)[1] |= 0x3F;
    EXPECT_EQ(AsText(saveBDF(font, "Label-12 \"bold\"")),
              "STARTFONT 2.1\n"
              "FONT -Pixmere-Label_12 _bold_-Medium-R-Normal--3-30-72-72-C-100-ISO10646-1\n"
              "SIZE 3 72 72\nFONTBOUNDINGBOX 10 3 0 -1\nSTARTPROPERTIES 18\n"
              "FOUNDRY \"Pixmere\"\nFAMILY_NAME \"Label_12 _bold_\"\nWEIGHT_NAME \"Medium\"\n"
              "SLANT \"R\"\nSETWIDTH_NAME \"Normal\"\nADD_STYLE_NAME \"\"\nPIXEL_SIZE 3\n"
              "POINT_SIZE 30\nRESOLUTION_X 72\nRESOLUTION_Y 72\nSPACING \"C\"\n"
              "AVERAGE_WIDTH 100\nCHARSET_REGISTRY \"ISO10646\"\nCHARSET_ENCODING \"1\"\n"
              "FONT_ASCENT 2\nFONT_DESCENT 1\nDEFAULT_CHAR 127\nPIXMERE_MAGNIFICATION 3\n"
              "ENDPROPERTIES\nCHARS 3\n"
              "STARTCHAR uni007F\nENCODING 127\nSWIDTH 3333 0\nDWIDTH 10 0\nBBX 10 3 0 -1\n"
              "BITMAP\n8040\n0000\nFFC0\nENDCHAR\n"
              "STARTCHAR uni20AC\nENCODING 8364\nSWIDTH 3333 0\nDWIDTH 10 0\nBBX 10 3 0 -1\n"
              "BITMAP\n0000\n4000\n0000\nENDCHAR\n"
              "STARTCHAR uni0081\nENCODING 129\nSWIDTH 3333 0\nDWIDTH 10 0\nBBX 10 3 0 -1\n"
              "BITMAP\n0000\n0000\n8000\nENDCHAR\n"
              "ENDFONT\n");
    // The default character is the space when the font has one; a nameless font is Pixmere's.
    const std::string text = AsText(saveBDF(PatternFont(Shape(8, 2, 0x1F, 3)), ""));
    EXPECT_NE(text.find("\nDEFAULT_CHAR 32\n"), std::string::npos);
    EXPECT_NE(text.find("FONT -Pixmere-Pixmere-"), std::string::npos);
}

// The X11 compiler takes the export without a warning, under an ordinary name, the longest a
// file may have and one of 67 CJK characters (a byte each, outside ASCII, becomes "_"), whose
// family is shortened to keep the font's name within the 254 characters readers take. Our own
// import reads it back, plain, compiled and compressed, and Debian's console font builder makes
// a console font of one 8 pixels wide, its ASCII glyphs the font's.
TEST(BdfExport, TheX11CompilerAndTheConsoleFontBuilderTakeItAndItReadsBack) {
    TempDir dir;
    std::string cjk;
    for (int n = 0; n < 67; ++n) cjk += "\xE6\xBC\xA2";
    for (const auto& [width, name] : std::vector<std::pair<int, std::string>>{
             {1, "pattern"}, {8, std::string(255, 'n')}, {12, cjk}, {255, "pattern"}}) {
        SCOPED_TRACE(width);
        const Font font = PatternFont(Shape(width, 9, 0x00, 256, 3, 5));
        const Bytes bdf = saveBDF(font, name);
        const std::string text = AsText(bdf);
        const std::size_t line = text.find("\nFONT ") + 6;
        EXPECT_LE(text.find('\n', line) - line, 254u);
        std::string warnings;
        const Bytes pcf = Compiled(dir, bdf, &warnings);
        EXPECT_EQ(warnings, "");
        for (const auto& file : {bdf, pcf, Gzip(pcf)}) {
            const Font back = LoadBdfPcf(file).font.build();
            EXPECT_EQ(Describe(back.params), Describe(font.params));
            for (int i = 0; i < 256; ++i) {
                ASSERT_EQ(GlyphPicture(back.glyphs[i], width), GlyphPicture(font.glyphs[i], width))
                    << "code " << i;
            }
        }
        if (width != 8) continue;
        const std::string command = "bdf2psf --fb " + dir.file("in.bdf") +
                                    " /usr/share/bdf2psf/standard.equivalents"
                                    " /usr/share/bdf2psf/ascii.set 256 " +
                                    dir.file("out.psf") + " 2>" + dir.file("errors.txt");
        ASSERT_EQ(std::system(command.c_str()), 0)
            << AsText(ReadAll(dir.file("errors.txt"))) << " (is bdf2psf installed?)";
        const Font console = LoadPsf(ReadAll(dir.file("out.psf"))).font.build();
        for (int code = 0x20; code < 0x7F; ++code) {
            EXPECT_EQ(CodePicture(console, code), CodePicture(font, code)) << code;
        }
    }
}

}  // namespace
}  // namespace pixmere::test
