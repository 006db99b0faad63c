#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <functional>

#include "support/TempDir.h"
#include "ui/EditorFileCommands.h"
#include "ui/FileDialogs.h"

namespace pixmere {
namespace {

// Answers the next file dialog the editor opens as a user would; any message box that dialog
// raises on its own is recorded and dismissed.
struct DialogUser {
    std::function<void(QFileDialog&)> answer;
    QStringList nameFilters;
    QString caption;
    int ownQuestions = 0;
    bool answered = false;
    QTimer watch;

    DialogUser() {
        QObject::connect(&watch, &QTimer::timeout, [this] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (!widget->isVisible()) continue;
                if (auto* box = qobject_cast<QMessageBox*>(widget)) {
                    ++ownQuestions;
                    box->reject();
                } else if (auto* dialog = qobject_cast<QFileDialog*>(widget); dialog && answered) {
                    dialog->reject();  // still open after its answer: it asked something
                }
            }
        });
        watch.start(20);
    }

    void Arm() {
        answered = false;
        QTimer::singleShot(0, [this] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog) {
                ADD_FAILURE() << "no file dialog";
                return;
            }
            nameFilters = dialog->nameFilters();
            caption = dialog->windowTitle();
            answer(*dialog);
            answered = true;
        });
    }
};

QString Q(const std::string& text) { return QString::fromStdString(text); }

TEST(FileDialogs, SaveGivesTheChosenTypeItsExtensionAndLeavesTheOverwriteQuestionToTheEditor) {
    test::TempDir dir;
    test::WriteAll(dir.file("old.bin"), {1});
    FileDialogs dialogs;
    const QString filter = QString::fromLatin1(kSaveAsFilter);

    DialogUser user;
    user.answer = [](QFileDialog& d) {
        d.selectNameFilter(QStringLiteral("C File (*.c)"));
        d.selectFile(QStringLiteral("table"));
        QMetaObject::invokeMethod(&d, "accept");
    };
    user.Arm();
    SaveChoice choice = dialogs.SaveFileName(nullptr, filter, Q(dir.path().string()));
    EXPECT_EQ(user.caption, "Save As");
    EXPECT_EQ(user.nameFilters, QStringList({"Velmar Font (*.pzf)", "Bin Velmar (*.bin)",
                                             "C File (*.c)", "Text File (*.txt)"}));
    EXPECT_EQ(choice.type, 3);
    EXPECT_EQ(choice.path, Q(dir.file("table.c")));

    // An existing file is returned without a question of the dialog's own.
    user.answer = [](QFileDialog& d) {
        d.selectNameFilter(QStringLiteral("Bin Velmar (*.bin)"));
        d.selectFile(QStringLiteral("old.bin"));
        QMetaObject::invokeMethod(&d, "accept");
    };
    user.Arm();
    choice = dialogs.SaveFileName(nullptr, filter, Q(dir.path().string()));
    EXPECT_EQ(user.ownQuestions, 0);
    EXPECT_EQ(choice.type, 2);
    EXPECT_EQ(choice.path, Q(dir.file("old.bin")));

    user.answer = [](QFileDialog& d) { d.reject(); };
    user.Arm();
    choice = dialogs.SaveFileName(nullptr, filter, Q(dir.path().string()));
    EXPECT_TRUE(choice.path.isEmpty());
    EXPECT_EQ(choice.type, 0);
}

TEST(FileDialogs, OpenShowsTheFilterAndGivesThePathOrNothing) {
    test::TempDir dir;
    test::WriteAll(dir.file("a.fnt"), {1});
    FileDialogs dialogs;
    DialogUser user;
    user.answer = [](QFileDialog& d) {
        d.selectFile(QStringLiteral("a.fnt"));
        QMetaObject::invokeMethod(&d, "accept");
    };
    user.Arm();
    EXPECT_EQ(
        dialogs.OpenFileName(nullptr, QString::fromLatin1(kFntFilter), Q(dir.path().string())),
        Q(dir.file("a.fnt")));
    EXPECT_EQ(user.nameFilters, QStringList({"FNT Font (*.fnt)"}));
    user.answer = [](QFileDialog& d) { d.reject(); };
    user.Arm();
    EXPECT_TRUE(
        dialogs.OpenFileName(nullptr, QString::fromLatin1(kFntFilter), Q(dir.path().string()))
            .isEmpty());
}

}  // namespace
}  // namespace pixmere
