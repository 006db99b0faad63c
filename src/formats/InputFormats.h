#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/CellPlacement.h"
#include "model/Font.h"

namespace pixmere {

// What a reader needs to know besides the file's bytes. The editor asks the user; the
// command-line tool takes it from options.
enum class InputQuestion : uint8_t {
    None,
    LibraryFont,    // which font of a library
    Cell,           // the cell a table is read in (its own parameter lines may state it)
    Magnification,  // the magnification, which the file does not store
};

// The answers to those questions.
struct ReadChoices {
    int libraryFont = 0;             // position in the library's font directory
    std::optional<FontParams> cell;  // none: the table's own parameter lines
    uint8_t magnification = 1;
};

// One type of font file Pixmere reads. Open, the Import menu, the editor's command line and the
// command-line tool all go through this table, so that a type added here is read everywhere.
struct InputFormat {
    const char* name;                  // the file dialog's name of the type: "FNT Font"
    std::vector<std::string> endings;  // what file names end with, lower case: ".pcf.gz"
    uint64_t largestFile;              // larger files are refused unread
    InputQuestion asks;
    ImportedFont (*read)(std::span<const uint8_t> bytes, const ReadChoices& choices);
    const char* importItem;  // its Import menu item ("Font &FNT"); nullptr when it has none
    const char* itemName;    // the item's object name ("ImportFNT")
    const char* described;   // how help texts name it: "a Windows .fnt resource"

    // The file dialog's filter: "FNT Font|*.fnt".
    std::string Filter() const;
    // Whether a file of this name (any case) is of this type.
    bool Names(std::string_view fileName) const;
    // The ending of the type the name has, the longest when several match, else the type's
    // first: how messages call the file's type (".pcf.gz").
    const std::string& EndingOf(std::string_view fileName) const;
};

// Every type, the native file first, the others in the order of the Import menu.
const std::vector<InputFormat>& InputFormats();
// The native file's entry.
const InputFormat& NativeFormat();
// The type a file name ends with; nullptr for none.
const InputFormat* InputFormatOf(std::string_view fileName);
// Every ending the table knows, as ".pzf, .fnt, ...".
std::string InputEndings();

}  // namespace pixmere
