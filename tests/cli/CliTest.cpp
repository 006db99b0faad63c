// The tool's own job: arguments, types by extension, exit statuses and messages, and that it
// writes what the core gives. The formats themselves are pinned in tests/formats.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QImage>
#include <bit>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "cli/CliRun.h"
#include "cli/FontFiles.h"
#include "formats/BdfExport.h"
#include "formats/BdfPcfFile.h"
#include "formats/BinFile.h"
#include "formats/CFile.h"
#include "formats/Exports.h"
#include "formats/FntFile.h"
#include "formats/FonLibrary.h"
#include "formats/GfxFont.h"
#include "formats/NativeFile.h"
#include "formats/PsfFile.h"
#include "model/PrintedText.h"
#include "support/Child.h"
#include "support/GlyphPicture.h"
#include "support/SampleFonts.h"
#include "support/TempDir.h"
#include "truetype/PrintedTextImage.h"

namespace pixmere::cli {
namespace {

namespace fs = std::filesystem;
using test::AsText;
using test::ReadAll;
using test::WriteAll;
using Words = std::vector<std::string>;

const std::string kSans = "/usr/share/wine/fonts/sserife.fon";
const std::string kPcf = "/usr/share/fonts/X11/misc/6x13.pcf.gz";
const std::string kPsf = "/usr/share/consolefonts/Lat15-Terminus16.psf.gz";
const std::string kDejaVu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// The machine's fonts these tests read: a missing one is told with the package to install.
class InstalledFonts : public ::testing::Environment {
    void SetUp() override {
        const std::pair<std::string, const char*> fonts[] = {{kSans, "fonts-wine"},
                                                             {kPcf, "xfonts-base"},
                                                             {kPsf, "console-setup-linux"},
                                                             {kDejaVu, "fonts-dejavu-core"}};
        for (const auto& [path, package] : fonts) {
            if (!fs::exists(path)) ADD_FAILURE() << path << " is missing: install " << package;
        }
    }
};
const auto* const kInstalledFonts = ::testing::AddGlobalTestEnvironment(new InstalledFonts);

// What a successful run said on its error stream.
std::string Ok(const Words& words) {
    const CliRun run = Cli(words);
    EXPECT_EQ(run.status, 0) << words.at(1) << ": " << run.err;
    return run.err;
}

// Each output type, told by the end of the name or by --to, gets the core's bytes; a BDF font is
// named after its file and a native file gets a fresh key. Each input type, told by the end of
// its name in either case, is read by its own loader with its own options: converted to a text
// picture, which shows every parameter and byte, it is the core's font. Codes 30-FF, 12 x 10,
// downstroke 2, magnification 3, every byte different.
TEST(Cli, WritesAndReadsEveryTypeByItsExtension) {
    test::TempDir dir;
    WriteAll(dir.file("a.pzf"),
             SaveNative(test::PatternFont(test::Shape(12, 10, 0x30, 208, 2, 3))).bytes);
    const Font font = LoadNative(ReadAll(dir.file("a.pzf"))).build();
    const std::pair<Words, std::vector<uint8_t>> outputs[] = {
        {{"f.BIN"}, saveBin(font)},
        {{"f.c"}, saveC(font)},
        {{"f.out", "--to", "txt"}, saveTXT(font)},
        {{"Label.bdf"}, saveBDF(font, "Label")},
        {{"f.font", "--to", ".BDF"}, saveBDF(font, "f")},
        {{"Fw 1.h"}, saveGFX(font, "Fw 1")},
        {{"g.out", "--to", "gfx", "--gfx-advance", "ink"}, saveGFX(font, "g", GfxAdvance::Ink)},
        {{"t.c", "--c-numbers", "hex", "--c-order", "pages", "--c-bits", "lsb", "--c-array",
          "progmem", "--c-comments", "picture"},
         saveC(font,
               {CNumbers::Hexadecimal, COrder::Pages, CBits::LsbFirst, CDeclaration::Progmem,
                CComments::Picture},
               "t")}};
    for (const auto& [out, bytes] : outputs) {
        Words words = {"convert", dir.file("a.pzf"), dir.file(out[0])};
        words.insert(words.end(), out.begin() + 1, out.end());
        Ok(words);
        EXPECT_EQ(ReadAll(dir.file(out[0])), bytes) << out[0];
    }
    Ok({"convert", dir.file("a.pzf"), dir.file("b.pzf")});
    EXPECT_NE(ReadAll(dir.file("b.pzf")), ReadAll(dir.file("a.pzf")));
    EXPECT_EQ(saveTXT(LoadNative(ReadAll(dir.file("b.pzf"))).build()), saveTXT(font));
    const std::vector<uint8_t> sans = ReadAll(kSans), c = ReadAll(dir.file("f.c"));
    const FonFont first = ReadFontDirectory(sans).fonts.at(0);
    const std::vector<uint8_t> fnt(sans.begin() + long(first.offset),
                                   sans.begin() + long(first.offset + first.size));
    const std::string bare = AsText(c).substr(AsText(c).find("// Magnification"));
    WriteAll(dir.file("s.FNT"), fnt);
    WriteAll(dir.file("bare.c"), test::AsBytes(bare));
    WriteAll(dir.file("a.txt"), saveTXT(font));
    WriteAll(dir.file("T.PSF.GZ"), ReadAll(kPsf));
    const std::pair<Words, Font> inputs[] = {
        {{"a.pzf"}, font},
        {{"s.FNT"}, FntBegin(fnt).build()},
        {{kSans, "--font", "1"}, LoadFonFont(sans, 1).build()},
        {{"f.c", "--width", "12", "--height", "10", "--downstroke", "1", "--magnification", "4"},
         ParseCFile(c, test::Shape(12, 10, 0x20, 1, 1, 4)).build()},
        {{"bare.c", "--width", "12", "--height", "10"},
         ParseCFile(test::AsBytes(bare), test::Shape(12, 10)).build()},
        {{"f.BIN", "--magnification", "3"}, LoadBin(saveBin(font), 3).build()},
        {{"a.txt"}, font},
        {{"Label.bdf"}, LoadBdfPcf(saveBDF(font, "Label")).font.build()},
        {{kPcf}, LoadBdfPcf(ReadAll(kPcf)).font.build()},
        {{"T.PSF.GZ"}, LoadPsf(ReadAll(kPsf)).font.build()},
        {{"Fw 1.h"}, LoadGfx(saveGFX(font, "Fw 1")).font.build()}};
    for (const auto& [in, expected] : inputs) {
        Words words = {"convert", dir.file(in[0]), dir.file("out.txt")};
        words.insert(words.end(), in.begin() + 1, in.end());
        EXPECT_EQ(Ok(words), "");
        EXPECT_EQ(AsText(ReadAll(dir.file("out.txt"))), AsText(saveTXT(expected))) << in[0];
    }
}

// New takes the dialog's parameters and info prints them; list tells a library's fonts.
TEST(Cli, NewInfoListRenderAndWhatAConversionDropsOrCuts) {
    test::TempDir dir;
    Ok({"new", dir.file("a.pzf"), "--width", "12", "--height", "16", "--first", "41", "--last",
        "7f", "--downstroke", "3", "--magnification", "2"});
    EXPECT_EQ(Cli({"info", dir.file("a.pzf")}).out,
              "width: 12\nheight: 16\ndownstroke: 3\nfirst: 0x41\nlast: 0x7F\ncount: 63\n"
              "magnification: 2\nprinter bytes: 2021\n");
    EXPECT_EQ(Cli({"list", kSans}).out,
              "0 MS Sans Serif n\u00B080 (Height: 13 pixels)\n"
              "1 MS Sans Serif n\u00B081 (Height: 16 pixels)\n"
              "2 MS Sans Serif n\u00B082 (Height: 20 pixels)\n");
    // Codes from 1A: the first six are left out of a native file.
    WriteAll(dir.file("low.bin"), saveBin(test::PatternFont(test::Shape(8, 2, 0x1A, 10))));
    EXPECT_EQ(Ok({"convert", dir.file("low.bin"), dir.file("low.pzf")}),
              "Characters under the adress 20h will be deleted after saving (this range is "
              "reserved for printer control codes).\n");
    // A GFX font that runs past its cell on the left and has a code above FFh.
    WriteAll(dir.file("t.h"), test::AsBytes(test::kConverterGfxHeader));
    EXPECT_EQ(Ok({"convert", dir.file("t.h"), dir.file("t.pzf")}),
              dir.file("t.h") + ": 1 character lost the pixels that fell outside the cell.\n" +
                  dir.file("t.h") + ": 1 character with a code above FFh was left out.\n");
    // The picture is the core's text as printed at the zoom, whatever the input type; without
    // --text, the font's own letters and digits.
    const Font font = test::FontFromPictures(test::Shape(4, 3, 0x41, 2, 1, 3),
                                             {{".##.", "#..#", "####"}, {"###.", "#.##", "###."}});
    WriteAll(dir.file("f.pzf"), SaveNative(font).bytes);
    Ok({"render", dir.file("f.pzf"), dir.file("f.png"), "--text", "AB\nB\u00e9", "--zoom", "2"});
    const QImage png(QString::fromStdString(dir.file("f.png")), "PNG");
    EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32),
              PrintedTextImage(font, PrintedText(font.params, U"AB\nB\u00e9"), 2)
                  .convertToFormat(QImage::Format_RGB32));
    Ok({"render", kPsf, dir.file("psf.png")});
    EXPECT_EQ(QImage(QString::fromStdString(dir.file("psf.png"))).size(), QSize(64 * 8, 16));
}

