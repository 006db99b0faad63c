#include "truetype/PictureArea.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace pixmere {

namespace {

// Integer coordinates beyond this are never tabled; they are mapped one by one.
constexpr double kTableLimit = 1 << 20;

// Drawings remembered for a partial erase: enough for the grid of the largest cell; beyond
// that the whole area is refilled.
constexpr std::size_t kMaxTouched = 1024;

std::vector<int> MappingTable(double first, double last, int (PictureArea::*map)(double) const,
                              const PictureArea& area) {
    std::vector<int> table;
    const double end = std::min(std::ceil(std::max(first, last)) + 2.0, kTableLimit);
    if (end <= 0) return table;
    table.resize(static_cast<std::size_t>(end));
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i] = (area.*map)(static_cast<double>(i));
    }
    return table;
}

// The integer user coordinates whose tabled device pixel lies in lo..hi (empty when lo > hi).
PictureArea::Span TabledSpan(const std::vector<int>& table, int lo, int hi) {
    PictureArea::Span span{INT32_MAX, INT32_MIN};
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i] >= lo && table[i] <= hi) {
            span.lo = std::min(span.lo, static_cast<int>(i));
            span.hi = std::max(span.hi, static_cast<int>(i));
        }
    }
    return span;
}

}  // namespace

PictureArea::PictureArea(int width, int height)
    : width_(width), height_(height), image_(width, height, QImage::Format_RGB32) {
    stride_ = image_.bytesPerLine() / static_cast<std::ptrdiff_t>(sizeof(QRgb));
    ScalePixels();
}

void PictureArea::Resize(int width, int height) {
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    image_ = QImage(width, height, QImage::Format_RGB32);
    stride_ = image_.bytesPerLine() / static_cast<std::ptrdiff_t>(sizeof(QRgb));
    filledOnce_ = false;
    touchedAll_ = true;
    touched_.clear();
    Cls();
    columnOf_.clear();  // the tables map onto the old size
    Scale(x1_, y1_, x2_, y2_);
}

void PictureArea::Scale(double x1, double y1, double x2, double y2) {
    if (x1 == x2 || y1 == y2) return;  // no area to map onto: keep the previous system
    if (x1 == x1_ && y1 == y1_ && x2 == x2_ && y2 == y2_ && !columnOf_.empty()) return;
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    columnOf_ = MappingTable(x1, x2, &PictureArea::DeviceColumn, *this);
    rowOf_ = MappingTable(y1, y2, &PictureArea::DeviceRow, *this);
}

void PictureArea::SetBackColor(QRgb colour) {
    background_ = colour | 0xFF000000;
    Cls();
}

void PictureArea::Cls() {
    ops_.clear();
    drawn_ = 0;
    erased_ = true;
}

void PictureArea::Line(double x1, double y1, double x2, double y2, QRgb colour) {
    ops_.push_back(LineOp{x1, y1, x2, y2, colour | 0xFF000000});
}

void PictureArea::FillBox(double x1, double y1, double x2, double y2, QRgb colour) {
    ops_.push_back(BoxOp{x1, y1, x2, y2, colour | 0xFF000000});
}

void PictureArea::DrawGlyph(const GlyphOutline& glyph, double pixelSize, double x, double y,
                            double widthScale) {
    if (glyph.IsEmpty()) return;
    ops_.push_back(
        GlyphOp{glyph.path, glyph.ascent, glyph.emboldenShift, pixelSize, x, y, widthScale});
}

void PictureArea::Print(const QString& text) { ops_.push_back(TextOp{text}); }

int PictureArea::DeviceColumn(double x) const {
    const double d = DeviceX(x);
    return d >= 0 && d < width_ ? static_cast<int>(d) : -1;
}

int PictureArea::DeviceRow(double y) const {
    const double d = DeviceY(y);
    return d >= 0 && d < height_ ? static_cast<int>(d) : -1;
}

std::optional<QRgb> PictureArea::Point(double x, double y) const {
    const int col = DeviceColumn(x);
    const int row = DeviceRow(y);
    if (col < 0 || row < 0) return std::nullopt;
    return DeviceRowData(row)[col];
}

QImage PictureArea::Image() const {
    Rasterise();
    return image_;
}

PictureArea::Span PictureArea::BlackColumns() const {
    Rasterise();
    return TabledSpan(columnOf_, blackBounds_.left(), blackBounds_.right());
}

