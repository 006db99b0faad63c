#include "ui/HelpWindow.h"

#include <QHBoxLayout>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace pixmere {

namespace {

// Qt's rich text knows the HTML of before 2008: the pages' sections, figures and captions would
// show as empty space the height of their pictures. As divisions they show as written.
class HelpBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl& name) override {
        QVariant resource = QTextBrowser::loadResource(type, name);
        if (type != QTextDocument::HtmlResource) return resource;
        static const QRegularExpression kNewBlocks(
            QStringLiteral("<(/?)(figure|figcaption|nav|header|footer|section|main|article)\\b"));
        QString html = QString::fromUtf8(resource.toByteArray());
        return html.replace(kNewBlocks, QStringLiteral("<\\1div"));
    }
};

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Pixmere Help"));
    browser_ = new HelpBrowser(this);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setOpenExternalLinks(true);
    const auto button = [this](const char* name, const QString& caption, const QKeySequence& key) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(caption);
        b->setShortcut(key);
        b->setToolTip(caption + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) +
                      QLatin1Char(')'));
        b->setEnabled(false);
        return b;
    };
    back_ = button("Back", QStringLiteral("Back"), QKeySequence(Qt::ALT | Qt::Key_Left));
    forward_ = button("Forward", QStringLiteral("Forward"), QKeySequence(Qt::ALT | Qt::Key_Right));
    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        setWindowTitle(browser_->documentTitle().isEmpty() ? QStringLiteral("Pixmere Help")
                                                           : browser_->documentTitle());
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addStretch();
    auto* column = new QVBoxLayout(this);
    column->addLayout(buttons);
    column->addWidget(browser_, 1);
    resize(760, 640);
}

void HelpWindow::Show(const QString& path) {
    browser_->setSource(QUrl::fromLocalFile(path));
    show();
    raise();
    activateWindow();
}

}  // namespace pixmere
