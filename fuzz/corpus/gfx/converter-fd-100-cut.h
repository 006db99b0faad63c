#include <Adafruit_GFX.h>

const uint8_t TinyBitmaps[] PROGMEM = {
  0xF7, 0x5E, 0xC4, 0x80 };

const GFXglyph TinyGlyphs[] PROGMEM = {
  {     0,   3,   5,   4,    0,   -4 },   // 0xFD
  {     2,   2,   3,   3,   -1,    0 },   // 0xFE
  {     3,   0,   0,   6,    0,    1 },   // 0xFF
  {     3,   1,   1,   2,    0,    0 } }; // 0x100

const GFXfont Tiny PROGMEM = {
  (uint8_t  *)TinyBitmaps,
  (GFXglyph *)TinyGlyphs,
  0xFD, 0x100, 12 };

// Approx. 39 bytes
