// Font window costs: a full refresh (layout, edit window fit, the cells in view painted),
// painting every cell of the font once, as scrolling through the whole canvas does, one step of
// the font window's scroll bar as the screen shows it, and a stroke dragged across a glyph in
// the edit window.
//   cmake -B build -DPIXMERE_BENCH=ON && cmake --build build --target pixmere_ui_bench
//   QT_QPA_PLATFORM=offscreen build/bench/pixmere_ui_bench
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <cstdio>

#include "ui/EditCanvas.h"
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
        doc = frame.Newform(OpenedFont(MakeFont(width, height, magnification)));
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

// One step down the font window's scroll bar and back, each painted as the screen receives it.
void ScrollStep(benchmark::State& state, int width, int height, int magnification,
                const char* zoom) {
    Window window(width, height, magnification, zoom);
    auto* bar = window.doc->findChild<QScrollBar*>(QStringLiteral("VScroll1"));
    for (auto _ : state) {
        bar->setValue(bar->value() + bar->singleStep());
        QApplication::processEvents();
        bar->setValue(0);
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * 2);
}

// A left-button stroke across every pixel of a row of the glyph, one pointer move per pixel,
// each move painted as the screen receives it, then the release that repaints the cell.
void Stroke(benchmark::State& state, int width, int height) {
    Window window(width, height, 1, "2");
    form1& doc = *window.doc;
    const int zoom = doc.editZoom();
    const double y = zoom / 2.0;
    for (auto _ : state) {
        doc.ZoomPic_MouseDown(1, 0, zoom / 2.0, y);
        for (int x = 1; x < width; ++x) {
            doc.ZoomPic_MouseMove(1, 0, x * zoom + zoom / 2.0, y);
            QApplication::processEvents();
        }
        doc.ZoomPic_MouseUp(1, 0, 0, 0);
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * width);
}

BENCHMARK_CAPTURE(FullRefresh, standard_16x16_zoom2, 16, 16, 1, "2")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FullRefresh, largest_255x255_m5_zoom8, 255, 255, 5, "8")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PaintEveryCell, standard_16x16_zoom2, 16, 16, 1, 2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PaintEveryCell, largest_255x255_m5_zoom8, 255, 255, 5, 8)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ScrollStep, standard_16x16_zoom2, 16, 16, 1, "2")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ScrollStep, largest_255x255_m5_zoom8, 255, 255, 5, "8")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Stroke, standard_16x16, 16, 16)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Stroke, wide_255x32, 255, 32)->Unit(benchmark::kMicrosecond);

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
