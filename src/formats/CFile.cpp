#include "formats/CFile.h"

#include <optional>

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

}  // namespace

std::optional<FontParams> CFileParameters(std::span<const uint8_t> file) {
    TextLines lines(file);
    const std::optional<FontParams> own = ReadParameterLines(lines);
    const std::optional<Format> format = FindFormat(file);
    if (!own || !format) return std::nullopt;
    uint64_t literals = 0;
    for (std::size_t at = 0; at < file.size();) {
        if (!IsMarker(file, at, *format)) {
            ++at;
            continue;
        }
        try {
            at += 2 + ReadLiteral(file, at + 2, *format).length;
        } catch (const UserError&) {
            return std::nullopt;
        }
        ++literals;
    }
    if (literals != own->glyphDataSize()) return std::nullopt;
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

    const std::optional<Format> format = FindFormat(file);
    if (!format) Refuse();
    const int bytesPerRow = p.NbByteMatrix();
    const int height = p.FormatHeightCar;
    loaded.matrix = p.blankMatrix();

    int k = 0, y = 0, i = 0;
    bool endsAGlyph = false;  // the last literal stored was the last byte of a glyph
    for (std::size_t at = 0; at < file.size() && i < p.NbCar;) {
        if (!IsMarker(file, at, *format)) {
            ++at;
            continue;
        }
        const Literal literal = ReadLiteral(file, at + 2, *format);
        // Scanning resumes after the digits, so they never start a marker of their own.
        at += 2 + literal.length;
        loaded.matrix.at(k, y, i) = literal.value;
        endsAGlyph = k == bytesPerRow - 1 && y == height - 1;
        if (k < bytesPerRow - 1) {
            ++k;
        } else {
            k = 0;
            if (y < height - 1) {
                ++y;
            } else {
                y = 0;
                ++i;
            }
        }
    }
    if (!endsAGlyph) Refuse();
    return loaded;
}

}  // namespace pixmere
