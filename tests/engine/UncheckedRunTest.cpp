// The unchecked double run, TryValue and row evaluation against the run checked after every
// evaluation: the same value to the last bit, or the same error class, for random formulas.
// KURVO_DIFFERENTIAL_SECONDS=600 runs the random comparison for that long instead of a short run.
#include "Errors.h"
#include "Parser.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <span>
#include <string>
#include <vector>

using namespace kurvo;

namespace {

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool same(const EvalResult& a, const EvalResult& b) {
    return a.error == b.error && sameBits(a.value, b.value);
}

std::string describe(const EvalResult& r) {
    return r.ok() ? std::to_string(r.value) : errorClassName(r.error);
}

/// Value() as an outcome: its value, or the class of what it threw.
EvalResult throwingValue(TParser& p) {
    try {
        return EvalResult{static_cast<double>(p.Value()), EvalError::None};
    } catch (const EKurvoError& e) {
        const std::string name = e.className();
        for (EvalError k : {EvalError::InvalidOp, EvalError::ZeroDivide, EvalError::Overflow, EvalError::DivByZero,
                            EvalError::RecursiveFunction})
            if (name == errorClassName(k)) return EvalResult{0, k};
        ADD_FAILURE() << "unexpected error " << name;
        return EvalResult{};
    }
}

struct Case {
    const char* text;
    double x;
    const char* error; // "" for a value
};

// Formulas whose failing step a later step hides from the value: only the check finds them.
TEST(UncheckedRun, HiddenFailuresKeepTheirErrorClass) {
    const Case rows[] = {
        {"ARCTAN(1/X)", 0, "EZeroDivide"},   {"1/(1/X)", 0, "EZeroDivide"},
        {"MAX(SQRT(X),1)", -1, "EInvalidOp"}, {"HEAV(LN(X))", 0, "EZeroDivide"},
        {"SIGN(LN(X))", -2, "EInvalidOp"},    {"(X*X)*0", 1e200, "EOverflow"},
        {"EXP(X)-EXP(X)", 1000, "EOverflow"}, {"ZERO(X^2*X^2)", 1e100, "EOverflow"},
        {"1/EXP(X)", 1000, "EOverflow"},      {"LOGN(X,2)", 1, "EZeroDivide"},
        {"SIN(X/0)", 1, "EZeroDivide"},       {"X/0-X/0", 0, "EInvalidOp"},
        {"-X", -0.0, ""},                     {"X/(1/X)", 4.9e-324, "EOverflow"},
        {"ABS(X)*0", -0.0, ""},               {"SQRT(X)+X", 4, ""},
        // The functions called directly: EXP(-inf) and SIN(inf) are finite, ABS and SQRT pass inf on.
        {"EXP(-(X*X))", 1e200, "EOverflow"},  {"SIN(X*X)", 1e200, "EOverflow"},
        {"COS(X*X)", -1e200, "EOverflow"},    {"HEAV(ABS(X*X))", 1e200, "EOverflow"},
        {"ARCTAN(SQRT(X*X))", 1e200, "EOverflow"}, {"SQRT(ABS(1-X^2))", 0.5, ""},
        {"HEAV(SQRT(X))", -1, "EInvalidOp"},  {"-SQRT(X)", -0.0, ""},
    };
    for (const auto& r : rows) {
        TParser p;
        p.setExpression(r.text);
        p.X = r.x;
        const EvalResult reference = p.CheckedValue();
        EXPECT_EQ(errorClassName(reference.error), std::string(r.error)) << r.text;
        EXPECT_PRED2(same, p.TryValue(), reference) << r.text;
        EXPECT_PRED2(same, throwingValue(p), reference) << r.text;
        EvalResult row[1];
        p.Values(p.X, std::span<const double>(&r.x, 1), row);
        EXPECT_PRED2(same, row[0], reference) << r.text;
    }
}

// Variables that are not finite never reach the caller through the unchecked run unnoticed.
TEST(UncheckedRun, VariablesThatAreNotFiniteTakeTheCheckedRun) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const char* text : {"X+1", "ARCTAN(X)", "1/X", "HEAV(X)", "-X", "MAX(X,A)", "X^2"}) {
        for (double x : {inf, -inf, nan}) {
            TParser p;
            p.setExpression(text);
            p.X = x;
            EXPECT_PRED2(same, p.TryValue(), p.CheckedValue()) << text << " at " << x;
            EXPECT_PRED2(same, throwingValue(p), p.CheckedValue()) << text << " at " << x;
        }
    }
}

