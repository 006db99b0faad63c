#include <gtest/gtest.h>

#include "cli/CliRun.h"
#include "formats/Exports.h"
#include "formats/NativeFile.h"
#include "support/GlyphPicture.h"
#include "support/TempDir.h"

namespace pixmere::cli {
namespace {

// pixmere-cli transform IN OUT followed by the operations.
CliRun Transform(const std::string& in, const std::string& out, std::vector<std::string> ops) {
    std::vector<std::string> words = {"transform", in, out};
    words.insert(words.end(), ops.begin(), ops.end());
    return Cli(words);
}

// Codes 41..43, 6 wide and 3 high, written as in.pzf.
std::string WriteSample(const test::TempDir& dir) {
    FontParams p;
    p.FormatLengthCar = 6;
    p.FormatHeightCar = 3;
    p.firstcar = 0x41;
    p.jambon = 1;
    const Font font = test::FontFromPictures(p, {{"#....#", ".#..#.", "..##.."},
                                                 {"######", "#....#", "######"},
                                                 {"..##..", "..##..", "..##.."}});
    test::WriteAll(dir.file("in.pzf"), SaveNative(font).bytes);
    return dir.file("in.pzf");
}

Font ReadPzf(const std::string& path) { return LoadNative(test::ReadAll(path)).build(); }

std::string Pictures(const Font& font) {
    std::string out;
    for (const CarObject& g : font.glyphs)
        out += test::Joined(test::GlyphPicture(g, g.bitwidth() + 1));
    return out;
}

TEST(Transform, AppliesTheOperationsInOrder) {
    test::TempDir dir;
    const std::string in = WriteSample(dir);
    const std::string out = dir.file("out.pzf");
    const CliRun run = Transform(in, out,
                                  {"add-column-right", "remove-row-top", "move-left:41-42",
                                   "clear:43", "add-row-bottom", "move-down:42"});
    ASSERT_EQ(run.status, 0) << run.err;
    const Font font = ReadPzf(out);
    EXPECT_EQ(font.params.FormatLengthCar, 7);
    EXPECT_EQ(font.params.jambon, 1);
    EXPECT_EQ(Pictures(font), test::Joined({"#..#...", ".##....", "......."}) +
                                  test::Joined({".......", "....#..", "#####.."}) +
                                  test::Joined({".......", ".......", "......."}));
    // A move to the right keeps the last column in the padding, where a new column finds it.
    ASSERT_EQ(Transform(in, out, {"move-right:42", "add-column-right"}).status, 0);
    EXPECT_EQ(test::GlyphPicture(ReadPzf(out).glyphs[1], 7),
              (std::vector<std::string>{".######", ".#....#", ".######"}));
}

TEST(Transform, WritesEveryOutputType) {
    test::TempDir dir;
    const std::string in = WriteSample(dir);
    const std::vector<std::string> ops = {"remove-column-left", "move-up:41-43"};
    ASSERT_EQ(Transform(in, dir.file("r.pzf"), ops).status, 0);
    const Font expected = ReadPzf(dir.file("r.pzf"));
    EXPECT_EQ(Pictures(expected), test::Joined({"#..#.", ".##..", "....."}) +
                                      test::Joined({"....#", "#####", "....."}) +
                                      test::Joined({".##..", ".##..", "....."}));
    ASSERT_EQ(Transform(in, dir.file("r.bin"), ops).status, 0);
    EXPECT_EQ(test::ReadAll(dir.file("r.bin")), saveBin(expected));
    ASSERT_EQ(Transform(in, dir.file("r.c"), ops).status, 0);
    EXPECT_EQ(test::ReadAll(dir.file("r.c")), saveC(expected));
    ASSERT_EQ(Transform(in, dir.file("r.out"), {ops[0], ops[1], "--to", "txt"}).status, 0);
    EXPECT_EQ(test::ReadAll(dir.file("r.out")), saveTXT(expected));
}

TEST(Transform, RefusalsWriteNothing) {
    test::TempDir dir;
    const std::string in = WriteSample(dir);
    const std::string out = dir.file("out.bin");
    test::WriteAll(out, {1, 2, 3});
    const auto refused = [&](const std::string& font, std::vector<std::string> ops,
                             const std::string& message) {
        const CliRun run = Transform(font, out, ops);
        EXPECT_EQ(run.status, 1) << ops.back();
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
        EXPECT_EQ(test::ReadAll(out), (std::vector<uint8_t>{1, 2, 3}));
    };
    // The third removal would leave no row; the first two are not written either.
    refused(in, {"remove-row-top", "remove-row-bottom", "remove-row-top"},
            "remove-row-top: the font is only 1 row high");
    refused(in, {"clear:40"}, "clear:40: the font holds the characters 41 to 43");
    refused(in, {"move-up:42-44"}, "the font holds the characters 41 to 43");

    FontParams p;
    p.FormatLengthCar = 1;
    p.FormatHeightCar = 255;
    const std::string tall = dir.file("tall.pzf");
    test::WriteAll(tall, SaveNative(MatrixToObject(p, p.blankMatrix())).bytes);
    refused(tall, {"remove-column-left"}, "remove-column-left: the font is only 1 pixel wide");
    refused(tall, {"remove-column-right"}, "the font is only 1 pixel wide");
    refused(tall, {"add-row-top"}, "add-row-top: the font is already 255 rows high");
    refused(tall, {"add-row-bottom"}, "the font is already 255 rows high");
    EXPECT_EQ(Transform(tall, out, {"add-column-left", "remove-row-bottom"}).status, 0);
}

TEST(Transform, WrongUsage) {
    test::TempDir dir;
    const std::string in = WriteSample(dir);
    const std::string out = dir.file("out.pzf");
    for (const char* op : {"rotate", "move-up", "move-up:", "clear:4G", "clear:43-41", "clear:41-",
                           "clear:12345", "add-row-top:41"}) {
        EXPECT_EQ(Transform(in, out, {op}).status, 2) << op;
    }
    EXPECT_EQ(Transform(in, out, {}).status, 2);
    EXPECT_FALSE(std::filesystem::exists(out));
    // Operations are understood before the input is read.
    EXPECT_EQ(Transform(dir.file("none.pzf"), out, {"rotate"}).status, 2);
    EXPECT_EQ(Transform(dir.file("none.pzf"), out, {"clear:41"}).status, 1);
}

}  // namespace
}  // namespace pixmere::cli
