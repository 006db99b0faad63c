#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "cli/Args.h"
#include "formats/FontFile.h"
#include "model/Font.h"

namespace pixmere::cli {

// A font file type the tool reads, chosen by extension (lower case, with the dot).
struct InputType {
    std::string extension;
    OptionSpec options;  // what this type needs besides the path
    std::function<LoadedFont(const std::vector<uint8_t>& bytes, const Args& args)> load;
    uint64_t largestFile;  // larger files are refused unread
};

const std::vector<InputType>& InputTypes();
// How the input types and their options read in the help of commands that take IN.
inline constexpr const char* kInputHelp =
    "IN is a .pzf file, a .fnt resource, a .fon library [--font N] (N: the position that "
    "'list' prints, 0 by default) or a C table .c --width W --height H [--downstroke J] "
    "[--magnification M] (codes 20-FF).";
// The options of every input type, for commands that read a font.
OptionSpec InputOptions();
// The same and --to, for commands that read a font and write one.
OptionSpec InputOptionsAndTo();

// The font parameters dialog's checks on --width, --height, --first, --last, --downstroke and
// --magnification, the dialog's defaults standing in for absent ones. Throws UsageError when
// --width or --height is missing (the message ends with `missingNote`) or the dialog refuses.
FontParams CheckedParameterOptions(const Args& args, const std::string& missingNote = "");

// Reads the font at path by its extension. Throws UsageError for an unknown extension,
// UserError when the file cannot be read or holds no usable font.
Font ReadFont(const std::string& path, const Args& args);

using OutputType = FontFileType;

// "pzf", "bin", "c", "txt" (case-insensitive, with or without the dot).
std::optional<OutputType> OutputTypeNamed(std::string name);
// The type of --to when given, otherwise the output path's extension; UsageError when neither.
OutputType OutputTypeFor(const std::string& path, const Args& args);

// Writes the font in a type, through a temporary file renamed over the target. A native save
// that drops the characters below 20h tells so on err. Throws UserError on failure.
void WriteFont(const Font& font, const std::string& path, OutputType type, std::ostream& err);

std::string LowerExtension(const std::string& path);

}  // namespace pixmere::cli