// A random formula over every function the unchecked run knows and some it does not.
class FormulaMaker {
  public:
    explicit FormulaMaker(std::uint64_t seed) : rng_(seed) {}

    std::string formula(int depth) {
        const int pick = static_cast<int>(rng_() % (depth <= 0 ? 2 : 12));
        switch (pick) {
        case 0:
            return leaf();
        case 1:
            return rng_() % 3 == 0 ? std::string("A") : std::string("X");
        case 2:
            return "(" + formula(depth - 1) + ")" + binaryOps[rng_() % std::size(binaryOps)] + "(" +
                   formula(depth - 1) + ")";
        case 3:
            return "(" + formula(depth - 1) + ")^" + exponents[rng_() % std::size(exponents)];
        case 4:
            return "-(" + formula(depth - 1) + ")";
        case 5:
            return std::string(binaryFunctions[rng_() % std::size(binaryFunctions)]) + "(" + formula(depth - 1) +
                   "," + formula(depth - 1) + ")";
        default:
            return std::string(unaryFunctions[rng_() % std::size(unaryFunctions)]) + "(" + formula(depth - 1) + ")";
        }
    }

    double value() {
        static const double special[] = {0.0,    -0.0,   1.0,     -1.0,    0.5,    2.0,     1e-300, -1e-300, 4.9e-324,
                                         1e300,  -1e300, 1.7e308, 710.0,   -745.0, 1e19,    9.3e18, 3.14159265358979,
                                         1e-9,   90.0,   180.0,   1.5707963267948966};
        switch (rng_() % 4) {
        case 0:
            return special[rng_() % std::size(special)];
        case 1:
            return std::uniform_real_distribution<double>(-10, 10)(rng_);
        case 2:
            return std::ldexp(std::uniform_real_distribution<double>(-1, 1)(rng_),
                              static_cast<int>(rng_() % 2100) - 1050);
        default:
            return std::uniform_real_distribution<double>(-1.5, 1.5)(rng_);
        }
    }

  private:
    std::string leaf() {
        static const char* const literals[] = {"0", "1", "2", "0.5", "3", "10", "1E300", "1E-300", "7.25", "1000"};
        return literals[rng_() % std::size(literals)];
    }

    static constexpr const char* binaryOps[] = {"+", "-", "*", "/", "DIV", "MOD"};
    static constexpr const char* exponents[] = {"2", "3", "4", "5", "-1", "0.5", "(X)", "0"};
    static constexpr const char* binaryFunctions[] = {"MAX", "MIN", "LOGN", "POWER", "INTPOWER", "ARG"};
    static constexpr const char* unaryFunctions[] = {
        "SIN",    "COS",    "TAN",     "SEC",     "COSEC",    "COT",     "SINRAD",   "TANSQ",   "SECCUBE",
        "COTSQ",  "COSECCUBE", "ARCSIN", "DEGASIN", "ARCCOS", "DEGACOS", "ARCTAN",   "DEGATAN", "ARCCOT",
        "ARCSEC", "SINH",   "TANH",    "ARCSINH", "ARCCOSH",  "EXP",     "LN",       "LOG",     "LOG2",
        "SQRT",   "SQR",    "INT",     "CEIL",    "FLOOR",    "ABS",     "HEAV",     "SIGN",    "ZERO",
        "BLANC",  "PH",     "DIFF",    "COSSQ",   "SINCUBE",
    };

    std::mt19937_64 rng_;
};

struct DifferentialCounts {
    long formulas = 0, cases = 0, errors = 0, mismatches = 0;
};

