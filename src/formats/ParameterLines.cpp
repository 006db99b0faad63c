#include "formats/ParameterLines.h"

#include "formats/CLayout.h"

namespace pixmere {

std::optional<std::string_view> TextLines::next() {
    if (atEnd()) return std::nullopt;
    std::size_t end = at_;
    while (end < text_.size() && text_[end] != '\n') ++end;
    std::size_t cut = end;
    while (cut > at_ && text_[cut - 1] == '\r') --cut;
    const std::string_view line(reinterpret_cast<const char*>(text_.data()) + at_, cut - at_);
    at_ = end + 1;
    return line;
}

std::optional<int> LabelledNumber(std::string_view line, std::string_view label) {
    if (line.substr(0, label.size()) != label) return std::nullopt;
    std::string_view rest = line.substr(label.size());
    while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    while (!rest.empty() && rest.back() == ' ') rest.remove_suffix(1);
    if (rest.empty() || rest.size() > 6) return std::nullopt;
    int value = 0;
    for (const char c : rest) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<std::string_view> LayoutLine(std::span<const uint8_t> file) {
    TextLines lines(file);
    const std::string_view label = kLayoutLabel;
    while (const std::optional<std::string_view> line = lines.next()) {
        if (line->substr(0, label.size()) == label) return line->substr(label.size());
        if (!line->empty() && line->substr(0, 2) != "//") break;
    }
    return std::nullopt;
}

std::optional<FontParams> ReadParameterLines(TextLines& lines) {
    std::array<int, kParameterLabels.size()> values{};
    for (std::size_t n = 0; n < values.size(); ++n) {
        const std::optional<std::string_view> line = lines.next();
        const std::optional<int> value =
            line ? LabelledNumber(*line, kParameterLabels[n]) : std::nullopt;
        if (!value) return std::nullopt;
        values[n] = *value;
    }
    const auto [height, width, first, count, downstroke, magnification] = values;
    // Each value must fit its field; the font's own rules are checked on the result.
    if (height > 255 || width > 255 || first > 255 || count > 256 || downstroke > 255 ||
        magnification > 255) {
        return std::nullopt;
    }
    FontParams p;
    p.FormatHeightCar = static_cast<uint8_t>(height);
    p.FormatLengthCar = static_cast<uint8_t>(width);
    p.firstcar = static_cast<uint8_t>(first);
    p.NbCar = count;
    p.jambon = static_cast<uint8_t>(downstroke);
    p.Magnification = static_cast<uint8_t>(magnification);
    if (!p.valid()) return std::nullopt;
    p.lastcar = static_cast<uint8_t>(p.lastCode());
    return p;
}

}  // namespace pixmere
