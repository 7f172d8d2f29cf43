// kurvo table: the window's sample export ("Save As Dataset") on the command line, byte for byte.
#include "Commands.h"

#include "AtomicFile.h"
#include "Cp1252.h"
#include "DataSource.h"
#include "Errors.h"
#include "NumberText.h"
#include "Options.h"
#include "PlotParsers.h"
#include "SampleExport.h"
#include "Startup.h"

#include <iostream>
#include <optional>

namespace kurvo::cli {
namespace {

const char* TableHelp =
    R"(Usage: kurvo table [--start-folder DIR] [--mode cartesian|polar] [--parametric] [--degrees] [--tsv]
                   --from A --to B [--step S] [-o FILE] [--] FORMULA

Samples FORMULA (classroom notation; a parametric pair as "f,g") as the window's "Save As Dataset"
does and writes the same bytes: the header "x,y" (x TAB y with --tsv), then one row per value
A, A+S, ... up to B, CR LF line ends. Cartesian rows are x, f(x); polar rows r cos t, r sin t;
parametric rows f(t), g(t) (polar parametric: r cos a, r sin a). Points that fail to evaluate are
left out.

Options:
  --start-folder DIR   start folder whose data folder gives the settings, aliases and user
                       functions; default: the current folder if it has a data folder, else the
                       built-in defaults
  --mode cartesian|polar, --parametric, --degrees
                       the mode switches (default: the stored settings' mode)
  --tsv                separate x and y by a TAB, as the TSV filter does
  --from A, --to B     the range of x (Cartesian) or t (polar, parametric); plain numbers
                       with "." as the decimal point (1.5, -2, 1E-6)
  --step S             the step, greater than 0 (default 0.1)
  -o FILE              write FILE (atomically) instead of standard output
  -h, --help           show this help

More than 1000000 rows are refused (the window asks first).
Exit status: 0 when the table was written, 1 when it could not be (a formula that does not
translate, too many rows, a file that cannot be written), 2 on bad usage (an unknown option, a
missing value, a value that is not a plain number or not one of the words listed).
)";

} // namespace

int runTable(const Args& args) {
    if (printedHelp(args, TableHelp)) return 0;
    std::string startFolder, out;
    TModeSwitches modes;
    bool tsv = false;
    std::optional<long double> from, to;
    long double step = 0.1L;
    std::vector<TOption> options = {
        valueOption("--start-folder", [&](const std::string& v) { startFolder = v; }),
        switchOption("--tsv", [&] { tsv = true; }),
        valueOption("--from", [&](const std::string& v) { from = numberValue("--from", v); }),
        valueOption("--to", [&](const std::string& v) { to = numberValue("--to", v); }),
        valueOption("--step", [&](const std::string& v) { step = numberValue("--step", v); }),
        valueOption("-o", [&](const std::string& v) { out = v; }),
    };
    addModeOptions(options, modes, {"cartesian", "polar"}, false);
    const std::vector<std::string> formulas = readOptions(args, options);
    if (!from || !to) throw UsageError("--from A and --to B are required (see kurvo table --help)");
    if (formulas.size() != 1) throw UsageError("give exactly one FORMULA (see kurvo table --help)");
    if (!(step > 0)) throw UsageError("--step must be greater than 0");

    TDataSource data = startup::dataSource(startFolder);
    TSettingsRecord settings = startup::startSession(data).settings;
    applyModeSwitch(modes, settings);
    if (modes.parametric) {
        settings.ParametricMode = true;
        settings.ImplicitMode = false;
    }

    TSampleRequest request;
    request.formula = utf8ToCp1252(formulas.front());
    request.aliases = data.readLines(aliasListName(settings));
    request.from = *from;
    request.to = *to;
    request.step = step;
    request.separator = tsv ? '\t' : ',';
    if (std::string problem = sampleRangeProblem(request.from, request.to, request.step); !problem.empty()) {
        std::cerr << "kurvo table: " << problem << "\n";
        return 1;
    }
    if (const std::uint64_t rows = sampleRowCount(request.from, request.to, request.step);
        rows > SampleRowsWithoutAsking) {
        std::cerr << "kurvo table: the range gives " << rows << " rows, more than " << SampleRowsWithoutAsking
                  << "; choose a larger step or a smaller range\n";
        return 1;
    }

    TPlotParsers parsers;
    try {
        startup::applySession(parsers, settings, data);
    } catch (const std::exception& e) {
        std::cerr << "message: " << errorLine(e) << "\n"; // as the window reports it, then goes on
    }
    std::vector<std::string> rows;
    try {
        rows = sampleFormula(parsers, settings, request);
    } catch (const EKurvoError& e) {
        std::cerr << errorLine(e) << "\n";
        return 1;
    }
    const std::string bytes = sampleFileBytes(rows);
    if (out.empty())
        std::cout << cp1252ToUtf8(bytes) << std::flush;
    else
        writeFileAtomically(out, bytes);
    return 0;
}

} // namespace kurvo::cli
