// Open, Save, Save As and the imports through the frame and the document windows; only the
// file dialogs and the message boxes are answered by the test. Last, the real file dialogs.
#include <fcntl.h>
#include <sys/stat.h>

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "UiTestSupport.h"
#include "formats/BdfExport.h"
#include "formats/BdfPcfFile.h"
#include "formats/BinFile.h"
#include "formats/CFile.h"
#include "formats/Exports.h"
#include "formats/FileIO.h"
#include "formats/FntFile.h"
#include "formats/FonLibrary.h"
#include "formats/NativeFile.h"
#include "formats/PsfFile.h"

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
    Tool(*editor.frame, "Command2")->click();
    form1* document = editor.frame->Document(editor.frame->app().LastDoc);
    if (!document || !document->document()) throw std::runtime_error("not opened: " + path);
    return document;
}

TEST(NativeFile, OpenDrawSaveWithoutQuestionThenSaveAsAsksBeforeOverwriting) {
    TempDir dir;
    const Font font = SmallFont();
    const std::string path = dir.file("small.pzf");
    WriteAll(path, SaveNative(font).bytes);
    Editor editor;
    form1* doc = Open(editor, path);
    EXPECT_EQ(editor.dialogs->opens.at(0).filter, "Velmar Font|*.pzf");
    ASSERT_NO_FATAL_FAILURE(ExpectDocument(*editor.frame, doc, font, Q(path)));
    EXPECT_EQ(FileState(*doc), "saved Native " + path + " | " + path);

    // Save writes back to the opened file without a dialog or a question.
    Draw(*doc, 1, 2, 1);
    Tool(*editor.frame, "Command3")->click();
    EXPECT_TRUE(editor.dialogs->saves.empty());
    EXPECT_EQ(editor.Said(), "");
    EXPECT_FALSE(doc->FlagModified());
    const Font saved = LoadNative(ReadAll(path)).build();
    EXPECT_EQ(Picture(saved, 1), Joined({"#####", "..#..", ".....", "#####"}));

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
    EXPECT_EQ(doc->Title(), Q(other));
    EXPECT_EQ(editor.dialogs->saves.at(0).filter,
              "Velmar Font|*.pzf|Bin Velmar|*.bin|C File|*.c|Text File|*.txt|BDF Font|*.bdf");
    // The dialogs start where the user last chose a file.
    EXPECT_EQ(editor.dialogs->saves.at(0).startDir, Q(dir.path().string()));
}

TEST(SaveAs, EachTypeWritesTheExportersBytesAndSaveKeepsWritingIt) {
    TempDir dir;
    Editor editor;
    // Width 12: two bytes per row, padding bits in the second.
    form1* doc = NewFont(*editor.frame, "12", "3", "30", "34");
    // A new font has no file: Save asks for one, and cancelling it changes nothing.
    Draw(*doc, 0, 10, 1);
    Tool(*editor.frame, "Command3")->click();
    EXPECT_EQ(editor.dialogs->saves.size(), 1u);
    EXPECT_EQ(FileState(*doc), "modified None  | ");

    const char* names[] = {"font.pzf", "font.bin", "font.c", "font.txt", "font.bdf"};
    for (int type = 1; type <= 5; ++type) {
        SCOPED_TRACE(names[type - 1]);
        const std::string path = dir.file(names[type - 1]);
        // The native file read back, the exports byte for byte.
        const auto written = [&] {
            const std::vector<uint8_t> bytes = ReadAll(path);
            return type == 1 ? LoadNative(bytes).build().glyphData() : bytes;
        };
        const auto exported = [&] {
            const Font& f = FontOf(*doc);
            // A BDF font takes its name from the file's.
            return std::vector{f.glyphData(), saveBin(f), saveC(f), saveTXT(f), saveBDF(f, "font")}
                .at(type - 1);
        };
        editor.WillSave(path, type);
        doc->action("saveas")->trigger();
        EXPECT_EQ(written(), exported());
        EXPECT_EQ(doc->saveFormat(), SaveAsFileType(type));
        EXPECT_EQ(doc->FileName(), Q(path));
        // Save writes the same type to the same file without a dialog.
        Draw(*doc, type - 1, type, 2);
        Tool(*editor.frame, "Command3")->click();
        EXPECT_EQ(editor.dialogs->saves.size(), 1u + type);
        EXPECT_EQ(written(), exported());
        EXPECT_FALSE(doc->FlagModified());
    }
    EXPECT_EQ(editor.Said(), "");
    EXPECT_EQ(Picture(LoadNative(ReadAll(dir.file("font.pzf"))).build(), 0),
              Joined({"............", "..........#.", ".#.........."}));
}