PictureArea::Span PictureArea::BlackRows() const {
    Rasterise();
    return TabledSpan(rowOf_, blackBounds_.top(), blackBounds_.bottom());
}

void PictureArea::Touched(const QRect& rect, bool black) const {
    const QRect clipped = rect & QRect(0, 0, width_, height_);
    if (clipped.isEmpty()) return;
    if (black) blackBounds_ |= clipped;
    if (touchedAll_) return;
    if (touched_.size() >= kMaxTouched) {
        touchedAll_ = true;
        touched_.clear();
    } else {
        touched_.push_back(clipped);
    }
}

void PictureArea::Erase(QRgb* pixels) const {
    const auto fill = [&](const QRect& r) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            std::fill(pixels + y * stride_ + r.left(), pixels + y * stride_ + r.right() + 1,
                      background_);
        }
    };
    if (!filledOnce_ || filledWith_ != background_ || touchedAll_) {
        std::fill(pixels, pixels + stride_ * height_, background_);
    } else {
        // Upright lines touch one pixel of each row: where the drawings cover much of their
        // bounds, filling the bounds row by row is quicker than going down each line.
        QRect bounds;
        long long area = 0;
        for (const QRect& r : touched_) {
            bounds |= r;
            area += static_cast<long long>(r.width()) * r.height();
        }
        if (4 * area >= static_cast<long long>(bounds.width()) * bounds.height()) {
            fill(bounds);
        } else {
            for (const QRect& r : touched_) fill(r);
        }
    }
    filledOnce_ = true;
    filledWith_ = background_;
    touched_.clear();
    touchedAll_ = false;
    blackBounds_ = QRect();
}

void PictureArea::Rasterise() const {
    if (!erased_ && drawn_ == ops_.size()) return;
    // bits() copies the image if a caller still holds an earlier Image().
    QRgb* pixels = reinterpret_cast<QRgb*>(image_.bits());
    pixels_ = pixels;
    if (erased_) {
        Erase(pixels);
        erased_ = false;
        drawn_ = 0;
    }
    QPainter painter;
    std::vector<Upright> uprights;
    for (; drawn_ < ops_.size(); ++drawn_) {
        const Op& op = ops_[drawn_];
        const auto* line = std::get_if<LineOp>(&op);
        if (!line) DrawUprights(uprights, pixels);
        if (const auto* glyph = std::get_if<GlyphOp>(&op)) {
            if (!painter.isActive()) {
                painter.begin(&image_);
                painter.setRenderHint(QPainter::Antialiasing, false);
                painter.setPen(Qt::NoPen);
                painter.setBrush(Qt::black);
            }
            const double scale = glyph->pixelSize / GlyphOutline::kPixelSize;
            const double left = DeviceX(glyph->x);
            const double baseline = DeviceY(glyph->y) + glyph->ascent * scale;
            // Synthetic bold smears the ink to the right in steps below one pixel.
            const double wide = scale * glyph->widthScale;
            const double smear = glyph->emboldenShift * wide;
            const int copies = smear > 0 ? static_cast<int>(std::ceil(smear)) + 1 : 1;
            for (int c = 0; c < copies; ++c) {
                const double dx = copies > 1 ? smear * c / (copies - 1) : 0.0;
                const QTransform place(wide, 0, 0, scale, left + dx, baseline);
                painter.setTransform(place);
                painter.drawPath(glyph->path);
                Touched(place.mapRect(glyph->path.boundingRect())
                            .toAlignedRect()
                            .adjusted(-1, -1, 1, 1),
                        true);
            }
        } else if (const auto* text = std::get_if<TextOp>(&op)) {
            if (!painter.isActive()) painter.begin(&image_);
            painter.resetTransform();
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.setPen(Qt::black);
            painter.drawText(QRect(0, 0, width_, height_), Qt::AlignLeft | Qt::AlignTop,
                             text->text);
            Touched(QRect(0, 0, width_, height_), true);
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setPen(Qt::NoPen);
            painter.setBrush(Qt::black);
        } else {
            if (painter.isActive()) painter.end();
            if (line) {
                RasteriseLine(*line, pixels, uprights);
            } else {
                RasteriseBox(std::get<BoxOp>(op), pixels);
            }
        }
    }
    DrawUprights(uprights, pixels);
}

