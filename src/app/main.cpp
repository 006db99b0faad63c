#include <QApplication>
#include <iostream>

#include "app/CommandLine.h"
#include "ui/EditorFileCommands.h"
#include "ui/Form5.h"
#include "ui/MDIForm1.h"
#include "version/Version.h"

namespace {

std::vector<std::string> Arguments(int argc, char** argv) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

}  // namespace

// Start-up: answer --help and --version before a display is needed, then name the operating
// system, which sets the number of document windows, and show the frame with no document open.
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
    QApplication app(argc, argv);
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
    pixmere::MDIForm1 frame(osName, nullptr, std::make_unique<pixmere::EditorFileCommands>());
    frame.show();
    return app.exec();
}
