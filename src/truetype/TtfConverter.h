#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "model/Font.h"
#include "model/SourceOutline.h"
#include "truetype/ConversionMath.h"
#include "truetype/PictureArea.h"
#include "truetype/SampleArray.h"
#include "truetype/TtfFace.h"

namespace pixmere {

// The largest resolution the two-character resolution box can hold.
inline constexpr float kMaxResolution = 99.0f;

// How characters are placed and sized in the cell.
enum class TtfFit {
    // The reference "X" fills the cell above the downstroke; each character is sized and set by
    // its vertical extent (in the top quarter, on the baseline or on the cell's bottom).
    XHeight,
    // The face's ascent and descent span the cell's height, the baseline on the top of the
    // downstroke rows; every character keeps its own place and size relative to the baseline,
    // so accents, descenders and marks stay where the face puts them.
    WholeFace,
};

// The settings of the conversion dialog that a user picks before converting a range; the
// defaults are those the dialog loads with.
struct ConversionSettings {
    int16_t ShiftMode = 0;    // 0 four shifts, 1 eight, 2 none
    int16_t CombineMode = 0;  // 0, 1 or 2
    int Threshold = 1;        // Slider2, 1..100
    int Amplitude = 20;       // Slider5, 0..50
    float Resolution = 5;     // Text4; kept at 5 unless in (0, 99]
    TtfFit Fit = TtfFit::XHeight;

    bool operator==(const ConversionSettings&) const = default;
};

// What the conversion keeps between its steps, under the names the dialog uses.
struct ConversionState {
    int16_t CellHeight = 0;   // H, copied when the converter loads
    int16_t CellWidth = 0;    // W
    float BaselineRatio = 0;  // 1 - J / H: the part of the cell above the downstroke
    float Resolution = 5;     // r: surface units per cell row
    float StepX = 0;          // sx: surface units per cell column
    int16_t PosX = 0;         // surface position of the top-left corner of the text's line box
    int16_t PosY = 0;
    int16_t CharSize = 0;     // points
    float WidthScale = 1;     // the character's width stretched by this (whole-face fitting)
    float Amplitude = 0;      // shift amplitude a
    int16_t ShiftMode = 0;    // 0 "4 decalages", 1 "8 decalages", 2 "pas de decalage"
    int16_t CombineMode = 0;  // 0 "seuillage puis ET logique", 1 "ET logique puis seuillage",
                              // 2 "moyenne puis seuillage"
    TtfFit Fit = TtfFit::XHeight;
    QString CurrentChar;
    int32_t ShiftCount = 0;    // n
    SampleArray SampleCounts;  // inked sample points of cell pixel (x, y) in shift s
    SampleArray SampleBits;    // (x, y, 0) is the result: 1 ink, 0 background
    int16_t Threshold = 0;
    int32_t FilledCells = 0;  // ink cells of the last threshold-then-AND combination
    int16_t SavedPosX = 0;    // placement found for the reference "X"
    int16_t SavedPosY = 0;
    int16_t SavedCharSize = 0;
    float SavedStepX = 0;
    bool ClosingFlag = false;  // the user is closing the dialog: stop the import
    int16_t top = 0;           // results of the latest top and bottom scans; they keep their
    int16_t bottom = 0;        // value when a scan finds no ink
};

// The values the conversion reads from the dialog's controls.
struct ConversionControls {
    QString Text1;        // the character to preview
    QString Text4 = "5";  // resolution
    int Slider2 = 1;      // threshold in percent, 1..100
    int Slider5 = 20;     // amplitude x 10, 0..50
};

// Progress of a range import, reported once per converted character.
struct TtfProgress {
    int code;   // character code just converted
    int done;   // characters converted so far, this one included
    int count;  // characters in the range
};
// Returns false to stop the import after the character just converted.
using TtfProgressCallback = std::function<bool(const TtfProgress&)>;

struct TtfImportResult {
    enum class Status { Done, Cancelled, Failed };
    Status status = Status::Failed;
    std::string message;  // kExtractionFailureMessage when the import failed
    Font font;            // when done: the document's parameters and the glyphs of the range
    // When done and asked for: each character's outline where its conversion placed it, in
    // glyph order (empty for a character that draws nothing).
    std::vector<SourceOutline> outlines = {};

    static TtfImportResult Failure() { return {Status::Failed, kExtractionFailureMessage, {}}; }
};

// The conversion engine behind the "TTF Encryptor" dialog: draws characters of a face on the
// surface Picture1, fits them to the cell, samples them in shifted positions, combines the
// counts into one bit per cell pixel and produces the previews Picture2, Picture3 and Picture5,
// and converts whole character ranges into a TtfMatrix. Headless: the dialog only shows the
// pictures and forwards its controls.
//
// Operations raise ConversionFailure where the arithmetic fails at run time; FullAuto_Click
// turns that into a failed import.
class TtfConverter {
public:
    static constexpr int kSurfaceSize = 209;      // Picture1 as the dialog shows it
    static constexpr int kMaxSurfaceSize = 2048;  // device pixels
    // Text sizes in points become pixels at 96 pixels per inch.
    static constexpr double kPixelsPerPoint = 96.0 / 72.0;

    // document: the new font's FormatHeightCar, FormatLengthCar, jambon, Magnification,
    // firstcar and lastcar as the parameters dialog set them. Throws std::invalid_argument
    // unless H >= 1, W >= 1, jambon <= H and firstcar <= lastcar.
    TtfConverter(TtfFace face, const FontParams& document);

