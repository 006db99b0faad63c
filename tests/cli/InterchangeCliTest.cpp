#include <gtest/gtest.h>

#include <filesystem>

#include "cli/CliRun.h"
#include "formats/BinFile.h"
#include "formats/CellPlacement.h"
#include "formats/Exports.h"
#include "formats/NativeFile.h"
#include "formats/PsfFile.h"
#include "model/UserError.h"
#include "support/GlyphPicture.h"
#include "support/SampleFonts.h"
#include "support/TempDir.h"

namespace pixmere::cli {
namespace {

std::string Info(const std::vector<std::string>& words) {
    std::vector<std::string> all = {"info"};
    all.insert(all.end(), words.begin(), words.end());
    const CliRun run = Cli(all);
    EXPECT_EQ(run.status, 0) << run.err;
    return run.out;
}

TEST(InterchangeCli, InstalledX11AndConsoleFontsAreInputTypes) {
    EXPECT_EQ(Info({"/usr/share/fonts/X11/misc/6x13.pcf.gz"}),
              "width: 6\nheight: 13\ndownstroke: 2\nfirst: 0x00\nlast: 0xFF\ncount: 256\n"
              "magnification: 1\nprinter bytes: 3333\n");
    EXPECT_EQ(Info({"/usr/share/consolefonts/Lat15-Terminus16.psf.gz"}),
              "width: 8\nheight: 16\ndownstroke: 4\nfirst: 0x20\nlast: 0xFF\ncount: 224\n"
              "magnification: 1\nprinter bytes: 3589\n");
    // Uncompressed, and with the name in capitals.
    test::TempDir dir;
    const auto copy = [&](const std::vector<uint8_t>& bytes, const std::string& name) {
        test::WriteAll(dir.file(name), bytes);
        return dir.file(name);
    };
    const std::string psf =
        copy(test::ReadAll("/usr/share/consolefonts/Lat15-Terminus16.psf.gz"), "T.PSF.GZ");
    EXPECT_EQ(Info({psf}), Info({"/usr/share/consolefonts/Lat15-Terminus16.psf.gz"}));
    const CliRun bdf = Cli({"convert", psf, dir.file("t.bdf")});
    ASSERT_EQ(bdf.status, 0) << bdf.err;
    EXPECT_EQ(Info({dir.file("t.bdf")}), Info({psf}));
}

// A font from `first`, `width` wide, every byte different, written as a.pzf.
Font WriteNative(const test::TempDir& dir, int first, int width) {
    const Font font = test::PatternFont(test::Shape(width, 10, first, 0x100 - first, 2, 3));
    test::WriteAll(dir.file("a.pzf"), SaveNative(font).bytes);
    return LoadNative(test::ReadAll(dir.file("a.pzf"))).build();
}

// Every glyph as a picture of the font's width, and the parameters.
std::string Pixels(const std::string& path) {
    const Font font = LoadNative(test::ReadAll(path)).build();
    std::string out =
        std::to_string(font.params.FormatLengthCar) + " " + std::to_string(font.params.firstcar) +
        " " + std::to_string(font.params.NbCar) + " " + std::to_string(font.params.Magnification) +
        " " + std::to_string(font.params.jambon);
    for (const CarObject& g : font.glyphs)
        out += test::Joined(test::GlyphPicture(g, g.bitwidth() + 1));
    return out;
}

TEST(InterchangeCli, EveryOutputTypeConvertsBackToTheSameFont) {
    for (const int first : {0x20, 0x30}) {
        for (const int width : {8, 12}) {
            SCOPED_TRACE(std::to_string(first) + " " + std::to_string(width));
            test::TempDir dir;
            const Font font = WriteNative(dir, first, width);
            const std::string original = Pixels(dir.file("a.pzf"));
            for (const std::vector<std::string>& out : {std::vector<std::string>{"a.bdf"},
                                                        {"a.bin"},
                                                        {"a.txt"},
                                                        {"a.c"},
                                                        {"b.font", "--to", "bdf"}}) {
                std::vector<std::string> there = {"convert", dir.file("a.pzf"), dir.file(out[0])};
                there.insert(there.end(), out.begin() + 1, out.end());
                ASSERT_EQ(Cli(there).status, 0) << out[0];
                std::string in = dir.file(out[0]);
                if (out.size() > 1) {
                    std::filesystem::rename(in, dir.file("b.bdf"));
                    in = dir.file("b.bdf");
                }
                std::vector<std::string> back = {"convert", in, dir.file("back.pzf")};
                // The download file stores no magnification.
                if (out[0] == "a.bin") back.insert(back.end(), {"--magnification", "3"});
                const CliRun run = Cli(back);
                ASSERT_EQ(run.status, 0) << run.err;
                EXPECT_EQ(run.err, "");
                EXPECT_EQ(Pixels(dir.file("back.pzf")), original) << out[0];
            }
            // The bytes of the text exports survive, padding bits included.
            ASSERT_EQ(Cli({"convert", dir.file("a.txt"), dir.file("t.bin")}).status, 0);
            EXPECT_EQ(test::ReadAll(dir.file("t.bin")), saveBin(font));
        }
    }
}

TEST(InterchangeCli, CutPixelsAreReportedAndBadFilesRefusedUnreadAndUnwritten) {
    test::TempDir dir;
    // A proportional BDF whose W runs past its cell and whose g hangs below it.
    const std::string bdf =
        "STARTFONT 2.1\nFONT x\nSIZE 8 75 75\nFONTBOUNDINGBOX 9 9 -1 -3\nSTARTPROPERTIES 2\n"
        "FONT_ASCENT 6\nFONT_DESCENT 2\nENDPROPERTIES\nCHARS 2\n"
        "STARTCHAR W\nENCODING 87\nSWIDTH 500 0\nDWIDTH 7 0\nBBX 9 1 -1 0\nBITMAP\nFF80\nENDCHAR\n"
        "STARTCHAR g\nENCODING 103\nSWIDTH 500 0\nDWIDTH 5 0\nBBX 4 3 0 -3\nBITMAP\n"
        "F0\n90\nF0\nENDCHAR\nENDFONT\n";
    test::WriteAll(dir.file("p.bdf"), std::vector<uint8_t>(bdf.begin(), bdf.end()));
    const CliRun cut = Cli({"convert", dir.file("p.bdf"), dir.file("p.pzf")});
    EXPECT_EQ(cut.status, 0);
    EXPECT_EQ(cut.err, dir.file("p.bdf") + ": " + CutCharactersMessage(2) + "\n");

    // A damaged file of each new type: the file is named, nothing is written.
    test::WriteAll(dir.file("out.pzf"), {7});
    for (const char* name : {"d.bdf", "d.pcf", "d.pcf.gz", "d.psf", "d.psf.gz", "d.bin", "d.txt"}) {
        test::WriteAll(dir.file(name), {0x1F, 0x8B, 8, 0, 1, 2, 3});
        const CliRun run = Cli({"convert", dir.file(name), dir.file("out.pzf")});
        EXPECT_EQ(run.status, 1) << name;
        EXPECT_EQ(run.err, dir.file(name) + ": " + kBadFontFileMessage + "\n");
        EXPECT_EQ(test::ReadAll(dir.file("out.pzf")), std::vector<uint8_t>{7});
    }
    // A file larger than its type can be is refused without being read: 64 GiB, mostly holes.
    std::filesystem::resize_file(dir.file("d.psf"), 64ull << 30);
    EXPECT_EQ(Cli({"info", dir.file("d.psf")}).err,
              dir.file("d.psf") + ": " + kBadFontFileMessage + "\n");
    // Options of other types and unknown types are wrong usage.
    EXPECT_EQ(Cli({"info", dir.file("p.bdf"), "--magnification", "2"}).status, 2);
    const CliRun unknown = Cli({"info", dir.file("x.gz")});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find(".bdf, .pcf, .pcf.gz, .psf, .psf.gz, .bin, .txt"),
              std::string::npos);
    EXPECT_EQ(Cli({"convert", dir.file("p.bdf"), dir.file("x"), "--to", "pcf"}).status, 2);
}

TEST(InterchangeCli, HelpNamesTheNewTypes) {
    for (const char* command : {"info", "convert", "transform"}) {
        const std::string help = Cli({command, "--help"}).out;
        for (const char* type : {".bdf", ".pcf.gz", ".psf.gz", ".bin", ".txt"}) {
            EXPECT_NE(help.find(type), std::string::npos) << command << " " << type;
        }
    }
    EXPECT_NE(Cli({"convert", "--help"}).out.find("pzf|bin|c|txt|bdf"), std::string::npos);
}

}  // namespace
}  // namespace pixmere::cli
