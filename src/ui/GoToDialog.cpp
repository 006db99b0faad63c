#include "ui/GoToDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <string>

#include "model/CharacterLookup.h"
#include "ui/Prompts.h"

namespace pixmere {

GoToDialog::GoToDialog(const FontParams& params, Prompts& prompts, QWidget* parent)
    : QDialog(parent), params_(params), prompts_(prompts) {
    setObjectName(QStringLiteral("GoToCharacter"));
    setWindowTitle(QStringLiteral("Go to Character"));
    setModal(true);
    auto* label = new QLabel(QStringLiteral("&Character or hexadecimal code:"), this);
    field_ = new QLineEdit(this);
    field_->setObjectName(QStringLiteral("Character"));
    field_->setPlaceholderText(QStringLiteral("A, 41 or 41h"));
    label->setBuddy(field_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &GoToDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &GoToDialog::reject);
    auto* column = new QVBoxLayout(this);
    column->addWidget(label);
    column->addWidget(field_);
    column->addWidget(buttons);
}

std::optional<int32_t> GoToDialog::Run() {
    glyph_.reset();
    exec();
    return glyph_;
}

void GoToDialog::accept() {
    const CharacterLookup lookup = GoToCharacter(params_, field_->text().toStdU32String());
    const std::string refusal = GoToRefusal(params_, lookup);
    if (!refusal.empty()) {
        prompts_.Message(this, QMessageBox::Warning, QString::fromLatin1(kAppTitle),
                         QString::fromStdString(refusal), QMessageBox::Ok);
        field_->selectAll();
        field_->setFocus();
        return;
    }
    glyph_ = lookup.glyph;
    QDialog::accept();
}

}  // namespace pixmere
