// kurvo render: draws what the window's plot area would show, headless, and saves the picture.
#include "Commands.h"

#include "Cp1252.h"
#include "DataSource.h"
#include "Defaults.h"
#include "GraphFileApply.h"
#include "NumberText.h"
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
  --steps N                the plot-step field
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
  --scale K                device pixel ratio (1, 1.5, 2 ...): the picture has K times the plot
                           area's pixels, drawn as a K-times sharper screen shows it
  -h, --help               show this help

After the last paint it prints "view: XMIN XMAX YMIN YMAX" on standard output and every text the
window would have shown in a message box as "message: TEXT" on standard error.
Exit status: 0 when the picture was written, 1 when it could not be (or a --graph or --data file
could not be read, or --save-graph could not be written), 2 on bad usage.
)";

std::pair<std::string, std::string> splitPair(const std::string& option, const std::string& v) {
    auto comma = v.find(',');
    if (comma == std::string::npos) throw UsageError(option + " wants MIN,MAX, not '" + v + "'");
    return {v.substr(0, comma), v.substr(comma + 1)};
}

} // namespace

int runRender(const Args& args) {
    if (wantsHelp(args)) {
        std::cout << RenderHelp;
        return 0;
    }
    std::string out, startFolder, settingsFile, relation, steps;
    std::optional<std::pair<std::string, std::string>> xr, yr, tr;
    int width = 800, height = 600;
    bool derived = false, integral = false, square = false, parametric = false, autoY = false;
    std::string mode;
    std::optional<bool> degrees;
    std::vector<std::string> formulas;
    std::string graphFile, saveGraph;
    std::vector<std::string> dataFiles;
    std::optional<bool> smoothCurves, antialias;
    double scale = 1;
    bool optionsDone = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsDone || (a.rfind("--", 0) != 0 && a != "-o")) {
            formulas.push_back(a);
        } else if (a == "--") {
            optionsDone = true;
        } else if (a == "-o") {
            out = optionValue(args, i);
        } else if (a == "--start-folder") {
            startFolder = optionValue(args, i);
        } else if (a == "--settings") {
            settingsFile = optionValue(args, i);
        } else if (a == "--size") {
            std::string v = optionValue(args, i);
            auto x = v.find('x');
            try {
                if (x == std::string::npos) throw UsageError("");
                width = std::stoi(v.substr(0, x));
                height = std::stoi(v.substr(x + 1));
            } catch (const std::exception&) {
                throw UsageError("--size wants WxH, not '" + v + "'");
            }
            if (width < 16 || height < 16 || width > 10000 || height > 10000)
                throw UsageError("--size must lie between 16x16 and 10000x10000");
        } else if (a == "--mode") {
            mode = optionValue(args, i);
            if (mode != "cartesian" && mode != "polar" && mode != "implicit")
                throw UsageError("--mode wants cartesian, polar or implicit, not '" + mode + "'");
        } else if (a == "--parametric") {
            parametric = true;
        } else if (a == "--degrees") {
            degrees = true;
        } else if (a == "--radians") {
            degrees = false;
        } else if (a == "--x") {
            xr = splitPair(a, optionValue(args, i));
        } else if (a == "--y") {
            yr = splitPair(a, optionValue(args, i));
        } else if (a == "--t") {
            tr = splitPair(a, optionValue(args, i));
        } else if (a == "--relation") {
            relation = optionValue(args, i);
        } else if (a == "--steps") {
            steps = optionValue(args, i);
        } else if (a == "--derived") {
            derived = true;
        } else if (a == "--integral") {
            integral = true;
        } else if (a == "--square") {
            square = true;
        } else if (a == "--auto-y") {
            autoY = true;
        } else if (a == "--graph") {
            graphFile = optionValue(args, i);
            if (openFileKind(graphFile) != TFileKind::GraphFile)
                throw UsageError("--graph wants a graph file ending in kvo, not '" + graphFile + "'");
        } else if (a == "--data") {
            dataFiles.push_back(optionValue(args, i));
            if (!isDataSetFileKind(openFileKind(dataFiles.back())))
                throw UsageError("--data wants a file ending in csv, tsv, txt or sid, not '" +
                                 dataFiles.back() + "'");
        } else if (a == "--save-graph") {
            saveGraph = optionValue(args, i);
        } else if (a == "--implicit-curves") {
            std::string v = optionValue(args, i);
            if (v != "smooth" && v != "rows")
                throw UsageError("--implicit-curves wants smooth or rows, not '" + v + "'");
            smoothCurves = v == "smooth";
        } else if (a == "--antialias") {
            std::string v = optionValue(args, i);
            if (v != "on" && v != "off") throw UsageError("--antialias wants on or off, not '" + v + "'");
            antialias = v == "on";
        } else if (a == "--scale") {
            std::string v = optionValue(args, i);
            std::size_t used = 0;
            try {
                scale = std::stod(v, &used);
            } catch (const std::exception&) {
                used = 0;
            }
            if (used != v.size() || !(scale >= 0.5 && scale <= 8))
                throw UsageError("--scale wants a number from 0.5 to 8, not '" + v + "'");
        } else {
            throw UsageError("unknown option " + a);
        }
    }
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
    if (!steps.empty()) host.plotStep = steps;
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
    engine.setDevicePixelRatio(scale);
    try {
        startup::applySession(engine.Parsers, settings, data);
    } catch (const std::exception& e) {
        host.showError(e);
    }
    engine.setPaintBoxSize(width, height);

    auto report = [&](const std::exception& e) { host.showError(e); };
    // The first display: a cleared area with axes and grid.
    try {
        engine.replotAll();
    } catch (const std::exception& e) {
        report(e);
    }
    // Files are opened as the Open command opens them. One that cannot be read ends the run before
    // anything is drawn from it; a graph that fails to draw is a message, as in the window.
    if (!graphFile.empty()) {
        const TGraphFileRead read = readGraphFile(graphFile);
        try {
            applyGraphFile(engine, read, graphFile);
        } catch (const std::exception& e) {
            report(e);
        }
    }
    for (const auto& file : dataFiles) {
        const TDataSetImport import = readDataSetFile(file, openFileKind(file));
        try {
            applyDataSetImport(engine, import);
        } catch (const std::exception& e) {
            report(e);
        }
    }
    for (const auto& f : formulas) {
        host.formula = utf8ToCp1252(f);
        try {
            engine.PlotAction();
        } catch (const std::exception& e) {
            report(e);
        }
    }

    if (!saveGraph.empty()) saveGraphFile(engine.Document, saveGraph);
    savePicture(engine, out, *format); // raises EInOutError naming the file and the reason
    for (const auto& m : messages)
        std::cerr << "message: " << cp1252ToUtf8(m) << "\n";
    for (const auto& m : host.messages) {
        std::string line;
        for (char c : m)
            line += c == '\r' ? std::string(" | ") : std::string(1, c);
        std::cerr << "message: " << cp1252ToUtf8(line) << "\n";
    }
    std::cout << "view: " << formatGeneral(settings.Xmin) << " " << formatGeneral(settings.Xmax) << " "
              << formatGeneral(settings.Ymin) << " " << formatGeneral(settings.Ymax) << "\n";
    return 0;
}

} // namespace kurvo::cli
