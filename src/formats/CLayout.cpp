#include "formats/CLayout.h"

#include <algorithm>
#include <array>

#include "model/Font.h"

namespace pixmere {

namespace {

template <typename Enum, Enum CLayout::*Field>
CLayoutOption Choice(const char* option, std::vector<const char*> values,
                     std::vector<const char*> words) {
    return {option, std::move(values), std::move(words),
            [](const CLayout& layout) { return static_cast<int>(layout.*Field); },
            [](CLayout& layout, int value) { layout.*Field = static_cast<Enum>(value); }};
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameWords(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

}  // namespace

bool CLayout::cDefault() const {
    CLayout cOnly = *this;
    cOnly.advance = GfxAdvance::Cell;
    return cOnly == CLayout{};
}

std::size_t CLayout::glyphBytes(int width, int height) const {
    if (order == COrder::Pages) return static_cast<std::size_t>((height + 7) / 8) * width;
    return static_cast<std::size_t>(height) * BytesPerRow(width);
}

const std::vector<CLayoutOption>& CLayoutOptions() {
    static const std::vector<CLayoutOption> options = {
        Choice<CNumbers, &CLayout::numbers>("c-numbers", {"bin", "hex"}, {"binary", "hexadecimal"}),
        Choice<COrder, &CLayout::order>("c-order", {"rows", "pages"}, {"row order", "page order"}),
        Choice<CBits, &CLayout::bits>("c-bits", {"msb", "lsb"}, {"MSB first", "LSB first"}),
        Choice<CDeclaration, &CLayout::declaration>(
            "c-array", {"none", "const", "progmem"},
            {"no declaration", "const array", "PROGMEM array"}),
        Choice<CComments, &CLayout::comments>("c-comments", {"index", "picture"},
                                              {"index comments", "picture comments"}),
        Choice<GfxAdvance, &CLayout::advance>("gfx-advance", {"cell", "ink"}, {}),
    };
    return options;
}

std::string LayoutWords(const CLayout& layout) {
    std::string text;
    for (const CLayoutOption& option : CLayoutOptions()) {
        if (option.gfx()) continue;
        text += (text.empty() ? "" : ", ") + std::string(option.words[option.get(layout)]);
    }
    return text;
}

std::optional<CLayout> LayoutFromWords(std::string_view words) {
    CLayout layout;
    std::array<bool, 8> named{};
    while (!Trimmed(words).empty()) {
        const std::size_t comma = std::min(words.find(','), words.size());
        const std::string_view word = Trimmed(words.substr(0, comma));
        words.remove_prefix(std::min(comma + 1, words.size()));
        bool known = false;
        for (std::size_t n = 0; n < CLayoutOptions().size() && !known; ++n) {
            const CLayoutOption& option = CLayoutOptions()[n];
            for (std::size_t v = 0; v < option.words.size() && !known; ++v) {
                if (!SameWords(word, option.words[v])) continue;
                if (named[n]) return std::nullopt;
                named[n] = known = true;
                option.set(layout, static_cast<int>(v));
            }
        }
        if (!known) return std::nullopt;
    }
    return layout;
}

std::string CIdentifier(const std::string& name) {
    // C and C++ keywords (the header may land in either) and the names the exports declare.
    static constexpr std::string_view kTaken[] = {
        "auto",      "bool",     "break",    "case",     "char",    "class",     "const",
        "constexpr", "continue", "default",  "delete",   "do",      "double",    "else",
        "enum",      "explicit", "extern",   "false",    "float",   "for",       "friend",
        "goto",      "if",       "inline",   "int",      "long",    "mutable",   "namespace",
        "new",       "noexcept", "nullptr",  "operator", "private", "protected", "public",
        "register",  "restrict", "return",   "short",    "signed",  "sizeof",    "static",
        "struct",    "switch",   "template", "this",     "throw",   "true",      "try",
        "typedef",   "typename", "union",    "unsigned", "using",   "virtual",   "void",
        "volatile",  "while",    "PROGMEM",  "uint8_t",  "GFXfont", "GFXglyph"};
    // Runs of other characters become one "_", and none leads: names with "__" or a leading
    // "_" are the implementation's.
    std::string id;
    for (const char c : name) {
        const bool kept =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (kept) {
            id += c;
        } else if (!id.empty() && id.back() != '_') {
            id += '_';
        }
    }
    if (id.empty()) return "font";
    const bool usable = !(id[0] >= '0' && id[0] <= '9') &&
                        std::find(std::begin(kTaken), std::end(kTaken), id) == std::end(kTaken);
    return usable ? id : "font_" + id;
}

std::optional<char> PrintableCharacter(int code) {
    if (code < 0x20 || code > 0x7E) return std::nullopt;
    return static_cast<char>(code);
}

}  // namespace pixmere