void PictureArea::DrawUprights(std::vector<Upright>& lines, QRgb* pixels) const {
    if (lines.empty()) return;
    int top = height_, bottom = -1;
    for (const Upright& line : lines) {
        top = std::min(top, line.top);
        bottom = std::max(bottom, line.bottom);
    }
    // Row by row, each row's lines in drawing order: the later of two on a column wins.
    for (int r = top; r <= bottom; ++r) {
        QRgb* row = pixels + r * stride_;
        for (const Upright& line : lines) {
            if (r >= line.top && r <= line.bottom) row[line.column] = line.colour;
        }
    }
    lines.clear();
}

void PictureArea::RasteriseLine(const LineOp& op, QRgb* pixels,
                                std::vector<Upright>& uprights) const {
    // Clip the segment to the area (Liang-Barsky) so far-away end points cost nothing.
    double ax = DeviceX(op.x1), ay = DeviceY(op.y1);
    double bx = DeviceX(op.x2), by = DeviceY(op.y2);
    const double dx = bx - ax, dy = by - ay;
    double t0 = 0, t1 = 1;
    const auto clip = [&](double p, double q) {
        if (p == 0) return q >= 0;
        const double t = q / p;
        if (p < 0) {
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return false;
            t1 = std::min(t1, t);
        }
        return true;
    };
    if (!(clip(-dx, ax) && clip(dx, width_ - ax) && clip(-dy, ay) && clip(dy, height_ - ay))) {
        return;
    }
    bx = ax + t1 * dx;
    by = ay + t1 * dy;
    ax += t0 * dx;
    ay += t0 * dy;
    int c0 = static_cast<int>(std::floor(ax)), r0 = static_cast<int>(std::floor(ay));
    const int c1 = static_cast<int>(std::floor(bx)), r1 = static_cast<int>(std::floor(by));
    Touched(QRect(QPoint(std::min(c0, c1), std::min(r0, r1)),
                  QPoint(std::max(c0, c1), std::max(r0, r1))),
            op.colour == kRgbBlack);
    const auto inside = [&](int c, int r) { return c >= 0 && c < width_ && r >= 0 && r < height_; };
    // The grid's lines are all upright or level: write those straight, the upright ones of a
    // grid together across the rows.
    if (c0 == c1 && c0 >= 0 && c0 < width_) {
        uprights.push_back({c0, std::max(0, std::min(r0, r1)),
                            std::min(height_ - 1, std::max(r0, r1)), op.colour});
        return;
    }
    DrawUprights(uprights, pixels);
    if (r0 == r1 && r0 >= 0 && r0 < height_) {
        QRgb* row = pixels + r0 * stride_;
        std::fill(row + std::max(0, std::min(c0, c1)),
                  row + std::min(width_ - 1, std::max(c0, c1)) + 1, op.colour);
        return;
    }
    const int sc = c0 < c1 ? 1 : -1, sr = r0 < r1 ? 1 : -1;
    const int ec = std::abs(c1 - c0), er = -std::abs(r1 - r0);
    int err = ec + er;
    for (;;) {
        if (inside(c0, r0)) pixels[r0 * stride_ + c0] = op.colour;
        if (c0 == c1 && r0 == r1) break;
        const int e2 = 2 * err;
        if (e2 >= er) {
            err += er;
            c0 += sc;
        }
        if (e2 <= ec) {
            err += ec;
            r0 += sr;
        }
    }
}

void PictureArea::RasteriseBox(const BoxOp& op, QRgb* pixels) const {
    const auto span = [](double a, double b, int size) {
        if (a > b) std::swap(a, b);
        const double lo = std::floor(a);
        double hi = std::floor(b);
        if (hi <= lo) hi = lo + 1;
        return std::pair<int, int>(static_cast<int>(std::clamp(lo, 0.0, double(size))),
                                   static_cast<int>(std::clamp(hi, 0.0, double(size))));
    };
    const auto [c0, c1] = span(DeviceX(op.x1), DeviceX(op.x2), width_);
    const auto [r0, r1] = span(DeviceY(op.y1), DeviceY(op.y2), height_);
    if (c0 < c1 && r0 < r1)
        Touched(QRect(QPoint(c0, r0), QPoint(c1 - 1, r1 - 1)), op.colour == kRgbBlack);
    for (int r = r0; r < r1; ++r) {
        QRgb* row = pixels + r * stride_;
        std::fill(row + c0, row + c1, op.colour);
    }
}

}  // namespace pixmere
