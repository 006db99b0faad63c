// The conversion dialog on its own, then the TrueType import through the real frame, document
// windows and dialogs; only the font dialog and the message boxes are answered by the test.
#include <numeric>

#include "UiTestSupport.h"
#include "truetype/TtfImport.h"
#include "truetype/TtfTestSupport.h"
#include "ui/PainterCanvas.h"
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

// How each control reaches the conversion is tested with the import below.
TEST(Form2, ThePicturesShowTheConvertersAtEverySizeAndNeitherABadValueNorAFailureClosesIt) {
    ScriptedPrompts prompts;
    Form2 dialog(DejaVu(), Cell(16, 16, 3), prompts);
    dialog.Load();
    // "X" is converted at once.
    EXPECT_NE(Result(dialog).find('#'), std::string::npos);
    // The two previews show the result of the latest combination.
    for (int n : {2, 3}) EXPECT_EQ(Preview(dialog.picture(n)), Result(dialog));
    // Resolution: a number the box can hold, else the previous one stays.
    for (const char* typed : {"7", "x"}) {
        dialog.text4()->selectAll();
        QTest::keyClicks(dialog.text4(), typed);
    }
    EXPECT_FLOAT_EQ(dialog.converter().state.Resolution, 7.0f);
    EXPECT_TRUE(prompts.asked.empty());

    // A failure outside a conversion is reported and the dialog stays.
    dialog.converter().state.SavedStepX = 0;  // the fitting of the next character divides by it
    dialog.text1()->selectAll();
    QTest::keyClicks(dialog.text1(), "B");
    EXPECT_EQ(prompts.asked,
              std::vector<std::string>({"Critical Error: Datas Extraction Failure."}));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.Cancelled());

    // The large preview shows the cell whole, whatever its size: ink and background.
    for (const auto& [w, h] : {std::pair{255, 255}, {16, 205}}) {
        Form2 sized(DejaVu(), Cell(h, w, h / 5), prompts);
        sized.Load();
        const std::string shown = Preview(sized.picture(2));
        EXPECT_TRUE(shown.find('#') != std::string::npos && shown.find('.') != std::string::npos)
            << w << " x " << h << "\n"
            << shown;
    }
}

// Later, when the dialog waits or the conversion loop lets events run: as a click the user
// made meanwhile.
void Meanwhile(QObject* context, std::function<void()> action) {
    QMetaObject::invokeMethod(context, std::move(action), Qt::QueuedConnection);
}

// Watches for the conversion dialog: acts for the user once it waits for "Convert" (pressing
// it, unless a test says otherwise), and reports each converted character (1-based count) from
// inside the loop, just before it lets pending events run.
class ConversionWatcher : public QObject {
public:
    ConversionWatcher() { qApp->installEventFilter(this); }
    ~ConversionWatcher() override { qApp->removeEventFilter(this); }

    std::function<void(Form2&)> onWaiting = [](Form2& dialog) { dialog.fullAuto()->click(); };
    std::function<void(Form2&, int)> onCharacter;
    std::vector<int> progress;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* dialog = qobject_cast<Form2*>(watched);
        if (dialog && event->type() == QEvent::Show && !dialog->property("watched").toBool()) {
            dialog->setProperty("watched", true);
            connect(dialog->progressBar1(), &QProgressBar::valueChanged, this,
                    [this, dialog](int done) {
                        if (done <= 0) return;
                        progress.push_back(done);
                        if (onCharacter) onCharacter(*dialog, done);
                    });
            Meanwhile(dialog, [this, dialog] {
                if (onWaiting) onWaiting(*dialog);
            });
        }
        return false;
    }
};

// The file commands as letters, '-' where disabled: the frame's File menu, New, Open, Save, then
// the File menu of each open document; " busy" while a command runs.
std::string FileCommands(MDIForm1& frame) {
    std::string state;
    const auto mark = [&](bool on, char c) { state += on ? c : '-'; };
    mark(frame.FrameMenus().front()->menuAction()->isEnabled(), 'F');
    for (int n = 1; n <= 3; ++n) mark(Tool(frame, n)->isEnabled(), "NOS"[n - 1]);
    for (form1* document : frame.app().DocList) {
        if (document) mark(document->Menus().front()->menuAction()->isEnabled(), 'f');
    }
    return state + (frame.app().CommandBusy() ? " busy" : "");
}

// The conversion dialog while a conversion runs.
Form2* ConversionDialog(MDIForm1& frame) {
    TtfImportCommand* ttf = static_cast<EditorFileCommands&>(frame.files()).TtfImportMade();
    return ttf ? ttf->dialog() : nullptr;
}

