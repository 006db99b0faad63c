// The declared C layouts and the GFX font as firmware sees them: compiled by the system C
// compiler with a small decoder that prints every glyph, which must be the font's.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "formats/Exports.h"
#include "formats/GfxFont.h"
#include "formats/PsfFile.h"
#include "support/GlyphPicture.h"
#include "support/TempDir.h"

namespace pixmere::test {
namespace {

// 10 x 20: two bytes a row, and three pages, the last one half full.
const char* const kFont = "/usr/share/consolefonts/Lat15-Terminus20x10.psf.gz";

// Prints each table of `tables` (data, size, page order, LSB first) glyph by glyph, one row of
// "#" and "." a line, and an empty line after each table. W, H and COUNT come from -D.
const char* const kTableDecoder = R"(#include <stdio.h>
#include "tables.h"
int main(void) {
    for (size_t t = 0; t < sizeof tables / sizeof tables[0]; ++t) {
        const int pages = tables[t].pages, lsb = tables[t].lsb;
        const size_t glyph = pages ? (H + 7) / 8 * W : H * ((W + 7) / 8);
        if (tables[t].size != COUNT * glyph) return 1;
        for (int i = 0; i < COUNT; ++i) {
            const uint8_t* g = tables[t].data + i * glyph;
            for (int y = 0; y < H; ++y) {
                for (int x = 0; x < W; ++x) {
                    const int b = pages ? g[y / 8 * W + x] : g[y * ((W + 7) / 8) + x / 8];
                    const int bit = pages ? y % 8 : x % 8;
                    putchar(((b >> (lsb ? bit : 7 - bit)) & 1) ? '#' : '.');
                }
                putchar('\n');
            }
        }
        putchar('\n');
    }
    return 0;
}
)";

// Draws every glyph of the font `gfx` into its cell as the library's drawChar does: from the
// cursor on the last row above the downstroke (CURSOR), moved by xOffset and yOffset, the
// bits read most significant first and continuing across rows. Prints the codes and yAdvance,
// then per glyph its xAdvance and the cell.
const char* const kGfxDecoder = R"(#include <stdio.h>
#include <stdint.h>
#include <string.h>
#define PROGMEM
typedef struct {
    uint16_t bitmapOffset;
    uint8_t width, height, xAdvance;
    int8_t xOffset, yOffset;
} GFXglyph;
typedef struct {
    uint8_t* bitmap;
    GFXglyph* glyph;
    uint16_t first, last;
    uint8_t yAdvance;
} GFXfont;
#include "gfx.h"
int main(void) {
    printf("%d %d %d\n", gfx.first, gfx.last, gfx.yAdvance);
    for (int c = gfx.first; c <= gfx.last; ++c) {
        const GFXglyph* g = &gfx.glyph[c - gfx.first];
        const uint8_t* bitmap = gfx.bitmap + g->bitmapOffset;
        char cell[H][W + 1];
        memset(cell, '.', sizeof cell);
        for (int y = 0; y < H; ++y) cell[y][W] = 0;
        uint8_t bits = 0, bit = 0;
        for (int yy = 0; yy < g->height; ++yy) {
            for (int xx = 0; xx < g->width; ++xx) {
                if (!(bit++ & 7)) bits = *bitmap++;
                const int x = g->xOffset + xx, y = CURSOR + g->yOffset + yy;
                if (x < 0 || x >= W || y < 0 || y >= H) return 1;
                if (bits & 0x80) cell[y][x] = '#';
                bits <<= 1;
            }
        }
        printf("%d\n", g->xAdvance);
        for (int y = 0; y < H; ++y) puts(cell[y]);
    }
    return 0;
}
)";

// What a command printed on its standard output, and whether it succeeded.
std::pair<bool, std::string> Shell(const std::string& command) {
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return {false, ""};
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
    return {::pclose(pipe) == 0, out};
}

