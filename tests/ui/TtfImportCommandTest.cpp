// The conversion dialog on its own, then the TrueType import through the real frame, document
// windows and dialogs; only the font dialog and the message boxes are answered by the test.
#include <QAction>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>
#include <numeric>

#include "UiTestSupport.h"
#include "truetype/TtfImport.h"
#include "truetype/TtfTestSupport.h"
#include "ui/TtfImportCommand.h"

namespace pixmere::test {
namespace {

std::string Result(const Form2& dialog) { return Joined(ResultPicture(dialog.converter().state)); }

// What a preview shows: the colour at the centre of each of its 16 x 16 cells.
std::string Preview(QWidget* preview) {
    const QImage image = preview->grab().toImage();
    std::vector<std::string> rows;
    for (int y = 0; y < 16; ++y) {
        std::string row;
        for (int x = 0; x < 16; ++x) {
            const QColor c = image.pixelColor((2 * x + 1) * image.width() / 32,
                                              (2 * y + 1) * image.height() / 32);
            row += c == QColor(Qt::black) ? '#' : '.';
        }
        rows.push_back(row);
    }
    return Joined(rows);
}

int Ink(const std::string& picture) {
    return static_cast<int>(std::count(picture.begin(), picture.end(), '#'));
}

void Retype(QLineEdit* box, const QString& text) {
    box->selectAll();
    QTest::keyClicks(box, text);
}

// The two previews show the result of the latest combination.
void ExpectPreviewsShowTheResult(Form2& dialog) {
    EXPECT_EQ(Preview(dialog.picture(2)), Result(dialog));
    EXPECT_EQ(Preview(dialog.picture(3)), Result(dialog));
}

TEST(Form2, ControlsDriveTheConversionAndThePreviewsShowIt) {
    ScriptedPrompts prompts;
    Form2 dialog(DejaVu(), Cell(16, 16, 3), prompts);
    dialog.Load();
    const ConversionState& s = dialog.converter().state;
    // "X" is converted at once: ink, and none in the downstroke rows.
    EXPECT_GT(Ink(Result(dialog)), 0);
    EXPECT_TRUE(Result(dialog).ends_with("\n................\n")) << Result(dialog);
    ExpectPreviewsShowTheResult(dialog);
    // The drawing surface shows the engine's, "X" under the cell grid.
    const QImage surface = dialog.converter().Picture1().Image();
    const QImage shown = dialog.picture(1)->grab().toImage().convertToFormat(surface.format());
    EXPECT_EQ(shown.scaled(surface.size()), surface);

    // A character typed into the box is fitted, converted and shown.
    Retype(dialog.text1(), "W");
    EXPECT_EQ(s.CurrentChar, "W");
    ExpectPreviewsShowTheResult(dialog);
    // A higher threshold keeps fewer cells.
    const int lowThreshold = Ink(Result(dialog));
    dialog.slider2()->setValue(70);
    EXPECT_LT(Ink(Result(dialog)), lowThreshold);
    ExpectPreviewsShowTheResult(dialog);
    // The shift and combination options reach the converter; "Conversion" samples again.
    dialog.option(6)->click();
    EXPECT_EQ(s.ShiftMode, 2);
    dialog.option(5)->click();
    EXPECT_EQ(s.CombineMode, 2);
    dialog.slider2()->setValue(1);
    dialog.command2()->click();
    ExpectPreviewsShowTheResult(dialog);
    EXPECT_GT(Ink(Result(dialog)), 0);
    // Resolution: a number the box can hold, else the previous one stays.
    Retype(dialog.text4(), "7");
    Retype(dialog.text4(), "x");
    EXPECT_FLOAT_EQ(s.Resolution, 7.0f);
    dialog.slider5()->setValue(35);
    EXPECT_FLOAT_EQ(s.Amplitude, 3.5f);
    EXPECT_TRUE(prompts.asked.empty());

    // A failure outside a conversion is reported and the dialog stays.
    dialog.converter().state.SavedStepX = 0;  // the fitting of the next character divides by it
    Retype(dialog.text1(), "B");
    EXPECT_EQ(prompts.asked,
              std::vector<std::string>({"Critical Error: Datas Extraction Failure."}));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.Cancelled());
}

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
// the File menu of each open document ('h' after a hidden one); " busy" while a command runs.
std::string FileCommands(MDIForm1& frame) {
    std::string state;
    const auto mark = [&](bool on, char c) { state += on ? c : '-'; };
    mark(frame.FrameMenus().front()->menuAction()->isEnabled(), 'F');
    for (int n = 1; n <= 3; ++n) mark(Tool(frame, n)->isEnabled(), "NOS"[n - 1]);
    for (form1* document : frame.app().DocList) {
        if (!document) continue;
        mark(document->Menus().front()->menuAction()->isEnabled(), 'f');
        if (!Shown(frame, *document)) state += 'h';
    }
    return state + (frame.app().CommandBusy() ? " busy" : "");
}

// The conversion dialog while a conversion runs.
Form2* ConversionDialog(MDIForm1& frame) {
    TtfImportCommand* ttf = static_cast<EditorFileCommands&>(frame.files()).TtfImportMade();
    return ttf ? ttf->dialog() : nullptr;
}

// A document already open, unmodified, which an import must leave alone.
form1* Bystander(MDIForm1& frame) {
    form1* other = NewFont(frame, "8", "8");
    other->document()->setFlagModified(false);
    return other;
}

// Import > Font TTF from the frame's menu, then the parameters dialog filled in and confirmed;
// the conversion runs inside the confirmation.
void Import(Editor& editor) {
    editor.FrameMenu("ImportTTF");
    ASSERT_NE(editor.frame->propertyDialog(), nullptr);
    EXPECT_EQ(editor.frame->app().PropertyMode, 2);
    FillPropertyDialog(*editor.frame, "16", "16", "20", "7E", "1", "3");
}

TEST(TtfImportCommand, ImportsDejaVuSansIntoANewWindowWithTheFileCommandsLockedMeanwhile) {
    Editor editor;
    MDIForm1& frame = *editor.frame;
    form1* other = Bystander(frame);
    const std::vector<uint8_t> otherBytes = other->document()->font().glyphData();
    ConversionWatcher watcher;
    std::vector<std::string> during;
    watcher.onCharacter = [&](Form2& dialog, int done) {
        // The dialog up with its run controls off, the window hidden, the file commands locked.
        const bool idle = dialog.fullAuto()->isEnabled() || dialog.text1()->isEnabled() ||
                          dialog.command2()->isEnabled();
        if (done == 1 || done == 60) {
            during.push_back(FileCommands(frame) + (dialog.isVisible() ? " shown" : "") +
                             (idle ? " idle" : ""));
        }
    };
    Import(editor);
    std::vector<int> everyCharacter(95);
    std::iota(everyCharacter.begin(), everyCharacter.end(), 1);
    EXPECT_EQ(watcher.progress, everyCharacter);
    EXPECT_EQ(during, std::vector<std::string>(2, "------h busy shown"));

    // The new window holds the font the engine makes for the same settings.
    form1* imported = frame.Document(2);
    ASSERT_TRUE(imported && imported->document());
    const TtfImportResult expected =
        ImportTtfRange(DejaVu(), {.height = 16, .width = 16, .downstroke = 3, .last = 0x7E});
    ASSERT_EQ(expected.status, TtfImportResult::Status::Done);
    const Font expectedFont = BuildTtfFont(expected.font);
    const Font& font = imported->document()->font();
    ASSERT_EQ(font.glyphs.size(), 95u);
    for (int i = 0; i < 95; ++i) {
        EXPECT_EQ(Picture(font, i), Picture(expectedFont, i))
            << "character " << std::hex << 0x20 + i;
    }
    // Not two empty fonts agreeing: "H" has ink.
    EXPECT_NE(Picture(font, 0x48 - 0x20).find('#'), std::string::npos);
    EXPECT_TRUE(imported->FlagModified());
    EXPECT_EQ(imported->Title(), "DejaVu Sans");
    EXPECT_EQ(imported->findChild<QLabel*>("TitleFon")->text(), "DejaVu Sans");
    EXPECT_EQ(ConversionDialog(frame), nullptr);
    EXPECT_EQ(editor.Said(), "");
    EXPECT_EQ(FileCommands(frame), "FNOSff");
    EXPECT_EQ(other->document()->font().glyphData(), otherBytes);
}

TEST(TtfImportCommand, CancelOrClosingTheDialogOrTheFrameStopsAfterTheCharacterInProgress) {
    for (const std::string way : {"cancel", "close dialog", "close frame"}) {
        SCOPED_TRACE(way);
        Editor editor;
        MDIForm1& frame = *editor.frame;
        Bystander(frame);
        ConversionWatcher watcher;
        watcher.onCharacter = [&](Form2& dialog, int done) {
            if (done != 3) return;
            if (way == "cancel") Meanwhile(&dialog, [&dialog] { dialog.cancell()->click(); });
            if (way == "close dialog") Meanwhile(&dialog, [&dialog] { dialog.close(); });
            if (way == "close frame") Meanwhile(&frame, [&frame] { frame.close(); });
        };
        Import(editor);
        EXPECT_EQ(watcher.progress, std::vector<int>({1, 2, 3}));
        EXPECT_EQ(ConversionDialog(frame), nullptr);
        EXPECT_EQ(editor.Said(), "");
        // The frame closes once the conversion has stopped; else the commands work again and
        // a new font takes the freed slot.
        EXPECT_EQ(frame.isVisible(), way != "close frame");
        if (way == "close frame") continue;
        EXPECT_EQ(FileCommands(frame), "FNOSf");
        EXPECT_EQ(NewFont(frame, "8", "8")->index(), 2);
    }
}

TEST(TtfImportCommand, DismissedDialogsUnusableFacesAndFailedConversionsLeaveNoWindow) {
    Editor editor;
    MDIForm1& frame = *editor.frame;
    Bystander(frame);
    ConversionWatcher watcher;
    editor.fonts->answer.reset();  // the font dialog cancelled
    editor.FrameMenu("ImportTTF");
    editor.fonts->answer = FontChoice{"No Such Face", false, false};
    editor.FrameMenu("ImportTTF");
    EXPECT_EQ(frame.propertyDialog(), nullptr);
    EXPECT_EQ(editor.Said(), "Critical Error: The font \"No Such Face\" is not installed.");
    EXPECT_EQ(FileCommands(frame), "FNOSf");
    // The parameters dialog cancelled: the window named after the face closes unconverted.
    editor.fonts->answer = FontChoice{"DejaVu Sans", true, false};
    editor.FrameMenu("ImportTTF");
    ASSERT_NE(frame.propertyDialog(), nullptr);
    EXPECT_EQ(frame.Document(2)->Title(), "DejaVu Sans");
    Push(frame.propertyDialog()->Cancel());
    EXPECT_EQ(FileCommands(frame), "FNOSf");
    EXPECT_EQ(watcher.dialogs, 0);

    // An arithmetic failure in the fitting of the third character: the reference step is lost.
    watcher.onCharacter = [&](Form2& dialog, int done) {
        if (done == 2) dialog.converter().state.SavedStepX = 0;
    };
    Import(editor);
    EXPECT_EQ(watcher.progress, std::vector<int>({1, 2}));
    // A face without the reference "X" fails while the dialog loads.
    QPainterPath dot;
    dot.addRect(50, -100, 100, 100);
    editor.fonts->face = TtfFace::FromOutlines("Dots", 800, {{U'.', dot}});
    Import(editor);
    EXPECT_EQ(
        editor.Said(),
        "Critical Error: Datas Extraction Failure.\nCritical Error: Datas Extraction Failure.");
    EXPECT_EQ(ConversionDialog(frame), nullptr);
    EXPECT_EQ(FileCommands(frame), "FNOSf");
}

}  // namespace
}  // namespace pixmere::test
