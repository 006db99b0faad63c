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
inline constexpr EditView kZoom1{1, false};
inline float CellX(int i) { return static_cast<float>(i % 8 * 10 + 5); }
inline float CellY(int i) { return static_cast<float>(i / 8 * 20 + 10); }

// Parameters of a font of n characters from code 20h (from 0 when more than E0h).
inline FontParams Params(int width, int height, int n = 1) {
    return Shape(width, height, n > 0xE0 ? 0 : 0x20, n);
}

inline Font BlankFont(int width, int height, int n) {
    return MatrixToObject(Params(width, height, n), Params(width, height, n).blankMatrix());
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
    doc.ZoomPic_MouseDown(button, static_cast<float>(column), static_cast<float>(row), kZoom1);
    return doc.ZoomPic_MouseUp(button);
}

// Which characters are selected, as a string of '#' and '.'.
inline std::string Selection(const FontDocument& doc) {
    std::string s;
    for (int i = 0; i < doc.params().NbCar; ++i) s += doc.IsSelected(i) ? '#' : '.';
    return s;
}

// What the windows show, kept up to date from the results the way the windows would: the
// colour and image of each cell, and the rows of the glyph in the edit window.
struct ScreenModel {
    explicit ScreenModel(const FontDocument& d)
        : doc(d), selected(Selection(d)), cells(Cells()), shown(d.ShownCar()) {
        if (shown >= 0) edit = GlyphPicture(d.font().glyphs[shown]);
    }
    std::vector<std::string> Cells() const {
        std::vector<std::string> now;
        for (int i = 0; i < doc.params().NbCar; ++i) now.push_back(Picture(doc, i));
        return now;
    }
    void Apply(const EditResult& r) {
        if (r.layoutChanged) {
            selected.assign(selected.size(), '.');
            cells = Cells();
        }
        for (const CellRedraw& c : r.cells) {
            selected.at(c.index) = c.colour == kBleu ? '#' : '.';
            cells.at(c.index) = Picture(doc, c.index);
        }
        if (r.editGlyph < 0) shown = -1;
        if (r.editGlyph < 0 || (!r.editRedraw && r.editRows.empty())) return;
        const std::vector<std::string> now = GlyphPicture(doc.font().glyphs[r.editGlyph]);
        if (r.editRedraw) edit = now;
        edit.resize(now.size());
        for (int row : r.editRows) edit.at(row) = now.at(row);
        shown = r.editGlyph;
    }
    // Whether every cell and the edit window show the glyphs as they are.
    bool UpToDate() const {
        return cells == Cells() && (shown < 0 || edit == GlyphPicture(doc.font().glyphs[shown]));
    }
    const FontDocument& doc;
    std::string selected;            // the cells drawn selected
    std::vector<std::string> cells;  // the image in each cell
    int shown;                       // the glyph the edit window shows
    std::vector<std::string> edit;   // its rows as drawn
};

}  // namespace pixmere::test
