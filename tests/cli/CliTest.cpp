#include <gtest/gtest.h>

#include "cli/CliRun.h"
#include "formats/CFile.h"
#include "formats/Exports.h"
#include "formats/FntFile.h"
#include "formats/FonLibrary.h"
#include "formats/NativeFile.h"
#include "model/UserError.h"
#include "support/GlyphPicture.h"
#include "support/SampleFonts.h"
#include "support/TempDir.h"

namespace pixmere::cli {
namespace {

const std::string kSans = "/usr/share/wine/fonts/sserife.fon";

TEST(Cli, NewInfoAndConvertByExtensionOrTo) {
    test::TempDir dir;
    const std::string font = dir.file("a.pzf");
    ASSERT_EQ(Cli({"new", font, "--width", "12", "--height", "16", "--first", "41", "--last", "7f",
                   "--downstroke", "3", "--magnification", "2"})
                  .status,
              0);
    const CliRun info = Cli({"info", font});
    EXPECT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(info.out,
              "width: 12\nheight: 16\ndownstroke: 3\nfirst: 0x41\nlast: 0x7F\ncount: 63\n"
              "magnification: 2\nprinter bytes: 2021\n");
    const Font loaded = LoadNative(test::ReadAll(font)).build();
    const auto converted = [&](const std::string& name, std::vector<std::string> to = {}) {
        std::vector<std::string> words = {"convert", font, dir.file(name)};
        words.insert(words.end(), to.begin(), to.end());
        EXPECT_EQ(Cli(words).status, 0) << name;
        return test::ReadAll(dir.file(name));
    };
    EXPECT_EQ(converted("f.BIN"), saveBin(loaded));
    EXPECT_EQ(converted("f.c"), saveC(loaded));
    EXPECT_EQ(converted("f.out", {"--to", "txt"}), saveTXT(loaded));
    EXPECT_EQ(LoadNative(converted("g.pzf")).build().glyphData(), loaded.glyphData());
    // Sizes above 255 are corrected, as the parameters dialog does.
    ASSERT_EQ(Cli({"new", font, "--width", "300", "--height", "256"}).status, 0);
    EXPECT_NE(Cli({"info", font})
                  .out.find("width: 255\nheight: 255\ndownstroke: 0\nfirst: 0x20\n"
                            "last: 0xFF\ncount: 224\nmagnification: 1\n"),
              std::string::npos);
}

TEST(Cli, RefusalsGiveTheirStatusAndMessageAndWriteNothing) {
    test::TempDir dir;
    const std::string font = dir.file("f.pzf");
    const auto refused = [&](std::vector<std::string> words, int status,
                             const std::string& message) {
        const CliRun run = Cli(words);
        EXPECT_EQ(run.status, status) << words.size();
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    };
    // What the parameters dialog refuses is wrong usage.
    refused({"new", font, "--width", "8", "--height", "8", "--first", "1F"}, 2,
            "One or several properties are empty or wrong, please fill");
    refused({"new", font, "--width", "8", "--height", "8", "--last", "100"}, 2,
            "One or several properties are empty or wrong. please fill");
    refused({"new", font, "--width", "8", "--height", "10", "--downstroke", "11"}, 2,
            "One or several properties are empty, please");
    refused({"new", font, "--width", "8"}, 2, "--height is required");
    EXPECT_FALSE(std::filesystem::exists(font));

    refused({"info", font}, 1, kBadFontFileMessage);
    test::WriteAll(dir.file("bad.pzf"), {1, 2, 3});
    refused({"convert", dir.file("bad.pzf"), dir.file("x.bin")}, 1,
            dir.file("bad.pzf") + ": " + kBadFontFileMessage);
    test::WriteAll(dir.file("junk.fon"), {'M', 'Z', 1, 2, 3});
    refused({"list", dir.file("junk.fon")}, 1, dir.file("junk.fon") + ": " + kBadFontFileMessage);

    ASSERT_EQ(Cli({"new", font, "--width", "8", "--height", "8"}).status, 0);
    refused({"convert", font, dir.file("no/such/dir/x.bin")}, 1, "could not be written");
    // A failed write leaves what was there whole.
    std::filesystem::create_directory(dir.file("blocked.bin"));
    refused({"convert", font, dir.file("blocked.bin")}, 1, "could not be written");
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("blocked.bin")));

