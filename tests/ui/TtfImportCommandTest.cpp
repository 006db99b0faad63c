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

#include "UiTestSupport.h"
#include "support/GlyphPicture.h"
#include "truetype/TtfImport.h"
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

// File commands whose TrueType import is the real one.
class TtfFiles : public test::FakeFiles {
public:
    bool Run(FontCommand command, form1& window) override {
        return command == FontCommand::ImportTtf ? ttf->Start(window)
                                                 : FakeFiles::Run(command, window);
    }
    bool ContinueImport(FontCommand command, form1& window) override {
        return command == FontCommand::ImportTtf ? ttf->Continue(window)
                                                 : FakeFiles::ContinueImport(command, window);
    }
    std::unique_ptr<TtfImportCommand> ttf;
};

struct TtfEditor {
    TtfEditor() {
        auto scripted = std::make_unique<test::ScriptedPrompts>();
        auto files = std::make_unique<TtfFiles>();
        prompts = scripted.get();
        ttfFiles = files.get();
        frame = std::make_unique<MDIForm1>("", std::move(scripted), std::move(files));
        auto dialog = std::make_unique<ScriptedFontDialog>();
        fonts = dialog.get();
        ttfFiles->ttf = std::make_unique<TtfImportCommand>(*frame, *prompts, std::move(dialog));
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
    TtfFiles* ttfFiles;
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

QAction* FrameAction(MDIForm1& frame, const char* name) {
    return frame.FrameMenus().front()->findChild<QAction*>(QString::fromLatin1(name));
}

bool FrameFileMenuEnabled(MDIForm1& frame) {
    return frame.FrameMenus().front()->menuAction()->isEnabled();
}

bool FileMenuEnabled(form1& document) {
    return document.Menus().front()->menuAction()->isEnabled();
}

std::vector<bool> NewOpenSave(MDIForm1& frame) {
    return {frame.command(1)->isEnabled(), frame.command(2)->isEnabled(),
            frame.command(3)->isEnabled()};
}

int VisibleWindows(MDIForm1& frame) {
    int visible = 0;
    for (QMdiSubWindow* window : frame.mdiArea()->subWindowList()) visible += window->isVisible();
    return visible;
}

// Import > Font TTF from the frame's menu, then the parameters dialog filled in and confirmed.
// The conversion runs inside the confirmation.
void ImportThroughDialogs(MDIForm1& frame, const QString& width, const QString& height,
                          const QString& first, const QString& last, const QString& downstroke) {
    FrameAction(frame, "ImportTTF")->trigger();
    Form3* dialog = frame.propertyDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(frame.app().PropertyMode, 2);
    QTest::keyClicks(dialog->width1(), width);
    QTest::keyClicks(dialog->height1(), height);
    dialog->charmin1()->setText(first);
    dialog->charmax1()->setText(last);
    dialog->Jambage()->setEditText(downstroke);
    dialog->Ok()->click();
    QApplication::processEvents();
}

TtfImportRequest DejaVu16x16() {
    TtfImportRequest request;
    request.height = 16;
    request.width = 16;
    request.downstroke = 3;
    request.first = 0x20;
    request.last = 0x7E;
    return request;
}

std::vector<std::vector<std::string>> Pictures(const Font& font) {
    std::vector<std::vector<std::string>> pictures;
    for (const CarObject& glyph : font.glyphs) {
        pictures.push_back(test::GlyphPicture(glyph, font.params.FormatLengthCar));
    }
    return pictures;
}

TEST(TtfImportCommand, ImportsDejaVuSansIntoANewWindowWithTheFileCommandsLockedMeanwhile) {
    TtfEditor editor;
    MDIForm1& frame = *editor.frame;
    form1* other = test::NewFontThroughDialog(frame, "8", "8");
    ASSERT_NE(other, nullptr);
    const std::vector<uint8_t> otherBytes = other->document()->font().glyphData();

    ConversionWatcher watcher;
    struct During {
        bool dialogShown, convertEnabled, previewEnabled, fileMenus, windowShown, busy;
        std::vector<bool> buttons;
        int maximum;
    };
    std::vector<During> during;
    watcher.onCharacter = [&](Form2& dialog, int done) {
        if (done != 1 && done != 60) return;
        form1* fresh = frame.Document(2);
        during.push_back({dialog.isVisible(), dialog.fullAuto()->isEnabled(),
                          dialog.text1()->isEnabled() || dialog.command2()->isEnabled(),
                          FrameFileMenuEnabled(frame) || FileMenuEnabled(*other),
                          fresh && fresh->isVisible(), frame.app().CommandBusy, NewOpenSave(frame),
                          dialog.progressBar1()->maximum()});
    };
    ImportThroughDialogs(frame, "16", "16", "20", "7E", "3");

    // Every character advanced the bar once; the dialog was up, the commands locked.
    std::vector<int> everyCharacter(95);
    for (int i = 0; i < 95; ++i) everyCharacter[static_cast<std::size_t>(i)] = i + 1;
    EXPECT_EQ(watcher.progress, everyCharacter);
    ASSERT_EQ(during.size(), 2u);
    for (const During& d : during) {
        EXPECT_TRUE(d.dialogShown);
        EXPECT_FALSE(d.convertEnabled);
        EXPECT_FALSE(d.previewEnabled);
        EXPECT_FALSE(d.fileMenus);
        EXPECT_FALSE(d.windowShown);
        EXPECT_TRUE(d.busy);
        EXPECT_EQ(d.buttons, std::vector<bool>({false, false, false}));
        EXPECT_EQ(d.maximum, 95);
    }

    // The new window holds the same font as the engine makes for these settings.
    form1* imported = frame.Document(2);
    ASSERT_NE(imported, nullptr);
    ASSERT_NE(imported->document(), nullptr);
    const TtfImportResult expected =
        ImportTtfRange(TtfFace::Installed("DejaVu Sans", false, false), DejaVu16x16());
    ASSERT_EQ(expected.status, TtfImportResult::Status::Done);
    const Font expectedFont = BuildTtfFont(expected.font);
    const Font& font = imported->document()->font();
    EXPECT_EQ(font.params.firstcar, 0x20);
    EXPECT_EQ(font.params.lastcar, 0x7E);
    EXPECT_EQ(font.params.NbCar, 95);
    EXPECT_EQ(font.params.FormatLengthCar, 16);
    EXPECT_EQ(font.params.FormatHeightCar, 16);
    EXPECT_EQ(font.params.jambon, 3);
    const auto pictures = Pictures(font);
    const auto expectedPictures = Pictures(expectedFont);
    ASSERT_EQ(pictures.size(), expectedPictures.size());
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        EXPECT_EQ(test::Joined(pictures[i]), test::Joined(expectedPictures[i]))
            << "character " << std::hex << 0x20 + i;
    }
    // Not two empty fonts agreeing: "H" has ink, the space has none.
    EXPECT_NE(test::Joined(pictures[0x48 - 0x20]).find('#'), std::string::npos);
    EXPECT_EQ(test::Joined(pictures[0]).find('#'), std::string::npos);

    EXPECT_TRUE(imported->FlagModified());
    EXPECT_EQ(imported->windowTitle(), "DejaVu Sans");
    EXPECT_EQ(imported->findChild<QLabel*>("TitleFon")->text(), "DejaVu Sans");
    EXPECT_TRUE(imported->isVisible());
    EXPECT_TRUE(imported->action("save")->isEnabled());
    EXPECT_EQ(editor.ttfFiles->ttf->dialog(), nullptr);
    EXPECT_EQ(editor.fonts->shown, 1);
    EXPECT_TRUE(editor.prompts->asked.empty());
    EXPECT_FALSE(frame.app().CommandBusy);
    EXPECT_EQ(NewOpenSave(frame), std::vector<bool>({true, true, true}));
    EXPECT_TRUE(FrameFileMenuEnabled(frame));
    EXPECT_TRUE(FileMenuEnabled(*other));
    EXPECT_TRUE(FileMenuEnabled(*imported));
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
    ImportThroughDialogs(frame, "16", "16", "20", "7E", "3");

    EXPECT_EQ(watcher.progress, std::vector<int>({1, 2, 3}));
    EXPECT_EQ(frame.app().DocCount, 1);
    EXPECT_EQ(frame.Document(2), nullptr);
    EXPECT_EQ(VisibleWindows(frame), 1);
    EXPECT_EQ(editor.ttfFiles->ttf->dialog(), nullptr);
    EXPECT_TRUE(editor.prompts->asked.empty());
    EXPECT_FALSE(frame.app().CommandBusy);
    EXPECT_EQ(NewOpenSave(frame), std::vector<bool>({true, true, true}));
    EXPECT_TRUE(FrameFileMenuEnabled(frame));
    EXPECT_TRUE(FileMenuEnabled(*other));
    EXPECT_EQ(other->document()->font().glyphData(), otherBytes);

    // The commands work again: a new font takes the freed slot.
    form1* next = test::NewFontThroughDialog(frame, "8", "8");
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->index, 2);
}

