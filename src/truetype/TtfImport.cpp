#include "truetype/TtfImport.h"

#include "model/Windows1252.h"

namespace pixmere {

QString AnsiCharacter(uint8_t code) {
    // Every character of the code page lies in the basic plane; the five undefined codes draw
    // nothing.
    return QString(QChar(static_cast<char16_t>(Windows1252ToUnicode(code))));
}

TtfImportResult TtfConverter::FullAuto_Click(const TtfProgressCallback& progress) {
    TtfImportResult result;
    const int first = document_.firstcar;
    const int last = document_.lastcar;
    const int count = last - first + 1;
    const int w = document_.FormatLengthCar;
    const int h = document_.FormatHeightCar;
    try {
        ByteMatrix TtfMatrix(BytesPerRow(w), h, count);
        FitReferenceGlyph();
        for (int c = first; c <= last; ++c) {
            state.CurrentChar = AnsiCharacter(static_cast<uint8_t>(c));
            FitCurrentGlyph();  // starts from the reference placement
            ConvertCurrent();
            // Packed before events run, so that a preview converted meanwhile (another
            // character, another fitting) cannot take this character's place.
            const int i = c - first;
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    if (state.SampleBits(x, y, 0) != 0) {
                        TtfMatrix.at(x / 8, y, i) |= static_cast<uint8_t>(0x80 >> (x % 8));
                    }
                }
            }
            // The dialog shows progress and lets events run here; Cancel stops after this
            // character.
            if (progress && !progress(TtfProgress{c, c - first + 1, count})) {
                state.ClosingFlag = true;
            }
            if (state.ClosingFlag) {
                state.ClosingFlag = false;
                result.status = TtfImportResult::Status::Cancelled;
                return result;
            }
        }
        FontParams params = document_;
        params.NbCar = count;
        result.font = MatrixToObject(params, TtfMatrix);
        result.status = TtfImportResult::Status::Done;
    } catch (const std::exception&) {
        // Arithmetic failures above all; whatever it was, the import ends without a font.
        state.ClosingFlag = true;
        result = TtfImportResult::Failure();
    }
    return result;
}

TtfImportResult ImportTtfRange(const TtfFace& face, const FontParams& document,
                               const ConversionSettings& settings,
                               const TtfProgressCallback& progress) {
    TtfConverter converter(face, document);  // refuses what the parameters dialog refuses
    try {
        converter.Load(settings);
    } catch (const std::exception&) {
        return TtfImportResult::Failure();
    }
    return converter.FullAuto_Click(progress);
}

}  // namespace pixmere
