#include "formats/BdfExport.h"

#include <cstdio>
#include <vector>

#include "model/Windows1252.h"

namespace pixmere {

std::string XlfdFamily(const std::string& name) {
    if (name.empty()) return "Pixmere";
    std::string family = name;
    for (char& c : family) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u > 0x7E || c == '-' || c == '?' || c == '*' || c == ',' || c == '"') {
            c = '_';
        }
    }
    return family;
}

namespace {

// Bitmap fonts are drawn at 72 dots per inch, where a point is a pixel.
constexpr int kResolution = 72;

class BdfOut {
public:
    void line(const std::string& text) {
        bytes_.insert(bytes_.end(), text.begin(), text.end());
        bytes_.push_back('\n');
    }
    std::vector<uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<uint8_t> bytes_;
};

std::string Join(std::initializer_list<long> values) {
    std::string text;
    for (const long v : values) {
        text += ' ';
        text += std::to_string(v);
    }
    return text;
}

// FreeType refuses a font whose name has 255 characters or more.
constexpr std::size_t kLongestFontName = 254;

// The fields of the XLFD name, each also a property, so that name and properties agree.
struct XlfdField {
    const char* property;
    std::string value;
    bool text;  // a quoted property value, else a number
};

void Header(BdfOut& out, const FontParams& p, const std::string& name, char32_t defaultChar) {
    const int w = p.FormatLengthCar, h = p.FormatHeightCar, d = p.jambon;
    std::vector<XlfdField> xlfd = {{"FOUNDRY", "Pixmere", true},
                                   {"FAMILY_NAME", "", true},
                                   {"WEIGHT_NAME", "Medium", true},
                                   {"SLANT", "R", true},
                                   {"SETWIDTH_NAME", "Normal", true},
                                   {"ADD_STYLE_NAME", "", true},
                                   {"PIXEL_SIZE", std::to_string(h), false},
                                   {"POINT_SIZE", std::to_string(h * 10), false},
                                   {"RESOLUTION_X", std::to_string(kResolution), false},
                                   {"RESOLUTION_Y", std::to_string(kResolution), false},
                                   {"SPACING", "C", true},
                                   {"AVERAGE_WIDTH", std::to_string(w * 10), false},
                                   {"CHARSET_REGISTRY", "ISO10646", true},
                                   {"CHARSET_ENCODING", "1", true}};
    // The family takes what the other fields leave of the longest name.
    std::size_t others = 0;
    for (const XlfdField& field : xlfd) others += 1 + field.value.size();
    xlfd[1].value = XlfdFamily(name).substr(0, kLongestFontName - others);
    std::string fontName;
    for (const XlfdField& field : xlfd) fontName += "-" + field.value;

    out.line("STARTFONT 2.1");
    out.line("FONT " + fontName);
    out.line("SIZE" + Join({h, kResolution, kResolution}));
    out.line("FONTBOUNDINGBOX" + Join({w, h, 0, -d}));
    out.line("STARTPROPERTIES" + Join({static_cast<long>(xlfd.size()) + 4}));
    for (const XlfdField& field : xlfd) {
        out.line(std::string(field.property) + " " +
                 (field.text ? "\"" + field.value + "\"" : field.value));
    }
    out.line("FONT_ASCENT" + Join({h - d}));
    out.line("FONT_DESCENT" + Join({d}));
    out.line("DEFAULT_CHAR" + Join({static_cast<long>(defaultChar)}));
    out.line("PIXMERE_MAGNIFICATION" + Join({p.Magnification}));
    out.line("ENDPROPERTIES");
    out.line("CHARS" + Join({p.NbCar}));
}

void Character(BdfOut& out, const FontParams& p, const CarObject& glyph, char32_t encoding) {
    const int w = p.FormatLengthCar, h = p.FormatHeightCar, d = p.jambon;
    char name[16];
    std::snprintf(name, sizeof name, "uni%04X", static_cast<unsigned>(encoding));
    out.line(std::string("STARTCHAR ") + name);
    out.line("ENCODING" + Join({static_cast<long>(encoding)}));
    // Scalable width in thousandths of the point size, which is the height here.
    out.line("SWIDTH" + Join({(w * 1000L + h / 2) / h, 0}));
    out.line("DWIDTH" + Join({w, 0}));
    out.line("BBX" + Join({w, h, 0, -d}));
    out.line("BITMAP");
    const int bytes = p.NbByteMatrix();
    // Bits past the width are padding; BDF wants them clear.
    const uint8_t lastMask = static_cast<uint8_t>(0xFF << ((8 - w % 8) % 8));
    static const char kHex[] = "0123456789ABCDEF";
    for (int y = 0; y < h; ++y) {
        std::string row;
        for (int k = 0; k < bytes; ++k) {
            const uint8_t b = glyph.row(y)[k] & (k == bytes - 1 ? lastMask : 0xFF);
            row += kHex[b >> 4];
            row += kHex[b & 15];
        }
        out.line(row);
    }
    out.line("ENDCHAR");
}

}  // namespace

std::vector<uint8_t> saveBDF(const Font& font, const std::string& name) {
    const FontParams& p = font.params;
    const auto unicode = [&](int code) { return Windows1252ToUnicode(static_cast<uint8_t>(code)); };
    // The space when the font has one, else its first character.
    const bool hasSpace = p.firstcar <= 0x20 && p.lastCode() >= 0x20;
    BdfOut out;
    Header(out, p, name, unicode(hasSpace ? 0x20 : p.firstcar));
    for (const CarObject& glyph : font.glyphs) {
        Character(out, p, glyph, unicode(p.firstcar + glyph.NumCar()));
    }
    out.line("ENDFONT");
    return out.take();
}

}  // namespace pixmere
