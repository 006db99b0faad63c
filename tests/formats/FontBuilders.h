#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Builders of small Windows font files for the import tests, so that no binary fixture is
// checked in, and the list of the real libraries installed by fonts-wine.
namespace pixmere::test {

struct FntSpec {
    int version = 0x0200;
    int type = 0;    // dfType: 0 raster, 1 vector
    int ascent = 0;  // dfAscent
    int height = 0;  // dfPixHeight
    int first = 0x41;
    // One entry per character from `first`: its width and its picture (height rows of
    // '#'/'.'); an empty picture with a width above 0 gives a blank bitmap.
    std::vector<int> widths;
    std::vector<std::vector<std::string>> glyphs;
    uint32_t flags = 0x12;  // dfFlags of version 3.0
};

// A stand-alone resource: header, character table, then the bitmaps in vertical strips.
std::vector<uint8_t> BuildFnt(const FntSpec& spec);

struct FonSpecFont {
    int ordinal = 0;
    std::vector<uint8_t> fnt;
    std::string face;    // single-byte text as stored
    std::string device;  // usually empty
};

struct FonSpec {
    std::string description;
    std::vector<FonSpecFont> fonts;  // directory order
    bool storeReversed = false;      // font resources stored last first
    int alignShift = 4;
    int padding = 0;  // extra alignment units of zeros after each font
};

// A minimal NE library: MZ stub, NE header, resource table (one font directory, one font
// resource per font), the non-resident name table, the directory and the fonts.
std::vector<uint8_t> BuildFon(const FonSpec& spec);

// Offsets inside a built library, for tests that damage it.
inline constexpr int kBuiltNeHeader = 0x40;
inline constexpr int kBuiltResourceTable = 0x80;

// Every .fon under /usr/share/wine/fonts, sorted.
std::vector<std::string> WineLibraries();
std::string WineFont(const std::string& name);

}  // namespace pixmere::test
