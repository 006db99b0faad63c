#pragma once

#include <QImage>
#include <QPoint>
#include <QRgb>

#include "model/Font.h"
#include "model/PrintedText.h"

namespace pixmere {

// Colours of text as printed: the paper, the ink, and the dotted frame of a missing character.
inline constexpr QRgb kPaperRgb = 0xFFFFFFFF;
inline constexpr QRgb kInkRgb = 0xFF000000;
inline constexpr QRgb kMissingRgb = 0xFF909090;

// The largest picture PrintedTextImage makes: pixels on a side, and in all.
inline constexpr int kMaxPrintedSide = 32767;
inline constexpr long long kMaxPrintedPixels = 1LL << 28;

// Paints the dots of `region` (dot coordinates of the text) into a 32-bit image, dot (x, y) as
// the zoom x zoom pixels from ((x - origin.x) * zoom, (y - origin.y) * zoom); what falls outside
// the image is skipped, and the region's dots beyond the text are paper. A view paints what is
// exposed, and after a change of glyph c the CellRect of each of CellsShowing(c).
void PaintPrintedText(QImage& image, const Font& font, const PrintedText& text, int zoom,
                      const DotRect& region, QPoint origin = {});

// Whether the whole text at zoom stays within the largest picture.
bool PrintedTextFits(const PrintedText& text, int zoom);

// The whole text at zoom (screen pixels a dot, at least 1), as PaintPrintedText paints it; a
// null image when it does not fit or there is not enough memory.
QImage PrintedTextImage(const Font& font, const PrintedText& text, int zoom);

}  // namespace pixmere
