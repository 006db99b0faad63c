// The imports of X11 bitmap fonts, console fonts and printer download files, from the frame's and
// the documents' File menus; only the file dialogs and the message boxes are answered by the
// test. Real fonts of this machine where there are some.

#include <QAction>
#include <QApplication>
#include <QMenu>

#include "UiTestSupport.h"
#include "formats/BdfPcfFile.h"
#include "formats/CellPlacement.h"
#include "formats/Exports.h"
#include "formats/PsfFile.h"
#include "ui/DocumentActions.h"

namespace pixmere::test {
namespace {

const std::string kPcf = "/usr/share/fonts/X11/misc/6x13-ISO8859-1.pcf.gz";
const std::string kPsf = "/usr/share/consolefonts/Lat15-Fixed16.psf.gz";

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// A proportional BDF font, cell 7 x 8 with downstroke 2: the W starts left of the pen and runs
// past the cell, the g hangs a row below it.
const std::string kProportionalBdf =
    "STARTFONT 2.1\nFONT x\nSIZE 8 75 75\nFONTBOUNDINGBOX 9 9 -1 -3\nSTARTPROPERTIES 2\n"
    "FONT_ASCENT 6\nFONT_DESCENT 2\nENDPROPERTIES\nCHARS 2\n"
    "STARTCHAR W\nENCODING 87\nSWIDTH 500 0\nDWIDTH 7 0\nBBX 9 1 -1 0\nBITMAP\nFF80\nENDCHAR\n"
    "STARTCHAR g\nENCODING 103\nSWIDTH 500 0\nDWIDTH 5 0\nBBX 4 3 0 -3\nBITMAP\n"
    "F0\n90\nF0\nENDCHAR\nENDFONT\n";

// The captions of a menu's items, without the marks of their access keys.
QStringList Captions(QMenu* menu) {
    QStringList captions;
    for (QAction* action : menu->actions()) captions << action->text().remove(QLatin1Char('&'));
    return captions;
}

TEST(ImportMenu, TheFrameAndEveryDocumentListTheSameImports) {
    Editor editor;
    const QStringList imports = {"Font FNT",       "Font FON", "Font TTF",  "Font C File",
                                 "Font BDF / PCF", "Font PSF", "Bin Velmar"};
    EXPECT_EQ(Captions(editor.frame->actions().file.importMenu), imports);
    form1* doc = NewFont(*editor.frame, "8", "8");
    EXPECT_EQ(Captions(doc->actions().file.importMenu), imports);
}

TEST(BdfPcfImport, ARealPcfAndAProportionalBdfWithCutPixelsEachOpenInANewWindow) {
    TempDir dir;
    const Font pcf = LoadBdfPcf(ReadAll(kPcf)).font.build();
    Editor editor;
    MDIForm1& frame = *editor.frame;
    editor.WillOpen(kPcf);
    editor.FrameMenu("ImportBDF");
    EXPECT_EQ(editor.dialogs->opens.at(0).filter, "BDF / PCF Font|*.bdf *.pcf *.pcf.gz");
    form1* first = frame.Document(1);
    ASSERT_NO_FATAL_FAILURE(ExpectDocument(frame, first, pcf, Q(kPcf)));
    // Modified, without a file: Save asks for one.
    EXPECT_EQ(FileState(*first), "modified None  | " + kPcf);
    EXPECT_EQ(editor.Said(), "");

    // From the document's own menu: a new window, and word of the characters that lost pixels.
    const std::string path = dir.file("proportional.bdf");
    WriteAll(path, Bytes(kProportionalBdf));
    editor.WillOpen(path);
    first->action("ImportBDF")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(editor.Said(),
              "Information Velmar Pixmere: 2 characters lost the pixels that fell outside the "
              "cell.");
    form1* cut = frame.Document(2);
    ASSERT_NO_FATAL_FAILURE(
        ExpectDocument(frame, cut, LoadBdfPcf(ReadAll(path)).font.build(), Q(path)));
    EXPECT_EQ(Describe(cut->params()), "7x8 down 2 magnif 1 codes 87-103");
    EXPECT_EQ(Joined(CodePicture(FontOf(*cut), 'W')),
              Joined({".......", ".......", ".......", ".......", ".......", "#######", ".......",
                      "......."}));
    EXPECT_EQ(Joined(CodePicture(FontOf(*cut), 'g')),
              Joined({".......", ".......", ".......", ".......", ".......", ".......", "####...",
                      "#..#..."}));
    EXPECT_EQ(FileState(*cut), "modified None  | " + path);
    EXPECT_EQ(FontOf(*first).glyphData(), pcf.glyphData());
}

TEST(PsfImport, ARealConsoleFontOpensFromADocumentInANewWindow) {
    const Font psf = LoadPsf(ReadAll(kPsf)).font.build();
    Editor editor;
    MDIForm1& frame = *editor.frame;
    form1* other = NewFont(frame, "8", "8");
    editor.WillOpen(kPsf);
    other->action("ImportPSF")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(editor.dialogs->opens.at(0).filter, "PSF Font|*.psf *.psf.gz");
    form1* doc = frame.Document(2);
    ASSERT_NO_FATAL_FAILURE(ExpectDocument(frame, doc, psf, Q(kPsf)));
    EXPECT_EQ(FileState(*doc), "modified None  | " + kPsf);
    EXPECT_EQ(editor.Said(), "");
    EXPECT_EQ(frame.app().DocCount, 2);
}

TEST(BinImport, ADownloadFileComesBackWholeAtMagnificationOne) {
    TempDir dir;
    // Two bytes a row, from 30h, magnified: the file keeps everything but the magnification.
    const Font font = PatternFont(Shape(12, 5, 0x30, 80, 2, 3));
    const std::string path = dir.file("font.bin");
    WriteAll(path, saveBin(font));
    Editor editor;
    editor.WillOpen(path);
    editor.FrameMenu("ImportBIN");
    EXPECT_EQ(editor.dialogs->opens.at(0).filter, "Bin Velmar|*.bin");
    Font expected = font;
    expected.params.Magnification = 1;
    form1* doc = editor.frame->Document(1);
    ASSERT_NO_FATAL_FAILURE(ExpectDocument(*editor.frame, doc, expected, Q(path)));
    EXPECT_EQ(FileState(*doc), "modified None  | " + path);
    EXPECT_EQ(editor.Said(), "");
}

}  // namespace
}  // namespace pixmere::test
