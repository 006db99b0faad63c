#include "UiTestSupport.h"

namespace pixmere::test {

namespace {

// Widget tests need one QApplication for the whole run, and the application's settings in a
// folder of their own, never the user's.
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "pixmere_ui_tests";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(settings_.path().string()));
        app_ = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    TempDir settings_;
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

template <typename T>
T Next(std::deque<T>& queue, T none) {
    if (queue.empty()) return none;
    T answer = queue.front();
    queue.pop_front();
    return answer;
}

}  // namespace

QMessageBox::StandardButton ScriptedPrompts::Message(QWidget*, QMessageBox::Icon icon,
                                                     const QString& title, const QString& text,
                                                     QMessageBox::StandardButtons) {
    const char* names[] = {"None", "Information", "Warning", "Critical", "Question"};
    asked.push_back(std::string(names[icon]) + " " + title.toStdString() + ": " +
                    text.toStdString());
    return Next(answers, QMessageBox::Ok);
}

QString ScriptedDialogs::OpenFileName(QWidget*, const QString& filter, const QString& startDir) {
    opens.emplace_back(filter, startDir);
    return Next(openAnswers, QString());
}

SaveChoice ScriptedDialogs::SaveFileName(QWidget*, const QString& filter, const QString& startDir) {
    saves.emplace_back(filter, startDir);
    return Next(saveAnswers, SaveChoice());
}

namespace {

// While an Editor lives: answers each modal dialog that shows with the first waiting answer for
// its type, from inside the dialog's wait; one that no answer waits for fails the test and is
// dismissed, so that no test waits for a person.
class DialogWatcher : public QObject {
public:
    DialogWatcher() { qApp->installEventFilter(this); }
    ~DialogWatcher() override { qApp->removeEventFilter(this); }

    void Add(const QMetaObject& type, std::function<void(QDialog&)> answer) {
        answers_.push_back({&type, std::move(answer)});
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* shown = qobject_cast<QDialog*>(watched);
        if (event->type() != QEvent::Show || !shown || !shown->isModal()) return false;
        std::function<void(QDialog&)> answer;
        for (auto it = answers_.begin(); it != answers_.end(); ++it) {
            if (shown->metaObject()->inherits(it->first)) {
                answer = std::move(it->second);
                answers_.erase(it);
                break;
            }
        }
        QPointer<QDialog> dialog = shown;
        QMetaObject::invokeMethod(
            this,
            [dialog, answer] {
                if (!dialog) return;
                if (!answer) ADD_FAILURE() << "unexpected " << dialog->objectName().toStdString();
                if (answer) answer(*dialog);
                // An answer that leaves the dialog up would leave the test waiting.
                if (dialog && dialog->isVisible()) {
                    if (answer) ADD_FAILURE() << dialog->objectName().toStdString() << " stayed";
                    dialog->reject();
                }
            },
            Qt::QueuedConnection);
        return false;
    }

private:
    std::vector<std::pair<const QMetaObject*, std::function<void(QDialog&)>>> answers_;
};

DialogWatcher* watcher = nullptr;

}  // namespace

void WhenShownAnswer(const QMetaObject& type, std::function<void(QDialog&)> answer) {
    if (!watcher) throw std::logic_error("dialogs are answered while an Editor lives");
    watcher->Add(type, std::move(answer));
}

Editor::Editor(const std::string& osName) {
    QSettings().clear();  // as on the first run: nothing remembered
    watcher = new DialogWatcher;
    // The frame owns them; the test keeps a hand on each.
    frame = std::make_unique<MDIForm1>(
        osName, std::unique_ptr<Prompts>(prompts = new ScriptedPrompts),
        std::make_unique<EditorFileCommands>(
            std::unique_ptr<FileDialogs>(dialogs = new ScriptedDialogs),
            std::unique_ptr<FontDialog>(fonts = new ScriptedFontDialog)));
    frame->show();
}

Editor::~Editor() {
    delete watcher;
    watcher = nullptr;
    // Nothing asks on the way out.
    for (form1* document : frame->app().DocList) {
        if (document && document->document()) document->document()->setFlagModified(false);
    }
    frame->close();
    QApplication::processEvents();
}

void Editor::FrameMenu(const char* name, const std::string& path) {
    if (!path.empty()) WillOpen(path);
    QAction* action = frame->FrameMenus().first()->findChild<QAction*>(QLatin1String(name));
    ASSERT_NE(action, nullptr) << name;
    action->trigger();
    QApplication::processEvents();
}

std::string Editor::Said() {
    std::string text;
    for (const std::string& message : prompts->asked) text += (text.empty() ? "" : "\n") + message;
    prompts->asked.clear();
    return text;
}

