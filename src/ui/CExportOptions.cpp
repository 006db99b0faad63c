#include "ui/CExportOptions.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QVBoxLayout>

namespace pixmere {

namespace {

// The groups' captions and their choices', in the order of CLayoutOptions() and its values.
struct GroupText {
    const char* caption;
    std::vector<const char*> choices;
};
const GroupText kGroups[] = {
    {"Numbers", {"&Binary: 0b00111100", "&Hexadecimal: 0x3C"}},
    {"Order",
     {"&Rows: each pixel row in its own bytes",
      "Columns in &pages of 8 rows, as page-addressed displays read them"}},
    {"Bit order",
     {"First pixel in the &most significant bit", "First pixel in the &least significant bit"}},
    {"Declaration", {"&None: the bytes only", "&const uint8_t array", "const array with PR&OGMEM"}},
    {"Comments",
     {"\"// Car  N\" before each &glyph", "Code, character and a pict&ure of each row"}},
    {"Advance", {"The cell &width", "The &ink and one pixel of space"}},
};

QString SettingKey(const CLayoutOption& option) {
    return QStringLiteral("CExport/") + QString::fromLatin1(option.option);
}

}  // namespace

CLayout RememberedLayout() {
    const QSettings settings;
    CLayout layout;
    for (const CLayoutOption& option : CLayoutOptions()) {
        bool ok = false;
        const int value = settings.value(SettingKey(option)).toInt(&ok);
        if (ok && value >= 0 && value < static_cast<int>(option.values.size())) {
            option.set(layout, value);
        }
    }
    return layout;
}

void RememberLayout(const CLayout& layout) {
    QSettings settings;
    for (const CLayoutOption& option : CLayoutOptions()) {
        settings.setValue(SettingKey(option), option.get(layout));
    }
}

CExportOptions::CExportOptions(const CLayout& shown, bool gfx, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CExportOptions"));
    setWindowTitle(QStringLiteral("C File Options"));
    setModal(true);
    auto* column = new QVBoxLayout(this);
    const std::vector<CLayoutOption>& options = CLayoutOptions();
    for (std::size_t n = 0; n < options.size(); ++n) {
        auto* group = new QGroupBox(QString::fromLatin1(kGroups[n].caption), this);
        group->setObjectName(QString::fromLatin1(options[n].option));
        auto* choices = new QButtonGroup(group);
        auto* rows = new QVBoxLayout(group);
        for (std::size_t v = 0; v < options[n].values.size(); ++v) {
            auto* choice = new QRadioButton(QString::fromLatin1(kGroups[n].choices[v]), group);
            choice->setObjectName(QString::fromLatin1(options[n].values[v]));
            choices->addButton(choice, static_cast<int>(v));
            rows->addWidget(choice);
        }
        group->setVisible(options[n].gfx() == gfx);
        column->addWidget(group);
        groups_.push_back(group);
        choices_.push_back(choices);
    }
    defaults_ = new QPushButton(QStringLiteral("&Defaults"), this);
    defaults_->setObjectName(QStringLiteral("Defaults"));
    ok_ = new QPushButton(QStringLiteral("Ok"), this);
    ok_->setObjectName(QStringLiteral("Ok"));
    ok_->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Cancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(defaults_);
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    column->addLayout(buttons);
    connect(defaults_, &QPushButton::clicked, this, [this] { Show(CLayout{}); });
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    Show(shown);
}

void CExportOptions::Show(const CLayout& layout) {
    const std::vector<CLayoutOption>& options = CLayoutOptions();
    for (std::size_t n = 0; n < options.size(); ++n) {
        choices_[n]->button(options[n].get(layout))->setChecked(true);
    }
}

CLayout CExportOptions::Chosen() const {
    CLayout layout;
    const std::vector<CLayoutOption>& options = CLayoutOptions();
    for (std::size_t n = 0; n < options.size(); ++n) {
        options[n].set(layout, choices_[n]->checkedId());
    }
    return layout;
}

std::optional<CLayout> CExportOptions::Run() {
    if (exec() != QDialog::Accepted) return std::nullopt;
    return Chosen();
}

}  // namespace pixmere
