// Least-squares line and polynomial through the pooled data points, and their equation texts as
// they go into the formula field.
#include "Regression.h"

#include "CurveFit.h"
#include "NumLabText.h"
#include "NumberText.h"

#include <algorithm>

namespace kurvo {

namespace {

TCurveFit fitOf(DataPoints points) {
    TCurveFit fit;
    for (const TDataPoint& p : points)
        fit.addPoint(p.x, p.y);
    return fit;
}

std::size_t distinctXCount(DataPoints points) {
    std::vector<double> xs;
    xs.reserve(points.size());
    for (const TDataPoint& p : points)
        xs.push_back(p.x);
    std::sort(xs.begin(), xs.end());
    return static_cast<std::size_t>(std::unique(xs.begin(), xs.end()) - xs.begin());
}

} // namespace

LinearRegression fitLine(DataPoints points) {
    LinearRegression r;
    if (points.empty()) {
        r.error = msg::NoDataPoints;
        return r;
    }
    TCurveFit fit = fitOf(points);
    if (fit.xConstant()) {
        r.error = msg::NoLineSameX;
        return r;
    }
    LineFit line = fit.linearFit();
    r.slope = line.slope;
    r.intercept = line.intercept;
    r.rSquared = line.rSquared;
    r.equation = linearEquationText(line.slope, line.intercept);
    r.quality = fitQualityText(line.rSquared);
    return r;
}

PolynomialRegression fitPolynomial(DataPoints points, int degree) {
    PolynomialRegression r;
    const std::string degreeText = std::to_string(degree);
    if (points.empty()) {
        r.error = msg::NoDataPoints;
        return r;
    }
    if (degree < 0 || degree > TCurveFit::MaxDegree) {
        r.error =
            "The degree of the polynomial must be from 0 to " + std::to_string(TCurveFit::MaxDegree) + ".";
        return r;
    }
    if (static_cast<std::size_t>(degree) >= points.size()) {
        r.error = "A polynomial of degree " + degreeText + " needs at least " + std::to_string(degree + 1) +
                  " points.";
        return r;
    }
    // Fewer different x values than coefficients make the normal equations singular, but rounding
    // can hide that from the pivot test and yield a meaningless polynomial: refuse it here.
    std::size_t distinct = distinctXCount(points);
    if (distinct < static_cast<std::size_t>(degree) + 1) {
        r.error = "No polynomial of degree " + degreeText + " can be fitted: the points have only " +
                  std::to_string(distinct) + " different x value" + (distinct == 1 ? "." : "s.");
        return r;
    }
    TCurveFit fit = fitOf(points);
    std::vector<double> coefficients;
    double rSquared = 0;
    if (!fit.polynomialFit(degree, coefficients, rSquared)) {
        r.error = "No polynomial of degree " + degreeText + " can be fitted to these points.";
        return r;
    }
    std::string equation = polynomialEquationText(coefficients);
    if (std::string tooLong = formulaFieldError(equation); !tooLong.empty()) {
        r.error = tooLong;
        return r;
    }
    r.degree = degree;
    r.coefficients = std::move(coefficients);
    r.rSquared = rSquared;
    r.equation = std::move(equation);
    r.quality = fitQualityText(rSquared);
    return r;
}

std::string linearEquationText(double slope, double intercept) {
    return formatGeneral(slope) + "x+" + formatGeneral(intercept);
}

std::string polynomialEquationText(const std::vector<double>& coefficients) {
    std::string text;
    for (std::size_t k = 0; k < coefficients.size(); ++k) {
        if (k > 0) text += "+";
        text += formatGeneral(coefficients[k]);
        if (k == 1) text += "x";
        if (k >= 2) text += "x^" + std::to_string(k);
    }
    return text;
}

std::string fitQualityText(double rSquared) {
    return *formatNumLabValue(rSquared, dtFixP, 2);
}

std::string formulaFieldError(std::string_view equation) {
    if (equation.size() <= MaxFormulaLength) return {};
    return "The equation is " + std::to_string(equation.size()) +
           " characters long; the formula field takes " + std::to_string(MaxFormulaLength) +
           ". It has not been transferred.";
}

} // namespace kurvo
