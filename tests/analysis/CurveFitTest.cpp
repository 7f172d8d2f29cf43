// TCurveFit: running sums, deviations, correlation, and the least-squares line and polynomials.
#include "CurveFit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

using namespace kurvo;

namespace {

using Points = std::vector<std::pair<double, double>>;

TCurveFit fitOf(const Points& points) {
    TCurveFit fit;
    for (auto [x, y] : points)
        fit.addPoint(x, y);
    return fit;
}

TEST(TCurveFit, SumsMeansAndDeviations) {
    TCurveFit fit = fitOf({{1, 2}, {2, 4}, {3, 6}});
    EXPECT_EQ(fit.count(), 3);
    EXPECT_EQ(fit.sumX(), 6);
    EXPECT_EQ(fit.sumYSqu(), 56);
    EXPECT_DOUBLE_EQ(fit.meanX(), 2);
    EXPECT_DOUBLE_EQ(fit.meanY(), 4);
    EXPECT_DOUBLE_EQ(fit.meanDiff(), -2);
    EXPECT_DOUBLE_EQ(fit.stdDevX(), 1);
    EXPECT_DOUBLE_EQ(fit.stdDevY(), 2);
    EXPECT_DOUBLE_EQ(fit.stdDevDiff(), 1);
    EXPECT_DOUBLE_EQ(fit.corrCoeff(), 1);
    fit.reset();
    EXPECT_EQ(fit.count(), 0);
    EXPECT_EQ(fit.sumX(), 0);
}

TEST(TCurveFit, DeviationsAndCorrelationNeedThreePoints) {
    TCurveFit fit = fitOf({{1, 2}, {2, 5}});
    EXPECT_EQ(fit.stdDevX(), 0);
    EXPECT_EQ(fit.stdDevY(), 0);
    EXPECT_EQ(fit.stdDevDiff(), 0);
    EXPECT_EQ(fit.corrCoeff(), 0);
    fit.addPoint(3, 4);
    EXPECT_GT(fit.stdDevX(), 0);
    EXPECT_NEAR(fit.corrCoeff(), 0.6546536707, 1e-9);
}

TEST(TCurveFit, CorrelationIsZeroWhenOneCoordinateDoesNotVary) {
    // 0.3 + 0.3 + 0.3 does not square back exactly: the sum of squares minus the squared sum is
    // a rounding residue, not zero.
    EXPECT_EQ(fitOf({{1, 0.3}, {2, 0.3}, {3, 0.3}}).corrCoeff(), 0);
    EXPECT_EQ(fitOf({{0.3, 1}, {0.3, 2}, {0.3, 3}}).corrCoeff(), 0);
    EXPECT_EQ(fitOf({{0, 1}, {0, 2}, {0, 3}}).corrCoeff(), 0);
    EXPECT_NEAR(fitOf({{1, 3}, {2, 2}, {3, 1}}).corrCoeff(), -1, 1e-12);
}

TEST(TCurveFit, DeviationsSurviveWhereSquaresUnderflowOrOverflow) {
    for (double unit : {1e-170, 1e200}) {
        TCurveFit fit = fitOf({{unit, 1}, {2 * unit, 3}, {3 * unit, 5}});
        EXPECT_NEAR(fit.stdDevX() / unit, 1, 1e-15) << unit;
        EXPECT_NEAR(fit.popStdDevX() / unit, std::sqrt(2.0 / 3), 1e-15) << unit;
        EXPECT_NEAR(fit.corrCoeff(), 1, 1e-15) << unit;
        EXPECT_NEAR(fit.linearFit().slope * unit, 2, 1e-15) << unit;
    }
}

TEST(TCurveFit, MeansOfNoPointsAreAnInvalidOperation) {
    TCurveFit fit;
    EXPECT_THROW(fit.meanX(), EInvalidOp);
    EXPECT_THROW(fit.meanY(), EInvalidOp);
    EXPECT_THROW(fit.meanDiff(), EInvalidOp);
}

TEST(TCurveFit, LinearFit) {
    struct Row {
        Points points;
        double slope, intercept, rSquared;
    };
    const Row rows[] = {
        {{{0, 1}, {1, 3}, {2, 5}}, 2, 1, 1},
        {{{0, -6}, {1, -2}}, 4, -6, 1},
        {{{1, 0.3}, {2, 0.3}, {3, 0.3}}, 0, 0.3, 1}, // all y equal: R² is 1, not a rounding ratio
        {{{0, 0}, {1, 1}, {2, 0}, {3, 1}}, 0.2, 0.2, 0.2},
        {{{5, 5}}, 0, 0, 0}, // fewer than two points
        {{}, 0, 0, 0},
    };
    for (const auto& row : rows) {
        LineFit line = fitOf(row.points).linearFit();
        EXPECT_NEAR(line.slope, row.slope, 1e-12);
        EXPECT_NEAR(line.intercept, row.intercept, 1e-12);
        EXPECT_NEAR(line.rSquared, row.rSquared, 1e-12);
    }
}

TEST(TCurveFit, LinearFitThroughEqualXIsAnInvalidOperation) {
    // With x = 0.3 the denominator n·Σx² − (Σx)² is a rounding residue, not 0.
    for (double x : {0.3, 1.0, 0.0})
        EXPECT_THROW(fitOf({{x, 1}, {x, 2}, {x, 4}}).linearFit(), EInvalidOp) << x;
}

TEST(TCurveFit, PolynomialFitRecoversPolynomials) {
    struct Row {
        std::vector<double> coefficients; // a0 first
        std::vector<double> xs;
    };
    const Row rows[] = {
        {{1, 2, 0}, {0, 1, 2}},
        {{1, -2, 0, 0.5}, {-3, -2, -1, 0, 1, 2, 3, 4}},
        {{0.5, 0, -1, 0, 0.25}, {-2, -1.5, -1, -0.5, 0, 0.5, 1, 1.5, 2}},
        {{3, 1, -1, 0.5, 0.25, -0.125, 0.0625, -0.03125, 0.015625},
         {-1, -0.8, -0.6, -0.4, -0.2, 0, 0.2, 0.4, 0.6, 0.8, 1}},
        // Once too small for the normal equations' pivot threshold: x is scaled before solving.
        {{1, 5e5, 5e11}, {0, 1e-6, 2e-6}},
    };
    for (const auto& row : rows) {
        Points points;
        for (double x : row.xs) {
            double y = 0;
            for (std::size_t k = row.coefficients.size(); k-- > 0;)
                y = y * x + row.coefficients[k];
            points.push_back({x, y});
        }
        const int degree = static_cast<int>(row.coefficients.size()) - 1;
        std::vector<double> got;
        double rSquared = -1;
        ASSERT_TRUE(fitOf(points).polynomialFit(degree, got, rSquared)) << degree;
        ASSERT_EQ(got.size(), row.coefficients.size());
        for (std::size_t k = 0; k < got.size(); ++k)
            EXPECT_NEAR(got[k], row.coefficients[k], 1e-7 * std::fmax(1, std::fabs(row.coefficients[k])))
                << "degree " << degree << " a" << k;
        EXPECT_NEAR(rSquared, 1, 1e-9);
    }
}

TEST(TCurveFit, PolynomialFitFailuresWriteNothing) {
    struct Row {
        const char* what;
        Points points;
        int degree;
    };
    const Row rows[] = {
        {"degree not below the point count", {{0, 1}, {1, 3}, {2, 5}}, 3},
        {"no points", {}, 0},
        {"degree above 8",
         {{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 1}, {9, 1}},
         9},
        {"negative degree", {{0, 1}, {1, 2}}, -1},
        {"two different x for three coefficients", {{0, 1}, {0, 2}, {1, 3}, {1, 4}}, 2},
        {"coefficients beyond a double", {{0, 1}, {1e-200, 2}, {2e-200, 4}}, 2},
    };
    for (const auto& row : rows) {
        std::vector<double> coefficients{42};
        double rSquared = 42;
        EXPECT_FALSE(fitOf(row.points).polynomialFit(row.degree, coefficients, rSquared)) << row.what;
        EXPECT_EQ(coefficients, std::vector<double>{42}) << row.what;
        EXPECT_EQ(rSquared, 42) << row.what;
    }
}

TEST(TCurveFit, PolynomialOfEqualYHasQualityOne) {
    std::vector<double> coefficients;
    double rSquared = 0;
    ASSERT_TRUE(fitOf({{1, 0.3}, {2, 0.3}, {3, 0.3}, {4, 0.3}}).polynomialFit(2, coefficients, rSquared));
    EXPECT_EQ(rSquared, 1);
    EXPECT_NEAR(coefficients[0], 0.3, 1e-12);
}

/// Correct significant digits of `got` against a certified value: −log10 of the relative error, or of
/// the absolute error when the certified value is 0; 17 when they agree exactly.
double correctDigits(double got, double certified) {
    const double error = std::fabs(got - certified);
    if (error == 0) return 17;
    return -std::log10(certified == 0 ? error : error / std::fabs(certified));
}

Points sampled(int from, int to, const std::function<double(int)>& y, double offset = 0) {
    Points points;
    for (int i = from; i <= to; ++i)
        points.push_back({offset + i, y(i)});
    return points;
}

/// Integer polynomial values, exact in a double.
long long polynomial(std::initializer_list<long long> coefficients, long long x) {
    long long y = 0, p = 1;
    for (long long a : coefficients) {
        y += a * p;
        p *= x;
    }
    return y;
}

/// (−1)^i·C(6, i) at x = i for i = 0 … 6, 0 elsewhere: Σ r(x)·q(x) over any integer x containing
/// 0 … 6 is the sixth difference of q, 0 for every polynomial q of degree 5 or less. Added to data,
/// it is a residual no quintic can reduce, so the certified coefficients stay those of the data
/// without it.
long long sextic(int x) {
    static constexpr long long r[] = {1, -6, 15, -20, 15, -6, 1};
    return x >= 0 && x <= 6 ? r[x] : 0;
}
/// The same with the third difference: orthogonal to every quadratic.
long long cubicResidual(int x) {
    static constexpr long long r[] = {1, -3, 3, -1};
    return x >= 3 && x <= 6 ? r[x - 3] : 0;
}

/// R² of integer data whose least-squares residual is `residualSquares`, computed exactly.
double exactRSquared(const Points& points, long long residualSquares) {
    long long sum = 0, sumSqu = 0;
    for (auto [x, y] : points) {
        sum += static_cast<long long>(y);
        sumSqu += static_cast<long long>(y) * static_cast<long long>(y);
    }
    const auto n = static_cast<long long>(points.size());
    return 1 - static_cast<double>(n * residualSquares) / static_cast<double>(n * sumSqu - sum * sum);
}

std::vector<double> polynomialOf(const TCurveFit& fit, int degree) {
    std::vector<double> coefficients;
    double rSquared = 0;
    if (!fit.polynomialFit(degree, coefficients, rSquared)) return {};
    coefficients.push_back(rSquared);
    return coefficients;
}

TEST(TCurveFit, CertifiedReferenceProblems) {
    // The digits asked of the exact polynomial problems are those statistics packages reach; the
    // noisy ones may lose some to their residual.
    // Wampler1: y = 1 + x + x² + x³ + x⁴ + x⁵, x = 0 … 20 (every certified coefficient 1).
    const Points wampler1 = sampled(0, 20, [](int x) { return double(polynomial({1, 1, 1, 1, 1, 1}, x)); });
    // Wampler2: y = 1 + 0.1x + 0.01x² + 0.001x³ + 0.0001x⁴ + 0.00001x⁵, x = 0 … 20, each y the
    // double nearest its exact decimal value.
    const Points wampler2 = sampled(0, 20, [](int x) {
        return double(polynomial({100000, 10000, 1000, 100, 10, 1}, x)) / 100000;
    });
    // Wampler1 plus k·r, r orthogonal to every quintic: the certified coefficients stay 1.
    auto noisyQuintic = [](long long k) {
        return sampled(0, 20, [k](int x) {
            return double(polynomial({1, 1, 1, 1, 1, 1}, x) + k * sextic(x));
        });
    };
    const Points noisyQuintic5 = noisyQuintic(100000), noisyQuintic7 = noisyQuintic(10000000);
    const Points noisyQuadratic = sampled(1, 20, [](int x) {
        return double(polynomial({1000, -30, 2}, x) + 5 * cubicResidual(x));
    });
    // Seconds since 1970 and the like: x = 1000000001 … 1000000010, y = x / 2.
    const Points offset = sampled(
        1, 10, [](int i) { return (1e9 + i) / 2; }, 1e9);
    const Points offsetNoisyLine = sampled(
        1, 12,
        [](int i) { return 2 + 0.5 * (1e9 + i) + double(5 * cubicResidual(i) + 3 * cubicResidual(i - 4)); },
        1e9);
    const long long sexticSquares = 1 + 36 + 225 + 400 + 225 + 36 + 1;
    const double noisyQuintic5R2 = exactRSquared(noisyQuintic5, 100000LL * 100000 * sexticSquares);
    const double noisyQuintic7R2 = exactRSquared(noisyQuintic7, 10000000LL * 10000000 * sexticSquares);
    const double noisyQuadraticR2 = exactRSquared(noisyQuadratic, 25 * (1 + 9 + 9 + 1));

    using Quantities = std::function<std::vector<double>(const TCurveFit&)>;
    const Quantities line = [](const TCurveFit& f) {
        LineFit l = f.linearFit();
        return std::vector<double>{l.slope, l.intercept, l.rSquared};
    };
    struct Row {
        const char* problem;
        const Points& points;
        Quantities quantities;
        std::vector<double> certified;
        double digits;
    };
    const Row rows[] = {
        {"Wampler1, a0 … a5 and R²",
         wampler1,
         [](const TCurveFit& f) { return polynomialOf(f, 5); },
         {1, 1, 1, 1, 1, 1, 1},
         9},
        {"Wampler2, a0 … a5 and R²",
         wampler2,
         [](const TCurveFit& f) { return polynomialOf(f, 5); },
         {1, 0.1, 0.01, 0.001, 0.0001, 0.00001, 1},
         9},
        {"Wampler1 plus 1E5 times a residual no quintic reduces",
         noisyQuintic5,
         [](const TCurveFit& f) { return polynomialOf(f, 5); },
         {1, 1, 1, 1, 1, 1, noisyQuintic5R2},
         7},
        {"Wampler1 plus 1E7 times a residual no quintic reduces",
         noisyQuintic7,
         [](const TCurveFit& f) { return polynomialOf(f, 5); },
         {1, 1, 1, 1, 1, 1, noisyQuintic7R2},
         7},
        {"quadratic with a residual",
         noisyQuadratic,
         [](const TCurveFit& f) { return polynomialOf(f, 2); },
         {1000, -30, 2, noisyQuadraticR2},
         9},
        {"offset 1E9: means, deviations and r",
         offset,
         [](const TCurveFit& f) {
             return std::vector<double>{f.meanX(), f.stdDevX(), f.popStdDevX(), f.stdDevY(), f.corrCoeff()};
         },
         {1000000005.5, 3.0276503540974917, 2.8722813232690143, 1.5138251770487459, 1},
         9},
        {"offset 1E9: deviation of x − y",
         offset,
         [](const TCurveFit& f) {
             return std::vector<double>{f.meanDiff(), f.stdDevDiff()};
         },
         {500000002.75, 1.5138251770487459},
         9},
        {"offset 1E9: line", offset, line, {0.5, 0, 1}, 9},
        // Its intercept, 0, is a difference of values near 5E8, where one rounding of the slope
        // moves it by 1E-7: it is measured in units of the mean of y.
        {"offset 1E9: straight-line polynomial",
         offset,
         [](const TCurveFit& f) {
             std::vector<double> a = polynomialOf(f, 1);
             if (!a.empty()) a[0] /= f.meanY();
             return a;
         },
         {0, 0.5, 1},
         9},
        {"offset 1E9: line with a residual",
         offsetNoisyLine,
         line,
         // The residual (Σ 680) is orthogonal to 1 and i; Σ(0.5·(i − 6.5))² over i = 1 … 12 is 35.75.
         {0.5, 2, 1 - 680 / 715.75},
         9},
    };
    for (const Row& row : rows) {
        TCurveFit fit;
        for (auto [x, y] : row.points)
            fit.addPoint(x, y);
        const std::vector<double> got = row.quantities(fit);
        ASSERT_EQ(got.size(), row.certified.size()) << row.problem;
        for (std::size_t i = 0; i < got.size(); ++i)
            EXPECT_GE(correctDigits(got[i], row.certified[i]), row.digits)
                << row.problem << ", value " << i << ": " << got[i] << " against " << row.certified[i];
    }
}

} // namespace
