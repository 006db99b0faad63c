// The TrueType import through the real frame, document windows and dialogs; only the font
// dialog and the message boxes are answered by the test.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <numeric>

#include "UiTestSupport.h"
#include "support/GlyphPicture.h"
#include "truetype/TtfImport.h"
#include "ui/EditorFileCommands.h"
#include "ui/Form2.h"
#include "ui/Form3.h"
#include "ui/MDIForm1.h"
#include "ui/TtfImportCommand.h"
#include "ui/form1.h"

namespace pixmere {
namespace {

// A font dialog answered by the test; the face it opens may be one of the test's making.
class ScriptedFontDialog : public FontDialog {
public:
    std::optional<FontChoice> Choose(QWidget*) override {
        ++shown;
        return answer;
    }
    TtfFace Open(const FontChoice& choice) override {
        return face ? *face : FontDialog::Open(choice);
    }
    std::optional<FontChoice> answer = FontChoice{"DejaVu Sans", false, false};
    std::optional<TtfFace> face;
    int shown = 0;
};

struct TtfEditor {
    TtfEditor() {
        auto scripted = std::make_unique<test::ScriptedPrompts>();
        auto dialog = std::make_unique<ScriptedFontDialog>();
        fonts = dialog.get();
        // The editor's own file commands, so the TrueType import is reached as in the editor.
        auto files = std::make_unique<EditorFileCommands>(nullptr, std::move(dialog));
        prompts = scripted.get();
        files_ = files.get();
        frame = std::make_unique<MDIForm1>("", std::move(scripted), std::move(files));
        frame->show();
    }
    ~TtfEditor() {
        for (form1* document : frame->app().DocList) {
            if (document && document->document()) document->document()->setFlagModified(false);
        }
        frame->close();
        QApplication::processEvents();
    }
    std::unique_ptr<MDIForm1> frame;
    test::ScriptedPrompts* prompts;
    // The import command, made by the file commands on the first import.
    TtfImportCommand& ttf() { return *files_->TtfImportMade(); }
    EditorFileCommands* files_;
    ScriptedFontDialog* fonts;
};

// Watches for the conversion dialog and reports each converted character (1-based count) from
// inside the loop, just before it lets pending events run.
class ConversionWatcher : public QObject {
public:
    ConversionWatcher() { qApp->installEventFilter(this); }
    ~ConversionWatcher() override { qApp->removeEventFilter(this); }

