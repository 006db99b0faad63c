// The declared C layouts and the GFX font as firmware sees them: compiled by the system C
// compiler with a small decoder that prints every glyph, which must be the font's. The GFX
// decoder draws from the cursor as the library does, which pins the yOffset convention.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "Installed.h"
#include "formats/Exports.h"
#include "formats/GfxFont.h"
#include "formats/PsfFile.h"
#include "support/GlyphPicture.h"

namespace pixmere::test {
namespace {

// Prints each table (data, size, page order, LSB first) glyph by glyph, a row of "#" and "." a
// line, and an empty line after each table. W, H and COUNT come from -D.
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

// Draws each glyph into its cell as the library's drawChar does: from the cursor on the last
// row above the downstroke (CURSOR), moved by the offsets, bits read most significant first and
// running on across rows. Prints the codes and yAdvance, then per glyph xAdvance and the cell.
const char* const kGfxDecoder = R"(#include <stdio.h>
#include <stdint.h>
#include <string.h>
#define PROGMEM
typedef struct { uint16_t bitmapOffset; uint8_t width, height, xAdvance; int8_t xOffset, yOffset; } GFXglyph;
typedef struct { uint8_t* bitmap; GFXglyph* glyph; uint16_t first, last; uint8_t yAdvance; } GFXfont;
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

// Compiles `decoder` in `dir` with `flags` and gives what it printed.
std::string Decoded(const TempDir& dir, const char* decoder, const std::string& flags) {
    WriteAll(dir.file("decoder.c"), AsBytes(decoder));
    const int status = std::system(("cd '" + dir.path().string() + "' && cc " + flags +
                                    " decoder.c -o decoder > out.txt 2>&1 && ./decoder > out.txt")
                                       .c_str());
    const std::string out = AsText(ReadAll(dir.file("out.txt")));
    EXPECT_EQ(status, 0) << out.substr(0, 2000);
    return out;
}

// Hexadecimal tables compile as standard C without a warning, binary ones as GNU C; each
// order, bit order and declaration, with either comment, gives the font's glyphs, and so does
// the GFX font drawn from its cursor. 10 x 20: two bytes a row, the last page half full.
TEST(CompiledExports, EveryDeclaredLayoutAndTheGfxFontDecodeToTheFont) {
    if (std::system("cc --version > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "cc is missing: is build-essential installed?";
    }
    const Font font = LoadPsf(Installed("/usr/share/consolefonts/Lat15-Terminus20x10.psf.gz",
                                        "console-setup-linux"))
                          .font.build();
    const FontParams& p = font.params;
    ASSERT_EQ(p.FormatLengthCar, 10);
    std::string pictures;
    for (const CarObject& glyph : font.glyphs)
        pictures += Joined(GlyphPicture(glyph, 10)).substr(1);
    const std::string cell = " -DW=10 -DH=20 -DCOUNT=" + std::to_string(p.NbCar);
    const std::string strict = "-std=c11 -pedantic-errors -Wall -Werror";
    TempDir dir;
    for (const CNumbers numbers : {CNumbers::Hexadecimal, CNumbers::Binary}) {
        std::string tables, list, expected;
        for (int n = 0; n < 8; ++n) {
            const CLayout layout{numbers, static_cast<COrder>(n % 2), static_cast<CBits>(n / 2 % 2),
                                 n < 4 ? CDeclaration::Const : CDeclaration::Progmem,
                                 static_cast<CComments>(n % 3 == 0)};
            const std::string name = "t" + std::to_string(n);
            WriteAll(dir.file(name + ".c"), saveC(font, layout, name));
            tables += "#include \"" + name + ".c\"\n";
            list += "{" + name + ", sizeof " + name + ", " + std::to_string(n % 2) + ", " +
                    std::to_string(n / 2 % 2) + "},";
            expected += pictures + "\n";
        }
        WriteAll(dir.file("tables.h"),
                 AsBytes(tables +
                         "static const struct { const uint8_t* data; size_t size; "
                         "int pages, lsb; } tables[] = {" +
                         list + "};\n"));
        SCOPED_TRACE(numbers == CNumbers::Hexadecimal ? "hexadecimal" : "binary");
        // A full diff of texts this long takes minutes.
        EXPECT_TRUE(
            Decoded(dir, kTableDecoder,
                    (numbers == CNumbers::Hexadecimal ? strict : "-std=gnu11 -Wall -Werror") +
                        cell) == expected);
    }
    WriteAll(dir.file("gfx.h"), saveGFX(font, "gfx"));
    std::string expected =
        std::to_string(p.firstcar) + " " + std::to_string(p.lastCode()) + " 20\n";
    for (const CarObject& glyph : font.glyphs) expected += "10" + Joined(GlyphPicture(glyph, 10));
    EXPECT_TRUE(Decoded(dir, kGfxDecoder,
                        strict + cell + " -DCURSOR=" +
                            std::to_string(p.FormatHeightCar - p.jambon - 1)) == expected);
}

}  // namespace
}  // namespace pixmere::test
