// The least-squares polynomial through points, solved by an orthogonal factorisation on scaled x.
#include "PolynomialLeastSquares.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace kurvo {

namespace {

/// A diagonal element of R below this, relative to the size a column of powers of t ∈ [-1, 1] can
/// have, means the columns are dependent to within rounding: the x values do not determine the
/// coefficients.
constexpr double RankTolerance = 1e-10;

/// Corrections to the coefficients from the residual of the ones found so far.
constexpr int RefinementSteps = 2;

/// Mean of the values, corrected by the mean of the residues so that it is exact to rounding.
double meanOf(std::span<const double> v) {
    double sum = 0;
    for (double e : v)
        sum += e;
    const double mean = sum / static_cast<double>(v.size());
    double residue = 0;
    for (double e : v)
        residue += e - mean;
    return mean + residue / static_cast<double>(v.size());
}

/// The QR factorisation of a tall matrix by Householder reflections, kept so that several right-hand
/// sides can be solved with it. Reflection k zeroes column k below the diagonal; its vector stays in
/// that column (rows k …), and R above the diagonal stays in place.
class HouseholderQR {
  public:
    /// Factors the columns; false when a column is dependent on the ones before it.
    bool factor(std::vector<std::vector<double>> columns) {
        m_columns = std::move(columns);
        const std::size_t n = m_columns.front().size();
        const double tolerance = RankTolerance * std::sqrt(static_cast<double>(n));
        m_diag.assign(m_columns.size(), 0.0);
        m_vv.assign(m_columns.size(), 0.0);
        for (std::size_t k = 0; k < m_columns.size(); ++k) {
            std::vector<double>& v = m_columns[k];
            double squares = 0;
            for (std::size_t i = k; i < n; ++i)
                squares += v[i] * v[i];
            const double norm = std::sqrt(squares);
            if (!(norm > tolerance)) return false;
            const double alpha = v[k] > 0 ? -norm : norm; // the sign that avoids cancellation
            v[k] -= alpha;
            m_vv[k] = -2 * alpha * v[k]; // vᵀv
            m_diag[k] = alpha;
            for (std::size_t j = k + 1; j < m_columns.size(); ++j)
                reflect(k, m_columns[j]);
        }
        return true;
    }

    /// The least-squares solution for the right-hand side; `rhs` becomes Qᵀ·rhs, whose rows past
    /// the column count are the residual.
    std::vector<double> solve(std::vector<double>& rhs) const {
        const std::size_t cols = m_columns.size();
        for (std::size_t k = 0; k < cols; ++k)
            reflect(k, rhs);
        std::vector<double> c(cols);
        for (std::size_t k = cols; k-- > 0;) {
            double s = rhs[k];
            for (std::size_t j = k + 1; j < cols; ++j)
                s -= m_columns[j][k] * c[j];
            c[k] = s / m_diag[k];
        }
        return c;
    }

  private:
    void reflect(std::size_t k, std::vector<double>& w) const {
        const std::vector<double>& v = m_columns[k];
        double dot = 0;
        for (std::size_t i = k; i < w.size(); ++i)
            dot += v[i] * w[i];
        const double f = 2 * dot / m_vv[k];
        for (std::size_t i = k; i < w.size(); ++i)
            w[i] -= f * v[i];
    }

    std::vector<std::vector<double>> m_columns;
    std::vector<double> m_diag, m_vv;
};

/// Σ c_k·((x − centre)/scale)^k written in powers of x, Horner fashion: multiply the running
/// polynomial by (x − centre)/scale, then add the next coefficient.
std::vector<double> toPowersOfX(const std::vector<double>& c, double centre, double scale) {
    const std::size_t cols = c.size();
    std::vector<double> a(cols, 0.0);
    a[0] = c[cols - 1];
    for (std::size_t k = cols - 1; k-- > 0;) {
        for (std::size_t j = cols - 1; j > 0; --j)
            a[j] = (a[j - 1] - a[j] * centre) / scale;
        a[0] = c[k] - a[0] * centre / scale;
    }
    return a;
}

/// y − p(t) for each point, with the sum taken in extended precision.
std::vector<double> residuals(const std::vector<double>& ts, const std::vector<long double>& ys,
                              const std::vector<double>& c) {
    std::vector<double> r(ts.size());
    for (std::size_t i = 0; i < ts.size(); ++i) {
        long double p = 0;
        for (std::size_t k = c.size(); k-- > 0;)
            p = p * ts[i] + c[k];
        r[i] = static_cast<double>(ys[i] - p);
    }
    return r;
}

} // namespace