    ConversionState state;
    ConversionControls controls;

    const FontParams& document() const { return document_; }

    // Loading the dialog: initial state with the given settings, fit of the reference
    // character and one conversion.
    void Load(const ConversionSettings& settings = {});
    // Takes the settings into the controls and the state, converting nothing (PreviewAgain
    // shows what they make).
    void Apply(const ConversionSettings& settings);
    // The settings as the controls and the state hold them now.
    ConversionSettings Settings() const;

    void RenderCharacter();
    void DrawSampleGrid();
    void MoveLeft();
    void MoveRight();
    void MoveUp();
    void MoveDown();
    void ConvertCurrent();
    void CombineShifts();
    void FitReferenceGlyph();
    void FitCurrentGlyph();

    // Control changes.
    void Text1_Change(const QString& text);  // the character: fit and convert it
    void Text4_Change(const QString& text);  // resolution; kept unless a number in (0, 99]
    void Slider2_Change(int value);          // threshold: combine the last counts again
    void Slider5_Change(int value);          // amplitude = value / 10
    // Another fitting: the reference is fitted anew and the previewed character converted
    // again, Text1 unchanged.
    void Fit_Change(TtfFit fit);
    // After a change of the settings: the reference fitted anew and the previewed character
    // converted again with them, Text1 unchanged.
    void PreviewAgain();

    // Converts every character of the range firstcar..lastcar (Windows-1252 characters), packs
    // the results into a TtfMatrix and builds the font from it. progress is called after each
    // character; returning false, or setting state.ClosingFlag, stops after that character
    // with no font. With keepOutlines the result holds each character's PlacedOutline.
    TtfImportResult FullAuto_Click(const TtfProgressCallback& progress = {},
                                   bool keepOutlines = true);
    // The outline of the current character as the latest rendering placed it, in cell pixels.
    SourceOutline PlacedOutline() const;

    // The pictures, as the dialog shows them.
    const PictureArea& Picture1() const { return picture1_; }  // drawing surface
    const PictureArea& Picture2() const { return picture2_; }  // enlarged result
    const PictureArea& Picture3() const { return picture3_; }  // small result
    const PictureArea& Picture5() const { return picture5_; }  // fill ratio
    // The text written into Picture5 by the last combination ("" when none).
    const QString& FillRatioText() const { return fillRatioText_; }

private:
    float H() const { return document_.FormatHeightCar; }
    float W() const { return document_.FormatLengthCar; }
    float J() const { return document_.jambon; }
    void SampleShift(int s);
    void RunMoves(const char* moves);

    // Steps of the fitting (TtfFitting.cpp).
    struct Columns {  // leftmost and rightmost ink of the latest column scans
        int left = 0;
        int right = 0;
    };
    void SizeReferenceByXHeight();
    void FitReferenceWidthToX();
    void SizeReferenceByFace();
    void FitWidthToWholeColumns();
    void FitByVerticalExtent();
    int ClassifyGlyph() const;  // GlyphClass 0..3 from the latest top and bottom scans
    void SizeToWholeRows(int GlyphClass);
    void ScanInkColumns(Columns& ink) const;  // right scan, then left scan
    void CentreOnWholeColumns(Columns& ink);
    void PlaceByClass(int GlyphClass);
    void StepToWholeColumns(Columns& ink);
    void SqueezeIntoCell(Columns& ink);

    // A loop over surface rows or columns, first to last inclusive; empty when first lies
    // beyond last in the loop's direction.
    struct ScanRange {
        int first;
        int last;
        int step;  // +1 or -1
        bool Holds(int v) const { return step > 0 ? v <= last : v >= last; }
        ScanRange Reversed() const;
    };
    // The first row (column) holding a black point, the inner loop running over the other
    // range; nothing when there is none.
    std::optional<int> ScanRows(ScanRange rows, ScanRange cols) const;
    std::optional<int> ScanColumns(ScanRange cols, ScanRange rows) const;
    ScanRange RowsDown() const;      // 0 .. rnd(H·r - 1)
    ScanRange ColumnsRight() const;  // 0 .. rnd(W·sx - 1)
    void TopScan();                  // into top, when something is found
    void BottomScan();               // into bottom, likewise
    std::optional<int> LeftScan() const;
    std::optional<int> RightScan() const;

    TtfFace face_;
    FontParams document_;
    double fontPoints_ = 8.25;  // the surface's current text size
    PictureArea picture1_{kSurfaceSize, kSurfaceSize};
    PictureArea picture2_{177, 177};
    PictureArea picture3_{49, 41};
    PictureArea picture5_{129, 41};
    QString fillRatioText_;
};

// Side in device pixels of the square drawing surface Picture1 for a cell of W x H pixels at
// resolution r: the picture the dialog shows, or larger where the surface's W·r by (H + 1)·r
// units would otherwise share pixels, so that every sample point reads a pixel of its own and
// the grid lines cover only the first sample row and column of each cell, as in small cells.
// At most TtfConverter::kMaxSurfaceSize, which still leaves every cell row several pixels.
int SurfaceSize(int W, int H, float r);

// The character of a code in the single-byte code page: ASCII below 80, Windows-1252 above.
QString AnsiCharacter(uint8_t code);

// "2.50E-01": a ratio in scientific notation with two decimals, rounded half away from zero.
QString ScientificRatio(long long numerator, long long denominator);

}  // namespace pixmere
