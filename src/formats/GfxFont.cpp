#include "formats/GfxFont.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <optional>
#include <string_view>

#include "formats/ParameterLines.h"
#include "formats/TextOut.h"
#include "model/Pixels.h"
#include "model/UserError.h"

namespace pixmere {

namespace {

// ---- Writing ----

// The rectangle of a glyph's ink; empty when x1 < x0.
struct InkBox {
    int x0 = 255, y0 = 255, x1 = -1, y1 = -1;

    bool empty() const { return x1 < x0; }
    int width() const { return empty() ? 0 : x1 - x0 + 1; }
    int height() const { return empty() ? 0 : y1 - y0 + 1; }
};

InkBox InkBoxOf(const CarObject& glyph, int width, int height) {
    InkBox box;
    const int bytes = BytesPerRow(width);
    // Bits past the width are padding, never ink.
    const uint8_t lastMask = LastByteMask(width);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = glyph.row(y);
        for (int k = 0; k < bytes; ++k) {
            const uint8_t b = row[k] & (k == bytes - 1 ? lastMask : 0xFF);
            if (b == 0) continue;
            box.x0 = std::min(box.x0, k * 8 + std::countl_zero(b));
            box.x1 = std::max(box.x1, k * 8 + 7 - std::countr_zero(b));
            box.y0 = std::min(box.y0, y);
            box.y1 = y;
        }
    }
    return box;
}

struct GfxGlyph {
    int bitmapOffset = 0, width = 0, height = 0, xAdvance = 0, xOffset = 0, yOffset = 0;
};

[[noreturn]] void RefuseFont(const std::string& why) {
    throw UserError("This font can not be saved as a GFX font: " + why);
}

std::string CodeName(int code) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", code);
    return text;
}

void CheckOffset(int code, const char* what, int value) {
    if (value < -128 || value > 127) {
        RefuseFont("the " + std::string(what) + " of character " + CodeName(code) + " would be " +
                   std::to_string(value) + "; GFX offsets are -128 to 127.");
    }
}

}  // namespace

std::vector<uint8_t> saveGFX(const Font& font, const std::string& name, GfxAdvance advance) {
    const FontParams& p = font.params;
    const int w = p.FormatLengthCar, h = p.FormatHeightCar;
    // The library's cursor row: the last row above the downstroke.
    const int cursorRow = h - p.jambon - 1;
    std::vector<GfxGlyph> glyphs;
    std::vector<uint8_t> bitmaps;
    for (const CarObject& glyph : font.glyphs) {
        const int code = p.firstcar + glyph.NumCar();
        const InkBox box = InkBoxOf(glyph, w, h);
        GfxGlyph g;
        g.bitmapOffset = static_cast<int>(bitmaps.size());
        g.width = box.width();
        g.height = box.height();
        g.xAdvance = advance == GfxAdvance::Ink && !box.empty() ? std::min(box.x1 + 2, 255) : w;
        if (!box.empty()) {
            g.xOffset = box.x0;
            g.yOffset = box.y0 - cursorRow;
            CheckOffset(code, "xOffset", g.xOffset);
            CheckOffset(code, "yOffset", g.yOffset);
        }
        uint8_t byte = 0;
        int bits = 0;
        for (int y = box.y0; y <= box.y1; ++y) {
            for (int x = box.x0; x <= box.x1; ++x) {
                byte = static_cast<uint8_t>(byte << 1 | (glyph.pixel(x, y) ? 1 : 0));
                if (++bits == 8) {
                    bitmaps.push_back(byte);
                    bits = 0;
                }
            }
        }
        if (bits > 0) bitmaps.push_back(static_cast<uint8_t>(byte << (8 - bits)));
        if (bitmaps.size() > 65535) {
            RefuseFont(
                "its bitmaps would take more than 65,535 bytes, the most a GFX font "
                "addresses.");
        }
        glyphs.push_back(g);
    }
    // An array needs an element even when every glyph is empty.
    if (bitmaps.empty()) bitmaps.push_back(0);

    const std::string id = CIdentifier(name);
    TextOut out(4096 + bitmaps.size() * 6 + glyphs.size() * 64);
    WriteParameterLines(out, p);
    const std::string m = std::to_string(p.Magnification);
    out.line("// An Adafruit GFX font. The printer's magnification (" + m + ") has no field here:");
    out.line("// setTextSize(1, " + m + ") stretches the rows as the printer does.");
    out.endLine();
    out.line("const uint8_t " + id + "Bitmaps[] PROGMEM = {");
    for (std::size_t n = 0; n < bitmaps.size(); n += 12) {
        std::string line = " ";
        for (std::size_t k = n; k < std::min(n + 12, bitmaps.size()); ++k) {
            line += ' ';
            line += CodeName(bitmaps[k]);
            line += ',';
        }
        out.line(line);
    }
    out.line("};");
    out.endLine();
    out.line("const GFXglyph " + id + "Glyphs[] PROGMEM = {");
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        const GfxGlyph& g = glyphs[i];
        const int code = p.firstcar + static_cast<int>(i);
        char line[96];
        std::snprintf(line, sizeof line, "  { %5d, %3d, %3d, %3d, %4d, %4d },  // %s",
                      g.bitmapOffset, g.width, g.height, g.xAdvance, g.xOffset, g.yOffset,
                      CodeName(code).c_str());
        std::string text = line;
        if (const std::optional<char> c = PrintableCharacter(code)) {
            text += " '";
            text += *c;
            text += '\'';
        }
        out.line(text);
    }
    out.line("};");
    out.endLine();
    out.line("const GFXfont " + id + " PROGMEM = {");
    out.line("  (uint8_t  *)" + id + "Bitmaps,");
    out.line("  (GFXglyph *)" + id + "Glyphs,");
    out.line("  " + CodeName(p.firstcar) + ", " + CodeName(p.lastCode()) + ", " +
             std::to_string(h) + " };");
    out.endLine();
    // As the library's converter estimates it, for AVR's pointer and structure sizes.
    out.line("// Approx. " + std::to_string(bitmaps.size() + glyphs.size() * 7 + 7) + " bytes");
    return out.take();
}

