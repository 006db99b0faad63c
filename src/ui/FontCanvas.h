#pragma once

#include "edit/PointerHit.h"
#include "model/Font.h"
#include "ui/FontLayout.h"
#include "ui/ScrolledPicture.h"

namespace pixmere {

// " 41h" for code 65: a blank, the code in upper-case hexadecimal, and "h".
QString CellCaption(int code);
// "41h  A  16 × 24": a character's code, the character itself where Windows-1252 gives it a
// visible one, and the cell's width and height.
QString CarInfoText(int code, int width, int height);
// The caption as it is drawn in a band bandWidth pixels wide: whole, or shortened ("41h", then
// "41") where it does not fit, or nothing where even the digits do not; never cut.
QString FittedCellCaption(int code, int bandWidth);

// Paints one cell of the font window with its top-left corner at (left, top): the yellow
// caption band with the code, then the glyph below it at zoom Z, stretched by the font's
// magnification, on white or, when the character is selected, light blue.
void PaintCell(QPainter& painter, const Font& font, int index, int left, int top, int zoom);

// The font window's canvas (FontSupport). It is as large as its viewport and shows the part of
// the whole canvas at the scroll offsets, painting only the cells in view straight from the
// glyphs, so a font of huge cells costs no more memory than a small one. Hovering a cell tells
// its character; the arrow keys, Home and End (with Shift or not) are reported for the
// document to move the current character, and a printable character typed for it to select.
class FontCanvas : public ScrolledPicture {
    Q_OBJECT
public:
    explicit FontCanvas(QWidget* parent = nullptr);

    void SetFont(const Font* font) { font_ = font; }
    void SetLayout(const FontLayout& layout, int zoom);
    const FontLayout& layout() const { return layout_; }

    // Schedules a repaint of cell index if it is in view.
    void UpdateCell(int index);
    // Cells painted by the last paint event; tests and the refresh's progress read it.
    int lastPaintedCells() const { return lastPaintedCells_; }

signals:
    void CarKeyPressed(CarKey key, int shift);
    void CharacterTyped(char32_t character);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    const Font* font_ = nullptr;
    FontLayout layout_;
    int zoom_ = 2;
    int lastPaintedCells_ = 0;
};

}  // namespace pixmere
