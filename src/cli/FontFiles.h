#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "cli/Args.h"
#include "formats/CellPlacement.h"
#include "formats/FontFile.h"
#include "model/Font.h"

namespace pixmere::cli {

// How the input types and their options read in the help of commands that take IN, on lines
// of their own.
inline constexpr const char* kInputHelp =
    "\n      IN is a .pzf file, a .fnt resource, a .fon library [--font N] (N: the position that"
    "\n      'list' prints, 0 by default), a C table .c [--width W --height H --downstroke J"
    "\n      --magnification M] (codes and defaults from its parameter lines; without them codes"
    "\n      20-FF, and --width and --height are needed), a BDF or PCF font .bdf .pcf .pcf.gz, a"
    "\n      console font .psf .psf.gz, a download file .bin [--magnification M] or a text"
    "\n      picture .txt.";
// How the output options read in the help of commands that write a font.
inline constexpr const char* kOutputHelp =
    "\n      OUT is a .pzf file, a download file .bin, a C table .c, a text picture .txt, a BDF"
    "\n      font .bdf or an Adafruit GFX font .h. C layout: --c-numbers bin|hex, --c-bits"
    "\n      msb|lsb, --c-order rows|pages, --c-array none|const|progmem, --c-comments"
    "\n      index|picture (the first of each by default); GFX: --gfx-advance cell|ink.";
// The options of every input type, for commands that read a font.
OptionSpec InputOptions();
// --to and the C and GFX layout options, for commands that write a font.
OptionSpec OutputOptions();
// The input options and the output options, for commands that read a font and write one.
OptionSpec InputOptionsAndTo();
// A command's own options and the output options.
OptionSpec WithOutputOptions(OptionSpec own);

// The font parameters dialog's checks on --width, --height, --first, --last, --downstroke and
// --magnification, the dialog's defaults standing in for absent ones, or, with `fallback`, its
// sizes, downstroke and magnification. Throws UsageError when --width or --height is missing
// (the message ends with `missingNote`) or the dialog refuses.
FontParams CheckedParameterOptions(const Args& args, const std::string& missingNote = "",
                                   const FontParams* fallback = nullptr);

// Reads the font at path by the end of its name. An import that cut pixels outside the cell
// says so on err. Throws UsageError for an unknown type, UserError when the file cannot be
// read or holds no usable font.
Font ReadFont(const std::string& path, const Args& args, std::ostream& err);

using OutputType = FontFileType;

// "pzf", "bin", "c", "txt", "bdf", "gfx" or "h" (case-insensitive, with or without the dot).
std::optional<OutputType> OutputTypeNamed(std::string name);
// The type of --to when given, otherwise the output path's extension; UsageError when neither.
OutputType OutputTypeFor(const std::string& path, const Args& args);
// The C layout and GFX advance the options choose. Throws UsageError naming the option for a
// value it does not take or an option of another output type.
CLayout LayoutFor(const Args& args, OutputType type);

// Writes the font in a type, through a temporary file renamed over the target. A native save
// that drops the characters below 20h tells so on err; a BDF font, a declared C array and a GFX
// font are named after the file. Throws UserError on failure.
void WriteFont(const Font& font, const std::string& path, OutputType type, std::ostream& err,
               const CLayout& layout = {});

std::string LowerExtension(const std::string& path);

}  // namespace pixmere::cli
