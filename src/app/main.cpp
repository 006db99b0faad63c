#include <QApplication>

#include "ui/CommandLineFiles.h"
#include "ui/EditorFileCommands.h"
#include "ui/Form5.h"
#include "ui/MDIForm1.h"

namespace {

// Usage: pixmere [FILE...]
// Each font file named on the command line opens in a window of its own once the frame shows.
void OpenCommandLineFiles(pixmere::MDIForm1& frame) {
    auto* files = new pixmere::CommandLineFiles(
        frame, pixmere::CommandLineFiles::FileArguments(QApplication::arguments()), &frame);
    QMetaObject::invokeMethod(files, &pixmere::CommandLineFiles::OpenNext, Qt::QueuedConnection);
}

}  // namespace

// Start-up: name the operating system, which sets the number of document windows, then show
// the frame with the files the command line names.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmar Pixmere"));
    QApplication::setApplicationVersion(QStringLiteral(PIXMERE_VERSION));
    const std::string osName = pixmere::Form5::CheckOS();
    pixmere::MDIForm1 frame(osName, nullptr, std::make_unique<pixmere::EditorFileCommands>());
    frame.show();
    OpenCommandLineFiles(frame);
    return app.exec();
}