// Equal texts, or the first line where they part: a full diff of such long texts takes minutes.
testing::AssertionResult SameText(const std::string& actual, const std::string& expected) {
    if (actual == expected) return testing::AssertionSuccess();
    std::size_t line = 1, at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) {
        if (actual[at++] == '\n') ++line;
    }
    const auto lineAt = [&](const std::string& text) {
        const std::size_t start = text.rfind('\n', at == 0 ? 0 : at - 1);
        const std::size_t from = start == std::string::npos || at == 0 ? 0 : start + 1;
        return text.substr(from, text.find('\n', from) - from);
    };
    return testing::AssertionFailure() << "line " << line << " is \"" << lineAt(actual)
                                       << "\", expected \"" << lineAt(expected) << "\"";
}

std::string Pictures(const Font& font) {
    std::string text;
    for (const CarObject& glyph : font.glyphs) text += Joined(GlyphPicture(glyph, 10)).substr(1);
    return text;
}

class CompiledExports : public testing::Test {
protected:
    void SetUp() override {
        if (std::system("cc --version > /dev/null 2>&1") != 0) {
            GTEST_SKIP() << "no C compiler: cc is not there (scripts/deps installs "
                            "build-essential)";
        }
    }
    // Compiles the decoder with the flags and runs it in the test's folder.
    std::string Decoded(const char* decoder, const std::string& flags) {
        WriteAll(dir_.file("decoder.c"), AsBytes(decoder));
        const std::string in = "cd '" + dir_.path().string() + "' && ";
        const auto [built, diagnostics] = Shell(
            in + "cc " + flags + " -DW=10 -DH=20 -DCOUNT=" + std::to_string(font_.params.NbCar) +
            " decoder.c -o decoder 2>&1");
        EXPECT_TRUE(built) << diagnostics;
        const auto [ran, out] = Shell(in + "./decoder");
        EXPECT_TRUE(ran);
        return out;
    }

    TempDir dir_;
    const Font font_ = LoadPsf(ReadAll(kFont)).font.build();
};

// Hexadecimal tables compile as standard C without a warning, binary ones as GNU C; each
// order, bit order and declaration, with either comment, gives the font's glyphs.
TEST_F(CompiledExports, EveryDeclaredLayoutCompilesAndDecodesToTheFont) {
    ASSERT_EQ(font_.params.FormatLengthCar, 10);
    for (const CNumbers numbers : {CNumbers::Hexadecimal, CNumbers::Binary}) {
        std::string tables, list;
        for (int n = 0; n < 8; ++n) {
            const CLayout layout{numbers, static_cast<COrder>(n % 2), static_cast<CBits>(n / 2 % 2),
                                 n < 4 ? CDeclaration::Const : CDeclaration::Progmem,
                                 static_cast<CComments>(n % 3 == 0)};
            const std::string name = "t" + std::to_string(n);
            WriteAll(dir_.file(name + ".c"), saveC(font_, layout, name));
            tables += "#include \"" + name + ".c\"\n";
            list += "{" + name + ", sizeof " + name + ", " + std::to_string(n % 2) + ", " +
                    std::to_string(n / 2 % 2) + "},";
        }
        tables +=
            "static const struct { const uint8_t* data; size_t size; int pages, lsb; } "
            "tables[] = {" +
            list + "};\n";
        WriteAll(dir_.file("tables.h"), AsBytes(tables));
        std::string expected;
        for (int n = 0; n < 8; ++n) expected += Pictures(font_) + "\n";
        const bool hex = numbers == CNumbers::Hexadecimal;
        EXPECT_TRUE(SameText(Decoded(kTableDecoder, hex ? "-std=c11 -pedantic-errors -Wall -Werror"
                                                        : "-std=gnu11 -Wall -Werror"),
                             expected));
    }
}

TEST_F(CompiledExports, TheGfxFontCompilesAndDrawsTheFont) {
    const FontParams& p = font_.params;
    WriteAll(dir_.file("gfx.h"), saveGFX(font_, "gfx"));
    std::string expected =
        std::to_string(p.firstcar) + " " + std::to_string(p.lastCode()) + " 20\n";
    for (const CarObject& glyph : font_.glyphs) {
        expected += "10" + Joined(GlyphPicture(glyph, 10));
    }
    EXPECT_TRUE(SameText(Decoded(kGfxDecoder, "-std=c11 -pedantic-errors -Wall -Werror -DCURSOR=" +
                                                  std::to_string(p.FormatHeightCar - p.jambon - 1)),
                         expected));
}

}  // namespace
}  // namespace pixmere::test