// A native file holding codes 1Ah to 23h, as the editor never writes one.
std::vector<uint8_t> ControlCodesFile() {
    return RawNativeFile(PatternFont(Shape(3, 2, 0x1A, 10)));
}

TEST(NativeFile, CodesBelow20AreDroppedWithOneMessageAndTheFileReopensInANewWindow) {
    TempDir dir;
    const std::string path = dir.file("control.pzf");
    WriteAll(path, ControlCodesFile());
    Editor editor;
    MDIForm1& frame = *editor.frame;
    form1* old = Open(editor, path);
    EXPECT_EQ(old->params().firstcar, 0x1A);
    Draw(*old, 6, 0, 0);  // code 20h
    const std::vector<uint8_t> all = FontOf(*old).glyphData();

    Push(Tool(frame, "Command3"));
    EXPECT_EQ(editor.Said(),
              "Information Velmar Pixmere: Characters under the adress 20h will be deleted after "
              "saving (this range is reserved for printer control codes).\r\r");
    // The old window is gone; a new one shows the file as stored (from 20h), and saving it
    // asks nothing.
    const Font stored = LoadNative(ReadAll(path)).build();
    EXPECT_EQ(stored.glyphData(), std::vector<uint8_t>(all.begin() + 6 * 2, all.end()));
    EXPECT_EQ(frame.Document(1), nullptr);
    form1* reopened = frame.Document(2);
    ASSERT_NO_FATAL_FAILURE(ExpectDocument(frame, reopened, stored, Q(path)));
    EXPECT_EQ(reopened->params().firstcar, 0x20);
    EXPECT_EQ(FileState(*reopened), "saved Native " + path + " | " + path);
    EXPECT_EQ(frame.app().ActiveDoc, 2);
    EXPECT_EQ(frame.mdiArea()->subWindowList().size(), 1);
    Tool(frame, "Command3")->click();
    EXPECT_EQ(editor.Said(), "");
}

TEST(NativeFile, SavedThroughTheClosePromptAFontWithControlCodesReopensWhileItsWindowGoes) {
    TempDir dir;
    const std::string path = dir.file("control.pzf");
    WriteAll(path, ControlCodesFile());
    Editor editor;
    MDIForm1& frame = *editor.frame;
    form1* closing = Open(editor, path);
    Draw(*closing, 9, 1, 0);
    editor.WillSave(dir.file("closed.pzf"), 1);
    editor.prompts->answers = {QMessageBox::Yes};
    frame.CloseDocument(*closing);
    Settle();
    EXPECT_EQ(frame.Document(1), nullptr);
    EXPECT_EQ(frame.app().DocCount, 1);
    ASSERT_NE(frame.Document(2), nullptr);
    EXPECT_EQ(frame.Document(2)->FileName(), Q(dir.file("closed.pzf")));
    EXPECT_EQ(frame.Document(2)->params().firstcar, 0x20);
}

