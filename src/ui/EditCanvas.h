#pragma once

#include "model/Font.h"
#include "ui/ScrolledPicture.h"

namespace pixmere {

// The edit window's picture (ZoomPic): one glyph enlarged, each pixel a zoom x (zoom * magnif)
// block, with the grid and the light-red baseline mark drawn over it by quad. The widget is as
// large as its viewport and shows the picture at the scroll offsets, so high zooms of large
// glyphs need no huge widget.
class EditCanvas : public ScrolledPicture {
    Q_OBJECT
public:
    explicit EditCanvas(QWidget* parent = nullptr);

    void SetFont(const Font* font) { font_ = font; }
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
    int shown_ = -1;
    int zoom_ = 3;
    uint8_t magnif_ = 1;
};

// Paints glyph index of font as the edit window shows it, grid and baseline mark included.
void PaintEditPicture(QPainter& painter, const Font& font, int index, int zoom, uint8_t magnif);

// The grid colour: the picture's foreground, a grey that shows on ink and background alike.
inline constexpr Rgb kGridColour{128, 128, 128};

}  // namespace pixmere
