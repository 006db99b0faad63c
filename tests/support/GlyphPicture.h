#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "model/CarObject.h"
#include "model/Font.h"

namespace pixmere::test {

// Glyphs written as pictures: one string per row, '#' for ink and anything else for background.
// A row shorter than bytesPerRow * 8 is padded with background.
std::vector<uint8_t> PictureBytes(const std::vector<std::string>& rows, int bytesPerRow);

// A glyph as a picture of its first `width` columns (all bytes when width is 0).
std::vector<std::string> GlyphPicture(const CarObject& glyph, int width = 0);

// A font whose glyphs are given as pictures (each with params.FormatHeightCar rows).
Font FontFromPictures(FontParams params, const std::vector<std::vector<std::string>>& glyphs);

// The glyph of a character code as a picture of the cell's width.
std::vector<std::string> CodePicture(const Font& font, int code);

// How many glyphs have no bit set.
int BlankGlyphs(const Font& font);

// Joins picture rows with newlines, for readable failure messages.
std::string Joined(const std::vector<std::string>& rows);

}  // namespace pixmere::test
