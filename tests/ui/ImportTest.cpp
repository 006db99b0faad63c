// Open's refusals and the imports, from the frame's and the documents' File menus; only the file
// dialogs and the message boxes are answered by the test. Real fonts of this machine where there
// are some; what each format makes of a file is tested with the formats.
#include "UiTestSupport.h"
#include "formats/BdfPcfFile.h"
#include "formats/BinFile.h"
#include "formats/CFile.h"
#include "formats/Exports.h"
#include "formats/FntFile.h"
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

TEST(ImportMenu, TheFrameAndEveryDocumentListTheSameImports) {
    Editor editor;
    const QStringList imports = {"Font FNT",       "Font FON", "Font TTF",   "Font C File",
                                 "Font BDF / PCF", "Font PSF", "Bin Velmar", "Font GFX"};
    EXPECT_EQ(Captions(editor.frame->actions().file.importMenu->actions()), imports);
    form1* doc = NewFont(*editor.frame, {"8", "8"});
    EXPECT_EQ(Captions(doc->actions().file.importMenu->actions()), imports);
}

// A real font of each type comes in as its format reads it, into a window of its own named after
// the file, modified and without a file (Save asks for one); from the frame's menu or, leaving
// that document alone, from a document's; through Open too, which reads every type.
TEST(Import, ARealFontOfEachTypeOpensInANewWindowWithoutAFile) {
    TempDir dir;
    const std::string fnt = dir.file("sans.fnt");
    WriteAll(fnt, RealFnt("sserife.fon", 1));
    // Two bytes a row, magnified: the download file keeps all but the magnification.
    const std::string bin = dir.file("font.bin");
    Font binFont = PatternFont(Shape(12, 5, 0x30, 80, 2, 3));
    WriteAll(bin, saveBin(binFont));
    binFont.params.Magnification = 1;
    const struct {
        const char* command;
        std::string path;
        Font expected;
    } imports[] = {{"ImportFNT", fnt, FntBegin(ReadAll(fnt)).build()},
                   {"ImportBDF", kPcf, LoadBdfPcf(ReadAll(kPcf)).font.build()},
                   {"ImportPSF", kPsf, LoadPsf(ReadAll(kPsf)).font.build()},
                   {"ImportBIN", bin, binFont},
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
        ASSERT_NO_FATAL_FAILURE(ExpectDocument(frame, doc, expected, Q(path)));
        EXPECT_EQ(FileState(*doc), "modified None  | " + path);
        EXPECT_EQ(editor.Said(), "");
    }
}

// A GFX header with codes past FFh says what it left out.
TEST(GfxImport, SaysWhatItLeftOut) {
    TempDir dir;
    const std::string gfx = dir.file("tiny.h");
    WriteAll(gfx, Bytes(kConverterGfxHeader));
    Editor editor;
    editor.FrameMenu("ImportGFX", gfx);
    EXPECT_EQ(editor.Said(),
              "Information Velmar Pixmere: 1 character lost the pixels that fell outside the "
              "cell.\n1 character with a code above FFh was left out.");
    EXPECT_EQ(editor.frame->app().DocCount, 1);
}

TEST(FonImport, ChoosingTheSecondFontOfALibraryAndCancellingTheSelection) {
    const std::vector<uint8_t> bytes = ReadAll(kFon);
    const std::string description = ReadFontDirectory(bytes).description;
    Editor editor;
    MDIForm1& frame = *editor.frame;
    WhenShown<Form4>([&](Form4& selection) {
        EXPECT_EQ(selection.title()->text(), Q(description));
        ASSERT_EQ(selection.ListFnt()->count(), 3);
        EXPECT_EQ(selection.ListFnt()->item(1)->text(),
                  QString::fromUtf8("MS Sans Serif n\u00B081 (Height: 16 pixels)"));
        EXPECT_EQ(frame.app().DocCount, 0);  // no window before the font is chosen
        selection.ListFnt()->setCurrentRow(1);
        selection.OkChooseFON()->click();
    });
    editor.FrameMenu("ImportFON", kFon);
    form1* doc = frame.Document(1);
    const Font expected = LoadFonFont(bytes, 1).build();
    ASSERT_NO_FATAL_FAILURE(ExpectDocument(frame, doc, expected, Q(kFon)));
    EXPECT_EQ(FileState(*doc), "modified None  | " + description + "     MS Sans Serif");

    // Escape opens nothing.
    WhenShown<Form4>([](Form4& selection) { QTest::keyClick(&selection, Qt::Key_Escape); });
    editor.WillOpen(kFon);
    doc->action("ImportFON")->trigger();
    EXPECT_EQ(frame.app().DocCount, 1);
    EXPECT_FALSE(frame.app().CommandBusy());
    EXPECT_EQ(editor.Said(), "");
}

