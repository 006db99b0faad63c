#include "FileTestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>

#include "formats/FonLibrary.h"
#include "formats/NativeFile.h"
#include "support/TempDir.h"
#include "ui/form1.h"

namespace pixmere::test {

QMessageBox::StandardButton RecordingPrompts::Message(QWidget*, QMessageBox::Icon icon,
                                                      const QString& title, const QString& text,
                                                      QMessageBox::StandardButtons buttons) {
    asked.push_back({icon, title, text, buttons});
    if (answers.empty()) return QMessageBox::Ok;
    const QMessageBox::StandardButton answer = answers.front();
    answers.pop_front();
    return answer;
}

QString ScriptedDialogs::OpenFileName(QWidget*, const QString& filter, const QString& startDir) {
    opens.push_back({filter, startDir});
    if (openAnswers.empty()) return {};
    const QString answer = openAnswers.front();
    openAnswers.pop_front();
    return answer;
}

SaveChoice ScriptedDialogs::SaveFileName(QWidget*, const QString& filter, const QString& startDir) {
    saves.push_back({filter, startDir});
    if (saveAnswers.empty()) return {};
    const SaveChoice answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

void ScriptedDialogs::ShowFontSelection(Form4& dialog) {
    fontSelection = &dialog;
    dialog.show();
}

FileEditor::FileEditor() {
    auto recording = std::make_unique<RecordingPrompts>();
    auto scripted = std::make_unique<ScriptedDialogs>();
    prompts = recording.get();
    dialogs = scripted.get();
    frame = std::make_unique<MDIForm1>("", std::move(recording),
                                       std::make_unique<EditorFileCommands>(std::move(scripted)));
    frame->show();
}

FileEditor::~FileEditor() {
    // Nothing asks on the way out.
    for (form1* document : frame->app().DocList) {
        if (document && document->document()) document->document()->setFlagModified(false);
    }
    frame->close();
    QApplication::processEvents();
}

void FileEditor::FrameMenu(const char* name) {
    for (QAction* action : frame->FrameMenus().first()->findChildren<QAction*>()) {
        if (action->objectName() == QLatin1String(name)) {
            action->trigger();
            QApplication::processEvents();
            return;
        }
    }
    ADD_FAILURE() << "no frame menu item " << name;
}

std::vector<uint8_t> RawNativeFile(const Font& font) {
    const FontParams& p = font.params;
    Scrambler::Key key{};
    for (std::size_t i = 0; i < key.size(); ++i) key[i] = static_cast<uint8_t>(17 * i + 3);
    Scrambler s;
    s.CryptInit(key);
    const std::vector<uint8_t> data = font.glyphData();
    std::vector<uint8_t> out(kNativeHeaderSize + data.size());
    out[0] = s.Crypt(p.FormatLengthCar);
    out[1] = s.Crypt(p.FormatHeightCar);
    out[2] = s.Crypt(p.jambon);
    out[3] = s.Crypt(p.firstcar);
    out[4] = s.Crypt(static_cast<uint8_t>(p.NbCar - 1));
    out[5] = s.Crypt(p.Magnification);
    std::copy(key.begin(), key.end(), out.begin() + 6);
    for (std::size_t n = 0; n < data.size(); ++n) out[kNativeHeaderSize + n] = s.Crypt(data[n]);
    return out;
}

std::vector<uint8_t> RealFnt(const std::string& library, int position) {
    const std::vector<uint8_t> bytes = ReadAll("/usr/share/wine/fonts/" + library);
    const FonFont font = ReadFontDirectory(bytes).fonts.at(static_cast<std::size_t>(position));
    const auto start = bytes.begin() + static_cast<long>(font.offset);
    return {start, start + font.size};
}

}  // namespace pixmere::test
