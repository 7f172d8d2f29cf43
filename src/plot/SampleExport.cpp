// The sample export: translation of the formula, the sampling loop and the file's bytes.
#include "SampleExport.h"

#include "Aliases.h"
#include "AsciiCase.h"
#include "Errors.h"
#include "NumberText.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace kurvo {

std::string sampleRangeProblem(long double from, long double to, long double step) {
    if (!std::isfinite(from) || !std::isfinite(to) || !std::isfinite(step))
        return "The range and the step must be numbers.";
    if (!(step > 0)) return "The step must be greater than 0.";
    // v is held as a double: a step lost in its rounding would leave v where it is for ever.
    for (long double v : {from, std::max(from, to)}) {
        const double d = static_cast<double>(v);
        if (static_cast<double>(d + step) == d)
            return "The step " + formatGeneral(step) + " is too small for the values near " +
                   formatGeneral(v) + ".";
    }
    return {};
}

std::uint64_t sampleRowCount(long double from, long double to, long double step) {
    if (to < from) return 0;
    const long double n = std::floor((to - from) / step) + 1;
    if (n >= static_cast<long double>(std::numeric_limits<std::uint64_t>::max()))
        return std::numeric_limits<std::uint64_t>::max();
    return static_cast<std::uint64_t>(n);
}

std::vector<std::string> sampleFormula(TPlotParsers& parsers, const TSettingsRecord& mode,
                                       const TSampleRequest& request, const std::function<bool()>& stop) {
    if (std::string problem = sampleRangeProblem(request.from, request.to, request.step); !problem.empty())
        throw std::invalid_argument(problem);
    parsers.syncModes(mode);
    auto translate = [&](const std::string& text) { return parsers.translate(text); };

    // Own evaluators over the shared context (user functions, mode), so no drawn graph changes.
    TParser first(parsers.Context), second(parsers.Context);
    const std::string text = applyAliases(asciiLower(request.formula), request.aliases);
    const bool pair = mode.ParametricMode && !mode.ImplicitMode;
    if (pair) {
        const auto comma = text.find(',');
        first.setExpression(translate(comma == std::string::npos ? text : text.substr(0, comma)));
        second.setExpression(translate(comma == std::string::npos ? std::string() : text.substr(comma + 1)));
    } else {
        second.setExpression(translate(text));
    }
    TPlotParsers::copyConstants(first, mode);
    TPlotParsers::copyConstants(second, mode);

    const std::string sep(1, request.separator);
    std::vector<std::string> rows{"x" + sep + "y"};
    std::uint64_t n = 0;
    for (double v = static_cast<double>(request.from); v <= request.to;
         v = static_cast<double>(v + request.step)) {
        if ((++n & 0xFFF) == 0 && stop && stop()) break;
        long double x = 0, y = 0;
        try {
            if (mode.CartesianMode && !pair) {
                second.X = v;
                x = v;
                y = second.Value();
            } else if (!mode.CartesianMode && !pair) {
                second.T = v;
                const long double r = second.Value();
                x = r * std::cos(static_cast<long double>(v));
                y = r * std::sin(static_cast<long double>(v));
            } else {
                first.T = v;
                second.T = v;
                const long double f = first.Value();
                const long double g = second.Value();
                if (mode.CartesianMode) {
                    x = f;
                    y = g;
                } else {
                    x = f * std::cos(g);
                    y = f * std::sin(g);
                }
            }
        } catch (const EMathError&) {
            continue; // a point that does not evaluate is left out
        }
        rows.push_back(formatGeneral(x) + sep + formatGeneral(y));
    }
    return rows;
}

std::string sampleFileBytes(const std::vector<std::string>& rows) {
    std::string bytes;
    for (const auto& row : rows)
        bytes += row + "\r\n";
    return bytes;
}

} // namespace kurvo
