#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "model/Font.h"

namespace pixmere {

// The six lines the C and text exports start with, each followed by its number: the height,
// width, first code, number of characters, downstroke and magnification.
inline constexpr std::array<const char*, 6> kParameterLabels = {
    "// Height:", "// Width:", "// First Car:", "// Nb Car:", "// Underline:", "// Magnification:"};

// The lines of a text held in memory, split at LF with any CRs before it dropped, so that files
// whose line ends were converted read the same.
class TextLines {
public:
    explicit TextLines(std::span<const uint8_t> text) : text_(text) {}

    // The next line without its end; nullopt once the text is used up.
    std::optional<std::string_view> next();
    bool atEnd() const { return at_ >= text_.size(); }

private:
    std::span<const uint8_t> text_;
    std::size_t at_ = 0;
};

// The number after `label` on a line that starts with it, spaces around it allowed; nullopt
// for another line or anything but 1 to 6 decimal digits.
std::optional<int> LabelledNumber(std::string_view line, std::string_view label);

// The text after "// Layout:" on one of the lines a file starts with that are empty or "//"
// comments; nullopt when none of them is such a line.
std::optional<std::string_view> LayoutLine(std::span<const uint8_t> file);

// Reads the six parameter lines from the next six lines. nullopt when one is missing or out of
// order, or their values are not a font the editor can hold (sizes 1..255, 1..256 characters
// ending at FF at the latest, a downstroke within the height, magnification 1..5).
std::optional<FontParams> ReadParameterLines(TextLines& lines);

}  // namespace pixmere
