#include <gtest/gtest.h>

#include <sstream>

#include "cli/Commands.h"
#include "formats/Exports.h"
#include "formats/NativeFile.h"
#include "support/GlyphPicture.h"
#include "support/TempDir.h"

namespace pixmere::cli {
namespace {

struct Outcome {
    int status;
    std::string err;
};

Outcome Cli(std::vector<std::string> words) {
    std::ostringstream out, err;
    const int status = RunCli(words, out, err);
    return {status, err.str()};
}

// Codes 41..43, 6 wide and 3 high.
Font SampleFont() {
    FontParams p;
    p.FormatLengthCar = 6;
    p.FormatHeightCar = 3;
    p.firstcar = 0x41;
    p.jambon = 1;
    return test::FontFromPictures(p, {{"#....#", ".#..#.", "..##.."},
                                      {"######", "#....#", "######"},
                                      {"..##..", "..##..", "..##.."}});
}

std::string WriteSample(const test::TempDir& dir, const Font& font = SampleFont()) {
    const std::string path = dir.file("in.pzf");
    test::WriteAll(path, SaveNative(font).bytes);
    return path;
}

std::string Pictures(const Font& font) {
    std::string out;
    for (const CarObject& g : font.glyphs)
        out += test::Joined(test::GlyphPicture(g, g.bitwidth() + 1));
    return out;
}

Font ReadPzf(const std::string& path) { return LoadNative(test::ReadAll(path)).build(); }

TEST(Transform, AppliesTheOperationsInOrder) {
    test::TempDir dir;
    const std::string in = WriteSample(dir);
    const std::string out = dir.file("out.pzf");
    const Outcome run = Cli({"transform", in, out, "add-column-right", "remove-row-top",
                             "move-left:41-42", "clear:43", "add-row-bottom", "move-down:42"});
    ASSERT_EQ(run.status, 0) << run.err;
    const Font font = ReadPzf(out);
    EXPECT_EQ(font.params.FormatLengthCar, 7);
    EXPECT_EQ(font.params.FormatHeightCar, 3);
    EXPECT_EQ(font.params.jambon, 1);
    EXPECT_EQ(font.params.firstcar, 0x41);
    EXPECT_EQ(Pictures(font), test::Joined({"#..#...", ".##....", "......."}) +
                                  test::Joined({".......", "....#..", "#####.."}) +
                                  test::Joined({".......", ".......", "......."}));
}

TEST(Transform, MovesToTheRightKeepTheLastColumnInThePadding) {
    test::TempDir dir;
    const std::string in = WriteSample(dir);
    ASSERT_EQ(Cli({"transform", in, dir.file("a.pzf"), "move-right:42", "move-left:42"}).status, 0);
    EXPECT_EQ(ReadPzf(dir.file("a.pzf")).glyphData(), SampleFont().glyphData());
    ASSERT_EQ(Cli({"transform", in, dir.file("b.pzf"), "move-right:42", "add-column-right"}).status,
              0);
    EXPECT_EQ(test::GlyphPicture(ReadPzf(dir.file("b.pzf")).glyphs[1], 7),
              (std::vector<std::string>{".######", ".#....#", ".######"}));
}

TEST(Transform, WritesEveryOutputType) {
    test::TempDir dir;
    const std::string in = WriteSample(dir);
    const std::vector<std::string> ops = {"remove-column-left", "move-up:41-43"};
    ASSERT_EQ(Cli({"transform", in, dir.file("r.pzf"), ops[0], ops[1]}).status, 0);
    const Font expected = ReadPzf(dir.file("r.pzf"));
    EXPECT_EQ(Pictures(expected), test::Joined({"#..#.", ".##..", "....."}) +
                                      test::Joined({"....#", "#####", "....."}) +
                                      test::Joined({".##..", ".##..", "....."}));
    ASSERT_EQ(Cli({"transform", in, dir.file("r.bin"), ops[0], ops[1]}).status, 0);
    EXPECT_EQ(test::ReadAll(dir.file("r.bin")), saveBin(expected));
    ASSERT_EQ(Cli({"transform", in, dir.file("r.c"), ops[0], ops[1]}).status, 0);
    EXPECT_EQ(test::ReadAll(dir.file("r.c")), saveC(expected));
    ASSERT_EQ(Cli({"transform", in, dir.file("r.out"), ops[0], ops[1], "--to", "txt"}).status, 0);
    EXPECT_EQ(test::ReadAll(dir.file("r.out")), saveTXT(expected));
}

TEST(Transform, RefusalsWriteNothing) {
    test::TempDir dir;
    const std::string in = WriteSample(dir);
    const std::string out = dir.file("out.bin");
    test::WriteAll(out, {1, 2, 3});
    const auto refused = [&](std::vector<std::string> ops, const std::string& message) {
        std::vector<std::string> words = {"transform", in, out};
        words.insert(words.end(), ops.begin(), ops.end());
        const Outcome run = Cli(words);
        EXPECT_EQ(run.status, 1) << ops.back();
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
        EXPECT_EQ(test::ReadAll(out), (std::vector<uint8_t>{1, 2, 3}));
    };
    // The third row removal would leave no row; the first two are not written either.
    refused({"remove-row-top", "remove-row-bottom", "remove-row-top"},
            "remove-row-top: the font is only 1 row high");
    refused({"clear:40"}, "clear:40: the font holds the characters 41 to 43");
    refused({"move-up:42-44"}, "the font holds the characters 41 to 43");
    refused({"move-left:100"}, "the font holds the characters 41 to 43");

    FontParams narrow;
    narrow.FormatLengthCar = 1;
    narrow.FormatHeightCar = 255;
    narrow.firstcar = 0x20;
    const std::string tall = dir.file("tall.pzf");
    test::WriteAll(tall, SaveNative(MatrixToObject(narrow, narrow.blankMatrix())).bytes);
    for (const char* op :
         {"remove-column-left", "remove-column-right", "add-row-top", "add-row-bottom"}) {
        const Outcome run = Cli({"transform", tall, out, op});
        EXPECT_EQ(run.status, 1) << op;
        EXPECT_NE(run.err.find(std::string(op) + ": the font is"), std::string::npos) << run.err;
    }
    EXPECT_EQ(Cli({"transform", tall, out, "add-column-left", "remove-row-bottom"}).status, 0);
}

TEST(Transform, WrongUsage) {
    test::TempDir dir;
    const std::string in = WriteSample(dir);
    const std::string out = dir.file("out.pzf");
    for (std::vector<std::string> ops : {std::vector<std::string>{},
                                         {"rotate"},
                                         {"move-up"},
                                         {"move-up:"},
                                         {"clear:4G"},
                                         {"clear:43-41"},
                                         {"clear:41-"},
                                         {"clear:12345"},
                                         {"add-row-top:41"}}) {
        std::vector<std::string> words = {"transform", in, out};
        words.insert(words.end(), ops.begin(), ops.end());
        EXPECT_EQ(Cli(words).status, 2) << (ops.empty() ? "none" : ops[0]);
    }
    EXPECT_FALSE(std::filesystem::exists(out));
    // Operations are checked before the input is read.
    EXPECT_EQ(Cli({"transform", dir.file("none.pzf"), out, "rotate"}).status, 2);
    EXPECT_EQ(Cli({"transform", dir.file("none.pzf"), out, "clear:41"}).status, 1);
}

}  // namespace
}  // namespace pixmere::cli
