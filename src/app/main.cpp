#include <QApplication>
#include <QMessageBox>
#include <new>

#include "ui/EditorFileCommands.h"
#include "ui/Form5.h"
#include "ui/MDIForm1.h"

namespace {

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

}  // namespace

// Start-up: name the operating system, which sets the number of document windows, then show
// the frame with no document open.
int main(int argc, char** argv) {
    EditorApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmar Pixmere"));
    QApplication::setApplicationVersion(QStringLiteral(PIXMERE_VERSION));
    const std::string osName = pixmere::Form5::CheckOS();
    pixmere::MDIForm1 frame(osName, nullptr, std::make_unique<pixmere::EditorFileCommands>());
    frame.show();
    return app.exec();
}
