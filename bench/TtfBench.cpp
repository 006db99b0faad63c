// Speed of the TrueType import: the engine in-process, and the whole pixmere-cli process
// (start-up, face lookup, conversion and writing) as a user runs it.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "truetype/TtfImport.h"

namespace {

using pixmere::TtfImportRequest;

TtfImportRequest Request(int size, int16_t shiftMode) {
    TtfImportRequest r;
    r.width = r.height = static_cast<uint8_t>(size);
    r.downstroke = static_cast<uint8_t>(size / 5);
    r.first = 0x20;
    r.last = 0xFF;
    r.shiftMode = shiftMode;
    return r;
}

// The range 20..FF: 16 x 16 with four shifts, 32 x 32 with eight.
void BM_ImportRange(benchmark::State& state) {
    const pixmere::TtfFace face = pixmere::TtfFace::Installed("DejaVu Sans", false, false);
    const TtfImportRequest request =
        Request(static_cast<int>(state.range(0)), static_cast<int16_t>(state.range(1)));
    for (auto _ : state) {
        const auto result = pixmere::ImportTtfRange(face, request);
        if (result.status != pixmere::TtfImportResult::Status::Done) state.SkipWithError("failed");
        benchmark::DoNotOptimize(result.font.matrix.data().data());
    }
    const double chars = request.last - request.first + 1;
    state.counters["chars/s"] = benchmark::Counter(chars * static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ImportRange)
    ->Args({16, 0})
    ->Args({32, 1})
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

// The whole process, as `pixmere-cli ttf` runs from a shell.
void BM_CliProcess(benchmark::State& state) {
    const std::string size = std::to_string(state.range(0));
    const std::string command =
        std::string(PIXMERE_CLI) + " ttf /tmp/pixmere-bench.pzf --face 'DejaVu Sans' --width " +
        size + " --height " + size + " --downstroke " + std::to_string(state.range(0) / 5) +
        " --shifts " + (state.range(1) == 0 ? "4" : "8");
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) state.SkipWithError("pixmere-cli failed");
    }
    std::remove("/tmp/pixmere-bench.pzf");
}
BENCHMARK(BM_CliProcess)
    ->Args({16, 0})
    ->Args({32, 1})
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
