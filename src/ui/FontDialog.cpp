#include "ui/FontDialog.h"

#include <QFontDialog>

namespace pixmere {

std::optional<FontChoice> FontDialog::Choose(QWidget* parent) {
    bool ok = false;
    // Only scalable faces can be drawn at the sizes the conversion asks for.
    const QFont font = QFontDialog::getFont(&ok, QFont(QStringLiteral("DejaVu Sans")), parent,
                                            QString(), QFontDialog::ScalableFonts);
    if (!ok) return std::nullopt;
    return FontChoice{font.family(), font.bold(), font.italic()};
}

TtfFace FontDialog::Open(const FontChoice& choice) {
    return TtfFace::Installed(choice.face, choice.bold, choice.italic);
}

}  // namespace pixmere
