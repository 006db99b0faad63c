#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "formats/FontFile.h"
#include "model/UserError.h"
#include "ui/FileDialogs.h"
#include "ui/FontCommand.h"
#include "ui/FontDialog.h"

namespace pixmere {

class MDIForm1;
class TtfImportCommand;
class form1;
struct InputFormat;

// Texts of the file commands.
inline const char* const kSaveAsFilter =
    "Velmar Font|*.pzf|Bin Velmar|*.bin|C File|*.c|Text File|*.txt|BDF Font|*.bdf|GFX Font|*.h";
// The file type of each entry of kSaveAsFilter, in its order; the dialog numbers them from 1.
inline constexpr FontFileType kSaveAsTypes[] = {FontFileType::Native, FontFileType::Bin,
                                                FontFileType::C,      FontFileType::Txt,
                                                FontFileType::Bdf,    FontFileType::Gfx};
// The type of the Save As dialog's entry n (from 1); none for a number it does not list.
std::optional<FontFileType> SaveAsFileType(int n);
inline const char* const kOverwriteQuestion = "File exists, overwrite?";

// The editor's file commands. The font commands (New, Open, the imports) run their dialogs and
// give back the font for a window of its own, or nothing when the user cancelled or the file was
// refused (after saying why); they never touch an open document. Save and Save As write a
// document's font; a native save that dropped the codes below 20h reopens the file in place of
// the document.
// Dialogs go through a replaceable FileDialogs and FontDialog; messages through the frame's
// Prompts.
class EditorFileCommands {
public:
    explicit EditorFileCommands(std::unique_ptr<FileDialogs> dialogs = nullptr,
                                std::unique_ptr<FontDialog> fontDialog = nullptr);
    ~EditorFileCommands();

    // The frame whose dialogs and messages the commands use; it owns this.
    void Attach(MDIForm1& frame) { frame_ = &frame; }

    std::optional<OpenedFont> Run(FontCommand command);
    // A named file, as Open reads a .pzf and the Import menu the other types; a name that ends
    // with none of them is read as a .pzf.
    std::optional<OpenedFont> OpenFile(const QString& path);
    // Save: the document's type to its file without a question; Save As when it has none.
    bool Save(form1& window);
    bool SaveAs(form1& window);

    FileDialogs& dialogs() { return *dialogs_; }
    // The TrueType import once an import has made it, else nullptr.
    TtfImportCommand* TtfImportMade() const { return ttfImport_.get(); }

private:
    std::optional<OpenedFont> New();
    // Asks for a file of the type, then reads it. With allFonts the dialog offers every type
    // too, and a file is read as its name says.
    std::optional<OpenedFont> Choose(const InputFormat& format, bool allFonts = false);
    // Reads path as the type: what the type asks is asked, the font built, a failure told.
    std::optional<OpenedFont> Read(const InputFormat& format, const QString& path);
    TtfImportCommand& TtfImport();
    // Writes the font of window to path as type in layout; on success the document takes the
    // name, type and layout and is no longer modified. Failures are told to the user.
    bool Write(form1& window, const QString& path, FontFileType type, const CLayout& layout);
    // The saved file in a new window in place of window, whose file lacks its codes below 20h.
    void Reopen(form1& window);
    // Runs work; a failure is shown (otherFailure for an unexpected one) and gives false. With
    // a path, the message names the file and the reason below its first line.
    bool Attempt(const std::function<void()>& work, const char* otherFailure = kBadFontFileMessage,
                 const QString& path = {});
    void ShowError(const std::string& message, const std::string& caption);
    QString StartDir() const;
    void Remember(const QString& path);

    MDIForm1* frame_ = nullptr;
    std::unique_ptr<FileDialogs> dialogs_;
    std::unique_ptr<FontDialog> fontDialog_;  // handed to the TrueType import when it is made
    std::unique_ptr<TtfImportCommand> ttfImport_;
    QString lastDir_;
};

}  // namespace pixmere
