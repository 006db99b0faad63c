#include "UiTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "ui/EditCanvas.h"
#include "ui/FontCanvas.h"
#include "ui/Form3.h"
#include "ui/form1.h"

namespace pixmere::test {

namespace {

// Widget tests need one QApplication for the whole run.
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "pixmere_ui_tests";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
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

}  // namespace

QMessageBox::StandardButton ScriptedPrompts::Message(QWidget*, QMessageBox::Icon icon,
                                                     const QString&, const QString& text,
                                                     QMessageBox::StandardButtons) {
    asked.push_back({icon, text});
    if (answers.empty()) return QMessageBox::Ok;
    const QMessageBox::StandardButton answer = answers.front();
    answers.pop_front();
    return answer;
}

Editor::Editor(const std::string& osName) {
    auto scripted = std::make_unique<ScriptedPrompts>();
    auto fake = std::make_unique<FakeFiles>();
    prompts = scripted.get();
    files = fake.get();
    frame = std::make_unique<MDIForm1>(osName, std::move(scripted), std::move(fake));
    frame->show();
}

Editor::~Editor() {
    // Nothing asks on the way out.
    for (form1* document : frame->app().DocList) {
        if (document && document->document()) document->document()->setFlagModified(false);
    }
    frame->close();
    QApplication::processEvents();
}

form1* NewFontThroughDialog(MDIForm1& frame, const QString& width, const QString& height,
                            const QString& first, const QString& last, const QString& magnification,
                            const QString& downstroke) {
    frame.command(1)->click();
    Form3* dialog = frame.propertyDialog();
    if (!dialog) return nullptr;
    const uint8_t slot = frame.app().LastDoc;
    QTest::keyClicks(dialog->width1(), width);
    QTest::keyClicks(dialog->height1(), height);
    dialog->charmin1()->clear();
    QTest::keyClicks(dialog->charmin1(), first);
    dialog->charmax1()->clear();
    QTest::keyClicks(dialog->charmax1(), last);
    dialog->Magnificatio()->setEditText(magnification);
    dialog->Jambage()->setEditText(downstroke);
    dialog->Ok()->click();
    QApplication::processEvents();
    return frame.propertyDialog() ? nullptr : frame.Document(slot);
}

void Press(QWidget* widget, QPoint at, Qt::MouseButton button) {
    SendMouse(widget, QEvent::MouseButtonPress, at, button, button);
}

void DragTo(QWidget* widget, QPoint to, Qt::MouseButtons held) {
    SendMouse(widget, QEvent::MouseMove, to, Qt::NoButton, held);
}

void Release(QWidget* widget, QPoint at, Qt::MouseButton button) {
    SendMouse(widget, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}

void Click(QWidget* widget, QPoint at, Qt::MouseButton button) {
    Press(widget, at, button);
    Release(widget, at, button);
}

QPoint CellCentre(form1& document, int index) {
    const FontLayout& layout = document.fontLayout();
    const FontCanvas* canvas = document.fontSupport();
    return QPoint(layout.CellLeft(index) + layout.cellWidth / 2 - canvas->hOffset(),
                  layout.CellTop(index) + layout.cellHeight / 2 - canvas->vOffset());
}

QPoint PixelCentre(form1& document, int column, int row) {
    const int zoom = document.editZoom();
    const int rowHeight = zoom * document.EditMagnif();
    const EditCanvas* picture = document.zoomPic();
    return QPoint(column * zoom + zoom / 2 - picture->hOffset(),
                  row * rowHeight + rowHeight / 2 - picture->vOffset());
}

}  // namespace pixmere::test
