// kurvo stats and kurvo fit: the statistics and regression dialogs' results for data-set files.
#include "Commands.h"

#include "Cp1252.h"
#include "DataSetFile.h"
#include "DataSetStore.h"
#include "Errors.h"
#include "GraphFile.h"
#include "NumLabText.h"
#include "Options.h"
#include "Regression.h"
#include "Statistics.h"

#include <filesystem>
#include <functional>
#include <iostream>

namespace kurvo::cli {
namespace {

const char* StatsHelp =
    R"(Usage: kurvo stats [--start-folder DIR] FILE...

Imports each FILE (a graph file .kvo, or a data-set file .csv, .tsv, .sid or .txt) into the
data-set store as the Open command does, and prints the statistics of all points pooled, one per
line: the label's name, a TAB, and the value with 8 significant digits as the statistics dialog
shows it:

  num_pts sumx sumxsqu meanx sampsdx popsdx sumy sumysqu meany sampsdy popsdy meandiff sddiff
  corr_coeff

Sample deviations and r are 0 with fewer than 3 points.

Options:
  --start-folder DIR   start folder (accepted for symmetry with the other subcommands; the
                       files are read as given)
  -h, --help           show this help

Exit status: 0 on success; 1 when a file cannot be read, holds a line that is not a number pair
x,y (each such line is printed as an error line), or there are no data points; 2 on bad usage.
)";

const char* FitHelp =
    R"(Usage: kurvo fit [--degree M] [--start-folder DIR] FILE...

Imports the FILEs as kurvo stats does and prints the regression dialog's results, one per line,
name TAB value:

  linear           the least-squares line, as Transfer puts it into the formula field (4x+-6)
  linear_quality   its R², two decimals
  poly             the least-squares polynomial of degree M (1+2x+3x^2)
  poly_quality     its R², two decimals

A fit that fails (all x equal; a degree not smaller than the number of points) leaves its two
values empty and says why on standard error.

Options:
  --degree M           degree of the polynomial, 0 to 8 (default 2)
  --start-folder DIR   as for kurvo stats
  -h, --help           show this help

Exit status: as kurvo stats.
)";

struct DataSetArgs {
    std::vector<std::string> files;
    int degree = 2;
};

DataSetArgs readArgs(const Args& args, bool degreeAllowed, const char* command) {
    DataSetArgs r;
    std::vector<TOption> options = {
        valueOption("--start-folder",
                    [&](const std::string& dir) {
                        if (!std::filesystem::is_directory(std::filesystem::u8path(dir)))
                            throw UsageError("--start-folder " + dir + " is not a folder");
                    }),
    };
    if (degreeAllowed)
        options.push_back(valueOption(
            "--degree", [&](const std::string& v) { r.degree = wholeNumberValue("--degree", v, 0, 8); }));
    r.files = readOptions(args, options);
    if (r.files.empty()) throw UsageError(std::string("no file given (see kurvo ") + command + " --help)");
    return r;
}

/// Imports every file into the store. Prints an error line for each line that is no point and
/// returns false when there was one; a file that cannot be read raises.
bool importFilesOrRaise(const std::vector<std::string>& files, TDataSetStore& store) {
    std::vector<TRejectedLine> rejected;
    for (const std::string& name : files) {
        const std::filesystem::path path = std::filesystem::u8path(name);
        const TFileKind kind = openFileKind(name);
        std::vector<std::string> lines;
        if (kind == TFileKind::GraphFile) {
            TGraphFileRead read = readGraphFile(path);
            lines = std::move(read.graph.dataSetLines);
            rejected.insert(rejected.end(), read.rejected.begin(), read.rejected.end());
        } else if (isDataSetFileKind(kind)) {
            TDataSetImport read = readDataSetFile(path, kind);
            lines = std::move(read.lines);
            rejected.insert(rejected.end(), read.rejected.begin(), read.rejected.end());
        } else {
            throw EInOutError(name + ": not a graph file (kvo) or a data-set file (csv, tsv, sid, txt)");
        }
        store.appendLines(lines);
    }
    for (const TRejectedLine& r : rejected)
        std::cout << errorLine(EConvertError(r.message())) << "\n";
    return rejected.empty();
}

/// Imports the files; a file that cannot be read is printed as an error line. False on any failure.
bool importFiles(const std::vector<std::string>& files, TDataSetStore& store) {
    try {
        return importFilesOrRaise(files, store);
    } catch (const std::exception& e) {
        std::cout << errorLine(e) << "\n";
        return false;
    }
}

std::string labelText(double value) {
    return formatNumLabValue(value, dtFloat, 8).value_or(std::string());
}

/// What `kurvo stats` and `kurvo fit` share: the help, the options and the import of the files;
/// then `work` on all points pooled. Status 1 when a file could not be imported.
int runOnPoints(const Args& args, const char* help, bool degreeAllowed, const char* command,
                const std::function<int(const DataSetArgs&, DataPoints)>& work) {
    if (printedHelp(args, help)) return 0;
    const DataSetArgs a = readArgs(args, degreeAllowed, command);
    TDataSetStore store;
    if (!importFiles(a.files, store)) return 1;
    return work(a, store.allPoints());
}

} // namespace

int runStats(const Args& args) {
    return runOnPoints(args, StatsHelp, false, "stats", [](const DataSetArgs&, DataPoints points) {
        const Statistics s = computeStatistics(points);
        if (!s.ok()) {
            std::cerr << "kurvo stats: " << s.error << "\n";
            return 1;
        }
        const auto values = s.values();
        for (std::size_t i = 0; i < values.size(); ++i)
            std::cout << StatisticsLabels[i].name << "\t" << labelText(values[i]) << "\n";
        return 0;
    });
}

int runFit(const Args& args) {
    return runOnPoints(args, FitHelp, true, "fit", [](const DataSetArgs& a, DataPoints points) {
        const LinearRegression line = fitLine(points);
        if (line.error == msg::NoDataPoints) {
            std::cerr << "kurvo fit: " << line.error << "\n";
            return 1;
        }
        const PolynomialRegression poly = fitPolynomial(points, a.degree);
        if (!line.ok()) std::cerr << "kurvo fit: " << line.error << "\n";
        if (!poly.ok()) std::cerr << "kurvo fit: " << poly.error << "\n";
        std::cout << "linear\t" << cp1252ToUtf8(line.equation) << "\n"
                  << "linear_quality\t" << line.quality << "\n"
                  << "poly\t" << cp1252ToUtf8(poly.equation) << "\n"
                  << "poly_quality\t" << poly.quality << "\n";
        return 0;
    });
}

} // namespace kurvo::cli