namespace {

// ---- Reading ----

[[noreturn]] void Refuse() { throw UserError(kBadFontFileMessage); }

// The tokens of a C header: names, whole numbers and single punctuation characters, with
// comments and preprocessor lines left out. Every read stays inside the text.
class Tokens {
public:
    enum class Kind { End, Name, Number, Punct };
    struct Token {
        Kind kind = Kind::End;
        std::string_view text;
        long long value = 0;  // a number's
    };

    explicit Tokens(std::span<const uint8_t> file)
        : text_(reinterpret_cast<const char*>(file.data()), file.size()) {
        advance();
    }

    const Token& peek() const { return current_; }
    Token next() {
        Token token = current_;
        advance();
        return token;
    }
    bool take(char punct) {
        if (current_.kind != Kind::Punct || current_.text[0] != punct) return false;
        advance();
        return true;
    }
    void expect(char punct) {
        if (!take(punct)) Refuse();
    }

private:
    static bool NameChar(char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_';
    }
    char at(std::size_t n) const { return n < text_.size() ? text_[n] : '\0'; }
    void skipLine() {
        // A backslash before the line end continues a preprocessor line.
        while (at_ < text_.size() && !(text_[at_] == '\n' && at(at_ - 1) != '\\')) ++at_;
    }
    void skipBlank() {
        bool lineStart = at_ == 0;
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (c == '\n') {
                lineStart = true;
                ++at_;
            } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
                ++at_;
            } else if (c == '#' && lineStart) {
                skipLine();
            } else if (c == '/' && at(at_ + 1) == '/') {
                skipLine();
            } else if (c == '/' && at(at_ + 1) == '*') {
                const std::size_t end = text_.find("*/", at_ + 2);
                if (end == std::string_view::npos) Refuse();
                at_ = end + 2;
            } else {
                return;
            }
        }
    }
    void advance() {
        skipBlank();
        current_ = {};
        if (at_ >= text_.size()) return;
        const std::size_t start = at_;
        const char c = text_[at_];
        if (NameChar(c)) {
            while (at_ < text_.size() && NameChar(text_[at_])) ++at_;
            current_.text = text_.substr(start, at_ - start);
            const bool digit = c >= '0' && c <= '9';
            current_.kind = digit ? Kind::Number : Kind::Name;
            if (digit) current_.value = NumberValue(current_.text);
        } else if (std::string_view("{}[](),;=*-").find(c) != std::string_view::npos) {
            ++at_;
            current_ = {Kind::Punct, text_.substr(start, 1), 0};
        } else {
            Refuse();
        }
    }
    // A decimal, octal or hexadecimal number of at most 8 digits, as C reads it.
    static long long NumberValue(std::string_view text) {
        int base = 10;
        if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
            base = 16;
            text.remove_prefix(2);
        } else if (text.size() > 1 && text[0] == '0') {
            base = 8;
        }
        if (text.size() > 8) Refuse();
        long long value = 0;
        for (const char c : text) {
            int digit = 16;
            if (c >= '0' && c <= '9') digit = c - '0';
            if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
            if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
            if (digit >= base) Refuse();
            value = value * base + digit;
        }
        return value;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    Token current_;
};

