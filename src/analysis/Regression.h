// Least-squares line and polynomial through the pooled data points, and their equation texts as
// they go into the formula field.
#pragma once

#include "DataSetPoints.h"

#include <string>
#include <string_view>
#include <vector>

namespace kurvo {

/// Longest text the formula field holds.
inline constexpr std::size_t MaxFormulaLength = 255;

/// The least-squares line. `error` is empty on success; otherwise it says why there is no line
/// (msg::NoDataPoints, or msg::NoLineSameX when every x is the same) and the rest is empty.
struct LinearRegression {
    std::string error;
    double slope = 0;
    double intercept = 0;
    double rSquared = 0;
    std::string equation; ///< as linearEquationText writes it
    std::string quality;  ///< R² as fitQualityText writes it

    bool ok() const { return error.empty(); }
};

/// The least-squares polynomial of one degree. `error` is empty on success; otherwise it says why
/// there is no polynomial and the rest is empty.
struct PolynomialRegression {
    std::string error;
    int degree = 0;
    std::vector<double> coefficients; ///< a0 … a(degree), constant term first
    double rSquared = 0;
    std::string equation; ///< as polynomialEquationText writes it; never longer than MaxFormulaLength
    std::string quality;  ///< R² as fitQualityText writes it

    bool ok() const { return error.empty(); }
};

namespace msg {
inline constexpr const char* NoLineSameX = "No line can be fitted: all the points have the same x value.";
} // namespace msg

/// Fits the least-squares line y = slope·x + intercept. A single point has no line through it
/// either: every x is the same.
LinearRegression fitLine(DataPoints points);

/// Fits the least-squares polynomial of the given degree (0 … 8). Fails with a message when the
/// degree is out of range, when it is not smaller than the point count, when the points have
/// fewer different x values than the polynomial has coefficients, when the normal equations are
/// singular, or when the equation would be too long for the formula field.
PolynomialRegression fitPolynomial(DataPoints points, int degree);

/// The line's equation without "y=": slope, "x+", intercept, in general number text
/// (slope 4 and intercept −6 give "4x+-6").
std::string linearEquationText(double slope, double intercept);

/// The polynomial's equation without "y=", terms in rising powers joined by "+" (a negative
/// coefficient keeps its sign after the "+"): "1+2x+3x^2+4x^3" for a0 … a3 = 1, 2, 3, 4.
std::string polynomialEquationText(const std::vector<double>& coefficients);

/// R² as the fit quality label shows it: fixed, two decimals.
std::string fitQualityText(double rSquared);

/// Why an equation cannot be put into the formula field (it is longer than MaxFormulaLength),
/// or empty when it can. A longer text is refused whole rather than cut inside a number.
std::string formulaFieldError(std::string_view equation);

} // namespace kurvo