// Import > Font TTF from the frame's menu, then the parameters dialog filled in and confirmed;
// the conversion runs inside the confirmation.
void Import(Editor& editor) {
    WhenShown<Form3>([](Form3& dialog) {
        EXPECT_EQ(dialog.mode(), PropertyMode::TrueType);
        FillPropertyDialog(dialog, {"16", "16", "20", "7E", "2", "3"});
    });
    editor.FrameMenu("ImportTTF");
}

// The dialog holds settings, and its previews show what a converter loaded with them makes of
// "X".
void ExpectPreviewOf(Form2& dialog, const ConversionSettings& settings) {
    EXPECT_EQ(dialog.converter().Settings(), settings);
    TtfConverter fresh(DejaVu(), dialog.converter().document());
    fresh.Load(settings);
    EXPECT_EQ(Result(dialog), Joined(ResultPicture(fresh.state)));
    for (int n : {2, 3}) EXPECT_EQ(Preview(dialog.picture(n)), Result(dialog));
}

// Outline pixels of the edit window's picture: those with an ink pixel of the glyph within one
// glyph pixel of them, and the others.
std::pair<int, int> Outline(form1& document) {
    const QImage image = document.zoomPic()->grab().toImage();
    const CarObject& glyph = FontOf(document).glyphs[document.zoomPic()->shownGlyph()];
    const FontParams& p = document.params();
    const int zoom = document.editZoom(), rowHeight = zoom * document.zoomPic()->magnif();
    const auto ink = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < p.FormatLengthCar && y < p.FormatHeightCar &&
               glyph.pixel(x, y);
    };
    int nearInk = 0, away = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != ToQColor(kOutlineColour)) continue;
            const int gx = x / zoom, gy = y / rowHeight;
            bool near = false;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) near = near || ink(gx + dx, gy + dy);
            }
            ++(near ? nearInk : away);
        }
    }
    return {nearInk, away};
}

