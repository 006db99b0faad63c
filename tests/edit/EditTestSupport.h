#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "edit/FontDocument.h"
#include "support/GlyphPicture.h"
#include "support/SampleFonts.h"

namespace pixmere::test {

// Cells 10 wide, 20 high, 8 to a row: the press at CellX(i), CellY(i) hits character i.
inline constexpr CellLayout kLayout{10, 20, 8};
inline float CellX(int i) { return static_cast<float>(i % 8 * 10 + 5); }
inline float CellY(int i) { return static_cast<float>(i / 8 * 20 + 10); }

inline Font BlankFont(int width, int height, int n) {
    const FontParams p = Shape(width, height, 0x20, n);
    return MatrixToObject(p, p.blankMatrix());
}

// Every glyph of the font as a picture of all its bytes, padding bits included.
inline std::string FontPicture(const Font& font) {
    std::string out;
    for (const CarObject& g : font.glyphs) out += Joined(GlyphPicture(g));
    return out;
}

inline std::string Picture(const FontDocument& doc, int i) {
    return Joined(GlyphPicture(doc.font().glyphs[static_cast<std::size_t>(i)]));
}

inline EditResult Click(FontDocument& doc, int i) {
    doc.fontsupport_MouseDown(kLeftButton, CellX(i), CellY(i), kLayout);
    return doc.fontsupport_MouseUp();
}

inline void Drag(FontDocument& doc, int from, int to) {
    doc.fontsupport_MouseDown(kLeftButton, CellX(from), CellY(from), kLayout);
    doc.FontSupport_MouseMove(kLeftButton, CellX(to), CellY(to), kLayout);
    doc.fontsupport_MouseUp();
}

// One stroke on pixel (column, row) of the current character.
inline EditResult Stroke(FontDocument& doc, int column, int row, int button = kLeftButton) {
    doc.ZoomPic_MouseDown(button, static_cast<float>(column), static_cast<float>(row),
                          EditView{1, false});
    return doc.ZoomPic_MouseUp(button);
}

// Which characters are selected, as a string of '#' and '.'.
inline std::string Selection(const FontDocument& doc) {
    std::string s;
    for (int i = 0; i < doc.params().NbCar; ++i) s += doc.IsSelected(i) ? '#' : '.';
    return s;
}

}  // namespace pixmere::test