// A whole number, a minus sign allowed, within [low, high].
int Number(Tokens& in, long long low, long long high) {
    const bool negative = in.take('-');
    const Tokens::Token token = in.next();
    if (token.kind != Tokens::Kind::Number) Refuse();
    const long long value = negative ? -token.value : token.value;
    if (value < low || value > high) Refuse();
    return static_cast<int>(value);
}

// A field of a record: where it goes and the values it may take (the C type's).
struct Field {
    int* value;
    long long low, high;
};

// The fields in order, separated by commas, a comma after the last allowed.
void ReadFields(Tokens& in, std::initializer_list<Field> fields) {
    for (const Field& field : fields) {
        if (&field != fields.begin()) in.expect(',');
        *field.value = Number(in, field.low, field.high);
    }
    in.take(',');
}

// A comma between list elements; false at the list's closing brace (a comma before it allowed).
bool MoreElements(Tokens& in) {
    if (in.take('}')) return false;
    in.expect(',');
    return !in.take('}');
}

// What the three declarations hold.
struct GfxHeader {
    std::optional<std::vector<uint8_t>> bitmaps;
    std::optional<std::vector<GfxGlyph>> glyphs;
    std::string bitmapsName, glyphsName;  // the arrays' names
    std::string bitmapsCast, glyphsCast;  // the names the font record refers to
    bool font = false;
    int first = 0, last = 0, yAdvance = 0;
};

// A glyph table can hold no more than every 16-bit code.
constexpr std::size_t kMostGlyphs = 65536;

void ReadBitmaps(Tokens& in, GfxHeader& header) {
    std::vector<uint8_t> bytes;
    in.expect('{');
    if (!in.take('}')) {
        do {
            bytes.push_back(static_cast<uint8_t>(Number(in, 0, 255)));
        } while (MoreElements(in));
    }
    header.bitmaps = std::move(bytes);
}

void ReadGlyphs(Tokens& in, GfxHeader& header) {
    std::vector<GfxGlyph> glyphs;
    in.expect('{');
    if (!in.take('}')) {
        do {
            if (glyphs.size() == kMostGlyphs) Refuse();
            GfxGlyph g;
            in.expect('{');
            ReadFields(in, {{&g.bitmapOffset, 0, 65535},
                            {&g.width, 0, 255},
                            {&g.height, 0, 255},
                            {&g.xAdvance, 0, 255},
                            {&g.xOffset, -128, 127},
                            {&g.yOffset, -128, 127}});
            in.expect('}');
            glyphs.push_back(g);
        } while (MoreElements(in));
    }
    header.glyphs = std::move(glyphs);
}

// "(uint8_t *)NAME" or NAME, with `type` the cast's type; the name.
std::string ArrayReference(Tokens& in, std::string_view type) {
    if (in.take('(')) {
        if (in.next().text != type) Refuse();
        in.expect('*');
        in.expect(')');
    }
    const Tokens::Token name = in.next();
    if (name.kind != Tokens::Kind::Name) Refuse();
    return std::string(name.text);
}

void ReadFontRecord(Tokens& in, GfxHeader& header) {
    in.expect('{');
    header.bitmapsCast = ArrayReference(in, "uint8_t");
    in.expect(',');
    header.glyphsCast = ArrayReference(in, "GFXglyph");
    in.expect(',');
    ReadFields(in,
               {{&header.first, 0, 65535}, {&header.last, 0, 65535}, {&header.yAdvance, 0, 255}});
    in.expect('}');
    header.font = true;
}

// One declaration up to its ";": qualifiers, one of the three types, a name, "[]" for the arrays.
void ReadDeclaration(Tokens& in, GfxHeader& header) {
    std::string_view type, name;
    bool array = false;
    while (!in.take('=')) {
        const Tokens::Token token = in.next();
        if (token.kind == Tokens::Kind::Punct && token.text[0] == '[') {
            if (array || name.empty()) Refuse();
            array = true;
            if (in.peek().kind == Tokens::Kind::Number) in.next();
            in.expect(']');
        } else if (token.kind != Tokens::Kind::Name) {
            Refuse();
        } else if (token.text == "const" || token.text == "static" || token.text == "PROGMEM") {
        } else if (token.text == "uint8_t" || token.text == "GFXglyph" || token.text == "GFXfont") {
            if (!type.empty()) Refuse();
            type = token.text;
        } else {
            if (!name.empty()) Refuse();
            name = token.text;
        }
    }
    if (name.empty() || array != (type != "GFXfont")) Refuse();
    if (type == "uint8_t" && !header.bitmaps) {
        header.bitmapsName = name;
        ReadBitmaps(in, header);
    } else if (type == "GFXglyph" && !header.glyphs) {
        header.glyphsName = name;
        ReadGlyphs(in, header);
    } else if (type == "GFXfont" && !header.font) {
        ReadFontRecord(in, header);
    } else {
        Refuse();
    }
    in.expect(';');
}

