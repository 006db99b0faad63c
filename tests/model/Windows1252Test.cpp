#include <gtest/gtest.h>

#include "model/Windows1252.h"

namespace pixmere {
namespace {

TEST(Windows1252, MapsTheHighRowAndKeepsTheUndefinedCodesAsC1Controls) {
    EXPECT_EQ(Windows1252ToUnicode(0x41), U'A');
    EXPECT_EQ(Windows1252ToUnicode(0x80), U'\u20AC');
    EXPECT_EQ(Windows1252ToUnicode(0x9F), U'\u0178');
    EXPECT_EQ(Windows1252ToUnicode(0xE9), U'\u00E9');
    for (const uint8_t undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        EXPECT_EQ(Windows1252ToUnicode(undefined), char32_t{undefined});
    }
}

TEST(Windows1252, EveryCodeComesBackFromItsCharacterAndOthersHaveNone) {
    for (int code = 0; code < 256; ++code) {
        EXPECT_EQ(UnicodeToWindows1252(Windows1252ToUnicode(static_cast<uint8_t>(code))), code);
    }
    for (const char32_t none : {U'\u0080', U'\u0100', U'\u4E2D', U'\U0001F600'}) {
        EXPECT_EQ(UnicodeToWindows1252(none), -1);
    }
}

TEST(Windows1252, TextBecomesUtf8WithEveryControlCharacterReplaced) {
    const uint8_t text[] = {'S', 0xE9, 0x80, 0x01, 0x1F, 0x7F, 0x81, 0x9D, 'x'};
    EXPECT_EQ(Windows1252ToUtf8(text),
              "S\xC3\xA9\xE2\x82\xAC"
              "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBDx");
}

}  // namespace
}  // namespace pixmere
