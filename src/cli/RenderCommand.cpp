// kurvo render: draws what the window's plot area would show, headless, and saves the picture.
#include "Commands.h"

#include "Cp1252.h"
#include "DataSource.h"
#include "Defaults.h"
#include "GraphFileApply.h"
#include "NumberText.h"
#include "Options.h"
#include "PlainHost.h"
#include "PlotEngine.h"
#include "PlotExport.h"
#include "Startup.h"

#include <QGuiApplication>

#include <filesystem>
#include <iostream>
#include <memory>
#include <unistd.h>

namespace kurvo::cli {
namespace {

const char* RenderHelp =
    R"(Usage: kurvo render [OPTIONS] -o OUT.png|OUT.bmp|OUT.gif|OUT.svg|OUT.pdf [FORMULA...]

Draws what the plot area of the window would show and saves it. The program starts as the window
does (settings and lists from the start folder's data folder), applies the options, then types each
FORMULA (classroom notation) into the formula field and plots it, in order. SVG and PDF are drawn
as vectors by the same paint code (curves are paths, labels are text), at the same size.

Options:
  -o FILE                  the picture to write (.png, .bmp, .gif, .svg or .pdf)
  --start-folder DIR       start folder (its data folder); default: the current folder if it has a
                           data folder, else the built-in defaults
  --settings FILE          read the settings record from FILE instead
  --size WxH               plot area in pixels (default 800x600)
  --mode cartesian|polar|implicit
                           the mode switch (default: the stored settings' mode)
  --parametric             parametric pairs "f,g" (Cartesian x,y or polar r,angle)
  --degrees, --radians     the angle unit
  --x MIN,MAX  --y MIN,MAX  --t MIN,MAX
                           texts of the range fields (expressions allowed, as in the fields)
  --relation TEXT          the relation box: y>, y>=, y<, y<= (default: the plain equation)
  --steps N                the plot-step field: a whole number from 32 to 1000000
  --derived, --integral, --square
                           turn those switches on
  --auto-y                 automatic y-scaling: each FORMULA replaces the graphs before it, and
                           the view is first fitted to it by sampling (the y range of a Cartesian
                           or implicit graph, both ranges of a polar or parametric one); the
                           question the window asks when a relation has no point in the view is
                           answered No, so the view stays
  --graph FILE             open a graph file (.kvo) first, as the Open command does
  --data FILE              import a data-set file (.csv, .tsv, .txt, .sid) as the Open command
                           does; may be given several times
  --save-graph FILE        after the last paint, write the drawing as a graph file (.kvo), as
                           Save as KurvoFile does
  --implicit-curves smooth|rows
                           general relations traced as smooth contours or searched row by row
                           (default: the data folder's option, else smooth)
  --antialias on|off       antialiased curves (default: the data folder's option, else on)
  --legend                 draw the legend: each graph's formula beside a line in its colour, in
                           the corner the curves cross least (also drawn when the data folder's
                           "Show legend" option is on)
  --scale K                device pixel ratio (1, 1.5, 2 ...): the picture has K times the plot
                           area's pixels, drawn as a K-times sharper screen shows it
  -h, --help               show this help

Option values are read strictly: --size two whole numbers WxH, --scale a plain number, --mode,
--relation, --implicit-curves and --antialias one of the words listed; anything else is bad usage.

After the last paint it prints "view: XMIN XMAX YMIN YMAX" on standard output and every text the
window would have shown in a message box as "message: TEXT" on standard error, each once.
Exit status:
  0  every FORMULA was drawn and the picture written
  1  a FORMULA could not be translated or drawn (an empty one too): the picture is still written,
     with the graphs that could be drawn
  1  the view or the plot step is refused (a range field that cannot be evaluated, MIN not below
     MAX, a plot step that is not a whole number from 32 to 1000000), a --graph or --data file
     cannot be read, or the picture or --save-graph cannot be written: no picture is written
     and no view line printed
  2  bad usage (an unknown option, a missing or malformed value): nothing is written
)";

/// Slots up to the last graph whose formula is there but could not be translated (a graph file's).
bool untranslatedSlots(const TPlotEngine& engine) {
    for (int slot = 0; slot <= engine.Settings.LastGraph && slot < TPlotEngine::SlotCount; ++slot) {
        const auto k = static_cast<std::size_t>(slot);
        if (!engine.Document.UserFormulas[k].empty() && engine.Document.ParsedFormulas[k].empty())
            return true;
    }
    return false;
}

/// What the options of a render ask for.
struct TRenderRequest {
    std::string out, startFolder, settingsFile, relation, graphFile, saveGraph;
    TPixelSize size{800, 600};
    TModeSwitches modes;
    std::optional<std::pair<std::string, std::string>> xRange, yRange, tRange;
    std::optional<std::string> steps; ///< the plot-step field's text as typed
    bool derived = false, integral = false, square = false, autoY = false;
    std::vector<std::string> dataFiles;
    std::optional<bool> smoothCurves, antialias;
    bool legend = false;
    double scale = 1;
    std::vector<std::string> formulas;
};

/// The options of kurvo render, each writing what it asks for into `r`.
std::vector<TOption> renderOptions(TRenderRequest& r) {
    std::vector<TOption> options = {
        valueOption("-o", [&](const std::string& v) { r.out = v; }),
        valueOption("--start-folder", [&](const std::string& v) { r.startFolder = v; }),
        valueOption("--settings", [&](const std::string& v) { r.settingsFile = v; }),
        valueOption("--size", [&](const std::string& v) { r.size = pixelSizeValue("--size", v, 16, 10000); }),
        valueOption("--x", [&](const std::string& v) { r.xRange = rangeValue("--x", v); }),
        valueOption("--y", [&](const std::string& v) { r.yRange = rangeValue("--y", v); }),
        valueOption("--t", [&](const std::string& v) { r.tRange = rangeValue("--t", v); }),
        valueOption("--relation",
                    [&](const std::string& v) {
                        r.relation = choiceValue("--relation", v, {"y>", "y>=", "y<", "y<="});
                    }),
        // The plot-step field's text as typed: the paint says when it refuses it, as in the window.
        valueOption("--steps", [&](const std::string& v) { r.steps = v; }),
        switchOption("--derived", [&] { r.derived = true; }),
        switchOption("--integral", [&] { r.integral = true; }),
        switchOption("--square", [&] { r.square = true; }),
        switchOption("--auto-y", [&] { r.autoY = true; }),
        valueOption("--graph",
                    [&](const std::string& v) {
                        if (openFileKind(v) != TFileKind::GraphFile)
                            throw UsageError("--graph wants a graph file ending in kvo, not '" + v + "'");
                        r.graphFile = v;
                    }),
        valueOption("--data",
                    [&](const std::string& v) {
                        if (!isDataSetFileKind(openFileKind(v)))
                            throw UsageError("--data wants a file ending in csv, tsv, txt or sid, not '" + v +
                                             "'");
                        r.dataFiles.push_back(v);
                    }),
        valueOption("--save-graph", [&](const std::string& v) { r.saveGraph = v; }),
        valueOption("--implicit-curves",
                    [&](const std::string& v) {
                        r.smoothCurves = choiceValue("--implicit-curves", v, {"smooth", "rows"}) == "smooth";
                    }),
        valueOption("--antialias",
                    [&](const std::string& v) {
                        r.antialias = choiceValue("--antialias", v, {"on", "off"}) == "on";
                    }),
        switchOption("--legend", [&] { r.legend = true; }),
        valueOption("--scale",
                    [&](const std::string& v) {
                        r.scale = numberValue("--scale", v);
                        if (!(r.scale >= 0.5 && r.scale <= 8))
                            throw UsageError("--scale wants a number from 0.5 to 8, not '" + v + "'");
                    }),
    };
    addModeOptions(options, r.modes, {"cartesian", "polar", "implicit"}, true);
    return options;
}

/// Reads the arguments; bad usage raises UsageError before anything is started.
TRenderRequest readRenderRequest(const Args& args, PictureFormat& format) {
    TRenderRequest r;
    r.formulas = readOptions(args, renderOptions(r));
    if (r.out.empty())
        throw UsageError(
            "-o OUT.png, OUT.bmp, OUT.gif, OUT.svg or OUT.pdf is required (see kurvo render --help)");
    const std::optional<PictureFormat> f = pictureFormatOf(r.out);
    if (!f) throw UsageError("-o: the picture must end in .png, .bmp, .gif, .svg or .pdf");
    format = *f;
    if (r.size.width * r.scale > 10000 || r.size.height * r.scale > 10000)
        throw UsageError("--scale: the picture must stay within 10000x10000 pixels");
    return r;
}

/// Sets the environment a headless GUI application needs: the offscreen platform unless another
/// is asked for, and a runtime folder (Qt asks for one and complains on stderr, which is for
/// messages, without it).
void prepareHeadlessGui() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        auto runtime =
            std::filesystem::temp_directory_path() / ("kurvo-runtime-" + std::to_string(::getuid()));
        std::error_code ignored;
        std::filesystem::create_directories(runtime, ignored);
        std::filesystem::permissions(runtime, std::filesystem::perms::owner_all, ignored);
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime.string()));
    }
}

/// The session's settings with the switches the options turn on.
TSettingsRecord requestedSettings(const TRenderRequest& r, TSettingsRecord settings) {
    if (r.derived) settings.PlotDerived = true;
    if (r.integral) settings.PlotIntegral = true;
    if (r.square) settings.SquareAxes = true;
    if (r.autoY) settings.AutoYScaling = true;
    applyModeSwitch(r.modes, settings);
    if (r.modes.parametric) {
        if (settings.ImplicitMode) throw UsageError("--parametric does not go with implicit mode");
        settings.ParametricMode = true;
    }
    return settings;
}

/// The fields of the window as the options fill them in; no one is there to answer a question.
void fillFields(TPlainHost& host, const TRenderRequest& r, const TSettingsRecord& settings,
                const TDataSource& data) {
    host.fields = startup::rangeFieldTexts(settings);
    host.plotStep = settings.plotStepText;
    using F = TPlotHost::Field;
    auto setRange = [&](const auto& range, F min, F max) {
        if (!range) return;
        host.setFieldText(min, utf8ToCp1252(range->first));
        host.setFieldText(max, utf8ToCp1252(range->second));
    };
    setRange(r.xRange, F::XMin, F::XMax);
    setRange(r.yRange, F::YMin, F::YMax);
    setRange(r.tRange, F::TMin, F::TMax);
    if (r.steps) host.plotStep = *r.steps;
    std::vector<std::string> labels = startup::relationLabels(settings, data);
    host.relation = labels.empty() ? std::string() : labels.front();
    if (!r.relation.empty()) host.relation = r.relation;
    host.aliases = data.readLines(aliasListName(settings));
    // Asking for ever wider domains would not end on its own.
    host.answer = false;
}

/// One render: the engine over a plain host, started as the window starts, and whether a formula
/// failed so far. The engine refers to the settings and the host: the run stays where it is made.
struct TRenderRun {
    TDataSource data;
    startup::TSession session;
    TSettingsRecord settings;
    TPlainHost host;
    std::unique_ptr<TPlotEngine> engine;
    bool formulaFailed = false;

