#include <gtest/gtest.h>
#include <malloc.h>
#include <sys/mman.h>

#include <cstdlib>
#include <fstream>
#include <new>

#include "Installed.h"
#include "formats/BdfExport.h"
#include "formats/BdfPcfFile.h"
#include "formats/PsfFile.h"
#include "model/UserError.h"
#include "support/Child.h"
#include "support/GlyphPicture.h"
#include "support/Gzip.h"
#include "support/SampleFonts.h"
#include "support/TempDir.h"

namespace pixmere::test {
namespace {

using Bytes = std::vector<uint8_t>;

// A font of one character, A 6 x 7 with a downstroke of 2, as the export writes it.
const std::string kOne = AsText(saveBDF(PatternFont(Shape(6, 7, 0x41, 1, 2)), "t"));

// A real Unicode font takes the codes 00-FF (what each means in Windows-1252 is pinned by the
// export read back below).
TEST(BdfImport, ARealFontAndEveryCutOfOne) {
    const Font font =
        LoadBdfPcf(Installed("/usr/share/fonts/X11/misc/5x7.pcf.gz", "xfonts-base")).font.build();
    EXPECT_EQ(Describe(font.params), "5x7 down 1 magnif 1 codes 0-255");
    // Every cut is refused; whether one that only loses the last line end is, is left open.
    EXPECT_EQ(FirstCutTaken(Cut(AsBytes(kOne), kOne.size() - 1), LoadBdfPcf), -1);
}

// A PCF file made from BDF text by the X11 font compiler.
Bytes Compiled(const TempDir& dir, const Bytes& bdf) {
    WriteAll(dir.file("in.bdf"), bdf);
    const std::string command = "bdftopcf -o " + dir.file("out.pcf") + " " + dir.file("in.bdf") +
                                " 2>" + dir.file("warnings.txt");
    EXPECT_EQ(std::system(command.c_str()), 0) << "bdftopcf failed: is xfonts-utils installed?";
    EXPECT_EQ(AsText(ReadAll(dir.file("warnings.txt"))), "") << "bdftopcf warned";
    return ReadAll(dir.file("out.pcf"));
}

uint32_t U32(const Bytes& b, std::size_t at, bool msb = false) {
    uint32_t v = 0;
    for (int n = 0; n < 4; ++n) v |= uint32_t{b.at(at + n)} << 8 * (msb ? 3 - n : n);
    return v;
}

// The PCF file with every glyph 65,535 pixels wide (bearings -32768 and 32767) and 65,534 high;
// the compiler must have written the metrics in full (16-bit) form.
Bytes WithHugeGlyphs(Bytes pcf) {
    for (uint32_t table = 0; table < U32(pcf, 4); ++table) {
        if (U32(pcf, 8 + 16 * table) != 4) continue;  // the metrics table
        const std::size_t at = U32(pcf, 8 + 16 * table + 12);
        EXPECT_EQ(U32(pcf, at) & 0x100, 0u) << "compressed metrics";
        const bool msb = (U32(pcf, at) & 4) != 0;
        for (uint32_t glyph = 0; glyph < U32(pcf, at + 4, msb); ++glyph) {
            for (const uint32_t field : {0, 2, 6, 8}) {
                const uint32_t v = field ? 0x7FFF : 0x8000;
                pcf = Patched(pcf, at + 8 + 12 * glyph + field, msb ? v >> 8 | (v & 0xFF) << 8 : v,
                              2);
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
    const auto status = [](const std::string& field) {
        std::ifstream in("/proc/self/status");
        std::string word;
        long kib = 0;
        while (in >> word && word != field) continue;
        return in >> kib ? kib : 0L;
    };
    // What the child says, in memory shared with it.
    struct Said {
        long peak = -1;
        char text[256] = {};
    };
    void* shared =
        mmap(nullptr, sizeof(Said), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (shared == MAP_FAILED) return {"no memory to share with the child", -1};
    Said* said = new (shared) Said;
    const auto import = [&] {
#if !defined(__SANITIZE_ADDRESS__)
        LimitAddressSpaceGrowth(std::size_t{1} << 30);
#endif
        // Memory the parent freed but kept goes back, lest the import reuse it unseen, and the
        // peak starts again from what the child holds then.
        malloc_trim(0);
        std::ofstream("/proc/self/clear_refs") << "5";
        const long before = status("VmRSS:");
        std::string text = "accepted";
        try {
            LoadBdfPcf(file);
        } catch (const UserError& e) {
            text = e.what() + (e.reason().empty() ? "" : " / " + e.reason());
        }
        said->peak = status("VmHWM:") - before;
        text.copy(said->text, sizeof said->text - 1);
        return 0;
    };
    EXPECT_EQ(InChild(import), 0);
    const std::pair<std::string, long> result{said->text, said->peak};
    munmap(shared, sizeof(Said));
    return result;
}

// The PCF file with its properties table replaced: `count` properties whose names and values
// all point at one text of `length` bytes, which FreeType copies twice a property.
Bytes SharingOneText(const Bytes& pcf, uint32_t count, uint32_t length) {
    Bytes table;
    const auto put = [&](uint32_t v) {
        for (int n = 0; n < 4; ++n) table.push_back(static_cast<uint8_t>(v >> 8 * n));
    };
    for (const uint32_t v : {0u, count}) put(v);  // least significant byte first
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
    const Bytes pcf = Compiled(dir, AsBytes(kOne));
    // The A reaching 200 columns left of the pen makes the compiler write full metrics.
    const Bytes wide =
        Compiled(dir, AsBytes(Replaced(AsText(saveBDF(PatternFont(Shape(6, 7, 0x41, 2, 2)), "t")),
                                       "BBX 6 7 0 -2", "BBX 6 7 -200 -2")));
    EXPECT_EQ(LoadBdfPcf(wide).charactersCut, 1);
    const std::string head = "STARTFONT 2.1\nFONT x\nSIZE 8 75 75\nFONTBOUNDINGBOX 8 8 0 0\n";
    const std::string glyphs =
        head + "STARTPROPERTIES 2\nFONT_ASCENT 8\nFONT_DESCENT 0\nENDPROPERTIES\nCHARS 1\n";
    const auto one = [&](const std::string& from, const std::string& to) {
        return Replaced(kOne, from, to);
    };
    const std::string bad = "This file contains errors or can not be opened. / ";
    const auto cell = [](const std::string& size) {
        return "This font needs a cell of " + size +
               " pixels; a font is 1 to 255 pixels wide and high.";
    };
    // Hostile fonts of many small parts are built when their row runs, not stored: the head,
    // `count` parts with any "#" replaced by their number, and the tail.
    const struct {
        std::string text, refusal;
        std::size_t count = 0;
        std::string part = {}, tail = "ENDFONT\n";
    } cases[] = {
        {one("SIZE 7 72 72", "SIZE 7 72 72 2"), bad + "more than 1 bit per pixel"},  // grey
        {"STARTFONT 2.1\n", bad + "a damaged BDF font"},
        {"", bad + "not a BDF or PCF font"},
        {one("ENDPROPERTIES\n", ""), bad + "a damaged BDF font"},
        {one("FONT_ASCENT 5", "FONT_ASCENT 258"), cell("6 x 260")},
        {Replaced(one("FONT_ASCENT 5", "FONT_ASCENT 0"), "FONT_DESCENT 2", "FONT_DESCENT 0"),
         cell("6 x 0")},
        {one("DWIDTH 6 0", "DWIDTH 0 0"), cell("0 x 7")},
        {one("DWIDTH 6 0", "DWIDTH 300 0"), cell("300 x 7")},
        {one("ENCODING 65", "ENCODING 9786"),
         "This font has no character with a code from 00h to FFh."},
        // An outline font named .bdf never reaches the outline parsers.
        {AsText(Installed("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "fonts-dejavu-core")),
         bad + "not a BDF or PCF font"},
        // A PCF font behind two layers of gzip.
        {AsText(Gzip(Gzip(pcf))), bad + "not a BDF or PCF font"},
        // 64 MB of glyphs 65,535 rows high without a row: 80 GB once opened.
        {glyphs, cell("8 x 65535"), ((64 << 20) - 200) / 56,
         "STARTCHAR g\nENCODING 65\nBBX 8 65535 0 0\nBITMAP\nENDCHAR\n"},
        // A megabyte of the largest glyphs that fit a cell, without a row.
        {glyphs, bad + "more bitmap bytes than the file holds", 20000,
         "STARTCHAR g\nENCODING 65\nBBX 255 255 0 0\nBITMAP\nENDCHAR\n"},
        // 33 MB of properties.
        {head + "STARTPROPERTIES 3000000\n", bad + "more than 1024 properties", 3'000'000, "P# 1\n",
         "ENDPROPERTIES\nCHARS 0\nENDFONT\n"},
        // Ten megabytes of encodings for one character: a glyph each.
        {glyphs + "STARTCHAR A\n", bad + "more ENCODING lines than characters", 1'000'000,
         "ENCODING 65\n", "ENDCHAR\nENDFONT\n"},
        {one("CHARS 1", "CHARS 1000000000"), bad + "more characters than the file holds"},
        // Many glyphs of no pixels are a font: FreeType's room for them stays within the bound.
        {Replaced(glyphs, "CHARS 1", "CHARS 200000"), "accepted", 200'000,
         "STARTCHAR g\nENCODING #\nDWIDTH 8 0\nBBX 0 0 0 0\nBITMAP\nENDCHAR\n"},
        // 200 PCF properties naming one text of 100,000 bytes.
        {AsText(SharingOneText(pcf, 200, 100000)),
         bad + "properties repeating more text than the file holds"},
        // 65,535 x 65,534 pixels a glyph: half a gigabyte that a kilobyte file cannot hold.
        {AsText(WithHugeGlyphs(wide)), bad + "glyphs with more bitmap bytes than the file holds"}};
    for (const auto& [head, refusal, count, part, tail] : cases) {
        std::string text = head;
        for (std::size_t n = 0; n < count; ++n) {
            text +=
                part.find('#') == std::string::npos ? part : Replaced(part, "#", std::to_string(n));
        }
        const Bytes file = AsBytes(count ? text += tail : text);
        const auto [said, peakKiB] = ImportInChild(file);
        EXPECT_EQ(said, refusal) << file.size();
#if !defined(__SANITIZE_ADDRESS__)
        EXPECT_LE(peakKiB, static_cast<long>(3 * file.size() / 1024) + (16 << 10)) << refusal;
#endif
    }
}

TEST(BdfExport, WritesEveryFieldAndTheX11CompilerAndConsoleFontBuilderTakeIt) {
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
    // The X11 compiler takes the export without a warning, under an ordinary name, the longest
    // a file may have and one of 67 CJK characters (a byte each, outside ASCII, becomes "_"),
    // whose family is shortened to keep the font's name within the 254 characters readers take.
    // Our own import reads it back, plain, compiled and compressed, and Debian's console font
    // builder makes a console font of one 8 pixels wide, its ASCII glyphs the font's.
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
        const Bytes pcf = Compiled(dir, bdf);
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
