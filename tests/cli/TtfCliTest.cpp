#include <gtest/gtest.h>

#include "cli/CliRun.h"
#include "formats/NativeFile.h"
#include "support/TempDir.h"

namespace pixmere::cli {
namespace {

const char* const kDejaVuFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

int InkBits(const std::vector<uint8_t>& bytes) {
    int n = 0;
    for (const uint8_t b : bytes) n += __builtin_popcount(b);
    return n;
}

TEST(TtfCli, DejaVuSansAlphabetReadsAsRecorded) {
    test::TempDir dir;
    const std::string out = dir.file("dejavu.txt");
    const CliRun run = Cli({"ttf", out, "--face", "DejaVu Sans", "--width", "16", "--height", "16",
                            "--last", "7E", "--downstroke", "3"});
    ASSERT_EQ(run.status, 0) << run.err;
    // The text picture of every glyph, as looked at when it was recorded; it lives with the
    // conversion engine's tests.
    const std::string expected = test::AsText(
        test::ReadAll(PIXMERE_TESTS_DIR "/truetype/expected/dejavu-sans-16x16-20-7e.txt"));
    ASSERT_GT(expected.size(), 95u * 16 * 16);
    EXPECT_EQ(test::AsText(test::ReadAll(out)), expected);
}

TEST(TtfCli, FontFileAndOptionsReachTheConversion) {
    test::TempDir dir;
    const std::vector<std::string> common = {"--width", "9",  "--height",     "12", "--first", "41",
                                             "--last",  "5a", "--downstroke", "2"};
    const auto run = [&](const std::string& name, std::vector<std::string> extra) {
        std::vector<std::string> words = {"ttf", dir.file(name)};
        words.insert(words.end(), extra.begin(), extra.end());
        words.insert(words.end(), common.begin(), common.end());
        const CliRun r = Cli(words);
        EXPECT_EQ(r.status, 0) << name << ": " << r.err;
        return test::ReadAll(dir.file(name));
    };
    const auto byFace = run("face.bin", {"--face", "DejaVu Sans"});
    EXPECT_GT(InkBits(byFace), 26 * 10);
    EXPECT_EQ(run("file.bin", {"--font-file", kDejaVuFile}), byFace);
    EXPECT_GT(InkBits(run("bold.bin", {"--face", "DejaVu Sans", "--bold"})), InkBits(byFace));
    EXPECT_NE(run("italic.bin", {"--face", "DejaVu Sans", "--italic"}), byFace);
    EXPECT_NE(run("one.bin", {"--face", "DejaVu Sans", "--shifts", "1"}), byFace);
    EXPECT_NE(run("res.bin", {"--face", "DejaVu Sans", "--resolution", "8"}), byFace);
    EXPECT_EQ(run("x.bin", {"--face", "DejaVu Sans", "--fit", "x"}), byFace);
    EXPECT_NE(run("whole.bin", {"--face", "DejaVu Sans", "--fit", "face"}), byFace);
    EXPECT_LT(InkBits(run("high.bin", {"--face", "DejaVu Sans", "--threshold", "60"})),
              InkBits(byFace));
    // Averaging against 25 or more marks nothing when a cell has at most 25 sample points.
    const auto none = run("none.pzf", {"--face", "DejaVu Sans", "--combine", "2", "--threshold",
                                       "25", "--amplitude", "0", "--magnification", "3"});
    EXPECT_EQ(InkBits(LoadNative(none).build().glyphData()), 0);
    EXPECT_EQ(Cli({"info", dir.file("none.pzf")}).out,
              "width: 9\nheight: 12\ndownstroke: 2\nfirst: 0x41\nlast: 0x5A\ncount: 26\n"
              "magnification: 3\nprinter bytes: 629\n");
}

}  // namespace
}  // namespace pixmere::cli