// The input and output types are told once in the whole help, and by each command that reads
// or writes a font; counted in the words, whichever line they fall on.
TEST(Cli, HelpAndVersion) {
    EXPECT_EQ(Cli({"--version"}).out.rfind("pixmere-cli ", 0), 0u);
    // How often the help tells the input types (the paragraph's start and end) and the output
    // types.
    const auto told = [](const Words& words) {
        const std::string said = std::regex_replace(Cli(words).out, std::regex("\\s+"), " ");
        std::string counts;
        for (const char* part :
             {"IN is a .pzf font, a Windows .fnt resource, a Windows .fon library",
              ".txt or an Adafruit GFX font header .h.",
              "OUT is a .pzf file, a download file .bin, a C table .c"}) {
            std::size_t n = 0;
            for (std::size_t at = 0; (at = said.find(part, at)) != std::string::npos; ++at) ++n;
            counts += std::to_string(n);
        }
        return counts;
    };
    EXPECT_EQ(told({"--help"}), "111");
    const std::pair<const char*, const char*> commands[] = {
        {"info", "110"}, {"convert", "111"}, {"transform", "111"}, {"render", "110"},
        {"new", "001"},  {"ttf", "001"},     {"list", "000"}};
    for (const auto& [command, counts] : commands)
        EXPECT_EQ(told({command, "--help"}), counts) << command;
}

