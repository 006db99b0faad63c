#include <QApplication>

#include "ui/EditorFileCommands.h"
#include "ui/Form5.h"
#include "ui/MDIForm1.h"

// Start-up: name the operating system, which sets the number of document windows, then show
// the frame with no document open.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmar Pixmere"));
    QApplication::setApplicationVersion(QStringLiteral(PIXMERE_VERSION));
    const std::string osName = pixmere::Form5::CheckOS();
    pixmere::MDIForm1 frame(osName, nullptr, std::make_unique<pixmere::EditorFileCommands>());
    frame.show();
    return app.exec();
}
