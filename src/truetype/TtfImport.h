#pragma once

#include "model/Font.h"
#include "truetype/TtfConverter.h"
#include "truetype/TtfFace.h"

namespace pixmere {

// A whole TrueType import without the dialogs: the document's cell and range as the parameters
// dialog set them (FormatHeightCar, FormatLengthCar, jambon, Magnification, firstcar, lastcar),
// and the conversion dialog's settings as the user left them before pressing "Convert". Loads
// the converter with those settings and converts the range. Throws std::invalid_argument for
// parameters the parameters dialog refuses (see TtfConverter). With keepOutlines the result
// holds the outline of each character where its conversion placed it.
TtfImportResult ImportTtfRange(const TtfFace& face, const FontParams& document,
                               const ConversionSettings& settings = {},
                               const TtfProgressCallback& progress = {}, bool keepOutlines = true);

}  // namespace pixmere
