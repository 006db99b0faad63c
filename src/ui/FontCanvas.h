#pragma once

#include "model/Font.h"
#include "ui/FontLayout.h"
#include "ui/ScrolledPicture.h"

namespace pixmere {

// " 41h" for code 65: a blank, the code in upper-case hexadecimal, and "h".
QString CellCaption(int code);

// Paints one cell of the font window with its top-left corner at (left, top): the yellow
// caption band with the code, then the glyph below it at zoom Z, stretched by the font's
// magnification, on white or, when the character is selected, light blue.
void PaintCell(QPainter& painter, const Font& font, int index, int left, int top, int zoom);

// The font window's canvas (FontSupport). It is as large as its viewport and shows the part of
// the whole canvas at the scroll offsets, painting only the cells in view straight from the
// glyphs, so a font of huge cells costs no more memory than a small one.
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

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Font* font_ = nullptr;
    FontLayout layout_;
    int zoom_ = 2;
    int lastPaintedCells_ = 0;
};

}  // namespace pixmere
