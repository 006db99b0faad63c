#include "model/CharacterLookup.h"

#include <optional>

#include "model/FontParameters.h"
#include "model/Windows1252.h"

namespace pixmere {

namespace {

int32_t GlyphOfCode(const FontParams& params, int code) {
    return code >= params.firstcar && code <= params.lastCode() ? code - params.firstcar : -1;
}

bool IsControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c < 0xA0); }

// A hexadecimal code: two or more digits, or any with "h" after them or "0x" before them.
std::optional<int> CodeOf(std::u32string_view text) {
    std::string digits;
    for (const char32_t c : text) {
        if (c >= 0x80) return std::nullopt;
        digits += static_cast<char>(c);
    }
    const auto blank = digits.find_first_not_of(' ');
    if (blank == std::string::npos) return std::nullopt;
    digits = digits.substr(blank, digits.find_last_not_of(' ') - blank + 1);
    bool marked = false;
    if (digits.size() > 1 && (digits.back() == 'h' || digits.back() == 'H')) {
        digits.pop_back();
        marked = true;
    } else if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits.erase(0, 2);
        marked = true;
    }
    if (!marked && digits.size() < 2) return std::nullopt;
    const std::optional<int> value = HexValue(digits);
    if (!value || *value > 0xFF) return std::nullopt;
    return value;
}

}  // namespace

int32_t GlyphOfCharacter(const FontParams& params, char32_t character) {
    const int code = UnicodeToWindows1252(character);
    return code < 0 ? -1 : GlyphOfCode(params, code);
}

int32_t CarForKey(const FontParams& params, char32_t key) {
    return IsControl(key) ? -1 : GlyphOfCharacter(params, key);
}

CharacterLookup GoToCharacter(const FontParams& params, std::u32string_view text) {
    CharacterLookup lookup;
    if (text.size() == 1) {
        lookup.character = true;
        lookup.code = UnicodeToWindows1252(text[0]);
    } else if (const std::optional<int> code = CodeOf(text)) {
        lookup.code = *code;
    }
    if (lookup.code >= 0) lookup.glyph = GlyphOfCode(params, lookup.code);
    return lookup;
}

std::string GoToRefusal(const FontParams& params, const CharacterLookup& lookup) {
    if (lookup.glyph >= 0) return "";
    if (lookup.code < 0 && lookup.character) {
        return "The printer's character set has no code for this character.";
    }
    if (lookup.code < 0) {
        return "Type one character, or a character code in hexadecimal such as 41 or 41h.";
    }
    return "The font has no character " + HexText(lookup.code) + "h: it holds " +
           HexText(params.firstcar) + "h to " + HexText(params.lastCode()) + "h.";
}

}  // namespace pixmere
