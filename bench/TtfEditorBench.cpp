// The editor's TrueType import against the command-line tool's, in one run: DejaVu Sans 20-FF
// at 16 x 24 (four shifts) and at 200 x 200 (eight shifts).
//   Editor: the whole command in a shown frame: Import > Font TTF, the parameters dialog's Ok,
//   the conversion dialog loading and waiting, "Convert" pressed, the window built with the font.
//   Dialog: the conversion dialog alone: loading, then FullAuto_Click (progress, previews,
//   events between characters).
//   Engine: ImportTtfRange, the conversion pixmere-cli runs, in this process.
//   Tool: the whole pixmere-cli ttf process; tool_cpu_ms is its processor time, comparable with
//   the CPU column of the others when the machine is busy.
//   cmake -B build -DPIXMERE_BENCH=ON && cmake --build build --target pixmere_ttf_editor_bench
//   build/bench/pixmere_ttf_editor_bench
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdlib>
#include <string>

#include "truetype/TtfImport.h"
#include "ui/EditorFileCommands.h"
#include "ui/Form2.h"
#include "ui/Form3.h"
#include "ui/MDIForm1.h"
#include "ui/form1.h"

namespace {

using namespace pixmere;

struct Case {
    int size;  // width; the height is 24 for 16
    int shifts;
};
const Case kCases[] = {{16, 4}, {200, 8}};

int Height(const Case& c) { return c.size == 16 ? 24 : c.size; }
int Downstroke(const Case& c) { return Height(c) * 5 / 24; }
int16_t ShiftMode(const Case& c) { return c.shifts == 8 ? 1 : 0; }

FontParams Cell(const Case& c) {
    FontParams p;
    p.FormatLengthCar = static_cast<uint8_t>(c.size);
    p.FormatHeightCar = static_cast<uint8_t>(Height(c));
    p.jambon = static_cast<uint8_t>(Downstroke(c));
    p.firstcar = 0x20;
    p.lastcar = 0xFF;
    p.NbCar = p.lastcar - p.firstcar + 1;
    return p;
}

TtfFace Face() { return TtfFace::Installed("DejaVu Sans", false, false); }

class QuietPrompts : public Prompts {
public:
    QMessageBox::StandardButton Message(QWidget*, QMessageBox::Icon, const QString&, const QString&,
                                        QMessageBox::StandardButtons) override {
        failed = true;
        return QMessageBox::Ok;
    }
    bool failed = false;
};

class DejaVuDialog : public FontDialog {
public:
    std::optional<FontChoice> Choose(QWidget*) override {
        return FontChoice{"DejaVu Sans", false, false};
    }
};

// Fills the cell in the parameters dialog, then presses "Convert" (and sets the shifts) once the
// conversion dialog waits for it.
class ConvertPresser : public QObject {
public:
    explicit ConvertPresser(const Case& c) : case_(c), shifts_(c.shifts) {
        qApp->installEventFilter(this);
    }
    ~ConvertPresser() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (auto* parameters = qobject_cast<Form3*>(watched);
            parameters && event->type() == QEvent::Show) {
            QMetaObject::invokeMethod(
                parameters,
                [parameters, this] {
                    parameters->width1()->setText(QString::number(case_.size));
                    parameters->height1()->setText(QString::number(Height(case_)));
                    parameters->Jambage()->setEditText(QString::number(Downstroke(case_)));
                    parameters->Ok()->click();
                },
                Qt::QueuedConnection);
        }
        auto* dialog = qobject_cast<Form2*>(watched);
        if (dialog && event->type() == QEvent::Show) {
            QMetaObject::invokeMethod(
                dialog,
                [dialog, this] {
                    dialog->option(shifts_ == 8 ? 2 : 1)->click();
                    dialog->fullAuto()->click();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    Case case_;
    int shifts_;
};

void Settle() {
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_Editor(benchmark::State& state) {
    const Case c = kCases[state.range(0)];
    auto prompts = std::make_unique<QuietPrompts>();
    QuietPrompts& said = *prompts;
    MDIForm1 frame("", std::move(prompts),
                   std::make_unique<EditorFileCommands>(nullptr, std::make_unique<DejaVuDialog>()));
    frame.show();
    QAction* import = frame.FrameMenus().first()->findChild<QAction*>("ImportTTF");
    ConvertPresser presser(c);
    for (auto _ : state) {
        import->trigger();  // returns once the window holds the font
        form1* document = frame.ActiveDocument();
        if (said.failed || !document) {
            state.SkipWithError("import failed");
            break;
        }
        state.PauseTiming();
        document->document()->setFlagModified(false);
        frame.CloseDocument(*document);
        Settle();
        state.ResumeTiming();
    }
}

// The face is opened for every import, as the editor and the tool do: its outlines are read
// as the characters are drawn.
void BM_Dialog(benchmark::State& state) {
    const Case c = kCases[state.range(0)];
    QuietPrompts prompts;
    for (auto _ : state) {
        Form2 dialog(Face(), Cell(c), prompts);
        dialog.Load(ConversionSettings{.ShiftMode = ShiftMode(c)});
        const TtfImportResult result = dialog.FullAuto_Click();
        if (result.status != TtfImportResult::Status::Done) state.SkipWithError("failed");
    }
}

void BM_Engine(benchmark::State& state) {
    const Case c = kCases[state.range(0)];
    for (auto _ : state) {
        const TtfImportResult result =
            ImportTtfRange(Face(), Cell(c), ConversionSettings{.ShiftMode = ShiftMode(c)});
        if (result.status != TtfImportResult::Status::Done) state.SkipWithError("failed");
        benchmark::DoNotOptimize(result.font.glyphs.data());
    }
}

double ChildrenCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void BM_Tool(benchmark::State& state) {
    const Case c = kCases[state.range(0)];
    const QTemporaryDir scratch;
    const std::string out = scratch.filePath("bench.pzf").toStdString();
    const std::string command =
        std::string(PIXMERE_CLI) + " ttf '" + out + "' --face 'DejaVu Sans' --width " +
        std::to_string(c.size) + " --height " + std::to_string(Height(c)) + " --downstroke " +
        std::to_string(Downstroke(c)) + " --shifts " + std::to_string(c.shifts);
    const double before = ChildrenCpuSeconds();
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) state.SkipWithError("pixmere-cli failed");
    }
    // The tool's own processor time, which the CPU column (this process's) leaves out.
    state.counters["tool_cpu_ms"] = benchmark::Counter((ChildrenCpuSeconds() - before) * 1000.0 /
                                                       static_cast<double>(state.iterations()));
}

// Argument 0: 16 x 24, four shifts; 1: 200 x 200, eight shifts.
BENCHMARK(BM_Editor)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Dialog)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Engine)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Tool)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Remembered import settings go to a scratch place, never the user's.
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
