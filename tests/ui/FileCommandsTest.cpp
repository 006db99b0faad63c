// Open, Save and Save As through the frame and the document windows; only the file dialogs and
// the message boxes are answered by the test. Last, how a typed name chooses its type.
#include "UiTestSupport.h"
#include "formats/BdfExport.h"
#include "formats/BinFile.h"
#include "formats/CFile.h"
#include "formats/Exports.h"
#include "formats/FileIO.h"
#include "formats/FontFile.h"
#include "formats/NativeFile.h"
#include "ui/CExportOptions.h"

namespace pixmere::test {
namespace {

// Three 5 x 4 glyphs from code 41h, downstroke 1, magnification 2.
Font SmallFont() {
    return FontFromPictures(Shape(5, 4, 0x41, 3, 1, 2), {{"#....", ".#...", "..#..", "...#."},
                                                         {"#####", ".....", ".....", "#####"},
                                                         {"..#..", "..#..", "..#..", "..#.."}});
}

// Opens path as a native font through the toolbar; the document it went into (throws, failing
// the test, when none).
form1* Open(Editor& editor, const std::string& path) {
    editor.WillOpen(path);
    Tool(*editor.frame, kOpen)->click();
    form1* document = editor.frame->Document(editor.frame->app().LastDoc);
    if (!document || !document->document()) throw std::runtime_error("not opened: " + path);
    return document;
}

TEST(SaveAs, EachTypeWritesTheExportersBytesSaveKeepsWritingItAndOverwritingIsAsked) {
    TempDir dir;
    Editor editor;
    // Width 12: two bytes per row, padding bits in the second.
    form1* doc = NewFont(*editor.frame, {"12", "3", "30", "34"});
    Draw(*doc, 0, 10, 1);

    // A C file's layout and a GFX font's advance are asked after the name; Save keeps them.
    const CLayout firmware{CNumbers::Hexadecimal, COrder::Pages,      CBits::LsbFirst,
                           CDeclaration::Progmem, CComments::Picture, GfxAdvance::Ink};
    const auto choose = [](const CLayout& layout, bool gfx) {
        WhenShown<CExportOptions>([layout, gfx](CExportOptions& options) {
            for (std::size_t n = 0; n < CLayoutOptions().size(); ++n) {
                EXPECT_EQ(options.group(n)->isVisibleTo(&options),
                          CLayoutOptions()[n].gfx() == gfx);
            }
            options.Show(layout);
            options.ok()->click();
        });
    };
    const char* names[] = {"font.pzf", "font.bin", "font.c", "font.txt", "font.bdf", "font.h"};
    for (int type = 1; type <= 6; ++type) {
        SCOPED_TRACE(names[type - 1]);
        const std::string path = dir.file(names[type - 1]);
        // The native file read back, the exports byte for byte; a BDF font is named after its
        // file, C arrays and a GFX font too.
        const auto expectWritten = [&] {
            const std::vector<uint8_t> bytes = ReadAll(path);
            const Font& f = FontOf(*doc);
            EXPECT_EQ(type == 1 ? LoadNative(bytes).build().glyphData() : bytes,
                      type == 1 ? f.glyphData()
                                : FontFileContent(f, FontFileType(type), "font", firmware).bytes);
        };
        if (type == 3 || type == 6) choose(firmware, type == 6);
        editor.WillSave(path, type);
        doc->action("saveas")->trigger();
        expectWritten();
        // Save writes the same type to the same file without a dialog.
        Draw(*doc, type - 1, type, 2);
        Tool(*editor.frame, kSave)->click();
        EXPECT_EQ(editor.dialogs->saves.size(), std::size_t(type));
        expectWritten();
        EXPECT_FALSE(doc->FlagModified());
    }
    // The options open with the last choices; Defaults brings the historical layout back, and
    // Cancel saves nothing.
    WhenShown<CExportOptions>([&](CExportOptions& options) {
        EXPECT_EQ(options.Chosen(), firmware);
        options.defaults()->click();
        EXPECT_TRUE(options.Chosen() == CLayout{});
        options.ok()->click();
    });
    editor.WillSave(dir.file("plain.c"), 3);
    doc->action("saveas")->trigger();
    EXPECT_EQ(ReadAll(dir.file("plain.c")), saveC(FontOf(*doc)));
    WhenShown<CExportOptions>([](CExportOptions& options) { options.reject(); });
    editor.WillSave(dir.file("never.c"), 3);
    doc->action("saveas")->trigger();
    EXPECT_FALSE(std::filesystem::exists(dir.file("never.c")));
    EXPECT_EQ(editor.Said(), "");

    // A native file opens as stored.
    const Font font = SmallFont();
    const std::string path = dir.file("small.pzf");
    WriteAll(path, SaveNative(font).bytes);
    doc = Open(editor, path);
    ASSERT_NO_FATAL_FAILURE(ExpectDocument(doc, font, Q(path)));
    EXPECT_EQ(FileState(*doc), "saved Native " + path + " | " + path);

    // Save As onto an existing file asks first: No leaves the file and the document's name,
    // Yes overwrites it and the document goes by the new name.
    const std::string other = dir.file("other.pzf");
    WriteAll(other, {1, 2, 3});
    Draw(*doc, 2, 0, 0);
    editor.WillSave(other, 1);
    editor.WillSave(other, 1);
    editor.prompts->answers = {QMessageBox::No, QMessageBox::Yes};
    doc->action("saveas")->trigger();
    EXPECT_EQ(ReadAll(other), std::vector<uint8_t>({1, 2, 3}));
    EXPECT_EQ(FileState(*doc), "modified Native " + path + " | " + path);
    doc->action("saveas")->trigger();
    EXPECT_EQ(editor.Said(),
              "Question Velmar Pixmere: File exists, overwrite?\n"
              "Question Velmar Pixmere: File exists, overwrite?");
    EXPECT_EQ(LoadNative(ReadAll(other)).build().glyphData(), FontOf(*doc).glyphData());
    EXPECT_EQ(FileState(*doc), "saved Native " + other + " | " + other);
    EXPECT_EQ(editor.dialogs->saves.back().first,
              "Velmar Font|*.pzf|Bin Velmar|*.bin|C File|*.c|Text File|*.txt|BDF Font|*.bdf|GFX "
              "Font|*.h");
    // The dialogs start where the user last chose a file.
    EXPECT_EQ(editor.dialogs->saves.back().second, Q(dir.path().string()));
}

// Then a save that fails, or finds nothing it may write, says why and leaves the file as it was
// and the document modified under its name.
TEST(NativeFile, CodesBelow20AreDroppedAndAFailedSaveKeepsTheFileTheFlagAndTheName) {
    TempDir dir;
    WriteAll(dir.file("font.pzf"), SaveNative(SmallFont()).bytes);
    const FontParams lowShape = Shape(3, 2, 0x10, 16);  // only codes the printer reserves
    WriteAll(dir.file("low.pzf"), RawNativeFile(MatrixToObject(lowShape, lowShape.blankMatrix())));
    const struct {
        const char* opened;
        const char* savedAs;  // Save when none
        std::string message;
    } saves[] = {
        // A file made read-only after it was opened is not replaced, whoever saves.
        {"font.pzf", nullptr,
         "The file \"" + dir.file("font.pzf") +
             "\" could not be written. The previous file is unchanged."},
        // With no previous file, the message does not speak of one.
        {"font.pzf", "no-folder/font.c",
         "The file \"" + dir.file("no-folder/font.c") + "\" could not be written."},
        {"low.pzf", nullptr,
         "Every character of this font lies under the adress 20h (reserved for printer control "
         "codes): there is nothing to save."},
    };
    Editor editor;
    MDIForm1& frame = *editor.frame;
    // Codes below 20h are reserved for the printer: saving drops them with one message, and the
    // file then shows in a new window as stored, also when saved from the close prompt while
    // its window goes.
    const std::string control = dir.file("control.pzf");
    WriteAll(control, RawNativeFile(PatternFont(Shape(3, 2, 0x1A, 10))));
    form1* old = Open(editor, control);
    Draw(*old, 6, 0, 0);  // code 20h
    const std::vector<uint8_t> all = FontOf(*old).glyphData();
    const std::string saved = dir.file("closed.pzf");
    editor.WillSave(saved, 1);
    editor.prompts->answers = {QMessageBox::Yes};
    frame.CloseDocument(*old);
    Settle();
    EXPECT_TRUE(editor.Said().ends_with(
        "Information Velmar Pixmere: Characters under the adress 20h will be deleted after "
        "saving (this range is reserved for printer control codes).\r\r"));
    const Font stored = LoadNative(ReadAll(saved)).build();
    EXPECT_EQ(stored.glyphData(), std::vector<uint8_t>(all.begin() + 6 * 2, all.end()));
    EXPECT_EQ(frame.Document(1), nullptr);
    ASSERT_NO_FATAL_FAILURE(ExpectDocument(frame.Document(2), stored, Q(saved)));
    EXPECT_FALSE(frame.Document(2)->FlagModified());
    EXPECT_EQ(frame.mdiArea()->subWindowList().size(), 1);
    for (const auto& save : saves) {
        SCOPED_TRACE(save.message);
        const std::string path = dir.file(save.opened);
        const std::vector<uint8_t> before = ReadAll(path);
        form1* doc = Open(editor, path);
        std::filesystem::permissions(path, std::filesystem::perms::owner_read);
        Draw(*doc, 0, 2, 1);
        if (save.savedAs) {
            editor.WillSave(dir.file(save.savedAs), 3);
            WhenShown<CExportOptions>([](CExportOptions& options) { options.ok()->click(); });
        }
        save.savedAs ? doc->action("saveas")->trigger() : Tool(frame, kSave)->click();
        EXPECT_EQ(editor.Said(), "Critical Error: " + save.message);
        EXPECT_EQ(ReadAll(path), before);
        EXPECT_EQ(FileState(*doc), "modified Native " + path + " | " + path);
        Discard(frame, *doc);
    }
    // A failure of the system that the writer does not foresee is told the same way.
    WriteAll(dir.file("other.pzf"), SaveNative(SmallFont()).bytes);
    form1* doc = Open(editor, dir.file("other.pzf"));
    Draw(*doc, 0, 2, 1);
    SetSaveStepHook([](SaveStep) -> bool { throw std::runtime_error("out of memory"); });
    Tool(*editor.frame, kSave)->click();
    SetSaveStepHook({});
    EXPECT_EQ(editor.Said(), "Critical Error: The file \"" + dir.file("other.pzf") +
                                 "\" could not be written. The previous file is unchanged.");
    EXPECT_TRUE(doc->FlagModified());
}

// A typed extension of another offered type saves as that type.
TEST(FileDialogs, ATypedExtensionChoosesItsTypeAndANameWithoutOneGetsTheSelectedTypes) {
    const struct {
        const char* typed;
        int selected;
        const char* path;
        int type;
    } cases[] = {{"/d/font", 1, "/d/font.pzf", 1},     {"/d/font", 3, "/d/font.c", 3},
                 {"/d/font.bin", 1, "/d/font.bin", 2}, {"/d/font.Txt", 5, "/d/font.Txt", 4},
                 {"/d/font.v2", 3, "/d/font.v2", 3},   {"/d/x.bdf/font", 5, "/d/x.bdf/font.bdf", 5},
                 {"/d/.bin", 1, "/d/.bin", 1}};
    for (const auto& c : cases) {
        const SaveChoice choice = ResolveSaveChoice(kSaveAsFilter, c.typed, c.selected);
        EXPECT_EQ(choice.path, c.path) << c.typed;
        EXPECT_EQ(choice.type, c.type) << c.typed;
    }
}

}  // namespace
}  // namespace pixmere::test
