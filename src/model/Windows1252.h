#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace pixmere {

// The character a single-byte code means in Windows-1252. The five codes the code page leaves
// undefined (81, 8D, 8F, 90, 9D) map to the C1 control characters of the same value, as the
// system's own conversion does.
char32_t Windows1252ToUnicode(uint8_t code);

// The code that means the character in Windows-1252, -1 for a character the code page lacks.
int UnicodeToWindows1252(char32_t character);

// Single-byte Windows-1252 text (a font's face name, a library's description) as UTF-8, with
// every control character, C1 ones included, replaced by U+FFFD so that it can be shown.
std::string Windows1252ToUtf8(std::span<const uint8_t> text);

}  // namespace pixmere
