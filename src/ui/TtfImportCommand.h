#pragma once

#include <QPointer>
#include <memory>
#include <optional>

#include "truetype/TtfConverter.h"
#include "truetype/TtfFace.h"
#include "ui/FontCommand.h"
#include "ui/FontDialog.h"

class QSettings;

namespace pixmere {

class Form2;
class MDIForm1;
class Prompts;

// Import > Font TTF: the font dialog (face, bold, italic), the parameters dialog in its
// TrueType mode, then the conversion dialog "TTF Encryptor", loaded with the settings of the
// last import, waiting for "Convert" and converting the range, with the File menus and the
// frame's New, Open and Save buttons disabled while it is up. The font comes back once the
// last character is converted; a cancelled or failed import gives nothing.
class TtfImportCommand {
public:
    // fontDialog: the dialog that picks the face; the system's when none is given.
    TtfImportCommand(MDIForm1& frame, Prompts& prompts,
                     std::unique_ptr<FontDialog> fontDialog = nullptr);
    ~TtfImportCommand();

    std::optional<OpenedFont> Run();

    // The conversion dialog while a conversion runs, else nullptr.
    Form2* dialog() const;

private:
    // The dialog up with the remembered settings, then the range converted once "Convert" is
    // pressed, its settings remembered for the next import.
    TtfImportResult Convert(const TtfFace& face, const FontParams& document);

    MDIForm1& frame_;
    Prompts& prompts_;
    std::unique_ptr<FontDialog> fontDialog_;
    QPointer<Form2> dialog_;
};

// The conversion settings "Convert" last used, as the application's settings keep them; a value
// that is missing or that the dialog cannot show comes back as its default.
ConversionSettings RememberedConversionSettings(const QSettings& settings);
void RememberConversionSettings(QSettings& settings, const ConversionSettings& conversion);

}  // namespace pixmere
