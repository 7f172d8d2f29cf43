// A plot engine without a window, for the plot tests and the benchmarks: plain host, own settings.
#pragma once

#include "Defaults.h"
#include "PlainHost.h"
#include "PlotEngine.h"
#include "PlotRenderer.h"
#include "Startup.h"

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

    /// Started as every session starts (the built-in data, `start` as the stored settings).
    explicit HeadlessPlot(const TSettingsRecord& start, int width, int height)
        : settings(startup::startSession(TDataSource::builtInDefaults(), start).settings) {
        host.fields = {"0", "6.283185", "-10", "10", "-7", "7"};
        host.plotStep = "256";
        engine = std::make_unique<TPlotEngine>(settings, host);
        startup::applySession(engine->Parsers, settings, TDataSource::builtInDefaults());
        // The tests type numbers with a point, whatever the locale they run under.
        engine->Parsers.Translator.DecimalSeparator = '.';
        engine->Parsers.Translator.ThousandSeparator = '\0';
        engine->setPaintBoxSize(width, height);
    }

    // The engine holds references to `settings` and `host`: a copy or a move would leave it
    // reading the members of the object it came from.
    HeadlessPlot(const HeadlessPlot&) = delete;
    HeadlessPlot& operator=(const HeadlessPlot&) = delete;
    HeadlessPlot(HeadlessPlot&&) = delete;
    HeadlessPlot& operator=(HeadlessPlot&&) = delete;

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
