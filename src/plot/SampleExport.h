// The sample export: the current formula evaluated over a range and written as data-set rows.
#pragma once

#include "PlotParsers.h"
#include "SettingsRecord.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace kurvo {

/// What to sample: the formula field's text (classroom notation, a parametric pair as "f,g"), the
/// range of x (Cartesian) or t (polar and parametric), the step and the separator of x and y.
struct TSampleRequest {
    std::string formula;
    std::vector<std::string> aliases; ///< the mode's alias list, applied as the Plot action does
    long double from = 0;
    long double to = 0;
    long double step = 0.1L;
    char separator = ','; ///< a TAB for tsv files
};

/// An export of more rows than this asks first in the window and is refused by the command line.
inline constexpr std::uint64_t SampleRowsWithoutAsking = 1000000;

/// Why the range cannot be sampled, or empty: a value that is not finite, a step of 0 or less
/// (the sampling would never end), or a step too small to move from one value to the next.
std::string sampleRangeProblem(long double from, long double to, long double step);

/// The number of sample values from, from + step, ... up to `to` (0 when `to` lies below `from`);
/// when `to` − `from` is a whole number of steps within rounding, `to` is the last of them. The
/// range must have passed sampleRangeProblem.
std::uint64_t sampleRowCount(long double from, long double to, long double step);

/// Sample value k: from + k·step, formed once in extended precision (not by adding up steps), 0
/// where only the rounding of from and step is left of it, and exactly `to` for the last value of
/// a whole number of steps.
double sampleValue(long double from, long double to, long double step, std::uint64_t k);

/// Samples the formula in the settings' mode: the header "x" separator "y", then one row "X,Y" per
/// sample value v (sampleRowCount, sampleValue), Cartesian (v, f(v)), polar
/// (r cos v, r sin v) with r = f(v), parametric (f(v), g(v)), polar parametric (r cos a, r sin a)
/// with r = f(v), a = g(v). A value whose evaluation fails gives no row. Raises the translation or
/// parse error of the formula, and std::invalid_argument with the text of sampleRangeProblem.
/// `stop`, asked every few thousand rows, ends the sampling early when it returns true.
/// The parsers' context and translator are used; no drawing parser is changed.
std::vector<std::string> sampleFormula(TPlotParsers& parsers, const TSettingsRecord& mode,
                                       const TSampleRequest& request, const std::function<bool()>& stop = {});

/// The rows as the file holds them: each ended by CR LF.
std::string sampleFileBytes(const std::vector<std::string>& rows);

} // namespace kurvo
