#include "ui/FontDialog.h"

#include <QFontDatabase>
#include <QFontDialog>

namespace pixmere {

namespace {

// A family in its upright style of normal weight, so that the dialog does not open on whatever
// style the family lists first. Of several (Book and Condensed, say) the shortest name is the
// plain one.
QFont Regular(const QString& family) {
    QFont font(family);
    QString regular;
    for (const QString& style : QFontDatabase::styles(family)) {
        const QFont candidate = QFontDatabase::font(family, style, 12);
        if (candidate.style() == QFont::StyleNormal && candidate.weight() == QFont::Normal &&
            (regular.isEmpty() || style.size() < regular.size())) {
            regular = style;
        }
    }
    if (!regular.isEmpty()) font.setStyleName(regular);
    return font;
}

}  // namespace

std::optional<FontChoice> FontDialog::Choose(QWidget* parent) {
    bool ok = false;
    // Only scalable faces can be drawn at the sizes the conversion asks for.
    const QFont font = QFontDialog::getFont(&ok, Regular(QStringLiteral("DejaVu Sans")), parent,
                                            QString(), QFontDialog::ScalableFonts);
    if (!ok) return std::nullopt;
    return FontChoice{font.family(), font.bold(), font.italic()};
}

TtfFace FontDialog::Open(const FontChoice& choice) {
    return TtfFace::Installed(choice.face, choice.bold, choice.italic);
}

}  // namespace pixmere
