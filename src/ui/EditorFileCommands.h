#pragma once

#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "formats/CellPlacement.h"
#include "formats/FontFile.h"
#include "model/Font.h"
#include "model/UserError.h"
#include "ui/FileCommands.h"
#include "ui/FileDialogs.h"
#include "ui/FontDialog.h"

namespace pixmere {

class MDIForm1;
class TtfImportCommand;

// Texts of the file commands.
inline const char* const kNativeFilter = "Velmar Font|*.pzf";
inline const char* const kSaveAsFilter =
    "Velmar Font|*.pzf|Bin Velmar|*.bin|C File|*.c|Text File|*.txt|BDF Font|*.bdf";
// The file type of each entry of kSaveAsFilter, in its order; the dialog numbers them from 1.
inline constexpr FontFileType kSaveAsTypes[] = {
    FontFileType::Native, FontFileType::Bin, FontFileType::C, FontFileType::Txt, FontFileType::Bdf};
// The type of the Save As dialog's entry n (from 1); none for a number it does not list.
std::optional<FontFileType> SaveAsFileType(int n);
inline const char* const kFntFilter = "FNT Font|*.fnt";
inline const char* const kFonFilter = "FON Font|*.fon";
inline const char* const kCFilter = "C File|*.c";
inline const char* const kBdfPcfFilter = "BDF / PCF Font|*.bdf *.pcf *.pcf.gz";
inline const char* const kPsfFilter = "PSF Font|*.psf *.psf.gz";
inline const char* const kBinFilter = "Bin Velmar|*.bin";
inline const char* const kOverwriteQuestion = "File exists, overwrite?";

// The editor's file commands: Open, Save and Save As of the native file and the exports, the
// reopen after a save that dropped the codes below 20h, and the imports of FNT, FON, C, BDF,
// PCF, PSF and download files.
// The TrueType import is its own command object, made for the frame on first use.
// Dialogs go through a replaceable FileDialogs and FontDialog; messages through the frame's
// Prompts.
class EditorFileCommands : public FileCommands {
public:
    explicit EditorFileCommands(std::unique_ptr<FileDialogs> dialogs = nullptr,
                                std::unique_ptr<FontDialog> fontDialog = nullptr);
    ~EditorFileCommands() override;

    bool Run(FontCommand command, form1& window) override;
    bool OpenFile(const QString& path, form1& window) override;
    bool ContinueImport(FontCommand command, form1& window) override;
    bool Save(form1& window) override;
    bool SaveAs(form1& window) override;

    // An import of one file that needs no dialog of its own: FNT, BDF/PCF, PSF, download file.
    struct OneFileImport;

    // ---- the commands, each in the fresh window it gives a font to ----

    bool open_Click(form1& window);
    // Save: the document's format to its file without a question; Save As when it has none.
    bool save_Click(form1& window);
    bool saveas_Click(form1& window);
    // Loads the file named by ReopenName() into window.
    bool OpenTwice(form1& window);
    bool fnt_Click(form1& window);
    // A BDF or PCF font, plain or compressed.
    bool BdfPcf_Click(form1& window);
    // A console font, PSF 1 or 2, plain or compressed.
    bool Psf_Click(form1& window);
    // A printer download file, read at magnification 1 (it stores none).
    bool Bin_Click(form1& window);
    // Chooses a library and shows its font selection, which finishes the command.
    bool fon_Click(form1& window);
    // Chooses a C file and opens the parameters dialog in its mode, filled with the file's own
    // parameters when it states them; BeginCFile follows its Ok.
    bool CFile_Click(form1& window);
    bool AskCFileParameters(form1& window, const QString& path);
    bool BeginCFile(form1& window);

    FileDialogs& dialogs() { return *dialogs_; }
    // The TrueType import of the frame window belongs to.
    TtfImportCommand& TtfImport(form1& window);
    // The TrueType import once an import has made it, else nullptr.
    TtfImportCommand* TtfImportMade() const { return ttfImport_.get(); }
    // The file the last save that dropped the codes below 20h wrote, reopened at once.
    const QString& ReopenName() const { return ReopenName_; }

private:
    // Writes the font of window to path as type; on success the document takes the name and
    // type and is no longer modified. Failures are told to the user.
    bool Write(form1& window, const QString& path, FontFileType type);
    bool ReadFontDirectory(form1& window, const QString& path);
    // Opens the saved file in a new window and closes window, whose file lacks its codes
    // below 20h.
    void Reopen(form1& window);
    // Reads the native file path into window, which then belongs to it.
    bool LoadNativeInto(form1& window, const QString& path);
    // Asks for a file to read; empty when cancelled.
    QString ChooseFile(form1& window, const char* filter);
    // Runs work; a failure is shown (otherFailure for an unexpected one) and gives false.
    bool Attempt(MDIForm1& frame, const std::function<void()>& work,
                 const char* otherFailure = kBadFontFileMessage);
    // Builds the font a loader reads; a failure is shown (otherFailure for an unexpected one)
    // and gives no font.
    std::optional<Font> LoadFont(MDIForm1& frame, const std::function<ImportedFont()>& load,
                                 const char* otherFailure = kBadFontFileMessage,
                                 int* charactersCut = nullptr);
    // An import that reads one chosen file: the font goes to window, modified and without a
    // file, and the user hears of characters that lost pixels.
    bool ImportFile(form1& window, const OneFileImport& type);
    // The same for a file already chosen.
    bool ImportPath(form1& window, const QString& path, const OneFileImport& type);
    // Gives window the font load reads, as ImportFile does; the path names the window.
    bool GiveImport(form1& window, const QString& path, const std::function<ImportedFont()>& load,
                    const char* otherFailure = kBadFontFileMessage);
    void ShowError(MDIForm1& frame, const std::string& message, const std::string& caption);
    QString StartDir() const;
    void Remember(const QString& path);

    std::unique_ptr<FileDialogs> dialogs_;
    std::unique_ptr<FontDialog> fontDialog_;  // handed to the TrueType import when it is made
    std::unique_ptr<TtfImportCommand> ttfImport_;
    QString ReopenName_;
    QString lastDir_;
    // The C file whose import waits for the parameters dialog, and the window it is for.
    QPointer<form1> cFileWindow_;
    QString cFilePath_;
    std::vector<uint8_t> cFileBytes_;
};

}  // namespace pixmere
