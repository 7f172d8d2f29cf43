// The sample export: rows of the formula over a range, in each mode, and the ranges it refuses.
#include "SampleExport.h"

#include "Defaults.h"
#include "Errors.h"
#include "NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <tuple>
#include <utility>

using namespace kurvo;

namespace {

using Rows = std::vector<std::string>;

/// The default settings in one explicit (not implicit) mode.
TSettingsRecord settingsIn(bool cartesian, bool parametric) {
    TSettingsRecord mode = defaultSettings();
    mode.CartesianMode = cartesian;
    mode.ParametricMode = parametric;
    mode.ImplicitMode = false;
    return mode;
}

struct ModeRow {
    const char* what;
    bool cartesian, parametric;
    std::string formula;
    long double from, to, step;
    char separator;
    Rows rows;
};

TEST(SampleExport, RowsInEachMode) {
    const ModeRow table[] = {
        {"square", true, false, "x^2", -1, 1, 1, ',', {"x,y", "-1,1", "0,0", "1,1"}},
        {"1/x leaves out 0", true, false, "1/x", -1, 1, 1, ',', {"x,y", "-1,-1", "1,1"}},
        {"tab", true, false, "2x", 0, 1, 0.5L, '\t', {"x\ty", "0\t0", "0.5\t1", "1\t2"}},
        {"constants", true, false, "a*x", 1, 1, 1, ',', {"x,y", "1,1"}},
        {"above the end", true, false, "x", 2, 1, 1, ',', {"x,y"}},
        {"polar", false, false, "2", 0, 0, 1, ',', {"x,y", "2,0"}},
        {"parametric", true, true, "t,3t", 1, 2, 1, ',', {"x,y", "1,3", "2,6"}},
        {"polar parametric", false, true, "3,0", 0, 0, 1, ',', {"x,y", "3,0"}},
    };
    for (const ModeRow& row : table) {
        const TSettingsRecord mode = settingsIn(row.cartesian, row.parametric);
        TPlotParsers parsers;
        TSampleRequest request{row.formula, {}, row.from, row.to, row.step, row.separator};
        EXPECT_EQ(sampleFormula(parsers, mode, request), row.rows) << row.what;
    }
}

TEST(SampleExport, EachValueIsFromPlusKSteps) {
    // A running sum of 0.1 would write 6.38378239159465E-16 for 0 and 12.6,158.759999999999.
    struct Row {
        long double from, to, step;
        std::size_t index; ///< of the row checked, after the header
        const char* line;
        const char* last; ///< the last row
    };
    const Row rows[] = {
        {-2, 13, 0.1L, 21, "0,0", "13,169"},
        {-2, 13, 0.1L, 147, "12.6,158.76", "13,169"},
        {-2, 13, 0.1, 20, "-0.1,0.01", "13,169"},   // the step as the nearest double, not long double
        {0, 0.3L, 0.1L, 4, "0.3,0.09", "0.3,0.09"}, // 0.3 / 0.1 is 3 within rounding: the end is written
        {0, 1, 0.3L, 4, "0.9,0.81", "0.9,0.81"},    // not a whole number of steps: the end is not
        {-1e-15L, 0, 1e-16L, 5, "-6E-16,3.6E-31", "0,0"},
        // No short decimals: only what is left near 0 is rounded away.
        {-std::numbers::pi, std::numbers::pi, std::numbers::pi / 4, 5, "0,0",
         "3.14159265358979,9.86960440108936"},
        {-std::numbers::pi, 1, std::numbers::pi / 4, 3, "-1.5707963267949,2.46740110027234",
         "0.785398163397448,0.616850275068085"},
    };
    for (const Row& row : rows) {
        TPlotParsers parsers;
        TSampleRequest request{"x^2", {}, row.from, row.to, row.step, ','};
        const Rows got = sampleFormula(parsers, defaultSettings(), request);
        ASSERT_GT(got.size(), row.index) << row.line;
        EXPECT_EQ(got[row.index], row.line);
        EXPECT_EQ(got.back(), row.last) << row.line;
        EXPECT_EQ(got.size() - 1, sampleRowCount(row.from, row.to, row.step)) << row.line;
    }
}

// The values are evaluated in blocks: across many blocks, with failures in between and a stop
// asked for, the rows are those of one evaluation per value.
TEST(SampleExport, RowsOfBlocksMatchOneEvaluationPerValue) {
    struct Row {
        bool cartesian, parametric, stops;
        std::string formula;
    };
    const Row table[] = {
        {true, false, false, "sqrt(sin(x))"},
        {true, false, true, "ln(cos(3x))"},
        {false, false, false, "sqrt(sin(t))"},
        {true, true, false, "sqrt(sin(t)),ln(cos(t))"},
        {false, true, true, "1/(t-25),sqrt(t-7)"},
    };
    const long double from = -3, to = 50, step = 0.01L;
    for (const Row& row : table) {
        const TSettingsRecord mode = settingsIn(row.cartesian, row.parametric);
        TPlotParsers parsers;
        const auto stop = [&] { return row.stops; };
        const Rows got = sampleFormula(parsers, mode, TSampleRequest{row.formula, {}, from, to, step, ','}, stop);

        // one evaluation per value, an error leaving the value out, the stop asked every 4096 values
        TParser first, second;
        const auto comma = row.formula.find(',');
        if (row.parametric) {
            first.setExpression(parsers.translate(row.formula.substr(0, comma)));
            second.setExpression(parsers.translate(row.formula.substr(comma + 1)));
        } else {
            second.setExpression(parsers.translate(row.formula));
        }
        Rows expected{"x,y"};
        for (std::uint64_t k = 0; k < sampleRowCount(from, to, step); ++k) {
            if ((k + 1) % 4096 == 0 && row.stops) break;
            const double v = sampleValue(from, to, step, k);
            first.T = second.T = second.X = v;
            try {
                long double x = v, y = second.Value();
                if (row.parametric) {
                    x = first.Value();
                    if (!row.cartesian) std::tie(x, y) = std::pair(x * std::cos(y), x * std::sin(y));
                } else if (!row.cartesian) {
                    std::tie(x, y) = std::pair(y * std::cos(static_cast<long double>(v)), y * std::sin(static_cast<long double>(v)));
                }
                expected.push_back(formatGeneral(x) + "," + formatGeneral(y));
            } catch (const EMathError&) {
            }
        }
        EXPECT_EQ(got, expected) << row.formula;
        EXPECT_LT(got.size(), sampleRowCount(from, to, step)) << row.formula; // some values failed
    }
}

TEST(SampleExport, AliasesAndTheDrawingParsersStayAlone) {
    TPlotParsers parsers;
    parsers.Parser1.setExpression("X+1");
    parsers.Parser2.setExpression("X+2");
    TSettingsRecord mode = defaultSettings();
    TSampleRequest request{"Twice", {"2x:twice"}, 3, 3, 1, ','};
    EXPECT_EQ(sampleFormula(parsers, mode, request), (Rows{"x,y", "3,6"}));
    parsers.Parser1.X = 0;
    parsers.Parser2.X = 0;
    EXPECT_EQ(parsers.Parser1.Value(), 1);
    EXPECT_EQ(parsers.Parser2.Value(), 2);
}

TEST(SampleExport, RangesThatCannotBeSampled) {
    struct Row {
        long double from, to, step;
        bool refused;
    };
    for (Row row : {Row{0, 1, 0, true}, Row{0, 1, -1, true}, Row{1e20L, 1e20L + 10, 1, true},
                    Row{0, 1e300L, 1, true}, Row{0, 1, 0.1L, false}, Row{5, -5, 1, false}}) {
        EXPECT_EQ(!sampleRangeProblem(row.from, row.to, row.step).empty(), row.refused)
            << static_cast<double>(row.from) << " " << static_cast<double>(row.step);
    }
    EXPECT_EQ(sampleRangeProblem(0, 1, 0), "The step must be greater than 0.");
    TPlotParsers parsers;
    TSampleRequest request{"x", {}, 0, 1, 0, ','};
    EXPECT_THROW(sampleFormula(parsers, defaultSettings(), request), std::invalid_argument);
}

TEST(SampleExport, RowCounts) {
    EXPECT_EQ(sampleRowCount(-1, 1, 1), 3u);
    EXPECT_EQ(sampleRowCount(-2, 2, 0.1L), 41u);
    EXPECT_EQ(sampleRowCount(0, 1, 0.3L), 4u);
    EXPECT_EQ(sampleRowCount(1, -1, 1), 0u);
    EXPECT_EQ(sampleRowCount(0, 1e6L, 1), 1000001u);
    EXPECT_GT(sampleRowCount(0, 1e6L, 1), SampleRowsWithoutAsking);
    EXPECT_EQ(sampleRowCount(0, 1e6L - 1, 1), SampleRowsWithoutAsking);
}

TEST(SampleExport, AFormulaThatDoesNotTranslateRaises) {
    TPlotParsers parsers;
    TSampleRequest request{"x+", {}, 0, 1, 1, ','};
    EXPECT_THROW(sampleFormula(parsers, defaultSettings(), request), EMathParserError);
}

TEST(SampleExport, FileBytesEndEveryRowWithCrLf) {
    EXPECT_EQ(sampleFileBytes({"x,y", "1,2"}), "x,y\r\n1,2\r\n");
}

} // namespace
