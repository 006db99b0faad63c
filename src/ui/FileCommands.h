#pragma once

class QString;

namespace pixmere {

class form1;

// Font commands: every one of them gives a font to a freshly created document window.
enum class FontCommand {
    New,
    Open,
    ImportFnt,
    ImportFon,
    ImportTtf,
    ImportC,
    ImportBdfPcf,
    ImportPsf,
    ImportBin
};

// The file side of the editor: opening, saving and importing fonts. The frame owns one and the
// document windows call it; each command is its own handler so file formats can be added
// without touching the windows. This base does nothing: every command reports that it did not
// happen, so a window waiting for a font from it closes again and a save is never claimed.
class FileCommands {
public:
    virtual ~FileCommands() = default;

    // Runs Open or an import in window, a fresh hidden document window. Returns true when the
    // window received its font, or when a dialog of the command now waits for the user and
    // will give the font or close the window itself; on false the window is closed again.
    virtual bool Run(FontCommand command, form1& window);
    // Opens a named file in window, a fresh hidden document window, as Open does, or as the
    // Import menu does for a .fnt, .fon or .c file; the same return as Run.
    virtual bool OpenFile(const QString& path, form1& window);
    // Carries on an import whose parameters the parameters dialog has just stored in window
    // (TrueType and C-file imports). Returns true when the window received its font.
    virtual bool ContinueImport(FontCommand command, form1& window);
    // Save and Save As of window's font; true only when the font was written.
    virtual bool Save(form1& window);
    virtual bool SaveAs(form1& window);
};

}  // namespace pixmere