std::optional<PolynomialFitResult> leastSquaresPolynomial(std::span<const double> xs,
                                                          std::span<const double> ys, int degree) {
    const std::size_t n = xs.size();
    if (degree < 0 || ys.size() != n || static_cast<std::size_t>(degree) >= n) return std::nullopt;
    const std::size_t cols = static_cast<std::size_t>(degree) + 1;

    // x ↦ t = (x − centre) / scale maps the points' x range into [-1, 1], at least half of it. The
    // scale is a power of two, so that dividing by it is exact.
    const auto [lowest, highest] = std::minmax_element(xs.begin(), xs.end());
    const double halfWidth = (*highest - *lowest) / 2;
    const double centre = *lowest + halfWidth;
    if (!std::isfinite(halfWidth) || !std::isfinite(centre)) return std::nullopt;
    if (halfWidth == 0 && degree > 0) return std::nullopt;
    int exponent = 0;
    std::frexp(halfWidth, &exponent);
    const double scale = halfWidth == 0 ? 1.0 : std::ldexp(1.0, exponent);

    // Column k of the design matrix holds t^k; y is taken about its mean.
    std::vector<double> ts(n);
    std::vector<std::vector<double>> columns(cols, std::vector<double>(n));
    for (std::size_t i = 0; i < n; ++i) {
        ts[i] = (xs[i] - centre) / scale;
        double p = 1;
        for (std::size_t k = 0; k < cols; ++k) {
            columns[k][i] = p;
            p *= ts[i];
        }
    }
    HouseholderQR qr;
    if (!qr.factor(std::move(columns))) return std::nullopt;

    const double meanY = meanOf(ys);
    std::vector<long double> centred(n);
    double totalSquares = 0;
    for (std::size_t i = 0; i < n; ++i) {
        centred[i] = static_cast<long double>(ys[i]) - meanY;
        totalSquares += static_cast<double>(centred[i] * centred[i]);
    }
    std::vector<double> rhs(centred.begin(), centred.end());
    std::vector<double> c = qr.solve(rhs);

    // The factorisation's rounding, magnified by the condition of the columns, stays in c; fitting
    // what c still misses, measured in extended precision, wins those digits back.
    for (int step = 0; step < RefinementSteps; ++step) {
        std::vector<double> r = residuals(ts, centred, c);
        const std::vector<double> correction = qr.solve(r);
        for (std::size_t k = 0; k < cols; ++k)
            c[k] += correction[k];
    }
    // A term that changes no fitted value by half a unit in the last place of the largest y is
    // below what the data can show: it is 0 (the parabola through (0, 1), (1, 3), (2, 5) is
    // 1+2x+0x^2, not 1+2x+-3.4E-20x^2).
    double largestY = 0;
    for (double y : ys)
        largestY = std::fmax(largestY, std::fabs(y));
    for (std::size_t k = 1; k < cols; ++k)
        if (std::fabs(c[k]) < largestY * std::numeric_limits<double>::epsilon() / 2) c[k] = 0;

    double residualSquares = 0;
    for (double e : residuals(ts, centred, c))
        residualSquares += e * e;

    c[0] += meanY;
    std::vector<double> a = toPowersOfX(c, centre, scale);
    if (!std::all_of(a.begin(), a.end(), [](double e) { return std::isfinite(e); })) return std::nullopt;

    PolynomialFitResult result;
    result.coefficients = std::move(a);
    result.rSquared = totalSquares > 0 ? 1 - residualSquares / totalSquares : 1.0;
    return result;
}

} // namespace kurvo
