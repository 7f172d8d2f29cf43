// Implicit plot speed: the general relation x^2+y*y=25 at 1000x700, traced by contours (Contour) against
// the row scan (Rows), each drawing into the same picture with the relation evaluated by the parser.
#include "ContourTracer.h"
#include "HeadlessPlot.h"
#include "ImplicitPlotter.h"

#include <QGuiApplication>
#include <QPolygonF>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace kurvo;

/// The relation plotted in implicit mode on a 1000 x 700 area, and a picture to draw into.
struct Scene : test::HeadlessPlot {
    QImage picture{1000, 700, QImage::Format_ARGB32_Premultiplied};

    explicit Scene(const std::string& relation) : HeadlessPlot(implicitSettings(), 1000, 700) { plot(relation); }

    static TSettingsRecord implicitSettings() {
        TSettingsRecord s = defaultSettings();
        s.CartesianMode = true;
        s.ImplicitMode = true;
        s.ParametricMode = false;
        s.AutoYScaling = false;
        return s;
    }
};

void RowsImplicitCircle(benchmark::State& state) {
    Scene s("x^2+y*y=25");
    for (auto _ : state) {
        s.picture.fill(Qt::transparent);
        QPainter painter(&s.picture);
        s.withRenderer(painter, [](TPlotRenderer& r) { TImplicitPlotter(r).PlotImplicitRelation(0); });
    }
}

void ContourImplicitCircle(benchmark::State& state) {
    Scene s("x^2+y*y=25");
    TParser& parser = s.engine->Parsers.Parser1;
    const ContourFunction F = [&parser](double x, double y) -> std::optional<double> {
        parser.X = x;
        parser.Y = y;
        try {
            return static_cast<double>(parser.Value());
        } catch (const std::exception&) {
            return std::nullopt;
        }
    };
    ContourGrid grid;
    grid.Xmin = static_cast<double>(s.settings.Xmin);
    grid.Xmax = static_cast<double>(s.settings.Xmax);
    grid.Ymin = static_cast<double>(s.settings.Ymin);
    grid.Ymax = static_cast<double>(s.settings.Ymax);
    grid.width = s.engine->PlotWidth;
    grid.height = s.engine->PlotHeight;
    for (auto _ : state) {
        s.picture.fill(Qt::transparent);
        QPainter painter(&s.picture);
        painter.setPen(QPen(s.engine->graphColour(0), 1));
        const ContourResult r = TraceContours(F, grid, [&] { return s.host.pollStop(); });
        for (const auto& line : r.polylines)
            painter.drawPolyline(QPolygonF(QList<QPointF>(line.begin(), line.end())));
    }
}

BENCHMARK(RowsImplicitCircle)->Name("Rows/ImplicitCircle")->Unit(benchmark::kMillisecond);
BENCHMARK(ContourImplicitCircle)->Name("Contour/ImplicitCircle")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
