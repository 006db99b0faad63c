#include "formats/BdfPcfRoom.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "formats/ByteReader.h"
#include "formats/CellPlacement.h"
#include "model/UserError.h"

namespace pixmere {

namespace {

// The bitmap of a glyph filling a 255 x 255 cell: no glyph of a font the editor takes needs
// more.
constexpr uint64_t kLargestGlyphBytes = 32 * 255;
// STARTCHAR, ENCODING and ENDCHAR take at least this much of every character.
constexpr uint64_t kShortestCharacter = 20;
// Numbers beyond this are as refused as this one, and their products still fit 64 bits.
constexpr uint64_t kNumberCeiling = 1'000'000'000;

// FreeType's BDF reader ends a line at any byte that is not printable ASCII (its characters are
// signed: bytes from 80h on end lines too). Cutting lines as it does, every keyword it acts on
// is seen here.
bool InLine(uint8_t byte) { return byte >= 0x20 && byte < 0x80; }

// The keyword as FreeType matches it: the line's start, followed by a blank or the line's end.
bool IsKeyword(std::string_view line, std::string_view keyword) {
    return line.starts_with(keyword) &&
           (line.size() == keyword.size() || line[keyword.size()] == ' ' ||
            line[keyword.size()] == '\t');
}

// The line's fields, split at spaces as FreeType splits them: field 0 holds the keyword.
std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t at = 0; at < line.size();) {
        const std::size_t end = std::min(line.find(' ', at), line.size());
        if (end > at) fields.push_back(line.substr(at, end - at));
        at = end + 1;
    }
    return fields;
}

// Field n as a number; an absent field is 0, as FreeType reads it. FreeType reads the digits a
// field starts with; anything but digits is refused here, so that no number is read smaller
// than FreeType reads it.
uint64_t Number(const std::vector<std::string_view>& fields, std::size_t n) {
    if (n >= fields.size()) return 0;
    uint64_t value = 0;
    for (const char c : fields[n]) {
        if (c < '0' || c > '9') RefuseBadFile("not a number in " + std::string(fields[0]));
        value = std::min(value * 10 + static_cast<uint64_t>(c - '0'), kNumberCeiling);
    }
    return value;
}

}  // namespace

void CheckBdfRoom(std::span<const uint8_t> bdf) {
    const uint64_t size = bdf.size();
    uint64_t bitmapBytes = 0, properties = 0, characters = 0, encodings = 0;
    bool inProperties = false;
    for (std::size_t at = 0; at < bdf.size();) {
        if (!InLine(bdf[at])) {
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < bdf.size() && InLine(bdf[end])) ++end;
        const std::string_view line(reinterpret_cast<const char*>(bdf.data()) + at, end - at);
        at = end;
        // Every line is looked at for every keyword, inside the properties too: counting a line
        // FreeType takes for something else costs nothing, missing one could.
        if (inProperties) {
            inProperties = !IsKeyword(line, "ENDPROPERTIES");
            if (inProperties && ++properties > kBdfMostProperties) {
                RefuseBadFile("more than " + std::to_string(kBdfMostProperties) + " properties");
            }
        }
        if (IsKeyword(line, "STARTPROPERTIES")) {
            if (Number(Fields(line), 1) > kBdfMostProperties) {
                RefuseBadFile("more than " + std::to_string(kBdfMostProperties) + " properties");
            }
            inProperties = true;
        } else if (IsKeyword(line, "SIZE")) {
            // Grey levels are not a monochrome font, and they multiply every bitmap.
            if (Number(Fields(line), 4) > 1) RefuseBadFile("more than 1 bit per pixel");
        } else if (IsKeyword(line, "CHARS")) {
            if (Number(Fields(line), 1) > size / kShortestCharacter) {
                RefuseBadFile("more characters than the file holds");
            }
        } else if (IsKeyword(line, "STARTCHAR")) {
            ++characters;
        } else if (IsKeyword(line, "ENCODING")) {
            ++encodings;
        } else if (IsKeyword(line, "BBX")) {
            const std::vector<std::string_view> fields = Fields(line);
            const uint64_t width = Number(fields, 1), height = Number(fields, 2);
            const uint64_t bytes = (width + 7) / 8 * height;
            if (bytes > kLargestGlyphBytes) {
                throw UserError(
                    CellSizeMessage(static_cast<long long>(width), static_cast<long long>(height)));
            }
            bitmapBytes += bytes;
            // Each byte takes two hexadecimal digits in the file.
            if (bitmapBytes > size) RefuseBadFile("more bitmap bytes than the file holds");
        }
    }
    // Each ENCODING line makes FreeType start another glyph, though a character has one.
    if (encodings > characters) RefuseBadFile("more ENCODING lines than characters");
}

void CheckPcfRoom(std::span<const uint8_t> pcf) {
    const ByteReader r(pcf);
    const auto length = [](std::span<const uint8_t> strings, uint64_t at) -> uint64_t {
        if (at >= strings.size()) return 0;
        const void* nul = std::memchr(strings.data() + at, 0, strings.size() - at);
        return nul ? static_cast<const uint8_t*>(nul) - strings.data() - at : strings.size() - at;
    };
    const uint64_t tables = r.u32(4);
    // FreeType takes the first properties table; all are looked at.
    for (uint64_t t = 0; t < tables && r.has(8 + 16 * t, 16); ++t) {
        if (r.u32(8 + 16 * t) != 1) continue;
        const uint64_t at = r.u32(8 + 16 * t + 12);
        const bool msb = (r.u32(at) & 4) != 0;
        const auto u32 = [&](uint64_t where) -> uint64_t {
            return msb ? r.u32be(where) : r.u32(where);
        };
        const uint64_t count = u32(at + 4);
        const uint64_t entries = at + 8;
        const uint64_t stringsAt = entries + 9 * count + (count % 4 ? 4 - count % 4 : 0) + 4;
        const uint64_t stringsSize = u32(stringsAt - 4);
        const std::span<const uint8_t> strings =
            r.span(stringsAt, std::min(stringsSize, r.size() - std::min(stringsAt, r.size())));
        uint64_t copied = 0;
        for (uint64_t n = 0; n < count; ++n) {
            const uint64_t entry = entries + 9 * n;
            copied += length(strings, u32(entry)) + 1;
            if (r.u8(entry + 4) != 0) copied += length(strings, u32(entry + 5)) + 1;
            if (copied > r.size())
                RefuseBadFile("properties repeating more text than the file holds");
        }
    }
}

}  // namespace pixmere