    explicit TRenderRun(const TRenderRequest& r)
        : data(startup::dataSource(r.startFolder)),
          session(startup::startSession(data, !r.settingsFile.empty()
                                                  ? std::optional(readSettingsFile(r.settingsFile))
                                                  : std::nullopt)),
          settings(requestedSettings(r, session.settings)) {
        fillFields(host, r, settings, data);
        engine = std::make_unique<TPlotEngine>(settings, host);
        engine->Options = session.options;
        if (r.smoothCurves) engine->Options.smoothImplicitCurves = *r.smoothCurves;
        if (r.antialias) engine->Options.antialiasedCurves = *r.antialias;
        if (r.legend) engine->Options.showLegend = true;
        engine->setDevicePixelRatio(r.scale);
        try {
            startup::applySession(engine->Parsers, settings, data);
        } catch (const std::exception& e) {
            host.showError(e);
        }
        engine->setPaintBoxSize(r.size.width, r.size.height);
    }
    TRenderRun(const TRenderRun&) = delete;
    TRenderRun& operator=(const TRenderRun&) = delete;

    /// Runs one step as the window would. A formula that cannot be translated or drawn is said and
    /// the run goes on, but the status says it; a view or plot step the paint refuses ends the run
    /// (false): every later paint would refuse it again, and a picture of nothing is no picture.
    template <class Step> bool attempt(Step&& step) {
        try {
            step();
        } catch (const ERefusedView& e) {
            host.showError(e);
            return false;
        } catch (const std::exception& e) {
            host.showError(e);
            formulaFailed = true;
        }
        return true;
    }

