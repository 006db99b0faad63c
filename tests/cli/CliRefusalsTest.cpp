#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "cli/CliRun.h"
#include "cli/FontFiles.h"
#include "formats/CFile.h"
#include "formats/Exports.h"
#include "formats/InputFormats.h"
#include "formats/NativeFile.h"
#include "model/UserError.h"
#include "support/SampleFonts.h"
#include "support/TempDir.h"

namespace pixmere::cli {
namespace {

using Words = std::vector<std::string>;

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
    for (std::size_t start = 0; !line.empty() && start <= line.size();) {
        const std::size_t bar = std::min(line.find('|', start), line.size());
        words.push_back(line.substr(start, bar - start));
        start = bar + 1;
    }
    return words;
}

struct Refusal {
    int status;
    std::string words;
    std::string message;  // what it says, or part of it
};

const std::string kWrong = "One or several properties are empty or wrong, please fill it with",
                  kDown = "One or several properties are empty, please fill it with",
                  kBad = kBadFontFileMessage, kHeld = "the font holds the characters 41 to 43",
                  kSans = "/usr/share/wine/fonts/sserife.fon",
                  kTtf = "ttf|@x.pzf|--face|DejaVu Sans|--width|8|--height|8|";

// Refusals of each command and the words that make them, with their exit status and message.
std::vector<Refusal> Refusals() {
    std::vector<Refusal> refusals = {
        {2, "", "no command given"},
        {2, "frobnicate", "unknown command"},
        {2, "info|@f.pzf|--bogus|1", "unknown option --bogus"},
        // The dialog's message, then the option and the rule it broke.
        {2, "new|@x.pzf|--width|8|--height|8|--first|1F",
         kWrong + " the right value\n--first 1F: codes below 20h are printer control codes\n"},
        {2, "new|@x.pzf|--width|8|--height|8|--first|4G", "\n--first 4G: not a hexadecimal"},
        {2, "new|@x.pzf|--width|8|--height|8|--first|41|--last|40",
         "\n--last 40: before the first code, 41h\n"},
        {2, "new|@x.pzf|--width|8|--height|8|--last|100",
         "empty or wrong. please fill it with the right value.\n--last 100: codes end at FFh\n"},
        {2, "new|@x.pzf|--width|0|--height|8", "\n--width 0: a font is 1 to 255 pixels wide\n"},
        {2, "new|@x.pzf|--width|8|--height|8|--magnification|6",
         "\n--magnification 6: the magnification is 1 to 5\n"},
        {2, "new|@x.pzf|--width|8|--height|10|--downstroke|11",
         kDown + " the right value\n--downstroke 11: more than the height of 10 rows\n"},
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
        {2, "info|@x.gz", ".bdf, .pcf, .pcf.gz, .psf, .psf.gz, .bin, .txt, .h"},
        // The C and GFX layout options: their values, and the output they apply to.
        {2, "convert|@f.pzf|@x.c|--c-numbers|octal", "--c-numbers must be bin or hex"},
        {2, "convert|@f.pzf|@x.bin|--c-bits|lsb", "--c-bits applies to C output only"},
        {2, "convert|@f.pzf|@x.h|--c-comments|picture", "--c-comments applies to C output only"},
        {2, "convert|@f.pzf|@x.c|--gfx-advance|ink", "--gfx-advance applies to GFX output only"},
        {2, "new|@x.h|--width|8|--height|8|--gfx-advance|wide",
         "--gfx-advance must be cell or ink"},
        {2, "transform|@f.pzf|@x.c|clear:41|--c-array|static",
         "--c-array must be none, const or progmem"},
        {2, "ttf|@x.c|--face|DejaVu Sans|--width|8|--height|8|--c-order=columns",
         "--c-order must be rows or pages"},
        // Options of another input type, and what a C table needs.
        {2, "info|" + kSans + "|--height|16", "--height does not apply to .fon files"},
        {2, "info|@t.c|--font|1", "--font does not apply to .c files"},
        {2, "info|@x.bdf|--magnification|2", "does not apply to .bdf files"},
        {2, "info|" + kSans + "|--font|3", "--font must be a number from 0 to 2"},
        {2, "info|@bare.c|--width|6", "--height is required for a C table without its parameter"},
        {1, "convert|@t.c|@x.bin|--width|6|--height|4", kBadCFileMessage + std::string("\n@t.c\n")},
        // The third removal would leave no row; the first two are not written either.
        {1, "transform|@f.pzf|@out.bin|remove-row-top|remove-row-bottom|remove-row-top",
         "remove-row-top: the font is only 1 row high"},
        {1, "transform|@f.pzf|@out.bin|clear:40", "clear:40: " + kHeld},
        {1, "transform|@f.pzf|@out.bin|move-up:42-44", kHeld},
        {2, "transform|@f.pzf|@out.bin", "expected an input file, an output file"},
        // Operations are understood before the input is read.
        {2, "transform|@none.pzf|@out.bin|rotate", "unknown operation 'rotate'"},
        {2, "transform|@none.pzf|@out.bin|italic:41:9", "the slant is 2 to 8 rows a pixel"},
        {2, "transform|@none.pzf|@out.bin|flip-h:41:3", "only italic takes a slant"},
        {2, "render|@f.pzf", "expected a font file and an output file"},
        {2, "render|@none.pzf|@x.png|--zoom|3", "--zoom must be 1, 2, 4 or 8"},
        {2, "render|@none.pzf|@x.png|--text|\n", "--text holds no character to print"},
        {1, "render|@bad.pzf|@x.png", kBad + "\n@bad.pzf\n"},
        {1, "render|@f.pzf|@x.png|--zoom|8|--text|" + std::string(700, 'A'),
         "the picture would be 33600 x 24 pixels, larger than the tool makes (32767 on a side, "
         "268435456 in all); nothing written"},
        {2, "ttf|@x.pzf|--width|8|--height|8", "either --face or --font-file"},
        {2, "ttf|@x.pzf|--face|DejaVu Sans|--height|8", "--width is required"},
        {2, kTtf + "--font-file|@bad.pzf", "either --face or --font-file"},
        {1, "ttf|@x.pzf|--width|8|--height|8|--face|No Such Face 1234", "No Such Face 1234"},
        {1, "ttf|@x.pzf|--width|8|--height|8|--font-file|@bad.pzf", "@bad.pzf: this font file"},
        {2, kTtf + "--downstroke=9", "\n--downstroke 9: more than the height of 8 rows\n"}};
    for (const std::string op :
         {"rotate", "move-up", "move-up:", "clear:4G", "clear:43-41", "clear:41-", "clear:12345",
          "add-row-top:41", "italic:41:", "bold:41-42:2"}) {
        refusals.push_back({2, "transform|@f.pzf|@out.bin|" + op, "'" + op});
    }
    for (const std::string option :
         {"--shifts=3", "--combine=3", "--threshold=0", "--amplitude=51", "--resolution=0",
          "--resolution=1x", "--resolution=100", "--fit=X", "--fit=", "--fit=whole"}) {
        refusals.push_back({2, kTtf + option, option.substr(0, option.find('=')) + " must be"});
    }
    // Whole-number options share one reader, digits only (the sizes' is the dialog's, tested
    // with the model); the resolution has its own.
    for (const std::string n : {" 0", "+0", "0 ", "-0", "0x1", "1e0", ""}) {
        refusals.push_back({2, "info|" + kSans + "|--font|" + n, "--font must be a number from 0"});
    }
    for (const std::string n : {" 5", "+5", "5 ", ""}) {
        refusals.push_back({2, kTtf + "--resolution|" + n, "--resolution must be a number above"});
    }
    return refusals;
}

// Every refusal gives its status and message in a folder that must not change: not by the
// refused output, not by the operations before a failing one, not over a file that was there.
TEST(CliRefusals, EachGivesItsStatusAndMessageAndWritesNothing) {
    test::TempDir dir;
    const Font font = test::PatternFont(test::Shape(6, 3, 0x41, 3, 1));  // one byte a row
    test::WriteAll(dir.file("f.pzf"), SaveNative(font).bytes);
    test::WriteAll(dir.file("out.bin"), {7});
    test::WriteAll(dir.file("bad.pzf"), {1, 2, 3});
    test::WriteAll(dir.file("junk.fon"), {'M', 'Z', 1, 2, 3});
    std::filesystem::create_directory(dir.file("blocked.bin"));
    const std::string c = test::AsText(saveC(font));
    test::WriteAll(dir.file("t.c"), test::AsBytes(c));
    test::WriteAll(dir.file("bare.c"), test::AsBytes(c.substr(c.find("// Magnification"))));
    const auto before = Contents(dir);
    for (const Refusal& r : Refusals()) {
        const CliRun run = Cli(Split(Expanded(r.words, dir)));
        EXPECT_EQ(run.status, r.status) << r.words;
        EXPECT_NE(run.err.find(Expanded(r.message, dir)), std::string::npos)
            << r.words << ": " << run.err;
    }
    EXPECT_TRUE(Contents(dir) == before);
}

// A file of each input type that holds no font is refused naming it; one larger than its type
// can be is refused from its size, before it is read: 4 GB that take no room on disk. Each says
// why where its reader knows.
TEST(CliLimits, JunkAndHugeInputsOfEachTypeAreRefused) {
    test::TempDir dir;
    const std::string damaged = ": damaged compressed data";
    const std::map<std::string, std::pair<std::string, std::string>> why = {
        {".pzf", {"", "2088979 bytes"}},  {".fnt", {"", "4 MB"}},
        {".fon", {"", "16 MB"}},          {".c", {"", "64 MB"}},
        {".bdf", {damaged, "64 MB"}},     {".pcf", {damaged, "64 MB"}},
        {".pcf.gz", {damaged, "64 MB"}},  {".psf", {damaged, "16 MB"}},
        {".psf.gz", {damaged, "16 MB"}},  {".bin", {"", "2088968 bytes"}},
        {".txt", {"", "16851456 bytes"}}, {".h", {"", "16 MB"}}};
    std::size_t endings = 0;
    for (const InputFormat& type : InputFormats()) {
        for (const std::string& ending : type.endings) {
            ++endings;
            const std::string junk = dir.file("junk" + ending), huge = dir.file("huge" + ending);
            test::WriteAll(junk, {0x1F, 0x8B, 8, 0, 1, 2, 3});
            test::WriteAll(huge, {});
            std::filesystem::resize_file(huge, uintmax_t{4} << 30);
            const auto& [junkReason, largest] = why.at(ending);
            for (const std::string& path : {junk, huge}) {
                Words words = {"convert", path, dir.file("out.bin")};
                if (ending == ".c") words.insert(words.end(), {"--width", "8", "--height", "8"});
                const bool c = ending == ".c" && path == junk;
                const std::string reason =
                    path == junk ? junkReason
                                 : ": larger than a " + ending + " can be (" + largest + ")";
                EXPECT_EQ(Cli(words).err, std::string(c ? kBadCFileMessage : kBadFontFileMessage) +
                                              "\n" + path + reason + "\n");
            }
            std::filesystem::remove(huge);
        }
    }
    EXPECT_EQ(endings, why.size());
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.bin")));
}

// Memory running out in the middle of a command is told like any failure, and nothing is
// written. The command runs in a child process given little more address space than it has.
TEST(CliLimits, RunningOutOfMemoryIsToldAndWritesNothing) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit leaves";
#endif
    test::TempDir dir;
    const std::string out = dir.file("large.c");
    const std::string errors = dir.file("errors.txt");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::ifstream status("/proc/self/status");
        std::string line;
        long kb = 0;
        while (std::getline(status, line)) {
            if (line.rfind("VmSize:", 0) == 0) kb = std::stol(line.substr(7));
        }
        std::ofstream err(errors);
        std::ostringstream ignored;
        // The C text of the largest font is about 20 MB; 8 MB more than the process has
        // leaves room for the font itself but not for that.
        const rlimit limit{static_cast<rlim_t>(kb + 8192) * 1024,
                           static_cast<rlim_t>(kb + 8192) * 1024};
        ::setrlimit(RLIMIT_AS, &limit);
        const int code = RunCli({"new", out, "--width", "255", "--height", "255"}, ignored, err);
        err.flush();
        ::_exit(code);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    std::ifstream err(errors);
    const std::string said((std::istreambuf_iterator<char>(err)), std::istreambuf_iterator<char>());
    EXPECT_EQ(said, "pixmere-cli new: not enough memory; nothing written\n");
    EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
}  // namespace pixmere::cli
