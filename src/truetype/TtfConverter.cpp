#include "truetype/TtfConverter.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace pixmere {

namespace {

// Resolution text: a number above zero that the two-character box can hold, otherwise nothing.
std::optional<float> ResolutionValue(const QString& text) {
    bool ok = false;
    const float value = text.trimmed().toFloat(&ok);
    if (!ok || !(value > 0.0f && value <= kMaxResolution)) return std::nullopt;
    return value;
}

}  // namespace

TtfConverter::TtfConverter(TtfFace face, const FontParams& document)
    : face_(std::move(face)), document_(document) {
    if (document.FormatHeightCar < 1 || document.FormatLengthCar < 1 ||
        document.jambon > document.FormatHeightCar || document.firstcar > document.lastcar) {
        throw std::invalid_argument("TtfConverter: invalid font parameters");
    }
}

int SurfaceSize(int W, int H, float r) {
    const double units = std::ceil(static_cast<double>(std::max(W, H + 1)) * r);
    if (!(units > TtfConverter::kSurfaceSize)) return TtfConverter::kSurfaceSize;
    return static_cast<int>(std::min<double>(units, TtfConverter::kMaxSurfaceSize));
}

void TtfConverter::Load(const ConversionSettings& settings) {
    Apply(settings);
    state.ClosingFlag = false;
    state.CellHeight = document_.FormatHeightCar;
    state.CellWidth = document_.FormatLengthCar;
    picture1_.ScalePixels();
    state.CharSize = 100;
    state.StepX = state.Resolution * 50.0f / 50.0f;
    state.SavedStepX = 5.0f;
    FitReferenceGlyph();
    ConvertCurrent();
}

void TtfConverter::Apply(const ConversionSettings& settings) {
    controls.Text4 = QString::number(static_cast<double>(settings.Resolution), 'g', 9);
    if (const auto r = ResolutionValue(controls.Text4)) state.Resolution = *r;
    controls.Slider2 = std::clamp(settings.Threshold, 1, 100);
    controls.Slider5 = std::clamp(settings.Amplitude, 0, 50);
    state.Amplitude = static_cast<float>(controls.Slider5 / 10.0);
    state.ShiftMode = settings.ShiftMode;
    state.CombineMode = settings.CombineMode;
    state.Fit = settings.Fit;
}

ConversionSettings TtfConverter::Settings() const {
    return {state.ShiftMode,  state.CombineMode, controls.Slider2,
            controls.Slider5, state.Resolution,  state.Fit};
}

void TtfConverter::RenderCharacter() {
    const float r = state.Resolution;
    const int side = SurfaceSize(document_.FormatLengthCar, document_.FormatHeightCar, r);
    picture1_.Resize(side, side);
    picture1_.Scale(0, 0, W() * r, (H() + 1.0f) * r);
    if (state.CharSize != 0) {
        if (state.CharSize == INT16_MIN) throw ConversionFailure("overflow");
        fontPoints_ = std::abs(static_cast<int>(state.CharSize));
    } else {
        state.CharSize = 1;
    }
    picture1_.Cls();
    picture1_.DrawGlyph(face_.Outline(state.CurrentChar), fontPoints_ * kPixelsPerPoint, state.PosX,
                        state.PosY, state.WidthScale);
    DrawSampleGrid();
}

void TtfConverter::DrawSampleGrid() {
    state.BaselineRatio = 1.0f - J() / H();
    const float sx = state.StepX;
    const float r = state.Resolution;
    const float right = W() * sx;
    const float bottom = H() * r;
    // A step too small to move x on would never reach the end: the counts stop that.
    const int maxLines = 2 * document_.FormatLengthCar + 2;
    int lines = 0;
    for (float x = sx; sx > 0 && x <= right && lines < maxLines; x += sx, ++lines) {
        picture1_.Line(x, 0, x, bottom, kRgbGreen);
    }
    const int maxRows = 2 * document_.FormatHeightCar + 2;
    lines = 0;
    for (float y = r; r > 0 && y <= bottom && lines < maxRows; y += r, ++lines) {
        picture1_.Line(0, y, right, y, kRgbGreen);
    }
    const float b = H() * state.BaselineRatio * r;
    picture1_.Line(0, b, right, b, kRgbBlue);
}

void TtfConverter::MoveLeft() {
    state.PosX = RndInt16(state.PosX - state.StepX / 10.0f * state.Amplitude);
    RenderCharacter();
}

void TtfConverter::MoveRight() {
    state.PosX = RndInt16(state.PosX + state.StepX / 10.0f * state.Amplitude);
    RenderCharacter();
}

