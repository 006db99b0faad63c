#include "formats/Exports.h"

#include <string>

#include "formats/Bin2Char.h"

namespace pixmere {

namespace {

// Decimal with the leading space a signed-number format puts where a minus sign would go.
std::string Num(int value) { return (value < 0 ? "" : " ") + std::to_string(value); }

void Line(std::string& out, const std::string& text) {
    out += text;
    out += "\r\n";
}

void ParameterLines(std::string& out, const FontParams& p) {
    Line(out, "// Height:" + Num(p.FormatHeightCar));
    Line(out, "// Width:" + Num(p.FormatLengthCar));
    Line(out, "// First Car:" + Num(p.firstcar));
    Line(out, "// Nb Car:" + Num(p.NbCar));
    Line(out, "// Underline:" + Num(p.jambon));
    Line(out, "// Magnification:" + Num(p.Magnification));
    Line(out, "");
    Line(out, "");
}

std::vector<uint8_t> ToBytes(const std::string& text) { return {text.begin(), text.end()}; }

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

std::vector<uint8_t> saveC(const Font& font) {
    const FontParams& p = font.params;
    std::string out;
    ParameterLines(out, p);
    for (const CarObject& glyph : font.glyphs) {
        Line(out, "");
        Line(out, "");
        Line(out, "// Car " + Num(glyph.NumCar()));
        Line(out, "");
        for (int y = 0; y < p.FormatHeightCar; ++y) {
            std::string row;
            for (int k = 0; k < p.NbByteMatrix(); ++k) {
                row += "0b" + Bin2Char::ByteToBinary(static_cast<uint8_t>(glyph.carbitmap(k, y))) +
                       ",";
            }
            Line(out, row);
        }
    }
    return ToBytes(out);
}

std::vector<uint8_t> saveTXT(const Font& font) {
    const FontParams& p = font.params;
    std::string out;
    ParameterLines(out, p);
    for (const CarObject& glyph : font.glyphs) {
        Line(out, "\r");
        Line(out, "// Car " + Num(p.firstcar + glyph.NumCar()));
        for (int y = 0; y < p.FormatHeightCar; ++y) {
            std::string row;
            for (int k = 0; k < p.NbByteMatrix(); ++k) {
                row += Bin2Char::ByteToPicture(static_cast<uint8_t>(glyph.carbitmap(k, y)));
            }
            Line(out, row);
        }
    }
    return ToBytes(out);
}

}  // namespace pixmere
