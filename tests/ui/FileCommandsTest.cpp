#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "FileTestSupport.h"
#include "UiTestSupport.h"
#include "formats/CFile.h"
#include "formats/Exports.h"
#include "formats/FileIO.h"
#include "formats/FntFile.h"
#include "formats/FonLibrary.h"
#include "formats/NativeFile.h"
#include "model/UserError.h"
#include "support/GlyphPicture.h"
#include "support/TempDir.h"
#include "ui/EditCanvas.h"
#include "ui/FontCanvas.h"
#include "ui/Form3.h"
#include "ui/Form4.h"
#include "ui/form1.h"

namespace pixmere {
namespace {

using test::Click;
using test::FileEditor;
using test::Joined;

const std::string kWine = "/usr/share/wine/fonts/";

QString Q(const std::string& text) { return QString::fromStdString(text); }

QString TitleFon(form1& document) { return document.findChild<QLabel*>("TitleFon")->text(); }

bool Shown(MDIForm1& frame, form1& document) {
    for (QMdiSubWindow* window : frame.mdiArea()->subWindowList()) {
        if (window->widget() == &document) return window->isVisible();
    }
    return false;
}

std::vector<std::string> Picture(const Font& font, int index) {
    return test::GlyphPicture(font.glyphs[static_cast<std::size_t>(index)],
                              font.params.FormatLengthCar);
}

// Lets closed windows and dialogs go, as the event loop would; a window that goes may close a
// dialog in turn.
void Settle() {
    for (int round = 0; round < 2; ++round) {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

const Font& FontOf(form1& document) { return document.document()->font(); }

// The parameters a font file gives, as one readable line.
std::string Shape(const FontParams& p) {
    return std::to_string(p.FormatLengthCar) + "x" + std::to_string(p.FormatHeightCar) + " down " +
           std::to_string(p.jambon) + " magnif " + std::to_string(p.Magnification) + " from " +
           std::to_string(p.firstcar) + " count " + std::to_string(p.NbCar);
}

// The document holds exactly the expected font.
void ExpectFont(form1& document, const Font& expected) {
    ASSERT_NE(document.document(), nullptr);
    EXPECT_EQ(Shape(document.params()), Shape(expected.params));
    EXPECT_EQ(FontOf(document).glyphData(), expected.glyphData());
}

// Picks character index in the font window and sets pixel (x, y) in the edit window.
void Draw(form1& document, int index, int x, int y) {
    Click(document.fontSupport(), test::CellCentre(document, index));
    Click(document.zoomPic(), test::PixelCentre(document, x, y));
}

// Three 5 x 4 glyphs from code 41h, downstroke 1, magnification 2.
Font SmallFont() {
    FontParams p;
    p.FormatLengthCar = 5;
    p.FormatHeightCar = 4;
    p.jambon = 1;
    p.Magnification = 2;
    p.firstcar = 0x41;
    return test::FontFromPictures(p, {{"#....", ".#...", "..#..", "...#."},
                                      {"#####", ".....", ".....", "#####"},
                                      {"..#..", "..#..", "..#..", "..#.."}});
}

// 3 x 2 glyphs whose pixels spell their index in binary, from a given code.
Font NumberedFont(uint8_t first, int count) {
    FontParams p;
    p.FormatLengthCar = 3;
    p.FormatHeightCar = 2;
    p.firstcar = first;
    std::vector<std::vector<std::string>> glyphs;
    for (int i = 0; i < count; ++i) {
        std::string bits;
        for (int b = 5; b >= 0; --b) bits += (i >> b & 1) ? '#' : '.';
        glyphs.push_back({bits.substr(0, 3), bits.substr(3)});
    }
    return test::FontFromPictures(p, glyphs);
}

// ---------------------------------------------------------------- native file

TEST(NativeFile, OpenDrawSaveWithoutQuestionThenSaveAsAsksBeforeOverwriting) {
    test::TempDir dir;
    const Font font = SmallFont();
    const std::string path = dir.file("small.pzf");
    test::WriteAll(path, SaveNative(font).bytes);
    FileEditor editor;
    MDIForm1& frame = *editor.frame;

    editor.WillOpen(path);
    frame.command(2)->click();
    ASSERT_EQ(editor.dialogs->opens.size(), 1u);
    EXPECT_EQ(editor.dialogs->opens[0].filter, "Velmar Font|*.pzf");
    EXPECT_EQ(editor.dialogs->opens[0].startDir, QDir::currentPath());
    form1* doc = frame.Document(1);
    ASSERT_TRUE(doc && doc->document());
    EXPECT_TRUE(Shown(frame, *doc));
    ExpectFont(*doc, font);
    EXPECT_FALSE(doc->FlagModified());
    EXPECT_EQ(TitleFon(*doc), Q(path));
    EXPECT_EQ(doc->windowTitle(), Q(path));
    EXPECT_EQ(doc->saveFormat, SaveFormat::Native);

    // Save writes back to the opened file without a dialog or a question.
    Draw(*doc, 1, 2, 1);
    EXPECT_TRUE(doc->FlagModified());
    frame.command(3)->click();
    EXPECT_TRUE(editor.dialogs->saves.empty());
    EXPECT_TRUE(editor.prompts->asked.empty());
    EXPECT_FALSE(doc->FlagModified());
    const Font saved = LoadNative(test::ReadAll(path)).build();
    EXPECT_EQ(Joined(Picture(saved, 1)), Joined({"#####", "..#..", ".....", "#####"}));
    EXPECT_EQ(saved.params.Magnification, 2);
    EXPECT_EQ(saved.params.jambon, 1);

    // Save As onto an existing file asks first; No leaves the file, the name and the format.
    const std::string other = dir.file("other.pzf");
    test::WriteAll(other, {1, 2, 3});
    Draw(*doc, 2, 0, 0);
    editor.WillSave(other, 1);
    editor.prompts->answers.push_back(QMessageBox::No);
    doc->action("saveas")->trigger();
    ASSERT_EQ(editor.dialogs->saves.size(), 1u);
    EXPECT_EQ(editor.dialogs->saves[0].filter,
              "Velmar Font|*.pzf|Bin Velmar|*.bin|C File|*.c|Text File|*.txt");
    // The dialogs start where the user last chose a file.
    EXPECT_EQ(editor.dialogs->saves[0].startDir, Q(dir.path().string()));
    ASSERT_EQ(editor.prompts->asked.size(), 1u);
    EXPECT_EQ(editor.prompts->asked[0].text, "File exists, overwrite?");
    EXPECT_EQ(editor.prompts->asked[0].icon, QMessageBox::Question);
    EXPECT_EQ(editor.prompts->asked[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(test::ReadAll(other), std::vector<uint8_t>({1, 2, 3}));
    EXPECT_EQ(doc->FileName, Q(path));
    EXPECT_TRUE(doc->FlagModified());

    // Yes overwrites it, and the document now goes by that name.
    editor.WillSave(other, 1);
    editor.prompts->answers.push_back(QMessageBox::Yes);
    doc->action("saveas")->trigger();
    EXPECT_EQ(editor.prompts->asked.size(), 2u);
    EXPECT_EQ(LoadNative(test::ReadAll(other)).build().glyphData(), FontOf(*doc).glyphData());
    EXPECT_EQ(doc->FileName, Q(other));
    EXPECT_EQ(TitleFon(*doc), Q(other));
    EXPECT_EQ(doc->windowTitle(), Q(other));
    EXPECT_FALSE(doc->FlagModified());
    // The first file kept the earlier save.
    EXPECT_EQ(LoadNative(test::ReadAll(path)).build().glyphData(), saved.glyphData());
}

TEST(SaveAs, EachTypeWritesTheExportersBytesAndSaveKeepsWritingIt) {
    test::TempDir dir;
    FileEditor editor;
    MDIForm1& frame = *editor.frame;
    // Width 12: two bytes per row, padding bits in the second.
    form1* doc = test::NewFontThroughDialog(frame, "12", "3", "30", "33");
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->saveFormat, SaveFormat::None);

    // A new font has no file: Save asks for one, and cancelling it changes nothing.
    Draw(*doc, 0, 10, 1);
    frame.command(3)->click();
    EXPECT_EQ(editor.dialogs->saves.size(), 1u);
    EXPECT_TRUE(editor.prompts->asked.empty());
    EXPECT_TRUE(doc->FlagModified());
    EXPECT_TRUE(doc->FileName.isEmpty());
    EXPECT_EQ(doc->saveFormat, SaveFormat::None);

    const char* names[] = {"font.pzf", "font.bin", "font.c", "font.txt"};
    for (int type = 1; type <= 4; ++type) {
        SCOPED_TRACE(names[type - 1]);
        const std::string path = dir.file(names[type - 1]);
        auto expected = [&] {
            const Font& font = FontOf(*doc);
            switch (type) {
                case 2:
                    return saveBin(font);
                case 3:
                    return saveC(font);
                case 4:
                    return saveTXT(font);
            }
            return font.glyphData();
        };
        auto written = [&] {
            const std::vector<uint8_t> bytes = test::ReadAll(path);
            return type == 1 ? LoadNative(bytes).build().glyphData() : bytes;
        };
        editor.WillSave(path, type);
        doc->action("saveas")->trigger();
        EXPECT_EQ(written(), expected());
        EXPECT_EQ(doc->saveFormat, static_cast<SaveFormat>(type));
        EXPECT_EQ(doc->FileName, Q(path));
        EXPECT_FALSE(doc->FlagModified());

        // Save writes the same type to the same file without a dialog.
        const std::size_t dialogs = editor.dialogs->saves.size();
        Draw(*doc, type - 1, type, 2);
        frame.command(3)->click();
        EXPECT_EQ(editor.dialogs->saves.size(), dialogs);
        EXPECT_EQ(written(), expected());
        EXPECT_FALSE(doc->FlagModified());
    }
    EXPECT_TRUE(editor.prompts->asked.empty());
    EXPECT_EQ(Joined(Picture(LoadNative(test::ReadAll(dir.file("font.pzf"))).build(), 0)),
              Joined({"............", "..........#.", ".#.........."}));
}

TEST(NativeFile, FontBelow20IsSavedFrom20AndReopenedInANewWindow) {
    test::TempDir dir;
    const Font font = NumberedFont(0x1A, 10);
    const std::string path = dir.file("control.pzf");
    test::WriteAll(path, test::RawNativeFile(font));
    FileEditor editor;
    MDIForm1& frame = *editor.frame;
    editor.WillOpen(path);
    frame.command(2)->click();
    form1* old = frame.Document(1);
    ASSERT_TRUE(old && old->document());
    EXPECT_EQ(old->params().firstcar, 0x1A);
    EXPECT_EQ(old->params().NbCar, 10);

    Draw(*old, 6, 0, 0);  // code 20h
    frame.command(3)->click();
    QApplication::processEvents();
    ASSERT_EQ(editor.prompts->asked.size(), 1u);
    EXPECT_EQ(editor.prompts->asked[0].icon, QMessageBox::Information);
    EXPECT_EQ(editor.prompts->asked[0].text,
              "Characters under the adress 20h will be deleted after saving (this range is "
              "reserved for printer control codes).\r\r");

    // The file holds 20h to 23h.
    const Font stored = LoadNative(test::ReadAll(path)).build();
    EXPECT_EQ(stored.params.firstcar, 0x20);
    EXPECT_EQ(stored.params.NbCar, 4);
    EXPECT_EQ(Joined(Picture(stored, 0)), Joined({"#..", "##."}));
    EXPECT_EQ(Joined(Picture(stored, 3)), Joined({"..#", "..#"}));

    // The old window is gone; a new one shows the file as stored.
    EXPECT_EQ(frame.app().DocCount, 1);
    EXPECT_EQ(frame.Document(1), nullptr);
    form1* reopened = frame.Document(2);
    ASSERT_TRUE(reopened && reopened->document());
    EXPECT_TRUE(Shown(frame, *reopened));
    ExpectFont(*reopened, stored);
    EXPECT_EQ(reopened->FileName, Q(path));
    EXPECT_EQ(TitleFon(*reopened), Q(path));
    EXPECT_EQ(reopened->windowTitle(), Q(path));
    EXPECT_EQ(reopened->saveFormat, SaveFormat::Native);
    EXPECT_FALSE(reopened->FlagModified());
    EXPECT_EQ(frame.app().ActiveDoc, 2);
    EXPECT_EQ(editor.frame->mdiArea()->subWindowList().size(), 1);

    // Saving the reopened font asks nothing more.
    frame.command(3)->click();
    EXPECT_EQ(editor.prompts->asked.size(), 1u);
    EXPECT_EQ(frame.app().DocCount, 1);

    // Saved through the close prompt, the font is reopened while its window goes.
    editor.WillOpen(path);
    frame.command(2)->click();
    form1* again = frame.Document(1);
    ASSERT_TRUE(again && again->document());
    test::WriteAll(path, test::RawNativeFile(font));
    editor.WillOpen(path);
    frame.command(2)->click();
    form1* closing = frame.Document(3);
    ASSERT_TRUE(closing && closing->document());
    Draw(*closing, 9, 1, 0);
    const std::string saveTo = dir.file("closed.pzf");
    editor.WillSave(saveTo, 1);
    editor.prompts->answers = {QMessageBox::Yes};
    frame.CloseDocument(*closing);
    Settle();
    EXPECT_EQ(frame.Document(3), nullptr);
    EXPECT_EQ(Joined(Picture(LoadNative(test::ReadAll(saveTo)).build(), 3)),
              Joined({".##", "..#"}));
    ASSERT_NE(frame.Document(4), nullptr);
    EXPECT_EQ(frame.Document(4)->FileName, Q(saveTo));
    EXPECT_EQ(frame.app().DocCount, 3);
}

TEST(NativeFile, FontEntirelyBelow20IsNotSaved) {
    test::TempDir dir;
    const std::string path = dir.file("control.pzf");
    const std::vector<uint8_t> original = test::RawNativeFile(NumberedFont(0x10, 16));
    test::WriteAll(path, original);
    FileEditor editor;
    MDIForm1& frame = *editor.frame;
    editor.WillOpen(path);
    frame.command(2)->click();
    form1* doc = frame.Document(1);
    ASSERT_TRUE(doc && doc->document());
    Draw(*doc, 3, 2, 1);
    frame.command(3)->click();
    QApplication::processEvents();
    ASSERT_EQ(editor.prompts->asked.size(), 1u);
    EXPECT_EQ(editor.prompts->asked[0].text, kNothingToSaveMessage);
    EXPECT_EQ(editor.prompts->asked[0].title, "Error");
    EXPECT_EQ(editor.prompts->asked[0].icon, QMessageBox::Critical);
    EXPECT_EQ(test::ReadAll(path), original);
    EXPECT_EQ(frame.Document(1), doc);
    EXPECT_TRUE(doc->FlagModified());
    EXPECT_EQ(frame.app().DocCount, 1);
}

TEST(FailedSave, KeepsThePreviousFileTheModifiedFlagAndTheDocumentsName) {
    test::TempDir dir;
    // The longest names a folder holds leave no room for the temporary file beside them, so
    // writing fails although the file itself is there and writable.
    const std::string path = dir.file(std::string(246, 'f') + ".pzf");
    const std::vector<uint8_t> original = SaveNative(SmallFont()).bytes;
    test::WriteAll(path, original);
    FileEditor editor;
    MDIForm1& frame = *editor.frame;
    editor.WillOpen(path);
    frame.command(2)->click();
    form1* doc = frame.Document(1);
    ASSERT_TRUE(doc && doc->document());

    Draw(*doc, 0, 4, 0);
    frame.command(3)->click();
    ASSERT_EQ(editor.prompts->asked.size(), 1u);
    EXPECT_EQ(editor.prompts->asked[0].title, "Error");
    EXPECT_EQ(editor.prompts->asked[0].icon, QMessageBox::Critical);
    EXPECT_EQ(editor.prompts->asked[0].text, Q(WriteFailureMessage(path)));
    EXPECT_EQ(test::ReadAll(path), original);
    EXPECT_TRUE(doc->FlagModified());

    // A failed export keeps the document's name and format as they were.
    const std::string exported = dir.file(std::string(250, 'g') + ".c");
    editor.WillSave(exported, 3);
    doc->action("saveas")->trigger();
    ASSERT_EQ(editor.prompts->asked.size(), 2u);
    EXPECT_EQ(editor.prompts->asked[1].text, Q(WriteFailureMessage(exported)));
    EXPECT_FALSE(std::filesystem::exists(exported));
    EXPECT_EQ(doc->FileName, Q(path));
    EXPECT_EQ(doc->saveFormat, SaveFormat::Native);
    EXPECT_EQ(TitleFon(*doc), Q(path));
    EXPECT_TRUE(doc->FlagModified());
    // Nothing was left behind in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(FailedCommands, CloseTheirFreshWindowAndLeaveTheOtherDocumentAlone) {
    test::TempDir dir;
    FileEditor editor;
    MDIForm1& frame = *editor.frame;
    form1* other = test::NewFontThroughDialog(frame, "8", "8");
    ASSERT_NE(other, nullptr);
    Draw(*other, 1, 3, 3);
    const std::vector<uint8_t> before = FontOf(*other).glyphData();

    // Cancelling any file dialog: no message, no window.
    for (const char* command : {"open", "ImportFNT", "ImportFON", "ImportC"}) {
        SCOPED_TRACE(command);
        editor.FrameMenu(command);
        EXPECT_TRUE(editor.prompts->asked.empty());
        EXPECT_EQ(frame.app().DocCount, 1);
        EXPECT_EQ(frame.Document(2), nullptr);
        EXPECT_FALSE(frame.app().CommandBusy);
    }
    EXPECT_EQ(editor.dialogs->opens.size(), 4u);

    // A damaged native file, one cut short and one that is no file at all are refused with the
    // message; so is a library that is no library.
    const std::vector<uint8_t> good = SaveNative(SmallFont()).bytes;
    test::WriteAll(dir.file("short.pzf"), {good.begin(), good.end() - 1});
    test::WriteAll(dir.file("header.pzf"), {good.begin(), good.begin() + 10});
    test::WriteAll(dir.file("plain.fon"), {'M', 'Z', 0, 0});
    const std::pair<const char*, std::string> failures[] = {
        {"open", dir.file("short.pzf")},
        {"open", dir.file("header.pzf")},
        {"open", dir.file("missing.pzf")},
        {"ImportFON", dir.file("plain.fon")},
    };
    for (const auto& [command, path] : failures) {
        SCOPED_TRACE(path);
        editor.prompts->asked.clear();
        editor.WillOpen(path);
        editor.FrameMenu(command);
        ASSERT_EQ(editor.prompts->asked.size(), 1u);
        EXPECT_EQ(editor.prompts->asked[0].text, "This file contains errors or can not be opened.");
        EXPECT_EQ(editor.prompts->asked[0].title, "Error");
        EXPECT_EQ(editor.prompts->asked[0].icon, QMessageBox::Critical);
        EXPECT_EQ(frame.app().DocCount, 1);
        EXPECT_EQ(frame.Document(2), nullptr);
    }
    EXPECT_EQ(FontOf(*other).glyphData(), before);
    EXPECT_TRUE(other->FlagModified());
    EXPECT_TRUE(Shown(frame, *other));
    // The next font takes the free slot.
    form1* next = test::NewFontThroughDialog(frame, "8", "8");
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->index, 2);
}

// ---------------------------------------------------------------- imports

TEST(FntImport, RealFontExtractedFromALibraryAndAVectorFont) {
    test::TempDir dir;
    const std::vector<uint8_t> sans = test::RealFnt("sserife.fon", 1);
    const std::string path = dir.file("sans.fnt");
    test::WriteAll(path, sans);
    const Font expected = FntBegin(sans).build();
    FileEditor editor;
    MDIForm1& frame = *editor.frame;

    editor.WillOpen(path);
    editor.FrameMenu("ImportFNT");
    ASSERT_EQ(editor.dialogs->opens.size(), 1u);
    EXPECT_EQ(editor.dialogs->opens[0].filter, "FNT Font|*.fnt");
    form1* doc = frame.Document(1);
    ASSERT_TRUE(doc && doc->document());
    EXPECT_TRUE(Shown(frame, *doc));
    ExpectFont(*doc, expected);
    EXPECT_EQ(Shape(doc->params()), "14x16 down 3 magnif 1 from 32 count 224");
    EXPECT_EQ(TitleFon(*doc), Q(path));
    EXPECT_EQ(doc->windowTitle(), Q(path));
    // Modified, without a file: Save asks for one.
    EXPECT_TRUE(doc->FlagModified());
    EXPECT_TRUE(doc->FileName.isEmpty());
    frame.command(3)->click();
    EXPECT_EQ(editor.dialogs->saves.size(), 1u);
    EXPECT_TRUE(editor.prompts->asked.empty());

    // A vector font (dfType 1) is refused and leaves no window; the first font stays.
    std::vector<uint8_t> vector = sans;
    vector[66] = 1;
    test::WriteAll(dir.file("vector.fnt"), vector);
    editor.WillOpen(dir.file("vector.fnt"));
    doc->action("ImportFNT")->trigger();
    QApplication::processEvents();
    ASSERT_EQ(editor.prompts->asked.size(), 1u);
    EXPECT_EQ(editor.prompts->asked[0].text, "This file contains errors or can not be opened.");
    EXPECT_EQ(editor.prompts->asked[0].title, "Error");
    EXPECT_EQ(frame.app().DocCount, 1);
    EXPECT_EQ(frame.Document(2), nullptr);
    EXPECT_EQ(FontOf(*doc).glyphData(), expected.glyphData());
}

TEST(FonImport, ChoosingTheSecondFontOfALibraryAndCancellingTheSelection) {
    const std::string path = kWine + "sserife.fon";
    const std::vector<uint8_t> bytes = test::ReadAll(path);
    const FonLibrary library = ReadFontDirectory(bytes);
    ASSERT_EQ(library.fonts.size(), 3u);
    FileEditor editor;
    MDIForm1& frame = *editor.frame;

    editor.WillOpen(path);
    editor.FrameMenu("ImportFON");
    EXPECT_EQ(editor.dialogs->opens[0].filter, "FON Font|*.fon");
    Form4* selection = editor.dialogs->fontSelection;
    ASSERT_NE(selection, nullptr);
    EXPECT_TRUE(selection->isVisible());
    EXPECT_EQ(selection->windowTitle(), "Font Selection");
    EXPECT_EQ(selection->title()->text(), Q(library.description));
    EXPECT_EQ(selection->OkChooseFON()->text(), "Ok");
    EXPECT_EQ(selection->Cancel()->text(), "Cancel");
    ASSERT_EQ(selection->ListFnt()->count(), 3);
    EXPECT_EQ(selection->ListFnt()->item(1)->text(),
              QString::fromUtf8("MS Sans Serif n\u00B081 (Height: 16 pixels)"));
    // The window waits, hidden and empty.
    form1* doc = frame.Document(1);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->document(), nullptr);
    EXPECT_FALSE(Shown(frame, *doc));

    selection->ListFnt()->setCurrentRow(1);
    selection->OkChooseFON()->click();
    Settle();
    EXPECT_TRUE(editor.dialogs->fontSelection.isNull());
    ASSERT_NE(doc->document(), nullptr);
    EXPECT_TRUE(Shown(frame, *doc));
    const Font expected = LoadFonFont(bytes, 1).build();
    ExpectFont(*doc, expected);
    EXPECT_EQ(doc->params().FormatHeightCar, 16);
    EXPECT_EQ(TitleFon(*doc), Q(library.description + "     MS Sans Serif"));
    EXPECT_EQ(doc->windowTitle(), Q(path));
    EXPECT_TRUE(doc->FlagModified());
    EXPECT_EQ(doc->saveFormat, SaveFormat::None);
    EXPECT_FALSE(frame.app().CommandBusy);

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
        EXPECT_EQ(frame.Document(2), nullptr);
        EXPECT_EQ(FontOf(*doc).glyphData(), expected.glyphData());
        EXPECT_FALSE(frame.app().CommandBusy);
    }
    EXPECT_TRUE(editor.prompts->asked.empty());
}

TEST(CImport, ReadsTheCExportBackAndRefusesACorruptedFile) {
    test::TempDir dir;
    // A full 20h..FFh font 10 pixels wide, every byte different from its neighbours.
    FontParams p;
    p.FormatLengthCar = 10;
    p.FormatHeightCar = 3;
    p.NbCar = 224;
    ByteMatrix matrix = p.blankMatrix();
    for (std::size_t n = 0; n < matrix.data().size(); ++n) {
        matrix.data()[n] = static_cast<uint8_t>(n * 37 + n / 7);
    }
    const Font font = MatrixToObject(p, matrix);
    const std::vector<uint8_t> table = saveC(font);
    const std::string path = dir.file("table.c");
    test::WriteAll(path, table);
    FileEditor editor;
    MDIForm1& frame = *editor.frame;

    auto import = [&](const std::string& file) -> Form3* {
        editor.WillOpen(file);
        editor.FrameMenu("ImportC");
        Form3* dialog = frame.propertyDialog();
        if (!dialog) return nullptr;
        QTest::keyClicks(dialog->width1(), "10");
        QTest::keyClicks(dialog->height1(), "3");
        dialog->Magnificatio()->setEditText("2");
        dialog->Jambage()->setEditText("1");
        return dialog;
    };

    Form3* dialog = import(path);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(editor.dialogs->opens[0].filter, "C File|*.c");
    EXPECT_EQ(frame.app().PropertyMode, 4);
    // The range is fixed.
    EXPECT_EQ(dialog->charmin1()->text(), "20");
    EXPECT_EQ(dialog->charmax1()->text(), "FF");
    QTest::keyClicks(dialog->charmin1(), "3a");
    QTest::keyClicks(dialog->charmax1(), "0b");
    EXPECT_EQ(dialog->charmin1()->text(), "20");
    EXPECT_EQ(dialog->charmax1()->text(), "FF");
    dialog->Ok()->click();
    QApplication::processEvents();
    form1* doc = frame.Document(1);
    ASSERT_TRUE(doc && doc->document());
    EXPECT_TRUE(Shown(frame, *doc));
    EXPECT_EQ(Shape(doc->params()), "10x3 down 1 magnif 2 from 32 count 224");
    EXPECT_EQ(FontOf(*doc).glyphData(), font.glyphData());
    EXPECT_TRUE(doc->FlagModified());
    EXPECT_TRUE(doc->FileName.isEmpty());
    EXPECT_EQ(doc->saveFormat, SaveFormat::None);
    EXPECT_EQ(TitleFon(*doc), Q(path));
    EXPECT_TRUE(editor.prompts->asked.empty());

    // The last literal missing: the glyphs no longer end on a glyph boundary.
    std::string text = test::AsText(table);
    text.erase(text.rfind("0b"));
    const std::string corrupted = dir.file("corrupted.c");
    test::WriteAll(corrupted, std::vector<uint8_t>(text.begin(), text.end()));
    dialog = import(corrupted);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(frame.app().DocCount, 2);
    dialog->Ok()->click();
    QApplication::processEvents();
    ASSERT_EQ(editor.prompts->asked.size(), 1u);
    EXPECT_EQ(editor.prompts->asked[0].text, kBadCFileMessage);
    EXPECT_EQ(editor.prompts->asked[0].title, "Error");
    EXPECT_EQ(editor.prompts->asked[0].icon, QMessageBox::Critical);
    EXPECT_EQ(frame.app().DocCount, 1);
    EXPECT_EQ(frame.Document(2), nullptr);

    // Cancel in the parameters dialog closes the waiting window too.
    dialog = import(path);
    ASSERT_NE(dialog, nullptr);
    dialog->Cancel()->click();
    QApplication::processEvents();
    EXPECT_EQ(frame.app().DocCount, 1);
    EXPECT_EQ(FontOf(*doc).glyphData(), font.glyphData());
    EXPECT_FALSE(frame.app().CommandBusy);
}

}  // namespace
}  // namespace pixmere
