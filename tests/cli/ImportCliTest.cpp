#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/CliRun.h"
#include "formats/CFile.h"
#include "formats/Exports.h"
#include "formats/FntFile.h"
#include "formats/FonLibrary.h"
#include "formats/NativeFile.h"
#include "model/UserError.h"
#include "support/TempDir.h"

namespace pixmere::cli {
namespace {

const std::string kSans = "/usr/share/wine/fonts/sserife.fon";

TEST(ImportCli, ListAndFontOptionUseThePositionInTheDirectory) {
    const CliRun list = Cli({"list", kSans});
    EXPECT_EQ(list.out,
              "0 MS Sans Serif n\xC2\xB0"
              "80 (Height: 13 pixels)\n"
              "1 MS Sans Serif n\xC2\xB0"
              "81 (Height: 16 pixels)\n"
              "2 MS Sans Serif n\xC2\xB0"
              "82 (Height: 20 pixels)\n");
    EXPECT_EQ(Cli({"info", kSans}).out,
              "width: 11\nheight: 13\ndownstroke: 2\nfirst: 0x20\nlast: 0xFF\ncount: 224\n"
              "magnification: 1\nprinter bytes: 5829\n");
    EXPECT_EQ(
        Cli({"info", kSans, "--font", "2"}).out.rfind("width: 16\nheight: 20\ndownstroke: 4", 0),
        0u);
    const CliRun beyond = Cli({"info", kSans, "--font", "3"});
    EXPECT_EQ(beyond.status, 2);
    EXPECT_NE(beyond.err.find("--font must be a number from 0 to 2"), std::string::npos);
    EXPECT_EQ(Cli({"list"}).status, 2);

    test::TempDir dir;
    test::WriteAll(dir.file("junk.fon"), {'M', 'Z', 1, 2, 3});
    const CliRun junk = Cli({"list", dir.file("junk.fon")});
    EXPECT_EQ(junk.status, 1);
    EXPECT_EQ(junk.err, dir.file("junk.fon") + ": " + kBadFontFileMessage + "\n");
}

TEST(ImportCli, LibraryToCTableAndBack) {
    test::TempDir dir;
    const std::string c = dir.file("sans.c"), pzf = dir.file("sans.pzf");
    ASSERT_EQ(Cli({"convert", kSans, c, "--font", "1"}).status, 0);
    const Font font = LoadFonFont(test::ReadAll(kSans), 1).build();
    EXPECT_EQ(test::ReadAll(c), saveC(font));
    const CliRun back = Cli({"convert", c, pzf, "--width", "14", "--height", "16", "--downstroke",
                             "3", "--magnification", "2"});
    ASSERT_EQ(back.status, 0) << back.err;
    const Font reread = LoadNative(test::ReadAll(pzf)).build();
    EXPECT_EQ(reread.glyphData(), font.glyphData());
    EXPECT_EQ(reread.params.jambon, 3);
    EXPECT_EQ(reread.params.Magnification, 2);
    const CliRun defaults = Cli({"info", c, "--width", "14", "--height", "16"});
    EXPECT_NE(defaults.out.find("downstroke: 0\nfirst: 0x20\nlast: 0xFF\ncount: 224\n"
                                "magnification: 1\n"),
              std::string::npos);

    // Missing sizes and what the dialog refuses are usage errors; a table that does not fit
    // the sizes gets the C import's message and writes nothing.
    EXPECT_EQ(Cli({"info", c, "--height", "16"}).status, 2);
    EXPECT_EQ(Cli({"info", c, "--width", "14"}).status, 2);
    const CliRun deep = Cli({"info", c, "--width", "14", "--height", "2", "--downstroke", "3"});
    EXPECT_EQ(deep.status, 2);
    EXPECT_NE(deep.err.find("One or several properties are empty, please"), std::string::npos);
    const CliRun wrong = Cli({"convert", c, dir.file("x.bin"), "--width", "14", "--height", "17"});
    EXPECT_EQ(wrong.status, 1);
    EXPECT_EQ(wrong.err, c + ": " + kBadCFileMessage + "\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.bin")));

    // Options of another input type are refused, not ignored.
    EXPECT_EQ(Cli({"info", pzf, "--width", "3"}).status, 2);
    EXPECT_EQ(Cli({"info", kSans, "--height", "16"}).status, 2);
    EXPECT_EQ(Cli({"info", c, "--width", "14", "--height", "16", "--font", "1"}).status, 2);
}

TEST(ImportCli, StandAloneFnt) {
    const std::vector<uint8_t> library = test::ReadAll("/usr/share/wine/fonts/vgafix.fon");
    const FonFont entry = ReadFontDirectory(library).fonts.at(0);
    const std::vector<uint8_t> fnt(library.begin() + static_cast<long>(entry.offset),
                                   library.begin() + static_cast<long>(entry.offset + entry.size));
    test::TempDir dir;
    test::WriteAll(dir.file("fixed.FNT"), fnt);
    EXPECT_EQ(Cli({"info", dir.file("fixed.FNT")}).out,
              "width: 8\nheight: 15\ndownstroke: 3\nfirst: 0x20\nlast: 0xFF\ncount: 224\n"
              "magnification: 1\nprinter bytes: 3365\n");
    ASSERT_EQ(Cli({"convert", dir.file("fixed.FNT"), dir.file("fixed.bin")}).status, 0);
    EXPECT_EQ(test::ReadAll(dir.file("fixed.bin")), saveBin(FntBegin(fnt).build()));

    test::WriteAll(dir.file("cut.fnt"), {fnt.begin(), fnt.begin() + 200});
    const CliRun cut = Cli({"convert", dir.file("cut.fnt"), dir.file("cut.txt")});
    EXPECT_EQ(cut.status, 1);
    EXPECT_EQ(cut.err, dir.file("cut.fnt") + ": " + kBadFontFileMessage + "\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("cut.txt")));
}

}  // namespace
}  // namespace pixmere::cli
