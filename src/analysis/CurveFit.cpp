// TCurveFit: a stream of (x, y) points with its running sums, and the statistics and least-squares
// fits taken from them.
#include "CurveFit.h"

#include "PolynomialLeastSquares.h"

#include <cmath>

namespace kurvo {

void TCurveFit::reset() {
    m_xs.clear();
    m_ys.clear();
    m_sumX = m_sumY = m_sumXSqu = m_sumYSqu = m_sumDiff = 0;
    m_xVaries = m_yVaries = m_diffVaries = false;
}

void TCurveFit::addPoint(double x, double y) {
    if (!m_xs.empty()) {
        m_xVaries = m_xVaries || x != m_xs.front();
        m_yVaries = m_yVaries || y != m_ys.front();
        m_diffVaries = m_diffVaries || x - y != m_xs.front() - m_ys.front();
    }
    m_xs.push_back(x);
    m_ys.push_back(y);
    m_sumX += x;
    m_sumY += y;
    m_sumXSqu += x * x;
    m_sumYSqu += y * y;
    m_sumDiff += x - y;
}

namespace {
double divideByCount(double sum, int n) {
    if (n == 0) throw EInvalidOp(msg::InvalidOp); // the sum of no points is 0: 0/0
    return sum / n;
}

/// scale·√(sumSqu/divisor): a deviation from a sum of squares of deviations divided by scale.
double deviation(double scale, double sumSqu, int divisor) {
    return sumSqu > 0 ? scale * std::sqrt(sumSqu / divisor) : 0.0;
}
} // namespace

double TCurveFit::meanX() const {
    return divideByCount(m_sumX, count());
}
double TCurveFit::meanY() const {
    return divideByCount(m_sumY, count());
}
double TCurveFit::meanDiff() const {
    return divideByCount(m_sumDiff, count());
}

TCurveFit::Spread TCurveFit::spread(bool ofDifferences) const {
    Spread s;
    const std::size_t n = m_xs.size();
    if (n == 0) return s;
    auto u = [&](std::size_t i) { return ofDifferences ? m_xs[i] - m_ys[i] : m_xs[i]; };
    const double meanU = (ofDifferences ? m_sumDiff : m_sumX) / static_cast<double>(n);
    const double meanV = m_sumY / static_cast<double>(n);
    double largestX = 0, largestY = 0;
    for (std::size_t i = 0; i < n; ++i) {
        largestX = std::fmax(largestX, std::fabs(u(i) - meanU));
        largestY = std::fmax(largestY, std::fabs(m_ys[i] - meanV));
    }
    // Powers of two, so that dividing by them is exact.
    const int exponentX = largestX > 0 ? std::ilogb(largestX) : 0;
    const int exponentY = largestY > 0 ? std::ilogb(largestY) : 0;
    s.scaleX = largestX > 0 ? std::ldexp(1.0, exponentX) : 0;
    s.scaleY = largestY > 0 ? std::ldexp(1.0, exponentY) : 0;
    // Second pass about the means. The sums of the deviations themselves, zero but for the
    // rounding of the means, correct the squares for that rounding.
    double sumDx = 0, sumDy = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double dx = std::ldexp(u(i) - meanU, -exponentX);
        const double dy = std::ldexp(m_ys[i] - meanV, -exponentY);
        sumDx += dx;
        sumDy += dy;
        s.xx += dx * dx;
        s.yy += dy * dy;
        s.xy += dx * dy;
    }
    const double nd = static_cast<double>(n);
    s.xx -= sumDx * sumDx / nd;
    s.yy -= sumDy * sumDy / nd;
    s.xy -= sumDx * sumDy / nd;
    return s;
}

double TCurveFit::stdDevX() const {
    if (count() < 3 || !m_xVaries) return 0.0;
    const Spread s = spread(false);
    return deviation(s.scaleX, s.xx, count() - 1);
}
double TCurveFit::stdDevY() const {
    if (count() < 3 || !m_yVaries) return 0.0;
    const Spread s = spread(false);
    return deviation(s.scaleY, s.yy, count() - 1);
}
double TCurveFit::stdDevDiff() const {
    if (count() < 3 || !m_diffVaries) return 0.0;
    const Spread s = spread(true);
    return deviation(s.scaleX, s.xx, count() - 1);
}

double TCurveFit::popStdDevX() const {
    if (!m_xVaries) return 0.0;
    const Spread s = spread(false);
    return deviation(s.scaleX, s.xx, count());
}
double TCurveFit::popStdDevY() const {
    if (!m_yVaries) return 0.0;
    const Spread s = spread(false);
    return deviation(s.scaleY, s.yy, count());
}

double TCurveFit::corrCoeff() const {
    if (count() <= 2 || !m_xVaries || !m_yVaries) return 0.0;
    const Spread s = spread(false);
    if (!(s.xx > 0) || !(s.yy > 0)) return 0.0;
    return s.xy / std::sqrt(s.xx * s.yy);
}

LineFit TCurveFit::linearFit() const {
    if (count() < 2) return {};
    if (!m_xVaries) throw EInvalidOp(msg::InvalidOp); // every x the same: 0/0
    const Spread s = spread(false);
    LineFit fit;
    // A constant y has scaleY 0 and so a slope of 0.
    fit.slope = s.xy / s.xx * (s.scaleY / s.scaleX);
    fit.intercept = meanY() - fit.slope * meanX();
    fit.rSquared = m_yVaries && s.yy > 0 ? s.xy / s.xx * (s.xy / s.yy) : 1.0;
    return fit;
}

bool TCurveFit::polynomialFit(int degree, std::vector<double>& coefficients, double& rSquared) const {
    if (degree < 0 || degree > MaxDegree || degree >= count()) return false;
    auto fit = leastSquaresPolynomial(m_xs, m_ys, degree);
    if (!fit) return false;
    coefficients = std::move(fit->coefficients);
    rSquared = m_yVaries ? fit->rSquared : 1.0;
    return true;
}

} // namespace kurvo
