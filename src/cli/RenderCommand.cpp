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

/// Every message the run gathered, each once, as "message: TEXT" (a carriage return as " | ").
void printMessages(const std::vector<std::string>& startMessages,
                   const std::vector<std::string>& hostMessages) {
    for (const auto& m : startMessages)
        std::cerr << "message: " << cp1252ToUtf8(m) << "\n";
    for (const auto& m : hostMessages) {
        std::string line;
        for (char c : m)
            line += c == '\r' ? std::string(" | ") : std::string(1, c);
        std::cerr << "message: " << cp1252ToUtf8(line) << "\n";
    }
}

/// Slots up to the last graph whose formula is there but could not be translated (a graph file's).
bool untranslatedSlots(const TPlotEngine& engine) {
    for (int slot = 0; slot <= engine.Settings.LastGraph && slot < TPlotEngine::SlotCount; ++slot) {
        const auto k = static_cast<std::size_t>(slot);
        if (!engine.Document.UserFormulas[k].empty() && engine.Document.ParsedFormulas[k].empty())
            return true;
    }
    return false;
}

} // namespace

int runRender(const Args& args) {
    if (wantsHelp(args)) {
        std::cout << RenderHelp;
        return 0;
    }
    std::string out, startFolder, settingsFile, relation;
    std::optional<std::string> steps;
    std::optional<std::pair<std::string, std::string>> xr, yr, tr;
    int width = 800, height = 600;
    bool derived = false, integral = false, square = false, parametric = false, autoY = false;
    std::string mode;
    std::optional<bool> degrees;
    std::string graphFile, saveGraph;
    std::vector<std::string> dataFiles;
    std::optional<bool> smoothCurves, antialias;
    bool legend = false;
    double scale = 1;
    const std::vector<TOption> options = {
        valueOption("-o", [&](const std::string& v) { out = v; }),
        valueOption("--start-folder", [&](const std::string& v) { startFolder = v; }),
        valueOption("--settings", [&](const std::string& v) { settingsFile = v; }),
        valueOption("--size",
                    [&](const std::string& v) {
                        const TPixelSize size = pixelSizeValue("--size", v, 16, 10000);
                        width = size.width;
                        height = size.height;
                    }),
        valueOption("--mode",
                    [&](const std::string& v) {
                        mode = choiceValue("--mode", v, {"cartesian", "polar", "implicit"});
                    }),
        switchOption("--parametric", [&] { parametric = true; }),
        switchOption("--degrees", [&] { degrees = true; }),
        switchOption("--radians", [&] { degrees = false; }),
        valueOption("--x", [&](const std::string& v) { xr = rangeValue("--x", v); }),
        valueOption("--y", [&](const std::string& v) { yr = rangeValue("--y", v); }),
        valueOption("--t", [&](const std::string& v) { tr = rangeValue("--t", v); }),
        valueOption("--relation",
                    [&](const std::string& v) {
                        relation = choiceValue("--relation", v, {"y>", "y>=", "y<", "y<="});
                    }),
        // The plot-step field's text as typed: the paint says when it refuses it, as in the window.
        valueOption("--steps", [&](const std::string& v) { steps = v; }),
        switchOption("--derived", [&] { derived = true; }),
        switchOption("--integral", [&] { integral = true; }),
        switchOption("--square", [&] { square = true; }),
        switchOption("--auto-y", [&] { autoY = true; }),
        valueOption("--graph",
                    [&](const std::string& v) {
                        if (openFileKind(v) != TFileKind::GraphFile)
                            throw UsageError("--graph wants a graph file ending in kvo, not '" + v + "'");
                        graphFile = v;
                    }),
        valueOption("--data",
                    [&](const std::string& v) {
                        if (!isDataSetFileKind(openFileKind(v)))
                            throw UsageError("--data wants a file ending in csv, tsv, txt or sid, not '" + v +
                                             "'");
                        dataFiles.push_back(v);
                    }),
        valueOption("--save-graph", [&](const std::string& v) { saveGraph = v; }),
        valueOption("--implicit-curves",
                    [&](const std::string& v) {
                        smoothCurves = choiceValue("--implicit-curves", v, {"smooth", "rows"}) == "smooth";
                    }),
        valueOption("--antialias",
                    [&](const std::string& v) {
                        antialias = choiceValue("--antialias", v, {"on", "off"}) == "on";
                    }),
        switchOption("--legend", [&] { legend = true; }),
        valueOption("--scale",
                    [&](const std::string& v) {
                        scale = numberValue("--scale", v);
                        if (!(scale >= 0.5 && scale <= 8))
                            throw UsageError("--scale wants a number from 0.5 to 8, not '" + v + "'");
                    }),
    };
    const std::vector<std::string> formulas = readOptions(args, options);
    if (out.empty())
        throw UsageError(
            "-o OUT.png, OUT.bmp, OUT.gif, OUT.svg or OUT.pdf is required (see kurvo render --help)");
    const std::optional<PictureFormat> format = pictureFormatOf(out);
    if (!format) throw UsageError("-o: the picture must end in .png, .bmp, .gif, .svg or .pdf");
    if (width * scale > 10000 || height * scale > 10000)
        throw UsageError("--scale: the picture must stay within 10000x10000 pixels");

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        // Qt asks for a runtime folder and complains on stderr without one; stderr is for messages.
        auto runtime =
            std::filesystem::temp_directory_path() / ("kurvo-runtime-" + std::to_string(::getuid()));
        std::error_code ignored;
        std::filesystem::create_directories(runtime, ignored);
        std::filesystem::permissions(runtime, std::filesystem::perms::owner_all, ignored);
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime.string()));
    }
    int argc = 1;
    char name[] = "kurvo";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);

    // Start as the window starts: the data folder of the start folder, or the built-in defaults.
    TDataSource data = startup::dataSource(startFolder);
    startup::TSession session = startup::startSession(
        data, !settingsFile.empty() ? std::optional(readSettingsFile(settingsFile)) : std::nullopt);
    TSettingsRecord settings = session.settings;
    std::vector<std::string> messages = session.messages;
    if (degrees) settings.DegreeMode = *degrees;
    if (derived) settings.PlotDerived = true;
    if (integral) settings.PlotIntegral = true;
    if (square) settings.SquareAxes = true;
    if (autoY) settings.AutoYScaling = true;
    if (mode == "cartesian" || mode == "polar") {
        settings.CartesianMode = mode == "cartesian";
        settings.ImplicitMode = false;
    } else if (mode == "implicit") {
        settings.ImplicitMode = true;
        settings.ParametricMode = false;
    }
    if (parametric) {
        if (settings.ImplicitMode) throw UsageError("--parametric does not go with implicit mode");
        settings.ParametricMode = true;
    }

    TPlainHost host;
    host.fields = startup::rangeFieldTexts(settings);
    host.plotStep = settings.plotStepText;
    using F = TPlotHost::Field;
    auto setField = [&](F f, const std::string& v) { host.setFieldText(f, utf8ToCp1252(v)); };
    if (xr) setField(F::XMin, xr->first), setField(F::XMax, xr->second);
    if (yr) setField(F::YMin, yr->first), setField(F::YMax, yr->second);
    if (tr) setField(F::TMin, tr->first), setField(F::TMax, tr->second);
    if (steps) host.plotStep = *steps;
    std::vector<std::string> labels = startup::relationLabels(settings, data);
    host.relation = labels.empty() ? std::string() : labels.front();
    if (!relation.empty()) host.relation = relation;
    host.aliases = data.readLines(aliasListName(settings));
    // No one is there to answer; asking for ever wider domains would not end on its own.
    host.answer = false;

    TPlotEngine engine(settings, host);
    engine.Options = session.options;
    if (smoothCurves) engine.Options.smoothImplicitCurves = *smoothCurves;
    if (antialias) engine.Options.antialiasedCurves = *antialias;
    if (legend) engine.Options.showLegend = true;
    engine.setDevicePixelRatio(scale);
    try {
        startup::applySession(engine.Parsers, settings, data);
    } catch (const std::exception& e) {
        host.showError(e);
    }
    engine.setPaintBoxSize(width, height);

    // A formula that cannot be translated or drawn is said and the run goes on with the next, as in
    // the window, but the status says it. A view or plot step the paint refuses ends the run at
    // once: every later paint would refuse it again, and a picture of nothing is no picture.
    bool formulaFailed = false;
    auto report = [&](const std::exception& e) {
        host.showError(e);
        formulaFailed = true;
    };
    auto refused = [&] {
        printMessages(messages, host.messages);
        return 1;
    };
    // The first display: a cleared area with axes and grid.
    try {
        engine.replotAll();
    } catch (const ERefusedView& e) {
        host.showError(e);
        return refused();
    } catch (const std::exception& e) {
        report(e);
    }
    // Files are opened as the Open command opens them. One that cannot be read ends the run before
    // anything is drawn from it; a graph that fails to draw is a message, as in the window.
    if (!graphFile.empty()) {
        const TGraphFileRead read = readGraphFile(graphFile);
        try {
            applyGraphFile(engine, read, graphFile);
        } catch (const ERefusedView& e) {
            host.showError(e);
            return refused();
        } catch (const std::exception& e) {
            report(e);
        }
        if (untranslatedSlots(engine)) formulaFailed = true; // said in the file's message
    }
    for (const auto& file : dataFiles) {
        const TDataSetImport import = readDataSetFile(file, openFileKind(file));
        try {
            applyDataSetImport(engine, import);
        } catch (const ERefusedView& e) {
            host.showError(e);
            return refused();
        } catch (const std::exception& e) {
            report(e);
        }
    }
    for (const auto& f : formulas) {
        host.formula = utf8ToCp1252(f);
        // The Plot action does nothing with an empty field; here it was asked to draw one.
        if (host.formula.empty()) {
            host.showMessage("An empty formula cannot be drawn.");
            formulaFailed = true;
            continue;
        }
        // The Plot action refuses a formula that is too long, or one more graph than the slots
        // hold, with a message and no new graph.
        const bool tooLong = host.formula.size() > TPlotEngine::MaxFormulaLength;
        const std::int32_t lastBefore = settings.LastGraph;
        try {
            engine.PlotAction();
            if (tooLong || (!settings.AutoYScaling && settings.LastGraph == lastBefore)) formulaFailed = true;
        } catch (const ERefusedView& e) {
            host.showError(e);
            return refused();
        } catch (const std::exception& e) {
            report(e);
        }
    }

    if (!saveGraph.empty()) saveGraphFile(engine.Document, saveGraph);
    savePicture(engine, out, *format); // raises EInOutError naming the file and the reason
    printMessages(messages, host.messages);
    std::cout << "view: " << formatGeneral(settings.Xmin) << " " << formatGeneral(settings.Xmax) << " "
              << formatGeneral(settings.Ymin) << " " << formatGeneral(settings.Ymax) << "\n";
    return formulaFailed ? 1 : 0;
}

} // namespace kurvo::cli