    /// Types a formula into the formula field and plots it; false when the view was refused.
    bool plot(const std::string& formula) {
        host.formula = utf8ToCp1252(formula);
        // The Plot action does nothing with an empty field; here it was asked to draw one.
        if (host.formula.empty()) {
            host.showMessage("An empty formula cannot be drawn.");
            formulaFailed = true;
            return true;
        }
        // The Plot action refuses a formula that is too long, or one more graph than the slots
        // hold, with a message and no new graph.
        const bool tooLong = host.formula.size() > TPlotEngine::MaxFormulaLength;
        const std::int32_t lastBefore = settings.LastGraph;
        return attempt([&] {
            engine->PlotAction();
            if (tooLong || (!settings.AutoYScaling && settings.LastGraph == lastBefore)) formulaFailed = true;
        });
    }

    /// Draws what was asked for: the first display, the files opened as the Open command opens
    /// them (one that cannot be read ends the run before anything is drawn from it), then the
    /// formulas. False when the view was refused.
    bool draw(const TRenderRequest& r) {
        if (!attempt([&] { engine->replotAll(); })) return false; // a cleared area with axes and grid
        if (!r.graphFile.empty()) {
            const TGraphFileRead read = readGraphFile(r.graphFile);
            if (!attempt([&] { applyGraphFile(*engine, read, r.graphFile); })) return false;
            if (untranslatedSlots(*engine)) formulaFailed = true; // said in the file's message
        }
        for (const auto& file : r.dataFiles) {
            const TDataSetImport import = readDataSetFile(file, openFileKind(file));
            if (!attempt([&] { applyDataSetImport(*engine, import); })) return false;
        }
        for (const auto& f : r.formulas)
            if (!plot(f)) return false;
        return true;
    }

