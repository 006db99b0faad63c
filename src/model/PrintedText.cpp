#include "model/PrintedText.h"

#include <algorithm>

#include "model/CharacterLookup.h"
#include "model/Pixels.h"
#include "model/Windows1252.h"

namespace pixmere {

DotRect DotRect::Intersected(const DotRect& other) const {
    const int left = std::max(x, other.x);
    const int top = std::max(y, other.y);
    const int right = std::min(x + width, other.x + other.width);
    const int bottom = std::min(y + height, other.y + other.height);
    if (right <= left || bottom <= top) return {};
    return {left, top, right - left, bottom - top};
}

PrintedText::PrintedText(const FontParams& params, std::u32string_view text)
    : cellWidth_(params.FormatLengthCar),
      cellHeight_(params.FormatHeightCar * params.Magnification),
      magnification_(params.Magnification),
      baselineRow_((params.FormatHeightCar - params.jambon) * params.Magnification),
      showing_(static_cast<std::size_t>(std::max(params.NbCar, 0))) {
    lineStart_.push_back(0);
    int column = 0;
    for (const char32_t c : text) {
        if (c == U'\n') {
            lineStart_.push_back(cells_.size());
            column = 0;
            continue;
        }
        PrintedCell cell;
        cell.line = lines() - 1;
        cell.column = column++;
        cell.code = UnicodeToWindows1252(c);
        cell.glyph = GlyphOfCharacter(params, c);
        if (cell.glyph >= 0)
            showing_[static_cast<std::size_t>(cell.glyph)].push_back(cells_.size());
        cells_.push_back(cell);
        columns_ = std::max(columns_, column);
    }
}

const std::vector<std::size_t>& PrintedText::CellsShowing(int32_t glyph) const {
    static const std::vector<std::size_t> kNone;
    return glyph >= 0 && static_cast<std::size_t>(glyph) < showing_.size()
               ? showing_[static_cast<std::size_t>(glyph)]
               : kNone;
}

DotRect PrintedText::CellRect(std::size_t cell) const {
    const PrintedCell& c = cells_.at(cell);
    return {c.column * cellWidth_, c.line * cellHeight_, cellWidth_, cellHeight_};
}

std::vector<std::size_t> PrintedText::CellsIn(const DotRect& region) const {
    std::vector<std::size_t> found;
    const DotRect inside = region.Intersected({0, 0, width(), height()});
    if (inside.empty()) return found;
    const int firstColumn = inside.x / cellWidth_;
    const int lastColumn = (inside.x + inside.width - 1) / cellWidth_;
    for (int line = inside.y / cellHeight_; line <= (inside.y + inside.height - 1) / cellHeight_;
         ++line) {
        const std::size_t begin = lineStart_[static_cast<std::size_t>(line)];
        const std::size_t end = static_cast<std::size_t>(line) + 1 < lineStart_.size()
                                    ? lineStart_[static_cast<std::size_t>(line) + 1]
                                    : cells_.size();
        for (std::size_t cell = begin + static_cast<std::size_t>(firstColumn);
             cell < end && cell <= begin + static_cast<std::size_t>(lastColumn); ++cell) {
            found.push_back(cell);
        }
    }
    return found;
}

std::vector<int> PrintedText::BaselineRows() const {
    std::vector<int> rows;
    for (int line = 0; line < lines(); ++line) rows.push_back(line * cellHeight_ + baselineRow_);
    return rows;
}

void PrintedText::CellDotRow(const Font& font, std::size_t cell, int cy, PrintedDot* out) const {
    const int32_t glyph = cells_.at(cell).glyph;
    if (glyph >= 0) {
        const CarObject& g = font.glyphs.at(static_cast<std::size_t>(glyph));
        const uint8_t* row = g.row(cy / magnification_);
        for (int cx = 0; cx < cellWidth_; ++cx) {
            out[cx] = PixelAt(row, cx) ? PrintedDot::Ink : PrintedDot::Paper;
        }
        return;
    }
    // Every other dot of the cell's edge: a frame that no glyph is mistaken for.
    const bool edgeRow = cy == 0 || cy == cellHeight_ - 1;
    for (int cx = 0; cx < cellWidth_; ++cx) {
        const bool edge = edgeRow || cx == 0 || cx == cellWidth_ - 1;
        out[cx] = edge && (cx + cy) % 2 == 0 ? PrintedDot::Missing : PrintedDot::Paper;
    }
}

PrintedDot PrintedText::Dot(const Font& font, int x, int y) const {
    if (x < 0 || y < 0 || x >= width() || y >= height()) return PrintedDot::Paper;
    const std::vector<std::size_t> cell = CellsIn({x, y, 1, 1});
    if (cell.empty()) return PrintedDot::Paper;
    std::vector<PrintedDot> row(static_cast<std::size_t>(cellWidth_));
    CellDotRow(font, cell.front(), y % cellHeight_, row.data());
    return row[static_cast<std::size_t>(x % cellWidth_)];
}

std::u32string DefaultSampleText(const FontParams& params) {
    const auto holds = [&](char32_t c) { return GlyphOfCharacter(params, c) >= 0; };
    std::u32string text;
    for (const auto& [first, last] : {std::pair{U'A', U'Z'}, {U'a', U'z'}, {U'0', U'9'}}) {
        std::u32string group;
        for (char32_t c = first; c <= last; ++c) {
            if (holds(c)) group += c;
        }
        if (group.empty()) continue;
        if (!text.empty() && holds(U' ')) text += U' ';
        text += group;
    }
    if (!text.empty()) return text;
    constexpr std::size_t kFirstCharacters = 26;
    for (int code = params.firstcar; code <= params.lastCode() && text.size() < kFirstCharacters;
         ++code) {
        const char32_t c = Windows1252ToUnicode(static_cast<uint8_t>(code));
        if (CarForKey(params, c) >= 0) text += c;
    }
    return text;
}

}  // namespace pixmere
