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

/// The arithmetic of the solution: extended precision where the machine has it, so that what the
/// condition of the columns and the carrying to powers of x cost comes out of digits the double
/// result does not have.
using Real = long double;

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
    bool factor(std::vector<std::vector<Real>> columns) {
        m_columns = std::move(columns);
        const std::size_t n = m_columns.front().size();
        const Real tolerance = RankTolerance * std::sqrt(static_cast<Real>(n));
        m_diag.assign(m_columns.size(), 0.0);
        m_vv.assign(m_columns.size(), 0.0);
        for (std::size_t k = 0; k < m_columns.size(); ++k) {
            std::vector<Real>& v = m_columns[k];
            Real squares = 0;
            for (std::size_t i = k; i < n; ++i)
                squares += v[i] * v[i];
            const Real norm = std::sqrt(squares);
            if (!(norm > tolerance)) return false;
            const Real alpha = v[k] > 0 ? -norm : norm; // the sign that avoids cancellation
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
    std::vector<Real> solve(std::vector<Real>& rhs) const {
        const std::size_t cols = m_columns.size();
        for (std::size_t k = 0; k < cols; ++k)
            reflect(k, rhs);
        std::vector<Real> c(cols);
        for (std::size_t k = cols; k-- > 0;) {
            Real s = rhs[k];
            for (std::size_t j = k + 1; j < cols; ++j)
                s -= m_columns[j][k] * c[j];
            c[k] = s / m_diag[k];
        }
        return c;
    }

  private:
    void reflect(std::size_t k, std::vector<Real>& w) const {
        const std::vector<Real>& v = m_columns[k];
        Real dot = 0;
        for (std::size_t i = k; i < w.size(); ++i)
            dot += v[i] * w[i];
        const Real f = 2 * dot / m_vv[k];
        for (std::size_t i = k; i < w.size(); ++i)
            w[i] -= f * v[i];
    }

    std::vector<std::vector<Real>> m_columns;
    std::vector<Real> m_diag, m_vv;
};

/// Σ c_k·((x − centre)/scale)^k written in powers of x, Horner fashion: multiply the running
/// polynomial by (x − centre)/scale, then add the next coefficient.
std::vector<Real> toPowersOfX(const std::vector<Real>& c, Real centre, Real scale) {
    const std::size_t cols = c.size();
    std::vector<Real> a(cols, 0.0);
    a[0] = c[cols - 1];
    for (std::size_t k = cols - 1; k-- > 0;) {
        for (std::size_t j = cols - 1; j > 0; --j)
            a[j] = (a[j - 1] - a[j] * centre) / scale;
        a[0] = c[k] - a[0] * centre / scale;
    }
    return a;
}

/// y − p(t) for each point.
std::vector<Real> residuals(const std::vector<Real>& ts, const std::vector<Real>& ys,
                            const std::vector<Real>& c) {
    std::vector<Real> r(ts.size());
    for (std::size_t i = 0; i < ts.size(); ++i) {
        Real p = 0;
        for (std::size_t k = c.size(); k-- > 0;)
            p = p * ts[i] + c[k];
        r[i] = ys[i] - p;
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
    std::vector<Real> ts(n);
    std::vector<std::vector<Real>> columns(cols, std::vector<Real>(n));
    for (std::size_t i = 0; i < n; ++i) {
        ts[i] = (xs[i] - centre) / scale;
        Real p = 1;
        for (std::size_t k = 0; k < cols; ++k) {
            columns[k][i] = p;
            p *= ts[i];
        }
    }
    HouseholderQR qr;
    if (!qr.factor(std::move(columns))) return std::nullopt;

    const double meanY = meanOf(ys);
    std::vector<Real> centred(n);
    Real totalSquares = 0;
    for (std::size_t i = 0; i < n; ++i) {
        centred[i] = static_cast<Real>(ys[i]) - meanY;
        totalSquares += centred[i] * centred[i];
    }
    std::vector<Real> rhs = centred;
    std::vector<Real> c = qr.solve(rhs);

    // A term that changes no fitted value by half a unit in the last place of the largest y is
    // below what the data can show: it is 0 (the parabola through (0, 1), (1, 3), (2, 5) is
    // 1+2x+0x^2, not 1+2x plus a rounding residue such as -3.4E-20x^2).
    double largestY = 0;
    for (double y : ys)
        largestY = std::fmax(largestY, std::fabs(y));
    for (std::size_t k = 1; k < cols; ++k)
        if (std::fabs(c[k]) < largestY * std::numeric_limits<double>::epsilon() / 2) c[k] = 0;

    Real residualSquares = 0;
    for (Real e : residuals(ts, centred, c))
        residualSquares += e * e;

    c[0] += meanY;
    // Rounded to doubles first, coefficients that are doubles (data of a polynomial with short
    // coefficients, such as integers) are carried to powers of x without a rounding at all.
    for (Real& e : c)
        e = static_cast<double>(e);
    const std::vector<Real> powers = toPowersOfX(c, centre, scale);
    std::vector<double> a(powers.begin(), powers.end());
    if (!std::all_of(a.begin(), a.end(), [](double e) { return std::isfinite(e); })) return std::nullopt;

    PolynomialFitResult result;
    result.coefficients = std::move(a);
    result.rSquared = totalSquares > 0 ? static_cast<double>(1 - residualSquares / totalSquares) : 1.0;
    return result;
}

} // namespace kurvo