    /// Every message the run gathered, each once, as "message: TEXT" (a carriage return as " | ").
    void printMessages() const {
        for (const auto& m : session.messages)
            std::cerr << "message: " << cp1252ToUtf8(m) << "\n";
        for (const auto& m : host.messages) {
            std::string line;
            for (char c : m)
                line += c == '\r' ? std::string(" | ") : std::string(1, c);
            std::cerr << "message: " << cp1252ToUtf8(line) << "\n";
        }
    }
};

} // namespace

int runRender(const Args& args) {
    if (printedHelp(args, RenderHelp)) return 0;
    PictureFormat format{};
    const TRenderRequest request = readRenderRequest(args, format);

    prepareHeadlessGui();
    int argc = 1;
    char name[] = "kurvo";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);

    TRenderRun run(request);
    if (!run.draw(request)) {
        run.printMessages();
        return 1;
    }
    if (!request.saveGraph.empty()) saveGraphFile(run.engine->Document, request.saveGraph);
    savePicture(*run.engine, request.out, format); // raises EInOutError naming the file and the reason
    run.printMessages();
    const TSettingsRecord& s = run.settings;
    std::cout << "view: " << formatGeneral(s.Xmin) << " " << formatGeneral(s.Xmax) << " " << formatGeneral(s.Ymin)
              << " " << formatGeneral(s.Ymax) << "\n";
    return run.formulaFailed ? 1 : 0;
}

} // namespace kurvo::cli
