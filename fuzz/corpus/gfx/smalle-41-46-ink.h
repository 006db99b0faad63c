// Height: 11
// Width: 7
// First Car: 65
// Nb Car: 6
// Underline: 2
// Magnification: 1
// An Adafruit GFX font. The printer's magnification (1) has no field here:
// setTextSize(1, 1) stretches the rows as the printer does.

const uint8_t smalle_41_46_inkBitmaps[] PROGMEM = {
  0x30, 0xC4, 0x92, 0x7A, 0x18, 0x40, 0xFA, 0x18, 0x7E, 0x86, 0x1F, 0x80,
  0x7A, 0x18, 0x20, 0x82, 0x17, 0x80, 0xFA, 0x18, 0x61, 0x86, 0x1F, 0x80,
  0xFC, 0x21, 0xE8, 0x43, 0xE0, 0xFC, 0x21, 0xE8, 0x42, 0x00,
};

const GFXglyph smalle_41_46_inkGlyphs[] PROGMEM = {
  {     0,   6,   7,   8,    1,   -6 },  // 0x41 'A'
  {     6,   6,   7,   8,    1,   -6 },  // 0x42 'B'
  {    12,   6,   7,   8,    1,   -6 },  // 0x43 'C'
  {    18,   6,   7,   8,    1,   -6 },  // 0x44 'D'
  {    24,   5,   7,   7,    1,   -6 },  // 0x45 'E'
  {    29,   5,   7,   7,    1,   -6 },  // 0x46 'F'
};

const GFXfont smalle_41_46_ink PROGMEM = {
  (uint8_t  *)smalle_41_46_inkBitmaps,
  (GFXglyph *)smalle_41_46_inkGlyphs,
  0x41, 0x46, 11 };

// Approx. 83 bytes