TEST(NativeFile, AFontWhollyBelow20IsNotSaved) {
    TempDir dir;
    const std::string low = dir.file("low.pzf");
    const FontParams lowShape = Shape(3, 2, 0x10, 16);
    const auto lowBytes = RawNativeFile(MatrixToObject(lowShape, lowShape.blankMatrix()));
    WriteAll(low, lowBytes);
    Editor editor;
    form1* doc = Open(editor, low);
    Draw(*doc, 3, 2, 1);
    Tool(*editor.frame, "Command3")->click();
    EXPECT_EQ(editor.Said(), std::string("Critical Error: ") + kNothingToSaveMessage);
    EXPECT_EQ(ReadAll(low), lowBytes);
    EXPECT_EQ(editor.frame->Document(1), doc);
    EXPECT_TRUE(doc->FlagModified());
}

TEST(FailedSave, KeepsThePreviousFileTheModifiedFlagAndTheDocumentsName) {
    TempDir dir;
    // A file made read-only after it was opened is not replaced, whoever saves.
    const std::string path = dir.file("font.pzf");
    const std::vector<uint8_t> original = SaveNative(SmallFont()).bytes;
    WriteAll(path, original);
    Editor editor;
    form1* doc = Open(editor, path);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    Draw(*doc, 0, 4, 0);
    Tool(*editor.frame, "Command3")->click();
    EXPECT_EQ(editor.Said(), "Critical Error: " + WriteFailureMessage(path));
    EXPECT_EQ(ReadAll(path), original);
    EXPECT_TRUE(doc->FlagModified());

    // A failed export keeps the document's name and format as they were; with no previous
    // file, the message does not speak of one.
    const std::string exported = dir.file("no-folder/font.c");
    editor.WillSave(exported, 3);
    doc->action("saveas")->trigger();
    EXPECT_EQ(editor.Said(), "Critical Error: " + WriteFailureMessage(exported));
    EXPECT_EQ(FileState(*doc), "modified Native " + path + " | " + path);
}

