// Font window costs: a full refresh (layout, edit window fit, the cells in view painted),
// painting every cell of the font once, as scrolling through the whole canvas does, one step of
// the font window's scroll bar as the screen shows it, and a stroke dragged across a glyph in
// the edit window. The sample text view: one stroke on a character of a 100-character text of
// the largest font as the screen receives it, with the view open and closed, and the view
// painted whole.
//   cmake -B build -DPIXMERE_BENCH=ON && cmake --build build --target pixmere_ui_bench
//   QT_QPA_PLATFORM=offscreen build/bench/pixmere_ui_bench
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>

#include "ui/DocumentActions.h"
#include "ui/EditCanvas.h"
#include "ui/FontCanvas.h"
#include "ui/MDIForm1.h"
#include "ui/SamplePreview.h"
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

// The largest font (255 x 255, magnification 5) with a 100-character text in the sample view at
// zoom 1 (the part in view: 83 dot rows of the first cells), A its first and every 26th
// character, and A current in the edit window.
struct SampleWindow : Window {
    SampleWindow() : Window(255, 255, 5, "1") {
        // Room for the whole document window: a view the frame hides is never painted.
        frame.resize(1100, 900);
        QString text;
        for (int n = 0; n < 100; ++n) text += QChar('A' + n % 26);
        doc->preview().textBox()->setPlainText(text);
        doc->preview().zoomSelector()->setCurrentIndex(0);
        emit doc->preview().zoomSelector()->activated(0);
        doc->FontSupport_CharacterTyped(U'A');
        QApplication::processEvents();
    }
};

// A pixel of row 10 of A set, then cleared, each stroke painted as the screen receives it: the
// edit window's row, the font window's cell and, with the sample view open, the rows of the
// cells showing A in view.
void SampleStroke(benchmark::State& state, bool open) {
    SampleWindow window;
    form1& doc = *window.doc;
    if (!open) doc.actions().showSample->trigger();
    const double x = doc.editZoom() * 10.5, y = doc.editZoom() * doc.EditMagnif() * 10.5;
    int button = 1;
    doc.preview().canvas()->TakePainted();
    for (auto _ : state) {
        doc.ZoomPic_MouseDown(button, 0, x, y);
        doc.ZoomPic_MouseUp(button, 0, x, y);
        QApplication::processEvents();
        button = 3 - button;
    }
    // Every stroke paints the same rows of the sample view.
    int painted = 0;
    for (const QRect& r : doc.preview().canvas()->TakePainted()) painted += r.width() * r.height();
    state.counters["sample_px_a_stroke"] = painted;
}

// The sample view's own part of the same strokes: the engine's stroke untimed, then the view told
// of A and painted as the screen receives it.
void SampleFollow(benchmark::State& state) {
    SampleWindow window;
    form1& doc = *window.doc;
    FontDocument& engine = *doc.document();
    const float x = doc.editZoom() * 10.5f, y = doc.editZoom() * doc.EditMagnif() * 10.5f;
    const int32_t a = 'A';
    int button = 1;
    for (auto _ : state) {
        state.PauseTiming();
        engine.ZoomPic_MouseDown(button, x, y, doc.editView());
        engine.ZoomPic_MouseUp(button);
        button = 3 - button;
        state.ResumeTiming();
        doc.preview().Follow({&a, 1});
        QApplication::processEvents();
    }
}

// The sample view painted whole, as a scroll or an uncovering does.
void SampleWhole(benchmark::State& state) {
    SampleWindow window;
    SampleCanvas* canvas = window.doc->preview().canvas();
    for (auto _ : state) canvas->repaint();
    state.counters["view_px"] = canvas->width() * canvas->height();
}

BENCHMARK_CAPTURE(SampleStroke, sample_open_largest_m5, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SampleStroke, sample_closed_largest_m5, false)->Unit(benchmark::kMicrosecond);
BENCHMARK(SampleFollow)->Unit(benchmark::kMicrosecond);
BENCHMARK(SampleWhole)->Unit(benchmark::kMicrosecond);
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
    // The sample view remembers its text: in settings of the run's own, never the user's.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory: %ld KB\n", usage.ru_maxrss);
    return 0;
}