TEST(TtfImportCommand, TheDialogWaitsPreviewsAChangeConvertsWithTheFileCommandsLockedOrFails) {
    Editor editor;
    MDIForm1& frame = *editor.frame;
    form1* other = NewFont(frame, {"8", "8"});  // which an import must leave alone
    const std::vector<uint8_t> otherBytes = FontOf(*other).glyphData();
    ConversionWatcher watcher;
    std::string waiting;
    watcher.onWaiting = [&](Form2& dialog) {
        waiting = FileCommands(frame) + (dialog.isVisible() ? " shown" : "") +
                  (dialog.fullAuto()->isEnabled() ? " convert" : "");
        ExpectPreviewOf(dialog, {});
        // A change previews at once; "Defaults" brings back the first settings.
        dialog.option(8)->click();
        dialog.slider5()->setValue(45);
        ExpectPreviewOf(dialog, {.Amplitude = 45, .Fit = TtfFit::WholeFace});
        dialog.defaults()->click();
        ExpectPreviewOf(dialog, {});
        EXPECT_TRUE(watcher.progress.empty());
        dialog.fullAuto()->click();
    };
    std::vector<std::string> during;
    watcher.onCharacter = [&](Form2& dialog, int done) {
        // The dialog up with its run controls off, no window yet, the file commands locked.
        const bool idle = dialog.fullAuto()->isEnabled() || dialog.defaults()->isEnabled();
        if (done % 59 == 1) during.push_back(FileCommands(frame) + (idle ? " idle" : " off"));
    };
    Import(editor);
    EXPECT_EQ(waiting, "----- busy shown convert");
    std::vector<int> everyCharacter(95);
    std::iota(everyCharacter.begin(), everyCharacter.end(), 1);
    EXPECT_EQ(watcher.progress, everyCharacter);
    EXPECT_EQ(during, std::vector<std::string>(2, "----- busy off"));
    EXPECT_EQ(ConversionDialog(frame), nullptr);
    // The characters that came out empty or cut are told.
    EXPECT_EQ(editor.Said(),
              "Information Velmar Pixmere: 14 characters of the face came out empty or cut at the "
              "edges of the cell: , - . T _ ` g j p q y { | }. \"Fit: whole face\" keeps them.");
    EXPECT_EQ(FileCommands(frame), "FNOSff");
    EXPECT_EQ(FontOf(*other).glyphData(), otherBytes);
    // A new window, named after the face, holds the range converted with the settings shown.
    form1* imported = frame.Document(2);
    ASSERT_NE(imported, nullptr);
    EXPECT_EQ(FileState(*imported), "modified None  | DejaVu Sans");
    const TtfImportResult expected = ImportTtfRange(DejaVu(), Cell(16, 16, 3), {});
    EXPECT_EQ(FontOf(*imported).glyphData(), expected.font.glyphData());

    // The outline behind an imported "O", its rows magnified as the edit window shows them,
    // follows a move and goes with Delete, all outlines with a row command; a font of another
    // making has none to show.
    auto* box = imported->findChild<QCheckBox*>("ShowOutline");
    EXPECT_TRUE(box->isEnabled());
    EXPECT_FALSE(other->findChild<QCheckBox*>("ShowOutline")->isEnabled());

    imported->findChild<QCheckBox*>("EnabMagnif")->setChecked(true);
    Click(imported->fontSupport(), CellCentre(*imported, 'O' - 0x20));
    EXPECT_EQ(Outline(*imported), std::pair(0, 0));  // until asked for
    box->click();
    for (const char* step : {"imported", "moved"}) {
        SCOPED_TRACE(step);
        const auto [nearInk, away] = Outline(*imported);
        EXPECT_GT(nearInk, 100);
        EXPECT_LT(away, nearInk / 20);
        imported->findChild<QToolButton*>("Down")->click();
    }
    imported->action("Dele")->trigger();  // a cleared character's outline goes, not the others'
    EXPECT_EQ(Outline(*imported), std::pair(0, 0));
    EXPECT_TRUE(box->isEnabled());
    imported->action("Atop")->trigger();
    EXPECT_FALSE(box->isEnabled());
    EXPECT_EQ(Outline(*imported), std::pair(0, 0));

    // A face not installed, a failure in the fitting of the third character and a face without
    // the reference "X" leave no window.
    editor.fonts->answer = FontChoice{"No Such Face", false, false};
    editor.FrameMenu("ImportTTF");  // no parameters dialog follows
    EXPECT_EQ(editor.Said(), "Critical Error: The font \"No Such Face\" is not installed.");
    editor.fonts->answer = FontChoice{"DejaVu Sans", true, false};
    watcher.progress.clear();
    watcher.onWaiting = [](Form2& dialog) { dialog.fullAuto()->click(); };
    watcher.onCharacter = [&](Form2& dialog, int done) {
        if (done == 2) dialog.converter().state.SavedStepX = 0;  // the reference step lost
    };
    Import(editor);
    EXPECT_EQ(watcher.progress, std::vector<int>({1, 2}));
    QPainterPath dot;
    dot.addRect(50, -100, 100, 100);
    editor.fonts->face = TtfFace::FromOutlines("Dots", 800, {{U'.', dot}});
    Import(editor);
    EXPECT_EQ(
        editor.Said(),
        "Critical Error: Datas Extraction Failure.\nCritical Error: Datas Extraction Failure.");
    EXPECT_EQ(ConversionDialog(frame), nullptr);
    EXPECT_EQ(FileCommands(frame), "FNOSff");
}

TEST(TtfImportCommand,
     CancelOrClosingTheDialogOrTheFrameBeforeOrDuringTheConversionLeavesNoWindow) {
    for (const bool waiting : {true, false}) {
        for (const std::string way : {"cancel", "close dialog", "close frame"}) {
            SCOPED_TRACE(way + (waiting ? " before Convert" : " at the third character"));
            Editor editor;
            MDIForm1& frame = *editor.frame;
            NewFont(frame, {"8", "8"})->document()->setFlagModified(false);
            ConversionWatcher watcher;
            const auto abandon = [&](Form2& dialog) {
                if (way == "cancel") dialog.cancell()->click();
                if (way == "close dialog") dialog.close();
                if (way == "close frame") frame.close();
            };
            if (waiting) watcher.onWaiting = abandon;
            watcher.onCharacter = [&](Form2& dialog, int done) {
                if (done == 3) Meanwhile(&dialog, [&abandon, &dialog] { abandon(dialog); });
            };
            Import(editor);
            EXPECT_EQ(watcher.progress, waiting ? std::vector<int>() : std::vector<int>({1, 2, 3}));
            EXPECT_EQ(ConversionDialog(frame), nullptr);
            EXPECT_EQ(editor.Said(), "");
            // Only "Convert" makes settings worth remembering.
            EXPECT_EQ(QSettings().childGroups().contains("TrueTypeImport"), !waiting);
            // The frame closes once the conversion has stopped; else the commands work again
            // and a new font takes the freed slot.
            EXPECT_EQ(frame.isVisible(), way != "close frame");
            if (way == "close frame") continue;
            EXPECT_EQ(FileCommands(frame), "FNOSf");
            EXPECT_EQ(NewFont(frame, {"8", "8"})->index(), 2);
        }
    }
}

}  // namespace
}  // namespace pixmere::test
