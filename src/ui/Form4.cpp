#include "ui/Form4.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace pixmere {

Form4::Form4(const FonLibrary& library, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Font Selection"));
    setModal(true);

    title_ = new QLabel(QString::fromStdString(library.description), this);
    title_->setObjectName(QStringLiteral("title"));
    title_->setWordWrap(true);
    ListFnt_ = new QListWidget(this);
    ListFnt_->setObjectName(QStringLiteral("ListFnt"));
    for (const FonFont& font : library.fonts) {
        ListFnt_->addItem(QString::fromStdString(font.itemText));
    }
    ListFnt_->setCurrentRow(0);
    OkChooseFON_ = new QPushButton(QStringLiteral("Ok"), this);
    OkChooseFON_->setObjectName(QStringLiteral("OkChooseFON"));
    OkChooseFON_->setDefault(true);
    Cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    Cancel_->setObjectName(QStringLiteral("Cancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkChooseFON_);
    buttons->addWidget(Cancel_);
    auto* column = new QVBoxLayout(this);
    column->addWidget(title_);
    column->addWidget(ListFnt_);
    column->addLayout(buttons);
    resize(420, 260);

    connect(OkChooseFON_, &QPushButton::clicked, this, &Form4::OkChooseFON_Click);
    connect(Cancel_, &QPushButton::clicked, this, &Form4::Cancel_Click);
    connect(ListFnt_, &QListWidget::itemDoubleClicked, this, &Form4::OkChooseFON_Click);
}

std::optional<int> Form4::Run() {
    chosen_.reset();
    exec();
    return chosen_;
}

void Form4::OkChooseFON_Click() {
    // The last selected item, the first font when none is.
    const QList<QListWidgetItem*> selected = ListFnt_->selectedItems();
    chosen_ = selected.isEmpty() ? 0 : ListFnt_->row(selected.last());
    accept();
}

void Form4::Cancel_Click() { reject(); }

}  // namespace pixmere
