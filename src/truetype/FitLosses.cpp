#include "truetype/FitLosses.h"

#include <QString>
#include <algorithm>

#include "model/Windows1252.h"

namespace pixmere {

std::vector<int> LostCharacters(const TtfImportResult& result) {
    const FontParams& p = result.font.params;
    // Less than a pixel beyond the edge costs at most a sliver the sampling would hardly keep.
    const float right = p.FormatLengthCar + 1.0f, bottom = p.FormatHeightCar + 1.0f;
    std::vector<int> lost;
    for (std::size_t i = 0; i < result.outlines.size() && i < result.font.glyphs.size(); ++i) {
        const SourceOutline& outline = result.outlines[i];
        if (outline.empty()) continue;  // the face draws nothing there
        bool outside = false;
        for (const auto& contour : outline.contours) {
            outside = outside || std::any_of(contour.begin(), contour.end(), [&](OutlinePoint q) {
                          return q.x < -1.0f || q.y < -1.0f || q.x > right || q.y > bottom;
                      });
        }
        const CarObject& glyph = result.font.glyphs[i];
        bool empty = true;
        for (int j = 0; j < p.FormatHeightCar && empty; ++j) {
            for (int k = 0; k < p.NbByteMatrix(); ++k) empty = empty && glyph.carbitmap(k, j) == 0;
        }
        if (outside || empty) lost.push_back(p.firstcar + static_cast<int>(i));
    }
    return lost;
}

std::string LostCharactersMessage(const std::vector<int>& codes, TtfFit fit,
                                  const std::string& keeps) {
    if (codes.empty()) return {};
    constexpr std::size_t kNamed = 16;
    QString which;
    for (std::size_t i = 0; i < codes.size() && i < kNamed; ++i) {
        const char32_t c = Windows1252ToUnicode(static_cast<uint8_t>(codes[i]));
        which += (i ? QStringLiteral(" ") : QString()) +
                 (c > 0x20 ? QString::fromUcs4(&c, 1)
                           : QString::number(codes[i], 16).toUpper() + QLatin1Char('h'));
    }
    if (codes.size() > kNamed) which += QStringLiteral(" and %1 more").arg(codes.size() - kNamed);
    std::string message =
        std::to_string(codes.size()) + (codes.size() == 1 ? " character" : " characters") +
        " of the face came out empty or cut at the edges of the cell: " + which.toStdString() + ".";
    if (fit == TtfFit::XHeight) message += " " + keeps + " keeps them.";
    return message;
}

}  // namespace pixmere
