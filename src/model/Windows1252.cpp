#include "model/Windows1252.h"

namespace pixmere {

namespace {

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace

char32_t Windows1252ToUnicode(uint8_t code) {
    // 80..9F; everything else is the same number in Unicode.
    static constexpr char16_t kHigh[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98
    };
    return code >= 0x80 && code < 0xA0 ? kHigh[code - 0x80] : code;
}

int UnicodeToWindows1252(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
        return static_cast<int>(character);
    }
    for (int c = 0x80; c < 0xA0; ++c) {
        if (Windows1252ToUnicode(static_cast<uint8_t>(c)) == character) return c;
    }
    return -1;
}

std::string Windows1252ToUtf8(std::span<const uint8_t> text) {
    constexpr char32_t kReplacement = 0xFFFD;
    std::string out;
    for (const uint8_t b : text) {
        const char32_t code = Windows1252ToUnicode(b);
        const bool control = code < 0x20 || (code >= 0x7F && code < 0xA0);
        AppendUtf8(out, control ? kReplacement : code);
    }
    return out;
}

}  // namespace pixmere
