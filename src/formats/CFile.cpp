#include "formats/CFile.h"

#include <optional>

#include "formats/CLayout.h"
#include "formats/ParameterLines.h"
#include "model/UserError.h"

namespace pixmere {

const char* const kBadCFileMessage =
    "This file can't be openened because the font parameters are wrong or the file is corrupted";

namespace {

constexpr uint8_t kFirst = 0x20;
constexpr uint8_t kLast = 0xFF;
constexpr int kBinaryDigits = 8;
constexpr int kHexDigits = 2;

enum class Format { Binary, Hexadecimal };

[[noreturn]] void Refuse() { throw UserError(kBadCFileMessage); }

bool IsMarker(std::span<const uint8_t> file, std::size_t p, Format format) {
    return p + 1 < file.size() && file[p] == '0' &&
           file[p + 1] == (format == Format::Binary ? 'b' : 'x');
}

std::optional<Format> FindFormat(std::span<const uint8_t> file) {
    for (std::size_t p = 0; p + 1 < file.size(); ++p) {
        if (IsMarker(file, p, Format::Binary)) return Format::Binary;
        if (IsMarker(file, p, Format::Hexadecimal)) return Format::Hexadecimal;
    }
    return std::nullopt;
}

int HexDigit(uint8_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

struct Literal {
    uint8_t value;
    std::size_t length;  // digits read after the marker
};

// The literal whose digits start at p.
Literal ReadLiteral(std::span<const uint8_t> file, std::size_t p, Format format) {
    Literal literal{0, 0};
    if (format == Format::Binary) {
        if (file.size() - p < kBinaryDigits) Refuse();
        for (; literal.length < kBinaryDigits; ++literal.length) {
            const uint8_t digit = file[p + literal.length];
            if (digit != '0' && digit != '1') Refuse();
            literal.value = static_cast<uint8_t>(literal.value << 1 | (digit - '0'));
        }
    } else {
        // Up to two digits; the first character that is not one ends the literal, as does the
        // end of the file.
        for (; literal.length < kHexDigits && p + literal.length < file.size(); ++literal.length) {
            const int digit = HexDigit(file[p + literal.length]);
            if (digit < 0) break;
            literal.value = static_cast<uint8_t>(literal.value << 4 | digit);
        }
    }
    return literal;
}

// The table's stated layout: nullopt for a file without a "// Layout:" line, which is read as
// the historical files are. A line whose words are not a layout is a damaged file.
std::optional<CLayout> StatedLayout(std::span<const uint8_t> file) {
    const std::optional<std::string_view> words = LayoutLine(file);
    if (!words) return std::nullopt;
    const std::optional<CLayout> layout = LayoutFromWords(*words);
    if (!layout) Refuse();
    return layout;
}

bool NameChar(uint8_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The end of the line that `at` lies on (its LF, or the end of the file). A backslash before
// the line end continues it, for comments and preprocessor lines alike.
std::size_t LineEnd(std::span<const uint8_t> file, std::size_t at) {
    while (at < file.size() && !(file[at] == '\n' && (at == 0 || file[at - 1] != '\\'))) ++at;
    return at;
}

// A literal of a table with a layout: the whole number is "0x" and two hexadecimal digits, or
// "0b" and eight binary digits, as the layout says and the export writes them, so that a
// literal cut short is no literal.
uint8_t DeclaredLiteral(std::span<const uint8_t> number, CNumbers numbers) {
    const bool hex = numbers == CNumbers::Hexadecimal;
    if (number.size() != (hex ? 4u : 10u) || number[0] != '0' ||
        (number[1] | 0x20) != (hex ? 'x' : 'b')) {
        Refuse();
    }
    int value = 0;
    for (const uint8_t c : number.subspan(2)) {
        const int digit = hex ? HexDigit(c) : (c == '0' || c == '1' ? c - '0' : -1);
        if (digit < 0) Refuse();
        value = value * (hex ? 16 : 2) + digit;
    }
    return static_cast<uint8_t>(value);
}

// Calls take(value) with the table's literals in file order while it returns true. Without a
// layout, every "0b" or "0x" marker of the format the first one fixes starts a literal,
// wherever it stands. With one, the file is read as C to its end: comments, preprocessor
// lines, names and punctuation are skipped, every number must be a literal of the layout's
// kind and the braces must pair, so that a declared table cut short is refused.
template <typename Take>
void ForEachLiteral(std::span<const uint8_t> file, const std::optional<CLayout>& layout,
                    Take take) {
    if (!layout) {
        const std::optional<Format> format = FindFormat(file);
        if (!format) Refuse();
        for (std::size_t at = 0; at < file.size();) {
            if (!IsMarker(file, at, *format)) {
                ++at;
                continue;
            }
            const Literal literal = ReadLiteral(file, at + 2, *format);
            // Scanning resumes after the digits, so they never start a marker of their own.
            at += 2 + literal.length;
            if (!take(literal.value)) return;
        }
        return;
    }
    bool lineStart = true, wanted = true;
    std::size_t depth = 0;  // of braces
    for (std::size_t at = 0; at < file.size();) {
        const uint8_t c = file[at];
        const uint8_t following = at + 1 < file.size() ? file[at + 1] : 0;
        if ((c == '/' && following == '/') || (c == '#' && lineStart)) {
            at = LineEnd(file, at);
        } else if (c == '/' && following == '*') {
            std::size_t end = at + 2;
            while (end + 1 < file.size() && !(file[end] == '*' && file[end + 1] == '/')) ++end;
            if (end + 1 >= file.size()) Refuse();
            at = end + 2;
        } else if (NameChar(c)) {
            std::size_t end = at;
            while (end < file.size() && NameChar(file[end])) ++end;
            if (c >= '0' && c <= '9') {
                const uint8_t value = DeclaredLiteral(file.subspan(at, end - at), layout->numbers);
                wanted = wanted && take(value);
            }
            at = end;
        } else {
            if (c == '{') ++depth;
            if (c == '}' && depth-- == 0) Refuse();
            if (c == '\n') {
                lineStart = true;
            } else if (c != ' ' && c != '\t' && c != '\r') {
                lineStart = false;
            }
            ++at;
            continue;
        }
        lineStart = false;
    }
    if (depth != 0) Refuse();
}

// Puts a table's literals into the glyphs of a font, in the layout's order.
class GlyphFill {
public:
    GlyphFill(const FontParams& p, const CLayout& layout, ByteMatrix& matrix)
        : p_(p),
          layout_(layout),
          matrix_(matrix),
          glyphBytes_(layout.glyphBytes(p.FormatLengthCar, p.FormatHeightCar)) {}

    // Stores the next literal; false once every glyph is full.
    bool put(uint8_t value) {
        if (layout_.bits == CBits::LsbFirst) value = ReversedBits(value);
        if (layout_.order == COrder::Rows) {
            const int bytes = p_.NbByteMatrix();
            matrix_.at(static_cast<int>(n_ % bytes), static_cast<int>(n_ / bytes), i_) = value;
        } else {
            // Byte n holds column n mod W of page n / W, its topmost pixel in the high bit.
            const int x = static_cast<int>(n_ % p_.FormatLengthCar);
            const int top = static_cast<int>(n_ / p_.FormatLengthCar) * 8;
            for (int r = 0; r < 8 && top + r < p_.FormatHeightCar; ++r) {
                if (value & (0x80 >> r)) {
                    matrix_.at(x / 8, top + r, i_) |= static_cast<uint8_t>(0x80 >> (x % 8));
                }
            }
        }
        endsAGlyph_ = ++n_ == glyphBytes_;
        if (endsAGlyph_) {
            n_ = 0;
            ++i_;
        }
        return i_ < p_.NbCar;
    }
    // Whether the last literal stored was the last byte of a glyph.
    bool endsAGlyph() const { return endsAGlyph_; }

private:
    const FontParams& p_;
    const CLayout& layout_;
    ByteMatrix& matrix_;
    std::size_t glyphBytes_;
    std::size_t n_ = 0;  // the literal's place in its glyph
    int i_ = 0;
    bool endsAGlyph_ = false;
};

}  // namespace

std::optional<FontParams> CFileParameters(std::span<const uint8_t> file) {
    TextLines lines(file);
    const std::optional<FontParams> own = ReadParameterLines(lines);
    if (!own) return std::nullopt;
    try {
        const std::optional<CLayout> layout = StatedLayout(file);
        uint64_t literals = 0;
        ForEachLiteral(file, layout, [&](uint8_t) { return ++literals, true; });
        const CLayout read = layout.value_or(CLayout{});
        if (literals != own->NbCar * read.glyphBytes(own->FormatLengthCar, own->FormatHeightCar)) {
            return std::nullopt;
        }
    } catch (const UserError&) {
        return std::nullopt;
    }
    return own;
}

LoadedFont ParseCFile(std::span<const uint8_t> file, const FontParams& entered) {
    LoadedFont loaded;
    FontParams& p = loaded.params;
    p.FormatHeightCar = entered.FormatHeightCar;
    p.FormatLengthCar = entered.FormatLengthCar;
    p.jambon = entered.jambon;
    p.Magnification = entered.Magnification;
    const std::optional<FontParams> own = CFileParameters(file);
    p.firstcar = own ? own->firstcar : kFirst;
    p.NbCar = own ? own->NbCar : kLast - kFirst + 1;
    p.lastcar = static_cast<uint8_t>(p.lastCode());
    if (!p.valid()) Refuse();

    const std::optional<CLayout> layout = StatedLayout(file);
    loaded.matrix = p.blankMatrix();
    const CLayout read = layout.value_or(CLayout{});
    GlyphFill fill(p, read, loaded.matrix);
    ForEachLiteral(file, layout, [&](uint8_t value) { return fill.put(value); });
    if (!fill.endsAGlyph()) Refuse();
    return loaded;
}

}  // namespace pixmere
