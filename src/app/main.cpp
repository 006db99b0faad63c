#include <QApplication>
#include <QMessageBox>
#include <cstdlib>
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

// Start-up: answer --help, --version and wrong options before a display is needed, and say
// so when there is none; then name the operating system, which sets the number of document
// windows, and show the frame with the files the command line names.
int main(int argc, char** argv) {
    const std::vector<std::string> args = Arguments(argc, argv);
    const pixmere::StartCheck check = pixmere::CheckArguments(args);
    switch (check.action) {
        case pixmere::StartAction::Help:
        case pixmere::StartAction::Version:
            std::cout << check.text;
            return 0;
        case pixmere::StartAction::Usage:
            std::cerr << check.text;
            return 2;
        case pixmere::StartAction::Run:
            break;
    }
    if (!pixmere::DisplayFound(args, [](const char* name) { return std::getenv(name); })) {
        std::cerr << pixmere::NoDisplayText();
        return 1;
    }
    EditorApplication app(argc, argv);
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
