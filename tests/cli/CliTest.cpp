// The tool's own job: arguments, types by extension, exit statuses and messages, and that it
// writes what the core gives. The formats themselves are pinned in tests/formats.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "cli/CliRun.h"
#include "cli/FontFiles.h"
#include "formats/BdfExport.h"
#include "formats/BdfPcfFile.h"
#include "formats/BinFile.h"
#include "formats/CFile.h"
#include "formats/CellPlacement.h"
#include "formats/Exports.h"
#include "formats/FntFile.h"
#include "formats/FonLibrary.h"
#include "formats/GfxFont.h"
#include "formats/NativeFile.h"
#include "formats/PsfFile.h"
#include "formats/TxtFile.h"
#include "model/PrintedText.h"
#include "model/UserError.h"
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

// What a successful run said on its error stream.
std::string Ok(const Words& words) {
    const CliRun run = Cli(words);
    EXPECT_EQ(run.status, 0) << words.at(1) << ": " << run.err;
    return run.err;
}

// Codes 30-FF, 12 x 10, downstroke 2, magnification 3, every byte different, as a.pzf.
Font WriteNative(const test::TempDir& dir) {
    const Font font = test::PatternFont(test::Shape(12, 10, 0x30, 208, 2, 3));
    WriteAll(dir.file("a.pzf"), SaveNative(font).bytes);
    return LoadNative(ReadAll(dir.file("a.pzf"))).build();
}

TEST(Cli, NewTakesTheDialogsParametersAndInfoPrintsThem) {
    test::TempDir dir;
    const std::string font = dir.file("a.pzf");
    Ok({"new", font, "--width", "12", "--height", "16", "--first", "41", "--last", "7f",
        "--downstroke", "3", "--magnification", "2"});
    EXPECT_EQ(Cli({"info", font}).out,
              "width: 12\nheight: 16\ndownstroke: 3\nfirst: 0x41\nlast: 0x7F\ncount: 63\n"
              "magnification: 2\nprinter bytes: 2021\n");
    EXPECT_EQ(LoadNative(ReadAll(font)).build().glyphData(), std::vector<uint8_t>(63 * 16 * 2));
    // A blank font in a C layout.
    Ok({"new", dir.file("b.c"), "--width", "3", "--height", "2", "--last", "21", "--c-array",
        "const"});
    EXPECT_EQ(
        ReadAll(dir.file("b.c")),
        saveC(MatrixToObject(test::Shape(3, 2, 0x20, 2), test::Shape(3, 2, 0x20, 2).blankMatrix()),
              {.declaration = CDeclaration::Const}, "b"));
    // Sizes above 255 are corrected, as the parameters dialog does; its defaults fill the rest.
    Ok({"new", font, "--width", "300", "--height", "256"});
    EXPECT_EQ(test::Describe(LoadNative(ReadAll(font)).params),
              "255x255 down 0 magnif 1 codes 32-255");
}