// A table's own lines state its cell, which the dialog shows, open to change; without them the
// dialog asks for it. Either way the range is the table's: a range of control codes too, which
// the dialog would never take typed.
TEST(CImport, ATableComesBackWithItsOwnRangeAndTheCellItStatesOrTheOneTypedOrIsRefused) {
    TempDir dir;
    Editor editor;
    MDIForm1& frame = *editor.frame;
    const struct {
        FontParams shape;
        bool lines;
        const char* fields;
        const char *width, *height, *magnification;  // typed
    } tables[] = {
        {Shape(12, 5, 0x30, 80, 2, 3), true, "12 x 5 down 2 magnif 3 codes 30-7F (range locked)",
         "", "", "3"},
        {Shape(10, 3, 0x20, 224, 1, 1), false, " x  down  magnif 1 codes 20-FF (range locked)",
         "10", "3", "2"},
    };
    for (const auto& table : tables) {
        SCOPED_TRACE(table.fields);
        Font font = PatternFont(table.shape);
        std::string text = AsText(saveC(font));
        if (!table.lines) text.erase(0, text.find('\n', text.find("// Magnification:")) + 1);
        const std::string path = dir.file("table.c");
        WriteAll(path, Bytes(text));
        font.params.Magnification = static_cast<uint8_t>(std::stoi(table.magnification));
        WhenShown<Form3>([&](Form3& dialog) {
            EXPECT_EQ(DialogFields(dialog), table.fields);
            EXPECT_TRUE(
                FillPropertyDialog(dialog, {table.width, table.height, "", "", table.magnification,
                                            QString::number(font.params.jambon)}));
        });
        editor.FrameMenu("ImportC", path);
        form1* doc = frame.ActiveDocument();
        EXPECT_EQ(editor.Said(), "");
        ASSERT_NO_FATAL_FAILURE(ExpectDocument(frame, doc, font, Q(path)));
        EXPECT_EQ(FileState(*doc), "modified None  | " + path);
    }
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
    EXPECT_EQ(frame.app().DocCount, 2);
    EXPECT_FALSE(frame.app().CommandBusy());
}

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

// A document already open, which a failed command must leave as it was.
struct Bystander {
    explicit Bystander(MDIForm1& frame) : frame(frame), doc(NewFont(frame, {"8", "8"})) {
        Draw(*doc, 1, 3, 3);
        glyphs = FontOf(*doc).glyphData();
    }
    void ExpectLeftAlone() {
        EXPECT_EQ(frame.app().DocCount, 1);
        EXPECT_EQ(FontOf(*doc).glyphData(), glyphs);
        EXPECT_TRUE(Shown(frame, *doc));
        EXPECT_FALSE(frame.app().CommandBusy());
        // The toolbar still acts on it: Undo takes its stroke back.
        EXPECT_EQ(frame.ActiveDocument(), doc);
        EXPECT_TRUE(Tool(frame, 6)->isEnabled());
    }
    MDIForm1& frame;
    form1* doc;
    std::vector<uint8_t> glyphs;
};

// Damaged, cut, missing or foreign files, and files larger than their type can be, are refused
// with the message, and no window opens.
TEST(FileCommands, EachDialogOffersItsTypeAndBadFilesAreRefusedWithoutAWindow) {
    TempDir dir;
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
    Editor editor;
    Bystander other(*editor.frame);
    // Each dialog offers its type; cancelled, it opens nothing without a word.
    for (const auto& [command, filter] : kFileCommands) {
        editor.FrameMenu(command);
        EXPECT_EQ(editor.dialogs->opens.back().first, filter);
        EXPECT_EQ(editor.Said(), "") << command;
    }
    for (const auto& [command, name, reason] : commands) {
        SCOPED_TRACE(command + (" " + dir.file(name)));
        editor.FrameMenu(command, dir.file(name));
        EXPECT_EQ(editor.Said(), kBadFile + "\n" + dir.file(name) + reason);
        EXPECT_EQ(editor.frame->app().DocCount, 1);
    }
    // A name too long for the screen is cut in the middle: the start and the end still show.
    const std::string deep = dir.file(std::string(400, 'd') + "/missing.pzf");
    editor.FrameMenu("open", deep);
    const std::string said = editor.Said();
    EXPECT_LT(said.size(), deep.size());
    EXPECT_TRUE(said.starts_with(kBadFile + "\n" + dir.path().string().substr(0, 10))) << said;
    EXPECT_NE(said.find("\u2026"), std::string::npos) << said;
    EXPECT_TRUE(said.ends_with("dd/missing.pzf: File name too long")) << said;
    other.ExpectLeftAlone();
}

// After an import refused or cancelled, the window that was active is again: Ctrl+S saves it.
TEST(FileCommands, TheWindowActiveBeforeARefusedOrCancelledImportIsActiveAfterIt) {
    TempDir dir;
    WriteAll(dir.file("bad.fnt"), {1, 2, 3});
    Editor editor;
    MDIForm1& frame = *editor.frame;
    form1* first = NewFont(frame, {"8", "8"});
    NewFont(frame, {"8", "8"});
    frame.mdiArea()->setActiveSubWindow(WindowOf(frame, *first));
    for (const std::string& answer : {dir.file("bad.fnt"), std::string()}) {
        editor.FrameMenu("ImportFNT", answer);
        EXPECT_EQ(frame.ActiveDocument(), first);
        EXPECT_EQ(frame.mdiArea()->activeSubWindow(), WindowOf(frame, *first));
    }
    editor.WillSave(dir.file("first.pzf"), 1);
    QApplication::setActiveWindow(&frame);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(first->FileName(), Q(dir.file("first.pzf")));
    EXPECT_EQ(editor.Said(), kBadFile + "\n" + dir.file("bad.fnt"));
}

}  // namespace
}  // namespace pixmere::test