TEST(TtfImportCommand, ClosingTheDialogOrTheFrameStopsAfterTheCharacterInProgress) {
    {
        TtfEditor editor;
        MDIForm1& frame = *editor.frame;
        ConversionWatcher watcher;
        watcher.onCharacter = [&](Form2& dialog, int done) {
            if (done == 2) Meanwhile(&dialog, [&dialog] { dialog.close(); });
        };
        ImportThroughDialogs(frame, "8", "10", "41", "5A", "0");
        EXPECT_EQ(watcher.progress, std::vector<int>({1, 2}));
        EXPECT_EQ(frame.app().DocCount, 0);
        EXPECT_EQ(NewOpenSave(frame), std::vector<bool>({true, true, false}));
        EXPECT_TRUE(frame.isVisible());
    }
    {
        // Closing the frame first ends the conversion, then closes the frame.
        TtfEditor editor;
        MDIForm1& frame = *editor.frame;
        ConversionWatcher watcher;
        watcher.onCharacter = [&](Form2&, int done) {
            if (done == 2) Meanwhile(&frame, [&frame] { frame.close(); });
        };
        ImportThroughDialogs(frame, "8", "10", "41", "5A", "0");
        EXPECT_EQ(watcher.progress, std::vector<int>({1, 2}));
        EXPECT_EQ(frame.app().DocCount, 0);
        EXPECT_FALSE(frame.isVisible());
        EXPECT_EQ(editor.ttfFiles->ttf->dialog(), nullptr);
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
    ImportThroughDialogs(frame, "16", "16", "20", "7E", "3");
    EXPECT_EQ(watcher.progress, std::vector<int>({1, 2}));
    ASSERT_EQ(editor.prompts->asked.size(), 1u);
    EXPECT_EQ(editor.prompts->asked[0].icon, QMessageBox::Critical);
    EXPECT_EQ(editor.prompts->asked[0].text, "Datas Extraction Failure.");
    EXPECT_EQ(frame.app().DocCount, 1);
    EXPECT_EQ(VisibleWindows(frame), 1);
    EXPECT_EQ(NewOpenSave(frame), std::vector<bool>({true, true, true}));
    EXPECT_TRUE(FileMenuEnabled(*other));
    EXPECT_FALSE(frame.app().CommandBusy);

    // A face without the reference "X" fails while the dialog loads.
    QPainterPath dot;
    dot.addRect(50, -100, 100, 100);
    editor.fonts->answer = FontChoice{"Dots", false, false};
    editor.fonts->face = TtfFace::FromOutlines("Dots", 800, {{U'.', dot}});
    ImportThroughDialogs(frame, "16", "16", "20", "7E", "3");
    ASSERT_EQ(editor.prompts->asked.size(), 2u);
    EXPECT_EQ(editor.prompts->asked[1].text, "Datas Extraction Failure.");
    EXPECT_EQ(frame.app().DocCount, 1);
    EXPECT_EQ(editor.ttfFiles->ttf->dialog(), nullptr);
    EXPECT_EQ(NewOpenSave(frame), std::vector<bool>({true, true, true}));
}

TEST(TtfImportCommand, DismissedOrUnusableFontDialogsAndParametersCloseTheWindow) {
    TtfEditor editor;
    MDIForm1& frame = *editor.frame;
    ConversionWatcher watcher;

    editor.fonts->answer.reset();  // the font dialog cancelled
    FrameAction(frame, "ImportTTF")->trigger();
    EXPECT_EQ(frame.propertyDialog(), nullptr);
    EXPECT_EQ(frame.app().DocCount, 0);
    EXPECT_TRUE(editor.prompts->asked.empty());

    editor.fonts->answer = FontChoice{"No Such Face", false, false};
    FrameAction(frame, "ImportTTF")->trigger();
    EXPECT_EQ(frame.propertyDialog(), nullptr);
    EXPECT_EQ(frame.app().DocCount, 0);
    ASSERT_EQ(editor.prompts->asked.size(), 1u);
    EXPECT_EQ(editor.prompts->asked[0].icon, QMessageBox::Critical);
    EXPECT_EQ(editor.prompts->asked[0].text, "The font \"No Such Face\" is not installed.");

    // The parameters dialog cancelled: the window named after the face closes unconverted.
    editor.fonts->answer = FontChoice{"DejaVu Sans", true, false};
    FrameAction(frame, "ImportTTF")->trigger();
    ASSERT_NE(frame.propertyDialog(), nullptr);
    EXPECT_EQ(frame.Document(1)->windowTitle(), "DejaVu Sans");
    frame.propertyDialog()->Cancel()->click();
    QApplication::processEvents();
    EXPECT_EQ(frame.app().DocCount, 0);
    EXPECT_EQ(watcher.dialogs, 0);
    EXPECT_EQ(NewOpenSave(frame), std::vector<bool>({true, true, false}));
}

}  // namespace
}  // namespace pixmere