void compareFormulas(FormulaMaker& maker, DifferentialCounts& n, std::chrono::steady_clock::time_point until,
                     long maxFormulas) {
    constexpr int ValuesPerFormula = 24;
    std::vector<double> xs(ValuesPerFormula);
    std::vector<EvalResult> row(ValuesPerFormula);
    while (n.formulas < maxFormulas && std::chrono::steady_clock::now() < until) {
        TParser p;
        const std::string text = maker.formula(4);
        try {
            p.setExpression(text);
        } catch (const EMathParserError& e) {
            ADD_FAILURE() << text << ": " << e.what();
            return;
        }
        ++n.formulas;
        p.A = maker.value();
        for (double& x : xs)
            x = maker.value();
        std::vector<EvalResult> reference(ValuesPerFormula);
        for (int i = 0; i < ValuesPerFormula; ++i) {
            p.X = xs[static_cast<std::size_t>(i)];
            const EvalResult ref = p.CheckedValue();
            reference[static_cast<std::size_t>(i)] = ref;
            const EvalResult tried = p.TryValue();
            const EvalResult thrown = throwingValue(p);
            ++n.cases;
            if (!ref.ok()) ++n.errors;
            if (!same(tried, ref) || !same(thrown, ref)) {
                if (++n.mismatches <= 10)
                    ADD_FAILURE() << text << " at X=" << xs[static_cast<std::size_t>(i)] << " A=" << p.A
                                  << ": reference " << describe(ref) << ", TryValue " << describe(tried)
                                  << ", Value " << describe(thrown);
            }
        }
        p.Values(p.X, xs, row);
        for (int i = 0; i < ValuesPerFormula; ++i) {
            if (!same(row[static_cast<std::size_t>(i)], reference[static_cast<std::size_t>(i)]) &&
                ++n.mismatches <= 10)
                ADD_FAILURE() << text << " at X=" << xs[static_cast<std::size_t>(i)] << ": row "
                              << describe(row[static_cast<std::size_t>(i)]) << ", reference "
                              << describe(reference[static_cast<std::size_t>(i)]);
        }
        EXPECT_TRUE(sameBits(p.X, xs.back()));
    }
}

TEST(UncheckedRun, RandomFormulasMatchTheCheckedRun) {
    const char* seconds = std::getenv("KURVO_DIFFERENTIAL_SECONDS");
    const long limitSeconds = seconds ? std::atol(seconds) : 0;
    const auto until = limitSeconds > 0 ? std::chrono::steady_clock::now() + std::chrono::seconds(limitSeconds)
                                        : std::chrono::steady_clock::time_point::max();
    const long maxFormulas = limitSeconds > 0 ? std::numeric_limits<long>::max() : 3000;
    FormulaMaker maker(limitSeconds > 0 ? std::random_device{}() : 20261209u);
    DifferentialCounts n;
    compareFormulas(maker, n, until, maxFormulas);
    EXPECT_EQ(n.mismatches, 0);
    // The mix must exercise both outcomes, or the comparison proves little.
    EXPECT_GT(n.errors, n.cases / 20);
    EXPECT_LT(n.errors, n.cases * 9 / 10);
    std::printf("%ld formulas, %ld cases (%ld errors), %ld mismatches\n", n.formulas, n.cases, n.errors,
                n.mismatches);
}

// A long row in blocks, with failing values scattered through it.
TEST(UncheckedRun, RowsMatchSingleEvaluations) {
    for (const char* text : {"SQRT(X)", "1/X+LN(X+5)", "X^2+3*X", "(X+1)*(X-1)/(X^2+1)", "X^5-A", "2"}) {
        TParser p;
        p.setExpression(text);
        p.A = 1.5;
        std::vector<double> xs(1000);
        for (std::size_t i = 0; i < xs.size(); ++i)
            xs[i] = -10 + 20.0 * static_cast<double>(i) / 999.0;
        xs[500] = 0;
        std::vector<EvalResult> row(xs.size());
        p.Values(p.X, xs, row);
        for (std::size_t i = 0; i < xs.size(); ++i) {
            p.X = xs[i];
            EXPECT_PRED2(same, row[i], p.CheckedValue()) << text << " at " << xs[i];
        }
    }
}

} // namespace
