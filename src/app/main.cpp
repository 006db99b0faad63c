#include <QApplication>
#include <QMessageBox>
#include <iostream>
#include <new>

#include "app/CommandLine.h"
#include "ui/CommandLineFiles.h"
#include "ui/Form5.h"
#include "ui/MDIForm1.h"
#include "version/Version.h"

namespace {

std::vector<std::string> Arguments(int argc, char** argv) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

// Every command runs inside an event handler, where an exception would end the program and
// take every open font with it: one that escapes a command is told, and the editor goes on.
class EditorApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::bad_alloc&) {
            Tell(QStringLiteral("There is not enough memory to finish this command."));
        } catch (const std::exception& e) {
            Tell(QStringLiteral("This command failed: %1").arg(QString::fromLocal8Bit(e.what())));
        } catch (...) {
            Tell(QStringLiteral("This command failed."));
        }
        return false;
    }

private:
    static void Tell(const QString& message) {
        QMessageBox::critical(activeWindow(), QStringLiteral("Error"), message);
    }
};

// Usage: pixmere [FILE...]
// Each font file named on the command line opens in a window of its own once the frame shows.
void OpenCommandLineFiles(pixmere::MDIForm1& frame) {
    auto* files = new pixmere::CommandLineFiles(
        frame, pixmere::CommandLineFiles::FileArguments(QApplication::arguments()), &frame);
    QMetaObject::invokeMethod(files, &pixmere::CommandLineFiles::OpenNext, Qt::QueuedConnection);
}

}  // namespace

// Start-up: answer --help and --version before a display is needed, then name the operating
// system, which sets the number of document windows, and show the frame with the files the
// command line names.
int main(int argc, char** argv) {
    switch (pixmere::EarlyAction(Arguments(argc, argv))) {
        case pixmere::StartAction::Help:
            std::cout << pixmere::HelpText();
            return 0;
        case pixmere::StartAction::Version:
            std::cout << pixmere::VersionText();
            return 0;
        case pixmere::StartAction::Run:
            break;
    }
    EditorApplication app(argc, argv);
    if (const auto unknown = pixmere::UnknownOption(Arguments(argc, argv))) {
        std::cerr << "pixmere: unknown option '" << *unknown << "'\n"
                  << "Try 'pixmere --help' for more information.\n";
        return 2;
    }
    // Together they name where the application's settings are kept.
    QApplication::setOrganizationName(QStringLiteral("Velmar"));
    QApplication::setApplicationName(QStringLiteral("Velmar Pixmere"));
    QApplication::setApplicationVersion(QString::fromLatin1(pixmere::ProgramVersion()));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(pixmere::DesktopId()));
    const std::string osName = pixmere::Form5::CheckOS();
    pixmere::MDIForm1 frame(osName);
    frame.show();
    OpenCommandLineFiles(frame);
    return app.exec();
}