bool FillPropertyDialog(Form3& dialog, const Typed& typed) {
    QTest::keyClicks(dialog.width1(), typed.width);
    QTest::keyClicks(dialog.height1(), typed.height);
    for (auto [box, text] :
         {std::pair{dialog.charmin1(), typed.first}, std::pair{dialog.charmax1(), typed.last}}) {
        if (text.isEmpty()) continue;
        box->clear();
        QTest::keyClicks(box, text);
    }
    dialog.Magnificatio()->setEditText(typed.magnification);
    dialog.Jambage()->setEditText(typed.downstroke);
    dialog.Ok()->click();
    return !dialog.isVisible();
}

void WillFillPropertyDialog(const Typed& typed) {
    WhenShown<Form3>([typed](Form3& dialog) {
        if (!FillPropertyDialog(dialog, typed)) dialog.Cancel()->click();
    });
}

form1* NewFont(MDIForm1& frame, const Typed& typed) {
    const int before = frame.app().DocCount;
    WillFillPropertyDialog(typed);
    Tool(frame, kNew)->click();
    if (frame.app().DocCount == before) throw std::runtime_error("New was refused");
    return frame.ActiveDocument();
}

std::string DialogFields(const Form3& dialog) {
    const bool range = dialog.charmin1()->isReadOnly() && dialog.charmax1()->isReadOnly();
    const bool size = dialog.width1()->isReadOnly() && dialog.height1()->isReadOnly();
    return (dialog.width1()->text() + " x " + dialog.height1()->text() + " down " +
            dialog.Jambage()->currentText() + " magnif " + dialog.Magnificatio()->currentText() +
            " codes " + dialog.charmin1()->text() + "-" + dialog.charmax1()->text() +
            (size    ? " (all locked)"
             : range ? " (range locked)"
                     : ""))
        .toStdString();
}

void Settle() {
    // A window that goes may close a dialog in turn.
    for (int round = 0; round < 2; ++round) {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void Discard(MDIForm1& frame, form1& document) {
    document.document()->setFlagModified(false);
    frame.CloseDocument(document);
    Settle();
}

void Drag(QWidget* widget, const std::vector<QPoint>& path, Qt::MouseButton button) {
    SendMouse(widget, QEvent::MouseButtonPress, path.front(), button, button);
    for (std::size_t i = 1; i < path.size(); ++i) {
        SendMouse(widget, QEvent::MouseMove, path[i], Qt::NoButton, button);
    }
    SendMouse(widget, QEvent::MouseButtonRelease, path.back(), button, Qt::NoButton);
}

// Cell index of the document's font window, in widget coordinates.
static QRect CellRect(form1& document, int index) {
    const FontLayout& layout = document.fontLayout();
    const FontCanvas* canvas = document.fontSupport();
    return QRect(layout.CellLeft(index) - canvas->hOffset(),
                 layout.CellTop(index) - canvas->vOffset(), layout.cellWidth, layout.cellHeight);
}

QPoint CellCentre(form1& document, int index) { return CellRect(document, index).center(); }

bool CellInView(form1& document, int index) {
    return document.fontSupport()->rect().contains(CellRect(document, index));
}

QPoint PixelCentre(form1& document, int column, int row) {
    const int zoom = document.editZoom();
    const int rowHeight = zoom * document.EditMagnif();
    const EditCanvas* picture = document.zoomPic();
    return QPoint(column * zoom + zoom / 2 - picture->hOffset(),
                  row * rowHeight + rowHeight / 2 - picture->vOffset());
}

void Draw(form1& document, int index, int x, int y) {
    Click(document.fontSupport(), CellCentre(document, index));
    Click(document.zoomPic(), PixelCentre(document, x, y));
}

std::string Picture(const Font& font, int index) {
    return Joined(
        GlyphPicture(font.glyphs[static_cast<std::size_t>(index)], font.params.FormatLengthCar));
}

QStringList Captions(const QList<QAction*>& actions) {
    QStringList captions;
    for (const QAction* action : actions) {
        captions << QString(action->text()).replace("&&", "\t").remove('&').replace('\t', '&');
    }
    return captions;
}

QToolButton* Tool(MDIForm1& frame, int n) {
    auto* button = frame.findChild<QToolButton*>(QStringLiteral("Command%1").arg(n));
    if (!button) throw std::runtime_error("no toolbar button " + std::to_string(n));
    return button;
}

std::string FileState(form1& document) {
    const char* types[] = {"None", "Native", "Bin", "C", "Txt", "Bdf"};
    const auto title = document.findChild<QLabel*>("TitleFon")->text().toStdString();
    return std::string(document.FlagModified() ? "modified " : "saved ") +
           types[static_cast<int>(document.saveFormat().value_or(FontFileType{}))] + " " +
           document.FileName().toStdString() + " | " + title;
}

void ExpectDocument(form1* document, const Font& expected, const QString& title) {
    ASSERT_TRUE(document && document->document());
    EXPECT_TRUE(WindowOf(*document) && WindowOf(*document)->isVisible());
    EXPECT_EQ(Describe(document->params()), Describe(expected.params));
    EXPECT_EQ(FontOf(*document).glyphData(), expected.glyphData());
    EXPECT_EQ(document->Title(), title);
}

}  // namespace pixmere::test
