#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "model/Font.h"
#include "ui/EditorFileCommands.h"
#include "ui/FileDialogs.h"
#include "ui/Form4.h"
#include "ui/MDIForm1.h"
#include "ui/Prompts.h"

namespace pixmere::test {

// Answers message boxes from a queue (OK when it is empty) and keeps everything that was asked,
// caption and buttons included.
class RecordingPrompts : public Prompts {
public:
    struct Asked {
        QMessageBox::Icon icon;
        QString title;
        QString text;
        QMessageBox::StandardButtons buttons;
    };
    QMessageBox::StandardButton Message(QWidget*, QMessageBox::Icon icon, const QString& title,
                                        const QString& text,
                                        QMessageBox::StandardButtons buttons) override;
    std::deque<QMessageBox::StandardButton> answers;
    std::vector<Asked> asked;
};

// File dialogs answered from queues (cancelled when a queue is empty). The font selection is
// shown as the editor shows it, and kept for the test to answer.
class ScriptedDialogs : public FileDialogs {
public:
    struct Asked {
        QString filter;
        QString startDir;
    };
    QString OpenFileName(QWidget*, const QString& filter, const QString& startDir) override;
    SaveChoice SaveFileName(QWidget*, const QString& filter, const QString& startDir) override;
    void ShowFontSelection(Form4& dialog) override;

    std::deque<QString> openAnswers;
    std::deque<SaveChoice> saveAnswers;
    std::vector<Asked> opens;
    std::vector<Asked> saves;
    QPointer<Form4> fontSelection;
};

// A frame with the editor's file commands, scripted dialogs and recorded prompts.
struct FileEditor {
    FileEditor();
    ~FileEditor();
    std::unique_ptr<MDIForm1> frame;
    RecordingPrompts* prompts;
    ScriptedDialogs* dialogs;

    // Queues the answer of the next open-file dialog.
    void WillOpen(const std::string& path) {
        dialogs->openAnswers.push_back(QString::fromStdString(path));
    }
    void WillSave(const std::string& path, int type) {
        dialogs->saveAnswers.push_back({QString::fromStdString(path), type});
    }
    // Runs a command of the frame's File menu ("open", "ImportFNT", ...) and lets closed windows
    // go.
    void FrameMenu(const char* name);
};

// A native file written byte by byte, so that it may hold what the editor never writes
// (codes below 20h).
std::vector<uint8_t> RawNativeFile(const Font& font);

// A font resource of a real library, cut out as a stand-alone .fnt file.
std::vector<uint8_t> RealFnt(const std::string& library, int position);

}  // namespace pixmere::test
