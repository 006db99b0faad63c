// Font window costs: a full refresh (layout, edit window fit, the cells in view painted) and
// painting every cell of the font once, as scrolling through the whole canvas does.
//   cmake -B build -DPIXMERE_BENCH=ON && cmake --build build --target pixmere_ui_bench
//   QT_QPA_PLATFORM=offscreen build/bench/pixmere_ui_bench
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "ui/FontCanvas.h"
#include "ui/MDIForm1.h"
#include "ui/form1.h"

namespace {

using namespace pixmere;

Font MakeFont(int width, int height, int magnification) {
    FontParams p;
    p.FormatLengthCar = static_cast<uint8_t>(width);
    p.FormatHeightCar = static_cast<uint8_t>(height);
    p.Magnification = static_cast<uint8_t>(magnification);
    p.firstcar = 0;
    p.NbCar = 256;
    ByteMatrix matrix = p.blankMatrix();
    for (std::size_t i = 0; i < matrix.data().size(); ++i) {
        matrix.data()[i] = (i / p.NbByteMatrix()) % 2 ? 0xAA : 0x55;
    }
    return MatrixToObject(p, matrix);
}

struct Window {
    Window(int width, int height, int magnification, const char* zoom) : frame("") {
        frame.show();
        doc = frame.Newform();
        doc->SetFont(MakeFont(width, height, magnification), false);
        doc->SetZoomFactorText(QString::fromLatin1(zoom));
    }
    MDIForm1 frame;
    form1* doc;
};

void FullRefresh(benchmark::State& state, int width, int height, int magnification,
                 const char* zoom) {
    Window window(width, height, magnification, zoom);
    // The refresh, then the cells in view drawn as the screen receives them.
    for (auto _ : state) {
        window.doc->RefreshFontWindow();
        window.doc->fontSupport()->grab();
    }
    state.counters["cells_in_view"] = window.doc->fontSupport()->lastPaintedCells();
}

void PaintEveryCell(benchmark::State& state, int width, int height, int magnification, int zoom) {
    const Font font = MakeFont(width, height, magnification);
    // A viewport-sized surface: the part of a huge cell outside it is clipped away.
    QImage viewport(600, 200, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&viewport);
        painter.setClipRect(viewport.rect());
        for (int i = 0; i < font.params.NbCar; ++i) PaintCell(painter, font, i, 0, 0, zoom);
    }
    state.SetItemsProcessed(state.iterations() * font.params.NbCar);
}

BENCHMARK_CAPTURE(FullRefresh, standard_16x16_zoom2, 16, 16, 1, "2")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FullRefresh, largest_255x255_m5_zoom8, 255, 255, 5, "8")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PaintEveryCell, standard_16x16_zoom2, 16, 16, 1, 2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PaintEveryCell, largest_255x255_m5_zoom8, 255, 255, 5, 8)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory: %ld KB\n", usage.ru_maxrss);
    return 0;
}