// Operations in order on three characters 6 x 3 with one downstroke row, read back as C; the
// column added on the left keeps the first column from the move to the left.
TEST(Transform, AppliesTheOperationsInOrder) {
    test::TempDir dir;
    const Font font =
        test::FontFromPictures(test::Shape(6, 3, 0x41, 3, 1), {{"#....#", ".#..#.", "..##.."},
                                                               {"######", "#....#", "######"},
                                                               {"..##..", "..##..", "..##.."}});
    WriteAll(dir.file("in.pzf"), SaveNative(font).bytes);
    const struct {
        Words operations;
        Font expected;
        CLayout layout;
    } cases[] = {
        {{"add-column-left", "add-column-right", "remove-row-top", "move-left:41-42", "clear:43",
          "add-row-bottom", "move-down:42", "--c-numbers", "hex"},
         test::FontFromPictures(
             test::Shape(8, 3, 0x41, 3, 1),
             {{".#..#...", "..##....", ""}, {"", "#....#..", "######.."}, {"", "", ""}}),
         {CNumbers::Hexadecimal}},
        {{"flip-v:41", "italic:42:2", "bold:43", "invert:41-42", "rotate-180:42-43", "flip-h:43",
          "italic:41"},
         test::FontFromPictures(test::Shape(6, 3, 0x41, 3, 1), {{"##..##", "#.##.#", "####.."},
                                                                {"#.....", ".####.", "......"},
                                                                {"..###.", "..###.", "..###."}}),
         {}},
    };
    for (const auto& c : cases) {
        Words words = {"transform", dir.file("in.pzf"), dir.file("out.c")};
        words.insert(words.end(), c.operations.begin(), c.operations.end());
        Ok(words);
        EXPECT_EQ(AsText(ReadAll(dir.file("out.c"))), AsText(saveC(c.expected, c.layout, "out")))
            << words[3];
    }
}

