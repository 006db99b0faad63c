#pragma once

#include <QString>
#include <optional>

#include "truetype/TtfFace.h"

class QWidget;

namespace pixmere {

// What the font dialog hands to a TrueType import: the face and the bold and italic choices.
// Its size, colour and underline are not used.
struct FontChoice {
    QString face;
    bool bold = false;
    bool italic = false;
};

// The document window's font dialog (CommonDialog1). Replaceable, so tests choose a face
// without a person and can hand over a face of their own making.
class FontDialog {
public:
    virtual ~FontDialog() = default;
    // Shows the dialog; nothing when the user cancels it.
    virtual std::optional<FontChoice> Choose(QWidget* parent);
    // The chosen face, ready to draw. Throws UserError when it can not be used.
    virtual TtfFace Open(const FontChoice& choice);
};

}  // namespace pixmere
