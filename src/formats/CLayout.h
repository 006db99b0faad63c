#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pixmere {

// How the C export lays a font out for firmware, and how the GFX export advances. The defaults
// are the C export's one historical layout, written byte for byte as it always was.
enum class CNumbers : uint8_t { Binary, Hexadecimal };
enum class COrder : uint8_t {
    Rows,   // each pixel row is NbByteMatrix bytes, the font's own packing
    Pages,  // columns in pages of 8 rows, as page-addressed display controllers read them
};
enum class CBits : uint8_t { MsbFirst, LsbFirst };  // where a byte's first pixel goes
enum class CDeclaration : uint8_t { None, Const, Progmem };
enum class CComments : uint8_t { Index, Picture };
enum class GfxAdvance : uint8_t {
    Cell,  // every character advances by the cell width
    Ink,   // by its rightmost ink column + 2: one pixel of space after the ink
};

struct CLayout {
    CNumbers numbers = CNumbers::Binary;
    COrder order = COrder::Rows;
    CBits bits = CBits::MsbFirst;
    CDeclaration declaration = CDeclaration::None;
    CComments comments = CComments::Index;
    GfxAdvance advance = GfxAdvance::Cell;  // the GFX export's; the C export ignores it

    bool operator==(const CLayout&) const = default;
    // Whether the C choices are the historical layout, which writes no "// Layout:" line.
    bool cDefault() const;
    // The literals of one glyph of a cell: rows of NbByteMatrix bytes, or pages of `width`.
    std::size_t glyphBytes(int width, int height) const;
};

// A byte with its bits in the opposite order: the first pixel moved to the other end.
constexpr uint8_t ReversedBits(uint8_t b) {
    b = static_cast<uint8_t>((b & 0xF0) >> 4 | (b & 0x0F) << 4);
    b = static_cast<uint8_t>((b & 0xCC) >> 2 | (b & 0x33) << 2);
    return static_cast<uint8_t>((b & 0xAA) >> 1 | (b & 0x55) << 1);
}

// The line the C export adds after "// Magnification:" for any other layout.
inline constexpr const char* kLayoutLabel = "// Layout:";

// The text after kLayoutLabel: every C choice in words, in a fixed order, such as
// "hexadecimal, page order, LSB first, PROGMEM array, picture comments".
std::string LayoutWords(const CLayout& layout);
// The C choices such a text names, in any order and case, the ones it leaves out at their
// defaults; nullopt for a word it does not know or a choice named twice.
std::optional<CLayout> LayoutFromWords(std::string_view words);

// One choice of the layout: its option in the command-line tool ("--c-numbers bin|hex") and
// its words in the "// Layout:" line. Values are numbered from 0, the default first.
struct CLayoutOption {
    const char* option;               // "c-numbers"
    std::vector<const char*> values;  // "bin", "hex"
    std::vector<const char*> words;   // "binary", "hexadecimal"; none for a GFX choice
    int (*get)(const CLayout& layout);
    void (*set)(CLayout& layout, int value);

    bool gfx() const { return words.empty(); }
};
// The five C choices in the order of the "// Layout:" line, then the GFX advance.
const std::vector<CLayoutOption>& CLayoutOptions();

// A file's base name made into a C identifier: every run of characters other than ASCII letters
// and digits becomes one "_" (none in front), and "font_" goes before a name that would not be
// usable (starting with a digit, a keyword or a name the declarations use); "font" for none.
std::string CIdentifier(const std::string& name);

// The character of a code, for a comment: printable ASCII only, so that every export stays
// plain ASCII whatever encoding the firmware's compiler expects.
std::optional<char> PrintableCharacter(int code);

}  // namespace pixmere