void TtfConverter::MoveUp() {
    state.PosY = RndInt16(state.PosY - state.Resolution / 10.0f * state.Amplitude);
    RenderCharacter();
}

void TtfConverter::MoveDown() {
    state.PosY = RndInt16(state.PosY + state.Resolution / 10.0f * state.Amplitude);
    RenderCharacter();
}

void TtfConverter::RunMoves(const char* moves) {
    for (const char* m = moves; *m; ++m) {
        switch (*m) {
            case 'U':
                MoveUp();
                break;
            case 'D':
                MoveDown();
                break;
            case 'L':
                MoveLeft();
                break;
            case 'R':
                MoveRight();
                break;
        }
    }
}

void TtfConverter::ConvertCurrent() {
    // The moves before each sample and the return to the start, per shift mode.
    static const char* const kFourShifts[] = {"UL", "RR", "DD", "LL"};
    static const char* const kEightShifts[] = {"UL", "RR", "DD", "LL", "U", "UR", "DR", "DL"};
    static const char* const kOneShift[] = {""};

    picture1_.SetBackColor(kRgbRed);
    RenderCharacter();
    const char* const* table = kFourShifts;
    const char* back = "UR";
    int n = 4;
    if (state.ShiftMode == 1) {
        table = kEightShifts;
        back = "U";
        n = 8;
    } else if (state.ShiftMode == 2) {
        table = kOneShift;
        back = "";
        n = 1;
    }
    state.ShiftCount = n;
    const int w = document_.FormatLengthCar;
    const int h = document_.FormatHeightCar;
    state.SampleCounts.Redim(w, h, n);
    state.SampleBits.Redim(w, h, n);
    for (int s = 0; s < n; ++s) {
        RunMoves(table[s]);
        SampleShift(s);
    }
    RunMoves(back);
    picture1_.SetBackColor(kRgbWhite);
    RenderCharacter();  // grid included
    CombineShifts();
}

void TtfConverter::SampleShift(int s) {
    const float r = state.Resolution;
    const float sx = state.StepX;
    const int w = document_.FormatLengthCar;
    const int h = document_.FormatHeightCar;
    // Only points inside the ink's extent can count; outside it every count stays 0.
    const PictureArea::Span inkX = picture1_.BlackColumns();
    const PictureArea::Span inkY = picture1_.BlackRows();
    if (inkX.IsEmpty() || inkY.IsEmpty()) return;
    std::vector<int> x0(w), x1(w);
    for (int x = 0; x < w; ++x) {
        x0[x] = std::max(inkX.lo, static_cast<int>(Rnd(sx * x)));
        x1[x] = std::min(inkX.hi, static_cast<int>(Rnd(sx - 1.0f + sx * x)));
    }
    std::vector<int> deviceColumn(static_cast<std::size_t>(inkX.hi - inkX.lo + 1));
    for (int px = inkX.lo; px <= inkX.hi; ++px) {
        deviceColumn[px - inkX.lo] = picture1_.ColumnOf(px);
    }
    std::vector<int> counts(w);
    for (int y = 0; y < h; ++y) {
        const int y0 = std::max(inkY.lo, static_cast<int>(Rnd(r * y)));
        const int y1 = std::min(inkY.hi, static_cast<int>(Rnd(r - 1.0f + r * y)));
        if (y0 > y1) continue;
        std::fill(counts.begin(), counts.end(), 0);
        for (int py = y0; py <= y1; ++py) {
            const int row = picture1_.RowOf(py);
            if (row < 0) continue;  // outside the surface: background
            const QRgb* pixels = picture1_.DeviceRowData(row);
            for (int x = 0; x < w; ++x) {
                int count = 0;
                for (int px = x0[x]; px <= x1[x]; ++px) {
                    const int col = deviceColumn[px - inkX.lo];
                    count += col >= 0 && pixels[col] == kRgbBlack;
                }
                counts[x] += count;
            }
        }
        for (int x = 0; x < w; ++x) state.SampleCounts(x, y, s) = ToInt16(counts[x]);
    }
}

