// Evaluation speed: five expressions swept over x in [-10, 10] in 1024 steps per iteration, as native
// C++, through TParser, and through muparser for comparison; the same sweep as one row (TParser's
// Values, muparser's bulk mode); and a graph undefined on half the view, sampled with and without
// exceptions.
#include "Parser.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#ifdef KURVO_HAVE_MUPARSER
#include <muParser.h>
#endif

namespace {

constexpr int Steps = 1024;
constexpr double From = -10, To = 10;

const char* const Expressions[] = {
    "X^2+3*X", "SIN(X)*EXP(-X/5)", "SQRT(ABS(1-X^2))", "(X+1)*(X-1)/(X^2+1)", "1+X*(2+X*(3+X*(4+X*5)))",
};

double native(int n, double x) {
    switch (n) {
    case 1:
        return x * x + 3 * x;
    case 2:
        return std::sin(x) * std::exp(-x / 5);
    case 3:
        return std::sqrt(std::fabs(1 - x * x));
    case 4:
        return (x + 1) * (x - 1) / (x * x + 1);
    default:
        return 1 + x * (2 + x * (3 + x * (4 + x * 5)));
    }
}

void Native(benchmark::State& state) {
    int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        double sum = 0;
        for (int i = 0; i < Steps; ++i) {
            double x = From + (To - From) * i / (Steps - 1);
            benchmark::DoNotOptimize(x);
            sum += native(n, x);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * Steps);
}

void TParserBench(benchmark::State& state) {
    kurvo::TParser p;
    p.setExpression(Expressions[state.range(0) - 1]);
    for (auto _ : state) {
        double sum = 0; // a long double sum would time its own x87 stores and loads across the call
        for (int i = 0; i < Steps; ++i) {
            p.X = From + (To - From) * i / (Steps - 1);
            sum += static_cast<double>(p.Value());
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * Steps);
}

// The same sweep through TryValue(), which returns a double and its error class.
void TParserTry(benchmark::State& state) {
    kurvo::TParser p;
    p.setExpression(Expressions[state.range(0) - 1]);
    for (auto _ : state) {
        double sum = 0;
        for (int i = 0; i < Steps; ++i) {
            p.X = From + (To - From) * i / (Steps - 1);
            sum += p.TryValue().value;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * Steps);
}
BENCHMARK(TParserTry)->Name("TParserTry")->DenseRange(1, 5);

std::vector<double> sweep() {
    std::vector<double> xs(Steps);
    for (int i = 0; i < Steps; ++i)
        xs[static_cast<std::size_t>(i)] = From + (To - From) * i / (Steps - 1);
    return xs;
}

void TParserRow(benchmark::State& state) {
    kurvo::TParser p;
    p.setExpression(Expressions[state.range(0) - 1]);
    const std::vector<double> xs = sweep();
    std::vector<kurvo::EvalResult> out(xs.size());
    for (auto _ : state) {
        p.Values(p.X, xs, out);
        double sum = 0;
        for (const auto& r : out)
            sum += r.value;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * Steps);
}

// SQRT(X) over [-10, 10]: every sample left of 0 fails. Value() throws there, TryValue() and a row
// report the error class.
void HalfUndefinedThrowing(benchmark::State& state) {
    kurvo::TParser p;
    p.setExpression("SQRT(X)");
    for (auto _ : state) {
        double sum = 0;
        int undefined = 0;
        for (int i = 0; i < Steps; ++i) {
            p.X = From + (To - From) * i / (Steps - 1);
            try {
                sum += static_cast<double>(p.Value());
            } catch (const kurvo::EMathError&) {
                ++undefined;
            }
        }
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(undefined);
    }
    state.SetItemsProcessed(state.iterations() * Steps);
}

void HalfUndefinedTryValue(benchmark::State& state) {
    kurvo::TParser p;
    p.setExpression("SQRT(X)");
    for (auto _ : state) {
        double sum = 0;
        int undefined = 0;
        for (int i = 0; i < Steps; ++i) {
            p.X = From + (To - From) * i / (Steps - 1);
            const kurvo::EvalResult r = p.TryValue();
            if (r.ok())
                sum += r.value;
            else
                ++undefined;
        }
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(undefined);
    }
    state.SetItemsProcessed(state.iterations() * Steps);
}

void HalfUndefinedRow(benchmark::State& state) {
    kurvo::TParser p;
    p.setExpression("SQRT(X)");
    const std::vector<double> xs = sweep();
    std::vector<kurvo::EvalResult> out(xs.size());
    for (auto _ : state) {
        p.Values(p.X, xs, out);
        double sum = 0;
        int undefined = 0;
        for (const auto& r : out) {
            if (r.ok())
                sum += r.value;
            else
                ++undefined;
        }
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(undefined);
    }
    state.SetItemsProcessed(state.iterations() * Steps);
}

BENCHMARK(TParserRow)->Name("TParserRow")->DenseRange(1, 5);
BENCHMARK(HalfUndefinedThrowing)->Name("HalfUndefined/Value");
BENCHMARK(HalfUndefinedTryValue)->Name("HalfUndefined/TryValue");
BENCHMARK(HalfUndefinedRow)->Name("HalfUndefined/Row");

#ifdef KURVO_HAVE_MUPARSER
// The bulk mode spreads a row over OpenMP threads; run with OMP_NUM_THREADS=1 to compare one core
// with one core (on a busy machine its threads mostly wait for each other).
void MuparserBulk(benchmark::State& state) {
    mu::Parser p;
    std::vector<double> xs = sweep();
    std::vector<double> out(xs.size());
    p.DefineVar("X", xs.data());
    p.DefineFun("SIN", static_cast<double (*)(double)>(std::sin));
    p.DefineFun("EXP", static_cast<double (*)(double)>(std::exp));
    p.DefineFun("SQRT", static_cast<double (*)(double)>(std::sqrt));
    p.DefineFun("ABS", static_cast<double (*)(double)>(std::fabs));
    p.SetExpr(Expressions[state.range(0) - 1]);
    for (auto _ : state) {
        p.Eval(out.data(), Steps);
        double sum = 0;
        for (double v : out)
            sum += v;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * Steps);
}
BENCHMARK(MuparserBulk)->Name("muparserBulk")->DenseRange(1, 5);

void Muparser(benchmark::State& state) {
    mu::Parser p;
    double x = 0;
    p.DefineVar("X", &x);
    p.DefineFun("SIN", static_cast<double (*)(double)>(std::sin));
    p.DefineFun("EXP", static_cast<double (*)(double)>(std::exp));
    p.DefineFun("SQRT", static_cast<double (*)(double)>(std::sqrt));
    p.DefineFun("ABS", static_cast<double (*)(double)>(std::fabs));
    p.SetExpr(Expressions[state.range(0) - 1]);
    for (auto _ : state) {
        double sum = 0;
        for (int i = 0; i < Steps; ++i) {
            x = From + (To - From) * i / (Steps - 1);
            sum += p.Eval();
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * Steps);
}
BENCHMARK(Muparser)->Name("muparser")->DenseRange(1, 5);
#endif

BENCHMARK(Native)->Name("Native")->DenseRange(1, 5);
BENCHMARK(TParserBench)->Name("TParser")->DenseRange(1, 5);

} // namespace

BENCHMARK_MAIN();