// Sets a file's access time back to 1970, so that the next read moves it on, also where access
// times are updated lazily.
void MarkUnread(const std::string& path) {
    const timespec times[2] = {{1, 0}, {0, UTIME_OMIT}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

bool WasRead(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && status.st_atim.tv_sec != 1;
}

TEST(FailedCommands, CloseTheirFreshWindowAndLeaveTheOtherDocumentAlone) {
    TempDir dir;
    Editor editor;
    MDIForm1& frame = *editor.frame;
    form1* other = NewFont(frame, "8", "8");
    Draw(*other, 1, 3, 3);
    const std::vector<uint8_t> before = FontOf(*other).glyphData();

    // Cancelled file dialogs close the window without a word; damaged, cut or missing files, a
    // library that is no library and files larger than their type can be are refused with the
    // message.
    const std::vector<uint8_t> good = SaveNative(SmallFont()).bytes;
    WriteAll(dir.file("short.pzf"), {good.begin(), good.end() - 1});
    WriteAll(dir.file("plain.fon"), {'M', 'Z', 0, 0});
    const std::vector<uint8_t> gzipNoise = {0x1F, 0x8B, 8, 0, 1, 2, 3};
    WriteAll(dir.file("noise.pcf.gz"), gzipNoise);
    WriteAll(dir.file("noise.psf"), gzipNoise);
    const std::string bdf = "STARTFONT 2.1\nFONT x\nSIZE 8 75 75\nFONTBOUNDINGBOX 9 9 -1 -3\n";
    WriteAll(dir.file("cut.bdf"), {bdf.begin(), bdf.end()});
    const std::vector<uint8_t> psf = ReadAll("/usr/share/consolefonts/Lat15-Fixed16.psf.gz");
    WriteAll(dir.file("cut.psf.gz"), {psf.begin(), psf.begin() + psf.size() / 2});
    std::vector<uint8_t> shortBin = saveBin(PatternFont(Shape(8, 2, 0x20, 3)));
    WriteAll(dir.file("short.bin"), {shortBin.begin(), shortBin.end() - 1});
    // Mostly holes: never read.
    const std::pair<const char*, uint64_t> huge[] = {{"huge.pcf", kBdfPcfLargestFile + 1},
                                                     {"huge.psf.gz", kPsfLargestFile + 1},
                                                     {"huge.bin", kBinLargestFile + 1}};
    for (const auto& [name, size] : huge) {
        WriteAll(dir.file(name), gzipNoise);
        std::filesystem::resize_file(dir.file(name), size);
    }
    const std::pair<const char*, std::string> commands[] = {
        {"open", ""},
        {"ImportFNT", ""},
        {"ImportFON", ""},
        {"ImportC", ""},
        {"ImportBDF", ""},
        {"ImportPSF", ""},
        {"ImportBIN", ""},
        {"open", dir.file("short.pzf")},
        {"open", dir.file("missing.pzf")},
        {"ImportFON", dir.file("plain.fon")},
        {"ImportBIN", dir.file("short.bin")},
        {"ImportBDF", dir.file("noise.pcf.gz")},
        {"ImportBDF", dir.file("cut.bdf")},
        {"ImportBDF", dir.file("missing.pcf")},
        {"ImportPSF", dir.file("noise.psf")},
        {"ImportPSF", dir.file("cut.psf.gz")},
        {"ImportBDF", dir.file("huge.pcf")},
        {"ImportPSF", dir.file("huge.psf.gz")},
        {"ImportBIN", dir.file("huge.bin")},
    };
    std::map<std::string, bool> read;
    for (const auto& [command, path] : commands) {
        SCOPED_TRACE(command + (" " + path));
        if (!path.empty()) editor.WillOpen(path);
        if (std::filesystem::exists(path)) MarkUnread(path);
        editor.FrameMenu(command);
        EXPECT_EQ(editor.Said(), path.empty() ? "" : kBadFile);
        EXPECT_EQ(frame.app().DocCount, 1);
        EXPECT_FALSE(frame.app().CommandBusy());
        read[std::filesystem::path(path).filename()] = WasRead(path);
    }
    EXPECT_EQ(editor.dialogs->opens.size(), std::size(commands));
    EXPECT_EQ(FontOf(*other).glyphData(), before);
    EXPECT_TRUE(Shown(frame, *other));
    // A file larger than its type can be is refused before it is read. The access times tell,
    // unless the file system keeps none: then the file read first shows it.
    if (!read["short.pzf"]) GTEST_SKIP() << "no access times here: unread files not checked";
    EXPECT_TRUE(read["short.bin"]);
    for (const auto& [name, size] : huge) EXPECT_FALSE(read[name]) << name;
}

TEST(FntImport, RealFontExtractedFromALibraryAndAVectorFont) {
    TempDir dir;
    const std::vector<uint8_t> sans = RealFnt("sserife.fon", 1);
    const std::string path = dir.file("sans.fnt");
    WriteAll(path, sans);
    const Font expected = FntBegin(sans).build();
    Editor editor;
    editor.WillOpen(path);
    editor.FrameMenu("ImportFNT");
    EXPECT_EQ(editor.dialogs->opens.at(0).filter, "FNT Font|*.fnt");
    form1* doc = editor.frame->Document(1);
    ASSERT_NO_FATAL_FAILURE(ExpectDocument(*editor.frame, doc, expected, Q(path)));
    // Modified, without a file: Save asks for one.
    EXPECT_EQ(FileState(*doc), "modified None  | " + path);
    Tool(*editor.frame, "Command3")->click();
    EXPECT_EQ(editor.dialogs->saves.size(), 1u);

    // A vector font (dfType 1) is refused and leaves no window; the first font stays.
    std::vector<uint8_t> vector = sans;
    vector[66] = 1;
    WriteAll(dir.file("vector.fnt"), vector);
    editor.WillOpen(dir.file("vector.fnt"));
    doc->action("ImportFNT")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(editor.Said(), kBadFile);
    EXPECT_EQ(editor.frame->app().DocCount, 1);
    EXPECT_EQ(FontOf(*doc).glyphData(), expected.glyphData());
}

TEST(FonImport, ChoosingTheSecondFontOfALibraryAndCancellingTheSelection) {
    const std::string path = "/usr/share/wine/fonts/sserife.fon";
    const std::vector<uint8_t> bytes = ReadAll(path);
    const std::string description = ReadFontDirectory(bytes).description;
    Editor editor;
    MDIForm1& frame = *editor.frame;
    editor.WillOpen(path);
    editor.FrameMenu("ImportFON");
    EXPECT_EQ(editor.dialogs->opens.at(0).filter, "FON Font|*.fon");
    Form4* selection = editor.dialogs->fontSelection;
    ASSERT_NE(selection, nullptr);
    EXPECT_TRUE(selection->isVisible());
    EXPECT_EQ(selection->title()->text(), Q(description));
    ASSERT_EQ(selection->ListFnt()->count(), 3);
    EXPECT_EQ(selection->ListFnt()->item(1)->text(),
              QString::fromUtf8("MS Sans Serif n\u00B081 (Height: 16 pixels)"));
    // The window waits, hidden and empty.
    form1* doc = frame.Document(1);
    ASSERT_NE(doc, nullptr);
    EXPECT_FALSE(Shown(frame, *doc));

    selection->ListFnt()->setCurrentRow(1);
    Push(selection->OkChooseFON());
    EXPECT_TRUE(editor.dialogs->fontSelection.isNull());
    const Font expected = LoadFonFont(bytes, 1).build();
    ASSERT_NO_FATAL_FAILURE(ExpectDocument(frame, doc, expected, Q(path)));
    EXPECT_EQ(FileState(*doc), "modified None  | " + description + "     MS Sans Serif");
    EXPECT_FALSE(frame.app().CommandBusy());

    // Cancel, and closing the selection from its window frame, close the waiting window only;
    // the waiting window closed by other means takes the selection with it.
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        editor.WillOpen(path);
        doc->action("ImportFON")->trigger();
        selection = editor.dialogs->fontSelection;
        ASSERT_NE(selection, nullptr);
        EXPECT_EQ(frame.app().DocCount, 2);
        if (way == 0) selection->Cancel()->click();
        if (way == 1) selection->close();
        if (way == 2) frame.CloseDocument(*frame.Document(2));
        Settle();
        EXPECT_TRUE(editor.dialogs->fontSelection.isNull());
        EXPECT_EQ(frame.app().DocCount, 1);
        EXPECT_FALSE(frame.app().CommandBusy());
    }
    EXPECT_EQ(FontOf(*doc).glyphData(), expected.glyphData());
    EXPECT_EQ(editor.Said(), "");
}

// The parameters dialog's fields, as "W x H down J magnif M codes FIRST-LAST", with "(locked)"
// after the range when it cannot be changed.
std::string DialogFields(Form3& dialog) {
    const bool locked = dialog.charmin1()->isReadOnly() && dialog.charmax1()->isReadOnly();
    return (dialog.width1()->text() + " x " + dialog.height1()->text() + " down " +
            dialog.Jambage()->currentText() + " magnif " + dialog.Magnificatio()->currentText() +
            " codes " + dialog.charmin1()->text() + "-" + dialog.charmax1()->text() +
            (locked ? " (locked)" : ""))
        .toStdString();
}

TEST(CImport, ATableWithItsParameterLinesFillsTheDialogAndComesBackWithItsOwnRange) {
    TempDir dir;
    Editor editor;
    MDIForm1& frame = *editor.frame;
    // From 30h, two bytes a row; and one holding control codes, whose range the dialog would
    // never take typed. The size stays open to change: the second one's magnification is.
    const struct {
        FontParams shape;
        const char* fields;
        const char* magnification;  // typed over the file's, when given
    } tables[] = {
        {Shape(12, 5, 0x30, 80, 2, 3), "12 x 5 down 2 magnif 3 codes 30-7F (locked)", nullptr},
        {Shape(8, 4, 0x1A, 10, 1, 1), "8 x 4 down 1 magnif 1 codes 1A-23 (locked)", "4"},
    };
    for (const auto& table : tables) {
        SCOPED_TRACE(table.fields);
        const Font font = PatternFont(table.shape);
        const std::string path = dir.file("table.c");
        WriteAll(path, saveC(font));
        editor.WillOpen(path);
        editor.FrameMenu("ImportC");
        Form3* dialog = frame.propertyDialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(DialogFields(*dialog), table.fields);
        EXPECT_FALSE(dialog->width1()->isReadOnly());
        if (table.magnification) dialog->Magnificatio()->setEditText(table.magnification);
        const uint8_t slot = frame.app().LastDoc;
        Push(dialog->Ok());
        EXPECT_EQ(editor.Said(), "");
        Font expected = font;
        if (table.magnification) expected.params.Magnification = 4;
        ASSERT_NO_FATAL_FAILURE(ExpectDocument(frame, frame.Document(slot), expected, Q(path)));
        EXPECT_EQ(FileState(*frame.Document(slot)), "modified None  | " + path);
    }
}

TEST(CImport, ATableWithoutItsLinesAsksForTheSizeOverCodes20ToFFAndABrokenOneIsRefused) {
    TempDir dir;
    // A full 20h..FFh font 10 pixels wide, every byte different from its neighbours, its table
    // without the parameter lines.
    const Font font = PatternFont(Shape(10, 3, 0x20, 224));
    std::string text = AsText(saveC(font));
    text.erase(0, text.find('\n', text.find("// Magnification:")) + 1);
    const std::string path = dir.file("table.c");
    WriteAll(path, std::vector<uint8_t>(text.begin(), text.end()));
    // With its last literal gone, a table is no longer a whole number of glyphs; with its lines,
    // that table no longer matches them either.
    const std::string corrupted = dir.file("corrupted.c");
    std::string broken = AsText(saveC(font));
    broken.erase(broken.rfind("0b"));
    WriteAll(corrupted, std::vector<uint8_t>(broken.begin(), broken.end()));
    Editor editor;
    MDIForm1& frame = *editor.frame;

    editor.WillOpen(path);
    editor.FrameMenu("ImportC");
    EXPECT_EQ(editor.dialogs->opens.at(0).filter, "C File|*.c");
    ASSERT_NE(frame.propertyDialog(), nullptr);
    EXPECT_EQ(DialogFields(*frame.propertyDialog()), " x  down  magnif 1 codes 20-FF (locked)");
    form1* doc = FillPropertyDialog(frame, "10", "3", "", "", "2", "1");
    ASSERT_TRUE(doc && doc->document());
    EXPECT_TRUE(Shown(frame, *doc));
    EXPECT_EQ(Describe(doc->params()), "10x3 down 1 magnif 2 codes 32-255");
    EXPECT_EQ(FontOf(*doc).glyphData(), font.glyphData());
    EXPECT_EQ(FileState(*doc), "modified None  | " + path);

    editor.WillOpen(corrupted);
    editor.FrameMenu("ImportC");
    EXPECT_EQ(frame.app().DocCount, 2);
    ASSERT_NE(frame.propertyDialog(), nullptr);
    EXPECT_EQ(DialogFields(*frame.propertyDialog()), " x  down  magnif 1 codes 20-FF (locked)");
    FillPropertyDialog(frame, "10", "3", "", "", "2", "1");
    EXPECT_EQ(editor.Said(), std::string("Critical Error: ") + kBadCFileMessage);
    EXPECT_EQ(frame.app().DocCount, 1);
    // Cancel in the parameters dialog closes the waiting window too; a file that cannot be read
    // is refused before the dialog.
    editor.WillOpen(path);
    editor.FrameMenu("ImportC");
    ASSERT_NE(frame.propertyDialog(), nullptr);
    Push(frame.propertyDialog()->Cancel());
    EXPECT_EQ(frame.app().DocCount, 1);
    editor.WillOpen(dir.file("missing.c"));
    editor.FrameMenu("ImportC");
    EXPECT_EQ(frame.propertyDialog(), nullptr);
    EXPECT_EQ(editor.Said(), kBadFile);
    EXPECT_EQ(frame.app().DocCount, 1);
    EXPECT_FALSE(frame.app().CommandBusy());
}

// Answers the next real file dialog: a type (when given) and a file name, or a cancel when the
// name is empty. Keeps the filters shown; a save dialog that would ask about overwriting by
// itself is cancelled, as its question would wait for a person.
struct DialogUser {
    QStringList nameFilters;
    void Will(const QString& type, const QString& name) {
        QTimer::singleShot(0, [this, type, name] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog) return ADD_FAILURE() << "no file dialog";
            nameFilters = dialog->nameFilters();
            const bool asks = dialog->acceptMode() == QFileDialog::AcceptSave &&
                              !dialog->testOption(QFileDialog::DontConfirmOverwrite);
            if (asks) ADD_FAILURE() << "the save dialog asks before overwriting";
            if (name.isEmpty() || asks) return dialog->reject();
            if (!type.isEmpty()) dialog->selectNameFilter(type);
            dialog->selectFile(name);
            QMetaObject::invokeMethod(dialog, "accept");
        });
    }
};