// The text picture of every glyph, as looked at when it was recorded (it lives with the
// conversion engine's tests), and what the fitting cut, told. The X-height fitting at 16 x 16;
// the whole face at 16 x 24 over the whole range, its accents above the capitals, descenders
// and the cedilla in the downstroke rows, wide letters squeezed into the cell, nothing lost.
TEST(TtfCli, DejaVuSansAlphabetsReadAsRecordedAndTheOptionsReachTheConversion) {
    test::TempDir dir;
    const std::string out = dir.file("dejavu.txt");
    const std::tuple<Words, std::string, std::string> alphabets[] = {
        {{"--height", "16", "--last", "7E", "--downstroke", "3"},
         ": 14 characters of the face came out empty or cut at the edges of the cell: , - . T _ "
         "` g j p q y { | }. --fit face keeps them.\n",
         "dejavu-sans-16x16-20-7e.txt"},
        {{"--height", "24", "--downstroke", "5", "--fit", "face"},
         "",
         "dejavu-sans-16x24-fit-face-20-ff.txt"}};
    for (const auto& [options, cut, recorded] : alphabets) {
        Words words = {"ttf", out, "--face", "DejaVu Sans", "--width", "16"};
        words.insert(words.end(), options.begin(), options.end());
        EXPECT_EQ(Ok(words), cut.empty() ? "" : out + cut);
        EXPECT_EQ(AsText(ReadAll(out)),
                  AsText(ReadAll(PIXMERE_TESTS_DIR "/truetype/expected/" + recorded)));
    }
    // Each option changes the conversion the way it says, compared with the plain face's ink.
    const std::string font = dir.file("f.pzf");
    const auto ink = [&](const Words& extra) {  // the face by its name unless a file is given
        Words words = {
            "ttf",    font, "--width",      "9", "--height",        "12", "--first", "41",
            "--last", "5a", "--downstroke", "2", "--magnification", "3"};
        if (extra[0] != "--font-file") words.insert(words.end(), {"--face", "DejaVu Sans"});
        words.insert(words.end(), extra.begin(), extra.end());
        EXPECT_EQ(Cli(words).status, 0) << extra[0];
        const std::vector<uint8_t> bytes = LoadNative(ReadAll(font)).build().glyphData();
        int n = 0;
        for (const uint8_t b : bytes) n += std::popcount(b);
        return std::pair(bytes, n);
    };
    const auto [plain, bits] = ink({"--fit", "x"});  // the X-height fitting is the default
    EXPECT_GT(bits, 26 * 10);
    EXPECT_EQ(ink({"--font-file", kDejaVu}).first, plain);
    EXPECT_GT(ink({"--bold"}).second, bits);
    EXPECT_LT(ink({"--threshold", "60"}).second, bits);
    for (const Words& other :
         {Words{"--italic"}, {"--shifts", "1"}, {"--resolution", "8"}, {"--fit", "face"}}) {
        EXPECT_NE(ink(other).first, plain) << other[0];
    }
    // Averaging against 25 or more marks nothing when a cell has at most 25 sample points.
    EXPECT_EQ(ink({"--combine", "2", "--threshold", "25", "--amplitude", "0"}).second, 0);
    EXPECT_EQ(Cli({"info", font}).out,
              "width: 9\nheight: 12\ndownstroke: 2\nfirst: 0x41\nlast: 0x5A\ncount: 26\n"
              "magnification: 3\nprinter bytes: 629\n");
}

// The folder's files and their bytes; a folder as "/".
std::map<std::string, std::vector<uint8_t>> Contents(const test::TempDir& dir) {
    std::map<std::string, std::vector<uint8_t>> contents;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        contents[entry.path().filename()] =
            entry.is_directory() ? test::AsBytes("/") : test::ReadAll(entry.path());
    }
    return contents;
}

