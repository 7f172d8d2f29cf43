// A plot engine without a window, for the plot tests and the benchmarks: plain host, own settings.
#pragma once

#include "Defaults.h"
#include "PlainHost.h"
#include "PlotEngine.h"
#include "PlotRenderer.h"

#include <QPainter>

#include <memory>
#include <string>
#include <vector>

namespace kurvo::test {

/// The engine over a plain host, started as the window starts: no graph yet, the default range
/// fields and plot step, and a first full paint (a cleared area with the frame).
struct HeadlessPlot {
    TSettingsRecord settings;
    TPlainHost host;
    std::unique_ptr<TPlotEngine> engine;

    explicit HeadlessPlot(const TSettingsRecord& start, int width, int height) : settings(start) {
        settings.LastGraph = -1;
        host.fields = {"0", "6.283185", "-10", "10", "-7", "7"};
        host.plotStep = "256";
        engine = std::make_unique<TPlotEngine>(settings, host);
        engine->setPaintBoxSize(width, height);
    }

    /// Types a formula into the formula field and runs the Plot action.
    void plot(const std::string& formula) {
        host.formula = formula;
        engine->PlotAction();
    }
    void plotAll(const std::vector<std::string>& formulas) {
        for (const auto& f : formulas)
            plot(f);
    }

    /// Runs a drawing step of the plotters with a renderer over `painter` at the engine's view.
    template <class F> void withRenderer(QPainter& painter, F&& step) {
        const TPlotView view = engine->currentView();
        const TFrame frame;
        TSilentFeedback quiet;
        TPlotRenderer renderer(engine->Document, engine->Parsers, painter, view, frame, quiet);
        step(renderer);
    }
};

} // namespace kurvo::test
