#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "edit/FontDocument.h"
#include "support/GlyphPicture.h"

namespace pixmere::test {

// A strip of cells 10 wide, 20 high, 8 to a row: the press at CellCentre(i) hits character i.
inline constexpr CellLayout kLayout{10, 20, 8};

inline float CellX(int i, const CellLayout& l = kLayout) {
    return static_cast<float>((i % l.cellsPerRow) * l.cellWidth + l.cellWidth / 2);
}
inline float CellY(int i, const CellLayout& l = kLayout) {
    return static_cast<float>((i / l.cellsPerRow) * l.cellHeight + l.cellHeight / 2);
}

// Parameters of a font of n characters from code 20h (from 0 when more than E0h).
inline FontParams Params(int width, int height, int n = 1, uint8_t magnification = 1) {
    FontParams p;
    p.firstcar = n > 0xE0 ? 0 : 0x20;
    p.FormatLengthCar = static_cast<uint8_t>(width);
    p.FormatHeightCar = static_cast<uint8_t>(height);
    p.NbCar = n;
    p.Magnification = magnification;
    return p;
}

// A blank font of n characters.
inline Font BlankFont(int width, int height, int n) {
    const FontParams p = Params(width, height, n);
    return MatrixToObject(p, p.blankMatrix());
}

// Every glyph of the font as a picture of all its bytes, padding bits included.
inline std::string FontPicture(const Font& font) {
    std::string out;
    for (const CarObject& g : font.glyphs) out += Joined(GlyphPicture(g));
    return out;
}

// Glyph i of a document as a picture of all its bytes.
inline std::string Picture(const FontDocument& doc, int i) {
    return Joined(GlyphPicture(doc.font().glyphs[static_cast<std::size_t>(i)]));
}
inline std::string Picture(const std::vector<std::string>& rows) { return Joined(rows); }

// Clicks character i (press and release) in the standard layout.
inline EditResult Click(FontDocument& doc, int i) {
    doc.fontsupport_MouseDown(kLeftButton, CellX(i), CellY(i), kLayout);
    return doc.fontsupport_MouseUp();
}

// Presses on `from`, drags over `to` in turn, releases.
inline void Drag(FontDocument& doc, int from, const std::vector<int>& to) {
    doc.fontsupport_MouseDown(kLeftButton, CellX(from), CellY(from), kLayout);
    for (int i : to) doc.FontSupport_MouseMove(kLeftButton, CellX(i), CellY(i), kLayout);
    doc.fontsupport_MouseUp();
}

// Which characters are selected, as a string of '#' and '.'.
inline std::string Selection(const FontDocument& doc) {
    std::string s;
    for (int i = 0; i < doc.params().NbCar; ++i) s += doc.IsSelected(i) ? '#' : '.';
    return s;
}

// What the font window shows, kept up to date from the results the way a window would.
class ScreenModel {
public:
    explicit ScreenModel(int n) : colours(static_cast<std::size_t>(n), std::string(kBlanc)) {}
    void Apply(const EditResult& r) {
        if (r.layoutChanged) colours.assign(colours.size(), std::string(kBlanc));
        for (const CellRedraw& c : r.cells)
            colours.at(static_cast<std::size_t>(c.index)) = c.colour;
        if (r.editGlyph >= 0 && (r.editRedraw || !r.editRows.empty())) shown = r.editGlyph;
        if (r.editGlyph < 0) shown = -1;
    }
    // The cells the window shows selected, as a string of '#' and '.'.
    std::string Selected() const {
        std::string s;
        for (const std::string& c : colours) s += c == kBleu ? '#' : '.';
        return s;
    }
    std::vector<std::string> colours;
    int shown = -1;
};

}  // namespace pixmere::test
