#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "formats/FontFile.h"
#include "model/Font.h"
#include "model/SourceOutline.h"

namespace pixmere {

struct InputFormat;

// A command that gives a font to a window of its own: New, Open, or an import of a file type or
// of a TrueType face.
struct FontCommand {
    enum class Kind { New, Open, ImportTtf, ImportFile };
    Kind kind;
    const InputFormat* format = nullptr;  // the imported type, for ImportFile

    static FontCommand New() { return {Kind::New}; }
    static FontCommand Open() { return {Kind::Open}; }
    static FontCommand ImportTtf() { return {Kind::ImportTtf}; }
    static FontCommand Import(const InputFormat& format) { return {Kind::ImportFile, &format}; }
};

// What a font command hands back: the font and what its window shows and saves it as.
struct OpenedFont {
    explicit OpenedFont(Font made = {}) : font(std::move(made)) {}

    Font font;
    // The file the document belongs to; empty while it has none, so that Save asks for one.
    QString fileName;
    // The file the font was read from, whatever its type; empty for a font made here.
    QString source;
    // The type Save writes; none makes Save ask for a file and a type.
    std::optional<FontFileType> saveFormat;
    // The window's title (the file or face the font came from) and the label above the font
    // window, which names a library's font under the library.
    QString title;
    QString label;
    bool modified = true;
    // New: the first character is picked as a click on it would pick it.
    bool pickFirst = false;
    // Told once the window shows (characters that lost pixels, say).
    QString notice;
    // A TrueType import's outline of each character where it placed it; empty for other fonts.
    std::vector<SourceOutline> outlines;
};

}  // namespace pixmere