GfxHeader ReadHeader(std::span<const uint8_t> file) {
    Tokens in(file);
    GfxHeader header;
    while (in.peek().kind != Tokens::Kind::End) ReadDeclaration(in, header);
    if (!header.bitmaps || !header.glyphs || !header.font ||
        header.bitmapsCast != header.bitmapsName || header.glyphsCast != header.glyphsName ||
        header.last < header.first ||
        header.glyphs->size() != static_cast<std::size_t>(header.last - header.first + 1)) {
        Refuse();
    }
    for (const GfxGlyph& g : *header.glyphs) {
        const std::size_t bytes = (static_cast<std::size_t>(g.width) * g.height + 7) / 8;
        if (g.bitmapOffset + bytes > header.bitmaps->size()) Refuse();
    }
    return header;
}

bool HasInk(const GfxGlyph& g) { return g.width > 0 && g.height > 0; }

// The glyph's pixels unpacked into rows of whole bytes.
SourceGlyph Unpacked(const GfxGlyph& g, const std::vector<uint8_t>& bitmaps) {
    SourceGlyph glyph;
    glyph.left = g.xOffset;
    // Rows from the baseline up to the picture's top: the cursor row is the first above it.
    glyph.top = 1 - g.yOffset;
    glyph.advance = std::max(g.xAdvance, HasInk(g) ? g.xOffset + g.width : 0);
    if (!HasInk(g)) return glyph;
    glyph.width = g.width;
    glyph.rows = g.height;
    glyph.pitch = (g.width + 7) / 8;
    glyph.bits.assign(static_cast<std::size_t>(glyph.pitch) * g.height, 0);
    for (int n = 0; n < g.width * g.height; ++n) {
        // One stream of bits for the whole picture, rows not padded to bytes.
        if (PixelAt(bitmaps.data() + g.bitmapOffset, n)) {
            SetPixelAt(glyph.bits.data() + static_cast<std::size_t>(n / g.width) * glyph.pitch,
                       n % g.width);
        }
    }
    return glyph;
}

// The parameter lines saveGFX starts a file with, when they describe its arrays: the same codes
// and height, and every glyph inside the cell.
std::optional<FontParams> StatedCell(std::span<const uint8_t> file, const GfxHeader& header) {
    TextLines lines(file);
    const std::optional<FontParams> p = ReadParameterLines(lines);
    if (!p || p->firstcar != header.first || p->lastCode() != header.last ||
        p->FormatHeightCar != header.yAdvance) {
        return std::nullopt;
    }
    const int cursorRow = p->FormatHeightCar - p->jambon - 1;
    for (const GfxGlyph& g : *header.glyphs) {
        if (HasInk(g) &&
            (g.xOffset < 0 || g.xOffset + g.width > p->FormatLengthCar ||
             cursorRow + g.yOffset < 0 || cursorRow + g.yOffset + g.height > p->FormatHeightCar)) {
            return std::nullopt;
        }
    }
    return p;
}

}  // namespace

ImportedFont LoadGfx(std::span<const uint8_t> file) {
    if (file.size() > kGfxLargestFile) Refuse();
    const GfxHeader header = ReadHeader(file);
    SourceFont source;
    int aboveFF = 0;
    for (int code = header.first; code <= header.last; ++code) {
        const GfxGlyph& g = (*header.glyphs)[static_cast<std::size_t>(code - header.first)];
        if (code > 0xFF) {
            ++aboveFF;
            continue;
        }
        source.codes[code] = Unpacked(g, *header.bitmaps);
        if (!HasInk(g)) continue;
        source.ascent = std::max(source.ascent, source.codes[code]->top);
        source.descent = std::max(source.descent, g.yOffset + g.height - 1);
    }
    if (const std::optional<FontParams> stated = StatedCell(file, header)) {
        source.ascent = stated->FormatHeightCar - stated->jambon;
        source.descent = stated->jambon;
        source.magnification = stated->Magnification;
        for (std::optional<SourceGlyph>& glyph : source.codes) {
            if (glyph) glyph->advance = stated->FormatLengthCar;
        }
    }
    ImportedFont imported = PlaceInCells(source);
    imported.charactersAboveFF = aboveFF;
    return imported;
}

}  // namespace pixmere
