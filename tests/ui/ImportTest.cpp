// Open's refusals and the imports, from the frame's and the documents' File menus; only the file
// dialogs and the message boxes are answered by the test. Real fonts of this machine where there
// are some; what each format makes of a file is tested with the formats.
#include "UiTestSupport.h"
#include "formats/BdfPcfFile.h"
#include "formats/BinFile.h"
#include "formats/CFile.h"
#include "formats/Exports.h"
#include "formats/FonLibrary.h"
#include "formats/NativeFile.h"
#include "formats/PsfFile.h"
#include "ui/DocumentActions.h"

namespace pixmere::test {
namespace {

const std::string kPcf = "/usr/share/fonts/X11/misc/6x13-ISO8859-1.pcf.gz";
const std::string kPsf = "/usr/share/consolefonts/Lat15-Fixed16.psf.gz";
const std::string kFon = "/usr/share/wine/fonts/sserife.fon";

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// The frame's file commands and the filter each one's file dialog offers.
const std::pair<const char*, const char*> kFileCommands[] = {
    {"open",
     "Velmar Font|*.pzf|All fonts|*.pzf *.fnt *.fon *.c *.bdf *.pcf *.pcf.gz *.psf *.psf.gz *.bin "
     "*.txt *.h"},
    {"ImportFNT", "FNT Font|*.fnt"},
    {"ImportFON", "FON Font|*.fon"},
    {"ImportC", "C File|*.c"},
    {"ImportBDF", "BDF / PCF Font|*.bdf *.pcf *.pcf.gz"},
    {"ImportPSF", "PSF Font|*.psf *.psf.gz"},
    {"ImportBIN", "Bin Velmar|*.bin"},
    {"ImportGFX", "GFX Font|*.h"},
};

// A real font of each type comes in as its format reads it, into a window of its own named after
// the file, modified and without a file (Save asks for one); from the frame's menu or from a
// document's; through Open too, which reads every type. A GFX header says what it left out.
TEST(Import, ARealFontOfEachTypeOpensInANewWindowWithoutAFileOrIsRefused) {
    TempDir dir;
    const struct {
        const char* command;
        std::string path;
        Font expected;
    } imports[] = {{"ImportBDF", kPcf, LoadBdfPcf(ReadAll(kPcf)).font.build()},
                   {"ImportPSF", kPsf, LoadPsf(ReadAll(kPsf)).font.build()},
                   {"open", kPsf, LoadPsf(ReadAll(kPsf)).font.build()}};
    Editor editor;
    MDIForm1& frame = *editor.frame;
    for (std::size_t n = 1; n <= std::size(imports); ++n) {
        const auto& [command, path, expected] = imports[n - 1];
        SCOPED_TRACE(command);
        if (n % 2) {
            editor.FrameMenu(command, path);
        } else {
            editor.WillOpen(path);
            frame.Document(static_cast<int>(n - 1))->action(command)->trigger();
        }
        form1* doc = frame.Document(static_cast<int>(n));
        ASSERT_NO_FATAL_FAILURE(ExpectDocument(doc, expected, Q(path)));
        EXPECT_EQ(FileState(*doc), "modified None  | " + path);
        EXPECT_EQ(editor.Said(), "");
    }
    // The frame and every document list the same imports.
    const QStringList menu = {"Font FNT",       "Font FON", "Font TTF",   "Font C File",
                              "Font BDF / PCF", "Font PSF", "Bin Velmar", "Font GFX"};
    EXPECT_EQ(Captions(frame.actions().file.importMenu->actions()), menu);
    EXPECT_EQ(Captions(frame.Document(1)->actions().file.importMenu->actions()), menu);
    // A GFX header with codes past FFh says what it left out.
    const std::string gfx = dir.file("tiny.h");
    WriteAll(gfx, Bytes(kConverterGfxHeader));
    editor.FrameMenu("ImportGFX", gfx);
    EXPECT_EQ(editor.Said(),
              "Information Velmar Pixmere: 1 character lost the pixels that fell outside the "
              "cell.\n1 character with a code above FFh was left out.");

    // A library's font chosen from its list.
    const std::vector<uint8_t> bytes = ReadAll(kFon);
    const std::string description = ReadFontDirectory(bytes).description;
    WhenShown<Form4>([&](Form4& selection) {
        EXPECT_EQ(selection.title()->text(), Q(description));
        ASSERT_EQ(selection.ListFnt()->count(), 3);
        EXPECT_EQ(selection.ListFnt()->item(1)->text(),
                  QString::fromUtf8("MS Sans Serif n\u00B081 (Height: 16 pixels)"));
        EXPECT_EQ(frame.app().DocCount, 4);  // no window before the font is chosen
        selection.ListFnt()->setCurrentRow(1);
        selection.OkChooseFON()->click();
    });
    editor.FrameMenu("ImportFON", kFon);
    form1* doc = frame.Document(5);
    const Font expected = LoadFonFont(bytes, 1).build();
    ASSERT_NO_FATAL_FAILURE(ExpectDocument(doc, expected, Q(kFon)));
    EXPECT_EQ(FileState(*doc), "modified None  | " + description + "     MS Sans Serif");

    // A C table's own lines state its cell and range, which the dialog shows, the range locked.
    const Font font = PatternFont(Shape(12, 5, 0x30, 80, 2, 3));
    WriteAll(dir.file("table.c"), saveC(font));
    WhenShown<Form3>([&](Form3& dialog) {
        EXPECT_EQ(DialogFields(dialog), "12 x 5 down 2 magnif 3 codes 30-7F (range locked)");
        dialog.Ok()->click();
    });
    editor.FrameMenu("ImportC", dir.file("table.c"));
    EXPECT_EQ(editor.Said(), "");
    ASSERT_NO_FATAL_FAILURE(ExpectDocument(frame.ActiveDocument(), font, Q(dir.file("table.c"))));
    // With its last literal gone, a table is no longer a whole number of glyphs, nor does it
    // match its own lines: the dialog asks for the cell, and the cell typed is refused. Cancel
    // opens no window either.
    std::string broken = AsText(saveC(PatternFont(Shape(10, 3, 0x20, 224))));
    const std::string path = dir.file("broken.c");
    WriteAll(path, Bytes(broken.erase(broken.rfind("0b"))));
    WillFillPropertyDialog({"10", "3", "", ""});
    editor.FrameMenu("ImportC", path);
    EXPECT_EQ(editor.Said(),
              "Critical Error: This file can't be openened because the font parameters are wrong "
              "or the file is corrupted\n" +
                  path);
    WhenShown<Form3>([](Form3& dialog) { dialog.Cancel()->click(); });
    editor.FrameMenu("ImportC", path);
    EXPECT_EQ(frame.app().DocCount, 6);

    // Damaged, cut, missing or foreign files, and files larger than their type can be, are refused
    // with the message, and no window opens. The window active before a refused or cancelled import
    // is active after it, as it was: Ctrl+S saves it.
    const std::vector<uint8_t> good = SaveNative(PatternFont(Shape(5, 4, 0x41, 3))).bytes;
    WriteAll(dir.file("short.pzf"), {good.begin(), good.end() - 1});
    WriteAll(dir.file("plain.fon"), {'M', 'Z', 0, 0});
    const std::string bdf = "STARTFONT 2.1\nFONT x\nSIZE 8 75 75\nFONTBOUNDINGBOX 9 9 -1 -3\n";
    WriteAll(dir.file("cut.bdf"), Bytes(bdf));
    const std::pair<const char*, uint64_t> huge[] = {{"huge.psf.gz", kPsfLargestFile + 1},
                                                     {"huge.bin", kBinLargestFile + 1}};
    for (const auto& [name, size] : huge) {
        WriteAll(dir.file(name), {0x1F, 0x8B, 8, 0});
        std::filesystem::resize_file(dir.file(name), size);
    }
    // The message's first line is the editor's; the next names the file and, where the reader
    // knows it, the reason.
    const struct {
        const char *command, *name, *reason;
    } commands[] = {
        {"open", "short.pzf", ""},
        {"open", "missing.pzf", ": No such file"},
        {"ImportFON", "plain.fon", ""},
        {"ImportC", "missing.c", ": No such file"},
        {"ImportBDF", "cut.bdf", ": a damaged BDF font"},
        {"ImportPSF", "huge.psf.gz", ": larger than a .psf.gz can be (16 MB)"},
        {"ImportBIN", "huge.bin", ": larger than a .bin can be (2088968 bytes)"},
    };
    const int open = frame.app().DocCount + 2;
    form1* first = NewFont(frame, {"8", "8"});
    Draw(*first, 1, 3, 3);
    const std::vector<uint8_t> glyphs = FontOf(*first).glyphData();
    NewFont(frame, {"8", "8"});
    frame.mdiArea()->setActiveSubWindow(WindowOf(*first));
    // Each dialog offers its type; cancelled, it opens nothing without a word.
    for (const auto& [command, filter] : kFileCommands) {
        editor.FrameMenu(command);
        EXPECT_EQ(editor.dialogs->opens.back().first, filter);
        EXPECT_EQ(editor.Said(), "") << command;
        EXPECT_EQ(frame.mdiArea()->activeSubWindow(), WindowOf(*first)) << command;
    }
    for (const auto& [command, name, reason] : commands) {
        SCOPED_TRACE(command + (" " + dir.file(name)));
        editor.FrameMenu(command, dir.file(name));
        EXPECT_EQ(editor.Said(), kBadFile + "\n" + dir.file(name) + reason);
        EXPECT_EQ(frame.app().DocCount, open);
        EXPECT_EQ(frame.mdiArea()->activeSubWindow(), WindowOf(*first));
    }
    // A name too long for the screen is cut in the middle: the start and the end still show.
    const std::string deep = dir.file(std::string(400, 'd') + "/missing.pzf");
    editor.FrameMenu("open", deep);
    const std::string said = editor.Said();
    EXPECT_LT(said.size(), deep.size());
    EXPECT_TRUE(said.starts_with(kBadFile + "\n" + dir.path().string().substr(0, 10))) << said;
    EXPECT_NE(said.find("\u2026"), std::string::npos) << said;
    EXPECT_TRUE(said.ends_with("dd/missing.pzf: File name too long")) << said;
    EXPECT_EQ(FontOf(*first).glyphData(), glyphs);
    EXPECT_FALSE(frame.app().CommandBusy());
    editor.WillSave(dir.file("first.pzf"), 1);
    QApplication::setActiveWindow(&frame);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(first->FileName(), Q(dir.file("first.pzf")));
}

}  // namespace
}  // namespace pixmere::test