TEST(FileDialogs, ShowTheFiltersGiveTheTypeAndItsExtensionAndNeverAskThemselves) {
    TempDir dir;
    WriteAll(dir.file("old.bin"), {1});
    WriteAll(dir.file("a.pzf"), {1});
    const QString start = Q(dir.path().string());
    const QString saveFilter = QString::fromLatin1(kSaveAsFilter);
    FileDialogs dialogs;
    DialogUser user;
    user.Will("C File (*.c)", "table");
    SaveChoice choice = dialogs.SaveFileName(nullptr, saveFilter, start);
    EXPECT_EQ(user.nameFilters,
              QStringList({"Velmar Font (*.pzf)", "Bin Velmar (*.bin)", "C File (*.c)",
                           "Text File (*.txt)", "BDF Font (*.bdf)"}));
    EXPECT_EQ(choice.type, 3);
    EXPECT_EQ(choice.path, Q(dir.file("table.c")));
    user.Will("BDF Font (*.bdf)", "label");
    choice = dialogs.SaveFileName(nullptr, saveFilter, start);
    EXPECT_EQ(choice.type, 5);
    EXPECT_EQ(choice.path, Q(dir.file("label.bdf")));
    // An existing file is returned without a question of the dialog's own: the editor asks.
    user.Will("Bin Velmar (*.bin)", "old.bin");
    choice = dialogs.SaveFileName(nullptr, saveFilter, start);
    EXPECT_EQ(choice.type, 2);
    EXPECT_EQ(choice.path, Q(dir.file("old.bin")));
    user.Will("", "a.pzf");
    EXPECT_EQ(dialogs.OpenFileName(nullptr, QString::fromLatin1(kNativeFilter), start),
              Q(dir.file("a.pzf")));
    EXPECT_EQ(user.nameFilters, QStringList({"Velmar Font (*.pzf)"}));
    // One entry may hold several patterns.
    WriteAll(dir.file("b.pcf.gz"), {1});
    user.Will("", "b.pcf.gz");
    EXPECT_EQ(dialogs.OpenFileName(nullptr, QString::fromLatin1(kBdfPcfFilter), start),
              Q(dir.file("b.pcf.gz")));
    EXPECT_EQ(user.nameFilters, QStringList({"BDF / PCF Font (*.bdf *.pcf *.pcf.gz)"}));
    user.Will("", "");
    EXPECT_TRUE(dialogs.SaveFileName(nullptr, saveFilter, start).path.isEmpty());
}

}  // namespace
}  // namespace pixmere::test
