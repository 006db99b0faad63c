#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/Commands.h"
#include "formats/CFile.h"
#include "formats/Exports.h"
#include "formats/FntFile.h"
#include "formats/FonLibrary.h"
#include "formats/NativeFile.h"
#include "model/UserError.h"
#include "support/TempDir.h"

namespace pixmere::cli {
namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun Cli(std::vector<std::string> words) {
    std::ostringstream out, err;
    const int status = RunCli(words, out, err);
    return {status, out.str(), err.str()};
}

const std::string kWine = "/usr/share/wine/fonts/";

TEST(ImportCli, ListPrintsPositionAndItemTextOfEachFont) {
    const CliRun list = Cli({"list", kWine + "sserife.fon"});
    EXPECT_EQ(list.status, 0) << list.err;
    EXPECT_EQ(list.out,
              "0 MS Sans Serif n\xC2\xB0"
              "80 (Height: 13 pixels)\n"
              "1 MS Sans Serif n\xC2\xB0"
              "81 (Height: 16 pixels)\n"
              "2 MS Sans Serif n\xC2\xB0"
              "82 (Height: 20 pixels)\n");

    test::TempDir dir;
    test::WriteAll(dir.file("junk.fon"), {'M', 'Z', 1, 2, 3});
    const CliRun junk = Cli({"list", dir.file("junk.fon")});
    EXPECT_EQ(junk.status, 1);
    EXPECT_EQ(junk.err, dir.file("junk.fon") + ": " + kBadFontFileMessage + "\n");
    EXPECT_TRUE(junk.out.empty());
    EXPECT_EQ(Cli({"list"}).status, 2);
    EXPECT_EQ(Cli({"list", kWine + "sserife.fon", kWine + "coure.fon"}).status, 2);
    EXPECT_NE(Cli({"--help"}).out.find("pixmere-cli list LIBRARY.fon"), std::string::npos);
}

TEST(ImportCli, FontOptionChoosesByPositionInTheDirectory) {
    const CliRun first = Cli({"info", kWine + "sserife.fon"});
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out,
              "width: 11\nheight: 13\ndownstroke: 2\nfirst: 0x20\nlast: 0xFF\ncount: 224\n"
              "magnification: 1\nprinter bytes: 5829\n");
    const CliRun third = Cli({"info", kWine + "sserife.fon", "--font", "2"});
    EXPECT_EQ(third.status, 0) << third.err;
    EXPECT_NE(third.out.find("width: 16\nheight: 20\ndownstroke: 4\n"), std::string::npos);

    const CliRun beyond = Cli({"info", kWine + "sserife.fon", "--font", "3"});
    EXPECT_EQ(beyond.status, 2);
    EXPECT_NE(beyond.err.find("--font must be a number from 0 to 2"), std::string::npos);
    EXPECT_EQ(Cli({"info", kWine + "sserife.fon", "--font", "one"}).status, 2);
    EXPECT_EQ(Cli({"info", kWine + "coure.fon", "--font", "-1"}).status, 2);
}

TEST(ImportCli, LibraryToCTableAndBackGivesTheSameGlyphs) {
    test::TempDir dir;
    const std::string c = dir.file("sans.c");
    ASSERT_EQ(Cli({"convert", kWine + "sserife.fon", c, "--font", "1"}).status, 0);
    const std::vector<uint8_t> library = test::ReadAll(kWine + "sserife.fon");
    const Font font = LoadFonFont(library, 1).build();
    EXPECT_EQ(test::ReadAll(c), saveC(font));

    const std::string pzf = dir.file("sans.pzf");
    const CliRun back = Cli({"convert", c, pzf, "--width", "14", "--height", "16", "--downstroke",
                             "3", "--magnification", "2"});
    ASSERT_EQ(back.status, 0) << back.err;
    const Font reread = LoadNative(test::ReadAll(pzf)).build();
    EXPECT_EQ(reread.glyphData(), font.glyphData());
    EXPECT_EQ(reread.params.jambon, 3);
    EXPECT_EQ(reread.params.Magnification, 2);

    // Downstroke and magnification default to 0 and 1.
    const CliRun info = Cli({"info", c, "--width", "14", "--height", "16"});
    EXPECT_EQ(info.status, 0) << info.err;
    EXPECT_NE(info.out.find("downstroke: 0\n"), std::string::npos);
    EXPECT_NE(info.out.find("magnification: 1\n"), std::string::npos);
}

TEST(ImportCli, CTableOptionsAreCheckedAsTheDialogChecksThem) {
    test::TempDir dir;
    const std::string c = dir.file("t.c");
    test::WriteAll(c, {'0', 'x', '1', ',', '0', 'x', '2'});
    EXPECT_EQ(Cli({"info", c, "--height", "2"}).status, 2);
    EXPECT_EQ(Cli({"info", c, "--width", "8"}).status, 2);
    const CliRun deep = Cli({"info", c, "--width", "8", "--height", "2", "--downstroke", "3"});
    EXPECT_EQ(deep.status, 2);
    EXPECT_NE(deep.err.find("One or several properties are empty, please"), std::string::npos);
    EXPECT_EQ(Cli({"info", c, "--width", "8", "--height", "2", "--magnification", "6"}).status, 2);
    EXPECT_EQ(Cli({"info", c, "--width", "8", "--height", "2"}).status, 0);

    const CliRun wrong = Cli({"convert", c, dir.file("t.bin"), "--width", "8", "--height", "3"});
    EXPECT_EQ(wrong.status, 1);
    EXPECT_EQ(wrong.err, c + ": " + kBadCFileMessage + "\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("t.bin")));
}

TEST(ImportCli, StandAloneFntConvertsAndDamagedOnesAreRefused) {
    const std::vector<uint8_t> library = test::ReadAll(kWine + "vgafix.fon");
    const FonFont entry = ReadFontDirectory(library).fonts.at(0);
    const std::vector<uint8_t> fnt(library.begin() + static_cast<long>(entry.offset),
                                   library.begin() + static_cast<long>(entry.offset + entry.size));
    test::TempDir dir;
    test::WriteAll(dir.file("fixed.FNT"), fnt);
    const CliRun info = Cli({"info", dir.file("fixed.FNT")});
    EXPECT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(info.out,
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
