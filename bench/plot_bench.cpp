// Plot speed: ten typical Cartesian graphs painted (Paint) against the same samples evaluated only
// (Eval), and an implicit circle and a polar rose painted.
#include "HeadlessPlot.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace kurvo;

const std::vector<std::string> Ten = {"x^2",    "1/x",      "tan(x)",   "sqrt(x)", "sin(x)",
                                      "x^3-3x", "exp(x/3)", "abs(x)-2", "ln(x^2)", "2sin(3x)+cos(x)"};

/// A 1000 x 700 plot area (or another size) with the default settings in the given mode, curves
/// crisp unless asked for.
struct Scene : test::HeadlessPlot {
    explicit Scene(bool cartesian = true, bool implicit = false, int width = 1000, int height = 700,
                   bool antialiased = false)
        : HeadlessPlot(modeSettings(cartesian, implicit), width, height) {
        engine->Options.antialiasedCurves = antialiased;
    }

    static TSettingsRecord modeSettings(bool cartesian, bool implicit) {
        TSettingsRecord s = defaultSettings();
        s.CartesianMode = cartesian;
        s.ImplicitMode = implicit;
        s.ParametricMode = false;
        s.AutoYScaling = false;
        return s;
    }

    void replot() { engine->replotAll(); }
};

void PaintCartesian10(benchmark::State& state) {
    Scene s;
    s.plotAll(Ten);
    for (auto _ : state)
        s.replot();
}

// Live panning on a 4K projector: the same graphs antialiased at 3840 x 2160.
void PaintCartesian10At4K(benchmark::State& state) {
    Scene s(true, false, 3840, 2160, true);
    s.plotAll(Ten);
    for (auto _ : state)
        s.replot();
}

// The same samples as the paint: x from Xmin to Xmax by the plot step, each formula once.
void EvalCartesian10(benchmark::State& state) {
    Scene s;
    s.plotAll(Ten);
    std::vector<std::string> parsed(s.engine->Document.ParsedFormulas.begin(),
                                    s.engine->Document.ParsedFormulas.begin() + 10);
    const long double step = s.settings.PlotStep;
    TParser p;
    for (auto _ : state) {
        long double sum = 0;
        for (const auto& text : parsed) {
            p.setExpression(text);
            for (long double x = s.settings.Xmin; x <= s.settings.Xmax; x += step) {
                p.X = static_cast<double>(x);
                try {
                    sum += p.Value();
                } catch (const std::exception&) {
                }
            }
        }
        benchmark::DoNotOptimize(sum);
    }
}

// A graph undefined on the left half of the view: every sample there fails, and the tracer has
// to pass over them cheaply.
void PaintUndefinedHalf(benchmark::State& state) {
    Scene s;
    s.plotAll({"sqrt(x)", "ln(x)", "sqrt(-x-1)"});
    for (auto _ : state)
        s.replot();
}

// The frame alone (axes, grid, numbers), which every paint draws before the graphs.
void PaintAxes(benchmark::State& state) {
    Scene s;
    for (auto _ : state)
        s.replot();
}

// The frame alone at 3840 x 2160: the share of the 4K paint that no curve causes.
void PaintAxesAt4K(benchmark::State& state) {
    Scene s(true, false, 3840, 2160, true);
    for (auto _ : state)
        s.replot();
}

void PaintImplicitCircle(benchmark::State& state) {
    Scene s(true, true);
    s.engine->Options.smoothImplicitCurves = false;
    s.plotAll({"x^2+y*y=25"});
    for (auto _ : state)
        s.replot();
}

// The same relation traced as a smooth contour.
void PaintImplicitCircleSmooth(benchmark::State& state) {
    Scene s(true, true);
    s.engine->Options.smoothImplicitCurves = true;
    s.plotAll({"x^2+y*y=25"});
    for (auto _ : state)
        s.replot();
}

void PaintPolar(benchmark::State& state) {
    Scene s(false, false);
    s.plotAll({"2sin(3t)"});
    for (auto _ : state)
        s.replot();
}

BENCHMARK(PaintCartesian10)->Name("Paint/Cartesian10")->Unit(benchmark::kMillisecond);
BENCHMARK(PaintCartesian10At4K)
    ->Name("Paint/Cartesian10/3840x2160/antialiased")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(EvalCartesian10)->Name("Eval/Cartesian10")->Unit(benchmark::kMillisecond);
BENCHMARK(PaintUndefinedHalf)->Name("Paint/UndefinedHalf")->Unit(benchmark::kMillisecond);
BENCHMARK(PaintAxes)->Name("Paint/Axes")->Unit(benchmark::kMillisecond);
BENCHMARK(PaintAxesAt4K)->Name("Paint/Axes/3840x2160")->Unit(benchmark::kMillisecond);
BENCHMARK(PaintImplicitCircle)->Name("Paint/ImplicitCircle")->Unit(benchmark::kMillisecond);
BENCHMARK(PaintImplicitCircleSmooth)->Name("Paint/ImplicitCircle/smooth")->Unit(benchmark::kMillisecond);
BENCHMARK(PaintPolar)->Name("Paint/Polar")->Unit(benchmark::kMillisecond);

} // namespace

/// `plot_bench --picture=FILE` saves the picture of the 4K paint (ten antialiased graphs) as PNG,
/// so that a change to the paint can be checked to leave it as it was.
bool savePicture(int argc, char** argv) {
    const std::string option = "--picture=";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind(option, 0) != 0) continue;
        Scene s(true, false, 3840, 2160, true);
        s.plotAll(Ten);
        s.replot();
        return s.engine->PlotPicture.save(QString::fromStdString(arg.substr(option.size())), "PNG");
    }
    return false;
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (savePicture(argc, argv)) return 0;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
