#pragma once

#include <cstdint>
#include <vector>

#include "model/ByteMatrix.h"
#include "model/CarObject.h"
#include "model/Font.h"
#include "truetype/TtfConverter.h"
#include "truetype/TtfFace.h"

namespace pixmere {

// A whole TrueType import without the dialogs: the parameters dialog's values and the
// conversion dialog's settings as the user left them before pressing "Convert".
struct TtfImportRequest {
    uint8_t height = 16;        // FormatHeightCar
    uint8_t width = 8;          // FormatLengthCar
    uint8_t downstroke = 0;     // jambon
    uint8_t magnification = 1;  // Magnification
    uint8_t first = 0x20;       // ImportFirstCar
    uint8_t last = 0xFF;        // ImportLastCar
    int16_t shiftMode = 0;      // ShiftMode: 0 four shifts, 1 eight, 2 none
    int16_t combineMode = 0;    // CombineMode 0, 1 or 2
    int threshold = 1;          // Slider2, 1..100
    int amplitude = 20;         // Slider5, 0..50
    float resolution = 5;       // Text4; kept at 5 unless in (0, 99]
};

// Loads the converter, applies the settings and converts the range. Throws
// std::invalid_argument unless height and width are at least 1, the downstroke at most the
// height and first at most last.
TtfImportResult ImportTtfRange(const TtfFace& face, const TtfImportRequest& request,
                               const TtfProgressCallback& progress = {});

// The glyph array of an imported range, from the TtfMatrix: glyph i has code
// ImportFirstCar + i and its bytes exactly as in the matrix.
std::vector<CarObject> CreateObjectTTF(int W, int H, const ByteMatrix& TtfMatrix,
                                       uint8_t ImportFirstCar, uint8_t ImportLastCar);

// The counts a freshly imported font gets: NbCar = lastcar - firstcar + 1 (NbByteMatrix follows
// the width).
void BeginProgFNT(FontParams& params);

// The font a document holds after a successful import: BeginProgFNT's counts and the glyphs
// of CreateObjectTTF.
Font BuildTtfFont(const LoadedFont& imported);

}  // namespace pixmere
