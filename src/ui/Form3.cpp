#include "ui/Form3.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/Prompts.h"

namespace pixmere {

namespace {

QString Hex(int value) { return QString::number(value, 16).toUpper(); }

// Keeps only what a key filter would have let through, for text that arrives by paste.
QString Filtered(const QString& text, char (*filter)(char)) {
    QString out;
    for (QChar c : text) {
        const char kept = c.unicode() < 128 ? filter(static_cast<char>(c.unicode())) : 0;
        if (kept != 0 && kept != '\b') out += QLatin1Char(kept);
    }
    return out;
}

// Greys a field that takes no typing, or shows it editable again.
void LockField(QLineEdit* field, bool locked, const QPalette& dialog) {
    field->setReadOnly(locked);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base,
                     locked ? dialog.color(QPalette::Window) : dialog.color(QPalette::Base));
    field->setPalette(palette);
}

}  // namespace

Form3::Form3(PropertyMode mode, Prompts& prompts, QWidget* parent)
    : QDialog(parent), mode_(mode), prompts_(prompts) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Font Property"));
    setModal(true);
    BuildFields();
    BuildLayout();
    ConnectRules();
    connect(Ok_, &QPushButton::clicked, this, &Form3::Ok_Click);
    connect(Cancel_, &QPushButton::clicked, this, &Form3::Cancel_Click);
}

void Form3::BuildFields() {
    width1_ = new QLineEdit(this);
    width1_->setObjectName(QStringLiteral("width1"));
    height1_ = new QLineEdit(this);
    height1_->setObjectName(QStringLiteral("height1"));
    charmin1_ = new QLineEdit(QStringLiteral("20"), this);
    charmin1_->setObjectName(QStringLiteral("charmin1"));
    charmax1_ = new QLineEdit(QStringLiteral("FF"), this);
    charmax1_->setObjectName(QStringLiteral("charmax1"));
    Magnificatio_ = new QComboBox(this);
    Magnificatio_->setObjectName(QStringLiteral("Magnificatio"));
    Magnificatio_->setEditable(true);
    Magnificatio_->setInsertPolicy(QComboBox::NoInsert);
    for (int m = 1; m <= kMaxMagnification; ++m) Magnificatio_->addItem(QString::number(m));
    Magnificatio_->setCurrentIndex(0);
    Jambage_ = new QComboBox(this);
    Jambage_->setObjectName(QStringLiteral("Jambage"));
    Jambage_->setEditable(true);
    Jambage_->setInsertPolicy(QComboBox::NoInsert);
    // Return presses Ok from any field; on Cancel, with the focus there, it cancels.
    Ok_ = new QPushButton(QStringLiteral("Ok"), this);
    Ok_->setObjectName(QStringLiteral("Ok"));
    Ok_->setDefault(true);
    Cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    Cancel_->setObjectName(QStringLiteral("Cancel"));
}

void Form3::BuildLayout() {
    auto* size = new QGroupBox(QStringLiteral("Size in pixels"), this);
    auto* sizeGrid = new QGridLayout(size);
    sizeGrid->addWidget(new QLabel(QStringLiteral("Width"), size), 0, 0);
    sizeGrid->addWidget(width1_, 0, 1);
    sizeGrid->addWidget(new QLabel(QStringLiteral("Heigth"), size), 1, 0);
    sizeGrid->addWidget(height1_, 1, 1);

    auto* set = new QGroupBox(QStringLiteral("Character set"), this);
    auto* setGrid = new QGridLayout(set);
    setGrid->addWidget(new QLabel(QStringLiteral("First character"), set), 0, 0);
    setGrid->addWidget(charmin1_, 0, 1);
    setGrid->addWidget(new QLabel(QStringLiteral("[hex]"), set), 0, 2);
    setGrid->addWidget(new QLabel(QStringLiteral("Last character"), set), 1, 0);
    setGrid->addWidget(charmax1_, 1, 1);
    setGrid->addWidget(new QLabel(QStringLiteral("[hex]"), set), 1, 2);

    auto* editing = new QGroupBox(QStringLiteral("Editing"), this);
    auto* editGrid = new QGridLayout(editing);
    editGrid->addWidget(new QLabel(QStringLiteral("Magnification"), editing), 0, 0);
    editGrid->addWidget(Magnificatio_, 0, 1);
    editGrid->addWidget(new QLabel(QStringLiteral("Downstroke"), editing), 1, 0);
    editGrid->addWidget(Jambage_, 1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Ok_);
    buttons->addWidget(Cancel_);
    auto* column = new QVBoxLayout(this);
    column->addWidget(size);
    column->addWidget(set);
    column->addWidget(editing);
    column->addLayout(buttons);
}

void Form3::ConnectRules() {
    for (QObject* field : {static_cast<QObject*>(width1_), static_cast<QObject*>(height1_),
                           static_cast<QObject*>(charmin1_), static_cast<QObject*>(charmax1_),
                           static_cast<QObject*>(Jambage_->lineEdit())}) {
        field->installEventFilter(this);
    }
    // Pasted text passes the same filters as typed keys.
    auto sanitize = [](QLineEdit* edit, char (*filter)(char)) {
        connect(edit, &QLineEdit::textEdited, edit, [edit, filter](const QString& text) {
            const QString kept = Filtered(text, filter);
            if (kept != text) edit->setText(kept);
        });
    };
    sanitize(width1_, DecimalKeyFilter);
    sanitize(height1_, DecimalKeyFilter);
    sanitize(charmin1_, HexKeyFilter);
    sanitize(charmax1_, HexKeyFilter);
    sanitize(Jambage_->lineEdit(), DecimalKeyFilter);

    // Change rules, run after every change of the text, typed or set.
    connect(width1_, &QLineEdit::textChanged, this, [this](const QString& text) {
        const std::string ruled = WidthChangeRule(text.toStdString());
        if (ruled != text.toStdString()) width1_->setText(QString::fromStdString(ruled));
    });
    connect(height1_, &QLineEdit::textChanged, this, [this](const QString& text) {
        Jambage_->clear();
        if (text.isEmpty()) return;
        const std::string ruled = HeightChangeRule(text.toStdString());
        if (ruled != text.toStdString()) {
            height1_->setText(QString::fromStdString(ruled));  // runs this rule again
            return;
        }
        ListJambage(DecimalValue(ruled).value_or(0));
        Jambage_->setCurrentIndex(0);
    });
    connect(charmin1_, &QLineEdit::textChanged, this, [this](const QString& text) {
        const std::string ruled = FirstCharChangeRule(text.toStdString());
        if (ruled != text.toStdString()) charmin1_->setText(QString::fromStdString(ruled));
    });
}

