#pragma once

#include <QPointer>
#include <memory>
#include <optional>

#include "truetype/TtfConverter.h"
#include "truetype/TtfFace.h"
#include "ui/FontDialog.h"

class QSettings;

namespace pixmere {

class Form2;
class MDIForm1;
class Prompts;
class form1;

// Import > Font TTF in a fresh document window: the font dialog (face, bold, italic), the
// parameters dialog in its TrueType mode, then the conversion dialog "TTF Encryptor", loaded
// with the settings of the last import, waiting for "Convert" and converting the range, with
// the File menus and the frame's New, Open and Save buttons disabled while it is up. The window
// receives the font only once the last character is converted; a cancelled or failed import
// leaves it without one, and its caller closes it.
class TtfImportCommand {
public:
    // fontDialog: the dialog that picks the face; the system's when none is given.
    TtfImportCommand(MDIForm1& frame, Prompts& prompts,
                     std::unique_ptr<FontDialog> fontDialog = nullptr);
    ~TtfImportCommand();

    // The start of the import in window (fresh and hidden): the font dialog, then the
    // parameters dialog in mode 2. Returns false when the font dialog was cancelled or the face
    // can not be used (the caller closes the window), true when the parameters dialog is up;
    // its Ok carries on with Continue, its Cancel closes the window.
    bool Start(form1& window);
    // After the parameters dialog stored the cell and the range in window: the conversion
    // dialog, until "Convert" has converted the range or the dialog is dismissed. Returns true
    // when window received the font, false when the import was cancelled or failed (the caller
    // closes the window).
    bool Continue(form1& window);

    // The conversion dialog while a conversion runs, else nullptr.
    Form2* dialog() const;

private:
    // The dialog up with the remembered settings, then the range converted once "Convert" is
    // pressed, its settings remembered for the next import.
    TtfImportResult Convert(const TtfFace& face, const FontParams& document);

    MDIForm1& frame_;
    Prompts& prompts_;
    std::unique_ptr<FontDialog> fontDialog_;
    // The face chosen for the window waiting in the parameters dialog.
    QPointer<form1> waiting_;
    std::optional<TtfFace> face_;
    QPointer<Form2> dialog_;
};

// The conversion settings "Convert" last used, as the application's settings keep them; a value
// that is missing or that the dialog cannot show comes back as its default.
ConversionSettings RememberedConversionSettings(const QSettings& settings);
void RememberConversionSettings(QSettings& settings, const ConversionSettings& conversion);

}  // namespace pixmere
