// pixmere FILE...: files named on the command line, dropped on the frame or chosen from the
// recent files open as Open and the Import menu open them.
#include "UiTestSupport.h"
#include "formats/NativeFile.h"
#include "ui/CommandLineFiles.h"

namespace pixmere::test {
namespace {

// pixmere as a shell without a display starts it: what it prints and its exit status.
std::string Started(const QStringList& args) {
    QProcess editor;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
    editor.setProcessEnvironment(env);
    editor.start(PIXMERE_EDITOR, args);
    if (!editor.waitForFinished(20000)) {
        editor.kill();
        return "still running";
    }
    return std::to_string(editor.exitCode()) + " " + editor.readAllStandardOutput().toStdString() +
           "|" + editor.readAllStandardError().toStdString();
}

// Help, the version and wrong options are answered without a display; without one, the editor
// says so and how to do without, instead of aborting.
TEST(CommandLine, HelpVersionAndWrongOptionsNeedNoDisplayAndNoDisplayIsSaid) {
    const std::string help = Started({"--help"});
    EXPECT_TRUE(help.starts_with("0 Usage: pixmere [OPTION...] [FILE...]\n")) << help;
    EXPECT_NE(help.find(".pcf.gz, .psf"), std::string::npos) << help;
    for (const char* version : {"--version", "-v"}) {
        EXPECT_EQ(Started({version}), "0 pixmere 2.1.0\n|") << version;
    }
    // Qt's own options, with their values, are no mistake (below, -x is the style's name).
    for (const auto& [wrong, option] : {std::pair{QStringList{"--bogus"}, "--bogus"},
                                        {QStringList{"-style", "x", "-q", "a"}, "-q"}}) {
        const std::string said = Started(wrong);
        EXPECT_TRUE(said.starts_with(std::string("2 |pixmere: unknown option '") + option +
                                     "'\nUsage: pixmere"))
            << said;
    }
    EXPECT_EQ(Started({"a.pzf", "-style", "-x", "--", "-y.pzf"}),
              "1 |pixmere: no display was found to show the editor's windows on.\n"
              "Run it in a graphical session, or without one as 'xvfb-run -a pixmere "
              "[FILE...]';\npixmere-cli converts and edits fonts without a display.\n");
}

// Files dropped on the frame open in turn; the last eight opened or saved are listed, most
// recent first, remembered, and open again from the list.
TEST(CommandLine, DroppedAndRecentFilesOpenAgainAndEachArgumentOpensInItsOwnWindow) {
    TempDir dir;
    Editor editor;
    MDIForm1& frame = *editor.frame;
    QMimeData dropped;
    QList<QUrl> urls;
    for (int n = 1; n <= 9; ++n) {
        const std::string path = dir.file("f" + std::to_string(n) + ".pzf");
        WriteAll(path, SaveNative(PatternFont(Shape(5, 4, 0x41, n))).bytes);
        urls << QUrl::fromLocalFile(Q(path));
    }
    dropped.setUrls(urls);
    const QAction* recent = frame.actions().file.recentMenu->menuAction();
    EXPECT_FALSE(recent->isEnabled());
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &drop);
    Settle();
    ASSERT_EQ(frame.app().DocCount, 9);
    EXPECT_TRUE(recent->isEnabled());
    editor.WillSave(dir.file("saved.pzf"), 1);
    frame.Document(1)->action("saveas")->trigger();

    QMenu list;
    frame.FillRecentFiles(&list);
    QStringList shown;
    for (QAction* item : list.actions()) shown << item->text();
    QStringList expected = {"&1 " + Q(dir.file("saved.pzf"))};
    for (int n = 9; n >= 3; --n) {
        expected << QStringLiteral("&%1 %2").arg(11 - n).arg(
            Q(dir.file("f" + std::to_string(n) + ".pzf")));
    }
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(RecentFiles().Files().first(), Q(dir.file("saved.pzf")));  // as the next run sees
    Discard(frame, *frame.Document(9));
    list.actions().at(1)->trigger();
    EXPECT_EQ(frame.Document(9)->Title(), Q(dir.file("f9.pzf")));
    // Opened again, a file moves to the top, listed once.
    EXPECT_EQ(
        RecentFiles().Files().mid(0, 3),
        QStringList({Q(dir.file("f9.pzf")), Q(dir.file("saved.pzf")), Q(dir.file("f8.pzf"))}));
    EXPECT_EQ(editor.Said(), "");

    // The files are the arguments but the options, made absolute; each opens in its own window.
    const QString here = QDir::currentPath();
    EXPECT_EQ(
        CommandLineFiles::FileArguments(
            {"pixmere", "a.pzf", "-x", "/tmp/b.fnt", "-", "--", "-c.c", "--"}),
        QStringList({here + "/a.pzf", "/tmp/b.fnt", here + "/-", here + "/-c.c", here + "/--"}));
    const std::string native = dir.file("small.pzf");
    WriteAll(native, SaveNative(PatternFont(Shape(5, 4, 0x41, 3))).bytes);
    const std::string damaged = dir.file("damaged.pzf");
    WriteAll(damaged, {1, 2, 3});
    const int before = frame.app().DocCount;
    const QString fon = "/usr/share/wine/fonts/sserife.fon";
    const QString console = "/usr/share/consolefonts/Lat15-Fixed16.psf.gz";
    CommandLineFiles files(frame, {Q(native), fon, Q(damaged), Q(native), console});
    // The library's font selection asks while the rest wait.
    WhenShown<Form4>([&](Form4& selection) {
        EXPECT_EQ(frame.app().DocCount, before + 1);
        EXPECT_EQ(files.waiting().size(), 3);
        selection.OkChooseFON()->click();
    });
    files.OpenNext();
    Settle();
    // The damaged file is refused as Open refuses it; the last one opens again, and a compressed
    // console font goes through its import, as the Import menu's would.
    EXPECT_EQ(editor.Said(), kBadFile + "\n" + damaged);
    ASSERT_EQ(frame.app().DocCount, before + 4);
    QStringList titles;
    for (int n = 1; n <= 4; ++n) titles << frame.Document(before + n)->Title();
    EXPECT_EQ(titles, QStringList({Q(native), fon, Q(native), console}));
    EXPECT_TRUE(frame.Document(before + 2)->FlagModified());  // imported: Save asks for a file
}

}  // namespace
}  // namespace pixmere::test
