#pragma once

#include <functional>

#include "model/Font.h"
#include "model/SourceOutline.h"
#include "ui/ScrolledPicture.h"

namespace pixmere {

// The edit window's picture (ZoomPic): one glyph enlarged, each pixel a zoom x (zoom * magnif)
// block, with the grid and the light-red baseline mark drawn over it by quad, and on request the
// outline the character was converted from behind its ink. The widget is as
// large as its viewport and shows the picture at the scroll offsets, so high zooms of large
// glyphs need no huge widget.
class EditCanvas : public ScrolledPicture {
    Q_OBJECT
public:
    explicit EditCanvas(QWidget* parent = nullptr);

    void SetFont(const Font* font) { font_ = font; }
    // Where the outline of a glyph comes from (nullptr for none), and whether it shows.
    void SetOutlines(std::function<const SourceOutline*(int)> outlineOf) {
        outlineOf_ = std::move(outlineOf);
    }
    void ShowOutline(bool shown);
    // Shows glyph index (CarAff followed by quad), or nothing when index is negative (cleared).
    void ShowGlyph(int index);
    int shownGlyph() const { return shown_; }
    void Clear() { ShowGlyph(-1); }
    // Repaints row j of the shown glyph (LineRefresh followed by quad).
    void RefreshRow(int j);

    void SetZoom(int zoom, uint8_t magnif);
    int zoom() const { return zoom_; }
    uint8_t magnif() const { return magnif_; }
    // Size of the picture: W * zoom + 4 by H * zoom * magnif + 4.
    QSize PictureSize() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Font* font_ = nullptr;
    std::function<const SourceOutline*(int)> outlineOf_;
    bool outlineShown_ = false;
    int shown_ = -1;
    int zoom_ = 3;
    uint8_t magnif_ = 1;
};

// Paints glyph index of font as the edit window shows it, grid and baseline mark included, and
// an outline when one is given.
void PaintEditPicture(QPainter& painter, const Font& font, int index, int zoom, uint8_t magnif,
                      const SourceOutline* outline = nullptr);

// The grid colour: the picture's foreground, a grey that shows on ink and background alike.
inline constexpr Rgb kGridColour{128, 128, 128};
// The source outline's colour: a light blue, apart from the grid, the baseline and the ink; a
// darker teal where it follows a grid line.
inline constexpr Rgb kOutlineColour{0, 190, 255};

}  // namespace pixmere
