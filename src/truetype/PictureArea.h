#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>
#include <QString>
#include <optional>
#include <variant>
#include <vector>

#include "truetype/GlyphOutline.h"

namespace pixmere {

// Colours of the conversion surfaces.
inline constexpr QRgb kRgbBlack = 0xFF000000;
inline constexpr QRgb kRgbWhite = 0xFFFFFFFF;
inline constexpr QRgb kRgbRed = 0xFFFF0000;
inline constexpr QRgb kRgbGreen = 0xFF00FF00;
inline constexpr QRgb kRgbBlue = 0xFF0000FF;
inline constexpr QRgb kRgbCyan = 0xFF00FFFF;

// An in-memory picture area of a size in device pixels, drawn in a user coordinate system and
// read back point by point. A user point selects the device pixel that contains it; a point
// outside the area has no colour. Lines are one pixel wide; text is filled without antialiasing,
// so covered pixels are exactly black.
//
// Drawing is recorded and rasterised only when a pixel or the image is asked for: a rendering
// that is erased before anyone looks at it costs nothing.
class PictureArea {
public:
    PictureArea(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    // A new size erases the area; the user coordinate system keeps its corners.
    void Resize(int width, int height);

    // Coordinate systems: device pixels, or user corners (x1, y1) top-left and (x2, y2)
    // bottom-right.
    void ScalePixels() { Scale(0, 0, width_, height_); }
    void Scale(double x1, double y1, double x2, double y2);
    // Device pixels per user unit rightwards and downwards.
    double PixelsPerUnitX() const { return width_ / (x2_ - x1_); }
    double PixelsPerUnitY() const { return height_ / (y2_ - y1_); }

    // Setting the background colour erases the area, as does Cls.
    void SetBackColor(QRgb colour);
    QRgb BackColor() const { return background_; }
    void Cls();

    void Line(double x1, double y1, double x2, double y2, QRgb colour);
    // Fills the box with corners (x1, y1) and (x2, y2); at least one pixel.
    void FillBox(double x1, double y1, double x2, double y2, QRgb colour);
    // Fills a character in black with a transparent background, the top-left corner of its
    // line box at the user point (x, y), its em at pixelSize device pixels, its width stretched
    // by widthScale.
    void DrawGlyph(const GlyphOutline& glyph, double pixelSize, double x, double y,
                   double widthScale = 1.0);
    // Writes one line of text in black at the top-left corner.
    void Print(const QString& text);

    // Colour of the device pixel under a user point; nothing outside the area.
    std::optional<QRgb> Point(double x, double y) const;
    // Whether the pixel under the integer user point (x, y) is exactly black.
    bool IsBlack(int x, int y) const {
        const int col = ColumnOf(x);
        const int row = RowOf(y);
        return col >= 0 && row >= 0 && DeviceRowData(row)[col] == kRgbBlack;
    }

    // Device pixel holding a user coordinate, -1 outside.
    int DeviceColumn(double x) const;
    int DeviceRow(double y) const;
    // The same for integer coordinates, from a table.
    int ColumnOf(int x) const {
        return static_cast<unsigned>(x) < columnOf_.size() ? columnOf_[static_cast<unsigned>(x)]
                                                           : DeviceColumn(x);
    }
    int RowOf(int y) const {
        return static_cast<unsigned>(y) < rowOf_.size() ? rowOf_[static_cast<unsigned>(y)]
                                                        : DeviceRow(y);
    }
    // One row of device pixels, rasterised.
    const QRgb* DeviceRowData(int row) const {
        if (erased_ || drawn_ != ops_.size()) Rasterise();
        return pixels_ + static_cast<std::ptrdiff_t>(row) * stride_;
    }

    // The picture as it stands.
    QImage Image() const;

    // Integer user coordinates, lo to hi, outside which no pixel is black (lo > hi when none
    // is). Lets scans skip what cannot hold ink.
    struct Span {
        int lo;
        int hi;
        bool IsEmpty() const { return lo > hi; }
    };
    Span BlackColumns() const;
    Span BlackRows() const;

private:
    struct LineOp {
        double x1, y1, x2, y2;
        QRgb colour;
    };
    struct BoxOp {
        double x1, y1, x2, y2;
        QRgb colour;
    };
    struct GlyphOp {
        QPainterPath path;
        double ascent, emboldenShift, pixelSize, x, y, widthScale;
    };
    struct TextOp {
        QString text;
    };
    using Op = std::variant<LineOp, BoxOp, GlyphOp, TextOp>;

    double DeviceX(double x) const { return (x - x1_) * width_ / (x2_ - x1_); }
    double DeviceY(double y) const { return (y - y1_) * height_ / (y2_ - y1_); }
    void Rasterise() const;
    void Erase(QRgb* pixels) const;
    void Touched(const QRect& rect, bool black) const;
    struct Upright {  // an upright line in device pixels, top to bottom
        int column, top, bottom;
        QRgb colour;
    };
    void RasteriseLine(const LineOp& op, QRgb* pixels, std::vector<Upright>& uprights) const;
    void DrawUprights(std::vector<Upright>& lines, QRgb* pixels) const;
    void RasteriseBox(const BoxOp& op, QRgb* pixels) const;

    int width_;
    int height_;
    double x1_ = 0, y1_ = 0, x2_ = 1, y2_ = 1;
    std::vector<int> columnOf_;  // device column of user x = 0, 1, ...
    std::vector<int> rowOf_;
    QRgb background_ = kRgbWhite;
    std::vector<Op> ops_;            // drawn since the last erase
    mutable std::size_t drawn_ = 0;  // how many of ops_ the image holds
    mutable bool erased_ = true;     // the image still shows an older drawing
    mutable QImage image_;
    mutable const QRgb* pixels_ = nullptr;  // image_'s pixels, rows stride_ apart
    std::ptrdiff_t stride_ = 0;
    // Erasing refills only what was drawn since the last fill, when the colour is the same.
    mutable QRgb filledWith_ = 0;
    mutable bool filledOnce_ = false;
    mutable std::vector<QRect> touched_;
    mutable bool touchedAll_ = true;
    mutable QRect blackBounds_;  // device pixels that may be black
};

}  // namespace pixmere