// Each input type, told by the end of its name in either case, is read by its own loader with
// its own options: converted to a text picture, which shows every parameter and byte, it is the
// core's font.
TEST(Cli, ReadsEveryInputTypeByItsExtension) {
    test::TempDir dir;
    const Font font = WriteNative(dir);
    const auto file = [&](const std::string& name, const std::vector<uint8_t>& bytes) {
        WriteAll(dir.file(name), bytes);
        return dir.file(name);
    };
    const std::vector<uint8_t> sans = ReadAll(kSans), c = saveC(font), bin = saveBin(font);
    const FonFont first = ReadFontDirectory(sans).fonts.at(0);
    const std::vector<uint8_t> fnt(sans.begin() + long(first.offset),
                                   sans.begin() + long(first.offset + first.size));
    const std::string text = AsText(c), bare = text.substr(text.find("// Magnification"));
    const std::vector<uint8_t> psf = ReadAll(kPsf), bdf = saveBDF(font, "a"),
                               gfx = saveGFX(font, "a");
    const std::pair<Words, Font> inputs[] = {
        {{dir.file("a.pzf")}, font},
        {{file("s.FNT", fnt)}, FntBegin(fnt).build()},
        {{kSans, "--font", "1"}, LoadFonFont(sans, 1).build()},
        {{file("t.c", c), "--width", "12", "--height", "10", "--downstroke", "1", "--magnification",
          "4"},
         ParseCFile(c, test::Shape(12, 10, 0x20, 1, 1, 4)).build()},
        {{file("bare.c", test::AsBytes(bare)), "--width", "12", "--height", "10"},
         ParseCFile(test::AsBytes(bare), test::Shape(12, 10)).build()},
        {{file("a.bin", bin), "--magnification", "3"}, LoadBin(bin, 3).build()},
        {{file("a.txt", saveTXT(font))}, font},
        {{file("a.bdf", bdf)}, LoadBdfPcf(bdf).font.build()},
        {{kPcf}, LoadBdfPcf(ReadAll(kPcf)).font.build()},
        {{file("T.PSF.GZ", psf)}, LoadPsf(psf).font.build()},
        {{file("a.h", gfx)}, LoadGfx(gfx).font.build()}};
    for (const auto& [in, expected] : inputs) {
        Words words = {"convert", in[0], dir.file("out.txt")};
        words.insert(words.end(), in.begin() + 1, in.end());
        EXPECT_EQ(Ok(words), "");
        EXPECT_EQ(AsText(ReadAll(dir.file("out.txt"))), AsText(saveTXT(expected))) << in[0];
    }
}

// Each output type, told by the end of the name or by --to, gets the core's bytes; a BDF
// font is named after its file and a native file gets a fresh key.
TEST(Cli, WritesEveryOutputTypeByExtensionOrTo) {
    test::TempDir dir;
    const Font font = WriteNative(dir);
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
}

TEST(Cli, ListsALibraryAndTellsWhatItDropsOrCuts) {
    EXPECT_EQ(Cli({"list", kSans}).out,
              "0 MS Sans Serif n\u00B080 (Height: 13 pixels)\n"
              "1 MS Sans Serif n\u00B081 (Height: 16 pixels)\n"
              "2 MS Sans Serif n\u00B082 (Height: 20 pixels)\n");
    test::TempDir dir;
    // Codes from 1A: the first six are left out of a native file.
    WriteAll(dir.file("low.bin"), saveBin(test::PatternFont(test::Shape(8, 2, 0x1A, 10))));
    EXPECT_EQ(Ok({"convert", dir.file("low.bin"), dir.file("low.pzf")}),
              "Characters under the adress 20h will be deleted after saving (this range is "
              "reserved for printer control codes).\n");
    EXPECT_EQ(LoadNative(ReadAll(dir.file("low.pzf"))).params.firstcar, 0x20);
    // A proportional BDF whose W runs past its cell.
    WriteAll(dir.file("p.bdf"),
             test::AsBytes("STARTFONT 2.1\nFONT x\nSIZE 8 75 75\nFONTBOUNDINGBOX 9 1 -1 0\n"
                           "STARTPROPERTIES 2\nFONT_ASCENT 1\nFONT_DESCENT 0\nENDPROPERTIES\n"
                           "CHARS 1\nSTARTCHAR W\nENCODING 87\nSWIDTH 500 0\nDWIDTH 7 0\n"
                           "BBX 9 1 -1 0\nBITMAP\nFF80\nENDCHAR\nENDFONT\n"));
    EXPECT_EQ(Ok({"convert", dir.file("p.bdf"), dir.file("p.pzf")}),
              dir.file("p.bdf") + ": " + CutCharactersMessage(1) + "\n");
    // A GFX font that runs past its cell on the left and has a code above FFh.
    WriteAll(dir.file("t.h"), test::AsBytes(test::kConverterGfxHeader));
    EXPECT_EQ(Ok({"convert", dir.file("t.h"), dir.file("t.pzf")}),
              dir.file("t.h") + ": 1 character lost the pixels that fell outside the cell.\n" +
                  dir.file("t.h") + ": 1 character with a code above FFh was left out.\n");
}

