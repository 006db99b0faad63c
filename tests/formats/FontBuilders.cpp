#include "FontBuilders.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace pixmere::test {

namespace {

constexpr const char* kWineFonts = "/usr/share/wine/fonts";

void Put16(std::vector<uint8_t>& out, std::size_t at, uint32_t value) {
    if (out.size() < at + 2) out.resize(at + 2);
    out[at] = static_cast<uint8_t>(value);
    out[at + 1] = static_cast<uint8_t>(value >> 8);
}

void Put32(std::vector<uint8_t>& out, std::size_t at, uint32_t value) {
    Put16(out, at, value & 0xFFFF);
    Put16(out, at + 2, value >> 16);
}

void Align(std::vector<uint8_t>& out, int shift) {
    const std::size_t unit = std::size_t{1} << shift;
    out.resize((out.size() + unit - 1) / unit * unit, 0);
}

}  // namespace

std::vector<uint8_t> BuildFnt(const FntSpec& spec) {
    const bool v3 = spec.version == 0x0300;
    const std::size_t count = spec.widths.size();
    const std::size_t tableStart = v3 ? 148 : 118;
    const std::size_t entrySize = v3 ? 6 : 4;
    std::vector<uint8_t> out(tableStart + entrySize * (count + 1), 0);
    Put16(out, 0, static_cast<uint32_t>(spec.version));
    Put16(out, 66, static_cast<uint32_t>(spec.type));
    Put16(out, 74, static_cast<uint32_t>(spec.ascent));
    Put16(out, 88, static_cast<uint32_t>(spec.height));
    out[95] = static_cast<uint8_t>(spec.first);
    out[96] = static_cast<uint8_t>(spec.first + static_cast<int>(count) - 1);
    if (v3) Put32(out, 118, spec.flags);
    for (std::size_t c = 0; c < count; ++c) {
        const std::size_t entry = tableStart + entrySize * c;
        const int width = spec.widths[c];
        Put16(out, entry, static_cast<uint32_t>(width));
        const std::size_t bitmap = out.size();
        if (v3) {
            Put32(out, entry + 2, static_cast<uint32_t>(bitmap));
        } else {
            if (bitmap > 0xFFFF) throw std::invalid_argument("version 2.0 font too large");
            Put16(out, entry + 2, static_cast<uint32_t>(bitmap));
        }
        if (width == 0) continue;
        const int strips = (width - 1) / 8 + 1;
        const std::vector<std::string> empty;
        const std::vector<std::string>& rows = c < spec.glyphs.size() ? spec.glyphs[c] : empty;
        for (int s = 0; s < strips; ++s) {
            for (int r = 0; r < spec.height; ++r) {
                uint8_t byte = 0;
                for (int x = 0; x < 8; ++x) {
                    const std::size_t column = static_cast<std::size_t>(8 * s + x);
                    const bool ink = static_cast<std::size_t>(r) < rows.size() &&
                                     column < rows[r].size() && rows[r][column] == '#';
                    if (ink) byte |= static_cast<uint8_t>(0x80 >> x);
                }
                out.push_back(byte);
            }
        }
    }
    Put32(out, 2, static_cast<uint32_t>(out.size()));
    return out;
}

std::vector<uint8_t> BuildFon(const FonSpec& spec) {
    const int shift = spec.alignShift;
    const std::size_t nFonts = spec.fonts.size();
    std::vector<uint8_t> out(kBuiltResourceTable, 0);
    out[0] = 'M';
    out[1] = 'Z';
    Put32(out, 0x3C, kBuiltNeHeader);
    out[kBuiltNeHeader] = 'N';
    out[kBuiltNeHeader + 1] = 'E';
    out[kBuiltNeHeader + 2] = 5;
    Put16(out, kBuiltNeHeader + 0x24, kBuiltResourceTable - kBuiltNeHeader);

    // Resource table, offsets filled in below.
    const std::size_t table = kBuiltResourceTable;
    Put16(out, table, static_cast<uint32_t>(shift));
    Put16(out, table + 2, 0x8007);
    Put16(out, table + 4, 1);
    const std::size_t dirEntry = table + 10;
    Put16(out, dirEntry + 6, 0x8001);
    Put16(out, table + 22, 0x8008);
    Put16(out, table + 24, static_cast<uint32_t>(nFonts));
    const std::size_t fontEntries = table + 30;
    Put16(out, fontEntries + 12 * nFonts, 0);

    // Non-resident name table: the description, then the end of the table.
    const std::size_t names = out.size();
    out.push_back(static_cast<uint8_t>(spec.description.size()));
    out.insert(out.end(), spec.description.begin(), spec.description.end());
    out.insert(out.end(), {0, 0, 0});
    Put32(out, kBuiltNeHeader + 0x2C, static_cast<uint32_t>(names));
    Put16(out, kBuiltNeHeader + 0x20, static_cast<uint32_t>(out.size() - names));

    const auto place = [&](std::size_t entry, std::size_t start) {
        Align(out, shift);
        const std::size_t length = out.size() - start;
        Put16(out, entry, static_cast<uint32_t>(start >> shift));
        Put16(out, entry + 2, static_cast<uint32_t>(length >> shift));
    };

    Align(out, shift);
    const std::size_t dir = out.size();
    Put16(out, dir, static_cast<uint32_t>(nFonts));
    for (const FonSpecFont& font : spec.fonts) {
        const std::size_t entry = out.size();
        Put16(out, entry, static_cast<uint32_t>(font.ordinal));
        out.insert(out.end(), font.fnt.begin(), font.fnt.begin() + 113);
        out.insert(out.end(), font.device.begin(), font.device.end());
        out.push_back(0);
        out.insert(out.end(), font.face.begin(), font.face.end());
        out.push_back(0);
    }
    place(dirEntry, dir);

    std::vector<std::size_t> order(nFonts);
    for (std::size_t n = 0; n < nFonts; ++n) order[n] = spec.storeReversed ? nFonts - 1 - n : n;
    for (const std::size_t n : order) {
        const std::size_t entry = fontEntries + 12 * n;
        Put16(out, entry + 6, 0x8000 | static_cast<uint32_t>(spec.fonts[n].ordinal));
        Align(out, shift);
        const std::size_t start = out.size();
        out.insert(out.end(), spec.fonts[n].fnt.begin(), spec.fonts[n].fnt.end());
        place(entry, start);
        out.resize(out.size() + (static_cast<std::size_t>(spec.padding) << shift), 0);
    }
    return out;
}

std::vector<std::string> WineLibraries() {
    std::vector<std::string> paths;
    std::error_code ec;
    for (const auto& item : std::filesystem::directory_iterator(kWineFonts, ec)) {
        if (item.path().extension() == ".fon") paths.push_back(item.path().string());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::string WineFont(const std::string& name) { return std::string(kWineFonts) + "/" + name; }

}  // namespace pixmere::test
