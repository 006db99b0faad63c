#include "truetype/PrintedTextImage.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace pixmere {

namespace {

QRgb DotColour(PrintedDot dot) {
    switch (dot) {
        case PrintedDot::Ink:
            return kInkRgb;
        case PrintedDot::Missing:
            return kMissingRgb;
        case PrintedDot::Paper:
            break;
    }
    return kPaperRgb;
}

// Dots `dots` of one dot row, the first being dot x, into the zoom rows of pixels it covers.
void PaintDotRow(QImage& image, const PrintedDot* dots, int x, int count, int y, int zoom,
                 QPoint origin) {
    const int top = (y - origin.y()) * zoom;
    const int left = (x - origin.x()) * zoom;
    const int first = std::max(left, 0);
    const int end = std::min(left + count * zoom, image.width());
    if (first >= end || top < 0 || top >= image.height()) return;
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(top));
    for (int px = first; px < end; ++px) line[px] = DotColour(dots[(px - left) / zoom]);
    const std::size_t bytes = static_cast<std::size_t>(end - first) * sizeof(QRgb);
    for (int py = top + 1; py < std::min(top + zoom, image.height()); ++py) {
        std::memcpy(reinterpret_cast<QRgb*>(image.scanLine(py)) + first, line + first, bytes);
    }
}

}  // namespace

void PaintPrintedText(QImage& image, const Font& font, const PrintedText& text, int zoom,
                      const DotRect& region, QPoint origin) {
    if (image.isNull() || image.depth() != 32 || zoom < 1) return;
    const DotRect shown{origin.x(), origin.y(), (image.width() + zoom - 1) / zoom,
                        (image.height() + zoom - 1) / zoom};
    const DotRect area = region.Intersected(shown);
    if (area.empty()) return;
    // Paper first: the region may reach past the end of a line or below the last one.
    const std::vector<PrintedDot> paper(static_cast<std::size_t>(area.width), PrintedDot::Paper);
    for (int y = area.y; y < area.y + area.height; ++y) {
        PaintDotRow(image, paper.data(), area.x, area.width, y, zoom, origin);
    }
    std::vector<PrintedDot> row(static_cast<std::size_t>(text.cellWidth()));
    for (const std::size_t cell : text.CellsIn(area)) {
        const DotRect cellRect = text.CellRect(cell);
        const DotRect part = cellRect.Intersected(area);
        for (int y = part.y; y < part.y + part.height; ++y) {
            text.CellDotRow(font, cell, y - cellRect.y, row.data());
            PaintDotRow(image, row.data() + (part.x - cellRect.x), part.x, part.width, y, zoom,
                        origin);
        }
    }
}

bool PrintedTextFits(const PrintedText& text, int zoom) {
    const long long width = static_cast<long long>(text.width()) * zoom;
    const long long height = static_cast<long long>(text.height()) * zoom;
    return zoom >= 1 && width >= 1 && height >= 1 && width <= kMaxPrintedSide &&
           height <= kMaxPrintedSide && width * height <= kMaxPrintedPixels;
}

QImage PrintedTextImage(const Font& font, const PrintedText& text, int zoom) {
    if (!PrintedTextFits(text, zoom)) return {};
    QImage image(text.width() * zoom, text.height() * zoom, QImage::Format_RGB32);
    if (image.isNull()) return {};
    PaintPrintedText(image, font, text, zoom, {0, 0, text.width(), text.height()});
    return image;
}

}  // namespace pixmere
