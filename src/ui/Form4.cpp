#include "ui/Form4.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/UserError.h"
#include "ui/Prompts.h"
#include "ui/form1.h"

namespace pixmere {

Form4::Form4(form1& document, const QString& path, std::vector<uint8_t> bytes, FonLibrary library,
             Prompts& prompts, QWidget* parent)
    : QDialog(parent),
      document_(&document),
      path_(path),
      bytes_(std::move(bytes)),
      library_(std::move(library)),
      prompts_(prompts) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Font Selection"));
    connect(this, &QDialog::finished, this, &QObject::deleteLater);

    title_ = new QLabel(QString::fromStdString(library_.description), this);
    title_->setObjectName(QStringLiteral("title"));
    title_->setWordWrap(true);
    ListFnt_ = new QListWidget(this);
    ListFnt_->setObjectName(QStringLiteral("ListFnt"));
    for (const FonFont& font : library_.fonts) {
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
    // A waiting window closed otherwise (the frame exiting) takes its selection with it.
    // The window is half torn down by then: forget it before anything looks at it.
    connect(&document, &QObject::destroyed, this, [this] {
        document_.clear();
        reject();
    });
}

form1* Form4::document() const { return document_.data(); }

void Form4::OkChooseFON_Click() {
    if (answered_) return;
    answered_ = true;
    if (form1* document = document_) {
        // The last selected item, the first font when none is.
        const QList<QListWidgetItem*> selected = ListFnt_->selectedItems();
        const int sel = selected.isEmpty() ? 0 : ListFnt_->row(selected.last());
        const FonFont& font = library_.fonts[static_cast<std::size_t>(sel)];
        document->SetTitleFon(QString::fromStdString(font.title));
        document->SetTitle(path_);
        try {
            const LoadedFont loaded = LoadFonFont(bytes_, font);
            hide();
            document->SetFont(loaded.build(), true);
        } catch (const std::exception& e) {
            const auto* error = dynamic_cast<const UserError*>(&e);
            prompts_.Message(this, QMessageBox::Critical, QStringLiteral("Error"),
                             QString::fromUtf8(error ? e.what() : kBadFontFileMessage),
                             QMessageBox::Ok);
            document->CloseEmpty();
        }
    }
    accept();
}

void Form4::Cancel_Click() { reject(); }

void Form4::reject() {
    // Cancel, Escape and the window frame's close all end here.
    if (!answered_) {
        answered_ = true;
        if (document_) document_->CloseEmpty();
    }
    QDialog::reject();
}

}  // namespace pixmere
