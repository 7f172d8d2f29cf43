// The sample export: translation of the formula, the sampling loop and the file's bytes.
#include "SampleExport.h"

#include "Aliases.h"
#include "AsciiCase.h"
#include "Errors.h"
#include "NumberText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <span>
#include <stdexcept>

namespace kurvo {

std::string sampleRangeProblem(long double from, long double to, long double step) {
    if (!std::isfinite(from) || !std::isfinite(to) || !std::isfinite(step))
        return "The range and the step must be numbers.";
    if (!(step > 0)) return "The step must be greater than 0.";
    // The values are doubles: a step lost in their rounding would write the same value again and again.
    for (long double v : {from, std::max(from, to)}) {
        const double d = static_cast<double>(v);
        if (static_cast<double>(d + step) == d)
            return "The step " + formatGeneral(step) + " is too small for the values near " +
                   formatGeneral(v) + ".";
    }
    return {};
}

namespace {

/// The number of steps from `from` to `to`, and whether that is a whole number within the
/// rounding of the three values (0.1 has no exact binary form: 4 / 0.1 need not give exactly 40).
struct StepCount {
    long double steps;
    bool whole;
};

StepCount stepCount(long double from, long double to, long double step) {
    const long double quotient = (to - from) / step;
    const long double nearest = std::round(quotient);
    const long double tolerance = 64 * std::numeric_limits<double>::epsilon() * std::max(1.0L, nearest);
    if (std::fabs(quotient - nearest) <= tolerance) return {nearest, true};
    return {std::floor(quotient), false};
}

/// A typed decimal times 10^d, d its places, lies within half a unit in the last place of a double
/// from an integer; below this size that test tells a short decimal from a number such as π/10 (a
/// chance below 0.2 % of taking the one for the other).
constexpr long double DecimalLimit = 1e12L;
/// Below this size a value times 10^d is held to better than a unit, so rounding it means something.
constexpr long double RoundingLimit = 1e15L;

/// The fewest decimal places that write the value (0.1 has 1, −2 has 0, 2.5E-7 has 8), or -1 when
/// it is no short decimal (π/10).
int decimalPlaces(long double value) {
    long double power = 1;
    for (int d = 0; d <= 20; ++d, power *= 10) {
        const long double scaled = value * power;
        if (std::fabs(scaled) >= DecimalLimit) break;
        if (std::fabs(scaled - std::round(scaled)) <=
            4 * std::numeric_limits<double>::epsilon() * std::fabs(scaled))
            return d;
    }
    return -1;
}

} // namespace

std::uint64_t sampleRowCount(long double from, long double to, long double step) {
    if (to < from) return 0;
    const long double n = stepCount(from, to, step).steps + 1;
    if (n >= static_cast<long double>(std::numeric_limits<std::uint64_t>::max()))
        return std::numeric_limits<std::uint64_t>::max();
    return static_cast<std::uint64_t>(n);
}

double sampleValue(long double from, long double to, long double step, std::uint64_t k) {
    const StepCount count = stepCount(from, to, step);
    if (count.whole && static_cast<long double>(k) == count.steps) return static_cast<double>(to);
    const long double kStep = static_cast<long double>(k) * step;
    const long double v = from + kStep;
    // from and step are the doubles nearest what was typed, and k times their rounding shows in the
    // value (−2 + 19·0.1 is −0.0999999999999999). A value of typed decimals is a decimal with no more
    // places than they have: rounding to those places gives the value meant.
    const int fromPlaces = decimalPlaces(from);
    const int stepPlaces = decimalPlaces(step);
    if (fromPlaces >= 0 && stepPlaces >= 0) {
        const long double power = std::pow(10.0L, std::max(fromPlaces, stepPlaces));
        if (std::fabs(v * power) < RoundingLimit) return static_cast<double>(std::round(v * power) / power);
    }
    // Otherwise what is left near 0 is that rounding alone: a value within it of 0 is 0.
    const long double rounding =
        8 * std::numeric_limits<double>::epsilon() * (std::fabs(from) + std::fabs(kStep));
    return std::fabs(v) <= rounding ? 0.0 : static_cast<double>(v);
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
    const std::uint64_t count = sampleRowCount(request.from, request.to, request.step);
    // The values are evaluated a block at a time, as one row per evaluator; a point that does not
    // evaluate is left out.
    constexpr std::size_t Block = 256;
    std::array<double, Block> vs;
    std::array<EvalResult, Block> firsts, seconds;
    const bool cartesian = mode.CartesianMode && !pair, polar = !mode.CartesianMode && !pair;
    for (std::uint64_t start = 0; start < count; start += Block) {
        const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(Block, count - start));
        // Each value is from + k·step, never a running sum, whose rounding would grow row by row.
        for (std::size_t i = 0; i < n; ++i)
            vs[i] = sampleValue(request.from, request.to, request.step, start + i);
        const std::span values(vs.data(), n);
        second.Values(cartesian ? second.X : second.T, values, std::span(seconds.data(), n));
        if (pair) first.Values(first.T, values, std::span(firsts.data(), n));
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint64_t k = start + i;
            if (((k + 1) & 0xFFF) == 0 && stop && stop()) return rows;
            const double v = vs[i];
            long double x = 0, y = 0;
            if (cartesian) {
                if (!seconds[i].ok()) continue;
                x = v;
                y = seconds[i].value;
            } else if (polar) {
                if (!seconds[i].ok()) continue;
                const long double r = seconds[i].value;
                x = r * std::cos(static_cast<long double>(v));
                y = r * std::sin(static_cast<long double>(v));
            } else {
                if (!firsts[i].ok() || !seconds[i].ok()) continue;
                const long double f = firsts[i].value;
                const long double g = seconds[i].value;
                if (mode.CartesianMode) {
                    x = f;
                    y = g;
                } else {
                    x = f * std::cos(g);
                    y = f * std::sin(g);
                }
            }
            rows.push_back(formatGeneral(x) + sep + formatGeneral(y));
        }
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
