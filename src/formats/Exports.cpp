#include "formats/Exports.h"

#include <algorithm>
#include <array>
#include <string>

#include "formats/Bin2Char.h"
#include "formats/TextOut.h"

namespace pixmere {

namespace {

// Eight characters for each byte value.
using ByteTable = std::array<std::array<char, 8>, 256>;

ByteTable MakeTable(std::string (*convert)(uint8_t), char background = ' ') {
    ByteTable table{};
    for (int b = 0; b < 256; ++b) {
        const std::string s = convert(static_cast<uint8_t>(b));
        std::replace_copy(s.begin(), s.end(), table[b].begin(), ' ', background);
    }
    return table;
}

const ByteTable& BinaryTable() {
    static const ByteTable table = MakeTable(Bin2Char::ByteToBinary);
    return table;
}

const ByteTable& PictureTable() {
    static const ByteTable table = MakeTable(Bin2Char::ByteToPicture);
    return table;
}

// The pictures of the C comments: "#" for ink, "." for background, which an editor's trailing
// blank trimming cannot eat.
const ByteTable& InkTable() {
    static const ByteTable table = MakeTable(Bin2Char::ByteToPicture, '.');
    return table;
}

// The literal of each byte value with its comma, "0b00111100," or "0x3C,", and its length.
// Entries are 16 bytes so that each is copied whole, in one move (LineBuffer::putWide).
struct Literals {
    std::array<std::array<char, LineBuffer::kWide>, 256> text{};
    std::size_t length = 0;
};

const Literals& LiteralsOf(CNumbers numbers) {
    static const Literals binary = [] {
        Literals l;
        l.length = 11;
        for (int b = 0; b < 256; ++b) {
            l.text[b][0] = '0';
            l.text[b][1] = 'b';
            std::copy(BinaryTable()[b].begin(), BinaryTable()[b].end(), l.text[b].begin() + 2);
            l.text[b][10] = ',';
        }
        return l;
    }();
    static const Literals hexadecimal = [] {
        static const char kHex[] = "0123456789ABCDEF";
        Literals l;
        l.length = 5;
        for (int b = 0; b < 256; ++b) {
            l.text[b] = {'0', 'x', kHex[b >> 4], kHex[b & 15], ','};
        }
        return l;
    }();
    return numbers == CNumbers::Binary ? binary : hexadecimal;
}

void ParameterLines(TextOut& out, const FontParams& p, const CLayout* layout = nullptr) {
    WriteParameterLines(out, p);
    if (layout && !layout->cDefault())
        out.line(std::string(kLayoutLabel) + " " + LayoutWords(*layout));
    out.endLine();
    out.endLine();
}

// What comes before the first glyph and after the last for a declared array.
void Declaration(TextOut& out, const CLayout& layout, const std::string& name) {
    if (layout.declaration == CDeclaration::None) return;
    out.line("#include <stdint.h>");
    const bool progmem = layout.declaration == CDeclaration::Progmem;
    if (progmem) {
        // Flash data on AVR; elsewhere the arrays are plain constants.
        for (const char* line : {"#ifdef __AVR__", "#include <avr/pgmspace.h>", "#endif",
                                 "#ifndef PROGMEM", "#define PROGMEM", "#endif"}) {
            out.line(line);
        }
    }
    out.endLine();
    out.line("const uint8_t " + CIdentifier(name) + "[]" + (progmem ? " PROGMEM" : "") + " = {");
}

std::string GlyphComment(const CLayout& layout, const FontParams& p, const CarObject& glyph) {
    if (layout.comments == CComments::Index) return "// Car " + Num(glyph.NumCar());
    static const char kHex[] = "0123456789ABCDEF";
    const int code = p.firstcar + glyph.NumCar();
    std::string comment = "// ";
    comment += kHex[code >> 4];
    comment += kHex[code & 15];
    comment += 'h';
    if (const std::optional<char> c = PrintableCharacter(code)) {
        comment += " '";
        comment += *c;
        comment += '\'';
    }
    return comment;
}

// The picture of a row's pixels, padding left out.
void RowPicture(LineBuffer& line, const uint8_t* row, int width) {
    for (int k = 0; k * 8 < width; ++k) {
        line.put(InkTable()[row[k]].data(), static_cast<std::size_t>(std::min(8, width - k * 8)));
    }
}

void RowData(TextOut& out, LineBuffer& line, const CLayout& layout, const FontParams& p,
             const CarObject& glyph) {
    const Literals& literals = LiteralsOf(layout.numbers);
    const bool reversed = layout.bits == CBits::LsbFirst;
    const int nbByte = p.NbByteMatrix();
    for (int y = 0; y < p.FormatHeightCar; ++y) {
        const uint8_t* row = glyph.row(y);
        for (int k = 0; k < nbByte; ++k) {
            const uint8_t b = reversed ? ReversedBits(row[k]) : row[k];
            line.putWide(literals.text[b].data(), literals.length);
        }
        if (layout.comments == CComments::Picture) {
            line.put(" // ", 4);
            RowPicture(line, row, p.FormatLengthCar);
        }
        line.endLine(out);
    }
}

// The 8 x 8 pixels of rows 8 page + r, columns 8 k + c, turned so that byte c holds column
// 8 k + c, its topmost pixel in the most significant bit. Rows past the height are blank.
std::array<uint8_t, 8> PageBlock(const FontParams& p, const CarObject& glyph, int page, int k) {
    uint64_t x = 0;
    for (int r = 0; r < 8; ++r) {
        const int y = page * 8 + r;
        x = x << 8 | (y < p.FormatHeightCar ? glyph.row(y)[k] : 0);
    }
    // Transposes the 8 x 8 bit matrix whose byte r (from the top) is row r.
    uint64_t t = (x ^ (x >> 7)) & 0x00AA00AA00AA00AAull;
    x ^= t ^ (t << 7);
    t = (x ^ (x >> 14)) & 0x0000CCCC0000CCCCull;
    x ^= t ^ (t << 14);
    t = (x ^ (x >> 28)) & 0x00000000F0F0F0F0ull;
    x ^= t ^ (t << 28);
    std::array<uint8_t, 8> columns{};
    for (int c = 0; c < 8; ++c) columns[c] = static_cast<uint8_t>(x >> (56 - 8 * c));
    return columns;
}

void PageData(TextOut& out, LineBuffer& line, const CLayout& layout, const FontParams& p,
              const CarObject& glyph) {
    const Literals& literals = LiteralsOf(layout.numbers);
    const bool reversed = layout.bits == CBits::LsbFirst;
    const int width = p.FormatLengthCar;
    for (int page = 0; page * 8 < p.FormatHeightCar; ++page) {
        for (int k = 0; k * 8 < width; ++k) {
            const std::array<uint8_t, 8> columns = PageBlock(p, glyph, page, k);
            for (int c = 0; c < 8 && k * 8 + c < width; ++c) {
                const uint8_t b = reversed ? ReversedBits(columns[c]) : columns[c];
                line.putWide(literals.text[b].data(), literals.length);
            }
        }
        line.endLine(out);
        if (layout.comments != CComments::Picture) continue;
        for (int y = page * 8; y < std::min(page * 8 + 8, int{p.FormatHeightCar}); ++y) {
            line.put("// ", 3);
            RowPicture(line, glyph.row(y), width);
            line.endLine(out);
        }
    }
}

}  // namespace

std::vector<uint8_t> saveBin(const Font& font) {
    const FontParams& p = font.params;
    std::vector<uint8_t> out{p.FormatLengthCar, p.FormatHeightCar, p.jambon, p.firstcar,
                             static_cast<uint8_t>(p.NbCar % 256)};
    const std::vector<uint8_t> data = font.glyphData();
    out.insert(out.end(), data.begin(), data.end());
    out.insert(out.end(), 3, 0);
    return out;
}

std::vector<uint8_t> saveC(const Font& font, const CLayout& layout, const std::string& name) {
    const FontParams& p = font.params;
    const int w = p.FormatLengthCar, h = p.FormatHeightCar, pages = (h + 7) / 8;
    const std::size_t literal = LiteralsOf(layout.numbers).length;
    const bool picture = layout.comments == CComments::Picture;
    // The longest line and every glyph's text, so that the text is never moved as it grows.
    const std::size_t longest =
        layout.order == COrder::Rows ? p.NbByteMatrix() * literal + 6 + w : w * literal + 2;
    const std::size_t glyphText =
        64 +
        (layout.order == COrder::Rows ? h * (p.NbByteMatrix() * literal + 2)
                                      : pages * (w * literal + 2)) +
        (picture ? h * (w + 5) : 0);
    TextOut out(1024 + name.size() + font.glyphs.size() * glyphText);
    LineBuffer line(longest);
    ParameterLines(out, p, &layout);
    Declaration(out, layout, name);
    for (const CarObject& glyph : font.glyphs) {
        out.endLine();
        out.endLine();
        out.line(GlyphComment(layout, p, glyph));
        out.endLine();
        if (layout.order == COrder::Rows) {
            RowData(out, line, layout, p, glyph);
        } else {
            PageData(out, line, layout, p, glyph);
        }
    }
    if (layout.declaration != CDeclaration::None) out.line("};");
    return out.take();
}

std::vector<uint8_t> saveTXT(const Font& font) {
    const FontParams& p = font.params;
    const int nbByte = p.NbByteMatrix();
    TextOut out(200 + font.glyphs.size() * (20 + p.FormatHeightCar * (8 * nbByte + 2)));
    LineBuffer line(8 * nbByte + 2);
    ParameterLines(out, p);
    for (const CarObject& glyph : font.glyphs) {
        out.line("\r");
        out.line("// Car " + Num(p.firstcar + glyph.NumCar()));
        for (int y = 0; y < p.FormatHeightCar; ++y) {
            const uint8_t* row = glyph.row(y);
            for (int k = 0; k < nbByte; ++k) line.put(PictureTable()[row[k]].data(), 8);
            line.endLine(out);
        }
    }
    return out.take();
}

}  // namespace pixmere