// Command lines are written as their words separated by '|'; "@NAME" stands for the file NAME
// of the test's folder, in words and messages.
std::string Expanded(std::string text, const test::TempDir& dir) {
    for (std::size_t at = text.find('@'); at != std::string::npos; at = text.find('@', at + 1)) {
        const std::size_t end = std::min(text.find_first_of("|: ", at), text.size());
        text.replace(at, end - at, dir.file(text.substr(at + 1, end - at - 1)));
    }
    return text;
}

Words Split(const std::string& line) {
    Words words;
    std::istringstream in(line);
    for (std::string word; std::getline(in, word, '|');) words.push_back(word);
    return words;
}

const std::string kBad = "This file contains errors or can not be opened.",
                  kTtf = "ttf|@x.c|--face|DejaVu Sans|--width|8|--height|8|";

// Every refusal gives its status and message in a folder that must not change: not by the
// refused output, not by the operations before a failing one, not over a file that was there.
TEST(CliRefusals, EachGivesItsStatusAndMessageAndWritesNothing) {
    // The words that make each refusal, its exit status and what it says (or part of it).
    std::vector<std::tuple<int, std::string, std::string>> refusals = {
        {2, "", "no command given"},
        {2, "frobnicate", "unknown command"},
        {2, "info|@f.pzf|--bogus|1", "unknown option --bogus"},
        {2, "info|@f.pzf|--font", "--font needs a value"},
        // The dialog's message, then the option and the rule it broke.
        {2, "new|@x.pzf|--width|8|--height|8|--first|1F",
         "One or several properties are empty or wrong, please fill it with the right value\n"
         "--first 1F: codes below 20h are printer control codes\n"},
        {2, "new|@x.pzf|--width|8|--height|8|--first|41|--last|40",
         "\n--last 40: before the first code, 41h\n"},
        {2, "new|@x.pzf|--width|8|--height|10|--downstroke|11",
         "One or several properties are empty, please fill it with the right value\n"
         "--downstroke 11: more than the height of 10 rows\n"},
        {2, "new|@x.pzf|--width|8", "--height is required"},
        // The editor's message, then the file and why, where the reader knows.
        {1, "info|@none.pzf", kBad + "\n@none.pzf: No such file\n"},
        {1, "info|@blocked.bin", kBad + "\n@blocked.bin: Is a directory\n"},
        {1, "convert|@bad.pzf|@x.bin", kBad + "\n@bad.pzf\n"},
        {1, "list|@junk.fon", kBad + "\n@junk.fon\n"},
        {1, "convert|@f.pzf|@blocked.bin", "could not be written"},
        {2, "convert|@f.pzf|@x.png", "cannot tell the output type"},
        {2, "convert|@f.pzf|@x.bin|--to|png", "--to must be"},
        {2, "convert|@f.xyz|@x.bin", "cannot read"},
        // The C and GFX layout options: their values, and the output they apply to.
        {2, "convert|@f.pzf|@x.c|--c-numbers|octal", "--c-numbers must be bin or hex"},
        {2, "convert|@f.pzf|@x.bin|--c-bits|lsb", "--c-bits applies to C output only"},
        {2, kTtf + "--c-order=columns", "--c-order must be rows or pages"},
        // Options of another input type, and what a C table needs.
        {2, "info|" + kSans + "|--height|16", "--height does not apply to .fon files"},
        {2, "info|" + kSans + "|--font|3", "--font must be a number from 0 to 2"},
        {2, "info|@bare.c|--width|6", "--height is required for a C table without its parameter"},
        {1, "convert|@t.c|@x.bin|--width|6|--height|4",
         "This file can't be openened because the font parameters are wrong or the file is "
         "corrupted\n@t.c\n"},
        // The third removal would leave no row; the first two are not written either.
        {1, "transform|@f.pzf|@out.bin|remove-row-top|remove-row-bottom|remove-row-top",
         "remove-row-top: the font is only 1 row high"},
        {1, "transform|@f.pzf|@out.bin|clear:40",
         "clear:40: the font holds the characters 41 to 43"},
        // Operations are understood before the input is read.
        {2, "transform|@none.pzf|@out.bin|rotate", "unknown operation 'rotate'"},
        {2, "transform|@none.pzf|@out.bin|italic:41:9", "the slant is 2 to 8 rows a pixel"},
        {2, "render|@f.pzf", "expected a font file and an output file"},
        {2, "render|@none.pzf|@x.png|--zoom|3", "--zoom must be 1, 2, 4 or 8"},
        {2, "render|@none.pzf|@x.png|--text|\n", "--text holds no character to print"},
        {1, "render|@f.pzf|@x.png|--zoom|8|--text|" + std::string(700, 'A'),
         "the picture would be 33600 x 24 pixels, larger than the tool makes (32767 on a side, "
         "268435456 in all); nothing written"},
        {2, "ttf|@x.pzf|--width|8|--height|8", "either --face or --font-file"},
        {1, "ttf|@x.pzf|--width|8|--height|8|--face|No Such Face 1234", "No Such Face 1234"},
        {1, "ttf|@x.pzf|--width|8|--height|8|--font-file|@bad.pzf", "@bad.pzf: this font file"},
        {2, kTtf + "--downstroke=9", "\n--downstroke 9: more than the height of 8 rows\n"}};
    for (const std::string op :
         {"move-up", "clear:4G", "clear:43-41", "clear:41-", "add-row-top:41", "bold:41-42:2"}) {
        refusals.push_back({2, "transform|@f.pzf|@out.bin|" + op, "'" + op});
    }
    for (const std::string option : {"--shifts=3", "--combine=3", "--threshold=0", "--amplitude=51",
                                     "--resolution=0", "--resolution=1x", "--fit=X"}) {
        refusals.push_back({2, kTtf + option, option.substr(0, option.find('=')) + " must be"});
    }
    // Whole-number options share one reader, digits only (the sizes' is the dialog's, tested
    // with the model).
    for (const std::string n : {" 0", "+0", "0 ", "-0", "0x1", "1e0", ""}) {
        refusals.push_back({2, "info|" + kSans + "|--font=" + n, "--font must be a number from 0"});
    }
    test::TempDir dir;
    const Font font = test::PatternFont(test::Shape(6, 3, 0x41, 3, 1));  // one byte a row
    const std::string c = test::AsText(saveC(font));
    test::WriteAll(dir.file("f.pzf"), SaveNative(font).bytes);
    test::WriteAll(dir.file("out.bin"), {7});
    test::WriteAll(dir.file("bad.pzf"), {1, 2, 3});
    test::WriteAll(dir.file("junk.fon"), {'M', 'Z', 1, 2, 3});
    test::WriteAll(dir.file("t.c"), test::AsBytes(c));
    test::WriteAll(dir.file("bare.c"), test::AsBytes(c.substr(c.find("// Magnification"))));
    std::filesystem::create_directory(dir.file("blocked.bin"));
    const auto before = Contents(dir);
    for (const auto& [status, line, message] : refusals) {
        const CliRun run = Cli(Split(Expanded(line, dir)));
        EXPECT_EQ(run.status, status) << line;
        EXPECT_NE(run.err.find(Expanded(message, dir)), std::string::npos)
            << line << ": " << run.err;
    }
    EXPECT_TRUE(Contents(dir) == before);
}

// Memory running out in the middle of a command is told like any failure, and nothing is
// written. The command runs in a child process given little more address space than it has.
TEST(CliLimits, RunningOutOfMemoryIsToldAndWritesNothing) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit leaves";
#endif
    test::TempDir dir;
    const std::string out = dir.file("large.c"), errors = dir.file("errors.txt");
    const int status = test::InChild([&] {
        std::ofstream err(errors);
        std::ostringstream ignored;
        // The C text of the largest font is about 20 MB; 8 MB more than the process has
        // leaves room for the font itself but not for that.
        test::LimitAddressSpaceGrowth(8 << 20);
        const int code = RunCli({"new", out, "--width", "255", "--height", "255"}, ignored, err);
        err.flush();
        return code;
    });
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    EXPECT_EQ(AsText(ReadAll(errors)), "pixmere-cli new: not enough memory; nothing written\n");
    EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
}  // namespace pixmere::cli