void Form3::ListJambage(int height) {
    for (int j = 0; j <= height; ++j) Jambage_->addItem(QString::number(j));
}

void Form3::LockSizeFields(bool locked) {
    for (QLineEdit* field : {height1_, width1_, charmax1_, charmin1_}) {
        LockField(field, locked, palette());
    }
}

void Form3::ShowValues(const FontParams& p) {
    Jambage_->clear();
    ListJambage(p.FormatHeightCar);
    Magnificatio_->setEditText(QString::number(p.Magnification));
    ShowRange(p.firstcar, p.lastCode());
    height1_->setText(QString::number(p.FormatHeightCar));  // refills the list
    width1_->setText(QString::number(p.FormatLengthCar));
    Jambage_->setEditText(QString::number(p.jambon));
}

void Form3::ShowRange(int first, int last) {
    // As it is: the change rule is for typing, and would show a first code below 20h as 20.
    {
        const QSignalBlocker block(charmin1_);
        charmin1_->setText(Hex(first));
    }
    charmax1_->setText(Hex(last));
}

void Form3::FixRange(int first, int last) {
    rangeFixed_ = true;
    ShowRange(first, last);
    LockField(charmin1_, true, palette());
    LockField(charmax1_, true, palette());
}

void Form3::ShowCFileParameters(const FontParams& p) {
    ShowValues(p);
    FixRange(p.firstcar, p.lastCode());
}

void Form3::affichform3(const FontParams& font) {
    shown_ = font;
    ShowValues(font);
    LockSizeFields(true);
    Ok_->setFocus();
}

void Form3::NewFont() {
    LockSizeFields(false);
    width1_->setFocus();
}

void Form3::ImportTTF() { LockSizeFields(false); }

std::optional<FontParams> Form3::Run() {
    accepted_.reset();
    exec();
    return accepted_;
}

FontParameterTexts Form3::Texts() const {
    FontParameterTexts texts;
    texts.width = width1_->text().toStdString();
    texts.height = height1_->text().toStdString();
    texts.first = charmin1_->text().toStdString();
    texts.last = charmax1_->text().toStdString();
    texts.magnification = Magnificatio_->currentText().toStdString();
    texts.downstroke = Jambage_->currentText().toStdString();
    return texts;
}

void Form3::Refuse(ParameterRefusal refusal) {
    prompts_.Message(this, QMessageBox::Warning, QString::fromLatin1(kAppTitle),
                     QString::fromLatin1(RefusalMessage(refusal)), QMessageBox::Ok);
}

void Form3::Ok_Click() {
    if (mode_ == PropertyMode::FontProperties) {
        OkProperties();
        return;
    }
    FontParameterTexts texts = Texts();
    // A fixed range is the file's own, not typed: there is nothing in it to check, and the
    // import takes it from the file.
    if (rangeFixed_) {
        texts.first = "20";
        texts.last = "FF";
    }
    const ParameterCheck check = CheckFontParameters(texts);
    // Corrections to 255 show in the fields without running the height rule again, which
    // would reset the downstroke the checks have just read.
    const QSignalBlocker blockHeight(height1_);
    const QSignalBlocker blockWidth(width1_);
    height1_->setText(QString::fromStdString(check.corrected.height));
    width1_->setText(QString::fromStdString(check.corrected.width));
    if (check.refusal != ParameterRefusal::None) {
        Refuse(check.refusal);
        return;
    }
    accepted_ = check.params;
    accept();
}

void Form3::OkProperties() {
    // Font properties change only the downstroke and the magnification, within the rules of
    // every font.
    FontParams changed;
    const ParameterRefusal refusal =
        CheckFontProperties(shown_, Jambage_->currentText().toStdString(),
                            Magnificatio_->currentText().toStdString(), changed);
    if (refusal != ParameterRefusal::None) {
        Refuse(refusal);
        return;
    }
    accepted_ = changed;
    accept();
}

void Form3::Cancel_Click() { reject(); }

bool Form3::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    if (key->key() == Qt::Key_Backspace || text.isEmpty() || text.at(0).unicode() < 32) {
        return false;  // editing and navigation keys are not characters
    }
    // A locked field takes no key, not even one the filter would turn to upper case.
    if (auto* edit = qobject_cast<QLineEdit*>(watched); edit && edit->isReadOnly()) return false;
    const bool hex = watched == charmin1_ || watched == charmax1_;
    const char typed = text.at(0).unicode() < 128 ? static_cast<char>(text.at(0).unicode()) : 0;
    const char kept = typed == 0 ? 0 : hex ? HexKeyFilter(typed) : DecimalKeyFilter(typed);
    if (kept == 0) return true;
    if (kept != typed) {
        static_cast<QLineEdit*>(watched)->insert(QString(QLatin1Char(kept)));
        return true;
    }
    return false;
}

}  // namespace pixmere
