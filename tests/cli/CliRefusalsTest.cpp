#include <fcntl.h>
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

struct Refusal {
    Words words;
    int status;
    std::string message;  // what it says, or part of it
};

// Refusals of each command and the words that make them, each with its exit status and
// message, all in a folder that must not change: not by the refused output, not by the
// operations before a failing one, not over a file that was there.
std::vector<Refusal> Refusals(const test::TempDir& dir) {
    const auto f = [&](const std::string& name) { return dir.file(name); };
    const std::string kSans = "/usr/share/wine/fonts/sserife.fon", bad = f("bad.pzf");
    const std::string wrong = "One or several properties are empty or wrong, please fill",
                      downstroke = "One or several properties are empty, please",
                      held = "the font holds the characters 41 to 43";
    std::vector<Refusal> refusals = {
        {{}, 2, "no command given"},
        {{"frobnicate"}, 2, "unknown command"},
        {{"info", f("f.pzf"), "--bogus", "1"}, 2, "unknown option --bogus"},
        {{"new", f("x.pzf"), "--width", "8", "--height", "8", "--first", "1F"}, 2, wrong},
        {{"new", f("x.pzf"), "--width", "8", "--height", "8", "--last", "100"},
         2,
         "One or several properties are empty or wrong. please fill"},
        {{"new", f("x.pzf"), "--width", "8", "--height", "10", "--downstroke", "11"},
         2,
         downstroke},
        {{"new", f("x.pzf"), "--width", "8"}, 2, "--height is required"},
        {{"info", f("none.pzf")}, 1, f("none.pzf") + ": " + kBadFontFileMessage},
        {{"convert", bad, f("x.bin")}, 1, bad + ": " + kBadFontFileMessage},
        {{"list", f("junk.fon")}, 1, f("junk.fon") + ": " + kBadFontFileMessage},
        {{"convert", f("f.pzf"), f("no/such/dir/x.bin")}, 1, "could not be written"},
        {{"convert", f("f.pzf"), f("blocked.bin")}, 1, "could not be written"},
        {{"convert", f("f.pzf"), f("x.png")}, 2, "cannot tell the output type"},
        {{"convert", f("f.pzf"), f("x.bin"), "--to", "png"}, 2, "--to must be"},
        {{"convert", f("f.pzf"), f("x"), "--to", "pcf"}, 2, "--to must be"},
        {{"convert", f("f.xyz"), f("x.bin")}, 2, "cannot read"},
        {{"info", f("x.gz")}, 2, ".bdf, .pcf, .pcf.gz, .psf, .psf.gz, .bin, .txt"},
        // Options of another input type, and what a C table needs.
        {{"info", kSans, "--height", "16"}, 2, "--height does not apply to .fon files"},
        {{"info", f("t.c"), "--font", "1"}, 2, "--font does not apply to .c files"},
        {{"info", f("d.bdf"), "--magnification", "2"}, 2, "does not apply to .bdf files"},
        {{"info", kSans, "--font", "3"}, 2, "--font must be a number from 0 to 2"},
        {{"info", f("bare.c"), "--width", "6"},
         2,
         "--height is required for a C table without its parameter lines"},
        {{"convert", f("t.c"), f("x.bin"), "--width", "6", "--height", "4"},
         1,
         f("t.c") + ": " + kBadCFileMessage + "\n"},
        // The third removal would leave no row; the first two are not written either.
        {{"transform", f("f.pzf"), f("out.bin"), "remove-row-top", "remove-row-bottom",
          "remove-row-top"},
         1,
         "remove-row-top: the font is only 1 row high"},
        {{"transform", f("f.pzf"), f("out.bin"), "clear:40"}, 1, "clear:40: " + held},
        {{"transform", f("f.pzf"), f("out.bin"), "move-up:42-44"}, 1, held},
        {{"transform", f("f.pzf"), f("out.bin")}, 2, "expected an input file, an output file"},
        // Operations are understood before the input is read.
        {{"transform", f("none.pzf"), f("out.bin"), "rotate"}, 2, "unknown operation 'rotate'"},
        {{"ttf", f("x.pzf"), "--width", "8", "--height", "8"}, 2, "either --face or --font-file"},
        {{"ttf", f("x.pzf"), "--face", "DejaVu Sans", "--height", "8"}, 2, "--width is required"},
        {{"ttf", f("x.pzf"), "--width", "8", "--height", "8", "--face", "No Such Face 1234"},
         1,
         "No Such Face 1234"},
        {{"ttf", f("x.pzf"), "--width", "8", "--height", "8", "--font-file", bad},
         1,
         bad + ": this font file can not be loaded"},
        {{"ttf", f("x.pzf"), "--width", "8", "--height", "8", "--face", "DejaVu Sans",
          "--font-file", bad},
         2,
         "either --face or --font-file"}};
    for (const char* name : {"d.bdf", "d.pcf", "d.pcf.gz", "d.psf", "d.psf.gz", "d.bin", "d.txt"}) {
        refusals.push_back(
            {{"convert", f(name), f("out.bin")}, 1, f(name) + ": " + kBadFontFileMessage + "\n"});
    }
    for (const char* op : {"rotate", "move-up", "move-up:", "clear:4G", "clear:43-41", "clear:41-",
                           "clear:12345", "add-row-top:41"}) {
        refusals.push_back({{"transform", f("f.pzf"), f("out.bin"), op}, 2, op});
    }
    const Words ttf = {"ttf", f("x.pzf"), "--face", "DejaVu Sans", "--width", "8", "--height", "8"};
    const std::pair<const char*, std::string> settings[] = {{"--shifts=3", "--shifts"},
                                                            {"--combine=3", "--combine"},
                                                            {"--threshold=0", "--threshold"},
                                                            {"--amplitude=51", "--amplitude"},
                                                            {"--resolution=0", "--resolution"},
                                                            {"--resolution=1x", "--resolution"},
                                                            {"--resolution=100", "--resolution"},
                                                            {"--downstroke=9", downstroke},
                                                            {"--fit=X", "--fit"},
                                                            {"--fit=", "--fit"},
                                                            {"--fit=whole", "--fit"}};
    for (const auto& [option, message] : settings) {
        Words words = ttf;
        words.push_back(option);
        refusals.push_back({words, 2, message + (message[0] == '-' ? " must be" : "")});
    }
    // Every number an option takes is read the same way: digits only.
    for (const std::string n : {" 0", "+0", "0 ", "-0", "0x1", "1e0", ""}) {
        refusals.push_back(
            {{"info", kSans, "--font", n}, 2, "--font must be a number from 0 to 2"});
        refusals.push_back({{"new", f("x.pzf"), "--width", n, "--height", "8"},
                            2,
                            n.empty() ? "--width is required" : wrong});
        Words words = ttf;
        words.insert(words.end(), {"--threshold", n});
        refusals.push_back({words, 2, "--threshold must be a number from 1 to 100"});
    }
    for (const std::string n : {" 5", "+5", "5 ", ""}) {
        Words words = ttf;
        words.insert(words.end(), {"--resolution", n});
        refusals.push_back({words, 2, "--resolution must be a number above 0"});
    }
    return refusals;
}

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
    for (const char* name : {"d.bdf", "d.pcf", "d.pcf.gz", "d.psf", "d.psf.gz", "d.bin", "d.txt"}) {
        test::WriteAll(dir.file(name), {0x1F, 0x8B, 8, 0, 1, 2, 3});
    }
    const auto before = Contents(dir);
    for (const Refusal& r : Refusals(dir)) {
        std::string words;
        for (const std::string& w : r.words) words += " " + w;
        const CliRun run = Cli(r.words);
        EXPECT_EQ(run.status, r.status) << words;
        EXPECT_NE(run.err.find(r.message), std::string::npos) << words << ": " << run.err;
    }
    EXPECT_TRUE(Contents(dir) == before);
}

// A file larger than its type can be is refused from its size, before it is read: 4 GB that
// take no room on disk, of each input type.
TEST(CliLimits, AHugeInputIsRefusedUnread) {
    test::TempDir dir;
    for (const InputType& type : InputTypes()) {
        const std::string path = dir.file("huge" + type.extension);
        const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0644);
        ASSERT_EQ(::ftruncate(fd, off_t{4} << 30), 0);
        ::close(fd);
        std::vector<std::string> words = {"info", path};
        if (type.extension == ".c") words.insert(words.end(), {"--width", "8", "--height", "8"});
        const CliRun run = Cli(words);
        EXPECT_EQ(run.status, 1) << type.extension;
        EXPECT_EQ(run.err, path + ": " + kBadFontFileMessage + "\n");
        std::filesystem::remove(path);
    }
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
