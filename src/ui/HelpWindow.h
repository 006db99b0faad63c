#pragma once

#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace pixmere {

// The help pages in a window of our own, for a desktop that cannot open them: links between
// the pages followed, Back and Forward (also Alt+Left and Alt+Right), links to the web handed
// to the desktop.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the page (a file), in front.
    void Show(const QString& path);

    QTextBrowser* browser() const { return browser_; }
    QToolButton* back() const { return back_; }
    QToolButton* forward() const { return forward_; }

private:
    QTextBrowser* browser_;
    QToolButton* back_;
    QToolButton* forward_;
};

}  // namespace pixmere
