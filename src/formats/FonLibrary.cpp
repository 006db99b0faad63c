#include "formats/FonLibrary.h"

#include <map>
#include <stdexcept>

#include "formats/ByteReader.h"
#include "formats/FntFile.h"
#include "model/UserError.h"
#include "model/Windows1252.h"

namespace pixmere {

namespace {

constexpr uint64_t kNewHeaderPointer = 0x3C;  // in the MZ header
constexpr uint64_t kNonResidentSize = 0x20;   // from the NE header, 16-bit
constexpr uint64_t kResourceTable = 0x24;     // from the NE header, 16-bit, relative to it
constexpr uint64_t kNonResidentTable = 0x2C;  // from the NE header, 32-bit, from the file start
constexpr uint16_t kFontDirType = 0x8007;     // RT_FONTDIR
constexpr uint16_t kFontType = 0x8008;        // RT_FONT
constexpr uint16_t kIntegerId = 0x8000;       // high bit: a number, not a name
constexpr uint64_t kMaxAlignShift = 16;
constexpr uint64_t kResourceEntrySize = 12;

// Offsets inside a directory entry: a 16-bit ordinal, then a copy of the font's header from
// dfVersion to dfReserved, then the device name and the face name, each ended by a zero byte.
constexpr uint64_t kEntrySize = 4;
constexpr uint64_t kEntryPixHeight = 90;
constexpr uint64_t kEntryNames = 115;

[[noreturn]] void Refuse() { throw UserError(kBadFontFileMessage); }

// The bytes from `at` up to the next zero byte, which must lie inside the reader.
std::span<const uint8_t> ZeroEnded(const ByteReader& in, uint64_t at) {
    uint64_t end = at;
    while (in.u8(end) != 0) ++end;
    return in.span(at, end - at);
}

struct Resource {
    uint64_t offset;
    uint64_t length;
};

}  // namespace

std::string FonItemText(const std::string& faceName, int ordinal, int pixHeight) {
    return faceName + " n\xC2\xB0" + std::to_string(ordinal) +
           " (Height: " + std::to_string(pixHeight) + " pixels)";
}

FonLibrary ReadFontDirectory(std::span<const uint8_t> file) {
    const ByteReader in(file);
    if (in.u8(0) != 'M' || in.u8(1) != 'Z') Refuse();
    const uint64_t ne = in.u32(kNewHeaderPointer);
    if (in.u8(ne) != 'N' || in.u8(ne + 1) != 'E') Refuse();

    FonLibrary library;
    if (in.u16(ne + kNonResidentSize) != 0) {
        // The first entry of the non-resident name table is the module description.
        const uint64_t names = in.u32(ne + kNonResidentTable);
        library.description = Windows1252ToUtf8(in.span(names + 1, in.u8(names)));
    }

    // The resource table: an alignment shift, then per type its id, count, 4 reserved bytes and
    // 12-byte entries (offset and length in alignment units, flags, id, 4 reserved bytes),
    // ended by a type id of 0.
    const uint64_t table = ne + in.u16(ne + kResourceTable);
    const uint16_t shift = in.u16(table);
    if (shift > kMaxAlignShift) Refuse();
    bool haveDirectory = false;
    Resource directory{};
    std::map<int, Resource> fonts;  // by number
    uint64_t at = table + 2;
    for (uint16_t type = in.u16(at); type != 0; type = in.u16(at)) {
        const uint16_t count = in.u16(at + 2);
        at += 8;
        // A count the file has no room for is refused before any entry is read.
        in.require(at, uint64_t{count} * kResourceEntrySize);
        for (uint16_t n = 0; n < count; ++n, at += kResourceEntrySize) {
            const Resource resource{static_cast<uint64_t>(in.u16(at)) << shift,
                                    static_cast<uint64_t>(in.u16(at + 2)) << shift};
            const uint16_t id = in.u16(at + 6);
            if (type == kFontDirType && !haveDirectory) {
                directory = resource;
                haveDirectory = true;
            } else if (type == kFontType && (id & kIntegerId) != 0) {
                fonts.emplace(id & ~kIntegerId, resource);
            }
        }
    }
    if (!haveDirectory) Refuse();

    // The directory is read within its own resource.
    const ByteReader dir(in.span(directory.offset, directory.length));
    const uint16_t count = dir.u16(0);
    if (count == 0) Refuse();
    // Each entry holds at least its header copy and two empty names.
    dir.require(2, uint64_t{count} * (kEntryNames + 2));
    uint64_t entry = 2;
    for (uint16_t n = 0; n < count; ++n) {
        FonFont font;
        font.ordinal = dir.u16(entry);
        font.size = dir.u32(entry + kEntrySize);
        font.pixHeight = dir.u16(entry + kEntryPixHeight);
        const std::span<const uint8_t> device = ZeroEnded(dir, entry + kEntryNames);
        const uint64_t faceAt = entry + kEntryNames + device.size() + 1;
        const std::span<const uint8_t> face = ZeroEnded(dir, faceAt);
        entry = faceAt + face.size() + 1;

        const auto resource = fonts.find(font.ordinal);
        if (resource == fonts.end()) Refuse();
        // A resource reaching past the end of the file means the library was cut off; one too
        // short for a font header holds no font, though the directory lists it.
        in.require(resource->second.offset, resource->second.length);
        if (resource->second.length < kFntHeaderSize) Refuse();
        font.offset = resource->second.offset;
        font.faceName = Windows1252ToUtf8(face);
        font.itemText = FonItemText(font.faceName, font.ordinal, font.pixHeight);
        font.title = library.description + "     " + font.faceName;
        library.fonts.push_back(std::move(font));
    }
    return library;
}

LoadedFont LoadFonFont(std::span<const uint8_t> file, const FonFont& font) {
    return FntBegin(file, font.offset);
}

LoadedFont LoadFonFont(std::span<const uint8_t> file, int position) {
    const FonLibrary library = ReadFontDirectory(file);
    if (position < 0 || static_cast<std::size_t>(position) >= library.fonts.size()) {
        throw std::out_of_range("LoadFonFont: no font at position " + std::to_string(position));
    }
    return LoadFonFont(file, library.fonts[static_cast<std::size_t>(position)]);
}

}  // namespace pixmere
