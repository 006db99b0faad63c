#include "truetype/TtfImport.h"

#include <stdexcept>

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
            const int i = c - first;
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    if (state.SampleBits(x, y, 0) != 0) {
                        TtfMatrix.at(x / 8, y, i) |= static_cast<uint8_t>(0x80 >> (x % 8));
                    }
                }
            }
        }
        result.font.params = document_;
        BeginProgFNT(result.font.params);
        result.font.matrix = std::move(TtfMatrix);
        result.status = TtfImportResult::Status::Done;
    } catch (const std::exception&) {
        // Arithmetic failures above all; whatever it was, the import ends without a font.
        state.ClosingFlag = true;
        result = TtfImportResult{};
        result.status = TtfImportResult::Status::Failed;
        result.message = kExtractionFailureMessage;
    }
    return result;
}

std::vector<CarObject> CreateObjectTTF(int W, int H, const ByteMatrix& TtfMatrix,
                                       uint8_t ImportFirstCar, uint8_t ImportLastCar) {
    const int n = ImportLastCar - ImportFirstCar + 1;
    const int lastByte = (W - 1) / 8;
    if (W < 1 || H < 1 || n < 1 || TtfMatrix.bytesPerRow() <= lastByte || TtfMatrix.rows() < H ||
        TtfMatrix.chars() < n) {
        throw std::invalid_argument("CreateObjectTTF: TtfMatrix smaller than the font");
    }
    std::vector<CarObject> glyphs(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        CarObject& glyph = glyphs[static_cast<std::size_t>(i)];
        glyph.setByteWidth(static_cast<uint8_t>(lastByte));
        glyph.setBitwidth(static_cast<uint8_t>(W - 1));
        glyph.setHeight(static_cast<uint8_t>(H - 1));
        glyph.setNbCars(n - 1);
        glyph.setNumCar(i);
        glyph.setCarColor(0);
        for (int y = 0; y < H; ++y) {
            for (int k = 0; k <= lastByte; ++k) glyph.setCarbitmap(k, y, TtfMatrix.at(k, y, i));
        }
    }
    return glyphs;
}

void BeginProgFNT(FontParams& params) { params.NbCar = params.lastcar - params.firstcar + 1; }

Font BuildTtfFont(const LoadedFont& imported) {
    Font font;
    font.params = imported.params;
    BeginProgFNT(font.params);
    font.glyphs = CreateObjectTTF(font.params.FormatLengthCar, font.params.FormatHeightCar,
                                  imported.matrix, font.params.firstcar, font.params.lastcar);
    return font;
}

TtfImportResult ImportTtfRange(const TtfFace& face, const TtfImportRequest& request,
                               const TtfProgressCallback& progress) {
    FontParams document;
    document.FormatHeightCar = request.height;
    document.FormatLengthCar = request.width;
    document.jambon = request.downstroke;
    document.Magnification = request.magnification;
    document.firstcar = request.first;
    document.lastcar = request.last;
    TtfConverter converter(face, document);  // refuses what the parameters dialog refuses
    try {
        converter.Load();
        converter.state.ShiftMode = request.shiftMode;
        converter.state.CombineMode = request.combineMode;
        converter.Slider5_Change(request.amplitude);
        converter.controls.Slider2 = request.threshold;
        converter.Text4_Change(QString::number(static_cast<double>(request.resolution), 'g', 9));
    } catch (const std::exception&) {
        TtfImportResult failed;
        failed.status = TtfImportResult::Status::Failed;
        failed.message = kExtractionFailureMessage;
        return failed;
    }
    return converter.FullAuto_Click(progress);
}

}  // namespace pixmere
