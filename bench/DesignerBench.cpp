// The designer's loop: whole-glyph transforms on every character of the largest font, text as
// printed repainted after one stroke against a whole repaint, and the TrueType import keeping
// each character's outline against not keeping it.
//   cmake -B build -DPIXMERE_BENCH=ON && cmake --build build --target pixmere_designer_bench
//   QT_QPA_PLATFORM=offscreen build/bench/pixmere_designer_bench
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <set>

#include "edit/FontDocument.h"
#include "model/PrintedText.h"
#include "truetype/PrintedTextImage.h"
#include "truetype/TtfImport.h"

namespace {

using namespace pixmere;

// 255 x 255, codes 20-FF, every other row 0x55 and 0xAA.
Font LargestFont(int magnification = 1) {
    FontParams p;
    p.FormatLengthCar = p.FormatHeightCar = 255;
    p.jambon = 51;
    p.Magnification = static_cast<uint8_t>(magnification);
    p.firstcar = 0x20;
    p.NbCar = 0xE0;
    ByteMatrix matrix = p.blankMatrix();
    for (std::size_t i = 0; i < matrix.data().size(); ++i) {
        matrix.data()[i] = (i / p.NbByteMatrix()) % 2 ? 0xAA : 0x55;
    }
    return MatrixToObject(p, matrix);
}

// The pure transform on each of the 224 glyphs.
void BM_TransformGlyphs(benchmark::State& state) {
    Font font = LargestFont();
    const auto transform = static_cast<GlyphTransform>(state.range(0));
    for (auto _ : state) {
        for (CarObject& g : font.glyphs) TransformGlyph(g, transform, font.params.jambon);
        benchmark::DoNotOptimize(font.glyphs.data());
    }
    state.counters["glyphs/s"] = benchmark::Counter(
        static_cast<double>(font.glyphs.size() * state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TransformGlyphs)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

// The command on a selection of every character: the undo step, the transform and the cells to
// repaint.
void BM_TransformCommand(benchmark::State& state) {
    FontDocument doc(LargestFont());
    doc.SelectRange(0, doc.params().NbCar - 1);
    const auto transform = static_cast<GlyphTransform>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(doc.Transform(transform).cells.size());
}
BENCHMARK(BM_TransformCommand)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

// 100 characters of the font's sample text, four lines of 25, painted whole at zoom 1.
struct Sample {
    explicit Sample(int magnification) : doc(LargestFont(magnification)) {
        std::u32string letters = DefaultSampleText(doc.params());
        while (letters.size() < 100) letters += letters;
        std::u32string text;
        for (int n = 0; n < 100; ++n) {
            if (n > 0 && n % 25 == 0) text += U'\n';
            text += letters[static_cast<std::size_t>(n)];
        }
        printed = std::make_unique<PrintedText>(doc.params(), text);
        image = PrintedTextImage(doc.font(), *printed, 1);
        doc.SelectRange(U'E' - 0x20, U'E' - 0x20);  // "E" shows twice
    }
    FontDocument doc;
    std::unique_ptr<PrintedText> printed;
    QImage image;
};

// One stroke on "E", then only the cells showing what it changed are painted again.
void BM_PrintedTextAfterStroke(benchmark::State& state) {
    Sample sample(static_cast<int>(state.range(0)));
    const EditView zoom1{1, false};
    int button = kLeftButton;
    std::size_t cells = 0;
    for (auto _ : state) {
        sample.doc.ZoomPic_MouseDown(button, 3, 3, zoom1);
        const EditResult r = sample.doc.ZoomPic_MouseUp(button);
        button = button == kLeftButton ? kRightButton : kLeftButton;
        std::set<int32_t> changed;
        for (const CellRedraw& c : r.cells) changed.insert(c.index);
        cells = 0;
        for (const int32_t glyph : changed) {
            for (const std::size_t cell : sample.printed->CellsShowing(glyph)) {
                PaintPrintedText(sample.image, sample.doc.font(), *sample.printed, 1,
                                 sample.printed->CellRect(cell));
                ++cells;
            }
        }
    }
    state.counters["cells"] = static_cast<double>(cells);
    state.counters["image_MB"] = static_cast<double>(sample.image.sizeInBytes()) / 1e6;
}
BENCHMARK(BM_PrintedTextAfterStroke)->Arg(1)->Arg(5)->Unit(benchmark::kMicrosecond);

// The same text painted whole, as a view without partial updates would.
void BM_PrintedTextWhole(benchmark::State& state) {
    Sample sample(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        PaintPrintedText(sample.image, sample.doc.font(), *sample.printed, 1,
                         {0, 0, sample.printed->width(), sample.printed->height()});
    }
}
BENCHMARK(BM_PrintedTextWhole)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond);

// The range 20..FF of DejaVu Sans, four shifts, with outlines kept (1) or not (0); the counter
// is what the kept outlines take.
void BM_ImportOutlines(benchmark::State& state) {
    const TtfFace face = TtfFace::Installed("DejaVu Sans", false, false);
    FontParams cell;
    cell.FormatHeightCar = cell.FormatLengthCar = static_cast<uint8_t>(state.range(0));
    cell.jambon = static_cast<uint8_t>(state.range(0) / 5);
    cell.firstcar = 0x20;
    cell.lastcar = 0xFF;
    cell.NbCar = 0xE0;
    const bool keep = state.range(1) != 0;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const TtfImportResult r = ImportTtfRange(face, cell, {}, {}, keep);
        if (r.status != TtfImportResult::Status::Done) state.SkipWithError("failed");
        bytes = r.outlines.capacity() * sizeof(SourceOutline);
        for (const SourceOutline& o : r.outlines) {
            bytes += o.contours.capacity() * sizeof(o.contours[0]);
            for (const auto& contour : o.contours) bytes += contour.capacity() * sizeof(contour[0]);
        }
    }
    state.counters["outline_KiB"] = static_cast<double>(bytes) / 1024.0;
}
BENCHMARK(BM_ImportOutlines)
    ->ArgsProduct({{16, 64, 255}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