    refused({"convert", font, dir.file("x.png")}, 2, "cannot tell the output type");
    refused({"convert", font, dir.file("x.bin"), "--to", "png"}, 2, "--to must be");
    refused({"convert", dir.file("f.xyz"), dir.file("x.bin")}, 2, "cannot read");
    refused({"info", font, "--bogus", "1"}, 2, "unknown option --bogus");
    refused({"frobnicate"}, 2, "unknown command");
    refused({}, 2, "no command given");
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.bin")));
    EXPECT_NE(Cli({"--help"}).out.find("pixmere-cli convert IN OUT"), std::string::npos);
    EXPECT_EQ(Cli({"--version"}).out.rfind("pixmere-cli ", 0), 0u);
}

TEST(Cli, LibraryFontsByPositionToCTableAndBack) {
    EXPECT_EQ(Cli({"list", kSans}).out,
              "0 MS Sans Serif n\u00B080 (Height: 13 pixels)\n"
              "1 MS Sans Serif n\u00B081 (Height: 16 pixels)\n"
              "2 MS Sans Serif n\u00B082 (Height: 20 pixels)\n");
    EXPECT_EQ(Cli({"info", kSans, "--font", "2"}).out.rfind("width: 16\nheight: 20\n", 0), 0u);
    EXPECT_NE(Cli({"info", kSans, "--font", "3"}).err.find("--font must be a number from 0 to 2"),
              std::string::npos);

    test::TempDir dir;
    const std::string c = dir.file("sans.c");
    ASSERT_EQ(Cli({"convert", kSans, c, "--font", "1"}).status, 0);
    EXPECT_EQ(test::ReadAll(c), saveC(LoadFonFont(test::ReadAll(kSans), 1).build()));
    EXPECT_EQ(Cli({"info", c, "--width", "14", "--height", "16", "--downstroke", "3",
                   "--magnification", "2"})
                  .out,
              "width: 14\nheight: 16\ndownstroke: 3\nfirst: 0x20\nlast: 0xFF\ncount: 224\n"
              "magnification: 2\nprinter bytes: 7173\n");
    // A table that does not fit the sizes gets the C import's message and writes nothing.
    const CliRun wrong = Cli({"convert", c, dir.file("x.bin"), "--width", "14", "--height", "17"});
    EXPECT_EQ(wrong.status, 1);
    EXPECT_EQ(wrong.err, c + ": " + kBadCFileMessage + "\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.bin")));
    // Missing sizes for a table without its parameter lines, and options of another input
    // type, are wrong usage.
    const std::string text = test::AsText(test::ReadAll(c));
    const std::string body = text.substr(text.find("// Magnification"));
    const std::string bare = dir.file("bare.c");
    test::WriteAll(bare, std::vector<uint8_t>(body.begin(), body.end()));
    const CliRun missing = Cli({"info", bare, "--width", "14"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("--height is required for a C table without its parameter lines"),
              std::string::npos);
    EXPECT_EQ(Cli({"info", bare, "--width", "14", "--height", "16"}).status, 0);
    EXPECT_EQ(Cli({"info", c, "--width", "14", "--height", "16", "--font", "1"}).status, 2);
    EXPECT_EQ(Cli({"info", kSans, "--height", "16"}).status, 2);
}

TEST(Cli, StandAloneFntAndCharactersBelow20) {
    const std::vector<uint8_t> library = test::ReadAll("/usr/share/wine/fonts/vgafix.fon");
    const FonFont entry = ReadFontDirectory(library).fonts.at(0);
    std::vector<uint8_t> fnt(library.begin() + static_cast<long>(entry.offset),
                             library.begin() + static_cast<long>(entry.offset + entry.size));
    test::TempDir dir;
    test::WriteAll(dir.file("fixed.FNT"), fnt);
    EXPECT_EQ(Cli({"info", dir.file("fixed.FNT")}).out,
              "width: 8\nheight: 15\ndownstroke: 3\nfirst: 0x20\nlast: 0xFF\ncount: 224\n"
              "magnification: 1\nprinter bytes: 3365\n");
    // The same glyphs as codes 1A to F9: the first six are left out of a native file.
    fnt[95] = 0x1A;
    fnt[96] = 0xF9;
    test::WriteAll(dir.file("low.fnt"), fnt);
    const CliRun low = Cli({"convert", dir.file("low.fnt"), dir.file("low.pzf")});
    EXPECT_EQ(low.status, 0);
    EXPECT_EQ(low.err,
              "Characters under the adress 20h will be deleted after saving (this range is "
              "reserved for printer control codes).\n");
    const Font stored = LoadNative(test::ReadAll(dir.file("low.pzf"))).build();
    EXPECT_EQ(stored.params.firstcar, 0x20);
    const std::vector<uint8_t> data = FntBegin(fnt).build().glyphData();
    EXPECT_EQ(stored.glyphData(), std::vector(data.begin() + 6 * 15, data.end()));
}

