#include "formats/BdfPcfFile.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BDF_H
#include FT_MODULE_H

#include <algorithm>
#include <memory>
#include <string_view>

#include "formats/BdfPcfRoom.h"
#include "formats/Gunzip.h"
#include "model/UserError.h"
#include "model/Windows1252.h"

namespace pixmere {

namespace {

// How every BDF and every PCF file begins.
constexpr std::string_view kBdfStart = "STARTFONT";
constexpr std::string_view kPcfStart = "\1fcp";

bool StartsWith(std::span<const uint8_t> file, std::string_view start) {
    return file.size() >= start.size() && std::equal(start.begin(), start.end(), file.begin());
}

struct LibraryDone {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceDone {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using Library = std::unique_ptr<FT_LibraryRec_, LibraryDone>;
using Face = std::unique_ptr<FT_FaceRec_, FaceDone>;

// Only the driver of the file's kind sees the bytes: a file of another kind named .bdf must not
// reach the outline font parsers.
Face OpenBitmapFace(FT_Library library, std::span<const uint8_t> file, bool bdf) {
    FT_Open_Args args{};
    args.flags = FT_OPEN_MEMORY | FT_OPEN_DRIVER;
    args.memory_base = file.data();
    args.memory_size = static_cast<FT_Long>(file.size());
    args.driver = FT_Get_Module(library, bdf ? "bdf" : "pcf");
    FT_Face face = nullptr;
    if (!args.driver || FT_Open_Face(library, &args, 0, &face) != 0) {
        RefuseBadFile(bdf ? "a damaged BDF font" : "a damaged PCF font");
    }
    return Face(face);
}

bool CaseEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t n = 0; n < a.size(); ++n) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[n]) != lower(b[n])) return false;
    }
    return true;
}

bool IsUnicode(FT_Face face) {
    const char* encoding = nullptr;
    const char* registry = nullptr;
    return FT_Get_BDF_Charset_ID(face, &encoding, &registry) == 0 && registry &&
           CaseEqual(registry, "ISO10646");
}

uint8_t Magnification(FT_Face face) {
    BDF_PropertyRec property{};
    if (FT_Get_BDF_Property(face, "PIXMERE_MAGNIFICATION", &property) != 0) return 1;
    long value = 0;
    if (property.type == BDF_PROPERTY_TYPE_INTEGER) value = property.u.integer;
    if (property.type == BDF_PROPERTY_TYPE_CARDINAL) value = static_cast<long>(property.u.cardinal);
    // FreeType's BDF reader keeps properties it does not know as text.
    if (property.type == BDF_PROPERTY_TYPE_ATOM && property.u.atom) {
        const std::string_view atom = property.u.atom;
        if (atom.size() == 1 && atom[0] >= '1' && atom[0] <= '5') value = atom[0] - '0';
    }
    return value >= 1 && value <= 5 ? static_cast<uint8_t>(value) : 1;
}

// FreeType's PCF driver makes room for a bitmap as the glyph's metrics say before it reads it:
// a file of a kilobyte can claim 65,535 x 65,535 pixels, half a gigabyte, and many glyphs can
// claim one bitmap as large as the file. Every glyph's bitmap lies in the file, so together
// they take at most its size (each row at least its bytes): `budget` starts at the file's size
// and each character's glyph takes its share before it is loaded, so that codes pointed at one
// huge bitmap cannot multiply it; a font that needs more is damaged.
void TakeBitmapRoom(FT_Face face, FT_UInt index, uint64_t& budget) {
    if (FT_Load_Glyph(face, index, FT_LOAD_BITMAP_METRICS_ONLY) != 0) {
        RefuseBadFile("a damaged glyph");
    }
    const FT_Glyph_Metrics& metrics = face->glyph->metrics;
    const auto pixels = [](FT_Pos length) {
        return static_cast<uint64_t>(std::max<FT_Pos>(length, 0) >> 6);
    };
    const uint64_t rows = pixels(metrics.height);
    const uint64_t rowBytes = (pixels(metrics.width) + 7) / 8;
    if (rows > 0 && rowBytes > budget / rows) {
        RefuseBadFile("glyphs with more bitmap bytes than the file holds");
    }
    budget -= rows * rowBytes;
}

SourceGlyph LoadGlyph(FT_Face face, FT_UInt index, uint64_t& budget) {
    TakeBitmapRoom(face, index, budget);
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0) RefuseBadFile("a damaged glyph");
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    SourceGlyph glyph;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    // Far beyond any cell either way, and still an int.
    glyph.advance = static_cast<int>(std::clamp<FT_Pos>(slot->advance.x >> 6, -65536, 65536));
    if (bitmap.width == 0 || bitmap.rows == 0) return glyph;
    // Grey levels are not a monochrome font.
    if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO || bitmap.pitch < 0 ||
        static_cast<unsigned>(bitmap.pitch) < (bitmap.width + 7) / 8) {
        RefuseBadFile("more than 1 bit per pixel");
    }
    glyph.width = static_cast<int>(bitmap.width);
    glyph.rows = static_cast<int>(bitmap.rows);
    glyph.pitch = bitmap.pitch;
    glyph.bits.assign(bitmap.buffer,
                      bitmap.buffer + static_cast<std::size_t>(glyph.pitch) * glyph.rows);
    return glyph;
}

ImportedFont ReadFace(std::span<const uint8_t> file, bool bdf) {
    FT_Library raw = nullptr;
    if (FT_Init_FreeType(&raw) != 0) RefuseBadFile("FreeType could not start");
    const Library library(raw);
    const Face face = OpenBitmapFace(library.get(), file, bdf);
    if (face->num_fixed_sizes < 1 || FT_Select_Size(face.get(), 0) != 0) {
        RefuseBadFile("a font without a bitmap size");
    }

    SourceFont source;
    source.ascent = static_cast<int>(face->size->metrics.ascender >> 6);
    source.descent = static_cast<int>(-(face->size->metrics.descender >> 6));
    source.magnification = Magnification(face.get());
    // The drivers' one character map is keyed by the font's own encoding values; fonts that are
    // not Unicode get it only when asked for.
    if (face->num_charmaps > 0 && FT_Set_Charmap(face.get(), face->charmaps[0]) == 0) {
        const bool unicode = IsUnicode(face.get());
        uint64_t budget = file.size();
        for (int c = 0; c < 256; ++c) {
            const uint8_t code = static_cast<uint8_t>(c);
            const FT_ULong key = unicode ? Windows1252ToUnicode(code) : code;
            if (const FT_UInt index = FT_Get_Char_Index(face.get(), key)) {
                source.codes[c] = LoadGlyph(face.get(), index, budget);
            }
        }
    }
    return PlaceInCells(source);
}

}  // namespace

ImportedFont LoadBdfPcf(std::span<const uint8_t> file) {
    // Compressed fonts are inflated here rather than by FreeType, which stops reading once it
    // has its tables: a file cut off in its checksum would pass, and its size would be unbounded.
    std::vector<uint8_t> inflated;
    const std::span<const uint8_t> font = Uncompressed(file, kBdfPcfLargestFile, inflated);
    // FreeType's PCF driver inflates gzip and LZW data itself, without a limit, and starts over
    // from the beginning whenever it reads backwards: a second layer of compression never
    // reaches it.
    if (StartsWith(font, kBdfStart)) {
        CheckBdfRoom(font);
        return ReadFace(font, true);
    }
    if (StartsWith(font, kPcfStart)) {
        CheckPcfRoom(font);
        return ReadFace(font, false);
    }
    RefuseBadFile("not a BDF or PCF font");
}

}  // namespace pixmere
