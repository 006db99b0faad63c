#include "ui/Form6.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QUrl>

namespace pixmere {

const char* const Form6::kWebAddress = "https://www.corvane.example/";
const char* const Form6::kSupportAddress = "support@corvane.example";

Form6::Form6(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("About Corvane"));
    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("Logo"));
    logo->setPixmap(QPixmap(QStringLiteral(":/icons/logo.png")));
    auto* product = new QLabel(QStringLiteral("Corvane v2.2"), this);
    QFont bigger = product->font();
    bigger.setBold(true);
    bigger.setPointSizeF(bigger.pointSizeF() * 1.3);
    product->setFont(bigger);
    web_ = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(kWebAddress), this);
    web_->setObjectName(QStringLiteral("WebLabel"));
    mail_ = new QLabel(QStringLiteral("<a href=\"mailto:%1\">%1</a>").arg(kSupportAddress), this);
    mail_->setObjectName(QStringLiteral("MailLabel"));
    // The desktop opens the page or a new message; nothing depends on the outcome.
    for (QLabel* link : {web_, mail_}) {
        link->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
        connect(link, &QLabel::linkActivated,
                [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); });
    }
    auto* grid = new QGridLayout(this);
    grid->addWidget(logo, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(product, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Web:"), this), 1, 1);
    grid->addWidget(web_, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Support:"), this), 2, 1);
    grid->addWidget(mail_, 2, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace pixmere