// pixmere-cli transform IN OUT followed by the operations.
CliRun Transform(const std::string& in, const std::string& out, std::vector<std::string> ops) {
    std::vector<std::string> words = {"transform", in, out};
    words.insert(words.end(), ops.begin(), ops.end());
    return Cli(words);
}

// Codes 41..43, 6 wide and 3 high, written as in.pzf.
std::string WriteSample(const test::TempDir& dir) {
    const Font font =
        test::FontFromPictures(test::Shape(6, 3, 0x41, 3, 1), {{"#....#", ".#..#.", "..##.."},
                                                               {"######", "#....#", "######"},
                                                               {"..##..", "..##..", "..##.."}});
    test::WriteAll(dir.file("in.pzf"), SaveNative(font).bytes);
    return dir.file("in.pzf");
}

// Every glyph of a native file as a picture of the font's width.
std::string Pictures(const std::string& path) {
    std::string out;
    for (const CarObject& g : LoadNative(test::ReadAll(path)).build().glyphs) {
        out += test::Joined(test::GlyphPicture(g, g.bitwidth() + 1));
    }
    return out;
}

TEST(Transform, AppliesTheOperationsInOrderAndWritesAnyOutputType) {
    test::TempDir dir;
    const std::string in = WriteSample(dir), out = dir.file("out.pzf");
    const std::vector<std::string> ops = {"add-column-right", "remove-row-top", "move-left:41-42",
                                          "clear:43",         "add-row-bottom", "move-down:42"};
    const CliRun run = Transform(in, out, ops);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Pictures(out), test::Joined({"#..#...", ".##....", "......."}) +
                                 test::Joined({".......", "....#..", "#####.."}) +
                                 test::Joined({".......", ".......", "......."}));
    ASSERT_EQ(Transform(in, dir.file("out.c"), ops).status, 0);
    EXPECT_EQ(test::ReadAll(dir.file("out.c")), saveC(LoadNative(test::ReadAll(out)).build()));
}

TEST(Transform, RefusalsWriteNothing) {
    test::TempDir dir;
    const std::string in = WriteSample(dir), out = dir.file("out.bin");
    test::WriteAll(out, {1, 2, 3});
    const auto refused = [&](const std::string& font, std::vector<std::string> ops, int status,
                             const std::string& message) {
        const CliRun run = Transform(font, out, ops);
        EXPECT_EQ(run.status, status) << ops.back();
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
        EXPECT_EQ(test::ReadAll(out), (std::vector<uint8_t>{1, 2, 3}));
    };
    // The third removal would leave no row; the first two are not written either.
    refused(in, {"remove-row-top", "remove-row-bottom", "remove-row-top"}, 1,
            "remove-row-top: the font is only 1 row high");
    refused(in, {"clear:40"}, 1, "clear:40: the font holds the characters 41 to 43");
    refused(in, {"move-up:42-44"}, 1, "the font holds the characters 41 to 43");

    for (const char* op : {"rotate", "move-up", "move-up:", "clear:4G", "clear:43-41", "clear:41-",
                           "clear:12345", "add-row-top:41"}) {
        refused(in, {op}, 2, op);
    }
    EXPECT_EQ(Transform(in, out, {}).status, 2);
    // Operations are understood before the input is read.
    refused(dir.file("none.pzf"), {"rotate"}, 2, "unknown operation 'rotate'");
}

}  // namespace
}  // namespace pixmere::cli
