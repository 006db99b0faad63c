#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/Font.h"

namespace pixmere {

// The glyph index of a character in a font: its Windows-1252 code within firstcar..the last
// code; -1 when the code page or the font lacks it.
int32_t GlyphOfCharacter(const FontParams& params, char32_t character);

// The character a key typed in the font window selects: a printable character the font holds,
// -1 for anything else (control characters included).
int32_t CarForKey(const FontParams& params, char32_t key);

// What "Go to Character" found for a text.
struct CharacterLookup {
    bool character = false;  // the text was one character
    int code = -1;           // the code asked for: -1 for a character Windows-1252 lacks, or a text
                             // that is neither a character nor a code
    int32_t glyph = -1;      // its glyph index, -1 when the font does not hold it
};

// "Go to Character" takes one character ("A", " ") or a hexadecimal code of two or more
// digits ("41", "041"), or of any length with an h after it or 0x before it ("Ah", "41h",
// "0x41"); spaces around a code are ignored. A single letter is the letter, never a code.
CharacterLookup GoToCharacter(const FontParams& params, std::u32string_view text);

// Why a lookup found no glyph, as the user reads it; "" when it found one.
std::string GoToRefusal(const FontParams& params, const CharacterLookup& lookup);

}  // namespace pixmere
