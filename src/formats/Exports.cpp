#include "formats/Exports.h"

#include <array>
#include <string>

#include "formats/Bin2Char.h"
#include "formats/ParameterLines.h"

namespace pixmere {

namespace {

// Decimal with the leading space a signed-number format puts where a minus sign would go.
// Appended rather than prepended: GCC 12 reports a false -Wrestrict for inserting a literal in
// front of a temporary string at -O2 and above.
std::string Num(int value) {
    std::string s(value < 0 ? 0 : 1, ' ');
    s += std::to_string(value);
    return s;
}

// The eight characters of each byte value.
using ByteTable = std::array<std::array<char, 8>, 256>;

// Text built straight into the file's bytes: the largest font makes tens of megabytes of text.
class TextOut {
public:
    explicit TextOut(std::size_t expected) { bytes_.reserve(expected); }
    void text(const std::string& s) { bytes_.insert(bytes_.end(), s.begin(), s.end()); }
    void line(const std::string& s) {
        text(s);
        endLine();
    }
    void endLine() {
        bytes_.push_back('\r');
        bytes_.push_back('\n');
    }
    void eight(const ByteTable& table, uint8_t b) {
        bytes_.insert(bytes_.end(), table[b].begin(), table[b].end());
    }
    void raw(const char* s, std::size_t n) { bytes_.insert(bytes_.end(), s, s + n); }
    std::vector<uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<uint8_t> bytes_;
};

ByteTable MakeTable(std::string (*convert)(uint8_t)) {
    ByteTable table{};
    for (int b = 0; b < 256; ++b) {
        const std::string s = convert(static_cast<uint8_t>(b));
        std::copy(s.begin(), s.end(), table[b].begin());
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

void ParameterLines(TextOut& out, const FontParams& p) {
    const int values[] = {p.FormatHeightCar, p.FormatLengthCar, p.firstcar,
                          p.NbCar,           p.jambon,          p.Magnification};
    for (std::size_t n = 0; n < kParameterLabels.size(); ++n) {
        out.line(kParameterLabels[n] + Num(values[n]));
    }
    out.endLine();
    out.endLine();
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

std::vector<uint8_t> saveC(const Font& font) {
    const FontParams& p = font.params;
    const int nbByte = p.NbByteMatrix();
    TextOut out(200 + font.glyphs.size() * (20 + p.FormatHeightCar * (11 * nbByte + 2)));
    ParameterLines(out, p);
    for (const CarObject& glyph : font.glyphs) {
        out.endLine();
        out.endLine();
        out.line("// Car " + Num(glyph.NumCar()));
        out.endLine();
        for (int y = 0; y < p.FormatHeightCar; ++y) {
            const uint8_t* row = glyph.row(y);
            for (int k = 0; k < nbByte; ++k) {
                out.raw("0b", 2);
                out.eight(BinaryTable(), row[k]);
                out.raw(",", 1);
            }
            out.endLine();
        }
    }
    return out.take();
}

std::vector<uint8_t> saveTXT(const Font& font) {
    const FontParams& p = font.params;
    const int nbByte = p.NbByteMatrix();
    TextOut out(200 + font.glyphs.size() * (20 + p.FormatHeightCar * (8 * nbByte + 2)));
    ParameterLines(out, p);
    for (const CarObject& glyph : font.glyphs) {
        out.line("\r");
        out.line("// Car " + Num(p.firstcar + glyph.NumCar()));
        for (int y = 0; y < p.FormatHeightCar; ++y) {
            const uint8_t* row = glyph.row(y);
            for (int k = 0; k < nbByte; ++k) out.eight(PictureTable(), row[k]);
            out.endLine();
        }
    }
    return out.take();
}

}  // namespace pixmere
