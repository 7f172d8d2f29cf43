// TCurveFit: running sums, deviations, correlation, and the least-squares line and polynomials.
#include "CurveFit.h"

#include <gtest/gtest.h>

#include <cmath>
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
            EXPECT_NEAR(got[k], row.coefficients[k], 1e-7) << "degree " << degree << " a" << k;
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
        {"normal equations below the pivot threshold", {{0, 1}, {1e-6, 2}, {2e-6, 4}}, 2},
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

} // namespace