TEST(Cli, HelpAndVersion) {
    EXPECT_NE(Cli({"--help"}).out.find("pixmere-cli convert IN OUT"), std::string::npos);
    EXPECT_NE(Cli({"ttf", "--help"}).out.find("[--fit x|face]"), std::string::npos);
    EXPECT_EQ(Cli({"--version"}).out.rfind("pixmere-cli ", 0), 0u);
    for (const char* command : {"info", "convert", "transform", "render"}) {
        EXPECT_NE(Cli({command, "--help"}).out.find(kInputHelp), std::string::npos) << command;
    }
    for (const char* command : {"new", "convert", "transform", "ttf"}) {
        EXPECT_NE(Cli({command, "--help"}).out.find(kOutputHelp), std::string::npos) << command;
    }
}

// Operations in order on three characters 6 x 3 with one downstroke row, read back as C.
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
        {{"add-column-right", "remove-row-top", "move-left:41-42", "clear:43", "add-row-bottom",
          "move-down:42", "--c-numbers", "hex"},
         test::FontFromPictures(
             test::Shape(7, 3, 0x41, 3, 1),
             {{"#..#...", ".##....", ""}, {"", "....#..", "#####.."}, {"", "", ""}}),
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

// The picture is the core's text as printed, each dot a zoom x zoom square, whatever the input
// type; without --text, the font's own letters and digits.
TEST(Render, ThePictureIsTheTextAsPrintedAtTheZoom) {
    test::TempDir dir;
    const Font font = test::FontFromPictures(test::Shape(4, 3, 0x41, 2, 1, 3),
                                             {{".##.", "#..#", "####"}, {"###.", "#.##", "###."}});
    WriteAll(dir.file("f.pzf"), SaveNative(font).bytes);
    Ok({"render", dir.file("f.pzf"), dir.file("f.png"), "--text", "AB\nB\u00e9", "--zoom", "2"});
    const QImage png(QString::fromStdString(dir.file("f.png")), "PNG");
    const PrintedText text(font.params, U"AB\nB\u00e9");
    ASSERT_EQ(png.size(), QSize(text.width() * 2, text.height() * 2));
    int missing = 0;
    for (int y = 0; y < png.height(); ++y) {
        for (int x = 0; x < png.width(); ++x) {
            const PrintedDot dot = text.Dot(font, x / 2, y / 2);
            missing += dot == PrintedDot::Missing;
            ASSERT_EQ(png.pixel(x, y), dot == PrintedDot::Ink       ? kInkRgb
                                       : dot == PrintedDot::Missing ? kMissingRgb
                                                                    : kPaperRgb)
                << x << ", " << y;
        }
    }
    EXPECT_GT(missing, 0);
    Ok({"render", kPsf, dir.file("psf.png")});
    EXPECT_EQ(QImage(QString::fromStdString(dir.file("psf.png"))).size(), QSize(64 * 8, 16));
}

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
    // What the X-height fitting cut is told, the output staying as it was.
    EXPECT_EQ(run.err, out +
                           ": 14 characters of the face came out empty or cut at the edges of "
                           "the cell: , - . T _ ` g j p q y { | }. --fit face keeps them.\n");
    // The text picture of every glyph, as looked at when it was recorded; it lives with the
    // conversion engine's tests.
    const std::string expected =
        AsText(ReadAll(PIXMERE_TESTS_DIR "/truetype/expected/dejavu-sans-16x16-20-7e.txt"));
    ASSERT_GT(expected.size(), 95u * 16 * 16);
    EXPECT_EQ(AsText(ReadAll(out)), expected);
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
        return ReadAll(dir.file(name));
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