void TtfConverter::CombineShifts() {
    const int V = controls.Slider2;
    picture5_.Cls();
    fillRatioText_.clear();
    const int w = document_.FormatLengthCar;
    const int h = document_.FormatHeightCar;
    picture2_.Scale(0, 0, w, h);
    picture2_.SetBackColor(kRgbCyan);
    picture3_.Scale(0, 0, w, h);
    picture3_.SetBackColor(kRgbWhite);

    const SampleArray& counts = state.SampleCounts;
    SampleArray& bits = state.SampleBits;
    // Before the first conversion there is nothing to combine.
    const bool sampled = counts.columns() == w && counts.rows() == h && counts.shifts() >= 1 &&
                         bits.shifts() == counts.shifts();
    const int n = sampled ? counts.shifts() : 0;
    const auto mark = [&](int x, int y) {
        picture2_.FillBox(x, y, x + 1, y + 1, kRgbBlack);
        picture3_.FillBox(x, y, x + 1, y + 1, kRgbBlack);
    };

    if (state.CombineMode == 1 || state.CombineMode == 2) {
        const bool minimum = state.CombineMode == 1;
        // The minimum over the shifts passes the threshold exactly where every shift does.
        state.Threshold =
            minimum ? RndInt16(V / 100.0 * state.Resolution * state.StepX) : ToInt16(V);
        for (int y = 0; y < h && n > 0; ++y) {
            for (int x = 0; x < w; ++x) {
                bool ink;
                if (minimum) {
                    int least = counts(x, y, 0);
                    for (int s = 1; s < n; ++s) least = std::min<int>(least, counts(x, y, s));
                    ink = least > state.Threshold;
                } else {
                    long sum = 0;
                    for (int s = 0; s < n; ++s) sum += counts(x, y, s);
                    ink = static_cast<double>(sum) / n > V;
                }
                bits(x, y, 0) = ink ? 1 : 0;
                if (ink) mark(x, y);
            }
        }
    } else {
        state.FilledCells = 0;
        state.Threshold = RndInt16(V / 100.0 * state.Resolution * state.StepX);
        for (int s = 0; s < n; ++s) {
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    bits(x, y, s) = counts(x, y, s) > state.Threshold ? 1 : 0;
                }
            }
        }
        for (int y = 0; y < h && n > 0; ++y) {
            for (int x = 0; x < w; ++x) {
                for (int s = 1; s < n; ++s) bits(x, y, 0) = bits(x, y, s) & bits(x, y, 0);
            }
        }
        for (int y = 0; y < h && n > 0; ++y) {
            for (int x = 0; x < w; ++x) {
                if (bits(x, y, 0) == 1) {
                    mark(x, y);
                    ++state.FilledCells;
                }
            }
        }
        fillRatioText_ = ScientificRatio(state.FilledCells, static_cast<long long>(w) * h);
        picture5_.Print(fillRatioText_);
    }
    for (int k = 1; k <= w; ++k) picture2_.Line(k, 0, k, h, kRgbBlue);
    for (int k = 1; k <= h; ++k) picture2_.Line(0, k, w, k, kRgbBlue);
}

void TtfConverter::Text1_Change(const QString& text) {
    controls.Text1 = text;
    state.CurrentChar = text;
    FitCurrentGlyph();
    ConvertCurrent();
}

void TtfConverter::Text4_Change(const QString& text) {
    controls.Text4 = text;
    if (const auto r = ResolutionValue(text)) state.Resolution = *r;
    RenderCharacter();
}

void TtfConverter::Slider2_Change(int value) {
    controls.Slider2 = value;
    CombineShifts();
}

void TtfConverter::Slider5_Change(int value) {
    controls.Slider5 = value;
    state.Amplitude = static_cast<float>(value / 10.0);
}

void TtfConverter::Fit_Change(TtfFit fit) {
    state.Fit = fit;
    PreviewAgain();
}

void TtfConverter::PreviewAgain() {
    const QString previewed = controls.Text1;
    FitReferenceGlyph();  // puts "X" into Text1
    if (controls.Text1 != previewed) {
        Text1_Change(previewed);
    } else {
        ConvertCurrent();
    }
}

QString ScientificRatio(long long numerator, long long denominator) {
    if (numerator <= 0 || denominator <= 0) return QStringLiteral("0.00E+00");
    // Bring numerator / denominator into [1, 10), then round three digits half away from zero.
    long long num = numerator, den = denominator;
    int exponent = 0;
    while (num >= 10 * den) {
        den *= 10;
        ++exponent;
    }
    while (num < den) {
        num *= 10;
        --exponent;
    }
    long long digits = (num * 200 + den) / (2 * den);
    if (digits >= 1000) {
        digits /= 10;
        ++exponent;
    }
    return QStringLiteral("%1.%2E%3%4")
        .arg(digits / 100)
        .arg(digits % 100, 2, 10, QLatin1Char('0'))
        .arg(exponent < 0 ? '-' : '+')
        .arg(std::abs(exponent), 2, 10, QLatin1Char('0'));
}

}  // namespace pixmere
