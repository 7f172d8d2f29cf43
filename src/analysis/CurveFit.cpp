// TCurveFit: running sums over a stream of (x, y) points, and the statistics and least-squares fits
// taken from them.
#include "CurveFit.h"

#include "Matrix.h"

#include <cmath>

namespace kurvo {

namespace {
constexpr int PowerSumCount = 2 * TCurveFit::MaxDegree + 2;
constexpr int YPowerSumCount = TCurveFit::MaxDegree + 1;
} // namespace

TCurveFit::TCurveFit() : m_powerSums(PowerSumCount), m_yPowerSums(YPowerSumCount) {
    reset();
}

void TCurveFit::reset() {
    m_count = 0;
    m_sumX = m_sumY = m_sumXSqu = m_sumYSqu = 0;
    m_sumDiff = m_sumDiffSqu = m_sumXY = 0;
    m_firstX = m_firstY = m_firstDiff = 0;
    m_xVaries = m_yVaries = m_diffVaries = false;
    m_powerSums.clear();
    m_yPowerSums.clear();
}

void TCurveFit::addPoint(double x, double y) {
    if (m_count == 0) {
        m_firstX = x;
        m_firstY = y;
        m_firstDiff = x - y;
    } else {
        m_xVaries = m_xVaries || x != m_firstX;
        m_yVaries = m_yVaries || y != m_firstY;
        m_diffVaries = m_diffVaries || x - y != m_firstDiff;
    }
    m_sumX += x;
    m_sumY += y;
    m_sumXSqu += x * x;
    m_sumYSqu += y * y;
    m_sumDiff += x - y;
    m_sumDiffSqu += (x - y) * (x - y);
    m_sumXY += x * y;
    double p = 1.0;
    for (int k = 1; k <= PowerSumCount; ++k) {
        m_powerSums.addToElem(k, p);
        if (k <= YPowerSumCount) m_yPowerSums.addToElem(k, y * p);
        p *= x;
    }
    ++m_count;
}

namespace {
double divideByCount(double sum, int n) {
    if (n == 0) throw EInvalidOp(msg::InvalidOp); // the sum of no points is 0: 0/0
    return sum / n;
}
} // namespace

double TCurveFit::meanX() const {
    return divideByCount(m_sumX, m_count);
}
double TCurveFit::meanY() const {
    return divideByCount(m_sumY, m_count);
}
double TCurveFit::meanDiff() const {
    return divideByCount(m_sumDiff, m_count);
}

double TCurveFit::sampleStdDev(int n, bool varies, double sum, double sumSqu) {
    if (n < 3 || !varies) return 0.0;
    return std::sqrt(std::fabs((sumSqu - sum * sum / n) / (n - 1)));
}

double TCurveFit::stdDevX() const {
    return sampleStdDev(m_count, m_xVaries, m_sumX, m_sumXSqu);
}
double TCurveFit::stdDevY() const {
    return sampleStdDev(m_count, m_yVaries, m_sumY, m_sumYSqu);
}
double TCurveFit::stdDevDiff() const {
    return sampleStdDev(m_count, m_diffVaries, m_sumDiff, m_sumDiffSqu);
}

double TCurveFit::corrCoeff() const {
    const int n = m_count;
    if (n <= 2 || m_sumXSqu <= 0 || m_sumYSqu <= 0 || !m_xVaries || !m_yVaries) return 0.0;
    double sxx = m_sumXSqu - m_sumX * m_sumX / n;
    double syy = m_sumYSqu - m_sumY * m_sumY / n;
    if (sxx == 0 || syy == 0) return 0.0;
    return (m_sumXY - m_sumX * m_sumY / n) / std::sqrt(std::fabs(sxx * syy));
}

double TCurveFit::rSquaredFor(double explained) const {
    double q = m_sumY * m_sumY / m_count;
    double total = m_sumYSqu - q;
    if (!m_yVaries || total == 0) return 1.0;
    return (explained - q) / total;
}

LineFit TCurveFit::linearFit() const {
    const int n = m_count;
    if (n < 2) return {};
    double denominator = n * m_sumXSqu - m_sumX * m_sumX;
    double slopeNumerator = n * m_sumXY - m_sumX * m_sumY;
    if (!m_xVaries) throw EInvalidOp(msg::InvalidOp);
    if (denominator == 0) {
        if (slopeNumerator == 0) throw EInvalidOp(msg::InvalidOp);
        throw EZeroDivide(msg::ZeroDivide);
    }
    LineFit fit;
    fit.slope = slopeNumerator / denominator;
    fit.intercept = (m_sumXSqu * m_sumY - m_sumX * m_sumXY) / denominator;
    fit.rSquared = rSquaredFor(m_sumY * fit.intercept + fit.slope * m_sumXY);
    return fit;
}

bool TCurveFit::polynomialFit(int degree, std::vector<double>& coefficients, double& rSquared) const {
    if (degree < 0 || degree > MaxDegree || degree >= m_count) return false;
    const int size = degree + 1;
    // The normal equations: M(b, c) = Σx^(b+c−2), v(c) = Σy·x^(c−1).
    TMatrix normal(size, size);
    TMatrix rhs(1, size);
    for (int c = 1; c <= size; ++c) {
        for (int b = 1; b <= size; ++b)
            normal.setElem(b, c, m_powerSums.elem(b + c - 1));
        rhs.setElem(1, c, m_yPowerSums.elem(c));
    }
    if (!normal.invert()) return false;
    TMatrix solution(1, size);
    if (!normal.multiply(rhs, solution)) return false;

    coefficients.assign(static_cast<std::size_t>(size), 0.0);
    double explained = 0;
    for (int c = 1; c <= size; ++c) {
        coefficients[static_cast<std::size_t>(c - 1)] = solution.elem(1, c);
        explained += solution.elem(1, c) * rhs.elem(1, c);
    }
    rSquared = rSquaredFor(explained);
    return true;
}

} // namespace kurvo
