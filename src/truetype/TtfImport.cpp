#include "truetype/TtfImport.h"

#include "model/Pixels.h"
#include "model/Windows1252.h"

namespace pixmere {

QString AnsiCharacter(uint8_t code) {
    // Every character of the code page lies in the basic plane; the five undefined codes draw
    // nothing.
    return QString(QChar(static_cast<char16_t>(Windows1252ToUnicode(code))));
}

SourceOutline TtfConverter::PlacedOutline() const {
    SourceOutline placed;
    const GlyphOutline& glyph = face_.Outline(state.CurrentChar);
    if (glyph.IsEmpty()) return placed;
    // As RenderCharacter draws it: the outline's units to device pixels of the surface, then to
    // cell pixels, StepX surface units a column and Resolution a row.
    const double scale = fontPoints_ * kPixelsPerPoint / GlyphOutline::kPixelSize;
    const double column = picture1_.PixelsPerUnitX() * state.StepX;
    const double row = picture1_.PixelsPerUnitY() * state.Resolution;
    if (!(column > 0) || !(row > 0)) return placed;
    // The toolkit flattens curves to within half a unit of the coordinates it maps to: mapping
    // to sixteenths of a pixel keeps the outline within a thirty-second of the curve.
    constexpr double kFine = 16.0;
    const QTransform toCell(
        kFine * scale * state.WidthScale / column, 0, 0, kFine * scale / row,
        kFine * state.PosX * picture1_.PixelsPerUnitX() / column,
        kFine * (state.PosY * picture1_.PixelsPerUnitY() + glyph.ascent * scale) / row);
    for (const QPolygonF& polygon : glyph.path.toSubpathPolygons(toCell)) {
        std::vector<OutlinePoint> contour;
        contour.reserve(static_cast<std::size_t>(polygon.size()));
        for (const QPointF& p : polygon) {
            contour.push_back(
                {static_cast<float>(p.x() / kFine), static_cast<float>(p.y() / kFine)});
        }
        // A closed polygon repeats its first point at the end; the contour is closed anyway.
        if (contour.size() > 1 && contour.front() == contour.back()) contour.pop_back();
        if (contour.size() > 1) placed.contours.push_back(std::move(contour));
    }
    return placed;
}

TtfImportResult TtfConverter::FullAuto_Click(const TtfProgressCallback& progress,
                                             bool keepOutlines) {
    TtfImportResult result;
    const int first = document_.firstcar;
    const int last = document_.lastcar;
    const int count = last - first + 1;
    const int w = document_.FormatLengthCar;
    const int h = document_.FormatHeightCar;
    try {
        ByteMatrix TtfMatrix(BytesPerRow(w), h, count);
        std::vector<SourceOutline> outlines;
        FitReferenceGlyph();
        for (int c = first; c <= last; ++c) {
            state.CurrentChar = AnsiCharacter(static_cast<uint8_t>(c));
            FitCurrentGlyph();  // starts from the reference placement
            if (keepOutlines) outlines.push_back(PlacedOutline());
            ConvertCurrent();
            // Packed before events run, so that a preview converted meanwhile (another
            // character, another fitting) cannot take this character's place.
            const int i = c - first;
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    if (state.SampleBits(x, y, 0) != 0) SetPixelAt(TtfMatrix.row(y, i), x);
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
        result.outlines = std::move(outlines);
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
                               const TtfProgressCallback& progress, bool keepOutlines) {
    TtfConverter converter(face, document);  // refuses what the parameters dialog refuses
    try {
        converter.Load(settings);
    } catch (const std::exception&) {
        return TtfImportResult::Failure();
    }
    return converter.FullAuto_Click(progress, keepOutlines);
}

}  // namespace pixmere