    std::function<void(Form2&, int)> onCharacter;
    std::vector<int> progress;
    int dialogs = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* dialog = qobject_cast<Form2*>(watched);
        if (dialog && event->type() == QEvent::Show && !dialog->property("watched").toBool()) {
            dialog->setProperty("watched", true);
            ++dialogs;
            connect(dialog->progressBar1(), &QProgressBar::valueChanged, this,
                    [this, dialog](int done) {
                        if (done <= 0) return;
                        progress.push_back(done);
                        if (onCharacter) onCharacter(*dialog, done);
                    });
        }
        return false;
    }
};

// Later, when the conversion loop lets events run: as a click the user made meanwhile.
void Meanwhile(QObject* context, std::function<void()> action) {
    QMetaObject::invokeMethod(context, std::move(action), Qt::QueuedConnection);
}

// The file commands as letters, '-' where disabled: the frame's File menu, New, Open, Save, then
// the File menu of each open document.
std::string FileCommands(MDIForm1& frame) {
    std::string state;
    const auto mark = [&](bool on, char c) { state += on ? c : '-'; };
    mark(frame.FrameMenus().front()->menuAction()->isEnabled(), 'F');
    mark(frame.command(1)->isEnabled(), 'N');
    mark(frame.command(2)->isEnabled(), 'O');
    mark(frame.command(3)->isEnabled(), 'S');
    for (form1* document : frame.app().DocList) {
        if (document) mark(document->Menus().front()->menuAction()->isEnabled(), 'f');
    }
    return state;
}

int VisibleWindows(MDIForm1& frame) {
    int visible = 0;
    for (QMdiSubWindow* window : frame.mdiArea()->subWindowList()) visible += window->isVisible();
    return visible;
}

// Import > Font TTF from the frame's menu, then the parameters dialog filled in and confirmed;
// the conversion runs inside the confirmation.
void ImportThroughDialogs(MDIForm1& frame, const QString& size, const QString& last,
                          const QString& downstroke = "3") {
    frame.FrameMenus().front()->findChild<QAction*>("ImportTTF")->trigger();
    Form3* dialog = frame.propertyDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(frame.app().PropertyMode, 2);
    QTest::keyClicks(dialog->width1(), size);
    QTest::keyClicks(dialog->height1(), size);
    dialog->charmax1()->setText(last);
    dialog->Jambage()->setEditText(downstroke);
    dialog->Ok()->click();
    QApplication::processEvents();
}

TEST(TtfImportCommand, ImportsDejaVuSansIntoANewWindowWithTheFileCommandsLockedMeanwhile) {
    TtfEditor editor;
    MDIForm1& frame = *editor.frame;
    form1* other = test::NewFontThroughDialog(frame, "8", "8");
    ASSERT_NE(other, nullptr);
    const std::vector<uint8_t> otherBytes = other->document()->font().glyphData();

    ConversionWatcher watcher;
    std::vector<std::string> during;
    watcher.onCharacter = [&](Form2& dialog, int done) {
        if (done != 1 && done != 60) return;
        // The dialog up, its run controls off, the window hidden, the file commands locked.
        const bool runControls = dialog.fullAuto()->isEnabled() || dialog.text1()->isEnabled() ||
                                 dialog.command2()->isEnabled();
        during.push_back(FileCommands(frame) + (dialog.isVisible() ? " shown" : " hidden") +
                         (runControls ? " idle" : " running") +
                         (frame.Document(2)->isVisible() ? " window" : "") +
                         (frame.app().CommandBusy ? " busy" : ""));
    };
    ImportThroughDialogs(frame, "16", "7E");

    std::vector<int> everyCharacter(95);
    std::iota(everyCharacter.begin(), everyCharacter.end(), 1);
    EXPECT_EQ(watcher.progress, everyCharacter);
    EXPECT_EQ(during, std::vector<std::string>(2, "------ shown running busy"));

    // The new window holds the font the engine makes for the same settings.
    form1* imported = frame.Document(2);
    ASSERT_TRUE(imported && imported->document());
    TtfImportRequest request;
    request.height = request.width = 16;
    request.downstroke = 3;
    request.last = 0x7E;
    const TtfImportResult expected =
        ImportTtfRange(TtfFace::Installed("DejaVu Sans", false, false), request);
    ASSERT_EQ(expected.status, TtfImportResult::Status::Done);
    const Font expectedFont = BuildTtfFont(expected.font);
    const Font& font = imported->document()->font();
    EXPECT_EQ(font.params.firstcar, 0x20);
    EXPECT_EQ(font.params.NbCar, 95);
    EXPECT_EQ(font.params.jambon, 3);
    ASSERT_EQ(font.glyphs.size(), expectedFont.glyphs.size());
    for (std::size_t i = 0; i < font.glyphs.size(); ++i) {
        EXPECT_EQ(test::Joined(test::GlyphPicture(font.glyphs[i], 16)),
                  test::Joined(test::GlyphPicture(expectedFont.glyphs[i], 16)))
            << "character " << std::hex << 0x20 + i;
    }
    // Not two empty fonts agreeing: "H" has ink.
    EXPECT_NE(test::Joined(test::GlyphPicture(font.glyphs[0x48 - 0x20])).find('#'),
              std::string::npos);

    EXPECT_TRUE(imported->FlagModified());
    EXPECT_EQ(imported->windowTitle(), "DejaVu Sans");
    EXPECT_EQ(imported->findChild<QLabel*>("TitleFon")->text(), "DejaVu Sans");
    EXPECT_TRUE(imported->isVisible());
    EXPECT_EQ(editor.ttf().dialog(), nullptr);
    EXPECT_TRUE(editor.prompts->asked.empty());
    EXPECT_FALSE(frame.app().CommandBusy);
    EXPECT_EQ(FileCommands(frame), "FNOSff");
    EXPECT_EQ(other->document()->font().glyphData(), otherBytes);
}

TEST(TtfImportCommand, CancelDuringTheThirdCharacterLeavesNoWindowAndUnlocksTheCommands) {
    TtfEditor editor;
    MDIForm1& frame = *editor.frame;
    form1* other = test::NewFontThroughDialog(frame, "8", "8");
    ASSERT_NE(other, nullptr);
    const std::vector<uint8_t> otherBytes = other->document()->font().glyphData();

    ConversionWatcher watcher;
    watcher.onCharacter = [&](Form2& dialog, int done) {
        if (done == 3) Meanwhile(dialog.cancell(), [&dialog] { dialog.cancell()->click(); });
    };
    ImportThroughDialogs(frame, "16", "7E");

    EXPECT_EQ(watcher.progress, std::vector<int>({1, 2, 3}));
    EXPECT_EQ(frame.app().DocCount, 1);
    EXPECT_EQ(VisibleWindows(frame), 1);
    EXPECT_EQ(editor.ttf().dialog(), nullptr);
    EXPECT_TRUE(editor.prompts->asked.empty());
    EXPECT_FALSE(frame.app().CommandBusy);
    EXPECT_EQ(FileCommands(frame), "FNOSf");
    EXPECT_EQ(other->document()->font().glyphData(), otherBytes);
    // The commands work again: a new font takes the freed slot.
    form1* next = test::NewFontThroughDialog(frame, "8", "8");
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->index, 2);
}

