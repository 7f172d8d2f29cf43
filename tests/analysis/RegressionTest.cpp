// Least-squares line and polynomial of the pooled points, with the equation texts for the formula field.
#include "Regression.h"

#include <gtest/gtest.h>

#include <string>

using namespace kurvo;

namespace {

TEST(Regression, LinearFits) {
    struct Row {
        const char* what;
        std::vector<TDataPoint> points;
        const char* equation;
        const char* quality;
    };
    const Row rows[] = {
        {"exact line", {{0, 1}, {1, 3}, {2, 5}}, "2x+1", "1.00"},
        {"negative intercept", {{0, -6}, {1, -2}, {2, 2}}, "4x+-6", "1.00"},
        {"all y equal", {{1, 0.3}, {2, 0.3}, {3, 0.3}}, "0x+0.3", "1.00"},
        {"scatter", {{0, 0}, {1, 1}, {2, 0}, {3, 1}}, "0.2x+0.2", "0.20"},
        {"two sets pooled", {{0, 0}, {2, 2}, {4, 2}, {6, 4}}, "0.6x+0.2", "0.90"},
        {"x far from zero",
         {{1e9 + 1, 500000000.5}, {1e9 + 4, 500000002}, {1e9 + 7, 500000003.5}, {1e9 + 10, 500000005}},
         "0.5x+0",
         "1.00"},
    };
    for (const auto& row : rows) {
        LinearRegression r = fitLine(row.points);
        ASSERT_TRUE(r.ok()) << row.what << ": " << r.error;
        EXPECT_EQ(r.equation, row.equation) << row.what;
        EXPECT_EQ(r.quality, row.quality) << row.what;
    }
}

TEST(Regression, NoLineWithoutPointsOrThroughOneX) {
    struct Row {
        std::vector<TDataPoint> points;
        const char* error;
    };
    const Row rows[] = {
        {{}, "There are no data points."},
        {{{2, 3}}, "No line can be fitted: all the points have the same x value."},
        {{{0.3, 1}, {0.3, 2}, {0.3, 5}}, "No line can be fitted: all the points have the same x value."},
    };
    for (const auto& row : rows) {
        LinearRegression r = fitLine(row.points);
        EXPECT_EQ(r.error, row.error);
        EXPECT_TRUE(r.equation.empty());
    }
}

TEST(Regression, PolynomialFits) {
    // y = 1 − 2x + 3x² sampled exactly, and the worked line fitted by a parabola.
    std::vector<TDataPoint> parabola;
    for (double x : {-2.0, -1.0, 0.0, 1.0, 2.0, 3.0})
        parabola.push_back({x, 1 - 2 * x + 3 * x * x});
    PolynomialRegression p = fitPolynomial(parabola, 2);
    ASSERT_TRUE(p.ok()) << p.error;
    ASSERT_EQ(p.coefficients.size(), 3u);
    EXPECT_NEAR(p.coefficients[0], 1, 1e-9);
    EXPECT_NEAR(p.coefficients[1], -2, 1e-9);
    EXPECT_NEAR(p.coefficients[2], 3, 1e-9);
    EXPECT_EQ(p.equation, polynomialEquationText(p.coefficients));
    EXPECT_EQ(p.quality, "1.00");

    // Wampler1: y = 1 + x + x² + x³ + x⁴ + x⁵ for x = 0 … 20, whose coefficients are all 1, comes
    // back exactly to the fifteen digits of the equation text.
    std::vector<TDataPoint> wampler1;
    for (double x = 0; x <= 20; ++x)
        wampler1.push_back({x, 1 + x * (1 + x * (1 + x * (1 + x * (1 + x))))});
    PolynomialRegression quintic = fitPolynomial(wampler1, 5);
    ASSERT_TRUE(quintic.ok()) << quintic.error;
    EXPECT_EQ(quintic.equation, "1+1x+1x^2+1x^3+1x^4+1x^5");

    PolynomialRegression line = fitPolynomial(std::vector<TDataPoint>{{0, 1}, {1, 3}, {2, 5}}, 2);
    ASSERT_TRUE(line.ok()) << line.error;
    EXPECT_NEAR(line.coefficients[0], 1, 1e-9);
    EXPECT_NEAR(line.coefficients[1], 2, 1e-9);
    EXPECT_NEAR(line.coefficients[2], 0, 1e-9);
    // Terms below the rounding of the data are written as 0, also far from x = 0.
    EXPECT_EQ(line.equation, "1+2x+0x^2");
    std::vector<TDataPoint> offset;
    for (int i = 1; i <= 10; ++i)
        offset.push_back({1e9 + i, (1e9 + i) / 2});
    EXPECT_EQ(fitPolynomial(offset, 2).equation, "0+0.5x+0x^2");
    EXPECT_EQ(line.quality, "1.00");
}

TEST(Regression, PolynomialFailuresSayWhy) {
    struct Row {
        std::vector<TDataPoint> points;
        int degree;
        const char* error;
    };
    const Row rows[] = {
        {{}, 2, "There are no data points."},
        {{{0, 1}, {1, 3}, {2, 5}}, 3, "A polynomial of degree 3 needs at least 4 points."},
        {{{0, 1}, {1, 3}}, 2, "A polynomial of degree 2 needs at least 3 points."},
        {{{0, 1}, {1, 3}, {2, 5}}, 9, "The degree of the polynomial must be from 0 to 8."},
        // Rounding hides this singular system from the pivot test: it would yield R² = -2.3.
        {{{1000.1, 1}, {1000.1, 2}, {2000.3, 3}, {2000.3, 5}},
         2,
         "No polynomial of degree 2 can be fitted: the points have only 2 different x values."},
        {{{0.3, 1}, {0.3, 2}, {0.7, 3}, {0.7, 5}},
         2,
         "No polynomial of degree 2 can be fitted: the points have only 2 different x values."},
        {{{1000, 1}, {1000, 2}, {1000, 3}},
         2,
         "No polynomial of degree 2 can be fitted: the points have only 1 different x value."},
        {{{0, 1}, {1e-200, 2}, {2e-200, 4}}, 2, "No polynomial of degree 2 can be fitted to these points."},
    };
    for (const auto& row : rows) {
        PolynomialRegression p = fitPolynomial(row.points, row.degree);
        EXPECT_EQ(p.error, row.error);
        EXPECT_TRUE(p.equation.empty());
        EXPECT_TRUE(p.coefficients.empty());
    }
}

TEST(Regression, EquationTexts) {
    EXPECT_EQ(linearEquationText(4, -6), "4x+-6");
    EXPECT_EQ(linearEquationText(0.5, 1e20), "0.5x+1E20");
    const std::pair<std::vector<double>, const char*> rows[] = {
        {{1, 2, 3, 4}, "1+2x+3x^2+4x^3"},
        {{1, -2, 0.5}, "1+-2x+0.5x^2"},
        {{1.0 / 3, 0, 0, 0, 0, 0, 0, 0, -1.5e-7},
         "0.333333333333333+0x+0x^2+0x^3+0x^4+0x^5+0x^6+0x^7+-1.5E-7x^8"},
        {{7, 8}, "7+8x"},
        {{7}, "7"},
    };
    for (const auto& [coefficients, text] : rows)
        EXPECT_EQ(polynomialEquationText(coefficients), text);
}

TEST(Regression, FitQualityHasTwoDecimals) {
    const std::pair<double, const char*> rows[] = {
        {1, "1.00"}, {0.996, "1.00"}, {0.994, "0.99"}, {0, "0.00"}, {0.5, "0.50"}, {-0.25, "-0.25"},
    };
    for (const auto& [r2, text] : rows)
        EXPECT_EQ(fitQualityText(r2), text);
}

TEST(Regression, AnEquationTooLongForTheFormulaFieldIsRefusedWhole) {
    EXPECT_EQ(formulaFieldError(std::string(255, '1')), "");
    EXPECT_EQ(
        formulaFieldError(std::string(256, '1')),
        "The equation is 256 characters long; the formula field takes 255. It has not been transferred.");
    // The longest coefficients general number text writes still fit at degree 8.
    std::vector<double> widest(9, -1.23456789012346e-300);
    std::string text = polynomialEquationText(widest);
    EXPECT_EQ(text.size(), 228u);
    EXPECT_EQ(formulaFieldError(text), "");
}

} // namespace
