// Speed of the TrueType import: the engine in-process, and the whole pixmere-cli process
// (start-up, face lookup, conversion and writing) as a user runs it.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "truetype/TtfImport.h"

namespace {

pixmere::FontParams Cell(int size) {
    pixmere::FontParams p;
    p.FormatHeightCar = p.FormatLengthCar = static_cast<uint8_t>(size);
    p.jambon = static_cast<uint8_t>(size / 5);
    p.firstcar = 0x20;
    p.lastcar = 0xFF;
    p.NbCar = p.lastcar - p.firstcar + 1;
    return p;
}

pixmere::TtfFit FitOf(int64_t arg) {
    return arg == 0 ? pixmere::TtfFit::XHeight : pixmere::TtfFit::WholeFace;
}

// The range 20..FF: (cell size, shift mode 0 four shifts / 1 eight, fit 0 X height / 1 face).
void BM_ImportRange(benchmark::State& state) {
    const pixmere::TtfFace face = pixmere::TtfFace::Installed("DejaVu Sans", false, false);
    const pixmere::FontParams cell = Cell(static_cast<int>(state.range(0)));
    const pixmere::ConversionSettings settings{.ShiftMode = static_cast<int16_t>(state.range(1)),
                                               .Fit = FitOf(state.range(2))};
    for (auto _ : state) {
        const auto result = pixmere::ImportTtfRange(face, cell, settings);
        if (result.status != pixmere::TtfImportResult::Status::Done) state.SkipWithError("failed");
        benchmark::DoNotOptimize(result.font.glyphs.data());
    }
    const double chars = cell.lastcar - cell.firstcar + 1;
    state.counters["chars/s"] = benchmark::Counter(chars * static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ImportRange)
    ->ArgsProduct({{16}, {0}, {0, 1}})
    ->ArgsProduct({{32, 255}, {1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// One conversion of one character, as the dialog runs it for a typed character.
void BM_ConvertOneCharacter(benchmark::State& state) {
    pixmere::FontParams p;
    p.FormatHeightCar = p.FormatLengthCar = 16;
    p.jambon = 3;
    p.firstcar = 0x20;
    p.lastcar = 0xFF;
    pixmere::TtfConverter converter(pixmere::TtfFace::Installed("DejaVu Sans", false, false), p);
    converter.Load();
    for (auto _ : state) converter.Text1_Change("&");
}
BENCHMARK(BM_ConvertOneCharacter)->Unit(benchmark::kMicrosecond);

// The whole process, as `pixmere-cli ttf` runs from a shell (bench/cli-ttf.sh times the same
// runs with their peak memory).
void BM_CliProcess(benchmark::State& state) {
    const std::string size = std::to_string(state.range(0));
    const std::string command =
        std::string(PIXMERE_CLI) + " ttf /tmp/pixmere-bench.pzf --face 'DejaVu Sans' --width " +
        size + " --height " + size + " --downstroke " + std::to_string(state.range(0) / 5) +
        " --shifts " + (state.range(1) == 0 ? "4" : "8") + " --fit " +
        (FitOf(state.range(2)) == pixmere::TtfFit::XHeight ? "x" : "face");
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) state.SkipWithError("pixmere-cli failed");
    }
    std::remove("/tmp/pixmere-bench.pzf");
}
BENCHMARK(BM_CliProcess)
    ->ArgsProduct({{16}, {0}, {0, 1}})
    ->ArgsProduct({{255}, {1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