TEST(TtfImportCommand, ClosingTheDialogOrTheFrameStopsAfterTheCharacterInProgress) {
    for (const bool closeFrame : {false, true}) {
        TtfEditor editor;
        MDIForm1& frame = *editor.frame;
        ConversionWatcher watcher;
        watcher.onCharacter = [&](Form2& dialog, int done) {
            if (done != 2) return;
            if (closeFrame) {
                Meanwhile(&frame, [&frame] { frame.close(); });
            } else {
                Meanwhile(&dialog, [&dialog] { dialog.close(); });
            }
        };
        ImportThroughDialogs(frame, "8", "5A", "0");
        EXPECT_EQ(watcher.progress, std::vector<int>({1, 2})) << closeFrame;
        EXPECT_EQ(frame.app().DocCount, 0);
        EXPECT_EQ(editor.ttf().dialog(), nullptr);
        // The frame closes once the conversion has stopped.
        EXPECT_EQ(frame.isVisible(), !closeFrame);
    }
}

TEST(TtfImportCommand, AFailedConversionSaysSoAndLeavesNoWindow) {
    TtfEditor editor;
    MDIForm1& frame = *editor.frame;
    form1* other = test::NewFontThroughDialog(frame, "8", "8");
    ASSERT_NE(other, nullptr);

    // An arithmetic failure in the fitting of the third character: the reference step is lost.
    ConversionWatcher watcher;
    watcher.onCharacter = [&](Form2& dialog, int done) {
        if (done == 2) dialog.converter().state.SavedStepX = 0;
    };
    ImportThroughDialogs(frame, "16", "7E");
    EXPECT_EQ(watcher.progress, std::vector<int>({1, 2}));
    // A face without the reference "X" fails while the dialog loads.
    QPainterPath dot;
    dot.addRect(50, -100, 100, 100);
    editor.fonts->face = TtfFace::FromOutlines("Dots", 800, {{U'.', dot}});
    ImportThroughDialogs(frame, "16", "7E");

    ASSERT_EQ(editor.prompts->asked.size(), 2u);
    for (const test::ScriptedPrompts::Asked& asked : editor.prompts->asked) {
        EXPECT_EQ(asked.icon, QMessageBox::Critical);
        EXPECT_EQ(asked.text, "Datas Extraction Failure.");
    }
    EXPECT_EQ(frame.app().DocCount, 1);
    EXPECT_EQ(VisibleWindows(frame), 1);
    EXPECT_EQ(editor.ttf().dialog(), nullptr);
    EXPECT_FALSE(frame.app().CommandBusy);
    EXPECT_EQ(FileCommands(frame), "FNOSf");
}

TEST(TtfImportCommand, DismissedOrUnusableFontDialogsAndParametersCloseTheWindow) {
    TtfEditor editor;
    MDIForm1& frame = *editor.frame;
    QAction* importTtf = frame.FrameMenus().front()->findChild<QAction*>("ImportTTF");
    ConversionWatcher watcher;

    editor.fonts->answer.reset();  // the font dialog cancelled
    importTtf->trigger();
    editor.fonts->answer = FontChoice{"No Such Face", false, false};
    importTtf->trigger();
    EXPECT_EQ(frame.propertyDialog(), nullptr);
    EXPECT_EQ(frame.app().DocCount, 0);
    ASSERT_EQ(editor.prompts->asked.size(), 1u);
    EXPECT_EQ(editor.prompts->asked[0].text, "The font \"No Such Face\" is not installed.");

    // The parameters dialog cancelled: the window named after the face closes unconverted.
    editor.fonts->answer = FontChoice{"DejaVu Sans", true, false};
    importTtf->trigger();
    ASSERT_NE(frame.propertyDialog(), nullptr);
    EXPECT_EQ(frame.Document(1)->windowTitle(), "DejaVu Sans");
    frame.propertyDialog()->Cancel()->click();
    QApplication::processEvents();
    EXPECT_EQ(frame.app().DocCount, 0);
    EXPECT_EQ(watcher.dialogs, 0);
    EXPECT_EQ(FileCommands(frame), "FNO-");
}

}  // namespace
}  // namespace pixmere
